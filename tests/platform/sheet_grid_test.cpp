#include "platform/sheet_grid.h"

#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QApplication>

#include <gtest/gtest.h>

namespace {

using platform::CellStyle;
using platform::Sheet;
using platform::SheetGrid;
using Merges = QList<Sheet::Merge>;

// Three columns; a title row merged over all of them and a plain row.
const char *const smallSheet = R"({"columns": [50, 60, 70],
"rows": [
{"height": 30, "merges": [[1, 3]], "cells": [{"column": 1, "text": "标题", "align": "center", "bold": true, "size": 14}]},
{"height": 20, "cells": [{"column": 2, "text": "b"}]}
]})";

class SheetTest : public ::testing::Test
{
protected:
    QString write(const QString &name, const QByteArray &text)
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    QString read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    QTemporaryDir dir;
    Sheet sheet;
};

TEST_F(SheetTest, LoadsCellsHeightsWidthsStylesAndMerges)
{
    ASSERT_TRUE(sheet.load(write("s.grd", smallSheet)));
    EXPECT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.columnCount(), 3);
    EXPECT_EQ(sheet.text(1, 1), "标题");
    EXPECT_EQ(sheet.text(2, 2), "b");
    EXPECT_EQ(sheet.text(2, 1), "");
    EXPECT_EQ(sheet.rowHeight(1), 30);
    EXPECT_EQ(sheet.columnWidth(3), 70);
    EXPECT_EQ(sheet.style(1, 1), (CellStyle{CellStyle::Align::Center, true, 14}));
    EXPECT_EQ(sheet.style(2, 2), CellStyle());
    EXPECT_EQ(sheet.merges(1), (Merges{{1, 3}}));
    EXPECT_TRUE(sheet.merges(2).isEmpty());
}

TEST_F(SheetTest, SavedSheetLoadsBackTheSame)
{
    ASSERT_TRUE(sheet.load(write("s.grd", smallSheet)));
    const int row = sheet.appendRow();
    sheet.setRowHeight(row, 40);
    sheet.setStyle(row, 2, 3, {CellStyle::Align::Right});
    ASSERT_TRUE(sheet.merge(row, 2, 3));
    // Escapes, control characters, a character beyond the 16-bit range and a lone surrogate.
    sheet.setText(row, 1, QString("电话\r\n手机 \"引号\" \\ /\t\x01😀") + QChar(0xd800) + "end");
    sheet.setText(row, 2, "x");
    const QString saved = dir.filePath("saved.grd");
    ASSERT_TRUE(sheet.save(saved));

    Sheet again;
    ASSERT_TRUE(again.load(saved));
    ASSERT_EQ(again.rowCount(), 3);
    ASSERT_EQ(again.columnCount(), 3);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(again.rowHeight(r), sheet.rowHeight(r)) << r;
        EXPECT_EQ(again.merges(r), sheet.merges(r)) << r;
        for (int c = 1; c <= 3; ++c) {
            EXPECT_EQ(again.text(r, c), sheet.text(r, c)) << r << "," << c;
            EXPECT_EQ(again.style(r, c), sheet.style(r, c)) << r << "," << c;
        }
    }
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(again.columnWidth(c), sheet.columnWidth(c));
    // A readable file: one line a row, the texts as they stand.
    const QString text = read(saved);
    EXPECT_TRUE(text.contains("标题"));
    EXPECT_EQ(text.count(u'\n'), 3 + 3);
}

// The template as shipped saves back byte for byte: the file format is unchanged.
TEST_F(SheetTest, TemplateSavesBackByteForByte)
{
    QFile resource(":/installed/resources/grd/null.grd");
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    const QByteArray template_ = resource.readAll();
    ASSERT_TRUE(sheet.loadFromBytes(template_));
    EXPECT_EQ(sheet.rowCount(), 3);
    EXPECT_EQ(sheet.columnCount(), 27);
    EXPECT_EQ(sheet.saveToBytes(), template_);
}

