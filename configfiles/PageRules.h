#pragma once
// Named fields of a node's blocks given the blocks the dialog's pages build for the same edits:
// the page is filled with what the device holds, each edit goes through the page's own handler
// in the order given (a port page's sub-net rule: ports of the same direction share the upper
// four bits of the universe; a mode the model always writes as Output stays Output; the basic
// page's address rule), and the page builds the block. Where the page's rules changed a field
// the operator also named, the operator's value wins and the conflict is noted; every other field
// the rules changed is noted as a consequence.
#include <string>
#include <vector>

#include "artnet/ArtNetModels.h"
#include "configfiles/FieldTable.h"

namespace varlo {

struct NamedValue {
    const FieldSpec* field;
    std::string value;  // as the operator typed it
};

// `block` holds the device's saved copy on entry and the block to write on return. False with
// the reason when a value does not fit its field.
bool ApplyPortPage(const artnet::PortPageModel& page, const BlockFields& fields,
                   const std::vector<NamedValue>& edits, Bytes* block,
                   std::vector<std::string>* notes, std::string* error);

// The same for a node's network block through its basic settings page ("IP Type:" and the
// address rule: with an automatic type the address fields show the current sets, and the page
// writes what they show into the static sets; the name padded with zero bytes).
bool ApplyNodeBasicPage(const artnet::BasicPageModel& page, const BlockFields& fields,
                        const std::vector<NamedValue>& edits, Bytes* block,
                        std::vector<std::string>* notes, std::string* error);

}  // namespace varlo
