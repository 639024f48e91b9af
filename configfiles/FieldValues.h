#pragma once
// The values of the fields of FieldTable.h as an operator types and reads them: a value entered
// as text stored into a field's bytes within the dialogs' ranges and item lists, a field's bytes
// shown, the check of bytes against the same rules (a file edited by hand), and the family's
// fixed bytes of a built block (checksum, the zero bytes after it).
#include <string>
#include <string_view>

#include "configfiles/FieldTable.h"

namespace varlo {

// Writes a value entered as text into the field's bytes, following the dialogs' ranges and item
// lists. False with the reason, and the block untouched, when the value does not fit.
bool StoreValue(const FieldSpec& field, std::string_view text, Bytes* block, std::string* error);
// What a field takes, for the help: "an integer between 0 and 255", "one of ...".
std::string DescribeField(const FieldSpec& field);
// The field's value as diff lines show it.
std::string ShowValue(const FieldSpec& field, const Bytes& block);

// What a block built from a saved copy gets last: the checksum stamped and, for Art-Net network
// blocks, the bytes after it zero.
void FinishBuiltBlock(const BlockFields& block, Bytes* bytes);
// Stamps the checksum alone (a clone's block keeps every other byte it was given).
void StampChecksum(const BlockFields& block, Bytes* bytes);
// True for a block without a checksum.
bool ChecksumValid(const BlockFields& block, const Bytes& bytes);

// Whether two copies of a block hold the same bytes in the field, and the field's bytes copied
// from one to the other (a clone keeps the target's own fields, a rule's value is overruled).
bool SameField(const FieldSpec& field, const Bytes& a, const Bytes& b);
void CopyField(const FieldSpec& field, const Bytes& from, Bytes* to);

// An unsigned decimal number of at most 32 bits, digits only.
bool ParseDecimal(std::string_view text, uint32_t* out);

// Whether a field's bytes hold a value the dialogs could have written: an item of its list, a
// number within its range, a text with its terminator. False with the reason.
bool CheckValue(const FieldSpec& field, const Bytes& block, std::string* reason);

}  // namespace varlo
