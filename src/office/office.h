#pragma once

namespace frame {
class MainWindow;
}

namespace office {

// Binds the menu items of the back-office expenses page into the main window and binds its menu item.
void attachToMainWindow(frame::MainWindow &main);

} // namespace office
