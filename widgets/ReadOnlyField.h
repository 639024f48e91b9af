#pragma once
// A text field the operator reads and copies from but never edits: a firmware version, a MAC
// address, a name the device does not let the page change. It takes the focus by a click, so
// its text can be selected and copied, but is no Tab stop, and it is drawn on the dialog's face
// colour with the ordinary text colour: plainly not editable, and as readable as a label.
class QLineEdit;

namespace varlo::ui {

void MakeReadOnlyField(QLineEdit* field);

}  // namespace varlo::ui
