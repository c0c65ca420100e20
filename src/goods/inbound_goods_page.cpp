#include "goods/inbound_goods_page.h"

#include "frame/db_access.h"
#include "goods/inbound_goods_filter.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "platform/filter.h"
#include "platform/list_view.h"
#include "platform/recordset.h"
#include "platform/text_conversions.h"
#include "ui_inbound_goods_page.h"

namespace goods {

namespace {

const QString queryCaption = QStringLiteral("查 询");
const QString modifyCaption = QStringLiteral("修 改");
const QString pickedUpColumn = QStringLiteral("已提货");
const QString pickUpWayColumn = QStringLiteral("提货方式");

// A column of 外地入埠货物 and the edit box named after it.
struct BoxField {
    QString column;
    QLineEdit *Ui::InboundGoodsPage::*box;
    platform::ColumnKind kind;
};

const QList<BoxField> &boxFields()
{
    using U = Ui::InboundGoodsPage;
    static const QList<BoxField> fields = {
        {QStringLiteral("品名"), &U::编辑框_外地入埠_品名, platform::ColumnKind::Text},
        {QStringLiteral("始发地"), &U::编辑框_外地入埠_始发地, platform::ColumnKind::Text},
        {QStringLiteral("到达日期"), &U::编辑框_外地入埠_到达日期, platform::ColumnKind::DateTime},
        {QStringLiteral("入库人"), &U::编辑框_外地入埠_入库人, platform::ColumnKind::Text},
        {QStringLiteral("原包装"), &U::编辑框_外地入埠_原包装, platform::ColumnKind::Text},
        {QStringLiteral("件数"), &U::编辑框_外地入埠_件数, platform::ColumnKind::Number},
        {QStringLiteral("重量"), &U::编辑框_外地入埠_重量, platform::ColumnKind::Number},
        {QStringLiteral("体积"), &U::编辑框_外地入埠_体积, platform::ColumnKind::Number},
        {QStringLiteral("提货人姓名"), &U::编辑框_外地入埠_提货人姓名, platform::ColumnKind::Text},
        {QStringLiteral("提货人电话"), &U::编辑框_外地入埠_提货人电话, platform::ColumnKind::Text},
        {QStringLiteral("提货人单位"), &U::编辑框_外地入埠_提货人单位, platform::ColumnKind::Text},
        {QStringLiteral("提货人地址"), &U::编辑框_外地入埠_提货人地址, platform::ColumnKind::Text},
        {QStringLiteral("提货日期"), &U::编辑框_外地入埠_提货日期, platform::ColumnKind::DateTime},
        {QStringLiteral("出库人"), &U::编辑框_外地入埠_出库人, platform::ColumnKind::Text},
    };
    return fields;
}

// Opens 外地入埠货物 whole; a file or table that does not open leaves the recordset empty, so
// every read finds nothing and every update fails.
void openInboundGoods(platform::Database &db, platform::Recordset &records)
{
    db.open(frame::dataFilePath(QStringLiteral("ywzhxx.mdb")));
    records.attach(db);
    records.openTable(QStringLiteral("外地入埠货物"));
}

// Writes the picked-up flag of the record that row shows under the given filter.
bool writePickedUpFlag(const QString &filter, int row, const QString &flag)
{
    platform::Database db;
    platform::Recordset records;
    openInboundGoods(db, records);
    records.setFilter(filter);
    records.moveTo(row);
    records.writeText(pickedUpColumn, flag);
    return records.update();
}

} // namespace

InboundGoodsPage::InboundGoodsPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::InboundGoodsPage>())
{
    ui->setupUi(this);
    platform::listViewSetColumns(ui->超级列表框_外地入埠_查询列表, {{QStringLiteral("品名"), 60},
                                                                    {QStringLiteral("始发地"), 120},
                                                                    {QStringLiteral("原包装"), 50},
                                                                    {QStringLiteral("件数"), 40},
                                                                    {QStringLiteral("提货人"), 50},
                                                                    {QStringLiteral("提货电话"), 70},
                                                                    {QStringLiteral("提货单位"), 145}});
    connect(ui->按钮_外地入埠_保存, &QPushButton::clicked, this, &InboundGoodsPage::saveInboundGoods);
    connect(ui->按钮_外地入埠_查询, &QPushButton::clicked, this, &InboundGoodsPage::queryInboundGoods);
    connect(ui->超级列表框_外地入埠_查询列表, &QTreeWidget::itemSelectionChanged, this,
            &InboundGoodsPage::showInboundGoodsRecord);
}

InboundGoodsPage::~InboundGoodsPage() = default;

void InboundGoodsPage::fillOpeningBoxes(const QString &now, const QString &operatorName)
{
    ui->编辑框_外地入埠_到达日期->setText(now);
    ui->编辑框_外地入埠_入库人->setText(operatorName);
    ui->编辑框_外地入埠_提货日期->setText(now);
}

