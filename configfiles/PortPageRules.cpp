#include "configfiles/PortPageRules.h"

#include <algorithm>

#include "artnet/ArtNetDmxParam.h"
#include "artnet/ArtNetItems.h"
#include "artnet/DmxPortPage.h"
#include "configfiles/FieldValues.h"

namespace varlo {

namespace {
bool SameBytes(const FieldSpec& f, const Bytes& a, const Bytes& b) {
    return std::equal(a.begin() + static_cast<std::ptrdiff_t>(f.offset),
                      a.begin() + static_cast<std::ptrdiff_t>(f.offset + f.width),
                      b.begin() + static_cast<std::ptrdiff_t>(f.offset));
}

void CopyField(const FieldSpec& f, const Bytes& from, Bytes* to) {
    std::copy_n(from.begin() + static_cast<std::ptrdiff_t>(f.offset), f.width,
                to->begin() + static_cast<std::ptrdiff_t>(f.offset));
}

// The operator's edit, taken from the bytes StoreValue made of it, through the page's handler
// for the control it names.
void Edit(artnet::DmxPortPage& page, const FieldSpec& f, const Bytes& typed) {
    using P = _DMXPORTPARAM;
    using namespace artnet;
    for (std::size_t k = 0; k < page.PortCount(); ++k) {
        const std::size_t record = _ARTNETDMXPARAM::RecordAt(page.Model().records[k]);
        if (f.offset < record || f.offset >= record + P::kSize) {
            continue;
        }
        const uint8_t* p = typed.data() + f.offset;
        switch (f.offset - record) {
            case P::kPortMode:
                page.SelectMode(k, kPortModeItems.IndexOf(p[0]));
                break;
            case P::kUniverse:
                page.SetUniverseText(k, std::to_string(p[0]));
                break;
            case P::kFrameRate:
                page.SetFrameRateText(k, std::to_string(p[0]));
                break;
            case P::kMergeMode:
                page.SelectMerge(k, kMergeModeItems.IndexOf(p[0]));
                break;
            case P::kUnicast:
                page.SetUnicast(k, p[0] != 0);
                break;
            case P::kUnicastAddress:
                page.SetUnicastAddress(k, {p[0], p[1], p[2], p[3]});
                break;
            default:
                break;
        }
        return;
    }
}
}  // namespace

bool ApplyPortPage(const artnet::PortPageModel& model, const BlockFields& fields,
                   const std::vector<NamedValue>& edits, Bytes* block,
                   std::vector<std::string>* notes, std::string* error) {
    const Bytes saved = *block;
    Bytes typed = saved;  // the operator's values alone
    for (const NamedValue& e : edits) {
        if (!StoreValue(*e.field, e.value, &typed, error)) {
            *error = e.field->path + "=" + e.value + ": expected " + *error;
            return false;
        }
    }
    _ARTNETDMXPARAM savedBlock;
    savedBlock.Assign(saved.data());
    artnet::DmxPortPage page(model);
    page.Fill(savedBlock);
    for (const NamedValue& e : edits) {
        Edit(page, *e.field, typed);
    }
    const _ARTNETDMXPARAM built = page.Build(savedBlock);
    Bytes out(built.data(), built.data() + built.size());
    for (const NamedValue& e : edits) {
        if (!SameBytes(*e.field, out, typed)) {
            notes->push_back(fields.label + "." + e.field->path + ": the page's rules give " +
                             ShowValue(*e.field, out) + "; your " + ShowValue(*e.field, typed) +
                             " is kept");
            CopyField(*e.field, typed, &out);
        }
    }
    for (const FieldSpec& f : fields.fields) {
        const bool named = std::any_of(edits.begin(), edits.end(),
                                       [&](const NamedValue& e) { return e.field == &f; });
        if (!named && f.kind != FieldKind::Checksum && !SameBytes(f, out, saved)) {
            notes->push_back(fields.label + "." + f.path + ": " + ShowValue(f, saved) + " -> " +
                             ShowValue(f, out) + ", as the dialog's page changes it");
        }
    }
    FinishBuiltBlock(fields, &out);
    *block = std::move(out);
    return true;
}

}  // namespace varlo
