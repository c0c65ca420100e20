#pragma once

namespace frame {
class MainWindow;
}

namespace goods {

// Binds the menu items of the picking desk and the warehouse to their windows.
void attachToMainWindow(frame::MainWindow &main);

} // namespace goods
