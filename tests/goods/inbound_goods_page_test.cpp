#include "frame/main_window.h"
#include "goods/goods.h"
#include "goods/inbound_goods_filter.h"
#include "goods/inbound_goods_page.h"
#include "goods/stock_out_page.h"
#include "goods/warehouse_window.h"
#include "platform/focus.h"
#include "platform/list_view.h"
#include "platform/text_conversions.h"
#include "support/program_dir_fixture.h"
#include "support/units.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>

namespace {

const QString queryCaption = QStringLiteral("查 询");
const QString modifyCaption = QStringLiteral("修 改");
const QString noRecord = QStringLiteral("没有记录!");
const QString flagSaved = QStringLiteral("修改'已提货'标志成功!");
const QString flagFailed = QStringLiteral("修改'已提货'标志失败!");
const QString noSelection = QStringLiteral("请先在查询列表中选择要修改的记录!");
const QString noRange = QStringLiteral("请先输入要查询的时间范围!");

} // namespace

class InboundGoodsTest : public ProgramDirTest
{
protected:
    void SetUp() override
    {
        ProgramDirTest::SetUp();
        goods::inboundGoodsFilter().clear();
        loginAs(QStringLiteral("管理员"), {}, QStringLiteral("李四"));
        main = std::make_unique<frame::MainWindow>(QList<frame::MainWindowPart>{&goods::attachToMainWindow});
        reopen();
    }
    void TearDown() override
    {
        delete window.data();
        main.reset();
        ProgramDirTest::TearDown();
    }

    // Closes the window, if open, and opens it again from the menu item.
    void reopen()
    {
        if (window) {
            window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        ASSERT_TRUE(window.isNull());
        main->menuItems().菜单_仓库_外地入埠货物管理.trigger();
        window = shownWindow<goods::WarehouseWindow>();
        ASSERT_FALSE(window.isNull());
    }

    template <typename T> T *unit(const QString &name) const { return findUnit<T>(window, name); }
    QLineEdit *box(const QString &column) const { return unit<QLineEdit>(QStringLiteral("编辑框_外地入埠_") + column); }
    platform::ReportList *list() const
    {
        return unit<platform::ReportList>(QStringLiteral("超级列表框_外地入埠_查询列表"));
    }
    QPushButton *queryButton() const { return unit<QPushButton>(QStringLiteral("按钮_外地入埠_查询")); }
    QPushButton *saveButton() const { return unit<QPushButton>(QStringLiteral("按钮_外地入埠_保存")); }
    QCheckBox *notPickedUpBox() const { return unit<QCheckBox>(QStringLiteral("选择框_外地入埠_未提货")); }
    QCheckBox *pickedUpBox() const { return unit<QCheckBox>(QStringLiteral("选择框_外地入埠_已提货")); }
    QComboBox *wayBox() const { return unit<QComboBox>(QStringLiteral("组合框_外地入埠_提货方式")); }

    // Appends a record as the installed table holds it; a null flag leaves the column NULL.
    void addGoods(const QString &name, const QString &arrival, const QVariant &pickedUp, int pieces = 1)
    {
        sql(QStringLiteral("ywzhxx.mdb"),
            QStringLiteral("INSERT INTO 外地入埠货物 (品名, 始发地, 到达日期, 原包装, 件数, 提货人姓名, 提货人电话, "
                           "提货人单位, 已提货) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"),
            {name, name + QStringLiteral("始发"), arrival, QStringLiteral("纸箱"), pieces, name + QStringLiteral("人"),
             QStringLiteral("139"), name + QStringLiteral("单位"), pickedUp});
    }
    QStringList flags()
    {
        return column(QStringLiteral("ywzhxx.mdb"), QStringLiteral("SELECT 已提货 FROM 外地入埠货物 ORDER BY rowid"));
    }

    void query(const QString &from, const QString &to, bool notPickedUp)
    {
        box(QStringLiteral("从时间"))->setText(from);
        box(QStringLiteral("到时间"))->setText(to);
        notPickedUpBox()->setChecked(notPickedUp);
        queryButton()->click();
    }
    void modify(int row, bool pickedUp)
    {
        platform::selectRow(list(), row);
        pickedUpBox()->setChecked(pickedUp);
        queryButton()->click();
    }
    QStringList listedNames() const
    {
        QStringList names;
        for (int row = 0; row < platform::listViewRowCount(list()); ++row)
            names.append(platform::listViewCell(list(), row, 0));
        return names;
    }

    std::unique_ptr<frame::MainWindow> main;
    QPointer<goods::WarehouseWindow> window;
};

TEST_F(InboundGoodsTest, MenuItemOpensThePageReadyForEntryAndClosingGivesBackTheMainWindow)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("仓库窗口"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("外地入埠货物管理"));
    auto *tabs = unit<QTabWidget>(QStringLiteral("选择夹_仓库"));
    EXPECT_EQ(tabs->currentWidget()->objectName(), QStringLiteral("外地入埠"));
    EXPECT_EQ(tabs->currentIndex(), 3);
    EXPECT_EQ((QStringList{tabs->tabText(0), tabs->tabText(1), tabs->tabText(2), tabs->tabText(3)}),
              (QStringList{"", "入库", "出库", "外地入埠"}));
    EXPECT_EQ(window->size(), QSize(572, 344));