void InboundGoodsPage::saveInboundGoods()
{
    platform::Database db;
    platform::Recordset records;
    openInboundGoods(db, records);
    records.addNew();
    for (const BoxField &field : boxFields()) {
        const QString text = (ui.get()->*field.box)->text();
        switch (field.kind) {
        case platform::ColumnKind::Text:
            records.writeText(field.column, text);
            break;
        case platform::ColumnKind::Number:
            records.writeInt(field.column, platform::textToInt(text));
            break;
        case platform::ColumnKind::DateTime:
            records.writeDateTime(field.column, platform::textToDateTime(text));
            break;
        }
    }
    records.writeText(pickUpWayColumn, ui->组合框_外地入埠_提货方式->currentText());
    platform::messageBox(records.update() ? QStringLiteral("保存成功!") : QStringLiteral("保存失败!"));
}

void InboundGoodsPage::showInboundGoodsRecord()
{
    const int row = platform::selectedRow(ui->超级列表框_外地入埠_查询列表);
    if (row < 0)
        return;
    platform::Database db;
    platform::Recordset records;
    openInboundGoods(db, records);
    records.setFilter(inboundGoodsFilter());
    records.moveTo(row);
    for (const BoxField &field : boxFields()) {
        QString text;
        switch (field.kind) {
        case platform::ColumnKind::Text:
            text = records.readText(field.column);
            break;
        case platform::ColumnKind::Number:
            text = platform::valueToText(records.readInt(field.column));
            break;
        case platform::ColumnKind::DateTime:
            text = platform::valueToText(records.readDateTime(field.column));
            break;
        }
        (ui.get()->*field.box)->setText(text);
    }
    // A stored way that the list does not offer shows as no choice.
    QComboBox *way = ui->组合框_外地入埠_提货方式;
    way->setCurrentIndex(way->findText(records.readText(pickUpWayColumn)));
    ui->选择框_外地入埠_已提货->setChecked(records.readText(pickedUpColumn) == QStringLiteral("是"));
}

void InboundGoodsPage::queryInboundGoods()
{
    const QString mode = ui->按钮_外地入埠_查询->text();
    if (mode == queryCaption)
        queryStep();
    else if (mode == modifyCaption)
        modifyStep();
}

void InboundGoodsPage::queryStep()
{
    const QString from = ui->编辑框_外地入埠_从时间->text();
    const QString to = ui->编辑框_外地入埠_到时间->text();
    if (from.isEmpty() || to.isEmpty()) {
        platform::messageBox(QStringLiteral("请先输入要查询的时间范围!"));
        platform::setFocus(ui->编辑框_外地入埠_从时间);
        return;
    }
    // The typed dates become literals with their apostrophes doubled, so they cannot change the
    // condition; a text that is no date matches nothing.
    inboundGoodsFilter() = QStringLiteral("到达日期 > ") + platform::filterLiteral(from) +
                           QStringLiteral(" and 到达日期 < ") + platform::filterLiteral(to) +
                           (ui->选择框_外地入埠_未提货->isChecked() ? QStringLiteral(" and 已提货 = '否'")
                                                                    : QStringLiteral(" and 已提货 = '是'"));

    QTreeWidget *list = ui->超级列表框_外地入埠_查询列表;
    platform::listViewClear(list);
    platform::Database db;
    platform::Recordset records;
    openInboundGoods(db, records);
    records.setFilter(inboundGoodsFilter());
    const int n = records.recordCount();
    if (n < 1) {
        platform::messageBox(QStringLiteral("没有记录!"));
        ui->按钮_外地入埠_保存->setEnabled(true);
        return;
    }
    // No record is appended from the page while a listing is open for correction.
    ui->按钮_外地入埠_保存->setEnabled(false);
    for (int i = 0; i < n; ++i) {
        const int row = platform::listViewAddRow(list, records.readText(QStringLiteral("品名")));
        platform::listViewSetCell(list, row, 1, records.readText(QStringLiteral("始发地")));
        platform::listViewSetCell(list, row, 2, records.readText(QStringLiteral("原包装")));
        platform::listViewSetCell(list, row, 3, platform::valueToText(records.readInt(QStringLiteral("件数"))));
        platform::listViewSetCell(list, row, 4, records.readText(QStringLiteral("提货人姓名")));
        platform::listViewSetCell(list, row, 5, records.readText(QStringLiteral("提货人电话")));
        platform::listViewSetCell(list, row, 6, records.readText(QStringLiteral("提货人单位")));
        records.moveNext();
    }
    ui->按钮_外地入埠_查询->setText(modifyCaption);
}

void InboundGoodsPage::modifyStep()
{
    const int row = platform::selectedRow(ui->超级列表框_外地入埠_查询列表);
    if (row < 0) {
        // Nothing to write: the listing stays open for the operator to pick a row.
        platform::messageBox(QStringLiteral("请先在查询列表中选择要修改的记录!"));
        return;
    }
    const QString flag = ui->选择框_外地入埠_已提货->isChecked() ? QStringLiteral("是") : QStringLiteral("否");
    platform::messageBox(writePickedUpFlag(inboundGoodsFilter(), row, flag) ? QStringLiteral("修改'已提货'标志成功!")
                                                                            : QStringLiteral("修改'已提货'标志失败!"));
    ui->按钮_外地入埠_查询->setText(queryCaption);
    queryInboundGoods();
}

} // namespace goods
