#include "desk/picking_queue_store.h"

#include "frame/db_access.h"
#include "platform/database.h"
#include "platform/recordset.h"
#include "platform/write_session.h"

namespace desk {

namespace {

const QString queueTable = QStringLiteral("检货临时库");
const QString pickingTable = QStringLiteral("检货及仓库");
const QString numberField = QStringLiteral("检货号");
const QString orderNumberField = QStringLiteral("业务单号");

QString mainFile()
{
    return frame::dataFilePath(QStringLiteral("main.mdb"));
}

// The current record's picking, of a recordset or a listed record: the queue and the permanent
// records share these columns.
template <typename Records> PendingPicking pickingAt(Records &records)
{
    return {records.recordId(),
            records.readText(numberField),
            records.readText(QStringLiteral("检货员")),
            records.readDateTime(QStringLiteral("检货时间")),
            records.readText(QStringLiteral("货物名称")),
            records.readInt(QStringLiteral("实际件数")),
            records.readInt(QStringLiteral("实际重量")),
            records.readInt(QStringLiteral("实际体积")),
            records.readText(QStringLiteral("计抛否")),
            records.readInt(QStringLiteral("计抛重量"))};
}

// The current record holds the picking's values, whatever its identity.
bool holdsPicking(platform::Recordset &records, const PendingPicking &picking)
{
    PendingPicking current = pickingAt(records);
    current.id = picking.id;
    return current == picking;
}

// Moves to the first record of the set that holds the picking and has no order number yet.
bool moveToUntakenPicking(platform::Recordset &pickings, const PendingPicking &picking)
{
    for (pickings.moveFirst(); !pickings.isEof(); pickings.moveNext())
        if (pickings.readText(orderNumberField).isEmpty() && holdsPicking(pickings, picking))
            return true;
    return false;
}

} // namespace

platform::RecordListing listPendingPickings()
{
    return platform::RecordListing::open([](platform::Database &db, platform::Recordset &records) {
        return db.open(mainFile(), platform::Database::Wait::Brief) && records.openTable(queueTable);
    });
}

PendingPicking pendingPickingAt(const platform::RecordListing &listing, int row)
{
    const platform::ListedRecord record = listing.record(row);
    return pickingAt(record);
}

bool takeQueuedPicking(const PendingPicking &picking, const QString &orderNumber)
{
    platform::WriteSession session(mainFile());
    platform::Recordset &records = session.records();
    // An identity freed by a deletion can be given to a later record: the values must match too.
    if (!session.isOpen() || !records.openRecord(queueTable, picking.id) || !holdsPicking(records, picking) ||
        !records.deleteCurrent())
        return false;
    // A picking whose permanent record is gone is still taken: nothing then carries the number.
    if (!records.openTableWhere(pickingTable, {{numberField, picking.number}}))
        return false;
    if (moveToUntakenPicking(records, picking)) {
        records.writeText(orderNumberField, orderNumber);
        if (!records.update())
            return false;
    }
    return session.commit();
}

} // namespace desk
