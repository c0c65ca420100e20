#include "platform/sheet_grid.h"

#include <QFile>
#include <QFont>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QSaveFile>

#include <optional>

namespace platform {

namespace {

constexpr int defaultRowHeight = 24;

const QList<std::pair<CellStyle::Align, QString>> alignNames = {
    {CellStyle::Align::Left, QStringLiteral("left")},
    {CellStyle::Align::Center, QStringLiteral("center")},
    {CellStyle::Align::Right, QStringLiteral("right")},
};

QString alignName(CellStyle::Align align)
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

// A JSON number that is a whole number of at least minimum, or none.
std::optional<int> wholeNumber(const QJsonValue &value, int minimum)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (d != double(int(d)) || int(d) < minimum)
        return std::nullopt;
    return int(d);
}

bool overlaps(const QList<Sheet::Merge> &merges, int first, int last)
{
    for (const auto &[f, l] : merges)
        if (first <= l && f <= last)
            return true;
    return false;
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
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    const QJsonArray columns = document.object().value(QLatin1String("columns")).toArray();
    if (columns.isEmpty())
        return false;
    Sheet parsed;
    for (const QJsonValue &width : columns) {
        const auto w = wholeNumber(width, 0);
        if (!w)
            return false;
        parsed.m_columnWidths.append(*w);
    }
    for (const QJsonValue &rowValue : document.object().value(QLatin1String("rows")).toArray()) {
        const QJsonObject object = rowValue.toObject();
        Row row = parsed.emptyRow();
        const auto height = wholeNumber(object.value(QLatin1String("height")), 0);
        if (!height)
            return false;
        row.height = *height;
        for (const QJsonValue &cellValue : object.value(QLatin1String("cells")).toArray()) {
            const QJsonObject cell = cellValue.toObject();
            const auto column = wholeNumber(cell.value(QLatin1String("column")), 1);
            const auto align = alignFromName(cell.value(QLatin1String("align")).toString(QStringLiteral("left")));
            const QJsonValue sizeValue = cell.value(QLatin1String("size"));
            const auto size = sizeValue.isUndefined() ? std::optional<int>(0) : wholeNumber(sizeValue, 0);
            if (!column || *column > columns.size() || !align || !size)
                return false;
            row.texts[*column - 1] = cell.value(QLatin1String("text")).toString();
            row.styles[*column - 1] = {*align, cell.value(QLatin1String("bold")).toBool(), *size};
        }
        for (const QJsonValue &mergeValue : object.value(QLatin1String("merges")).toArray()) {
            const QJsonArray pair = mergeValue.toArray();
            const auto first = wholeNumber(pair.at(0), 1);
            const auto last = wholeNumber(pair.at(1), 1);
            if (pair.size() != 2 || !first || !last || *first >= *last || *last > columns.size() ||
                overlaps(row.merges, *first, *last))
                return false;
            row.merges.append({*first, *last});
        }
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
    QJsonArray columns;
    for (int width : m_columnWidths)
        columns.append(width);
    QStringList rowLines;
    for (const Row &row : m_rows) {
        QJsonObject object{{QStringLiteral("height"), row.height}};
        QJsonArray merges;
        for (const auto &[first, last] : row.merges)
            merges.append(QJsonArray{first, last});
        if (!merges.isEmpty())
            object.insert(QStringLiteral("merges"), merges);
        QJsonArray cells;
        for (int c = 0; c < row.texts.size(); ++c) {
            const CellStyle &style = row.styles[c];
            if (row.texts[c].isEmpty() && style == CellStyle())
                continue;
            QJsonObject cell{{QStringLiteral("column"), c + 1}};
            if (!row.texts[c].isEmpty())
                cell.insert(QStringLiteral("text"), row.texts[c]);
            if (style.align != CellStyle::Align::Left)
                cell.insert(QStringLiteral("align"), alignName(style.align));
            if (style.bold)
                cell.insert(QStringLiteral("bold"), true);
            if (style.pointSize > 0)
                cell.insert(QStringLiteral("size"), style.pointSize);
            cells.append(cell);
        }
        if (!cells.isEmpty())
            object.insert(QStringLiteral("cells"), cells);
        rowLines.append(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
    }
    const QByteArray columnsText = QJsonDocument(columns).toJson(QJsonDocument::Compact);
    const QString text = QStringLiteral("{\"columns\": %1,\n\"rows\": [\n%2\n]}\n")
                             .arg(QString::fromUtf8(columnsText), rowLines.join(QStringLiteral(",\n")));
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
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
    if (!hasCell(row, 1) || height < 0)
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
    if (!hasCell(row, first) || first > last)
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
