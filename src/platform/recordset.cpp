#include "platform/recordset.h"

#include "platform/database.h"
#include "platform/text_conversions.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform {

namespace {

QString quoteTable(const QString &table)
{
    const int dot = table.indexOf(u'.');
    if (dot < 0)
        return quoteIdentifier(table);
    return quoteIdentifier(table.left(dot)) + u'.' + quoteIdentifier(table.mid(dot + 1));
}

ColumnKind kindOfDeclaredType(const QString &declared)
{
    const QString type = declared.toUpper();
    if (type.contains(QLatin1String("DATE")) || type.contains(QLatin1String("TIME")))
        return ColumnKind::DateTime;
    if (type.contains(QLatin1String("INT")) || type.contains(QLatin1String("REAL")) ||
        type.contains(QLatin1String("DOUB")) || type.contains(QLatin1String("NUM")))
        return ColumnKind::Number;
    return ColumnKind::Text;
}

void bindAll(QSqlQuery &q, const QVariantList &values)
{
    for (const QVariant &v : values)
        q.addBindValue(v);
}

} // namespace

QString storedText(const QVariant &value)
{
    return value.isNull() ? QString() : value.toString();
}

int storedInt(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
        return int(
            std::clamp<qint64>(value.toLongLong(), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
    case QMetaType::Double:
        return int(std::clamp<double>(std::trunc(value.toDouble()), std::numeric_limits<int>::min(),
                                      std::numeric_limits<int>::max()));
    default:
        return textToInt(value.toString());
    }
}

QDateTime storedDateTime(const QVariant &value)
{
    return dateTimeFromStorage(storedText(value));
}

Recordset::Recordset() = default;

Recordset::~Recordset() = default;

void Recordset::attach(Database &db)
{
    close();
    m_db = &db;
}

bool Recordset::openTable(const QString &table)
{
    return openSource(table, {});
}

bool Recordset::openTableWhere(const QString &table, const Conditions &equals)
{
    return openSource(table, equals);
}

bool Recordset::openTableRecords(const QString &table, const QList<qint64> &ids)
{
    if (!openSource(table, {}))
        return false;
    m_baseWhere = ids.isEmpty()
                      ? QStringLiteral("0")
                      : QStringLiteral("rowid IN (%1)").arg(QStringList(ids.size(), QStringLiteral("?")).join(u','));
    for (qint64 id : ids)
        m_baseParameters.append(id);
    return true;
}

bool Recordset::openRecord(const QString &table, qint64 id)
{
    return openTableRecords(table, {id}) && moveFirst();
}

qint64 Recordset::recordId() const
{
    if (m_mode != Mode::Table || isEof())
        return -1;
    return currentRowid();
}

qint64 Recordset::currentRowid() const
{
    return m_appendedCurrent ? m_appended.last() : m_rowids[m_position];
}

bool Recordset::openSql(const QString &sql)
{
    static const QRegularExpression wholeTable(QStringLiteral(R"(^\s*select\s+\*\s+from\s+([\w.]+)\s*;?\s*$)"),
                                               QRegularExpression::CaseInsensitiveOption |
                                                   QRegularExpression::UseUnicodePropertiesOption);
    if (const auto m = wholeTable.match(sql); m.hasMatch())
        return openTable(m.captured(1));

    close();
    if (!m_db || !m_db->isOpen())
        return fail(QStringLiteral("数据库未打开"));
    QSqlQuery q(m_db->handle());
    q.setForwardOnly(true);
    if (!q.exec(sql))
        return fail(q.lastError().text());
    const QSqlRecord record = q.record();
    for (int i = 0; i < record.count(); ++i) {
        m_columns.append(record.fieldName(i));
        m_kinds.insert(record.fieldName(i), ColumnKind::Text);
    }
    while (q.next()) {
        QVariantList row;
        for (int i = 0; i < record.count(); ++i)
            row.append(q.value(i));
        m_rows.append(row);
    }
    m_mode = Mode::Rows;
    m_position = 0;
    return true;
}

bool Recordset::openSource(const QString &table, const Conditions &equals)
{
    close();
    if (!m_db || !m_db->isOpen())
        return fail(QStringLiteral("数据库未打开"));
    m_source = quoteTable(table);
    if (!loadColumns()) {
        m_source.clear();
        return false;
    }
    QStringList terms;
    for (const auto &[field, value] : equals) {
        if (!m_kinds.contains(field)) {
            warnNoField(field);
            return fail(QStringLiteral("没有字段: %1").arg(field));
        }
        terms.append(quoteIdentifier(field) + QStringLiteral(" = ?"));
        m_baseParameters.append(value);
    }
    m_baseWhere = terms.join(QStringLiteral(" AND "));
    m_mode = Mode::Table;
    m_rowidsStale = true;
    m_position = 0;
    return true;
}

bool Recordset::loadColumns()
{
    QString schema, name = m_source;
    const int dot = m_source.indexOf(QLatin1String("\".\""));
    if (dot >= 0) {
        schema = m_source.left(dot + 1) + u'.';
        name = m_source.mid(dot + 2);
    }
    QSqlQuery q(m_db->handle());
    // table_info takes the bare name as a string; quoting it as an identifier works for SQLite.
    if (!q.exec(QStringLiteral("PRAGMA %1table_info(%2)").arg(schema, name)))
        return fail(q.lastError().text());
    while (q.next()) {
        const QString column = q.value(1).toString();
        m_columns.append(column);
        m_kinds.insert(column, kindOfDeclaredType(q.value(2).toString()));
    }
    if (m_columns.isEmpty())
        return fail(QStringLiteral("没有表: %1").arg(m_source));
    return true;
}

// " WHERE ..." of the set's own condition and filter; empty for the whole table.
QString Recordset::whereClause() const
{
    QStringList where;
    if (!m_baseWhere.isEmpty())
        where.append(m_baseWhere);
    if (!m_filterWhere.isEmpty())
        where.append(m_filterWhere);
    return where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where.join(QStringLiteral(" AND "));
}

// The set's rowids are read when first needed, so a filter set right after opening costs one query
// and appending costs none.
void Recordset::ensureRowids() const
{
    if (!m_rowidsStale)
        return;
    m_rowidsStale = false;
    m_rowids.clear();
    if (!m_filterMatchesNothing) {
        QSqlQuery q(m_db->handle());
        q.setForwardOnly(true);
        q.prepare(QStringLiteral("SELECT rowid FROM %1%2 ORDER BY rowid").arg(m_source, whereClause()));
        bindAll(q, m_baseParameters);
        bindAll(q, m_filterParameters);
        if (q.exec()) {
            while (q.next())
                m_rowids.append(q.value(0).toLongLong());
        } else {
            m_lastError = q.lastError().text();
            m_db->setLastError(m_lastError);
        }
    }
    // Appended records belong to the set whether or not they match its condition.
    for (qint64 id : std::as_const(m_appended)) {
        const auto at = std::lower_bound(m_rowids.begin(), m_rowids.end(), id);
        if (at == m_rowids.end() || *at != id)
            m_rowids.insert(at, id);
    }
    if (m_appendedCurrent)
        m_position = int(m_rowids.indexOf(m_appended.last()));
    m_appended.clear();
    m_appendedCurrent = false;
}

void Recordset::close()
{
    m_mode = Mode::Closed;
    m_source.clear();
    m_baseWhere.clear();
    m_baseParameters.clear();
    m_filterWhere.clear();
    m_filterParameters.clear();
    m_filterMatchesNothing = false;
    m_columns.clear();
    m_kinds.clear();
    m_rowids.clear();
    m_rowidsStale = false;
    m_appended.clear();
    m_appendedCurrent = false;
    m_rows.clear();
    m_position = 0;
    m_windowQuery.reset();
    m_window.clear();
    m_current.clear();
    m_adding = false;
    m_pending.clear();
    m_unknownField.clear();
}

int Recordset::recordCount() const
{
    switch (m_mode) {
    case Mode::Table:
        ensureRowids();
        return int(m_rowids.size());
    case Mode::Rows:
        return int(m_rows.size());
    case Mode::Closed:
        break;
    }
    return 0;
}

bool Recordset::moveFirst()
{
    return moveTo(0);
}

int Recordset::position() const
{
    ensureRowids();
    return m_position;
}

bool Recordset::moveNext()
{
    const int count = recordCount(); // places an appended current record first
    if (m_position < count)
        ++m_position;
    m_pending.clear();
    m_adding = false;
    return !isEof();
}

bool Recordset::moveLast()
{
    return moveTo(recordCount() - 1);
}

bool Recordset::moveTo(int position)
{
    m_pending.clear();
    m_adding = false;
    if (position < 0 || position >= recordCount()) {
        m_position = recordCount();
        return false;
    }
    m_position = position;
    return true;
}

bool Recordset::isEof() const
{
    return !m_appendedCurrent && m_position >= recordCount();
}

bool Recordset::setFilter(const QString &condition)
{
    if (m_mode == Mode::Rows) {
        // A read-only result carries no column types to filter by; its query says what it holds.
        qWarning().noquote() << QStringLiteral("只读结果不能设置筛选: %1").arg(condition);
        return fail(QStringLiteral("只读结果不能设置筛选"));
    }
    if (m_mode != Mode::Table)
        return false;
    m_filterWhere.clear();
    m_filterParameters.clear();
    m_filterMatchesNothing = false;
    if (!condition.isEmpty()) {
        const auto compiled = compileFilter(condition, m_kinds);
        if (compiled) {
            m_filterWhere = compiled->sql;
            m_filterParameters = compiled->parameters;
        } else {
            m_filterMatchesNothing = true;
        }
    }
    m_pending.clear();
    m_adding = false;
    m_window.clear();
    m_rowidsStale = true;
    m_appended.clear();
    m_appendedCurrent = false;
    m_position = 0;
    return !m_filterMatchesNothing;
}

bool Recordset::fetchCurrent()
{
    if (isEof())
        return false;
    if (m_mode == Mode::Rows) {
        m_current = m_rows[m_position];
        return true;
    }
    const qint64 rowid = currentRowid();
    if (!m_window.contains(rowid) && !readWindow())
        return false;
    if (!m_window.contains(rowid))
        return fail(QStringLiteral("记录已不存在"));
    m_current = m_window.value(rowid);
    return true;
}

// Records are mostly visited in order, so the current one is read with those that follow it, by
// rowid (whatever indexes the set's condition may use), in one statement prepared for the
// set's life; a short tail repeats its last rowid.
bool Recordset::readWindow()
{
    const QSqlDatabase connection = m_db->handle();
    if (!m_windowQuery || m_windowQuery->driver() != connection.driver()) { // first, or the file reopened
        auto q = std::make_unique<QSqlQuery>(connection);
        q->setForwardOnly(true);
        if (!q->prepare(QStringLiteral("SELECT rowid, * FROM %1 WHERE rowid IN (%2)")
                            .arg(m_source, QStringList(readAhead, QStringLiteral("?")).join(u','))))
            return fail(q->lastError().text());
        m_windowQuery = std::move(q);
    }
    QSqlQuery &q = *m_windowQuery;
    for (int i = 0; i < readAhead; ++i)
        q.bindValue(i, m_appendedCurrent ? currentRowid() : m_rowids[qMin(m_position + i, int(m_rowids.size()) - 1)]);
    if (!q.exec())
        return fail(q.lastError().text());
    m_window.clear();
    while (q.next()) {
        QVariantList row;
        row.reserve(m_columns.size());
        for (int i = 0; i < m_columns.size(); ++i)
            row.append(q.value(i + 1));
        m_window.insert(q.value(0).toLongLong(), row);
    }
    q.finish();
    return true;
}

int Recordset::columnIndex(const QString &field) const
{
    return int(m_columns.indexOf(field));
}

void Recordset::warnNoField(const QString &field) const
{
    qWarning().noquote() << QStringLiteral("没有字段: %1 (%2)").arg(field, m_source);
}

QVariant Recordset::read(const QString &field)
{
    const int column = columnIndex(field);
    if (column < 0) {
        if (isOpen())
            warnNoField(field);
        return {};
    }
    if (!fetchCurrent())
        return {};
    if (m_pending.contains(column))
        return m_pending.value(column);
    return m_current.value(column);
}

QString Recordset::readText(const QString &field)
{
    return storedText(read(field));
}

int Recordset::readInt(const QString &field)
{
    return storedInt(read(field));
}

QDateTime Recordset::readDateTime(const QString &field)
{
    return storedDateTime(read(field));
}

void Recordset::addNew()
{
    m_pending.clear();
    m_adding = m_mode == Mode::Table;
}

void Recordset::write(const QString &field, const QVariant &value)
{
    const int column = columnIndex(field);
    if (column < 0 && m_mode == Mode::Table) {
        warnNoField(field);
        m_unknownField = field;
        return;
    }
    writeAt(column, value);
}

void Recordset::writeDateTime(const QString &field, const QDateTime &value)
{
    write(field, value.isValid() ? QVariant(dateTimeToStorage(value)) : QVariant());
}

void Recordset::writeAt(int column, const QVariant &value)
{
    if (m_mode != Mode::Table)
        return;
    if (column < 0 || column >= m_columns.size()) {
        m_unknownField = QStringLiteral("#%1").arg(column);
        warnNoField(m_unknownField);
        return;
    }
    if (!m_adding && isEof())
        return;
    const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
    m_pending.insert(column, nullText ? QVariant(QStringLiteral("")) : value);
}

bool Recordset::update()
{
    if (m_mode != Mode::Table || !m_db || !m_db->isOpen())
        return fail(QStringLiteral("记录集未打开"));
    if (!m_unknownField.isEmpty()) {
        // The record as the caller meant it cannot be written, so none of it is.
        const QString field = std::exchange(m_unknownField, QString());
        m_pending.clear();
        m_adding = false;
        return fail(QStringLiteral("没有字段: %1").arg(field));
    }
    QStringList names;
    QVariantList values;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        names.append(quoteIdentifier(m_columns[it.key()]));
        values.append(it.value());
    }
    QSqlQuery q(m_db->handle());
    if (m_adding) {
        const QString sql = names.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(m_source)
                                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                                  .arg(m_source, names.join(u','),
                                                       QStringList(names.size(), QStringLiteral("?")).join(u','));
        q.prepare(sql);
        bindAll(q, values);
        if (!q.exec())
            return fail(q.lastError().text());
        const qint64 id = q.lastInsertId().toLongLong();
        if (m_rowidsStale) {
            m_appended.append(id);
            m_appendedCurrent = true;
        } else {
            m_rowids.append(id);
            m_position = int(m_rowids.size()) - 1;
        }
    } else {
        if (isEof())
            return fail(QStringLiteral("没有当前记录"));
        if (!names.isEmpty()) {
            QStringList sets;
            for (const QString &name : names)
                sets.append(name + QStringLiteral(" = ?"));
            q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?").arg(m_source, sets.join(u',')));
            bindAll(q, values);
            q.addBindValue(currentRowid());
            if (!q.exec() || q.numRowsAffected() != 1)
                return fail(q.lastError().isValid() ? q.lastError().text() : QStringLiteral("记录已不存在"));
        }
    }
    m_adding = false;
    m_pending.clear();
    m_window.clear();
    return true;
}