    const QDateTime now = QDateTime::currentDateTime();
    for (const QString &column : {QStringLiteral("到达日期"), QStringLiteral("提货日期")}) {
        const QDateTime shown = platform::textToDateTime(box(column)->text());
        EXPECT_TRUE(shown.isValid()) << box(column)->text().toStdString();
        EXPECT_LE(std::abs(shown.secsTo(now)), 5);
        EXPECT_EQ(box(column)->cursorPosition(), 0);
    }
    EXPECT_EQ(box(QStringLiteral("入库人"))->text(), QStringLiteral("李四"));
    EXPECT_EQ(box(QStringLiteral("从时间"))->text(), QString());
    EXPECT_EQ(box(QStringLiteral("到时间"))->text(), QString());
    EXPECT_EQ(queryButton()->text(), queryCaption);
    EXPECT_TRUE(saveButton()->isEnabled());
    EXPECT_EQ(saveButton()->text(), QStringLiteral("保  存"));
    EXPECT_EQ(unit<QLabel>(QStringLiteral("标签_外地入埠_从时间"))->text(), QStringLiteral("从:"));
    EXPECT_EQ(unit<QLabel>(QStringLiteral("标签_外地入埠_到时间"))->text(), QStringLiteral("到:"));
    EXPECT_EQ(notPickedUpBox()->text(), QStringLiteral("未提货"));
    EXPECT_EQ(pickedUpBox()->text(), QStringLiteral("已提货"));
    EXPECT_EQ((QStringList{wayBox()->itemText(0), wayBox()->itemText(1)}), (QStringList{"送货", "自提"}));
    EXPECT_EQ(wayBox()->count(), 2);

