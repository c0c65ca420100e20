#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class ShippingListPage;
}

namespace platform {
class Recordset;
class Sheet;
} // namespace platform

namespace desk {

// Page 3 of the main window, 发货清单录入: one shipping list, its header boxes and its sheet.
class ShippingListPage final : public QWidget
{
    Q_OBJECT

public:
    explicit ShippingListPage(QWidget *parent = nullptr);
    ~ShippingListPage() override;

    void openShippingListPage();
    // The index of the sheet's last row: 3 while it has no data row.
    int shippingGridLastRow() const { return ShippingGridLastRow; }

private:
    void loadTodaysOutboundList();
    void appendShippingGridRow();
    void completeTypedOrderRows();
    void sumShippingListTotals();
    void saveShippingList();
    void leaveShippingListPage();

    void loadEmptySheet();
    void completeConsigneeColumns(platform::Recordset &orders, int row);
    bool storeShippingList();

    std::unique_ptr<Ui::ShippingListPage> ui;
    platform::Sheet *m_sheet;
    int ShippingGridLastRow = 3;
};

} // namespace desk
