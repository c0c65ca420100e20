#include "frame/main_window.h"
#include "frame/session.h"
#include "goods/goods.h"
#include "goods/picking_window.h"
#include "platform/focus.h"
#include "platform/text_conversions.h"
#include "support/qt_warnings.h"
#include "support/case_names.h"
#include "support/program_dir_fixture.h"
#include "support/units.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateTime>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>

#include <memory>
#include <optional>
#include <ostream>

namespace {

const QString pickingColumns = QStringLiteral("检货号 || '|' || 检货员 || '|' || coalesce(检货时间, '-') || '|' || "
                                              "货物名称 || '|' || 实际件数 || '|' || 实际重量 || '|' || 实际体积 || "
                                              "'|' || 计抛否 || '|' || 计抛重量");

} // namespace

class PickingWindowTest : public ProgramDirTest
{
protected:
    void SetUp() override
    {
        ProgramDirTest::SetUp();
        loginAs(QStringLiteral("管理员"), {}, QStringLiteral("李四"));
        main = std::make_unique<frame::MainWindow>(QList<frame::MainWindowPart>{&goods::attachToMainWindow});
        main->menuItems().菜单_检货处_检货基本信息.trigger();
        window = shownWindow<goods::PickingWindow>();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->objectName(), QStringLiteral("检货窗口"));
    }
    void TearDown() override
    {
        if (window)
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ProgramDirTest::TearDown();
    }

    QLineEdit *box(const QString &name) const
    {
        return findUnit<QLineEdit>(window, QStringLiteral("编辑框_检货信息_") + name);
    }
    QCheckBox *bubble() const { return window->findChild<QCheckBox *>(QStringLiteral("选择框_检货信息_计泡否")); }
    void fill(const QString &number, const QString &pieces, const QString &weight, const QString &volume)
    {
        box(QStringLiteral("检货号"))->setText(number);
        box(QStringLiteral("实际件数"))->setText(pieces);
        box(QStringLiteral("实际重量"))->setText(weight);
        box(QStringLiteral("实际体积"))->setText(volume);
    }
    void save() { window->findChild<QPushButton *>(QStringLiteral("按钮_检货信息_保存"))->click(); }
    QStringList stored(const QString &table)
    {
        return column(QStringLiteral("main.mdb"),
                      QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(pickingColumns, table));
    }
    QStringList storedPickingNumber()
    {
        return column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 检货号 FROM 累加单号值"));
    }

    std::unique_ptr<frame::MainWindow> main;
    QPointer<QWidget> window;
};

TEST_F(PickingWindowTest, OpensOnItsEntryPageReadyForAPickingAndHoldsTheMainWindow)
{
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->findChild<QTabWidget *>(QStringLiteral("选择夹_检货窗口"))->currentWidget()->objectName(),
              QStringLiteral("检货基本信息"));
    EXPECT_EQ(window->findChild<QPushButton *>(QStringLiteral("按钮_检货信息_保存"))->text(), QStringLiteral("保  存"));
    EXPECT_EQ(box(QStringLiteral("检货号"))->text(), QStringLiteral("JH0000001"));
    EXPECT_EQ(box(QStringLiteral("检货员"))->text(), QStringLiteral("李四"));
    const QDateTime shown = platform::textToDateTime(box(QStringLiteral("检货时间"))->text());
    EXPECT_LE(qAbs(shown.secsTo(QDateTime::currentDateTime())), 5);
    EXPECT_EQ(box(QStringLiteral("检货时间"))->cursorPosition(), 0);
    EXPECT_EQ(main->statusPanel(7), QStringLiteral("检货基本信息..."));
    EXPECT_FALSE(main->isEnabled());
    EXPECT_TRUE(window->isEnabled());

    window->close();
    EXPECT_TRUE(main->isEnabled());
}

