#include "configfiles/RestoreBlocks.h"

#include <algorithm>

#include "configfiles/FieldTable.h"

namespace varlo {

bool BuildRestoreBlocks(const ConfigFile& file, bool keepOwn, const ConfigSession& session,
                        std::vector<std::optional<Bytes>>* built, std::string* /*error*/) {
    for (const BlockFields& b : FieldsOf(file.Type()).blocks) {
        Bytes bytes = file.blocks[b.index];
        if (keepOwn) {
            const Bytes& saved = *session.Saved(b.index);
            for (const FieldSpec& f : b.fields) {
                if (f.own) {
                    std::copy_n(saved.begin() + static_cast<std::ptrdiff_t>(f.offset), f.width,
                                bytes.begin() + static_cast<std::ptrdiff_t>(f.offset));
                }
            }
            if (bytes != file.blocks[b.index]) {
                StampChecksum(b, &bytes);
            }
        }
        (*built)[b.index] = std::move(bytes);
    }
    return true;
}

}  // namespace varlo
