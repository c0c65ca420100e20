#pragma once

#include "desk/shipping_list_store.h"

#include <QList>
#include <QWidget>
#include <memory>

namespace Ui {
class ShippingListPage;
}

namespace frame {
class MainWindow;
}

namespace platform {
class Sheet;
} // namespace platform

namespace desk {

// Page 3 of the main window, 发货清单录入: one shipping list, its header boxes and its sheet.
class ShippingListPage final : public QWidget
{
    Q_OBJECT

public:
    explicit ShippingListPage(frame::MainWindow &main);
    ~ShippingListPage() override;

    void openShippingListPage();
    // The index of the sheet's last row: 3 while it has no data row.
    int shippingGridLastRow() const { return m_shippingGridLastRow; }

private:
    void loadTodaysOutboundList();
    void appendShippingGridRow();
    void completeTypedOrderRows();
    void sumShippingListTotals();
    void saveShippingList();
    void leaveShippingListPage();

    void loadEmptySheet();
    QList<ShippingLine> dataLines() const;
    SheetHeader headerBoxes() const;
    ShippingList shownList() const;

    std::unique_ptr<Ui::ShippingListPage> ui;
    frame::MainWindow &m_main;
    platform::Sheet *m_sheet;
    int m_shippingGridLastRow = shippingLastHeaderRow;
    // The stock-out queue records that the last click put into the sheet: a save removes these.
    QList<QueuedLine> m_loadedQueue;
};

} // namespace desk