TEST_F(PickingWindowTest, EachRequiredPairStopsTheSaveWithItsMessage)
{
    struct Case {
        QString number, pieces, weight, volume;
        QString message;
    };
    const QString firstPair = QStringLiteral("检货号或实际件数不能为空");
    const QString secondPair = QStringLiteral("实际重量或实际体积不能为空");
    const QList<Case> cases = {
        {"", "3", "40", "2", firstPair},   {"JH1", "", "40", "2", firstPair},  {"", "", "", "", firstPair},
        {"JH1", "3", "", "2", secondPair}, {"JH1", "3", "40", "", secondPair},
    };
    QLineEdit *focused = box(QStringLiteral("货物名称"));
    platform::setFocus(focused);
    for (const Case &c : cases) {
        messages.clear();
        fill(c.number, c.pieces, c.weight, c.volume);
        save();
        const std::string label = (c.number + u'/' + c.pieces + u'/' + c.weight + u'/' + c.volume).toStdString();
        EXPECT_EQ(messages.texts(), QStringList{c.message}) << label;
        EXPECT_EQ(platform::focusTarget(), focused) << label;
        EXPECT_EQ(box(QStringLiteral("检货号"))->text(), c.number) << label;
    }
    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("检货及仓库")), 0);
    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("检货临时库")), 0);
    EXPECT_EQ(storedPickingNumber(), QStringList{"JH0000001"});
}

