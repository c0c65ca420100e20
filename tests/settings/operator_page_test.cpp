#include "frame/login_window.h"
#include "frame/main_window.h"
#include "frame/roles.h"
#include "platform/focus.h"
#include "platform/list_view.h"
#include "settings/operator_page.h"
#include "settings/settings.h"
#include "settings/system_menu_window.h"
#include "operator_table.h"
#include "support/case_names.h"
#include "support/units.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {

const QString addCaption = QStringLiteral("添  加");
const QString modifyCaption = QStringLiteral("修  改");
const QString saveCaption = QStringLiteral("保  存");
const QString emptyRow = QStringLiteral("该表项为空!请选择有内容的表项!");

} // namespace

class OperatorPageTest : public OperatorTableTest
{
protected:
    void SetUp() override
    {
        OperatorTableTest::SetUp();
        loginAs(frame::administratorRole);
        main = std::make_unique<frame::MainWindow>(QList<frame::MainWindowPart>{&settings::attachToMainWindow});
        reopen();
    }
    void TearDown() override
    {
        delete window.data();
        main.reset();
        OperatorTableTest::TearDown();
    }

    void closeWindow()
    {
        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void reopen()
    {
        if (window)
            closeWindow();
        ASSERT_TRUE(window.isNull());
        main->menuItems().菜单_系统_操作员管理.trigger();
        window = shownWindow<settings::SystemMenuWindow>();
        ASSERT_FALSE(window.isNull());
    }

    template <typename T> T *unit(const QString &name) const { return findUnit<T>(window, name); }
    QLineEdit *box(const QString &feature) const { return unit<QLineEdit>(QStringLiteral("编辑框_操作员_") + feature); }
    QPushButton *button(const QString &feature) const
    {
        return unit<QPushButton>(QStringLiteral("按钮_操作员_") + feature);
    }
    QRadioButton *radio(const QString &role) const
    {
        return unit<QRadioButton>(QStringLiteral("单选框_操作员_") + role);
    }
    QCheckBox *permissionBox(const QString &word) const
    {
        return unit<QCheckBox>(QStringLiteral("选择框_操作员_") + word);
    }
    QGroupBox *roleGroup() const { return unit<QGroupBox>(QStringLiteral("分组框_操作员_级别")); }
    QGroupBox *permissionGroup() const { return unit<QGroupBox>(QStringLiteral("分组框_操作员_岗位权限")); }
    platform::ReportList *list() const
    {
        return unit<platform::ReportList>(QStringLiteral("超级列表框_操作员_帐号列表"));
    }

    QStringList checkedRoles() const
    {
        QStringList roles;
        for (const QString &role : frame::roleNames())
            if (radio(role)->isChecked())
                roles.append(role);
        return roles;
    }
    QStringList tickedWords() const
    {
        QStringList words;
        for (const QString &word : frame::permissionWords())
            if (permissionBox(word)->isChecked())
                words.append(word);
        return words;
    }
    void tick(const QStringList &words)
    {
        for (const QString &word : words)
            permissionBox(word)->click();
    }
    bool editing() const
    {
        bool all = roleGroup()->isEnabled() && permissionGroup()->isEnabled();
        for (const char *feature : {"登陆帐号", "姓名", "密码", "所属部门"})
            all = all && box(QString::fromUtf8(feature))->isEnabled();
        return all;
    }

    void listAndSelect(int row)
    {
        button(QStringLiteral("列出用户"))->click();
        selectRow(row);
    }
    void selectRow(int row) { platform::selectRow(list(), row); }

    void typeAccount(const Account &a)
    {
        box(QStringLiteral("登陆帐号"))->setText(a.account);
        box(QStringLiteral("姓名"))->setText(a.name);
        box(QStringLiteral("密码"))->setText(a.password);
        box(QStringLiteral("所属部门"))->setText(a.department);
    }
    // The whole add through the page: both clicks, the role's radio and the hand ticks.
    void addThroughPage(const Account &a, const QStringList &handTicks)
    {
        button(QStringLiteral("添加"))->click();
        typeAccount(a);
        radio(a.role)->click();
        tick(handTicks);
        button(QStringLiteral("添加"))->click();
    }

    std::unique_ptr<frame::MainWindow> main;
    QPointer<settings::SystemMenuWindow> window;
};

// A table of cases over the page.
template <typename Case> class CaseTest : public OperatorPageTest, public ::testing::WithParamInterface<Case>
{
};

TEST_F(OperatorPageTest, OpensANewWindowOnTheOperatorPageWithItsGroupsDisabledAndClosesBack)
{
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(window->objectName(), QStringLiteral("系统菜单窗口"));
    // The window's pages are numbered from 1; page 0 has no caption and no units.
    auto *tab = unit<QTabWidget>(QStringLiteral("选择夹_系统菜单窗口"));
    EXPECT_EQ(tab->currentIndex(), 1);
    EXPECT_EQ(tab->tabText(0), QString());
    EXPECT_TRUE(tab->widget(0)->children().isEmpty());
    EXPECT_EQ(tab->tabText(1), QStringLiteral("操作员"));
    EXPECT_NE(tab->widget(1)->findChild<QWidget *>(QStringLiteral("外形框_操作员_底框")), nullptr);
    EXPECT_TRUE(tab->widget(1)->isVisible());
    EXPECT_EQ(roleGroup()->geometry(), QRect(56, 247, 441, 33));
    EXPECT_EQ(permissionGroup()->geometry(), QRect(69, 280, 428, 35));
    EXPECT_EQ(radio(QStringLiteral("岗位操作员"))->geometry(), QRect(353, 12, 82, 15));
    EXPECT_EQ(permissionBox(QStringLiteral("市场"))->geometry(), QRect(363, 14, 48, 12));
    QStringList titles;
    for (int i = 0; i < list()->model()->columnCount(); ++i)
        titles.append(list()->model()->headerData(i, Qt::Horizontal).toString());
    EXPECT_EQ(titles, QStringList({"登陆帐号", "姓名", "密码", "级别", "权限", "部门", "最后登陆时间", "登陆次数"}));
    EXPECT_FALSE(roleGroup()->isEnabled());
    EXPECT_FALSE(permissionGroup()->isEnabled());
    EXPECT_FALSE(box(QStringLiteral("登陆帐号"))->isEnabled());

    // The disabled groups keep the operator from choosing a role.
    radio(QStringLiteral("管理员"))->click();
    EXPECT_EQ(checkedRoles(), QStringList());
    EXPECT_EQ(tickedWords(), QStringList());

    // A half-done add does not survive the window: the next opening starts afresh.
    button(QStringLiteral("添加"))->click();
    button(QStringLiteral("退出"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(main->isEnabled());
    reopen();
    EXPECT_EQ(button(QStringLiteral("添加"))->text(), addCaption);
    EXPECT_FALSE(editing());
    closeWindow();
    EXPECT_TRUE(window.isNull());
    EXPECT_TRUE(main->isEnabled());
}

struct PresetCase {
    const char *name;
    QStringList clicks;    // roles clicked in turn while adding
    QStringList handTicks; // boxes ticked by hand before the last click
    QStringList ticked;
};

using RolePresetTest = CaseTest<PresetCase>;

TEST_P(RolePresetTest, TheLastClickedRoleDecidesTheBoxesAndThePermissionGroupStaysEnabled)
{
    const PresetCase &c = GetParam();
    button(QStringLiteral("添加"))->click();
    for (int i = 0; i < c.clicks.size(); ++i) {
        if (i == c.clicks.size() - 1)
            tick(c.handTicks);
        radio(c.clicks[i])->click();
    }
    EXPECT_EQ(tickedWords(), c.ticked);
    EXPECT_EQ(checkedRoles(), QStringList{c.clicks.last()});
    EXPECT_TRUE(permissionGroup()->isEnabled());
    EXPECT_TRUE(roleGroup()->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Presets, RolePresetTest,
    ::testing::Values(
        PresetCase{"BusinessAfterAdministrator", {"管理员", "业务主管"}, {}, {"受理", "查询", "检货", "仓库", "调度"}},
        PresetCase{"AdministratorAfterMarketing", {"市场主管", "管理员"}, {}, frame::permissionWords()},
        PresetCase{"Marketing", {"市场主管"}, {}, {"市场"}},
        PresetCase{"PersonnelTicksOnlyItsBox", {"人事主管"}, {}, {"人资"}},
        PresetCase{"HousekeepingTicksOnlyItsBox", {"内务主管"}, {}, {"后勤"}},
        PresetCase{"HandTicksOverwritten", {"市场主管"}, {"受理", "后勤", "市场"}, {"市场"}},
        PresetCase{"PresetAfterPostOperator", {"岗位操作员", "业务主管"}, {}, {"受理", "查询", "检货", "仓库", "调度"}},
        PresetCase{"PostOperatorAfterPresetUnticksAll", {"管理员", "岗位操作员"}, {"后勤"}, {}}),
    CaseName());

struct DisplayCase {
    const char *name;
    Account before;
    Account shown;
    QStringList roles;
    QStringList ticked;
};

using ShowOperatorTest = CaseTest<DisplayCase>;

TEST_P(ShowOperatorTest, ShowsTheRowsRoleAfterThePreviousRowWithTheGroupsStillDisabled)
{
    const DisplayCase &c = GetParam();
    insertAccount(c.before);
    insertAccount(c.shown);
    listAndSelect(1);
    selectRow(2);
    EXPECT_EQ(box(QStringLiteral("登陆帐号"))->text(), c.shown.account);
    EXPECT_EQ(box(QStringLiteral("姓名"))->text(), c.shown.name);
    EXPECT_EQ(box(QStringLiteral("密码"))->text(), c.shown.password);
    EXPECT_EQ(box(QStringLiteral("所属部门"))->text(), c.shown.department);
    EXPECT_EQ(box(QStringLiteral("姓名"))->cursorPosition(), 0);
    EXPECT_EQ(checkedRoles(), c.roles);
    EXPECT_EQ(tickedWords(), c.ticked);
    EXPECT_FALSE(roleGroup()->isEnabled());
    EXPECT_FALSE(permissionGroup()->isEnabled());
    EXPECT_TRUE(messages.texts().isEmpty()) << messages.texts().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Display, ShowOperatorTest,
                         ::testing::Values(DisplayCase{"AdministratorAfterPostOperator",
                                                       {"p1", "甲", "1", "岗位操作员", "受理", "甲部"},
                                                       {"a1", "乙", "2", "管理员", "", "乙部"},
                                                       {"管理员"},
                                                       frame::permissionWords()},
                                           DisplayCase{"PostOperatorAfterBusiness",
                                                       {"b1", "甲", "1", "业务主管", "", "甲部"},
                                                       {"p1", "乙", "2", "岗位操作员", "受理&仓库", "乙部"},
                                                       {"岗位操作员"},
                                                       {"受理", "仓库"}},
                                           DisplayCase{"PostOperatorWithNoWords",
                                                       {"a1", "甲", "1", "管理员", "", "甲部"},
                                                       {"p1", "乙", "2", "岗位操作员", "", "乙部"},
                                                       {"岗位操作员"},
                                                       {}},
                                           DisplayCase{"RepeatedUnknownAndBlankWordsSkipped",
                                                       {"a1", "甲", "1", "管理员", "", "甲部"},
                                                       {"p1", "乙", "2", "岗位操作员",
                                                        "仓库&仓库&财务& 调度&后勤 &&市场", "乙部"},
                                                       {"岗位操作员"},
                                                       {"仓库", "市场"}},
                                           DisplayCase{"PresetRoleIgnoresStoredWords",
                                                       {"p1", "甲", "1", "岗位操作员", "仓库", "甲部"},
                                                       {"m1", "乙", "2", "市场主管", "受理&查询", "乙部"},
                                                       {"市场主管"},
                                                       {"市场"}},
                                           DisplayCase{"RoleWithABlankChangesNothing",
                                                       {"b1", "甲", "1", "业务主管", "", "甲部"},
                                                       {"x1", "乙", "2", " 管理员", "", "乙部"},
                                                       {"业务主管"},
                                                       {"受理", "查询", "检货", "仓库", "调度"}},
                                           DisplayCase{"UnknownRoleChangesNothing",
                                                       {"p1", "甲", "1", "岗位操作员", "受理&后勤", "甲部"},
                                                       {"x1", "乙", "2", "", "市场", "乙部"},
                                                       {"岗位操作员"},
                                                       {"受理", "后勤"}}),
                         CaseName());

TEST_F(OperatorPageTest, ListsEveryAccountInTableOrderAndOnlyAnEmptySelectionComplains)
{
    insertAccount({"bob", "鲍勃", "pw", "业务主管", "", "业务部"});
    sql(QStringLiteral("system.mdb"),
        QStringLiteral("UPDATE 操作员 SET 最后登陆时间 = '2026-12-10 08:05:03', 登陆次数 = 7 WHERE 登陆帐号 = 'bob'"));
    listAndSelect(0);
    ASSERT_EQ(platform::listViewRowCount(list()), 2);
    QStringList cells;
    for (int c = 0; c < 8; ++c)
        cells.append(platform::listViewCell(list(), 1, c));
    EXPECT_EQ(cells, QStringList({"bob", "鲍勃", "pw", "业务主管", "", "业务部", "2026年12月10日8时5分3秒", "7"}));
    EXPECT_EQ(platform::listViewCell(list(), 0, 0), QStringLiteral("admin"));

    // Listing again replaces the rows and, though a row was selected, shows no message.
    button(QStringLiteral("列出用户"))->click();
    EXPECT_EQ(platform::listViewRowCount(list()), 2);
    EXPECT_TRUE(messages.texts().isEmpty());

    selectRow(1);
    list()->clearSelection();
    EXPECT_EQ(messages.texts(), QStringList{emptyRow});
    EXPECT_EQ(box(QStringLiteral("登陆帐号"))->text(), QStringLiteral("bob"));
    EXPECT_EQ(checkedRoles(), QStringList{"业务主管"});
}

TEST_F(OperatorPageTest, ResetsUncheckEveryRadioAndBoxAndTouchNothingElse)
{
    listAndSelect(0);
    ASSERT_EQ(checkedRoles(), QStringList{"管理员"});
    for (int round = 0; round < 2; ++round) {
        window->operatorPage()->clearRoleRadios();
        window->operatorPage()->clearPermissionBoxes();
        EXPECT_EQ(checkedRoles(), QStringList());
        EXPECT_EQ(tickedWords(), QStringList());
        EXPECT_FALSE(roleGroup()->isEnabled());
        EXPECT_FALSE(permissionGroup()->isEnabled());
        EXPECT_EQ(box(QStringLiteral("登陆帐号"))->text(), QStringLiteral("admin"));
        EXPECT_EQ(platform::selectedRow(list()), 0);
    }
}

TEST_F(OperatorPageTest, AddStartsWithAnEmptyPostOperatorForm)
{
    listAndSelect(0);
    button(QStringLiteral("添加"))->click();
    EXPECT_EQ(button(QStringLiteral("添加"))->text(), saveCaption);
    EXPECT_TRUE(editing());
    EXPECT_EQ(box(QStringLiteral("登陆帐号"))->text(), QString());
    EXPECT_EQ(box(QStringLiteral("所属部门"))->text(), QString());
    EXPECT_EQ(checkedRoles(), QStringList{"岗位操作员"});
    EXPECT_EQ(tickedWords(), QStringList());
    EXPECT_TRUE(messages.texts().isEmpty());
}

struct AddCase {
    const char *name;
    Account typed;
    QStringList handTicks;
    QString storedPermissions;
};

using AddOperatorTest = CaseTest<AddCase>;

TEST_P(AddOperatorTest, StoresTheColumnsByPositionAndWordsOnlyForAPostOperator)
{
    const AddCase &c = GetParam();
    addThroughPage(c.typed, c.handTicks);
    EXPECT_EQ(messages.texts(), QStringList{"添加操作员成功!"});
    Account stored = c.typed;
    stored.permissions = c.storedPermissions;
    EXPECT_EQ(accounts(), QStringList({"admin|系统管理员|admin|管理员||总经理室", joined(stored)}));
    EXPECT_EQ(button(QStringLiteral("添加"))->text(), addCaption);
    EXPECT_FALSE(roleGroup()->isEnabled());
    EXPECT_FALSE(permissionGroup()->isEnabled());
    EXPECT_FALSE(box(QStringLiteral("姓名"))->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Add, AddOperatorTest,
    ::testing::Values(AddCase{"PostOperatorWords",
                              {"clerk", "王五", "pw", "岗位操作员", "", "仓储部"},
                              {"受理", "仓库", "市场"},
                              "受理&仓库&市场"},
                      AddCase{"PostOperatorWithoutWords", {"clerk", "王五", "pw", "岗位操作员", "", "仓储部"}, {}, ""},
                      AddCase{"PresetRoleHandTicksNotStored",
                              {"boss", "赵六", "pw", "业务主管", "", "业务部"},
                              {"人资", "市场"},
                              ""}),
    CaseName());

struct RefusalCase {
    const char *name;
    bool modify;
    QString account;
    QString message;
};

using RefusedAccountTest = CaseTest<RefusalCase>;

TEST_P(RefusedAccountTest, SavesNothingAndStaysInTheEditingState)
{
    const RefusalCase &c = GetParam();
    insertAccount({"bob", "鲍勃", "pw", "业务主管", "", "业务部"});
    insertAccount({"carol", "卡罗", "pw", "岗位操作员", "受理", "业务部"});
    const QStringList before = accounts();
    QPushButton *save = button(c.modify ? QStringLiteral("修改") : QStringLiteral("添加"));
    listAndSelect(2);
    save->click();
    typeAccount({c.account, "新名", "np", "", "", "新部"});
    save->click();
    EXPECT_EQ(messages.texts(), QStringList{c.message});
    EXPECT_EQ(accounts(), before);
    EXPECT_EQ(save->text(), saveCaption);
    EXPECT_TRUE(editing());
    EXPECT_EQ(platform::focusTarget(), box(QStringLiteral("登陆帐号")));
}

INSTANTIATE_TEST_SUITE_P(Refused, RefusedAccountTest,
                         ::testing::Values(RefusalCase{"AddEmpty", false, "", "登陆帐号不能为空!"},
                                           RefusalCase{"AddTaken", false, "admin",
                                                       "登陆帐号\"admin\"已被其他操作员使用!请换一个登陆帐号."},
                                           RefusalCase{"ModifyEmpty", true, "", "登陆帐号不能为空!"},
                                           RefusalCase{"ModifyToAnotherAccount", true, "bob",
                                                       "登陆帐号\"bob\"已被其他操作员使用!请换一个登陆帐号."}),
                         CaseName());

TEST_F(OperatorPageTest, AddWithoutTheDatabaseSaysSoAndStaysInTheEditingState)
{
    button(QStringLiteral("添加"))->click();
    typeAccount({"clerk", "王五", "pw", "", "", "仓储部"});
    ASSERT_TRUE(QFile::rename(path(QStringLiteral("data/system.mdb")), path(QStringLiteral("data/system.bak"))));
    button(QStringLiteral("添加"))->click();
    ASSERT_EQ(messages.texts().size(), 2);
    EXPECT_TRUE(messages.texts()[0].startsWith(QStringLiteral("数据库连接失败!")));
    EXPECT_TRUE(messages.texts()[1].startsWith(QStringLiteral("打开数据库失败!")));
    EXPECT_EQ(button(QStringLiteral("添加"))->text(), saveCaption);
    EXPECT_TRUE(editing());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("data/system.mdb"))));
}

struct LoginCase {
    const char *name;
    Account added;
    QStringList handTicks;
    QStringList enabledMenus;
};

using AddedAccountLoginTest = CaseTest<LoginCase>;

TEST_P(AddedAccountLoginTest, LogsInWithTheMenusItsRoleAllows)
{
    const LoginCase &c = GetParam();
    addThroughPage(c.added, c.handTicks);
    closeWindow();
    main.reset();

    auto *login = new frame::LoginWindow({&settings::attachToMainWindow});
    login->findChild<QLineEdit *>(QStringLiteral("编辑框_登陆_用户名"))->setText(c.added.account);
    login->findChild<QLineEdit *>(QStringLiteral("编辑框_登陆_密码"))->setText(c.added.password);
    login->findChild<QPushButton *>(QStringLiteral("按钮_登陆_登陆确定"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::unique_ptr<frame::MainWindow> loggedIn(shownWindow<frame::MainWindow>());
    ASSERT_NE(loggedIn, nullptr) << messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(frame::currentOperator().role, c.added.role);
    QStringList enabled;
    for (QMenu *menu : loggedIn->topMenus())
        if (menu->menuAction()->isEnabled())
            enabled.append(menu->title());
    EXPECT_EQ(enabled, c.enabledMenus);
    EXPECT_FALSE(loggedIn->menuItems().菜单_系统_操作员管理.isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Login, AddedAccountLoginTest,
                         ::testing::Values(LoginCase{"PostOperator",
                                                     {"clerk", "王五", "pw", "岗位操作员", "", "仓储部"},
                                                     {"受理", "仓库"},
                                                     {"系统(&1)", "受理(&2)", "仓库(&5)"}},
                                           LoginCase{"PresetRoleIgnoresHandTicks",
                                                     {"hr", "孙七", "pw", "人事主管", "", "人事部"},
                                                     {"受理"},
                                                     {"系统(&1)", "人资后勤(&7)"}}),
                         CaseName());

TEST_F(OperatorPageTest, ModifyWithNoRowSelectedExplainsTheSteps)
{
    button(QStringLiteral("修改"))->click();
    EXPECT_EQ(messages.texts(),
              QStringList{"请先点击列出用户按钮\r\n然后在列表框里选择要修改的项目\r\n再点击修改按钮"});
    EXPECT_EQ(button(QStringLiteral("修改"))->text(), modifyCaption);
    EXPECT_FALSE(roleGroup()->isEnabled());
    EXPECT_FALSE(box(QStringLiteral("姓名"))->isEnabled());
}

TEST_F(OperatorPageTest, ModifyWritesTheRecordTheRowShowsEvenAfterTheTableChanged)
{
    insertAccount({"alice", "爱丽丝", "pw", "岗位操作员", "受理", "业务部"});
    insertAccount({"carol", "卡罗", "pw", "岗位操作员", "受理", "业务部"});
    listAndSelect(2);
    button(QStringLiteral("修改"))->click();
    EXPECT_TRUE(editing());
    EXPECT_EQ(button(QStringLiteral("修改"))->text(), saveCaption);
    EXPECT_EQ(tickedWords(), QStringList{"受理"});

    // Another record goes away after the listing, so carol is no longer third in the table.
    sql(QStringLiteral("system.mdb"), QStringLiteral("DELETE FROM 操作员 WHERE 登陆帐号 = 'alice'"));
    box(QStringLiteral("姓名"))->setText(QStringLiteral("卡罗尔"));
    tick({"调度"});
    button(QStringLiteral("修改"))->click();
    EXPECT_EQ(messages.texts(), QStringList{"数据修改成功!"});
    EXPECT_EQ(accounts(),
              QStringList({"admin|系统管理员|admin|管理员||总经理室", "carol|卡罗尔|pw|岗位操作员|受理&调度|业务部"}));
    EXPECT_EQ(button(QStringLiteral("修改"))->text(), modifyCaption);
    EXPECT_FALSE(editing());
}

TEST_F(OperatorPageTest, ModifyMayRenameToAFreeAccountAndChangeTheRole)
{
    insertAccount({"bob", "鲍勃", "pw", "岗位操作员", "受理", "业务部"});
    listAndSelect(1);
    button(QStringLiteral("修改"))->click();
    box(QStringLiteral("登陆帐号"))->setText(QStringLiteral("robert"));
    radio(QStringLiteral("市场主管"))->click();
    button(QStringLiteral("修改"))->click();
    EXPECT_EQ(messages.texts(), QStringList{"数据修改成功!"});
    EXPECT_EQ(accounts(), QStringList({"admin|系统管理员|admin|管理员||总经理室", "robert|鲍勃|pw|市场主管||业务部"}));
}

TEST_F(OperatorPageTest, ModifyOfAnAccountThatWentAwayFailsAndWritesNothing)
{
    insertAccount({"bob", "鲍勃", "pw", "业务主管", "", "业务部"});
    listAndSelect(1);
    button(QStringLiteral("修改"))->click();
    sql(QStringLiteral("system.mdb"), QStringLiteral("DELETE FROM 操作员 WHERE 登陆帐号 = 'bob'"));
    const QStringList before = accounts();
    button(QStringLiteral("修改"))->click();
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts()[0].startsWith(QStringLiteral("数据修改失败!")));
    EXPECT_GT(messages.texts()[0].size(), QStringLiteral("数据修改失败!").size());
    EXPECT_EQ(accounts(), before);
    EXPECT_EQ(button(QStringLiteral("修改"))->text(), modifyCaption);
    EXPECT_FALSE(editing());
}

TEST_F(OperatorPageTest, ModifiesTheChosenRowAmongManyAccounts)
{
    platform::Database db;
    ASSERT_TRUE(db.open(path(QStringLiteral("data/system.mdb"))));
    {
        platform::Transaction transaction(db);
        for (int i = 0; i < 2000; ++i)
            ASSERT_TRUE(platform::executeSql(
                db, QStringLiteral("INSERT INTO 操作员 (登陆帐号, 姓名, 密码, 级别, 权限, 部门) "
                                   "VALUES ('u%1', '员工%1', 'pw', '岗位操作员', '受理&查询', '业务部')")
                        .arg(i)));
        ASSERT_TRUE(transaction.commit());
    }
    db.close();

    listAndSelect(1500);
    ASSERT_EQ(platform::listViewRowCount(list()), 2001);
    button(QStringLiteral("修改"))->click();
    box(QStringLiteral("姓名"))->setText(QStringLiteral("改名"));
    button(QStringLiteral("修改"))->click();
    EXPECT_EQ(messages.texts(), QStringList{"数据修改成功!"});
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 登陆帐号 FROM 操作员 WHERE 姓名 = '改名'")),
              QStringList{"u1499"});
}

struct ModifyRowCase {
    const char *name;
    int row; // the listed row modified; row 0 is the installed 管理员
    Account typed;
};

using ModifyRowTest = CaseTest<ModifyRowCase>;

TEST_P(ModifyRowTest, WritesTheRecordOfTheSelectedRowAndNoOther)
{
    const ModifyRowCase &c = GetParam();
    // Two records sharing one account, and records with a NULL and an empty account.
    insertAccount({"bob", "鲍勃", "pw", "业务主管", "", "业务部"});
    insertAccount({"bob", "博", "pw2", "岗位操作员", "受理", "仓储部"});
    insertAccount({QString(), "无名", "pw3", "岗位操作员", "查询", "仓储部"});
    insertAccount({"", "空名", "pw4", "内务主管", "", "后勤部"});
    QStringList expected = accounts();
    listAndSelect(c.row);
    button(QStringLiteral("修改"))->click();
    typeAccount(c.typed);
    button(QStringLiteral("修改"))->click();
    EXPECT_EQ(messages.texts(), QStringList{"数据修改成功!"});
    expected[c.row] = joined(c.typed);
    EXPECT_EQ(accounts(), expected);
    EXPECT_EQ(button(QStringLiteral("修改"))->text(), modifyCaption);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ModifyRowTest,
    ::testing::Values(
        ModifyRowCase{"SecondOfTwoSharingAnAccount", 2, {"bob", "博文", "new", "岗位操作员", "受理", "仓储部"}},
        ModifyRowCase{"FirstOfTwoSharingAnAccount", 1, {"bob", "鲍勃二", "pw", "业务主管", "", "财务部"}},
        ModifyRowCase{"NullAccount", 3, {"dave", "戴夫", "pw3", "岗位操作员", "查询", "仓储部"}},
        ModifyRowCase{"EmptyAccount", 4, {"erin", "空名", "pw4", "内务主管", "", "后勤部"}}),
    CaseName());

struct AdministratorCase {
    const char *name;
    bool secondAdministrator;
    QString message;
    bool refused;
};

using LastAdministratorTest = CaseTest<AdministratorCase>;

TEST_P(LastAdministratorTest, TheLastAdministratorKeepsItsRole)
{
    const AdministratorCase &c = GetParam();
    if (c.secondAdministrator)
        insertAccount({"root", "根", "pw", "管理员", "", "总经理室"});
    const QStringList before = accounts();
    listAndSelect(0);
    button(QStringLiteral("修改"))->click();
    radio(QStringLiteral("业务主管"))->click();
    button(QStringLiteral("修改"))->click();
    EXPECT_EQ(messages.texts(), QStringList{c.message});
    EXPECT_EQ(editing(), c.refused);
    EXPECT_EQ(button(QStringLiteral("修改"))->text(), c.refused ? saveCaption : modifyCaption);
    QStringList expected = before;
    if (!c.refused)
        expected[0] = QStringLiteral("admin|系统管理员|admin|业务主管||总经理室");
    EXPECT_EQ(accounts(), expected);
}

INSTANTIATE_TEST_SUITE_P(Administrators, LastAdministratorTest,
                         ::testing::Values(AdministratorCase{"OnlyAdministratorRefused", false,
                                                             "至少要保留一个管理员帐号!", true},
                                           AdministratorCase{"OneOfTwoAllowed", true, "数据修改成功!", false}),
                         CaseName());

struct FailedWriteCase {
    const char *name;
    bool modify;
    WriteTrouble trouble;
    QStringList shown; // the beginnings of the messages, each followed by the error text
    bool stillEditing;
};

using FailedWriteTest = CaseTest<FailedWriteCase>;

TEST_P(FailedWriteTest, ReportsTheFailureAndSavesNothing)
{
    const FailedWriteCase &c = GetParam();
    insertAccount({"bob", "鲍勃", "pw", "业务主管", "", "业务部"});
    const QStringList before = accounts();
    QPushButton *save = button(c.modify ? QStringLiteral("修改") : QStringLiteral("添加"));
    listAndSelect(1);
    save->click();
    typeAccount({"carol", "卡罗", "np", "", "", "业务部"});
    cause(c.trouble);
    save->click();
    release();
    ASSERT_EQ(messages.texts().size(), c.shown.size()) << messages.texts().join(u'\n').toStdString();
    for (int i = 0; i < c.shown.size(); ++i) {
        EXPECT_TRUE(messages.texts()[i].startsWith(c.shown[i])) << messages.texts()[i].toStdString();
        EXPECT_GT(messages.texts()[i].size(), c.shown[i].size());
    }
    EXPECT_EQ(accounts(), before);
    EXPECT_EQ(editing(), c.stillEditing);
    EXPECT_EQ(save->text(), c.stillEditing ? saveCaption : c.modify ? modifyCaption : addCaption);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, FailedWriteTest,
    ::testing::Values(
        FailedWriteCase{"AddRefusedByTheDatabase", false, WriteTrouble::RefusedWrite, {"添加操作员失败!"}, false},
        FailedWriteCase{"ModifyRefusedByTheDatabase", true, WriteTrouble::RefusedWrite, {"数据修改失败!"}, false},
        FailedWriteCase{"AddToAHeldFile", false, WriteTrouble::HeldFile, {"数据库连接失败!", "打开数据库失败!"}, true},
        FailedWriteCase{
            "ModifyInAHeldFile", true, WriteTrouble::HeldFile, {"数据库连接失败!", "数据修改失败!"}, false}),
    CaseName());
