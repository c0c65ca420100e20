#include "frame/main_window.h"
#include "frame/main_window_picture.h"
#include "frame/roles.h"
#include "frame/session.h"
#include "support/case_names.h"
#include "support/program_dir_fixture.h"
#include "support/units.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>

#include <algorithm>
#include <cmath>

class MainWindowTest : public ProgramDirTest
{
protected:
    QMap<QString, bool> menuStates(const frame::MainWindow &main) const
    {
        QMap<QString, bool> states;
        for (QMenu *menu : main.topMenus())
            states.insert(menu->title(), menu->menuAction()->isEnabled());
        return states;
    }
    bool toolbarEnabled(const frame::MainWindow &main) const
    {
        return main.findChild<QToolBar *>(QStringLiteral("工具条_主界面_常用功能"))->isEnabled();
    }
};

const QStringList allMenus = {"系统(&1)", "受理(&2)", "查询(&3)",     "检货处(&4)",
                              "仓库(&5)", "调度(&6)", "人资后勤(&7)", "市场部(&8)"};

QMap<QString, bool> only(const QStringList &enabled)
{
    QMap<QString, bool> states;
    for (const QString &menu : allMenus)
        states.insert(menu, enabled.contains(menu));
    return states;
}

TEST_F(MainWindowTest, MenusFollowTheRoleAndComeBackOnlyAsTheRoleAllows)
{
    struct Case {
        QString role, permissions;
        QStringList enabled;
        bool settings;
    };
    const QList<Case> cases = {
        {"管理员", "", allMenus, true},
        {"业务主管", "", {"系统(&1)", "受理(&2)", "查询(&3)", "检货处(&4)", "仓库(&5)", "调度(&6)"}, false},
        {"内务主管", "", {"系统(&1)", "人资后勤(&7)"}, false},
        {"岗位操作员", "后勤", {"系统(&1)", "人资后勤(&7)"}, false},
        {"岗位操作员", "受理&市场&无此权限", {"系统(&1)", "受理(&2)", "市场部(&8)"}, false},
        {"未知", "受理", {"系统(&1)"}, false},
    };
    for (const Case &c : cases) {
        loginAs(c.role, c.permissions);
        frame::MainWindow main;
        const QString label = c.role + u' ' + c.permissions;
        EXPECT_EQ(menuStates(main), only(c.enabled)) << label.toStdString();
        EXPECT_EQ(main.menuItems().菜单_系统_操作员管理.isEnabled(), c.settings) << label.toStdString();
        EXPECT_TRUE(findUnit<QAction>(&main, QStringLiteral("菜单_系统_退出"))->isEnabled());
        EXPECT_EQ(findUnit<QAction>(&main, QStringLiteral("工具_业务单录入"))->isEnabled(),
                  c.enabled.contains("受理(&2)"));

        main.setMainMenusEnabled(0);
        EXPECT_EQ(menuStates(main), only({})) << label.toStdString();
        EXPECT_FALSE(toolbarEnabled(main));
        main.setMainMenusEnabled(2);
        EXPECT_EQ(menuStates(main), only({})) << label.toStdString();
        EXPECT_FALSE(toolbarEnabled(main));
        main.setMainMenusEnabled(1);
        EXPECT_EQ(menuStates(main), only(c.enabled)) << label.toStdString();
        EXPECT_TRUE(toolbarEnabled(main));
        main.setMainMenusEnabled(2);
        EXPECT_EQ(menuStates(main), only(c.enabled)) << label.toStdString();
    }
}

// The gating table names its units by text: a renamed or misspelt unit would lose its gate silently.
TEST_F(MainWindowTest, EveryGatedUnitIsATopMenuOrOneOfItsItems)
{
    loginAs(QStringLiteral("管理员"));
    frame::MainWindow main;
    QStringList units;
    for (QMenu *menu : main.topMenus()) {
        units.append(menu->title());
        for (QAction *item : menu->actions())
            units.append(item->objectName());
    }
    ASSERT_FALSE(frame::gatedUnits().isEmpty());
    for (const QString &gated : frame::gatedUnits())
        EXPECT_TRUE(units.contains(gated)) << gated.toStdString();
}

TEST_F(MainWindowTest, TitleComesFromTheProgramSettings)
{
    loginAs(QStringLiteral("管理员"));
    frame::MainWindow main;
    EXPECT_EQ(main.windowTitle(), QStringLiteral("货运业务管理系统"));
    EXPECT_EQ(main.pages()->currentIndex(), 0);
}

TEST_F(MainWindowTest, ExitButtonWritesTheCountersBackAndTheMenuItemDoesNot)
{
    loginAs(QStringLiteral("管理员"));
    frame::MainWindow main;
    sql(QStringLiteral("system.mdb"), QStringLiteral("UPDATE 累加单号值 SET 业务单号 = 'changed'"));
    findUnit<QAction>(&main, QStringLiteral("菜单_系统_退出"))->trigger();
    EXPECT_TRUE(ends.ended);
    EXPECT_EQ(main.statusPanel(7), QStringLiteral("正在退出..."));
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 业务单号 FROM 累加单号值")),
              QStringList{"changed"});

    ends.ended = false;
    main.findChild<QPushButton *>(QStringLiteral("按钮_主界面_退出系统"))->click();
    EXPECT_TRUE(ends.ended);
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 业务单号 FROM 累加单号值")),
              QStringList{"YW0000001"});
}

