#include "settings/settings.h"

#include "frame/main_window.h"

namespace settings {

void attachToMainWindow(frame::MainWindow &main)
{
    (void)main;
}

} // namespace settings