    const QStringList titles = {"品名", "始发地", "原包装", "件数", "提货人", "提货电话", "提货单位"};
    const QList<int> widths = {60, 120, 50, 40, 50, 70, 145};
    ASSERT_EQ(list()->model()->columnCount(), 7);
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(list()->model()->headerData(c, Qt::Horizontal).toString(), titles[c]);
        EXPECT_EQ(list()->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(list()->width(), 537);
    EXPECT_EQ(main->statusPanel(7), QStringLiteral("外地入埠货物管理..."));
    EXPECT_FALSE(main->isEnabled());
    EXPECT_TRUE(goods::inboundGoodsFilter().isEmpty());

    window->close();
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(InboundGoodsTest, StockOutMenuItemOpensTheWindowOnItsPage)
{
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main->menuItems().菜单_仓库_出库.trigger();
    window = shownWindow<goods::WarehouseWindow>();
    ASSERT_FALSE(window.isNull());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("出库"));
    auto *tabs = unit<QTabWidget>(QStringLiteral("选择夹_仓库"));
    EXPECT_EQ(tabs->currentWidget()->objectName(), QStringLiteral("出库"));
    EXPECT_NE(tabs->currentWidget()->findChild<goods::StockOutPage *>(), nullptr);
    EXPECT_EQ(main->statusPanel(7), QStringLiteral("出库..."));
    EXPECT_FALSE(main->isEnabled());
    window->close();
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(InboundGoodsTest, SaveAppendsEveryColumnButThePickedUpFlagAndLeavesThePageAsItWas)
{
    const QList<std::pair<QString, QString>> typed = {
        {"品名", "电视机"},
        {"始发地", "广州"},
        {"到达日期", "2026年3月5日8时5分3秒"},
        {"入库人", "王五"},
        {"原包装", "木箱"},
        {"件数", "12.9"},
        {"重量", "-3.7"},
        {"体积", "件"},
        {"提货人姓名", "赵六"},
        {"提货人电话", "13900"},
        {"提货人单位", "某'商店"},
        {"提货人地址", "北街1号"},
        {"提货日期", "不是日期"},
        {"出库人", "钱七"},
    };
    for (const auto &[column, text] : typed)
        box(column)->setText(text);
    wayBox()->setCurrentIndex(1);
    goods::inboundGoodsFilter() = QStringLiteral("到达日期 > '2026-01-01'");

    saveButton()->click();

    EXPECT_EQ(messages.texts(), QStringList{"保存成功!"});
    const QStringList stored = column(
        QStringLiteral("ywzhxx.mdb"),
        QStringLiteral("SELECT 品名 || '|' || 始发地 || '|' || 到达日期 || '|' || 入库人 || '|' || 提货方式 || '|' || "
                       "原包装 || '|' || 件数 || '|' || 重量 || '|' || 体积 || '|' || 提货人姓名 || '|' || 提货人电话 "
                       "|| '|' || 提货人单位 || '|' || 提货人地址 || '|' || ifnull(提货日期, 'NULL') || '|' || 出库人 "
                       "|| '|' || 已提货 FROM 外地入埠货物"));
    EXPECT_EQ(stored, QStringList{"电视机|广州|2026-03-05 08:05:03|王五|自提|木箱|12|-3|0|赵六|13900|某'商店|北街1号|"
                                  "NULL|钱七|否"});
    EXPECT_EQ(box(QStringLiteral("品名"))->text(), QStringLiteral("电视机"));
    EXPECT_EQ(queryButton()->text(), queryCaption);
    EXPECT_TRUE(saveButton()->isEnabled());
    EXPECT_EQ(goods::inboundGoodsFilter(), QStringLiteral("到达日期 > '2026-01-01'"));

    // The new record counts as not yet picked up.
    messages.clear();
    query(QStringLiteral("2026-03-05"), QStringLiteral("2026-03-06"), true);
    EXPECT_EQ(listedNames(), QStringList{"电视机"});
}

TEST_F(InboundGoodsTest, SaveWithoutTheDatabaseFileReportsFailure)
{
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/ywzhxx.mdb"))));
    saveButton()->click();
    EXPECT_EQ(messages.texts(), QStringList{"保存失败!"});
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("data/ywzhxx.mdb"))));
}

TEST_F(InboundGoodsTest, QueryNeedsBothDateBoxes)
{
    addGoods(QStringLiteral("甲"), QStringLiteral("2026-03-10 00:00:00"), QStringLiteral("否"));
    query(QStringLiteral("2027-01-01"), QStringLiteral("2027-02-01"), true);
    const QString earlierFilter = goods::inboundGoodsFilter();
    ASSERT_EQ(messages.texts(), QStringList{noRecord});

    const QList<std::pair<QString, QString>> cases = {{"", ""}, {"2026-01-01", ""}, {"", "2026-12-31"}};
    for (const auto &[from, to] : cases) {
        messages.clear();
        platform::setFocus(box(QStringLiteral("到时间")));
        query(from, to, true);
        EXPECT_EQ(messages.texts(), QStringList{noRange}) << from.toStdString() << '|' << to.toStdString();
        EXPECT_EQ(platform::focusTarget(), box(QStringLiteral("从时间")));
        EXPECT_EQ(listedNames(), QStringList());
        EXPECT_EQ(queryButton()->text(), queryCaption);
        EXPECT_TRUE(saveButton()->isEnabled());
        EXPECT_EQ(goods::inboundGoodsFilter(), earlierFilter);
    }
}

