#include "platform/sheet_grid.h"

#include "platform/atomic_file.h"

#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace platform {

namespace {

constexpr int defaultRowHeight = 24;

const QList<std::pair<CellStyle::Align, QLatin1String>> alignNames = {
    {CellStyle::Align::Left, QLatin1String("left")},
    {CellStyle::Align::Center, QLatin1String("center")},
    {CellStyle::Align::Right, QLatin1String("right")},
};

QLatin1String alignName(CellStyle::Align align)
{
    for (const auto &[value, name] : alignNames)
        if (value == align)
            return name;
    return {};
}

std::optional<CellStyle::Align> alignFromName(const QString &name)
{
    for (const auto &[value, known] : alignNames)
        if (known == name)
            return value;
    return std::nullopt;
}

Qt::Alignment qtAlignment(CellStyle::Align align)
{
    switch (align) {
    case CellStyle::Align::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case CellStyle::Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case CellStyle::Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// A JSON number that is a whole number from minimum to maximum, or none. The range is checked on
// the double, so no number of a file is ever converted to int out of range.
std::optional<int> wholeNumber(const QJsonValue &value, int minimum, int maximum)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (!(d >= minimum && d <= maximum) || d != std::trunc(d))
        return std::nullopt;
    return int(d);
}

// A sheet always has its title rows and columns, and its size is bounded.
bool fitsFile(qsizetype rows, qsizetype columns)
{
    return rows >= 1 && columns >= 1 && columns <= Sheet::maxCells / rows;
}

void appendNumber(QByteArray &out, int n)
{
    char digits[12];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr - digits);
}

// A JSON string in UTF-8: quote, backslash and control characters escaped, and an unpaired
// surrogate as its \u code, so that every text loads back as it was.
void appendJsonString(QByteArray &out, QStringView text)
{
    static constexpr char hex[] = "0123456789abcdef";
    out += '"';
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 0x20 && c < 0x80 && c != u'"' && c != u'\\') {
            out += char(c);
        } else if (c >= 0x80 && c < 0x800) {
            out += char(0xc0 | c >> 6);
            out += char(0x80 | (c & 0x3f));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t u = QChar::surrogateToUcs4(c, text[++i].unicode());
            out += char(0xf0 | u >> 18);
            out += char(0x80 | (u >> 12 & 0x3f));
            out += char(0x80 | (u >> 6 & 0x3f));
            out += char(0x80 | (u & 0x3f));
        } else if (c >= 0x800 && !QChar::isSurrogate(c)) {
            out += char(0xe0 | c >> 12);
            out += char(0x80 | (c >> 6 & 0x3f));
            out += char(0x80 | (c & 0x3f));
        } else if (c == u'"' || c == u'\\') {
            out += '\\';
            out += char(c);
        } else if (c == u'\n' || c == u'\r' || c == u'\t') {
            out += c == u'\n' ? "\\n" : c == u'\r' ? "\\r" : "\\t";
        } else {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4)
                out += hex[c >> shift & 0xf];
        }
    }
    out += '"';
}

bool overlaps(const QList<Sheet::Merge> &merges, int first, int last)
{
    for (const auto &[f, l] : merges)
        if (first <= l && f <= last)
            return true;
    return false;
}

// Whether no two merges share a column; checked sorted, so a row of many merges costs a sort.
bool disjoint(QList<Sheet::Merge> merges)
{
    std::sort(merges.begin(), merges.end());
    return std::adjacent_find(merges.begin(), merges.end(), [](const Sheet::Merge &a, const Sheet::Merge &b) {
               return b.first <= a.second;
           }) == merges.end();
}

} // namespace

Sheet::Sheet(QObject *parent) : QAbstractTableModel(parent) {}

Sheet::Row Sheet::emptyRow() const
{
    Row row;
    row.height = defaultRowHeight;
    row.texts = QStringList(m_columnWidths.size(), QString());
    row.styles = QList<CellStyle>(m_columnWidths.size());
    return row;
}

bool Sheet::hasCell(int row, int column) const
{
    return row >= 1 && row <= m_rows.size() && column >= 1 && column <= m_columnWidths.size();
}

// The file: {"columns": [widths], "rows": [{"height": h, "merges": [[first, last]], "cells":
// [{"column": c, "text": t, "align": "left|center|right", "bold": b, "size": s}]}]}, one row a line.
bool Sheet::load(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && loadFromBytes(file.readAll());
}

