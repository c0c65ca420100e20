#include "platform/edit_box.h"

#include <QLineEdit>

namespace platform {

void fillEditBox(QLineEdit *box, const QString &text)
{
    box->setText(text);
    box->setCursorPosition(0);
}

} // namespace platform
