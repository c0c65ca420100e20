#include "goods/stock_out_page.h"

#include "platform/message_box.h"
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
    if (!queueStockOut(gridLines())) {
        platform::messageBox(QStringLiteral("保存失败!"));
        return;
    }
    // Queued rows leave the grid, so a second click cannot queue the same goods again.
    ui->高级表格_出库->setRowCount(0);
    platform::messageBox(QStringLiteral("保存成功!"));
}

QList<StockOutLine> StockOutPage::gridLines() const
{
    const QTableWidget *grid = ui->高级表格_出库;
    QList<StockOutLine> lines;
    for (int row = 0; row < grid->rowCount(); ++row)
        lines.append({cellText(grid, row, 0), cellText(grid, row, 1), platform::textToInt(cellText(grid, row, 2)),
                      platform::textToInt(cellText(grid, row, 3)), platform::textToInt(cellText(grid, row, 4)),
                      platform::textToInt(cellText(grid, row, 5))});
    return lines;
}

} // namespace goods
