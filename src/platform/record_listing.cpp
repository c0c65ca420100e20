#include "platform/record_listing.h"

#include "platform/database.h"
#include "platform/recordset.h"

#include <QDebug>

namespace platform {

namespace {

// Records are read a block of rows at a time: a screenful and more, within one of the recordset's
// read windows, so a block costs one statement.
constexpr int blockRows = 100;
// Blocks kept: enough for the rows a list shows and the places the operator went back to.
constexpr int keptBlocks = 20;

} // namespace

ListedRecord::ListedRecord(qint64 id, const QStringList &fields, const QVariantList &values)
    : m_id(id), m_fields(fields), m_values(values)
{}

QVariant ListedRecord::read(const QString &field) const
{
    const int column = int(m_fields.indexOf(field));
    if (column < 0) {
        // As the recordset: a misspelt name must not pass as an empty value. No record has no fields.
        if (!m_fields.isEmpty())
            qWarning().noquote() << QStringLiteral("没有字段: %1").arg(field);
        return {};
    }
    return m_values.value(column);
}

QString ListedRecord::readText(const QString &field) const
{
    return storedText(read(field));
}

int ListedRecord::readInt(const QString &field) const
{
    return storedInt(read(field));
}

QDateTime ListedRecord::readDateTime(const QString &field) const
{
    return storedDateTime(read(field));
}

struct RecordListing::State {
    struct Block {
        int first = 0;
        QList<ListedRecord> records;
    };

    // The recordset goes before the connection that its statements use.
    Database db;
    Recordset records;
    QStringList fields;
    int count = 0;
    QList<Block> blocks; // the most recently used last
    int recordsRead = 0;

    ListedRecord recordAt(int row);
    Block readBlock(int first);
};

ListedRecord RecordListing::State::recordAt(int row)
{
    const int first = row - row % blockRows;
    for (int i = 0; i < blocks.size(); ++i) {
        if (blocks[i].first == first) {
            blocks.move(i, blocks.size() - 1);
            return blocks.last().records.value(row - first);
        }
    }
    if (blocks.size() == keptBlocks)
        blocks.removeFirst();
    blocks.append(readBlock(first));
    return blocks.last().records.value(row - first);
}

RecordListing::State::Block RecordListing::State::readBlock(int first)
{
    Block block{first, {}};
    const int end = qMin(first + blockRows, count);
    block.records.reserve(end - first);
    for (int row = first; row < end; ++row) {
        records.moveTo(row);
        QVariantList values;
        values.reserve(fields.size());
        for (const QString &field : std::as_const(fields))
            values.append(records.read(field));
        block.records.append(ListedRecord(records.recordId(), fields, values));
    }
    recordsRead += end - first;
    return block;
}

RecordListing::RecordListing() = default;

RecordListing RecordListing::open(const Opener &opener)
{
    auto state = std::make_shared<State>();
    state->records.attach(state->db);
    // The listing only reads: its connection refuses any write.
    if (!opener(state->db, state->records) || !executeSql(state->db, QStringLiteral("PRAGMA query_only = ON")))
        return {};
    state->fields = state->records.fieldNames();
    state->count = state->records.recordCount();
    RecordListing listing;
    listing.m_state = std::move(state);
    // The first rows show at once: read now, they show the records as they were listed.
    listing.record(0);
    return listing;
}

int RecordListing::count() const
{
    return m_state ? m_state->count : 0;
}

qint64 RecordListing::recordId(int row) const
{
    if (row < 0 || row >= count())
        return -1;
    m_state->records.moveTo(row);
    return m_state->records.recordId();
}

ListedRecord RecordListing::record(int row) const
{
    if (row < 0 || row >= count())
        return {};
    return m_state->recordAt(row);
}

int RecordListing::recordsRead() const
{
    return m_state ? m_state->recordsRead : 0;
}

} // namespace platform
