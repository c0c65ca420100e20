#include "desk/shipping_list_page.h"

#include "frame/db_access.h"
#include "frame/main_window.h"
#include "frame/session.h"
#include "platform/database.h"
#include "platform/dialogs.h"
#include "platform/ini_file.h"
#include "platform/program_directory.h"
#include "platform/recordset.h"
#include "platform/sheet_grid.h"
#include "platform/text_conversions.h"
#include "ui_shipping_list_page.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <optional>

namespace desk {

namespace {

constexpr int lastHeaderRow = 3;
constexpr int firstDataRow = 4;
constexpr int sheetColumns = 27;
constexpr int headerRow = 2;

// The sheet columns that the list fills; a merged group is named by its first column.
namespace column {
constexpr int orderNumber = 1;
constexpr int goods = 2;
constexpr int pieces = 3;
constexpr int heldPieces = 4;
constexpr int weight = 7;
constexpr int volume = 9;
constexpr int consignee = 10;
constexpr int company = 12;
constexpr int address = 15;
constexpr int phones = 20;
constexpr int collectAmount = 25;
constexpr int settlement = 27;
} // namespace column

// Every data row looks the same whoever appends it: two text lines high (the phone cell holds
// two numbers), centred text, and the column groups of the title row.
constexpr int dataRowHeight = 40;
const platform::CellStyle dataCellStyle{platform::CellStyle::Align::Center};
const QList<platform::Sheet::Merge> dataRowMerges = {{4, 6}, {7, 8}, {10, 11}, {12, 14}, {15, 19}, {20, 24}, {25, 26}};

const QString queueFile = QStringLiteral("mainmdb");

// The folder of saved shipping-list sheets, relative to the program directory unless absolute.
QString sheetFolder()
{
    const QString folder = platform::IniFile(platform::programPath(QStringLiteral("program.ini")))
                               .value(QStringLiteral("系统"), QStringLiteral("发货清单保存路径"));
    return QDir(platform::programDirectory()).filePath(folder.isEmpty() ? QStringLiteral("grd_fhqd") : folder);
}

// A list number names its sheet file, so it must stay one file name inside the folder.
bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") && !name.contains(u'/') &&
           !name.contains(u'\\');
}

// A sheet file written before the records it belongs to are committed: unless kept, the file is
// put back as it was, so a failed save leaves no sheet of a list that was not saved.
class SheetFileWrite
{
public:
    explicit SheetFileWrite(QString path) : m_path(std::move(path))
    {
        QFile previous(m_path);
        if (previous.open(QIODevice::ReadOnly))
            m_previous = previous.readAll();
    }
    ~SheetFileWrite()
    {
        if (!m_written || m_kept)
            return;
        if (!m_previous) {
            QFile::remove(m_path);
            return;
        }
        QSaveFile restore(m_path);
        if (restore.open(QIODevice::WriteOnly) && restore.write(*m_previous) == m_previous->size())
            restore.commit();
    }
    SheetFileWrite(const SheetFileWrite &) = delete;
    SheetFileWrite &operator=(const SheetFileWrite &) = delete;

    bool write(const platform::Sheet &sheet)
    {
        m_written = sheet.save(m_path);
        return m_written;
    }
    void keep() { m_kept = true; }

private:
    QString m_path;
    std::optional<QByteArray> m_previous;
    bool m_written = false;
    bool m_kept = false;
};

} // namespace

ShippingListPage::ShippingListPage(QWidget *parent)
    : QWidget(parent), ui(std::make_unique<Ui::ShippingListPage>()), m_sheet(new platform::Sheet(this))
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
    loadEmptySheet();
    ui->编辑框_发货清单_发货清单号->setText(frame::documentCounters().number(frame::DocumentKind::ShippingList));
    const QDateTime now = QDateTime::currentDateTime();
    ui->编辑框_发货清单_制单日期->setText(platform::valueToText(QDateTime(now.date(), QTime(0, 0))) +
                                          QString::number(now.time().hour()) + QStringLiteral("点"));
    frame::mainWindow()->showWorkPage(3, ui->外形框_发货清单录入_底框, QStringLiteral("发货清单录入..."));
}

