#pragma once

namespace frame {
class MainWindow;
}

namespace desk {

// Places the order-entry and shipping-list pages into the main window and binds their menu items.
void attachToMainWindow(frame::MainWindow &main);

} // namespace desk
