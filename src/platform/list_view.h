#pragma once

#include <QList>
#include <QString>
#include <utility>

class QTreeWidget;

namespace platform {

// The report-style list view: rows of texts under column titles.
using ListViewColumns = QList<std::pair<QString, int>>; // title, width in pixels
void listViewSetColumns(QTreeWidget *list, const ListViewColumns &columns);
void listViewClear(QTreeWidget *list);
// Appends a row whose column 0 holds the text; returns its index.
int listViewAddRow(QTreeWidget *list, const QString &text);
void listViewSetCell(QTreeWidget *list, int row, int column, const QString &text);
QString listViewCell(const QTreeWidget *list, int row, int column);
int listViewRowCount(const QTreeWidget *list);
// The index of the first selected row, -1 when none is selected.
int selectedRow(const QTreeWidget *list);
void selectRow(QTreeWidget *list, int row);

} // namespace platform
