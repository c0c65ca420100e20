#include "platform/list_view.h"

#include "platform/text_conversions.h"

#include <QAbstractTableModel>
#include <QHeaderView>

namespace platform {

namespace {

QString cellText(const ListedRecord &record, const ListColumn &column)
{
    switch (column.kind) {
    case ColumnKind::Number:
        return valueToText(record.readInt(column.field));
    case ColumnKind::DateTime:
        return valueToText(record.readDateTime(column.field));
    case ColumnKind::Text:
        break;
    }
    return record.readText(column.field);
}

} // namespace

// The listed records under the list's columns; the listing keeps the records it has read.
class ReportListModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setColumns(const ListColumns &columns)
    {
        beginResetModel();
        m_columns = columns;
        endResetModel();
    }
    void setListing(const RecordListing &listing)
    {
        beginResetModel();
        m_listing = listing;
        endResetModel();
    }
    const RecordListing &listing() const { return m_listing; }

    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : m_listing.count(); }
    int columnCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_columns.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        return cellText(m_listing.record(index.row()), m_columns[index.column()]);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= m_columns.size())
            return {};
        return m_columns[section].title;
    }
    Qt::ItemFlags flags(const QModelIndex &index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren : Qt::NoItemFlags;
    }

private:
    ListColumns m_columns;
    RecordListing m_listing;
};

ReportList::ReportList(QWidget *parent) : QTreeView(parent), m_model(new ReportListModel(this))
{
    setModel(m_model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(SelectRows);
    header()->setStretchLastSection(false);
}

void ReportList::setColumns(const ListColumns &columns)
{
    m_model->setColumns(columns);
    for (int i = 0; i < columns.size(); ++i)
        setColumnWidth(i, columns[i].width);
}

void ReportList::setListing(const RecordListing &listing)
{
    // The header keeps its sections, and so their widths, through the reset.
    m_model->setListing(listing);
}

const RecordListing &ReportList::listing() const
{
    return m_model->listing();
}

int listViewRowCount(const ReportList *list)
{
    return list->model()->rowCount();
}

QString listViewCell(const ReportList *list, int row, int column)
{
    return list->model()->index(row, column).data().toString();
}

int selectedRow(const ReportList *list)
{
    int first = -1;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        if (first < 0 || index.row() < first)
            first = index.row();
    return first;
}

void selectRow(ReportList *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    if (index.isValid())
        list->setCurrentIndex(index);
    else
        list->clearSelection();
}

} // namespace platform

#include "list_view.moc"