// A file as the earlier writer saved it: keys in alphabetical order, its own escapes.
TEST_F(SheetTest, FileOfTheEarlierWriterLoadsAndSavesToTheSameSheet)
{
    const char *const earlier = R"({"columns": [50,60,70],
"rows": [
{"cells":[{"align":"center","bold":true,"column":1,"size":14,"text":"标题"}],"height":30,"merges":[[1,3]]},
{"cells":[{"column":1,"text":"电话\r\n手机 \"引号\" \\ /\t\u0001"},{"align":"right","column":2,"text":"x"},{"align":"right","column":3}],"height":40,"merges":[[2,3]]}
]}
)";
    ASSERT_TRUE(sheet.load(write("earlier.grd", earlier)));
    EXPECT_EQ(sheet.style(1, 1), (CellStyle{CellStyle::Align::Center, true, 14}));
    EXPECT_EQ(sheet.text(2, 1), "电话\r\n手机 \"引号\" \\ /\t\x01");
    EXPECT_EQ(sheet.style(2, 3), CellStyle{CellStyle::Align::Right});
    EXPECT_EQ(sheet.merges(2), (Merges{{2, 3}}));
    EXPECT_EQ(sheet.rowHeight(2), 40);

    const QString saved = dir.filePath("saved.grd");
    ASSERT_TRUE(sheet.save(saved));
    Sheet again;
    ASSERT_TRUE(again.load(saved));
    EXPECT_TRUE(again.sameContent(sheet));
}

// Each number of the file is taken up to its bound and no further.
TEST_F(SheetTest, NumbersAtTheirBoundsLoad)
{
    const QByteArray text = QStringLiteral(R"({"columns": [0, %1], "rows": [{"height": %1, "merges": [[1, 2]],
        "cells": [{"column": 2, "size": %2}]}]})")
                                .arg(Sheet::maxLength)
                                .arg(Sheet::maxPointSize)
                                .toUtf8();
    ASSERT_TRUE(sheet.loadFromBytes(text));
    EXPECT_EQ(sheet.columnWidth(2), Sheet::maxLength);
    EXPECT_EQ(sheet.rowHeight(1), Sheet::maxLength);
    EXPECT_EQ(sheet.style(1, 2).pointSize, Sheet::maxPointSize);
}

TEST_F(SheetTest, FileThatIsNoSheetChangesNothing)
{
    const QByteArray tooWide =
        "{\"columns\": [" + QByteArray("1,").repeated(Sheet::maxCells) + "1], \"rows\": [{\"height\": 1}]}";
    const QList<std::pair<const char *, QByteArray>> cases = {
        {"not json", "columns: 3"},
        {"no columns", R"({"columns": [], "rows": [{"height": 5}]})"},
        {"no rows", R"({"columns": [10], "rows": []})"},
        {"rows missing", R"({"columns": [10]})"},
        {"more cells than a file may hold", tooWide},
        {"negative width", R"({"columns": [10, -1], "rows": [{"height": 5}]})"},
        {"fractional width", R"({"columns": [10.5], "rows": [{"height": 5}]})"},
        {"width beyond bound", R"({"columns": [2001], "rows": [{"height": 5}]})"},
        {"width beyond int", R"({"columns": [4294967306], "rows": [{"height": 5}]})"},
        {"huge width", R"({"columns": [1e300], "rows": [{"height": 5}]})"},
        {"height beyond int", R"({"columns": [10], "rows": [{"height": 2147483648}]})"},
        {"huge negative height", R"({"columns": [10], "rows": [{"height": -1e300}]})"},
        {"cell column beyond int", R"({"columns": [10], "rows": [{"height": 5, "cells": [{"column": 4294967297}]}]})"},
        {"size beyond bound", R"({"columns": [10], "rows": [{"height": 5, "cells": [{"column": 1, "size": 201}]}]})"},
        {"huge size", R"({"columns": [10], "rows": [{"height": 5, "cells": [{"column": 1, "size": 1e30}]}]})"},
        {"merge bound beyond int", R"({"columns": [10, 10], "rows": [{"height": 5, "merges": [[1, 4294967298]]}]})"},
        {"merge bound below int", R"({"columns": [10, 10], "rows": [{"height": 5, "merges": [[-4294967295, 2]]}]})"},
        {"row without height", R"({"columns": [10], "rows": [{}]})"},
        {"cell column 0", R"({"columns": [10], "rows": [{"height": 5, "cells": [{"column": 0, "text": "a"}]}]})"},
        {"cell beyond last column", R"({"columns": [10], "rows": [{"height": 5, "cells": [{"column": 2}]}]})"},
        {"unknown alignment", R"({"columns": [10], "rows": [{"height": 5, "cells": [{"column": 1, "align": "up"}]}]})"},
        {"merge beyond last column", R"({"columns": [10, 10], "rows": [{"height": 5, "merges": [[1, 3]]}]})"},
        {"merge of one column", R"({"columns": [10, 10], "rows": [{"height": 5, "merges": [[2, 2]]}]})"},
        {"overlapping merges", R"({"columns": [10, 10, 10], "rows": [{"height": 5, "merges": [[1, 2], [2, 3]]}]})"},
    };
    ASSERT_TRUE(sheet.load(write("s.grd", smallSheet)));
    for (const auto &[name, text] : cases) {
        EXPECT_FALSE(sheet.load(write("bad.grd", text))) << name;
        EXPECT_EQ(sheet.rowCount(), 2) << name;
        EXPECT_EQ(sheet.text(1, 1), "标题") << name;
    }
    EXPECT_FALSE(sheet.load(dir.filePath("missing.grd")));
    EXPECT_EQ(sheet.rowCount(), 2);
}

