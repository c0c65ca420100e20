#include "desk/desk.h"
#include "desk/order_entry_page.h"
#include "frame/main_window.h"
#include "platform/list_view.h"
#include "support/case_names.h"
#include "support/program_dir_fixture.h"
#include "support/units.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include <memory>
#include <ostream>

namespace {

struct Picking {
    QString number;
    QString time; // as stored
    QString goods;
    int pieces, weight, volume;
    QString bubble;
    int bubbleWeight;
};

const QString pickingInsert = QStringLiteral(
    "INSERT INTO %1 (检货号, 检货员, 检货时间, 货物名称, 实际件数, 实际重量, 实际体积, 计抛否, 计抛重量) "
    "VALUES (?, '王五', ?, ?, ?, ?, ?, ?, ?)");

} // namespace

class OrderEntryPageTest : public ProgramDirTest
{
protected:
    void SetUp() override
    {
        ProgramDirTest::SetUp();
        loginAs(QStringLiteral("管理员"));
        main = std::make_unique<frame::MainWindow>(QList<frame::MainWindowPart>{&desk::attachToMainWindow});
    }

    template <typename T> T *unit(const QString &name) const { return findUnit<T>(main, name); }
    platform::ReportList *list() const
    {
        return unit<platform::ReportList>(QStringLiteral("超级列表框_受理_待处理的检货信息"));
    }
    QTimer *timer() const { return unit<QTimer>(QStringLiteral("时钟_待处理检货信息刷新")); }
    QString box(const QString &name) const { return unit<QLineEdit>(name)->text(); }

    void queue(const Picking &p) { insert(QStringLiteral("检货临时库"), p); }
    // The picking's permanent record, saved with it.
    void permanent(const Picking &p) { insert(QStringLiteral("检货及仓库"), p); }
    void insert(const QString &table, const Picking &p)
    {
        sql(QStringLiteral("main.mdb"), pickingInsert.arg(table),
            {p.number, p.time, p.goods, p.pieces, p.weight, p.volume, p.bubble, p.bubbleWeight});
    }
    QStringList orderNumbers()
    {
        return column(QStringLiteral("main.mdb"),
                      QStringLiteral("SELECT coalesce(业务单号, '-') FROM 检货及仓库 ORDER BY rowid"));
    }
    void openPage() { main->menuItems().菜单_受理_业务单录入.trigger(); }
    void tick() { ASSERT_TRUE(QMetaObject::invokeMethod(timer(), "timeout")); }
    void doubleClick(int row)
    {
        const QModelIndex index = list()->model()->index(row, 0);
        ASSERT_TRUE(index.isValid());
        emit list()->doubleClicked(index);
    }

    QList<QStringList> rows() const
    {
        QList<QStringList> out;
        for (int r = 0; r < platform::listViewRowCount(list()); ++r) {
            QStringList cells;
            for (int c = 0; c < list()->model()->columnCount(); ++c)
                cells.append(platform::listViewCell(list(), r, c));
            out.append(cells);
        }
        return out;
    }
    QStringList queuedNumbers()
    {
        return column(QStringLiteral("main.mdb"), QStringLiteral("SELECT 检货号 FROM 检货临时库 ORDER BY rowid"));
    }

    std::unique_ptr<frame::MainWindow> main;
};

const Picking first{QStringLiteral("JH0000007"),
                    QStringLiteral("2026-03-05 08:05:03"),
                    QStringLiteral("电视机"),
                    3,
                    40,
                    2,
                    QStringLiteral("否"),
                    15};
const Picking second{QStringLiteral("JH0000002"),
                     QStringLiteral("2026-03-06 00:00:00"),
                     QStringLiteral("棉被"),
                     10,
                     25,
                     9,
                     QStringLiteral("是"),
                     60};
// Another picking under the second one's number: the queue does not keep numbers unique.
const Picking secondTwin{QStringLiteral("JH0000002"),
                         QStringLiteral("2026-03-06 00:00:00"),
                         QStringLiteral("毛毯"),
                         2,
                         5,
                         1,
                         QStringLiteral("否"),
                         0};
const Picking third{
    QStringLiteral("JH0000005"), QStringLiteral("2026-12-10 17:30:00"), QString(), 1, 0, 1, QStringLiteral("否"), 0};

const QStringList firstRow = {"JH0000007", "2026年3月5日8时5分3秒", "电视机", "3", "40", "2", "否", "15"};
const QStringList secondRow = {"JH0000002", "2026年3月6日", "棉被", "10", "25", "9", "是", "60"};
const QStringList thirdRow = {"JH0000005", "2026年12月10日17时30分0秒", "", "1", "0", "1", "否", "0"};

