#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <memory>

namespace platform {

class Database;
class Recordset;

// One listed record as the listing read it, with the recordset's reads over the kept values. A
// record gone before it was read has no values: every field reads as null.
class ListedRecord
{
public:
    ListedRecord() = default;
    ListedRecord(qint64 id, const QStringList &fields, const QVariantList &values);

    // The identity of the record in its table (see Recordset::recordId); -1 for no record.
    qint64 recordId() const { return m_id; }
    // A field the listed set does not have is a Qt warning and reads as null.
    QVariant read(const QString &field) const;
    QString readText(const QString &field) const;
    int readInt(const QString &field) const;
    QDateTime readDateTime(const QString &field) const;

private:
    qint64 m_id = -1;
    QStringList m_fields;
    QVariantList m_values;
};

// The records of a recordset, listed without reading them: it keeps the set's identities and
// its open read-only connection, and reads a record's fields when a row is first asked for, with
// the rows around it, so a list of any length costs the rows shown. A read record is kept as it
// was read (a list's rows keep showing what they showed); only the first rows are read at once.
// Copies share one listing.
class RecordListing
{
public:
    // Opens the database and the recordset (already attached to it) that the listing reads.
    using Opener = std::function<bool(Database &db, Recordset &records)>;

    // Lists nothing.
    RecordListing();
    // The set's records in its order; nothing when the opener fails.
    static RecordListing open(const Opener &opener);

    int count() const;
    // -1 for a row outside the listing.
    qint64 recordId(int row) const;
    // The record of the row, read now if it was not read before; no record outside the listing.
    ListedRecord record(int row) const;
    // How many records the listing has read the fields of, over its life.
    int recordsRead() const;

private:
    struct State;
    std::shared_ptr<State> m_state;
};

} // namespace platform
