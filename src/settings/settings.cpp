#include "settings/settings.h"

#include "frame/main_window.h"
#include "settings/system_menu_window.h"

#include <QAction>

namespace settings {

void attachToMainWindow(frame::MainWindow &main)
{
    QObject::connect(&main.menuItems().菜单_系统_操作员管理, &QAction::triggered, &main,
                     [&main] { openOperatorManagement(main); });
}

} // namespace settings
