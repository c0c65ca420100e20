#include "goods/goods.h"

#include "frame/main_window.h"
#include "goods/picking_window.h"
#include "goods/warehouse_window.h"

#include <QAction>

namespace goods {

void attachToMainWindow(frame::MainWindow &main)
{
    const frame::MenuItems items = main.menuItems();
    const QList<std::pair<QAction *, void (*)(frame::MainWindow &)>> openers = {
        {&items.菜单_检货处_检货基本信息, &openPickingWindow},
        {&items.菜单_仓库_出库, &openStockOutPage},
        {&items.菜单_仓库_外地入埠货物管理, &openInboundGoodsPage},
    };
    for (const auto &[item, opener] : openers)
        QObject::connect(item, &QAction::triggered, &main, [&main, opener] { opener(main); });
}

} // namespace goods
