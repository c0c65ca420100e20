#include "goods/stock_out_page.h"
#include "support/program_dir_fixture.h"

#include <QFile>
#include <QPushButton>
#include <QTableWidget>

namespace {

const QString queueRows =
    QStringLiteral("SELECT 业务单号 || '|' || 货物名称 || '|' || 件数 || '|' || 截留件数 || '|' || 重量 || '|' || 体积 "
                   "FROM 出库临时表 ORDER BY rowid");

} // namespace

class StockOutPageTest : public ProgramDirTest
{
protected:
    QTableWidget *grid() const { return page.findChild<QTableWidget *>(QStringLiteral("高级表格_出库")); }
    void click(const QString &name) const { page.findChild<QPushButton *>(name)->click(); }
    void addRow(const QStringList &cells) const
    {
        click(QStringLiteral("按钮_出库_添加行"));
        const int row = grid()->rowCount() - 1;
        for (int c = 0; c < cells.size(); ++c)
            grid()->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
    void save() const { click(QStringLiteral("按钮_出库_保存出库信息")); }
    QStringList queued() { return column(QStringLiteral("main.mdb"), queueRows); }

    goods::StockOutPage page{nullptr};
};

TEST_F(StockOutPageTest, GridHasTheSixColumnsTheSaveReads)
{
    QStringList titles;
    for (int c = 0; c < grid()->columnCount(); ++c)
        titles.append(grid()->horizontalHeaderItem(c)->text());
    EXPECT_EQ(titles, (QStringList{"业务单号", "货物名称", "件数", "截留件数", "重量", "体积"}));
    click(QStringLiteral("按钮_出库_添加行"));
    click(QStringLiteral("按钮_出库_添加行"));
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(grid()->currentRow(), 1);
}

TEST_F(StockOutPageTest, EveryRowIsQueuedInGridOrder)
{
    sql(QStringLiteral("main.mdb"), QStringLiteral("INSERT INTO 出库临时表 VALUES ('OLD', '旧', 1, 1, 1, 1)"));
    addRow({"A1", "布", "10", "1", "7.9", "9"});
    addRow({"B2", "纸", "x", "", "-3.5", " 4 "});
    addRow({"C3"}); // cells never typed
    save();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(queued(), (QStringList{"OLD|旧|1|1|1|1", "A1|布|10|1|7|9", "B2|纸|0|0|-3|4", "C3||0|0|0|0"}));
}

TEST_F(StockOutPageTest, ASecondClickCannotQueueTheSameRowsAgain)
{
    addRow({"A1", "布", "10", "1", "7", "9"});
    addRow({"B2", "纸", "5", "0", "3", "4"});
    save();
    EXPECT_EQ(grid()->rowCount(), 0);
    save();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(queued(), (QStringList{"A1|布|10|1|7|9", "B2|纸|5|0|3|4"}));

    // Rows added afterwards are queued on their own.
    messages.clear();
    addRow({"C3", "木", "2", "0", "1", "1"});
    save();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(queued().size(), 3);
    EXPECT_EQ(queued().last(), QStringLiteral("C3|木|2|0|1|1"));
}

TEST_F(StockOutPageTest, NoRowSavesNothingAndSaysNothing)
{
    save();
    EXPECT_TRUE(messages.texts().isEmpty());
    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("出库临时表")), 0);
}

TEST_F(StockOutPageTest, FailedSaveQueuesNoRowAtAll)
{
    // The second row's insert fails: the first one must not stay queued alone.
    sql(QStringLiteral("main.mdb"),
        QStringLiteral("CREATE TRIGGER refuse_b2 BEFORE INSERT ON 出库临时表 WHEN NEW.业务单号 = 'B2' "
                       "BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    addRow({"A1", "布", "10", "1", "7", "9"});
    addRow({"B2", "纸", "5", "0", "3", "4"});
    save();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存失败!")});
    EXPECT_EQ(queued(), QStringList());
    // The rows stay for another try.
    ASSERT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(grid()->item(1, 0)->text(), QStringLiteral("B2"));

    messages.clear();
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/main.mdb"))));
    save();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存失败!")});
}