bool Sheet::loadFromBytes(const QByteArray &bytes)
{
    const QJsonObject document = QJsonDocument::fromJson(bytes).object();
    const QJsonArray columns = document.value(QLatin1String("columns")).toArray();
    const QJsonArray rows = document.value(QLatin1String("rows")).toArray();
    if (!fitsFile(rows.size(), columns.size()))
        return false;
    const int lastColumn = int(columns.size());
    Sheet parsed;
    for (const QJsonValue &width : columns) {
        const auto w = wholeNumber(width, 0, maxLength);
        if (!w)
            return false;
        parsed.m_columnWidths.append(*w);
    }
    for (const QJsonValue &rowValue : rows) {
        const QJsonObject object = rowValue.toObject();
        Row row = parsed.emptyRow();
        const auto height = wholeNumber(object.value(QLatin1String("height")), 0, maxLength);
        if (!height)
            return false;
        row.height = *height;
        for (const QJsonValue &cellValue : object.value(QLatin1String("cells")).toArray()) {
            const QJsonObject cell = cellValue.toObject();
            const auto column = wholeNumber(cell.value(QLatin1String("column")), 1, lastColumn);
            const auto align = alignFromName(cell.value(QLatin1String("align")).toString(QStringLiteral("left")));
            const QJsonValue sizeValue = cell.value(QLatin1String("size"));
            const auto size = sizeValue.isUndefined() ? std::optional<int>(0) : wholeNumber(sizeValue, 0, maxPointSize);
            if (!column || !align || !size)
                return false;
            row.texts[*column - 1] = cell.value(QLatin1String("text")).toString();
            row.styles[*column - 1] = {*align, cell.value(QLatin1String("bold")).toBool(), *size};
        }
        for (const QJsonValue &mergeValue : object.value(QLatin1String("merges")).toArray()) {
            const QJsonArray pair = mergeValue.toArray();
            const auto first = wholeNumber(pair.at(0), 1, lastColumn);
            const auto last = wholeNumber(pair.at(1), 1, lastColumn);
            if (pair.size() != 2 || !first || !last || *first >= *last)
                return false;
            row.merges.append({*first, *last});
        }
        if (!disjoint(row.merges))
            return false;
        parsed.m_rows.append(row);
    }
    beginResetModel();
    m_columnWidths = parsed.m_columnWidths;
    m_rows = parsed.m_rows;
    m_currentRow = 0;
    endResetModel();
    return true;
}

bool Sheet::save(const QString &path) const
{
    const QByteArray bytes = saveToBytes();
    return !bytes.isEmpty() && writeFileAtomically(path, bytes);
}

// Written as JSON text directly: a shipping list of a thousand lines must not cost a JSON object
// per cell. Keys come in the order a person reads them, as in the template.
QByteArray Sheet::saveToBytes() const
{
    if (!fitsFile(m_rows.size(), m_columnWidths.size()))
        return {};
    QByteArray out;
    out.reserve(64 + 8 * m_columnWidths.size() + 32 * m_rows.size() * m_columnWidths.size());
    out += "{\"columns\": [";
    for (int c = 0; c < m_columnWidths.size(); ++c) {
        if (c > 0)
            out += ',';
        appendNumber(out, m_columnWidths[c]);
    }
    out += "],\n\"rows\": [\n";
    for (int r = 0; r < m_rows.size(); ++r) {
        const Row &row = m_rows[r];
        if (r > 0)
            out += ",\n";
        out += "{\"height\":";
        appendNumber(out, row.height);
        if (!row.merges.isEmpty()) {
            out += ",\"merges\":[";
            for (int m = 0; m < row.merges.size(); ++m) {
                out += m > 0 ? ",[" : "[";
                appendNumber(out, row.merges[m].first);
                out += ',';
                appendNumber(out, row.merges[m].second);
                out += ']';
            }
            out += ']';
        }
        bool anyCell = false;
        for (int c = 0; c < row.texts.size(); ++c) {
            const CellStyle &style = row.styles[c];
            if (row.texts[c].isEmpty() && style == CellStyle())
                continue;
            out += anyCell ? ",{\"column\":" : ",\"cells\":[{\"column\":";
            anyCell = true;
            appendNumber(out, c + 1);
            if (!row.texts[c].isEmpty()) {
                out += ",\"text\":";
                appendJsonString(out, row.texts[c]);
            }
            if (style.align != CellStyle::Align::Left) {
                const QLatin1String name = alignName(style.align);
                out += ",\"align\":\"";
                out.append(name.data(), name.size());
                out += '"';
            }
            if (style.bold)
                out += ",\"bold\":true";
            if (style.pointSize > 0) {
                out += ",\"size\":";
                appendNumber(out, style.pointSize);
            }
            out += '}';
        }
        if (anyCell)
            out += ']';
        out += '}';
    }
    out += "\n]}\n";
    return out;
}

bool Sheet::sameContent(const Sheet &other) const
{
    return m_columnWidths == other.m_columnWidths && m_rows == other.m_rows;
}

QString Sheet::text(int row, int column) const
{
    return hasCell(row, column) ? m_rows[row - 1].texts[column - 1] : QString();
}

void Sheet::setText(int row, int column, const QString &text)
{
    if (!hasCell(row, column))
        return;
    m_rows[row - 1].texts[column - 1] = text;
    const QModelIndex cell = index(row - 1, column - 1);
    emit dataChanged(cell, cell);
}

int Sheet::appendRow()
{
    const int row = int(m_rows.size()) + 1;
    beginInsertRows({}, row - 1, row - 1);
    m_rows.append(emptyRow());
    endInsertRows();
    emit rowFormatChanged(row);
    return row;
}

