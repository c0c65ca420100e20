#include "desk/shipping_list_store.h"

#include "frame/db_access.h"
#include "frame/session.h"
#include "platform/atomic_file.h"
#include "platform/database.h"
#include "platform/ini_file.h"
#include "platform/program_directory.h"
#include "platform/recordset.h"
#include "platform/sheet_grid.h"
#include "platform/text_conversions.h"
#include "platform/write_session.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace desk {

namespace {

const QString listTable = QStringLiteral("发货清单");
const QString listNumberField = QStringLiteral("发货清单号");
const QString orderTable = QStringLiteral("业务单");
const QString orderNumberField = QStringLiteral("业务单号");
const QString queueAlias = QStringLiteral("mainmdb");
const QString queueTable = QStringLiteral("出库临时表");
const QString sheetSuffix = QStringLiteral(".grd");
// A sheet's temporary name is its own name with this added.
const QString temporaryMark = QStringLiteral(".tmp");
const QString temporarySuffix = sheetSuffix + temporaryMark;

// The queue in table order with each record's identity, and the orders of its numbers in table
// order (a later one replacing an earlier one of the same number): one query each.
const QString queueQuery =
    QStringLiteral("SELECT rowid AS id, 业务单号, 货物名称, 件数, 截留件数, 重量, 体积 FROM 出库临时表 ORDER BY rowid");
const QString queueConsigneesQuery = QStringLiteral(
    "SELECT 业务单号, 收货人姓名, 收货单位, 收货地址, 收货电话, 收货手机, 代收货款金额, 结算方式 FROM 业务单 "
    "WHERE 业务单号 IN (SELECT 业务单号 FROM 出库临时表) ORDER BY rowid");

QString mainFile()
{
    return frame::dataFilePath(QStringLiteral("main.mdb"));
}

QString listFile()
{
    return frame::dataFilePath(QStringLiteral("ywzhxx.mdb"));
}

// The folder of saved shipping-list sheets, relative to the program directory unless absolute.
QString sheetFolder()
{
    const QString folder = platform::IniFile(platform::programPath(QStringLiteral("program.ini")))
                               .value(QStringLiteral("系统"), QStringLiteral("发货清单保存路径"));
    return QDir(platform::programDirectory()).filePath(folder.isEmpty() ? QStringLiteral("grd_fhqd") : folder);
}

// A list number names its sheet file, so it must stay one plain file name inside the folder.
bool isPlainFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control)
            return false;
    return true;
}

Consignee consigneeAt(platform::Recordset &orders)
{
    return {orders.readText(QStringLiteral("收货人姓名")), orders.readText(QStringLiteral("收货单位")),
            orders.readText(QStringLiteral("收货地址")),   orders.readText(QStringLiteral("收货电话")),
            orders.readText(QStringLiteral("收货手机")),   orders.readInt(QStringLiteral("代收货款金额")),
            orders.readText(QStringLiteral("结算方式"))};
}

ShippingLine queuedLineAt(platform::Recordset &queue)
{
    ShippingLine line;
    line.orderNumber = queue.readText(orderNumberField);
    line.goods = queue.readText(QStringLiteral("货物名称"));
    line.pieces = platform::valueToText(queue.readInt(QStringLiteral("件数")));
    line.heldPieces = platform::valueToText(queue.readInt(QStringLiteral("截留件数")));
    line.weight = platform::valueToText(queue.readInt(QStringLiteral("重量")));
    line.volume = platform::valueToText(queue.readInt(QStringLiteral("体积")));
    return line;
}

// Whether a 发货清单 record carries the number; no value when the table cannot be read.
std::optional<bool> isListNumberTaken(platform::Recordset &lists, const QString &number)
{
    if (!lists.openTableWhere(listTable, {{listNumberField, number}}))
        return std::nullopt;
    return lists.recordCount() > 0;
}

bool appendListRecord(platform::Recordset &lists, const ShippingListRecord &record)
{
    lists.addNew();
    lists.writeText(listNumberField, record.number);
    lists.writeText(QStringLiteral("司机姓名"), record.driver);
    lists.writeInt(QStringLiteral("司机运费"), record.driverFare);
    lists.writeText(QStringLiteral("车牌号"), record.plate);
    lists.writeText(QStringLiteral("制单日期"), record.date);
    lists.writeInt(QStringLiteral("总计件数"), record.totalPieces);
    lists.writeInt(QStringLiteral("总计截留件数"), record.totalHeldPieces);
    lists.writeInt(QStringLiteral("总计重量"), record.totalWeight);
    lists.writeInt(QStringLiteral("总计体积"), record.totalVolume);
    return lists.update();
}

// Deletes the loaded queue records that are still as they were loaded, in one statement.
bool removeLoadedQueueRecords(platform::Recordset &queue, const QList<QueuedLine> &loaded)
{
    QHash<qint64, ShippingLine> loadedLines;
    for (const QueuedLine &queued : loaded)
        loadedLines.insert(queued.id, queued.line);
    const QString table = queueAlias + u'.' + queueTable;
    if (!queue.openTableRecords(table, loadedLines.keys()))
        return false;
    QList<qint64> unchanged;
    for (queue.moveFirst(); !queue.isEof(); queue.moveNext())
        if (loadedLines.value(queue.recordId()) == queuedLineAt(queue))
            unchanged.append(queue.recordId());
    return queue.openTableRecords(table, unchanged) && queue.deleteAll();
}