TEST_F(OrderEntryPageTest, PendingListHasItsFrameUnitsAndColumns)
{
    EXPECT_EQ(unit<QFrame>(QStringLiteral("外形框_受理_待处理的检货信息"))->geometry(), QRect(1, 311, 454, 178));
    EXPECT_EQ(unit<QWidget>(QStringLiteral("标签_受理_待处理的检货信息"))->geometry(), QRect(163, 5, 120, 16));
    EXPECT_EQ(list()->geometry(), QRect(4, 23, 447, 150));

    const QList<std::pair<QString, int>> expected = {{"检货号", 50}, {"检货时间", 105}, {"货物名称", 60},
                                                     {"件数", 40},   {"重量", 40},      {"体积", 40},
                                                     {"计泡否", 50}, {"计泡重量", 60}};
    ASSERT_EQ(list()->model()->columnCount(), expected.size());
    for (int c = 0; c < expected.size(); ++c) {
        EXPECT_EQ(list()->model()->headerData(c, Qt::Horizontal).toString(), expected[c].first);
        EXPECT_EQ(list()->columnWidth(c), expected[c].second) << c;
    }
}

TEST_F(OrderEntryPageTest, OpeningShowsThePageTheOrderNumberAndTheQueueAtOnce)
{
    queue(first);
    // The toolbar button runs the same opener as the menu item.
    unit<QAction>(QStringLiteral("工具_业务单录入"))->trigger();

    EXPECT_EQ(main->pages()->currentIndex(), 2);
    EXPECT_EQ(unit<QFrame>(QStringLiteral("外形框_受理_底框"))->geometry(), QRect(0, 44, 794, 492));
    EXPECT_EQ(box(QStringLiteral("编辑框_受理_业务单号")), QStringLiteral("YW0000001"));
    EXPECT_EQ(main->statusPanel(7), QStringLiteral("业务单录入..."));
    for (QMenu *menu : main->topMenus())
        EXPECT_FALSE(menu->menuAction()->isEnabled()) << menu->title().toStdString();
    EXPECT_FALSE(unit<QToolBar>(QStringLiteral("工具条_主界面_常用功能"))->isEnabled());
    EXPECT_EQ(rows(), QList<QStringList>{firstRow});
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(OrderEntryPageTest, RefreshListsEveryQueuedRecordInTableOrder)
{
    // Two records share a number; table order, not number order, decides the rows.
    for (const Picking &p : {first, second, third, first})
        queue(p);
    openPage();
    EXPECT_EQ(rows(), (QList<QStringList>{firstRow, secondRow, thirdRow, firstRow}));

    sql(QStringLiteral("main.mdb"), QStringLiteral("DELETE FROM 检货临时库"));
    main->findChild<desk::OrderEntryPage *>()->refreshPendingPickingList();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(OrderEntryPageTest, TimerTicksFromCreationAndRefreshesWhateverPageIsShown)
{
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(timer()->interval(), 60000);
    EXPECT_TRUE(rows().isEmpty());

    queue(second);
    tick();
    EXPECT_EQ(main->pages()->currentIndex(), 0);
    EXPECT_EQ(rows(), QList<QStringList>{secondRow});
}

TEST_F(OrderEntryPageTest, MissingDatabaseEmptiesTheListWithoutAMessage)
{
    queue(first);
    openPage();
    ASSERT_EQ(rows().size(), 1);
    unit<QPushButton>(QStringLiteral("按钮_受理_返回"))->click();

    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/main.mdb"))));
    tick();
    EXPECT_TRUE(rows().isEmpty());
    openPage();
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("data/main.mdb"))));
}

TEST_F(OrderEntryPageTest, TakingAPickingFillsTheOrderWritesItsNumberAndMovesTheRowsUp)
{
    for (const Picking &p : {first, second, third})
        queue(p);
    for (const Picking &p : {first, secondTwin, second, third})
        permanent(p);
    openPage();
    unit<QLineEdit>(QStringLiteral("编辑框_受理_业务单号"))->setText(QStringLiteral("YW0000123"));

    doubleClick(1);

    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(box(QStringLiteral("编辑框_受理_货物名称")), QStringLiteral("棉被"));
    // Filled from code, a box shows the beginning of its text.
    EXPECT_EQ(unit<QLineEdit>(QStringLiteral("编辑框_受理_货物名称"))->cursorPosition(), 0);
    EXPECT_EQ(box(QStringLiteral("编辑框_受理_件数")), QStringLiteral("10"));
    EXPECT_EQ(box(QStringLiteral("编辑框_受理_重量")), QStringLiteral("25"));
    EXPECT_EQ(box(QStringLiteral("编辑框_受理_体积")), QStringLiteral("9"));
    EXPECT_TRUE(unit<QCheckBox>(QStringLiteral("选择框_受理_计抛否"))->isChecked());
    EXPECT_EQ(box(QStringLiteral("编辑框_受理_计抛重量")), QStringLiteral("60"));
    EXPECT_EQ(orderNumbers(), (QStringList{"-", "-", "YW0000123", "-"}));
    EXPECT_EQ(queuedNumbers(), (QStringList{first.number, third.number}));
    EXPECT_EQ(rows(), (QList<QStringList>{firstRow, thirdRow}));

    // A "否" picking unticks the box that an earlier take ticked.
    doubleClick(1);
    EXPECT_FALSE(unit<QCheckBox>(QStringLiteral("选择框_受理_计抛否"))->isChecked());
    EXPECT_EQ(rows(), QList<QStringList>{firstRow});
}