TEST_F(InboundGoodsTest, QueryListsStrictlyInsideTheRangeWithTheChosenFlag)
{
    addGoods(QStringLiteral("甲"), QStringLiteral("2026-03-01 00:00:00"), QStringLiteral("否"));
    addGoods(QStringLiteral("乙"), QStringLiteral("2026-03-10 12:00:00"), QStringLiteral("否"));
    addGoods(QStringLiteral("丙"), QStringLiteral("2026-03-20 00:00:00"), QStringLiteral("是"));
    addGoods(QStringLiteral("丁"), QStringLiteral("2026-03-15 00:00:00"), QStringLiteral(""));
    addGoods(QStringLiteral("戊"), QStringLiteral("2026-03-12 00:00:00"), QVariant());
    addGoods(QStringLiteral("己"), QStringLiteral("2026-03-05 00:00:00"), QStringLiteral("是"));

    struct Case {
        QString from, to;
        bool notPickedUp;
        QStringList listed;
    };
    const QList<Case> cases = {
        // Both ends are excluded; an empty or missing flag is listed under neither choice.
        {"2026-03-01", "2026-03-20", true, {"乙"}},
        {"2026-03-01", "2026-03-20", false, {"己"}},
        {"2026-02-28", "2026-03-21", false, {"丙", "己"}},
        {"2026年2月28日", "2026/3/21", true, {"甲", "乙"}},
        {"2026-03-10 11:59:59", "2026-03-10 12:00:01", true, {"乙"}},
        {"2026年3月10日12时0分0秒", "2026-03-11", true, {}},
        {"2026-03-20", "2026-03-01", false, {}},
        // A box holding no date lists nothing.
        {"2026-13-01", "2026-12-31", true, {}},
        {"三月", "2026-12-31", true, {}},
        // Typed apostrophes stay inside the literal and cannot add a condition.
        {"2026-01-01' or 已提货 = '是", "2026-03-05", true, {}},
        {"2026-01-01", "2026-12-31' or 品名 = '丁", true, {}},
    };
    for (const Case &c : cases) {
        reopen();
        messages.clear();
        query(c.from, c.to, c.notPickedUp);
        const std::string label = (c.from + u'|' + c.to).toStdString();
        EXPECT_EQ(listedNames(), c.listed) << label;
        EXPECT_EQ(messages.texts(), c.listed.isEmpty() ? QStringList{noRecord} : QStringList()) << label;
        EXPECT_EQ(queryButton()->text(), c.listed.isEmpty() ? queryCaption : modifyCaption) << label;
        EXPECT_EQ(saveButton()->isEnabled(), c.listed.isEmpty()) << label;
    }
}

