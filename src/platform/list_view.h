#pragma once

#include "platform/filter.h"
#include "platform/record_listing.h"

#include <QList>
#include <QString>
#include <QTreeView>

namespace platform {

class ReportListModel;

// A column of a report list: its title and width in pixels, the record field it shows and how
// that field's value shows as text (a Number or a DateTime through valueToText).
struct ListColumn {
    QString title;
    int width = 0;
    QString field;
    ColumnKind kind = ColumnKind::Text;
};
using ListColumns = QList<ListColumn>;

// The report list view (超级列表框): the records of a RecordListing as rows of texts under the
// columns of one table. A row's record is read when the row is shown, so a list of any length
// costs the rows on screen.
class ReportList final : public QTreeView
{
    Q_OBJECT

public:
    explicit ReportList(QWidget *parent = nullptr);

    // The list's columns, declared once for each list.
    void setColumns(const ListColumns &columns);
    // Shows the listing's records in place of the rows shown; an empty listing empties the list.
    // The selection goes without a selection change: emptying the list is no choice of the operator.
    void setListing(const RecordListing &listing);
    const RecordListing &listing() const;

private:
    ReportListModel *m_model;
};

int listViewRowCount(const ReportList *list);
// The text the cell shows; empty outside the list.
QString listViewCell(const ReportList *list, int row, int column);
// The index of the first selected row, -1 when none is selected.
int selectedRow(const ReportList *list);
// Selects the row as a click does, with one selection change; a row outside the list clears the
// selection.
void selectRow(ReportList *list, int row);

} // namespace platform
