#include "desk/order_entry_page.h"

#include "desk/picking_queue_store.h"
#include "frame/main_window.h"
#include "frame/session.h"
#include "platform/edit_box.h"
#include "platform/list_view.h"
#include "platform/message_box.h"
#include "platform/timer_unit.h"
#include "ui_order_entry_page.h"

namespace desk {

namespace {

constexpr int orderEntryPageIndex = 2;
constexpr int pendingRefreshMs = 60000;

using Kind = platform::ColumnKind;
const platform::ListColumns pendingColumns = {
    {QStringLiteral("检货号"), 50, QStringLiteral("检货号"), Kind::Text},
    {QStringLiteral("检货时间"), 105, QStringLiteral("检货时间"), Kind::DateTime},
    {QStringLiteral("货物名称"), 60, QStringLiteral("货物名称"), Kind::Text},
    {QStringLiteral("件数"), 40, QStringLiteral("实际件数"), Kind::Number},
    {QStringLiteral("重量"), 40, QStringLiteral("实际重量"), Kind::Number},
    {QStringLiteral("体积"), 40, QStringLiteral("实际体积"), Kind::Number},
    {QStringLiteral("计泡否"), 50, QStringLiteral("计抛否"), Kind::Text},
    {QStringLiteral("计泡重量"), 60, QStringLiteral("计抛重量"), Kind::Number},
};

} // namespace

OrderEntryPage::OrderEntryPage(frame::MainWindow &main)
    : QWidget(&main), ui(std::make_unique<Ui::OrderEntryPage>()), m_main(main)
{
    ui->setupUi(this);
    ui->超级列表框_受理_待处理的检货信息->setColumns(pendingColumns);

    connect(ui->超级列表框_受理_待处理的检货信息, &platform::ReportList::doubleClicked, this,
            &OrderEntryPage::takePickingIntoOrder);
    connect(ui->按钮_受理_返回, &QPushButton::clicked, this, &OrderEntryPage::leaveOrderEntryPage);
    // Ticks from the main window's creation on, whichever page is shown.
    platform::startTimerUnit(this, QStringLiteral("时钟_待处理检货信息刷新"), pendingRefreshMs,
                             [this] { refreshPendingPickingList(); });
}

OrderEntryPage::~OrderEntryPage() = default;

void OrderEntryPage::openOrderEntryPage()
{
    ui->编辑框_受理_业务单号->setText(frame::documentCounters().number(frame::DocumentKind::Order));
    m_main.showWorkPage(orderEntryPageIndex, ui->外形框_受理_底框, QStringLiteral("业务单录入..."));
    refreshPendingPickingList();
}

void OrderEntryPage::refreshPendingPickingList()
{
    ui->超级列表框_受理_待处理的检货信息->setListing(listPendingPickings());
}

void OrderEntryPage::takePickingIntoOrder(const QModelIndex &index)
{
    platform::ReportList *list = ui->超级列表框_受理_待处理的检货信息;
    const int row = index.row();
    // The picking as its row shows it, so that the take compares exactly what the operator saw.
    if (!takeQueuedPicking(pendingPickingAt(list->listing(), row), ui->编辑框_受理_业务单号->text())) {
        platform::messageBox(QStringLiteral("删除检货临时库中与被双击列表行相关的记录失败!"));
        return;
    }
    platform::fillEditBox(ui->编辑框_受理_货物名称, platform::listViewCell(list, row, 2));
    platform::fillEditBox(ui->编辑框_受理_件数, platform::listViewCell(list, row, 3));
    platform::fillEditBox(ui->编辑框_受理_重量, platform::listViewCell(list, row, 4));
    platform::fillEditBox(ui->编辑框_受理_体积, platform::listViewCell(list, row, 5));
    ui->选择框_受理_计抛否->setChecked(platform::listViewCell(list, row, 6) == QStringLiteral("是"));
    platform::fillEditBox(ui->编辑框_受理_计抛重量, platform::listViewCell(list, row, 7));
    refreshPendingPickingList();
}

void OrderEntryPage::leaveOrderEntryPage()
{
    m_main.returnToStartPage();
}

} // namespace desk
