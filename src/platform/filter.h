#pragma once

#include <QHash>
#include <QString>
#include <QVariantList>
#include <optional>

namespace platform {

// How a column's values compare in a filter.
enum class ColumnKind { Text, Number, DateTime };

// A recordset filter ("field op literal" joined by and/or, with parentheses) turned into an
// SQL condition whose literals are all bound parameters, so no typed text can reach the SQL.
struct CompiledFilter {
    QString sql;
    QVariantList parameters;
};

// Returns no value when the text does not parse or names a field the table does not have;
// such a filter matches nothing. A date-time column compares as date-times; a literal that is
// no date (or no number, for a numeric column) makes that comparison false.
std::optional<CompiledFilter> compileFilter(const QString &filter, const QHash<QString, ColumnKind> &columns);

// A text literal for a filter: the text in apostrophes, each apostrophe doubled.
QString filterLiteral(const QString &text);

// An SQL identifier in double quotes, each double quote doubled.
QString quoteIdentifier(const QString &name);

} // namespace platform
