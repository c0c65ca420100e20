#pragma once

#include "desk/shipping_sheet.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace desk {

// The consignee columns of a line, from the last order in table order with the line's number.
struct Consignee {
    QString name, company, address, phone, mobile;
    int collectAmount = 0;
    QString settlement;
};
void fillConsignee(ShippingLine &line, const Consignee &consignee);

// A stock-out queue record as a click loaded it: its identity and its own columns. A save removes
// it only while both still hold, so a record that took over a freed identity stays queued.
struct QueuedLine {
    qint64 id = -1;
    ShippingLine line;
    bool operator==(const QueuedLine &) const = default;
};

// The stock-out queue in table order: each line with its consignee, and the record it came from.
struct OutboundLines {
    QList<ShippingLine> lines;
    QList<QueuedLine> queued;
};
// Two reads of main.mdb whatever the length of the queue; nothing when it cannot be read.
OutboundLines readOutboundLines();

// The consignees of typed order numbers; a number without an order has no entry.
QHash<QString, Consignee> readConsignees(const QStringList &orderNumbers);

// The 发货清单 record, from the page's header and total boxes.
struct ShippingListRecord {
    QString number, driver;
    int driverFare = 0;
    QString plate, date;
    int totalPieces = 0, totalHeldPieces = 0, totalWeight = 0, totalVolume = 0;
};

struct ShippingList {
    ShippingListRecord record;
    SheetHeader sheetHeader; // as the sheet shows it, which may differ from the boxes now
    QList<ShippingLine> lines;
    QList<QueuedLine> loadedQueue; // the queue records the last click loaded into the sheet
};

struct SaveResult {
    enum Outcome {
        Saved,
        SheetNotPlaced, // records, number and queue committed; the sheet file is not in place
        NumberNotFileName,
        NumberTaken,
        NoSheetTemplate,
        SheetNotWritten,
        RecordsNotSaved,
    };
    Outcome outcome;
    QString sheetPath;
};

// The sheet file, the 发货清单 record, the advanced list number and the removal of the listed
// queue records, whole or not at all: the records commit in one transaction, and the sheet,
// written under a temporary name, takes its own name only after that commit.
SaveResult storeShippingList(const ShippingList &list);

// Clears what an interrupted save left in the sheet folder: a sheet whose list was committed is
// put in place, any other temporary sheet is removed. Run when the page opens and before a save.
void clearInterruptedSaves();

QString shippingSheetPath(const QString &number);
QString temporarySheetPath(const QString &number);

} // namespace desk
