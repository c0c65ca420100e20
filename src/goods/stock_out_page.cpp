#include "goods/stock_out_page.h"

#include "frame/db_access.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "platform/recordset.h"
#include "platform/text_conversions.h"
#include "ui_stock_out_page.h"

namespace goods {

namespace {

// A cell never typed into has no item; it reads as an empty text.
QString cellText(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

StockOutPage::StockOutPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::StockOutPage>())
{
    ui->setupUi(this);
    connect(ui->按钮_出库_添加行, &QPushButton::clicked, this, &StockOutPage::appendStockOutRow);
    connect(ui->按钮_出库_保存出库信息, &QPushButton::clicked, this, &StockOutPage::saveStockOut);
}

StockOutPage::~StockOutPage() = default;

void StockOutPage::appendStockOutRow()
{
    QTableWidget *grid = ui->高级表格_出库;
    grid->insertRow(grid->rowCount());
    grid->setCurrentCell(grid->rowCount() - 1, 0);
}

void StockOutPage::saveStockOut()
{
    // With no row there is nothing to queue: nothing is opened and nothing is shown.
    if (ui->高级表格_出库->rowCount() == 0)
        return;
    platform::messageBox(queueStockOutRows() ? QStringLiteral("保存成功!") : QStringLiteral("保存失败!"));
}

// One 出库临时表 record per grid row, all in one transaction, so the queue never holds half a release.
bool StockOutPage::queueStockOutRows()
{
    const QTableWidget *grid = ui->高级表格_出库;
    platform::Database db;
    if (!db.open(frame::dataFilePath(QStringLiteral("main.mdb"))))
        return false;
    platform::Transaction transaction(db);
    platform::Recordset queue;
    queue.attach(db);
    if (!transaction.isActive() || !queue.openTable(QStringLiteral("出库临时表")))
        return false;
    for (int row = 0; row < grid->rowCount(); ++row) {
        queue.addNew();
        queue.writeText(QStringLiteral("业务单号"), cellText(grid, row, 0));
        queue.writeText(QStringLiteral("货物名称"), cellText(grid, row, 1));
        queue.writeInt(QStringLiteral("件数"), platform::textToInt(cellText(grid, row, 2)));
        queue.writeInt(QStringLiteral("截留件数"), platform::textToInt(cellText(grid, row, 3)));
        queue.writeInt(QStringLiteral("重量"), platform::textToInt(cellText(grid, row, 4)));
        queue.writeInt(QStringLiteral("体积"), platform::textToInt(cellText(grid, row, 5)));
        if (!queue.update())
            return false;
    }
    return transaction.commit();
}

} // namespace goods
