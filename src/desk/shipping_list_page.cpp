#include "desk/shipping_list_page.h"

#include "desk/shipping_list_store.h"
#include "frame/main_window.h"
#include "frame/session.h"
#include "platform/edit_box.h"
#include "platform/message_box.h"
#include "platform/sheet_grid.h"
#include "platform/text_conversions.h"
#include "ui_shipping_list_page.h"

#include <QTime>

namespace desk {

namespace {

constexpr int shippingListPageIndex = 3;

QString saveMessage(const SaveResult &result)
{
    switch (result.outcome) {
    case SaveResult::Saved:
        return QStringLiteral("保存成功!");
    case SaveResult::SheetNotPlaced:
        return QStringLiteral("发货清单已保存, 但清单表格文件未能存入:\r\n%1\r\n下次打开发货清单录入时将再次存入.")
            .arg(result.sheetPath);
    case SaveResult::NumberTaken:
        return QStringLiteral("保存失败!\r\n发货清单号已被使用.");
    case SaveResult::NumberNotFileName:
    case SaveResult::NoSheetTemplate:
    case SaveResult::SheetNotWritten:
    case SaveResult::RecordsNotSaved:
        break;
    }
    return QStringLiteral("保存失败!");
}

} // namespace

ShippingListPage::ShippingListPage(frame::MainWindow &main)
    : QWidget(&main), ui(std::make_unique<Ui::ShippingListPage>()), m_main(main), m_sheet(new platform::Sheet(this))
{
    ui->setupUi(this);
    m_sheet->setObjectName(QStringLiteral("数据源_发货清单录入"));
    ui->表格_发货清单录入->setSheet(m_sheet);
    loadEmptySheet();

    connect(ui->按钮_发货清单_获取当日出货清单, &QPushButton::clicked, this, &ShippingListPage::loadTodaysOutboundList);
    connect(ui->按钮_发货清单_添加行, &QPushButton::clicked, this, &ShippingListPage::appendShippingGridRow);
    connect(ui->表格_发货清单录入, &platform::SheetGrid::returnPressed, this, &ShippingListPage::appendShippingGridRow);
    connect(ui->按钮_发货清单_手动添加行, &QPushButton::clicked, this, &ShippingListPage::completeTypedOrderRows);
    connect(ui->按钮_发货清单_统计, &QPushButton::clicked, this, &ShippingListPage::sumShippingListTotals);
    connect(ui->按钮_发货清单_保存, &QPushButton::clicked, this, &ShippingListPage::saveShippingList);
    connect(ui->按钮_发货清单_返回, &QPushButton::clicked, this, &ShippingListPage::leaveShippingListPage);
}

ShippingListPage::~ShippingListPage() = default;

void ShippingListPage::openShippingListPage()
{
    clearInterruptedSaves();
    loadEmptySheet();
    ui->编辑框_发货清单_发货清单号->setText(frame::documentCounters().number(frame::DocumentKind::ShippingList));
    // One reading of the clock, so the date and the hour always belong together.
    const QDateTime now = QDateTime::currentDateTime();
    platform::fillEditBox(ui->编辑框_发货清单_制单日期,
                          platform::dateText(now.date()) + QString::number(now.time().hour()) + QStringLiteral("点"));
    m_main.showWorkPage(shippingListPageIndex, ui->外形框_发货清单录入_底框, QStringLiteral("发货清单录入..."));
}

// The empty sheet replaces every row, so the last row is its own and no queued line is shown.
void ShippingListPage::loadEmptySheet()
{
    loadEmptyShippingSheet(*m_sheet);
    m_shippingGridLastRow = m_sheet->rowCount();
    m_loadedQueue.clear();
}

void ShippingListPage::loadTodaysOutboundList()
{
    if (m_shippingGridLastRow > shippingLastHeaderRow) {
        m_sheet->deleteRows(shippingFirstDataRow, m_shippingGridLastRow - shippingLastHeaderRow);
        m_shippingGridLastRow = shippingLastHeaderRow;
    }
    const OutboundLines outbound = readOutboundLines();
    ui->表格_发货清单录入->setSheet(nullptr);
    for (const ShippingLine &line : outbound.lines) {
        appendShippingGridRow();
        setShippingLine(*m_sheet, m_shippingGridLastRow, line);
    }
    m_loadedQueue = outbound.queued;
    setSheetHeader(*m_sheet, headerBoxes());
    ui->表格_发货清单录入->setSheet(m_sheet);
}

void ShippingListPage::appendShippingGridRow()
{
    m_shippingGridLastRow = appendShippingLine(*m_sheet);
    m_sheet->setCurrentRow(m_shippingGridLastRow);
}

// Rows with a typed order number get the consignee of its last order; the others stay as they are.
void ShippingListPage::completeTypedOrderRows()
{
    const QList<ShippingLine> lines = dataLines();
    QStringList numbers;
    for (const ShippingLine &line : lines)
        if (!line.orderNumber.isEmpty())
            numbers.append(line.orderNumber);
    const QHash<QString, Consignee> consignees = readConsignees(numbers);
    for (int i = 0; i < lines.size(); ++i) {
        const auto found = consignees.constFind(lines[i].orderNumber);
        if (found == consignees.cend())
            continue;
        ShippingLine line = lines[i];
        fillConsignee(line, *found);
        setShippingLine(*m_sheet, shippingFirstDataRow + i, line);
    }
}

void ShippingListPage::sumShippingListTotals()
{
    const QList<std::pair<QString ShippingLine::*, QLineEdit *>> totals = {
        {&ShippingLine::pieces, ui->编辑框_发货清单_总计件数},
        {&ShippingLine::heldPieces, ui->编辑框_发货清单_总计截留件数},
        {&ShippingLine::weight, ui->编辑框_发货清单_总计重量},
        {&ShippingLine::volume, ui->编辑框_发货清单_总计体积}};
    const QList<ShippingLine> lines = dataLines();
    for (const auto &[member, box] : totals) {
        qint64 sum = 0;
        for (const ShippingLine &line : lines)
            sum += platform::textToInt(line.*member);
        box->setText(QString::number(sum));
    }
}

void ShippingListPage::saveShippingList()
{
    const SaveResult result = storeShippingList(shownList());
    platform::messageBox(saveMessage(result));
    if (result.outcome != SaveResult::Saved && result.outcome != SaveResult::SheetNotPlaced)
        return;
    // The list is committed either way: the page moves on to the next one.
    loadEmptySheet();
    ui->编辑框_发货清单_发货清单号->setText(frame::documentCounters().number(frame::DocumentKind::ShippingList));
    // The totals belong to the saved sheet; the next list gets its own.
    for (QLineEdit *box : {ui->编辑框_发货清单_总计件数, ui->编辑框_发货清单_总计截留件数, ui->编辑框_发货清单_总计重量,
                           ui->编辑框_发货清单_总计体积})
        box->clear();
}

QList<ShippingLine> ShippingListPage::dataLines() const
{
    QList<ShippingLine> lines;
    for (int row = shippingFirstDataRow; row <= m_shippingGridLastRow; ++row)
        lines.append(shippingLine(*m_sheet, row));
    return lines;
}

SheetHeader ShippingListPage::headerBoxes() const
{
    return {ui->编辑框_发货清单_发货清单号->text(), ui->编辑框_发货清单_司机姓名->text(),
            ui->编辑框_发货清单_司机运费->text(), ui->编辑框_发货清单_车牌号->text(),
            ui->编辑框_发货清单_制单日期->text()};
}

ShippingList ShippingListPage::shownList() const
{
    const SheetHeader boxes = headerBoxes();
    const ShippingListRecord record{boxes.number,
                                    boxes.driver,
                                    platform::textToInt(boxes.driverFare),
                                    boxes.plate,
                                    boxes.date,
                                    platform::textToInt(ui->编辑框_发货清单_总计件数->text()),
                                    platform::textToInt(ui->编辑框_发货清单_总计截留件数->text()),
                                    platform::textToInt(ui->编辑框_发货清单_总计重量->text()),
                                    platform::textToInt(ui->编辑框_发货清单_总计体积->text())};
    return {record, sheetHeader(*m_sheet), dataLines(), m_loadedQueue};
}

void ShippingListPage::leaveShippingListPage()
{
    m_main.returnToStartPage();
}

} // namespace desk
