#include "goods/warehouse_window.h"

#include "frame/session.h"
#include "goods/inbound_goods_page.h"
#include "goods/stock_out_page.h"
#include "platform/text_conversions.h"
#include "ui_warehouse_window.h"

#include <QDateTime>
#include <QScreen>
#include <QTabBar>

namespace goods {

namespace {

constexpr int stockOutPage = 2;
constexpr int inboundGoodsPage = 3;
constexpr int activityPanel = 7;

// Loads the window with its title on one page of 选择夹_仓库, sized and centred on the screen.
WarehouseWindow *loadWarehouseWindow(const QString &title, int page, QSize size)
{
    auto *window = new WarehouseWindow;
    window->setWindowTitle(title);
    window->pages()->setCurrentIndex(page);
    window->resize(size);
    window->move(window->screen()->availableGeometry().center() - window->rect().center());
    return window;
}

// Shows the window, names the task in the status bar, then disables 主界面 until it closes.
void showWarehouseWindow(WarehouseWindow *window, const QString &activity)
{
    window->show();
    if (frame::MainWindow *main = frame::mainWindow())
        main->setStatusPanel(activityPanel, activity);
    window->open();
}

} // namespace

WarehouseWindow::WarehouseWindow(QWidget *parent)
    : frame::ChildWindow(parent), ui(std::make_unique<Ui::WarehouseWindow>())
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

void openStockOutPage()
{
    WarehouseWindow *window = loadWarehouseWindow(QStringLiteral("出库"), stockOutPage, {760, 520});
    showWarehouseWindow(window, QStringLiteral("出库..."));
}

void openInboundGoodsPage()
{
    WarehouseWindow *window = loadWarehouseWindow(QStringLiteral("外地入埠货物管理"), inboundGoodsPage, {572, 344});
    const QString now = platform::valueToText(QDateTime::currentDateTime());
    window->inboundGoodsPage()->fillOpeningBoxes(now, frame::currentOperator().name);
    showWarehouseWindow(window, QStringLiteral("外地入埠货物管理..."));
}

} // namespace goods