// The sheet of the list as the page shows it, on the empty sheet the page started from.
bool buildSheet(platform::Sheet &sheet, const ShippingList &list)
{
    if (!loadEmptyShippingSheet(sheet))
        return false;
    setSheetHeader(sheet, list.sheetHeader);
    for (const ShippingLine &line : list.lines)
        setShippingLine(sheet, appendShippingLine(sheet), line);
    return true;
}

// A sheet written under its temporary name; removed again unless the save committed.
class TemporarySheet
{
public:
    explicit TemporarySheet(const QString &finalPath) : m_temporary(finalPath + temporaryMark), m_final(finalPath) {}
    ~TemporarySheet()
    {
        if (!m_committed)
            QFile::remove(m_temporary);
    }
    TemporarySheet(const TemporarySheet &) = delete;
    TemporarySheet &operator=(const TemporarySheet &) = delete;

    bool write(const platform::Sheet &sheet) const { return sheet.save(m_temporary); }
    // After the commit; a sheet that cannot take its name stays for clearInterruptedSaves.
    bool putInPlace()
    {
        m_committed = true;
        return platform::replaceFile(m_temporary, m_final);
    }

private:
    QString m_temporary;
    QString m_final;
    bool m_committed = false;
};

} // namespace

void fillConsignee(ShippingLine &line, const Consignee &consignee)
{
    line.consignee = consignee.name;
    line.company = consignee.company;
    line.address = consignee.address;
    line.phones = consignee.phone + QStringLiteral("\r\n") + consignee.mobile;
    line.collectAmount = platform::valueToText(consignee.collectAmount);
    line.settlement = consignee.settlement;
}

OutboundLines readOutboundLines()
{
    OutboundLines outbound;
    platform::Database db;
    platform::Recordset records;
    records.attach(db);
    if (!db.open(mainFile()) || !records.openSql(queueQuery))
        return outbound;
    for (records.moveFirst(); !records.isEof(); records.moveNext()) {
        outbound.lines.append(queuedLineAt(records));
        outbound.queued.append({records.read(QStringLiteral("id")).toLongLong(), outbound.lines.last()});
    }
    QHash<QString, Consignee> consignees;
    if (records.openSql(queueConsigneesQuery))
        for (records.moveFirst(); !records.isEof(); records.moveNext())
            consignees.insert(records.readText(orderNumberField), consigneeAt(records));
    for (ShippingLine &line : outbound.lines)
        if (const auto found = consignees.constFind(line.orderNumber); found != consignees.cend())
            fillConsignee(line, *found);
    return outbound;
}

QHash<QString, Consignee> readConsignees(const QStringList &orderNumbers)
{
    QHash<QString, Consignee> consignees;
    platform::Database db;
    platform::Recordset orders;
    orders.attach(db);
    if (!db.open(mainFile()))
        return consignees;
    for (const QString &number : orderNumbers)
        if (!consignees.contains(number) && orders.openTableWhere(orderTable, {{orderNumberField, number}}) &&
            orders.moveLast())
            consignees.insert(number, consigneeAt(orders));
    return consignees;
}

SaveResult storeShippingList(const ShippingList &list)
{
    const QString number = list.record.number;
    if (!isPlainFileName(number))
        return {SaveResult::NumberNotFileName, {}};
    platform::Sheet sheet;
    if (!buildSheet(sheet, list))
        return {SaveResult::NoSheetTemplate, {}};
    clearInterruptedSaves();

    platform::WriteSession session(listFile(),
                                   {{queueAlias, mainFile()}, frame::DocumentCounters::counterAttachment()});
    platform::Recordset &records = session.records();
    const std::optional<bool> taken = session.isOpen() ? isListNumberTaken(records, number) : std::nullopt;
    if (!taken)
        return {SaveResult::RecordsNotSaved, {}};
    if (*taken)
        return {SaveResult::NumberTaken, {}};
    // The sheet folder is named in program.ini: read it once for the save.
    const QString sheetPath = shippingSheetPath(number);
    TemporarySheet file(sheetPath);
    if (!file.write(sheet))
        return {SaveResult::SheetNotWritten, {}};
    bool placed = false;
    session.afterCommit([&] { placed = file.putInPlace(); });
    if (!session.openTable(listTable) || !appendListRecord(records, list.record) ||
        !removeLoadedQueueRecords(records, list.loadedQueue) ||
        !frame::documentCounters().nextDocumentNumber(session, frame::DocumentKind::ShippingList) || !session.commit())
        return {SaveResult::RecordsNotSaved, {}};
    return {placed ? SaveResult::Saved : SaveResult::SheetNotPlaced, sheetPath};
}

void clearInterruptedSaves()
{
    const QDir folder(sheetFolder());
    const QStringList leftovers =
        folder.entryList({QStringLiteral("*") + temporarySuffix}, QDir::Files | QDir::Hidden | QDir::System);
    if (leftovers.isEmpty())
        return;
    platform::Database db;
    platform::Recordset lists;
    lists.attach(db);
    if (!db.open(listFile()))
        return;
    for (const QString &name : leftovers) {
        const QString number = name.chopped(temporarySuffix.size());
        // A leftover whose list was committed lost only its rename; any other is of a save that
        // never happened. One that cannot be told apart stays: it blocks nothing.
        const std::optional<bool> committed = isListNumberTaken(lists, number);
        if (!committed)
            continue;
        if (*committed)
            platform::replaceFile(folder.filePath(name), shippingSheetPath(number));
        else
            QFile::remove(folder.filePath(name));
    }
}

QString shippingSheetPath(const QString &number)
{
    return QDir(sheetFolder()).filePath(number + sheetSuffix);
}

QString temporarySheetPath(const QString &number)
{
    return shippingSheetPath(number) + temporaryMark;
}

} // namespace desk