struct FailedTake {
    const char *name;
    const char *breakage; // SQL run on main.mdb after the list was filled; none: the file is removed
};

class FailedTakeTest : public OrderEntryPageTest, public ::testing::WithParamInterface<FailedTake>
{
};

TEST_P(FailedTakeTest, ChangesNothingAndKeepsTheList)
{
    for (const Picking &p : {first, second, third})
        queue(p);
    permanent(second);
    openPage();
    const bool fileRemoved = GetParam().breakage == nullptr;
    if (fileRemoved) {
        ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/main.mdb"))));
    } else {
        sql(QStringLiteral("main.mdb"), QString::fromUtf8(GetParam().breakage));
    }
    const QStringList queuedBeforeTake = queuedNumbers();

    doubleClick(1);

    EXPECT_EQ(messages.texts(), QStringList{"删除检货临时库中与被双击列表行相关的记录失败!"});
    EXPECT_EQ(rows(), (QList<QStringList>{firstRow, secondRow, thirdRow}));
    EXPECT_EQ(queuedNumbers(), queuedBeforeTake);
    EXPECT_EQ(orderNumbers(), fileRemoved ? QStringList() : QStringList{"-"});
    EXPECT_EQ(box(QStringLiteral("编辑框_受理_货物名称")), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Breakages, FailedTakeTest,
    ::testing::Values(
        // The deletion fails after the order number was written: that write must not stay.
        FailedTake{"DeletionRefused",
                   "CREATE TRIGGER 拒绝删除 BEFORE DELETE ON 检货临时库 BEGIN SELECT RAISE(ABORT, '拒绝'); END"},
        // The list is out of date: the picking of row 1 was taken elsewhere.
        FailedTake{"PickingGone", "DELETE FROM 检货临时库 WHERE rowid = 2"}, FailedTake{"DatabaseMissing", nullptr}),
    CaseName());

TEST_F(OrderEntryPageTest, OutOfDateListTakesThePickingItsRowShows)
{
    for (const Picking &p : {secondTwin, second}) {
        permanent(p);
        queue(p);
    }
    openPage();
    // Taken elsewhere after the list was shown: the twin's queued record goes, its order number stays.
    sql(QStringLiteral("main.mdb"), QStringLiteral("DELETE FROM 检货临时库 WHERE rowid = 1"));
    sql(QStringLiteral("main.mdb"), QStringLiteral("UPDATE 检货及仓库 SET 业务单号 = 'YW0000050' WHERE rowid = 1"));
    unit<QLineEdit>(QStringLiteral("编辑框_受理_业务单号"))->setText(QStringLiteral("YW0000123"));

    doubleClick(1);

    EXPECT_TRUE(messages.messages.isEmpty());
    EXPECT_EQ(box(QStringLiteral("编辑框_受理_货物名称")), QStringLiteral("棉被"));
    EXPECT_EQ(orderNumbers(), (QStringList{"YW0000050", "YW0000123"}));
    EXPECT_TRUE(queuedNumbers().isEmpty());
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(OrderEntryPageTest, ReturnButtonLeadsBackToTheStartPageAndTheMenus)
{
    openPage();
    unit<QPushButton>(QStringLiteral("按钮_受理_返回"))->click();
    EXPECT_EQ(main->pages()->currentIndex(), 0);
    EXPECT_EQ(main->statusPanel(7), QStringLiteral("等待操作..."));
    for (QMenu *menu : main->topMenus())
        EXPECT_TRUE(menu->menuAction()->isEnabled()) << menu->title().toStdString();
    EXPECT_TRUE(unit<QToolBar>(QStringLiteral("工具条_主界面_常用功能"))->isEnabled());
}

TEST_F(OrderEntryPageTest, RefreshOfTenThousandQueuedPickingsReadsOnlyTheRowsShown)
{
    sql(QStringLiteral("main.mdb"),
        QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
            "INSERT INTO 检货临时库 (检货号, 检货员, 检货时间, 货物名称, 实际件数, 实际重量, 实际体积, 计抛否, "
            "计抛重量) SELECT printf('JH%07d', i), '王五', '2026-03-05 08:05:03', '货物', i, 2 * i, 3, "
            "'否', 0 FROM n"));
    openPage();
    main->show();
    main->findChild<desk::OrderEntryPage *>()->refreshPendingPickingList();
    QCoreApplication::processEvents();

    ASSERT_EQ(platform::listViewRowCount(list()), 10000);
    EXPECT_LT(list()->listing().recordsRead(), 1000);
    EXPECT_EQ(platform::listViewCell(list(), 9999, 0), QStringLiteral("JH0010000"));
    EXPECT_EQ(platform::listViewCell(list(), 9999, 4), QStringLiteral("20000"));
    EXPECT_LT(list()->listing().recordsRead(), 1000);
}