// A file without its title rows or columns is never written, and the file there stays.
TEST_F(SheetTest, SaveRefusesASheetWithoutRowsOrColumns)
{
    const QString path = write("kept.grd", smallSheet);
    EXPECT_FALSE(Sheet().save(path));
    ASSERT_TRUE(sheet.load(path));
    sheet.deleteRows(1, 2);
    EXPECT_FALSE(sheet.save(path));
    EXPECT_TRUE(sheet.saveToBytes().isEmpty());
    EXPECT_EQ(read(path), smallSheet);
}

// The sheet never holds what its file may not, so whatever it saves loads back.
TEST_F(SheetTest, HeightsAndSizesBeyondTheirBoundsAreIgnored)
{
    ASSERT_TRUE(sheet.load(write("s.grd", smallSheet)));
    sheet.setRowHeight(2, Sheet::maxLength + 1);
    sheet.setStyle(2, 1, 3, {CellStyle::Align::Right, false, Sheet::maxPointSize + 1});
    EXPECT_EQ(sheet.rowHeight(2), 20);
    EXPECT_EQ(sheet.style(2, 1), CellStyle());
}

TEST_F(SheetTest, MergeRefusesOverlapsAndColumnsOutsideTheSheet)
{
    ASSERT_TRUE(sheet.load(write("s.grd", smallSheet)));
    EXPECT_FALSE(sheet.merge(1, 2, 3)); // inside the title's merge
    EXPECT_FALSE(sheet.merge(2, 2, 4));
    EXPECT_FALSE(sheet.merge(2, 0, 1));
    EXPECT_FALSE(sheet.merge(3, 1, 2));
    EXPECT_TRUE(sheet.merge(2, 1, 2));
    EXPECT_FALSE(sheet.merge(2, 2, 3));
    EXPECT_EQ(sheet.merges(2), (Merges{{1, 2}}));
}

