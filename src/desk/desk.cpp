#include "desk/desk.h"

#include "desk/order_entry_page.h"
#include "desk/shipping_list_page.h"
#include "frame/main_window.h"

#include <QAction>

namespace desk {

void attachToMainWindow(frame::MainWindow &main)
{
    const frame::MenuItems items = main.menuItems();
    auto *orderEntry = new OrderEntryPage(main);
    main.setPage(2, orderEntry);
    QObject::connect(&items.菜单_受理_业务单录入, &QAction::triggered, orderEntry, &OrderEntryPage::openOrderEntryPage);
    auto *shippingList = new ShippingListPage(main);
    main.setPage(3, shippingList);
    QObject::connect(&items.菜单_受理_发货清单录入, &QAction::triggered, shippingList,
                     &ShippingListPage::openShippingListPage);
}

} // namespace desk
