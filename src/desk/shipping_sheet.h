#pragma once

#include <QString>

namespace platform {
class Sheet;
}

namespace desk {

// The layout of a shipping-list sheet: header rows 1 to 3, data rows from row 4, 27 columns.
constexpr int shippingLastHeaderRow = 3;
constexpr int shippingFirstDataRow = 4;
constexpr int shippingColumnCount = 27;

// The five texts of the sheet's header row.
struct SheetHeader {
    QString number, driver, driverFare, plate, date;
    bool operator==(const SheetHeader &) const = default;
};

// One data row as the sheet shows it: its twelve visible cells (the others lie under merges).
struct ShippingLine {
    QString orderNumber, goods, pieces, heldPieces, weight, volume;
    QString consignee, company, address, phones, collectAmount, settlement;
    bool operator==(const ShippingLine &) const = default;
};

// The empty sheet from grd/null.grd when that file holds one (the header rows, 27 columns and no
// data row), otherwise the one the program carries, so a broken template can never hide lines.
// False only when neither could be loaded.
bool loadEmptyShippingSheet(platform::Sheet &sheet);

// Appends a data row formatted like every other one; returns its index.
int appendShippingLine(platform::Sheet &sheet);

ShippingLine shippingLine(const platform::Sheet &sheet, int row);
void setShippingLine(platform::Sheet &sheet, int row, const ShippingLine &line);
SheetHeader sheetHeader(const platform::Sheet &sheet);
void setSheetHeader(platform::Sheet &sheet, const SheetHeader &header);

} // namespace desk
