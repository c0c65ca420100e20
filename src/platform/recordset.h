#pragma once

#include "platform/filter.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

namespace platform {

class Database;

// A recordset over one table (or a read-only SQL result). A table opened whole lists its records
// in the order they were appended (rowid order); only the rowids are held, and the current
// record's fields are read when it is visited. A recordset that did not open is empty and every
// update on it fails.
class Recordset
{
public:
    using Conditions = QList<std::pair<QString, QVariant>>;

    Recordset() = default;
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
    // The program's own SQL text. "select * from <table>" opens the table whole; any other
    // query gives a read-only set.
    bool openSql(const QString &sql);
    void close();
    bool isOpen() const { return m_mode != Mode::Closed; }

    int recordCount() const;
    bool moveFirst();
    bool moveNext();
    bool moveLast();
    bool moveTo(int position);
    bool isEof() const;
    int position() const { return m_position; }
    // The identity of the current record in its table (its rowid); -1 when there is none.
    qint64 recordId() const;

    // Restricts the set to the records matching the condition text ("" removes it); the first
    // match becomes current. A condition that does not parse matches nothing.
    bool setFilter(const QString &condition);

    QStringList fieldNames() const { return m_columns; }
    QVariant read(const QString &field);
    QString readText(const QString &field);
    int readInt(const QString &field);
    QDateTime readDateTime(const QString &field);

    // Writes are kept with the current (or new) record until update() saves them. An empty text
    // is stored as the empty text, never as NULL.
    void addNew();
    void write(const QString &field, const QVariant &value);
    void writeText(const QString &field, const QString &text) { write(field, text); }
    void writeInt(const QString &field, int value) { write(field, value); }
    void writeDateTime(const QString &field, const QDateTime &value);
    void writeAt(int column, const QVariant &value);
    bool update();
    void cancelUpdate();

    bool deleteCurrent();
    bool deleteAll();

    QString lastError() const { return m_lastError; }

private:
    enum class Mode { Closed, Table, Rows };

    bool openSource(const QString &table, const Conditions &equals);
    bool loadColumns();
    QString whereClause() const;
    void ensureRowids() const;
    bool fetchCurrent();
    bool fail(const QString &error);
    int columnIndex(const QString &field) const;

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
    mutable QList<qint64> m_rowids; // Table mode: the set, in table order
    QList<QVariantList> m_rows;     // Rows mode: the whole result
    int m_position = 0;

    static constexpr int readAhead = 200;
    QHash<qint64, QVariantList> m_window; // the records read around the current one, by rowid
    QVariantList m_current;

    bool m_adding = false;
    QHash<int, QVariant> m_pending;
    mutable QString m_lastError;
    mutable bool m_rowidsStale = false;
};

} // namespace platform
