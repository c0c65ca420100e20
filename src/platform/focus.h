#pragma once

class QWidget;

namespace platform {

// Gives a unit the keyboard focus and remembers it as the focus target.
void setFocus(QWidget *unit);
QWidget *focusTarget();

} // namespace platform
