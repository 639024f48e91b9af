#include "configfiles/SetFields.h"

#include <map>
#include <set>

#include "artnet/ArtNetCommands.h"
#include "artnet/ArtNetModels.h"
#include "configfiles/FieldValues.h"
#include "configfiles/PageRules.h"
#include "transport/TransportSettings.h"

namespace varlo {

namespace {
// Where a path and value fail for one model; empty when the model takes them.
std::string Check(uint32_t type, const Assignment& a) {
    const ModelFields& fields = FieldsOf(type);
    std::string error;
    const FieldRef ref = FindEditableField(fields, a.path, &error);
    if (!ref) {
        return error;
    }
    Bytes scratch(ref.block->size, 0);
    if (!StoreValue(*ref.field, a.value, &scratch, &error)) {
        return a.path + "=" + a.value + ": expected " + error;
    }
    return {};
}

// Two paths that name one field of a model; empty when there are none.
std::string Duplicate(uint32_t type, const std::vector<Assignment>& assignments) {
    std::map<const FieldSpec*, std::string> named;
    for (const Assignment& a : assignments) {
        std::string ignored;
        const FieldRef ref = FindField(FieldsOf(type), a.path, &ignored);
        if (!ref) {
            continue;
        }
        const auto [it, added] = named.emplace(ref.field, a.path);
        if (!added) {
            return "'" + it->second + "' and '" + a.path + "' both name " + ref.block->label + "." +
                   ref.field->path + "; give it once";
        }
    }
    return {};
}

// The Art-Net port page that edits a block, if any.
const artnet::PortPageModel* PortPageOf(uint32_t type, const BlockFields& block) {
    const artnet::ArtNetModel* model = artnet::FindArtNetModel(type);
    if (!model) {
        return nullptr;
    }
    for (const artnet::PortPageModel& page : model->portPages) {
        if (page.readCode == block.readCode) {
            return &page;
        }
    }
    return nullptr;
}
}  // namespace

bool ParseAssignment(const std::string& text, Assignment* out) {
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos || equals == 0) {
        return false;
    }
    *out = {text.substr(0, equals), text.substr(equals + 1)};
    return true;
}

bool CheckAssignments(const std::vector<Assignment>& assignments,
                      const std::optional<uint32_t>& model, std::string* error) {
    const std::vector<uint32_t> types = model ? std::vector<uint32_t>{*model} : ModelTypes();
    std::set<std::string> seen;
    for (const Assignment& a : assignments) {
        if (!seen.insert(a.path).second) {
            *error = a.path + " is given twice; give it once";
            return false;
        }
    }
    for (const uint32_t type : types) {
        if (const std::string duplicate = Duplicate(type, assignments); !duplicate.empty()) {
            *error = duplicate;
            return false;
        }
    }
    for (const Assignment& a : assignments) {
        std::string first;
        bool taken = false;
        for (const uint32_t type : types) {
            const std::string reason = Check(type, a);
            taken = taken || reason.empty();
            // The most telling reason: a bad value over a field that is not there.
            if (!reason.empty() &&
                (first.empty() || reason.find(": expected") != std::string::npos)) {
                first = reason;
            }
        }
        if (!taken) {
            *error = first + (model ? " (" + ModelNameOf(*model) + ")" : std::string());
            return false;
        }
    }
    return true;
}

bool HasEditableField(uint32_t type, const std::string& path) {
    std::string ignored;
    return static_cast<bool>(FindEditableField(FieldsOf(type), path, &ignored));
}

bool NumberedValue(uint32_t type, const Assignment& start, std::size_t n, std::string* value,
                   std::string* error) {
    const FieldRef ref = FindEditableField(FieldsOf(type), start.path, error);
    if (!ref) {
        return false;
    }
    const FieldSpec& f = *ref.field;
    if (f.kind == FieldKind::Number) {
        uint32_t first = 0;
        if (!ParseDecimal(start.value, &first) || first < f.min || first > f.max) {
            *error = start.path + "=" + start.value + ": expected " + DescribeField(f);
            return false;
        }
        if (uint64_t{first} + n > f.max) {
            *error = "numbering " + start.path + " from " + start.value + " runs past " +
                     std::to_string(f.max) + " at this device";
            return false;
        }
        *value = std::to_string(first + n);
        return true;
    }
    if (f.kind == FieldKind::Address) {
        uint32_t first = 0;
        if (!ParseIpv4(start.value, &first)) {
            *error = start.path + "=" + start.value + ": expected an IPv4 address";
            return false;
        }
        if (uint64_t{first} + n > 0xFFFFFFFFu) {
            *error = "numbering " + start.path + " from " + start.value +
                     " runs past 255.255.255.255 at this device";
            return false;
        }
        *value = FormatIpv4(static_cast<uint32_t>(first + n));
        return true;
    }
    *error = "--number takes a number or an address field; " + ref.block->label + "." + f.path +
             " is " + DescribeField(f);
    return false;
}

bool BuildSetBlocks(uint32_t type, const std::vector<Assignment>& assignments,
                    const ConfigSession& session, BuiltBlocks* out) {
    const ModelFields& fields = FieldsOf(type);
    // The edits of each block, in the order given.
    std::map<const BlockFields*, std::vector<NamedValue>> edits;
    for (const Assignment& a : assignments) {
        std::string reason;
        const FieldRef ref = FindEditableField(fields, a.path, &reason);
        if (!ref) {
            out->skip = true;
            out->error = reason + " on a " + ModelNameOf(type);
            return false;
        }
        edits[ref.block].push_back({ref.field, a.value});
    }
    for (const auto& [block, named] : edits) {
        Bytes bytes = *session.Saved(block->index);
        const artnet::ArtNetModel* node = artnet::FindArtNetModel(type);
        if (const artnet::PortPageModel* page = PortPageOf(type, *block)) {
            if (!ApplyPortPage(*page, *block, named, &bytes, &out->notes, &out->error)) {
                return false;
            }
        } else if (node && node->basic.rule != artnet::AddressRule::Module &&
                   block->readCode == artnet::kReadBasicParam) {
            if (!ApplyNodeBasicPage(node->basic, *block, named, &bytes, &out->notes, &out->error)) {
                return false;
            }
        } else {
            for (const NamedValue& e : named) {
                if (!StoreValue(*e.field, e.value, &bytes, &out->error)) {
                    out->error = e.field->path + "=" + e.value + ": expected " + out->error;
                    return false;
                }
            }
            FinishBuiltBlock(*block, &bytes);
        }
        out->blocks[block->index] = std::move(bytes);
    }
    return true;
}

}  // namespace varlo
