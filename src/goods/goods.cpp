#include "goods/goods.h"

#include "frame/main_window.h"

namespace goods {

void attachToMainWindow(frame::MainWindow &main)
{
    (void)main;
}

} // namespace goods
