#include "widgets/ReadOnlyField.h"

#include <QLineEdit>
#include <QPalette>

namespace varlo::ui {

void MakeReadOnlyField(QLineEdit* field) {
    field->setReadOnly(true);
    field->setEnabled(true);
    field->setFocusPolicy(Qt::ClickFocus);
    // A disabled field's grey on grey is hard to read; the face colour under the window's own
    // text colour says "not editable" without it.
    QPalette palette = field->palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, palette.color(group, QPalette::Window));
        palette.setColor(group, QPalette::Text,
                         palette.color(QPalette::Active, QPalette::WindowText));
    }
    field->setPalette(palette);
}

}  // namespace varlo::ui
