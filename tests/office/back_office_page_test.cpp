#include "frame/main_window.h"
#include "frame/roles.h"
#include "office/office.h"
#include "support/case_names.h"
#include "support/program_dir_fixture.h"
#include "support/units.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QToolBar>

namespace {

const QStringList allMenus = {"系统(&1)", "受理(&2)", "查询(&3)",     "检货处(&4)",
                              "仓库(&5)", "调度(&6)", "人资后勤(&7)", "市场部(&8)"};

} // namespace

class BackOfficePageTest : public ProgramDirTest
{
protected:
    void start(const QString &role, const QString &permissions = {})
    {
        loginAs(role, permissions);
        main = std::make_unique<frame::MainWindow>(QList<frame::MainWindowPart>{&office::attachToMainWindow});
        main->show();
    }
    void TearDown() override
    {
        main.reset();
        ProgramDirTest::TearDown();
    }

    void openPage() { main->menuItems().菜单_人资后勤_后勤支出.trigger(); }
    template <typename T> T *unit(const QString &name) const { return findUnit<T>(main, name); }
    QPushButton *exitButton() const { return unit<QPushButton>(QStringLiteral("按钮_后勤支出_退出")); }
    QLineEdit *dateBox(const QString &end) const
    {
        return unit<QLineEdit>(QStringLiteral("编辑框_后勤支出_") + end + QStringLiteral("日期"));
    }
    QCheckBox *kindBox(const QString &kind) const { return unit<QCheckBox>(QStringLiteral("选择_后勤支出_") + kind); }
    QStringList enabledMenus() const
    {
        QStringList enabled;
        for (QMenu *menu : main->topMenus())
            if (menu->menuAction()->isEnabled())
                enabled.append(menu->title());
        return enabled;
    }

    std::unique_ptr<frame::MainWindow> main;
};

TEST_F(BackOfficePageTest, OpeningShowsPageSevenAtFullHeightAndLocksTheMenus)
{
    start(frame::administratorRole);
    openPage();
    EXPECT_EQ(main->pages()->currentIndex(), 7);
    EXPECT_EQ(unit<QFrame>(QStringLiteral("外形框_后勤支出_底框"))->geometry(), QRect(1, 44, 795, 492));
    EXPECT_EQ(main->statusPanel(7), QStringLiteral("后勤支出管理..."));
    EXPECT_EQ(enabledMenus(), QStringList());
    EXPECT_FALSE(main->findChild<QToolBar *>(QStringLiteral("工具条_主界面_常用功能"))->isEnabled());

    EXPECT_EQ(unit<QWidget>(QStringLiteral("外形框_后勤支出_功能区"))->geometry(), QRect(529, 246, 263, 243));
    EXPECT_EQ(exitButton()->parentWidget()->objectName(), QStringLiteral("外形框_后勤支出_功能区"));
    EXPECT_EQ(exitButton()->geometry(), QRect(90, 187, 78, 39));
    EXPECT_EQ(exitButton()->text(), QStringLiteral("退  出"));
    EXPECT_TRUE(exitButton()->isVisible());
    EXPECT_TRUE(exitButton()->isEnabled());

    // The export comes later: its button is there and a click changes nothing.
    auto *exportButton = unit<QPushButton>(QStringLiteral("按钮_餐饮导出"));
    EXPECT_EQ(exportButton->text(), QStringLiteral("导出到EXCEL电子表格"));
    exportButton->click();
    EXPECT_EQ(main->pages()->currentIndex(), 7);
    EXPECT_EQ(enabledMenus(), QStringList());
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(BackOfficePageTest, LeavingKeepsAHalfFilledPageForTheNextOpening)
{
    start(frame::administratorRole);
    openPage();
    dateBox(QStringLiteral("从"))->setText(QStringLiteral("2026年1月1日"));
    dateBox(QStringLiteral("到"))->setText(QStringLiteral("2026年1"));
    kindBox(QStringLiteral("办公用品分发"))->click();
    kindBox(QStringLiteral("食堂用料及饮用水"))->click();

    exitButton()->click();
    EXPECT_EQ(main->pages()->currentIndex(), 0);
    EXPECT_EQ(main->statusPanel(7), QStringLiteral("等待操作..."));
    EXPECT_FALSE(exitButton()->isVisible());

    openPage();
    EXPECT_TRUE(exitButton()->isVisible());
    EXPECT_EQ(dateBox(QStringLiteral("从"))->text(), QStringLiteral("2026年1月1日"));
    EXPECT_EQ(dateBox(QStringLiteral("到"))->text(), QStringLiteral("2026年1"));
    QStringList ticked;
    for (const char *kind : {"办公用品采购", "办公用品分发", "房租水电通讯费", "应酬招待费用", "食堂用料及饮用水"})
        if (kindBox(QString::fromUtf8(kind))->isChecked())
            ticked.append(QString::fromUtf8(kind));
    EXPECT_EQ(ticked, QStringList({"办公用品分发", "食堂用料及饮用水"}));
}

struct LeaveCase {
    const char *name;
    QString role;
    QString permissions;
    QStringList enabledMenus;
    bool orderEntryTool;
};

class LeaveMenusTest : public BackOfficePageTest, public ::testing::WithParamInterface<LeaveCase>
{
};

TEST_P(LeaveMenusTest, LeavingGivesBackOnlyWhatTheRoleAllows)
{
    const LeaveCase &c = GetParam();
    start(c.role, c.permissions);
    openPage();
    exitButton()->click();
    EXPECT_EQ(enabledMenus(), c.enabledMenus);
    EXPECT_TRUE(main->findChild<QToolBar *>(QStringLiteral("工具条_主界面_常用功能"))->isEnabled());
    EXPECT_EQ(unit<QAction>(QStringLiteral("工具_业务单录入"))->isEnabled(), c.orderEntryTool);
    EXPECT_TRUE(main->menuItems().菜单_人资后勤_后勤支出.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Roles, LeaveMenusTest,
    ::testing::Values(LeaveCase{"Administrator", "管理员", "", allMenus, true},
                      LeaveCase{
                          "PostOperatorWithBackOfficeOnly", "岗位操作员", "后勤", {"系统(&1)", "人资后勤(&7)"}, false}),
    CaseName());
