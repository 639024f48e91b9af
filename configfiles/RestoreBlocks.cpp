#include "configfiles/RestoreBlocks.h"

#include <algorithm>

#include "configfiles/FieldValues.h"

namespace varlo {

bool ModelMatches(const ConfigFile& file, const std::string& fileName, const _CONFIGPARAM& target,
                  std::string* error) {
    if (target.dwType() == file.Type()) {
        return true;
    }
    *error = fileName + " holds a " + ModelNameOf(file.Type()) +
             " configuration and this device is a " + ModelNameOf(target.dwType());
    return false;
}

bool BuildRestoreBlocks(const ConfigFile& file, const RestoreOptions& options,
                        const ConfigSession& session, BuiltBlocks* out) {
    for (const BlockFields& b : FieldsOf(file.Type()).blocks) {
        const Bytes& saved = *session.Saved(b.index);
        Bytes bytes = file.blocks[b.index];
        for (const FieldSpec& f : b.fields) {
            if ((options.keepOwn && f.own) || (file.noSecrets && f.secret)) {
                CopyField(f, saved, &bytes);
            }
        }
        if (!options.raw) {
            for (const FieldSpec& f : b.fields) {
                std::string reason;
                // A device that holds an odd value now gets it back from its own backup.
                if (!CheckValue(f, bytes, &reason) && !SameField(f, bytes, saved)) {
                    out->error = b.label + "." + f.path + " in the file: " + reason +
                                 " (no dialog writes that; --raw writes it anyway)";
                    return false;
                }
            }
            // A block that changes gets the fixed bytes the dialogs write; one that does not is
            // left alone, whatever its fixed bytes hold.
            if (bytes != saved) {
                FinishBuiltBlock(b, &bytes);
            }
        } else if (bytes != file.blocks[b.index]) {
            StampChecksum(b, &bytes);  // it mixes the file's bytes with the device's
        }
        out->blocks[b.index] = std::move(bytes);
    }
    return true;
}

}  // namespace varlo