TEST_F(InboundGoodsTest, MatchesAreListedInTableOrderWithTheirColumns)
{
    addGoods(QStringLiteral("甲"), QStringLiteral("2026-03-18 00:00:00"), QStringLiteral("否"), 7);
    addGoods(QStringLiteral("外"), QStringLiteral("2026-03-11 00:00:00"), QStringLiteral("是"));
    addGoods(QStringLiteral("乙"), QStringLiteral("2026-03-02 00:00:00"), QStringLiteral("否"), 120);
    addGoods(QStringLiteral("丙"), QStringLiteral("2026-03-10 00:00:00"), QStringLiteral("否"), -4);

    query(QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"), true);

    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(listedNames(), (QStringList{"甲", "乙", "丙"}));
    QStringList row1;
    for (int c = 0; c < 7; ++c)
        row1.append(platform::listViewCell(list(), 1, c));
    EXPECT_EQ(row1, (QStringList{"乙", "乙始发", "纸箱", "120", "乙人", "139", "乙单位"}));
    EXPECT_EQ(platform::listViewCell(list(), 2, 3), QStringLiteral("-4"));
    EXPECT_EQ(queryButton()->text(), modifyCaption);
    EXPECT_FALSE(saveButton()->isEnabled());
}

TEST_F(InboundGoodsTest, SelectingARowShowsTheRecordItListsUnderTheFilter)
{
    addGoods(QStringLiteral("甲"), QStringLiteral("2026-03-02 00:00:00"), QStringLiteral("是"));
    addGoods(QStringLiteral("外"), QStringLiteral("2026-03-03 00:00:00"), QStringLiteral("否"));
    sql(QStringLiteral("ywzhxx.mdb"),
        QStringLiteral(
            "INSERT INTO 外地入埠货物 VALUES ('乙', '上海', '2026-03-04 09:30:00', '王五', '快递', '木箱', 5, "
            "80, 2, '赵六', '13900', '某商店', '北街1号', NULL, '钱七', '是')"));
    query(QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"), false);
    ASSERT_EQ(listedNames(), (QStringList{"甲", "乙"}));
    box(QStringLiteral("出库人"))->setText(QStringLiteral("旧的"));

    platform::selectRow(list(), 1);

    const QList<std::pair<QString, QString>> shown = {
        {"品名", "乙"},
        {"始发地", "上海"},
        {"到达日期", "2026年3月4日9时30分0秒"},
        {"入库人", "王五"},
        {"原包装", "木箱"},
        {"件数", "5"},
        {"重量", "80"},
        {"体积", "2"},
        {"提货人姓名", "赵六"},
        {"提货人电话", "13900"},
        {"提货人单位", "某商店"},
        {"提货人地址", "北街1号"},
        {"提货日期", ""},
        {"出库人", "钱七"},
    };
    for (const auto &[column, text] : shown) {
        EXPECT_EQ(box(column)->text(), text) << column.toStdString();
        EXPECT_EQ(box(column)->cursorPosition(), 0) << column.toStdString();
    }
    // A stored way that the list does not offer shows as it is.
    EXPECT_EQ(wayBox()->currentText(), QStringLiteral("快递"));
    EXPECT_TRUE(pickedUpBox()->isChecked());

    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("UPDATE 外地入埠货物 SET 提货方式 = '自提' WHERE 品名 = '甲'"));
    platform::selectRow(list(), 0);
    EXPECT_EQ(box(QStringLiteral("品名"))->text(), QStringLiteral("甲"));
    EXPECT_EQ(wayBox()->currentText(), QStringLiteral("自提"));
    EXPECT_EQ(wayBox()->currentIndex(), 1);
    EXPECT_EQ(box(QStringLiteral("到达日期"))->text(), QStringLiteral("2026年3月2日"));

    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(listedNames(), (QStringList{"甲", "乙"}));
    EXPECT_EQ(queryButton()->text(), modifyCaption);
    EXPECT_FALSE(saveButton()->isEnabled());
}

TEST_F(InboundGoodsTest, AStoredWayOutsideTheListIsShownAndSavedBackUnchanged)
{
    addGoods(QStringLiteral("甲"), QStringLiteral("2026-03-02 00:00:00"), QStringLiteral("否"));
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("UPDATE 外地入埠货物 SET 提货方式 = '快递'"));
    query(QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"), true);
    platform::selectRow(list(), 0);
    EXPECT_EQ(wayBox()->currentText(), QStringLiteral("快递"));
    // The listing's only row marked picked up ends it, which enables the save again.
    modify(0, true);
    ASSERT_EQ(messages.texts(), (QStringList{flagSaved, noRecord}));
    ASSERT_TRUE(saveButton()->isEnabled());
    EXPECT_EQ(wayBox()->currentText(), QStringLiteral("快递"));

    messages.clear();
    saveButton()->click();
    EXPECT_EQ(messages.texts(), QStringList{"保存成功!"});
    EXPECT_EQ(column(QStringLiteral("ywzhxx.mdb"),
                     QStringLiteral("SELECT 品名 || '|' || 提货方式 FROM 外地入埠货物 ORDER BY rowid")),
              (QStringList{"甲|快递", "甲|快递"}));
    EXPECT_EQ(wayBox()->count(), 2);
}

class InboundGoodsThreeListed : public InboundGoodsTest
{
protected:
    void SetUp() override
    {
        InboundGoodsTest::SetUp();
        addGoods(QStringLiteral("甲"), QStringLiteral("2026-03-02 00:00:00"), QStringLiteral("否"));
        addGoods(QStringLiteral("外"), QStringLiteral("2026-04-02 00:00:00"), QStringLiteral("否"));
        addGoods(QStringLiteral("乙"), QStringLiteral("2026-03-03 00:00:00"), QStringLiteral("否"));
        addGoods(QStringLiteral("丙"), QStringLiteral("2026-03-04 00:00:00"), QStringLiteral("否"));
        query(QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"), true);
        ASSERT_EQ(listedNames(), (QStringList{"甲", "乙", "丙"}));
    }
};

TEST_F(InboundGoodsThreeListed, MarkingTheSecondPickedUpDropsItFromTheListing)
{
    pickedUpBox()->setChecked(true);
    platform::selectRow(list(), 1);
    EXPECT_EQ(box(QStringLiteral("品名"))->text(), QStringLiteral("乙"));
    EXPECT_FALSE(pickedUpBox()->isChecked());

    modify(1, true);

    EXPECT_EQ(messages.texts(), QStringList{flagSaved});
    EXPECT_EQ(flags(), (QStringList{"否", "否", "是", "否"}));
    EXPECT_EQ(listedNames(), (QStringList{"甲", "丙"}));
    EXPECT_EQ(queryButton()->text(), modifyCaption);
    EXPECT_FALSE(saveButton()->isEnabled());
}

TEST_F(InboundGoodsThreeListed, WritingTheFlagItAlreadyHoldsStillReportsAndRelists)
{
    modify(2, false);
    EXPECT_EQ(messages.texts(), QStringList{flagSaved});
    EXPECT_EQ(flags(), (QStringList{"否", "否", "否", "否"}));
    EXPECT_EQ(listedNames(), (QStringList{"甲", "乙", "丙"}));
    EXPECT_EQ(queryButton()->text(), modifyCaption);
}

TEST_F(InboundGoodsThreeListed, ChangedBoxesAfterTheListingStillWriteTheListedRecord)
{
    // Row 1 still means 乙 of the listing; the closing query then lists by the new boxes.
    box(QStringLiteral("从时间"))->setText(QStringLiteral("2026-03-02"));
    box(QStringLiteral("到时间"))->setText(QStringLiteral("2026-04-03"));
    notPickedUpBox()->setChecked(false);
    modify(1, true);

    EXPECT_EQ(messages.texts(), QStringList{flagSaved});
    EXPECT_EQ(flags(), (QStringList{"否", "否", "是", "否"}));
    EXPECT_EQ(listedNames(), QStringList{"乙"});
    EXPECT_EQ(goods::inboundGoodsFilter(),
              QStringLiteral("到达日期 > '2026-03-02' and 到达日期 < '2026-04-03' and 已提货 = '是'"));
}

TEST_F(InboundGoodsThreeListed, AnEmptiedDateBoxStopsTheClosingQueryWithTheOldRowsKept)
{
    box(QStringLiteral("到时间"))->clear();
    modify(0, true);

    EXPECT_EQ(messages.texts(), (QStringList{flagSaved, noRange}));
    EXPECT_EQ(flags(), (QStringList{"是", "否", "否", "否"}));
    EXPECT_EQ(listedNames(), (QStringList{"甲", "乙", "丙"}));
    EXPECT_EQ(queryButton()->text(), queryCaption);
    EXPECT_FALSE(saveButton()->isEnabled());
}

TEST_F(InboundGoodsThreeListed, ModifyWithoutASelectedRowWritesNothingAndKeepsTheListing)
{
    list()->clearSelection();
    pickedUpBox()->setChecked(true);
    queryButton()->click();

    EXPECT_EQ(messages.texts(), QStringList{noSelection});
    EXPECT_EQ(flags(), (QStringList{"否", "否", "否", "否"}));
    EXPECT_EQ(listedNames(), (QStringList{"甲", "乙", "丙"}));
    EXPECT_EQ(queryButton()->text(), modifyCaption);
    EXPECT_FALSE(saveButton()->isEnabled());

    messages.clear();
    modify(2, true);
    EXPECT_EQ(messages.texts(), QStringList{flagSaved});
    EXPECT_EQ(flags(), (QStringList{"否", "否", "否", "是"}));
}

TEST_F(InboundGoodsThreeListed, ARecordGoneSinceTheListingReportsFailureAndRelists)
{
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("DELETE FROM 外地入埠货物 WHERE 品名 = '丙'"));
    modify(2, true);

    EXPECT_EQ(messages.texts(), QStringList{flagFailed});
    EXPECT_EQ(flags(), (QStringList{"否", "否", "否"}));
    EXPECT_EQ(listedNames(), (QStringList{"甲", "乙"}));
    EXPECT_EQ(queryButton()->text(), modifyCaption);
}

TEST_F(InboundGoodsThreeListed, ARecordDeletedBeforeTheSelectedRowStillShowsAndWritesTheListedOne)
{
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("DELETE FROM 外地入埠货物 WHERE 品名 = '甲'"));
    platform::selectRow(list(), 1);
    EXPECT_EQ(box(QStringLiteral("品名"))->text(), QStringLiteral("乙"));

    modify(1, true);
    EXPECT_EQ(messages.texts(), QStringList{flagSaved});
    EXPECT_EQ(flags(), (QStringList{"否", "是", "否"}));
    EXPECT_EQ(listedNames(), QStringList{"丙"});
}

