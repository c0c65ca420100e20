#include "goods/inbound_goods_page.h"

#include "goods/inbound_goods_filter.h"
#include "platform/edit_box.h"
#include "platform/focus.h"
#include "platform/list_view.h"
#include "platform/message_box.h"
#include "platform/text_conversions.h"
#include "ui_inbound_goods_page.h"

namespace goods {

namespace {

const QString queryCaption = QStringLiteral("查 询");
const QString modifyCaption = QStringLiteral("修 改");

// An edit box of the page and the value of the record it shows: the box named after the column.
struct BoxField {
    QLineEdit *Ui::InboundGoodsPage::*box;
    InboundGoodsMember member;
};

const QList<BoxField> &boxFields()
{
    using U = Ui::InboundGoodsPage;
    using G = InboundGoods;
    static const QList<BoxField> fields = {
        {&U::编辑框_外地入埠_品名, &G::name},
        {&U::编辑框_外地入埠_始发地, &G::origin},
        {&U::编辑框_外地入埠_到达日期, &G::arrival},
        {&U::编辑框_外地入埠_入库人, &G::receiver},
        {&U::编辑框_外地入埠_原包装, &G::packing},
        {&U::编辑框_外地入埠_件数, &G::pieces},
        {&U::编辑框_外地入埠_重量, &G::weight},
        {&U::编辑框_外地入埠_体积, &G::volume},
        {&U::编辑框_外地入埠_提货人姓名, &G::pickerName},
        {&U::编辑框_外地入埠_提货人电话, &G::pickerPhone},
        {&U::编辑框_外地入埠_提货人单位, &G::pickerCompany},
        {&U::编辑框_外地入埠_提货人地址, &G::pickerAddress},
        {&U::编辑框_外地入埠_提货日期, &G::pickUpDate},
        {&U::编辑框_外地入埠_出库人, &G::releasedBy},
    };
    return fields;
}

void fromText(const QString &text, QString &value)
{
    value = text;
}
void fromText(const QString &text, int &value)
{
    value = platform::textToInt(text);
}
void fromText(const QString &text, QDateTime &value)
{
    value = platform::textToDateTime(text);
}
QString toText(const QString &value)
{
    return value;
}
QString toText(int value)
{
    return platform::valueToText(value);
}
QString toText(const QDateTime &value)
{
    return platform::valueToText(value);
}

using Kind = platform::ColumnKind;
const platform::ListColumns listColumns = {
    {QStringLiteral("品名"), 60, QStringLiteral("品名"), Kind::Text},
    {QStringLiteral("始发地"), 120, QStringLiteral("始发地"), Kind::Text},
    {QStringLiteral("原包装"), 50, QStringLiteral("原包装"), Kind::Text},
    {QStringLiteral("件数"), 40, QStringLiteral("件数"), Kind::Number},
    {QStringLiteral("提货人"), 50, QStringLiteral("提货人姓名"), Kind::Text},
    {QStringLiteral("提货电话"), 70, QStringLiteral("提货人电话"), Kind::Text},
    {QStringLiteral("提货单位"), 145, QStringLiteral("提货人单位"), Kind::Text},
};

} // namespace

InboundGoodsPage::InboundGoodsPage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::InboundGoodsPage>())
{
    ui->setupUi(this);
    ui->超级列表框_外地入埠_查询列表->setColumns(listColumns);
    connect(ui->按钮_外地入埠_保存, &QPushButton::clicked, this, &InboundGoodsPage::saveInboundGoods);
    connect(ui->按钮_外地入埠_查询, &QPushButton::clicked, this, &InboundGoodsPage::queryInboundGoods);
    connect(ui->超级列表框_外地入埠_查询列表->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &InboundGoodsPage::showInboundGoodsRecord);
}

InboundGoodsPage::~InboundGoodsPage() = default;

void InboundGoodsPage::fillOpeningBoxes(const QString &now, const QString &operatorName)
{
    platform::fillEditBox(ui->编辑框_外地入埠_到达日期, now);
    ui->编辑框_外地入埠_入库人->setText(operatorName);
    platform::fillEditBox(ui->编辑框_外地入埠_提货日期, now);
}

InboundGoods InboundGoodsPage::shownGoods() const
{
    InboundGoods goods;
    for (const BoxField &field : boxFields()) {
        const QString text = (ui.get()->*field.box)->text();
        std::visit([&](auto member) { fromText(text, goods.*member); }, field.member);
    }
    goods.pickUpWay = ui->组合框_外地入埠_提货方式->currentText();
    return goods;
}

void InboundGoodsPage::showGoods(const InboundGoods &goods)
{
    for (const BoxField &field : boxFields())
        std::visit([&](auto member) { platform::fillEditBox(ui.get()->*field.box, toText(goods.*member)); },
                   field.member);
    // The combo is editable so that a stored way its list does not offer shows as it is, and a
    // later save keeps it.
    QComboBox *way = ui->组合框_外地入埠_提货方式;
    way->setCurrentIndex(way->findText(goods.pickUpWay));
    way->setEditText(goods.pickUpWay);
    ui->选择框_外地入埠_已提货->setChecked(goods.pickedUp);
}

void InboundGoodsPage::saveInboundGoods()
{
    platform::messageBox(appendInboundGoods(shownGoods()) ? QStringLiteral("保存成功!") : QStringLiteral("保存失败!"));
}

void InboundGoodsPage::showInboundGoodsRecord()
{
    const platform::ReportList *list = ui->超级列表框_外地入埠_查询列表;
    const int row = platform::selectedRow(list);
    if (row < 0)
        return;
    // The record as it is now; one deleted since the query shows nothing new.
    if (const auto goods = readInboundGoods(list->listing().recordId(row)))
        showGoods(*goods);
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
    inboundGoodsFilter() = inboundGoodsCondition(from, to, !ui->选择框_外地入埠_未提货->isChecked());

    platform::ReportList *list = ui->超级列表框_外地入埠_查询列表;
    list->setListing(listInboundGoods(inboundGoodsFilter()));
    if (platform::listViewRowCount(list) == 0) {
        platform::messageBox(QStringLiteral("没有记录!"));
        ui->按钮_外地入埠_保存->setEnabled(true);
        return;
    }
    // No record is appended from the page while a listing is open for correction.
    ui->按钮_外地入埠_保存->setEnabled(false);
    ui->按钮_外地入埠_查询->setText(modifyCaption);
}

void InboundGoodsPage::modifyStep()
{
    const platform::ReportList *list = ui->超级列表框_外地入埠_查询列表;
    const int row = platform::selectedRow(list);
    if (row < 0) {
        // Nothing to write: the listing stays open for the operator to pick a row.
        platform::messageBox(QStringLiteral("请先在查询列表中选择要修改的记录!"));
        return;
    }
    const bool written =
        writePickedUpFlag(listedInboundGoodsAt(list->listing(), row), ui->选择框_外地入埠_已提货->isChecked());
    platform::messageBox(written ? QStringLiteral("修改'已提货'标志成功!") : QStringLiteral("修改'已提货'标志失败!"));
    ui->按钮_外地入埠_查询->setText(queryCaption);
    queryInboundGoods();
}

} // namespace goods
