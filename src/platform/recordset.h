#pragma once

#include "platform/filter.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <utility>

class QSqlQuery;

namespace platform {

class Database;

// A stored field value as the recordset's typed reads give it (readText, readInt, readDateTime), for
// values kept after the recordset has moved on.
QString storedText(const QVariant &value);
int storedInt(const QVariant &value);
QDateTime storedDateTime(const QVariant &value);

// A recordset over one table (or a read-only SQL result). A table opened whole lists its records
// in the order they were appended (rowid order); only the rowids are held, read when the set is
// first walked or counted, and the current record's fields are read when it is visited. A
// recordset that did not open is empty and every update on it fails. Field names are strict: a
// name the set does not have is a Qt warning, reads as null and fails the next update().
class Recordset
{
public:
    using Conditions = QList<std::pair<QString, QVariant>>;

    Recordset();
    ~Recordset();
    Recordset(const Recordset &) = delete;
    Recordset &operator=(const Recordset &) = delete;

    void attach(Database &db);
    // The whole table, by name ("table" or "alias.table" of an attached file).
    bool openTable(const QString &table);
    // The table's records whose fields equal the given values exactly, in table order; the
    // values are bound, never pasted into SQL. Such a set can be updated like a whole table.
    bool openTableWhere(const QString &table, const Conditions &equals);
    // The records of the table with the given identities (see recordId) that still exist, in table
    // order; updated like a whole table. A list shown from records keeps their identities, so a
    // later step acts on exactly the records the operator saw.
    bool openTableRecords(const QString &table, const QList<qint64> &ids);
    // The one record with the identity, made current; false when it no longer exists.
    bool openRecord(const QString &table, qint64 id);
    // The program's own SQL text. Exactly "select * from <table>" (any case, an optional ";") is
    // openTable(<table>): the whole table, updatable. Any other query gives a read-only set of
    // its result, which cannot be filtered or updated.
    bool openSql(const QString &sql);
    void close();
    bool isOpen() const { return m_mode != Mode::Closed; }

    int recordCount() const;
    bool moveFirst();
    bool moveNext();
    bool moveLast();
    bool moveTo(int position);
    bool isEof() const;
    int position() const;
    // The identity of the current record in its table (its rowid); -1 when there is none.
    qint64 recordId() const;

    // Restricts the set to the records matching the condition text ("" removes it); the first
    // match becomes current. A condition that does not parse matches nothing. A read-only result
    // is left as it is: false and a warning.
    bool setFilter(const QString &condition);

    QStringList fieldNames() const { return m_columns; }
    QVariant read(const QString &field);
    QString readText(const QString &field);
    int readInt(const QString &field);
    QDateTime readDateTime(const QString &field);

    // Writes are kept with the current (or new) record until update() saves them. An empty text
    // is stored as the empty text, never as NULL. A field the table does not have makes the next
    // update() fail without writing anything. An appended record joins the set and becomes
    // current; appending does not read the set's other records.
    void addNew();
    void write(const QString &field, const QVariant &value);
    void writeText(const QString &field, const QString &text) { write(field, text); }
    void writeInt(const QString &field, int value) { write(field, value); }
    void writeDateTime(const QString &field, const QDateTime &value);
    void writeAt(int column, const QVariant &value);
    bool update();

    bool deleteCurrent();
    bool deleteAll();

    QString lastError() const { return m_lastError; }

private:
    enum class Mode { Closed, Table, Rows };

    bool openSource(const QString &table, const Conditions &equals);
    bool loadColumns();
    QString whereClause() const;
    void ensureRowids() const;
    qint64 currentRowid() const;
    bool fetchCurrent();
    bool readWindow();
    bool fail(const QString &error);
    int columnIndex(const QString &field) const;
    void warnNoField(const QString &field) const;

    Database *m_db = nullptr;
    Mode m_mode = Mode::Closed;
    QString m_source;    // quoted table reference
    QString m_baseWhere; // from openTableWhere
    QVariantList m_baseParameters;
    QString m_filterWhere;
    QVariantList m_filterParameters;
    bool m_filterMatchesNothing = false;

    QStringList m_columns;
    QHash<QString, ColumnKind> m_kinds;
    // Table mode: the set's rowids in table order, read when first needed. Records appended
    // before that wait in m_appended and join the set when it is read; until then the current
    // record may be the last of them, whose position is not known yet.
    mutable QList<qint64> m_rowids;
    mutable bool m_rowidsStale = false;
    mutable QList<qint64> m_appended;
    mutable bool m_appendedCurrent = false;
    mutable int m_position = 0;
    QList<QVariantList> m_rows; // Rows mode: the whole result

    static constexpr int readAhead = 200;
    std::unique_ptr<QSqlQuery> m_windowQuery; // prepared once while the set is open
    QHash<qint64, QVariantList> m_window;     // the records read around the current one, by rowid
    QVariantList m_current;

    bool m_adding = false;
    QHash<int, QVariant> m_pending;
    QString m_unknownField; // written since the last update(), which it fails
    mutable QString m_lastError;
};

} // namespace platform