TEST_F(InboundGoodsThreeListed, SelectingARowShowsItsRecordAsItIsNowOrNothingWhenItIsGone)
{
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("DELETE FROM 外地入埠货物 WHERE 品名 = '乙'"));
    sql(QStringLiteral("ywzhxx.mdb"),
        QStringLiteral("UPDATE 外地入埠货物 SET 件数 = 42, 已提货 = '是' WHERE 品名 = '丙'"));
    box(QStringLiteral("品名"))->setText(QStringLiteral("旧的"));

    platform::selectRow(list(), 1);
    EXPECT_EQ(box(QStringLiteral("品名"))->text(), QStringLiteral("旧的"));

    platform::selectRow(list(), 2);
    EXPECT_EQ(box(QStringLiteral("品名"))->text(), QStringLiteral("丙"));
    EXPECT_EQ(box(QStringLiteral("件数"))->text(), QStringLiteral("42"));
    EXPECT_TRUE(pickedUpBox()->isChecked());
    EXPECT_EQ(messages.texts(), QStringList());
    EXPECT_EQ(listedNames(), (QStringList{"甲", "乙", "丙"}));
}

TEST_F(InboundGoodsThreeListed, ARecordChangedSinceTheListingIsNotWritten)
{
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("UPDATE 外地入埠货物 SET 提货人电话 = '000' WHERE 品名 = '乙'"));
    modify(1, true);

    EXPECT_EQ(messages.texts(), QStringList{flagFailed});
    EXPECT_EQ(flags(), (QStringList{"否", "否", "否", "否"}));
    // The closing listing holds the record as it is now, so the operator can mark it again.
    EXPECT_EQ(listedNames(), (QStringList{"甲", "乙", "丙"}));
    messages.clear();
    modify(1, true);
    EXPECT_EQ(messages.texts(), QStringList{flagSaved});
    EXPECT_EQ(flags(), (QStringList{"否", "否", "是", "否"}));
}

