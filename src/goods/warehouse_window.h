#pragma once

#include "frame/main_window.h"

#include <memory>

class QTabWidget;

namespace Ui {
class WarehouseWindow;
}

namespace goods {

class InboundGoodsPage;

// 仓库窗口: the warehouse's child window. Each menu item opens it anew on one page of its tab
// 选择夹_仓库 (入库, 出库, 外地入埠), with the title of that task.
class WarehouseWindow final : public frame::ChildWindow
{
    Q_OBJECT

public:
    explicit WarehouseWindow(frame::MainWindow &main);
    ~WarehouseWindow() override;

    QTabWidget *pages() const;
    InboundGoodsPage *inboundGoodsPage() const { return m_inboundGoods; }

private:
    std::unique_ptr<Ui::WarehouseWindow> ui;
    InboundGoodsPage *m_inboundGoods;
};

// The menu items of 仓库(&5): each loads the window on its page and disables 主界面 until it closes.
void openStockOutPage(frame::MainWindow &main);
void openInboundGoodsPage(frame::MainWindow &main);

} // namespace goods