void Sheet::deleteRows(int firstRow, int count)
{
    const int first = qMax(firstRow, 1);
    const int last = qMin(firstRow + count - 1, int(m_rows.size()));
    if (first > last)
        return;
    beginRemoveRows({}, first - 1, last - 1);
    m_rows.remove(first - 1, last - first + 1);
    endRemoveRows();
    if (m_currentRow > last)
        setCurrentRow(m_currentRow - (last - first + 1));
    else if (m_currentRow >= first)
        setCurrentRow(qMin(first, int(m_rows.size())));
}

int Sheet::rowHeight(int row) const
{
    return hasCell(row, 1) ? m_rows[row - 1].height : 0;
}

void Sheet::setRowHeight(int row, int height)
{
    if (!hasCell(row, 1) || height < 0 || height > maxLength)
        return;
    m_rows[row - 1].height = height;
    emit rowFormatChanged(row);
}

int Sheet::columnWidth(int column) const
{
    return column >= 1 && column <= m_columnWidths.size() ? m_columnWidths[column - 1] : 0;
}

CellStyle Sheet::style(int row, int column) const
{
    return hasCell(row, column) ? m_rows[row - 1].styles[column - 1] : CellStyle();
}

void Sheet::setStyle(int row, int firstColumn, int lastColumn, const CellStyle &style)
{
    const int first = qMax(firstColumn, 1);
    const int last = qMin(lastColumn, int(m_columnWidths.size()));
    if (!hasCell(row, first) || first > last || style.pointSize < 0 || style.pointSize > maxPointSize)
        return;
    for (int c = first; c <= last; ++c)
        m_rows[row - 1].styles[c - 1] = style;
    emit dataChanged(index(row - 1, first - 1), index(row - 1, last - 1));
}

QList<Sheet::Merge> Sheet::merges(int row) const
{
    return hasCell(row, 1) ? m_rows[row - 1].merges : QList<Merge>();
}

bool Sheet::merge(int row, int firstColumn, int lastColumn)
{
    if (!hasCell(row, firstColumn) || !hasCell(row, lastColumn) || firstColumn >= lastColumn ||
        overlaps(m_rows[row - 1].merges, firstColumn, lastColumn))
        return false;
    m_rows[row - 1].merges.append({firstColumn, lastColumn});
    emit rowFormatChanged(row);
    return true;
}

void Sheet::setCurrentRow(int row)
{
    if (row == m_currentRow)
        return;
    m_currentRow = row;
    emit currentRowChanged(row);
}

int Sheet::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int Sheet::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columnWidths.size());
}

QVariant Sheet::data(const QModelIndex &index, int role) const
{
    const int row = index.row() + 1;
    const int column = index.column() + 1;
    if (!index.isValid() || !hasCell(row, column))
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(row, column);
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(qtAlignment(style(row, column).align));
    case Qt::FontRole: {
        const CellStyle cell = style(row, column);
        if (!cell.bold && cell.pointSize == 0)
            return {};
        QFont font;
        font.setBold(cell.bold);
        if (cell.pointSize > 0)
            font.setPointSize(cell.pointSize);
        return font;
    }
    default:
        return {};
    }
}

bool Sheet::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    setText(index.row() + 1, index.column() + 1, value.toString());
    return true;
}

Qt::ItemFlags Sheet::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::NoItemFlags;
}

SheetGrid::SheetGrid(QWidget *parent) : QTableView(parent)
{
    // The sheet carries its own title rows, so the grid shows no headers of its own.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
}

void SheetGrid::setSheet(Sheet *sheet)
{
    if (m_sheet)
        disconnect(m_sheet, nullptr, this, nullptr);
    m_sheet = sheet;
    setModel(sheet);
    if (!sheet)
        return;
    connect(sheet, &QAbstractItemModel::modelReset, this, &SheetGrid::applySheetFormat);
    connect(sheet, &QAbstractItemModel::rowsRemoved, this, &SheetGrid::applySheetFormat);
    connect(sheet, &Sheet::rowFormatChanged, this, &SheetGrid::applyRowFormat);
    connect(sheet, &Sheet::currentRowChanged, this, &SheetGrid::showCurrentRow);
    applySheetFormat();
}

void SheetGrid::applySheetFormat()
{
    clearSpans();
    if (!m_sheet)
        return;
    for (int c = 1; c <= m_sheet->columnCount(); ++c)
        setColumnWidth(c - 1, m_sheet->columnWidth(c));
    for (int r = 1; r <= m_sheet->rowCount(); ++r)
        applyRowFormat(r);
    showCurrentRow(m_sheet->currentRow());
}

void SheetGrid::applyRowFormat(int row)
{
    setRowHeight(row - 1, m_sheet->rowHeight(row));
    for (const auto &[first, last] : m_sheet->merges(row))
        setSpan(row - 1, first - 1, 1, last - first + 1);
}

void SheetGrid::showCurrentRow(int row)
{
    if (row < 1 || row > m_sheet->rowCount())
        return;
    const QModelIndex cell = m_sheet->index(row - 1, 0);
    setCurrentIndex(cell);
    scrollTo(cell);
}

void SheetGrid::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    // While a cell is edited, Enter belongs to the editor: it ends the edit.
    if (enter && state() != EditingState) {
        emit returnPressed();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

} // namespace platform
