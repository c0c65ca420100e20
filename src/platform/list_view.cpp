#include "platform/list_view.h"

#include <QHeaderView>
#include <QTreeWidget>

namespace platform {

void listViewSetColumns(QTreeWidget *list, const ListViewColumns &columns)
{
    QStringList titles;
    for (const auto &column : columns)
        titles.append(column.first);
    list->setColumnCount(int(columns.size()));
    list->setHeaderLabels(titles);
    for (int i = 0; i < columns.size(); ++i)
        list->setColumnWidth(i, columns[i].second);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->header()->setStretchLastSection(false);
}

void listViewClear(QTreeWidget *list)
{
    list->clear();
}

int listViewAddRow(QTreeWidget *list, const QString &text)
{
    auto *item = new QTreeWidgetItem(list);
    item->setText(0, text);
    return list->topLevelItemCount() - 1;
}

void listViewSetCell(QTreeWidget *list, int row, int column, const QString &text)
{
    if (QTreeWidgetItem *item = list->topLevelItem(row))
        item->setText(column, text);
}

QString listViewCell(const QTreeWidget *list, int row, int column)
{
    const QTreeWidgetItem *item = list->topLevelItem(row);
    return item ? item->text(column) : QString();
}

int listViewRowCount(const QTreeWidget *list)
{
    return list->topLevelItemCount();
}

int selectedRow(const QTreeWidget *list)
{
    int first = -1;
    for (QTreeWidgetItem *item : list->selectedItems()) {
        const int row = list->indexOfTopLevelItem(item);
        if (first < 0 || row < first)
            first = row;
    }
    return first;
}

void selectRow(QTreeWidget *list, int row)
{
    list->clearSelection();
    if (QTreeWidgetItem *item = list->topLevelItem(row)) {
        list->setCurrentItem(item);
        item->setSelected(true);
    }
}

} // namespace platform