TEST_F(PickingWindowTest, SaveKeepsThePickingQueuesTheSameValuesAndAdvancesTheNumber)
{
    // A blank is text, not an empty box: it passes the required test.
    fill(QStringLiteral(" "), QStringLiteral("12.7"), QStringLiteral("-3.9"), QStringLiteral("5"));
    box(QStringLiteral("检货时间"))->setText(QStringLiteral("2026年3月5日8时5分3秒"));
    box(QStringLiteral("货物名称"))->setText(QStringLiteral("电视机"));
    box(QStringLiteral("计泡重量"))->setText(QStringLiteral("60"));
    bubble()->setChecked(true);
    save();

    EXPECT_EQ(messages.texts(), QStringList{"保存成功!"});
    const QStringList expected = {" |李四|2026-03-05 08:05:03|电视机|12|-3|5|是|60"};
    EXPECT_EQ(stored(QStringLiteral("检货及仓库")), expected);
    EXPECT_EQ(stored(QStringLiteral("检货临时库")), expected);
    EXPECT_EQ(storedPickingNumber(), QStringList{"JH0000002"});

    // The page is ready for the next picking under the advanced number.
    EXPECT_EQ(box(QStringLiteral("检货号"))->text(), QStringLiteral("JH0000002"));
    EXPECT_EQ(box(QStringLiteral("检货员"))->text(), QStringLiteral("李四"));
    for (const QString &name : QStringList{"货物名称", "实际件数", "实际重量", "实际体积", "计泡重量"})
        EXPECT_EQ(box(name)->text(), QString()) << name.toStdString();
    EXPECT_FALSE(bubble()->isChecked());

    // An unticked box is "否"; a time that is no date is kept as no date.
    messages.clear();
    fill(QStringLiteral("JH0000002"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"));
    box(QStringLiteral("检货时间"))->setText(QStringLiteral("昨天"));
    save();
    EXPECT_EQ(messages.texts(), QStringList{"保存成功!"});
    EXPECT_EQ(stored(QStringLiteral("检货临时库")).value(1), QStringLiteral("JH0000002|李四|-||1|2|3|否|0"));
}

struct FailedSave {
    const char *name;
    const char *file;              // the data file broken before the save
    const char *breakage;          // SQL run on it; none: the file is removed
    QString firstMessage;          // the database access's own message, if any, before "保存失败!"
    const char *warning = nullptr; // the Qt warning the breakage gives, if any
};

class FailedSaveTest : public PickingWindowTest, public ::testing::WithParamInterface<FailedSave>
{
};

TEST_P(FailedSaveTest, QueuesNothingKeepsNothingAndKeepsTheNumber)
{
    const QString file = QString::fromUtf8(GetParam().file);
    if (GetParam().breakage == nullptr)
        ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/") + file)));
    else
        sql(file, QString::fromUtf8(GetParam().breakage));
    fill(QStringLiteral("JH0000001"), QStringLiteral("3"), QStringLiteral("40"), QStringLiteral("2"));
    box(QStringLiteral("货物名称"))->setText(QStringLiteral("电视机"));
    {
        std::optional<ExpectQtWarning> warning;
        if (GetParam().warning)
            warning.emplace(QString::fromUtf8(GetParam().warning));
        save();
    }

    const QStringList texts = messages.texts();
    ASSERT_FALSE(texts.isEmpty());
    EXPECT_EQ(texts.last(), QStringLiteral("保存失败!"));
    if (!GetParam().firstMessage.isEmpty()) {
        ASSERT_EQ(texts.size(), 2);
        EXPECT_TRUE(texts.first().startsWith(GetParam().firstMessage)) << texts.first().toStdString();
    } else {
        EXPECT_EQ(texts.size(), 1);
    }
    // No record in either table (-1: the table was dropped, or main.mdb removed).
    EXPECT_LE(count(QStringLiteral("main.mdb"), QStringLiteral("检货临时库")), 0);
    EXPECT_LE(count(QStringLiteral("main.mdb"), QStringLiteral("检货及仓库")), 0);
    // Neither the stored number (where its table is left) nor the one in memory moved, so the
    // number is lent to no one.
    if (const QStringList stored = storedPickingNumber(); !stored.isEmpty()) {
        EXPECT_EQ(stored, QStringList{"JH0000001"});
    }
    EXPECT_EQ(frame::documentCounters().number(frame::DocumentKind::Picking), QStringLiteral("JH0000001"));
    EXPECT_EQ(frame::documentCounters().count(frame::DocumentKind::Picking), 1);
    // The operator's entry, its number included, stays for another try.
    EXPECT_EQ(box(QStringLiteral("检货号"))->text(), QStringLiteral("JH0000001"));
    EXPECT_EQ(box(QStringLiteral("货物名称"))->text(), QStringLiteral("电视机"));
}

INSTANTIATE_TEST_SUITE_P(
    Breakages, FailedSaveTest,
    ::testing::Values(
        FailedSave{"PermanentRecordRefused",
                   "main.mdb",
                   "CREATE TRIGGER 拒绝 BEFORE INSERT ON 检货及仓库 BEGIN SELECT RAISE(ABORT, '拒绝'); END",
                   {}},
        // The permanent record saves, its queued copy does not: neither may stay.
        FailedSave{"QueuedCopyRefused",
                   "main.mdb",
                   "CREATE TRIGGER 拒绝 BEFORE INSERT ON 检货临时库 BEGIN SELECT RAISE(ABORT, '拒绝'); END",
                   {}},
        FailedSave{"QueueTableMissing", "main.mdb", "DROP TABLE 检货临时库", {}},
        // The queued copy would lose its number: the whole save is refused instead.
        FailedSave{
            "QueueColumnRenamed", "main.mdb", "ALTER TABLE 检货临时库 RENAME COLUMN 检货号 TO 单号", {}, "没有字段"},
        FailedSave{"PickingTableMissing", "main.mdb", "DROP TABLE 检货及仓库", QStringLiteral("查询失败!")},
        FailedSave{"DatabaseMissing", "main.mdb", nullptr, QStringLiteral("数据库连接失败!")},
        // Both records are written before the number: a refused number must take them back.
        FailedSave{"IssueCountRefused",
                   "system.mdb",
                   "CREATE TRIGGER 拒绝 BEFORE UPDATE ON 开单次数 BEGIN SELECT RAISE(ABORT, '拒绝'); END",
                   {}},
        FailedSave{"NumberTextRefused",
                   "system.mdb",
                   "CREATE TRIGGER 拒绝 BEFORE UPDATE ON 累加单号值 BEGIN SELECT RAISE(ABORT, '拒绝'); END",
                   {}},
        FailedSave{"IssueCountTableMissing", "system.mdb", "DROP TABLE 开单次数", {}},
        FailedSave{"NumberTableMissing", "system.mdb", "DROP TABLE 累加单号值", {}},
        FailedSave{"CounterDatabaseMissing", "system.mdb", nullptr, QStringLiteral("数据库连接失败!")}),
    CaseName());
