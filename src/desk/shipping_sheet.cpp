#include "desk/shipping_sheet.h"

#include "platform/program_directory.h"
#include "platform/sheet_grid.h"

#include <QList>
#include <utility>

namespace desk {

namespace {

constexpr int headerRow = 2;
const QString builtInTemplate = QStringLiteral(":/installed/resources/grd/null.grd");

// Every data row looks the same whoever appends it: two text lines high (the phone cell holds
// two numbers), centred text, and the column groups of the title row.
constexpr int dataRowHeight = 40;
const platform::CellStyle dataCellStyle{platform::CellStyle::Align::Center};
const QList<platform::Sheet::Merge> dataRowMerges = {{4, 6}, {7, 8}, {10, 11}, {12, 14}, {15, 19}, {20, 24}, {25, 26}};

// The sheet column of each visible cell; a merged group is named by its first column.
const QList<std::pair<int, QString ShippingLine::*>> lineColumns = {
    {1, &ShippingLine::orderNumber}, {2, &ShippingLine::goods},          {3, &ShippingLine::pieces},
    {4, &ShippingLine::heldPieces},  {7, &ShippingLine::weight},         {9, &ShippingLine::volume},
    {10, &ShippingLine::consignee},  {12, &ShippingLine::company},       {15, &ShippingLine::address},
    {20, &ShippingLine::phones},     {25, &ShippingLine::collectAmount}, {27, &ShippingLine::settlement},
};
const QList<std::pair<int, QString SheetHeader::*>> headerColumns = {
    {2, &SheetHeader::number}, {5, &SheetHeader::driver}, {11, &SheetHeader::driverFare},
    {14, &SheetHeader::plate}, {19, &SheetHeader::date},
};

bool isEmptyShippingSheet(const platform::Sheet &sheet)
{
    return sheet.rowCount() == shippingLastHeaderRow && sheet.columnCount() == shippingColumnCount;
}

bool loadEmptySheetFrom(platform::Sheet &sheet, const QString &path)
{
    return sheet.load(path) && isEmptyShippingSheet(sheet);
}

template <typename Record>
Record readRow(const platform::Sheet &sheet, int row, const QList<std::pair<int, QString Record::*>> &columns)
{
    Record record;
    for (const auto &[column, member] : columns)
        record.*member = sheet.text(row, column);
    return record;
}

template <typename Record>
void writeRow(platform::Sheet &sheet, int row, const Record &record,
              const QList<std::pair<int, QString Record::*>> &columns)
{
    for (const auto &[column, member] : columns)
        sheet.setText(row, column, record.*member);
}

} // namespace

bool loadEmptyShippingSheet(platform::Sheet &sheet)
{
    return loadEmptySheetFrom(sheet, platform::programPath(QStringLiteral("grd/null.grd"))) ||
           loadEmptySheetFrom(sheet, builtInTemplate);
}

int appendShippingLine(platform::Sheet &sheet)
{
    const int row = sheet.appendRow();
    sheet.setRowHeight(row, dataRowHeight);
    sheet.setStyle(row, 1, shippingColumnCount, dataCellStyle);
    for (const auto &[first, last] : dataRowMerges)
        sheet.merge(row, first, last);
    return row;
}

ShippingLine shippingLine(const platform::Sheet &sheet, int row)
{
    return readRow(sheet, row, lineColumns);
}

void setShippingLine(platform::Sheet &sheet, int row, const ShippingLine &line)
{
    writeRow(sheet, row, line, lineColumns);
}

SheetHeader sheetHeader(const platform::Sheet &sheet)
{
    return readRow(sheet, headerRow, headerColumns);
}

void setSheetHeader(platform::Sheet &sheet, const SheetHeader &header)
{
    writeRow(sheet, headerRow, header, headerColumns);
}

} // namespace desk
