#include "configfiles/SetFields.h"

#include <set>

#include "configfiles/FieldTable.h"
#include "discovery/DeviceFormat.h"

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
    std::set<std::string> seen;
    for (const Assignment& a : assignments) {
        if (!seen.insert(a.path).second) {
            *error = a.path + " is given twice";
            return false;
        }
        std::string first;
        bool taken = false;
        for (const uint32_t type : model ? std::vector<uint32_t>{*model} : ModelTypes()) {
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

bool BuildSetBlocks(uint32_t type, const std::vector<Assignment>& assignments,
                    const ConfigSession& session, std::vector<std::optional<Bytes>>* built,
                    std::string* error) {
    const ModelFields& fields = FieldsOf(type);
    std::set<const BlockFields*> touched;
    for (const Assignment& a : assignments) {
        std::string reason;
        const FieldRef ref = FindEditableField(fields, a.path, &reason);
        if (!ref) {
            *error = reason + " on a " + ModelNameOf(type);
            return false;
        }
        std::optional<Bytes>& block = (*built)[ref.block->index];
        if (!block) {
            block = *session.Saved(ref.block->index);
        }
        if (!StoreValue(*ref.field, a.value, &*block, &reason)) {
            *error = a.path + "=" + a.value + ": expected " + reason;
            return false;
        }
        touched.insert(ref.block);
    }
    for (const BlockFields* b : touched) {
        FinishBuiltBlock(*b, &*(*built)[b->index]);
    }
    return true;
}

}  // namespace varlo
