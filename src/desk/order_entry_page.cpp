#include "desk/order_entry_page.h"

#include "frame/db_access.h"
#include "frame/main_window.h"
#include "frame/session.h"
#include "platform/dialogs.h"
#include "platform/list_view.h"
#include "platform/text_conversions.h"
#include "ui_order_entry_page.h"

namespace desk {

namespace {

constexpr int orderEntryPageIndex = 2;
constexpr int pendingRefreshMs = 60000;

const QString pendingTable = QStringLiteral("检货临时库");
const QString pickingTable = QStringLiteral("检货及仓库");
const QString pickingNumberField = QStringLiteral("检货号");

const platform::ListViewColumns pendingColumns = {
    {QStringLiteral("检货号"), 50}, {QStringLiteral("检货时间"), 105}, {QStringLiteral("货物名称"), 60},
    {QStringLiteral("件数"), 40},   {QStringLiteral("重量"), 40},      {QStringLiteral("体积"), 40},
    {QStringLiteral("计泡否"), 50}, {QStringLiteral("计泡重量"), 60},
};

// Writes the order number into the picking's permanent records and removes its queued record at
// the given position, all or nothing. The queued record must still carry the row's picking
// number, so a list that no longer matches the table never removes another picking.
bool dequeuePicking(int position, const QString &pickingNumber, const QString &orderNumber)
{
    platform::Database db;
    if (!db.open(frame::dataFilePath(QStringLiteral("main.mdb"))))
        return false;
    platform::Transaction transaction(db);
    platform::Recordset rs;
    rs.attach(db);
    if (!transaction.isActive() || !rs.openTableWhere(pickingTable, {{pickingNumberField, pickingNumber}}))
        return false;
    for (rs.moveFirst(); !rs.isEof(); rs.moveNext()) {
        rs.writeText(QStringLiteral("业务单号"), orderNumber);
        if (!rs.update())
            return false;
    }
    return rs.openTable(pendingTable) && rs.moveTo(position) && rs.readText(pickingNumberField) == pickingNumber &&
           rs.deleteCurrent() && transaction.commit();
}

} // namespace

OrderEntryPage::OrderEntryPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::OrderEntryPage>())
{
    ui->setupUi(this);
    platform::listViewSetColumns(ui->超级列表框_受理_待处理的检货信息, pendingColumns);

    connect(ui->超级列表框_受理_待处理的检货信息, &QTreeWidget::itemDoubleClicked, this,
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
    frame::mainWindow()->showWorkPage(orderEntryPageIndex, ui->外形框_受理_底框, QStringLiteral("业务单录入..."));
    refreshPendingPickingList();
}

void OrderEntryPage::refreshPendingPickingList()
{
    // Every step runs whatever the previous one gave: a file or table that did not open leaves
    // the recordset empty, and so the list.
    m_pendingDb.open(frame::dataFilePath(QStringLiteral("main.mdb")));
    m_pendingRs.attach(m_pendingDb);
    m_pendingRs.openTable(pendingTable);
    m_pendingRs.moveFirst();
    QTreeWidget *list = ui->超级列表框_受理_待处理的检货信息;
    platform::listViewClear(list);
    const int n = m_pendingRs.recordCount();
    for (int i = 0; i < n; ++i) {
        const int row = platform::listViewAddRow(list, m_pendingRs.readText(pickingNumberField));
        platform::listViewSetCell(list, row, 1,
                                  platform::valueToText(m_pendingRs.readDateTime(QStringLiteral("检货时间"))));
        platform::listViewSetCell(list, row, 2, m_pendingRs.readText(QStringLiteral("货物名称")));
        platform::listViewSetCell(list, row, 3, platform::valueToText(m_pendingRs.readInt(QStringLiteral("实际件数"))));
        platform::listViewSetCell(list, row, 4, platform::valueToText(m_pendingRs.readInt(QStringLiteral("实际重量"))));
        platform::listViewSetCell(list, row, 5, platform::valueToText(m_pendingRs.readInt(QStringLiteral("实际体积"))));
        platform::listViewSetCell(list, row, 6, m_pendingRs.readText(QStringLiteral("计抛否")));
        platform::listViewSetCell(list, row, 7, platform::valueToText(m_pendingRs.readInt(QStringLiteral("计抛重量"))));
        m_pendingRs.moveNext();
    }
    m_pendingRs.close();
    m_pendingDb.close();
}

void OrderEntryPage::takePickingIntoOrder(QTreeWidgetItem *item)
{
    QTreeWidget *list = ui->超级列表框_受理_待处理的检货信息;
    const int row = list->indexOfTopLevelItem(item);
    if (!dequeuePicking(row, platform::listViewCell(list, row, 0), ui->编辑框_受理_业务单号->text())) {
        platform::messageBox(QStringLiteral("删除检货临时库中与被双击列表行相关的记录失败!"));
        return;
    }
    ui->编辑框_受理_货物名称->setText(platform::listViewCell(list, row, 2));
    ui->编辑框_受理_件数->setText(platform::listViewCell(list, row, 3));
    ui->编辑框_受理_重量->setText(platform::listViewCell(list, row, 4));
    ui->编辑框_受理_体积->setText(platform::listViewCell(list, row, 5));
    ui->选择框_受理_计抛否->setChecked(platform::listViewCell(list, row, 6) == QStringLiteral("是"));
    ui->编辑框_受理_计抛重量->setText(platform::listViewCell(list, row, 7));
    refreshPendingPickingList();
}

void OrderEntryPage::leaveOrderEntryPage()
{
    frame::mainWindow()->returnToStartPage();
}

} // namespace desk