bool Recordset::deleteCurrent()
{
    ensureRowids(); // the record's place in the set is needed to remove it from there
    if (m_mode != Mode::Table || isEof() || !m_db || !m_db->isOpen())
        return fail(QStringLiteral("没有当前记录"));
    QSqlQuery q(m_db->handle());
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(m_source));
    q.addBindValue(m_rowids[m_position]);
    if (!q.exec() || q.numRowsAffected() != 1)
        return fail(q.lastError().isValid() ? q.lastError().text() : QStringLiteral("记录已不存在"));
    m_rowids.removeAt(m_position);
    m_window.clear();
    m_pending.clear();
    return true;
}

bool Recordset::deleteAll()
{
    if (m_mode != Mode::Table || !m_db || !m_db->isOpen())
        return fail(QStringLiteral("记录集未打开"));
    // The set's own records only: its condition and filter hold for the delete too.
    if (!m_filterMatchesNothing) {
        QSqlQuery q(m_db->handle());
        q.prepare(QStringLiteral("DELETE FROM %1%2").arg(m_source, whereClause()));
        bindAll(q, m_baseParameters);
        bindAll(q, m_filterParameters);
        if (!q.exec())
            return fail(q.lastError().text());
    }
    m_rowids.clear();
    m_rowidsStale = false;
    m_appended.clear();
    m_appendedCurrent = false;
    m_position = 0;
    m_window.clear();
    return true;
}

bool Recordset::fail(const QString &error)
{
    m_lastError = error;
    if (m_db)
        m_db->setLastError(error);
    return false;
}

} // namespace platform
