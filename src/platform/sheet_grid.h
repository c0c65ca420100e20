#pragma once

#include <QAbstractTableModel>
#include <QByteArray>
#include <QList>
#include <QString>
#include <QTableView>
#include <utility>

namespace platform {

// How a sheet cell shows its text.
struct CellStyle {
    enum class Align { Left, Center, Right };
    Align align = Align::Left;
    bool bold = false;
    int pointSize = 0; // 0: the grid's own font size
    bool operator==(const CellStyle &) const = default;
};

// A printable sheet: cell texts, row heights, column widths, cell styles and cells merged across
// columns of one row. Rows and columns are counted from 1, as the sheet's printed form counts
// them. It is the data source of a SheetGrid and is kept as a readable JSON grid file.
class Sheet final : public QAbstractTableModel
{
    Q_OBJECT

public:
    // The columns of one row that show as one cell.
    using Merge = std::pair<int, int>; // first and last column

    // What a grid file may hold: bounded, so that no file can make the sheet or its grid overflow.
    static constexpr int maxCells = 1 << 20; // rows times columns
    static constexpr int maxLength = 2000;   // a row's height or a column's width, in pixels
    static constexpr int maxPointSize = 200;

    explicit Sheet(QObject *parent = nullptr);

    // Replaces the whole sheet with a grid file's; a file that is missing or no sheet changes nothing.
    bool load(const QString &path);
    bool loadFromBytes(const QByteArray &bytes);
    // Writes the whole file or nothing (writeFileAtomically); any path, so that a caller can
    // write under a temporary name and put the file in place later (replaceFile).
    bool save(const QString &path) const;
    // The grid file's text; empty for a sheet no file may hold: one with no columns or no rows
    // (a sheet always has its title rows) or beyond maxCells.
    QByteArray saveToBytes() const;
    // Same widths, heights, texts, styles and merges; the current row is no content.
    bool sameContent(const Sheet &other) const;

    QString text(int row, int column) const;
    void setText(int row, int column, const QString &text);

    // Appends an empty row of the default height and style; returns its index (the new last row).
    int appendRow();
    void deleteRows(int firstRow, int count);

    int rowHeight(int row) const;
    // A height outside 0 to maxLength is ignored, as is a style whose pointSize is outside 0 to
    // maxPointSize: the sheet never holds what its file may not.
    void setRowHeight(int row, int height);
    int columnWidth(int column) const;
    CellStyle style(int row, int column) const;
    void setStyle(int row, int firstColumn, int lastColumn, const CellStyle &style);
    QList<Merge> merges(int row) const;
    // False when the columns are out of range or overlap a merge of the row.
    bool merge(int row, int firstColumn, int lastColumn);

    // The row a grid showing this sheet puts its cursor on; 0 when none.
    int currentRow() const { return m_currentRow; }
    void setCurrentRow(int row);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

signals:
    // A row's height or merges changed.
    void rowFormatChanged(int row);
    void currentRowChanged(int row);

private:
    struct Row {
        int height = 0;
        QStringList texts;
        QList<CellStyle> styles;
        QList<Merge> merges;
        bool operator==(const Row &) const = default;
    };

    bool hasCell(int row, int column) const;
    Row emptyRow() const;

    QList<int> m_columnWidths;
    QList<Row> m_rows;
    int m_currentRow = 0;
};

// The grid that shows a Sheet: row heights, column widths and merged cells as the sheet holds
// them. Enter (outside cell editing) is reported as returnPressed.
class SheetGrid final : public QTableView
{
    Q_OBJECT

public:
    explicit SheetGrid(QWidget *parent = nullptr);

    // nullptr detaches the grid, so that bulk changes to the sheet repaint nothing.
    void setSheet(Sheet *sheet);
    Sheet *sheet() const { return m_sheet; }

signals:
    void returnPressed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applySheetFormat();
    void applyRowFormat(int row);
    void showCurrentRow(int row);

    Sheet *m_sheet = nullptr;
};

} // namespace platform