struct StaffAndBackOffice {
    const char *name;
    const char *role;
    const char *permissions;
    bool menuOpen;       // 人资后勤(&7)
    bool backOfficeOpen; // its item 后勤支出(&3)
};

class StaffAndBackOfficeGating : public MainWindowTest, public ::testing::WithParamInterface<StaffAndBackOffice>
{
};

// 人资 and 后勤 share one menu but open only their own items; the role disables, never hides.
TEST_P(StaffAndBackOfficeGating, MenuOpensForEitherWordAndTheItemForItsOwn)
{
    loginAs(QString::fromUtf8(GetParam().role), QString::fromUtf8(GetParam().permissions));
    frame::MainWindow main;
    main.show();
    QAction *menu = findUnit<QMenu>(&main, QStringLiteral("菜单_人资后勤"))->menuAction();
    QAction *item = &main.menuItems().菜单_人资后勤_后勤支出;
    const auto expectGated = [&](const char *when) {
        EXPECT_EQ(menu->isEnabled(), GetParam().menuOpen) << when;
        EXPECT_EQ(item->isEnabled(), GetParam().backOfficeOpen) << when;
        EXPECT_TRUE(menu->isVisible()) << when;
        EXPECT_TRUE(item->isVisible()) << when;
    };
    expectGated("after login");
    // Leaving a work page gives back what the role allows and no more.
    main.setMainMenusEnabled(0);
    main.setMainMenusEnabled(1);
    expectGated("after a work page");
}

INSTANTIATE_TEST_SUITE_P(
    Roles, StaffAndBackOfficeGating,
    ::testing::Values(StaffAndBackOffice{"StaffManager", "人事主管", "", true, false},
                      StaffAndBackOffice{"OfficeManager", "内务主管", "", true, true},
                      StaffAndBackOffice{"PostOperatorWithStaff", "岗位操作员", "人资", true, false},
                      StaffAndBackOffice{"PostOperatorWithBackOffice", "岗位操作员", "后勤", true, true},
                      StaffAndBackOffice{"PostOperatorWithBoth", "岗位操作员", "人资&后勤", true, true},
                      StaffAndBackOffice{"PostOperatorWithNeither", "岗位操作员", "受理", false, false},
                      StaffAndBackOffice{"BusinessManager", "业务主管", "", false, false}),
    CaseName());

namespace {

// Relative luminance and contrast ratio as used for the legibility of text.
double luminance(QColor c)
{
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(QColor a, QColor b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST_F(MainWindowTest, StartPageShowsItsOwnPictureBehindAReadableWelcome)
{
    loginAs(QStringLiteral("管理员"));
    frame::MainWindow main;
    main.show();
    QWidget *page = main.pages()->widget(0);
    const QImage picture = frame::drawMainWindowPicture(page->size());
    const QImage shown = page->grab().toImage().convertToFormat(picture.format());
    ASSERT_EQ(shown.size(), picture.size());

    // Wherever no unit covers it, the page shows the picture pixel for pixel.
    QRegion units;
    for (const char *name : {"标签_主界面_欢迎", "按钮_主界面_退出系统"})
        units += findUnit<QWidget>(&main, QString::fromUtf8(name))->geometry();
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            differing += !units.contains(QPoint(x, y)) && shown.pixel(x, y) != picture.pixel(x, y);
    EXPECT_EQ(differing, 0);
    // A drawn scene, not a plain fill.
    QSet<QRgb> colours;
    for (int y = 0; y < picture.height(); y += 4)
        for (int x = 0; x < picture.width(); x += 4)
            colours.insert(picture.pixel(x, y));
    EXPECT_GT(colours.size(), 50);

    // The welcome text stands out from every pixel of the picture behind it.
    auto *welcome = findUnit<QLabel>(&main, QStringLiteral("标签_主界面_欢迎"));
    const QColor text = welcome->palette().color(QPalette::WindowText);
    double weakest = 21;
    const QRect behind = welcome->geometry();
    for (int y = behind.top(); y <= behind.bottom(); ++y)
        for (int x = behind.left(); x <= behind.right(); ++x)
            weakest = std::min(weakest, contrast(text, picture.pixelColor(x, y)));
    EXPECT_GE(weakest, 7.0);
}

TEST_F(MainWindowTest, KeepsTheSizeItsPagesAreLaidOutFor)
{
    loginAs(QStringLiteral("管理员"));
    frame::MainWindow main;
    main.show();
    EXPECT_EQ(main.size(), QSize(800, 660));
    main.resize(1200, 900);
    EXPECT_EQ(main.size(), QSize(800, 660));
    EXPECT_EQ(main.minimumSize(), main.maximumSize());
    EXPECT_FALSE(findUnit<QStatusBar>(&main, QStringLiteral("状态条_主界面_系统状态显示"))->isSizeGripEnabled());
    // A work page's base frame, 492 high from top 44, fits on its page.
    main.showPage(2);
    EXPECT_GE(main.pages()->currentWidget()->height(), 44 + 492);
}
