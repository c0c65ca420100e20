#include "goods/warehouse_window.h"

#include "frame/session.h"
#include "goods/inbound_goods_page.h"
#include "goods/stock_out_page.h"
#include "platform/text_conversions.h"
#include "platform/window_shape.h"
#include "ui_warehouse_window.h"

#include <QDateTime>
#include <QTabBar>

namespace goods {

namespace {

constexpr int stockOutPage = 2;
constexpr int inboundGoodsPage = 3;

// Loads the window with its title on one page of 选择夹_仓库, sized and centred on the screen.
WarehouseWindow *loadWarehouseWindow(frame::MainWindow &main, const QString &title, int page, QSize size)
{
    auto *window = new WarehouseWindow(main);
    window->setWindowTitle(title);
    window->pages()->setCurrentIndex(page);
    window->resize(size);
    platform::centreOnScreen(window);
    return window;
}

} // namespace

WarehouseWindow::WarehouseWindow(frame::MainWindow &main)
    : frame::ChildWindow(main), ui(std::make_unique<Ui::WarehouseWindow>())
{
    ui->setupUi(this);
    // The menu item chooses the page and the title names it, so the tabs themselves stay hidden.
    ui->选择夹_仓库->tabBar()->hide();
    ui->选择夹_仓库->setDocumentMode(true);
    ui->布局_出库->addWidget(new StockOutPage(ui->出库));
    m_inboundGoods = new InboundGoodsPage(ui->外地入埠);
    ui->布局_外地入埠页->addWidget(m_inboundGoods);
}

WarehouseWindow::~WarehouseWindow() = default;

QTabWidget *WarehouseWindow::pages() const
{
    return ui->选择夹_仓库;
}

void openStockOutPage(frame::MainWindow &main)
{
    WarehouseWindow *window = loadWarehouseWindow(main, QStringLiteral("出库"), stockOutPage, {760, 520});
    window->open(QStringLiteral("出库..."));
}

void openInboundGoodsPage(frame::MainWindow &main)
{
    WarehouseWindow *window =
        loadWarehouseWindow(main, QStringLiteral("外地入埠货物管理"), inboundGoodsPage, {572, 344});
    const QString now = platform::valueToText(QDateTime::currentDateTime());
    window->inboundGoodsPage()->fillOpeningBoxes(now, frame::currentOperator().name);
    window->open(QStringLiteral("外地入埠货物管理..."));
}

} // namespace goods
