#include "goods/goods.h"

#include "frame/main_window.h"
#include "goods/picking_window.h"
#include "goods/warehouse_window.h"

#include <QAction>

namespace goods {

void attachToMainWindow(frame::MainWindow &main)
{
    QObject::connect(main.action(QStringLiteral("菜单_检货处_检货基本信息")), &QAction::triggered, &main,
                     &openPickingWindow);
    QObject::connect(main.action(QStringLiteral("菜单_仓库_出库")), &QAction::triggered, &main, &openStockOutPage);
    QObject::connect(main.action(QStringLiteral("菜单_仓库_外地入埠货物管理")), &QAction::triggered, &main,
                     &openInboundGoodsPage);
}

} // namespace goods