TEST_F(InboundGoodsTest, MarkingTheOnlyListedRecordEndsWithNoRecordAndSaveEnabled)
{
    addGoods(QStringLiteral("甲"), QStringLiteral("2026-03-02 00:00:00"), QStringLiteral("否"));
    query(QStringLiteral("2026-03-01"), QStringLiteral("2026-03-31"), true);
    ASSERT_FALSE(saveButton()->isEnabled());

    modify(0, true);

    EXPECT_EQ(messages.texts(), (QStringList{flagSaved, noRecord}));
    EXPECT_EQ(flags(), QStringList{"是"});
    EXPECT_EQ(listedNames(), QStringList());
    EXPECT_EQ(queryButton()->text(), queryCaption);
    EXPECT_TRUE(saveButton()->isEnabled());
}

TEST_F(InboundGoodsTest, QueryAndModifyWorkOnAHundredThousandRecords)
{
    // One record every five minutes from 2025-01-01, a third of them picked up.
    sql(QStringLiteral("ywzhxx.mdb"),
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99999) "
                       "INSERT INTO 外地入埠货物 (品名, 始发地, 到达日期, 原包装, 件数, 提货人姓名, 提货人电话, "
                       "提货人单位, 已提货) SELECT '货' || i, '广州', datetime('2025-01-01', '+' || (i * 5) || ' "
                       "minutes'), '纸箱', i % 50, '人' || i, '139', '单位', CASE i % 3 WHEN 0 THEN '是' ELSE '否' "
                       "END FROM n"));
    ASSERT_EQ(count(QStringLiteral("ywzhxx.mdb"), QStringLiteral("外地入埠货物")), 100000);

    query(QStringLiteral("2025-06-01"), QStringLiteral("2025-06-02"), true);
    ASSERT_EQ(platform::listViewRowCount(list()), 192);

    const QString name = platform::listViewCell(list(), 100, 0);
    platform::selectRow(list(), 100);
    EXPECT_EQ(box(QStringLiteral("品名"))->text(), name);
    pickedUpBox()->setChecked(true);
    queryButton()->click();

    EXPECT_EQ(messages.texts(), QStringList{flagSaved});
    EXPECT_EQ(platform::listViewRowCount(list()), 191);
    EXPECT_EQ(
        column(QStringLiteral("ywzhxx.mdb"), QStringLiteral("SELECT 已提货 FROM 外地入埠货物 WHERE 品名 = ?"), {name}),
        QStringList{"是"});
}