// The template replaces every row, so the last row is the template's own.
void ShippingListPage::loadEmptySheet()
{
    m_sheet->load(platform::programPath(QStringLiteral("grd/null.grd")));
    ShippingGridLastRow = m_sheet->rowCount();
}

void ShippingListPage::loadTodaysOutboundList()
{
    if (ShippingGridLastRow > lastHeaderRow) {
        m_sheet->deleteRows(firstDataRow, ShippingGridLastRow - lastHeaderRow);
        ShippingGridLastRow = lastHeaderRow;
    }
    platform::Database db;
    platform::Recordset records;
    db.open(frame::dataFilePath(QStringLiteral("main.mdb")));
    records.attach(db);
    records.openTable(QStringLiteral("出库临时表"));
    records.moveFirst();
    const int n = records.recordCount();
    ui->表格_发货清单录入->setSheet(nullptr);
    for (int i = 0; i < n; ++i) {
        appendShippingGridRow();
        const int row = ShippingGridLastRow;
        m_sheet->setText(row, column::orderNumber, records.readText(QStringLiteral("业务单号")));
        m_sheet->setText(row, column::goods, records.readText(QStringLiteral("货物名称")));
        m_sheet->setText(row, column::pieces, platform::valueToText(records.readInt(QStringLiteral("件数"))));
        m_sheet->setText(row, column::heldPieces, platform::valueToText(records.readInt(QStringLiteral("截留件数"))));
        m_sheet->setText(row, column::weight, platform::valueToText(records.readInt(QStringLiteral("重量"))));
        m_sheet->setText(row, column::volume, platform::valueToText(records.readInt(QStringLiteral("体积"))));
        records.moveNext();
    }
    records.close();
    for (int row = firstDataRow; row <= ShippingGridLastRow; ++row)
        completeConsigneeColumns(records, row);
    records.close();
    db.close();
    m_sheet->setText(headerRow, 2, ui->编辑框_发货清单_发货清单号->text());
    m_sheet->setText(headerRow, 5, ui->编辑框_发货清单_司机姓名->text());
    m_sheet->setText(headerRow, 11, ui->编辑框_发货清单_司机运费->text());
    m_sheet->setText(headerRow, 14, ui->编辑框_发货清单_车牌号->text());
    m_sheet->setText(headerRow, 19, ui->编辑框_发货清单_制单日期->text());
    ui->表格_发货清单录入->setSheet(m_sheet);
}

// The consignee of the last order in table order with exactly the row's order number, found
// through the index on 业务单号; a number with no order leaves the columns as they are.
void ShippingListPage::completeConsigneeColumns(platform::Recordset &orders, int row)
{
    const QString number = m_sheet->text(row, column::orderNumber);
    if (!orders.openTableWhere(QStringLiteral("业务单"), {{QStringLiteral("业务单号"), number}}) || !orders.moveLast())
        return;
    m_sheet->setText(row, column::consignee, orders.readText(QStringLiteral("收货人姓名")));
    m_sheet->setText(row, column::company, orders.readText(QStringLiteral("收货单位")));
    m_sheet->setText(row, column::address, orders.readText(QStringLiteral("收货地址")));
    m_sheet->setText(row, column::phones,
                     orders.readText(QStringLiteral("收货电话")) + QStringLiteral("\r\n") +
                         orders.readText(QStringLiteral("收货手机")));
    m_sheet->setText(row, column::collectAmount, platform::valueToText(orders.readInt(QStringLiteral("代收货款金额"))));
    m_sheet->setText(row, column::settlement, orders.readText(QStringLiteral("结算方式")));
}

void ShippingListPage::appendShippingGridRow()
{
    ShippingGridLastRow = m_sheet->appendRow();
    m_sheet->setCurrentRow(ShippingGridLastRow);
    m_sheet->setRowHeight(ShippingGridLastRow, dataRowHeight);
    m_sheet->setStyle(ShippingGridLastRow, 1, sheetColumns, dataCellStyle);
    for (const auto &[first, last] : dataRowMerges)
        m_sheet->merge(ShippingGridLastRow, first, last);
}