TEST_F(SheetTest, DeletedRowsTakeTheirFormatAlongAndLaterRowsMoveUp)
{
    ASSERT_TRUE(sheet.load(write("s.grd", smallSheet)));
    for (int i = 3; i <= 6; ++i) {
        const int row = sheet.appendRow();
        sheet.setText(row, 1, QString::number(i));
        sheet.setRowHeight(row, 10 * i);
        if (i == 6)
            sheet.merge(row, 2, 3);
    }
    sheet.setCurrentRow(6);
    sheet.deleteRows(3, 3);
    ASSERT_EQ(sheet.rowCount(), 3);
    EXPECT_EQ(sheet.text(3, 1), "6");
    EXPECT_EQ(sheet.rowHeight(3), 60);
    EXPECT_EQ(sheet.merges(3), (Merges{{2, 3}}));
    EXPECT_EQ(sheet.currentRow(), 3);

    sheet.deleteRows(3, 10); // more than there are: the rest goes
    EXPECT_EQ(sheet.rowCount(), 2);
    EXPECT_EQ(sheet.text(2, 2), "b");
    EXPECT_EQ(sheet.currentRow(), 2);
}

class SheetGridTest : public SheetTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sheet.load(write("s.grd", smallSheet)));
        grid.resize(300, 300);
        grid.setSheet(&sheet);
    }
    int appendMergedRow(int height)
    {
        const int row = sheet.appendRow();
        sheet.setRowHeight(row, height);
        sheet.merge(row, 1, 2);
        return row;
    }
    // The grid's rows counted from 1, like the sheet's.
    int span(int row, int column) const { return grid.columnSpan(row - 1, column - 1); }
    int height(int row) const { return grid.rowHeight(row - 1); }

    SheetGrid grid;
};

TEST_F(SheetGridTest, ShowsTheSheetsHeightsWidthsAndMerges)
{
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(grid.columnWidth(1), 60);
    EXPECT_EQ(height(1), 30);
    EXPECT_EQ(span(1, 1), 3);
    EXPECT_EQ(span(2, 1), 1);

    const int row = appendMergedRow(44);
    EXPECT_EQ(height(row), 44);
    EXPECT_EQ(span(row, 1), 2);
    EXPECT_EQ(grid.currentIndex().row(), -1);
    sheet.setCurrentRow(row);
    EXPECT_EQ(grid.currentIndex().row(), row - 1);
}

TEST_F(SheetGridTest, RowsAppendedWhileDetachedShowOnceAttachedAgain)
{
    grid.setSheet(nullptr);
    const int row = appendMergedRow(44);
    sheet.setCurrentRow(row);
    EXPECT_EQ(grid.model(), nullptr);
    grid.setSheet(&sheet);
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(height(row), 44);
    EXPECT_EQ(span(row, 1), 2);
    EXPECT_EQ(span(1, 1), 3);
    EXPECT_EQ(grid.currentIndex().row(), row - 1);
}

TEST_F(SheetGridTest, MergesFollowTheirRowsWhenRowsAreDeletedOrTheSheetReloaded)
{
    const int merged = appendMergedRow(44);
    sheet.appendRow();
    appendMergedRow(50);
    sheet.deleteRows(merged, 2);
    EXPECT_EQ(grid.model()->rowCount(), 3);
    EXPECT_EQ(span(3, 1), 2);
    EXPECT_EQ(height(3), 50);

    ASSERT_TRUE(sheet.load(write("s.grd", smallSheet)));
    EXPECT_EQ(grid.model()->rowCount(), 2);
    EXPECT_EQ(span(1, 1), 3);
    EXPECT_EQ(span(2, 1), 1);
}

TEST_F(SheetGridTest, EnterIsReportedOnlyOutsideCellEditing)
{
    int enters = 0;
    QObject::connect(&grid, &SheetGrid::returnPressed, [&enters] { ++enters; });
    grid.setCurrentIndex(sheet.index(1, 1));
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&grid, &enter);
    EXPECT_EQ(enters, 1);

    // Enter in a cell's editor ends the edit; the editor passes the key on to the grid.
    grid.show();
    grid.edit(sheet.index(1, 1));
    auto *editor = grid.findChild<QLineEdit *>();
    ASSERT_NE(editor, nullptr);
    editor->setText("typed");
    QKeyEvent whileEditing(QEvent::KeyPress, Qt::Key_Enter, Qt::NoModifier);
    QApplication::sendEvent(editor, &whileEditing);
    QApplication::processEvents();
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(sheet.text(2, 2), "typed");
}

} // namespace
