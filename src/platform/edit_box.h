#pragma once

#include <QString>

class QLineEdit;

namespace platform {

// Fills an edit box from code and shows the text's beginning: a text longer than the box would
// otherwise show its end, with the cursor left behind the last character. Like any fill from
// code it runs no handler of typed text (textEdited).
void fillEditBox(QLineEdit *box, const QString &text);

} // namespace platform