void ShippingListPage::completeTypedOrderRows()
{
    platform::Database db;
    platform::Recordset orders;
    db.open(frame::dataFilePath(QStringLiteral("main.mdb")));
    orders.attach(db);
    for (int row = firstDataRow; row <= ShippingGridLastRow; ++row)
        if (!m_sheet->text(row, column::orderNumber).isEmpty())
            completeConsigneeColumns(orders, row);
}

void ShippingListPage::sumShippingListTotals()
{
    const QList<std::pair<int, QLineEdit *>> totals = {{column::pieces, ui->编辑框_发货清单_总计件数},
                                                       {column::heldPieces, ui->编辑框_发货清单_总计截留件数},
                                                       {column::weight, ui->编辑框_发货清单_总计重量},
                                                       {column::volume, ui->编辑框_发货清单_总计体积}};
    for (const auto &[sheetColumn, box] : totals) {
        qint64 sum = 0;
        for (int row = firstDataRow; row <= ShippingGridLastRow; ++row)
            sum += platform::textToInt(m_sheet->text(row, sheetColumn));
        box->setText(QString::number(sum));
    }
}

void ShippingListPage::saveShippingList()
{
    if (!storeShippingList()) {
        platform::messageBox(QStringLiteral("保存失败!"));
        return;
    }
    platform::messageBox(QStringLiteral("保存成功!"));
    loadEmptySheet();
    ui->编辑框_发货清单_发货清单号->setText(frame::documentCounters().number(frame::DocumentKind::ShippingList));
    // The totals belong to the saved sheet; the next list gets its own.
    for (QLineEdit *box : {ui->编辑框_发货清单_总计件数, ui->编辑框_发货清单_总计截留件数, ui->编辑框_发货清单_总计重量,
                           ui->编辑框_发货清单_总计体积})
        box->clear();
}

// The sheet file, the 发货清单 record and the emptied stock-out queue, all or none: both database
// files commit in one transaction, and the sheet file is put back as it was unless that commit succeeds.
bool ShippingListPage::storeShippingList()
{
    const QString number = ui->编辑框_发货清单_发货清单号->text();
    if (!isPlainFileName(number))
        return false;
    SheetFileWrite file(QDir(sheetFolder()).filePath(number + QStringLiteral(".grd")));
    if (!file.write(*m_sheet))
        return false;
    platform::WriteSession session(
        frame::dataFilePath(QStringLiteral("ywzhxx.mdb")),
        {{queueFile, frame::dataFilePath(QStringLiteral("main.mdb"))}, frame::DocumentCounters::counterAttachment()});
    platform::Recordset &records = session.records();
    if (!session.openTable(QStringLiteral("发货清单")))
        return false;
    records.addNew();
    records.writeText(QStringLiteral("发货清单号"), number);
    records.writeText(QStringLiteral("司机姓名"), ui->编辑框_发货清单_司机姓名->text());
    records.writeInt(QStringLiteral("司机运费"), platform::textToInt(ui->编辑框_发货清单_司机运费->text()));
    records.writeText(QStringLiteral("车牌号"), ui->编辑框_发货清单_车牌号->text());
    records.writeText(QStringLiteral("制单日期"), ui->编辑框_发货清单_制单日期->text());
    records.writeInt(QStringLiteral("总计件数"), platform::textToInt(ui->编辑框_发货清单_总计件数->text()));
    records.writeInt(QStringLiteral("总计截留件数"), platform::textToInt(ui->编辑框_发货清单_总计截留件数->text()));
    records.writeInt(QStringLiteral("总计重量"), platform::textToInt(ui->编辑框_发货清单_总计重量->text()));
    records.writeInt(QStringLiteral("总计体积"), platform::textToInt(ui->编辑框_发货清单_总计体积->text()));
    if (!records.update() || !session.openTable(queueFile + QStringLiteral(".出库临时表")) || !records.deleteAll() ||
        !frame::documentCounters().nextDocumentNumber(session, frame::DocumentKind::ShippingList) || !session.commit())
        return false;
    file.keep();
    return true;
}

void ShippingListPage::leaveShippingListPage()
{
    frame::mainWindow()->returnToStartPage();
}

} // namespace desk
