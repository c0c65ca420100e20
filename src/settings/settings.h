#pragma once

namespace frame {
class MainWindow;
}

namespace settings {

// Binds the menu items of the settings items of the 系统 menu to the settings window.
void attachToMainWindow(frame::MainWindow &main);

} // namespace settings
