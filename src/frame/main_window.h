#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;

namespace Ui {
class MainWindow;
}

namespace frame {

class MainWindow;
// A subsystem's share of the main window: its pages and the handlers of its menu items.
using MainWindowPart = std::function<void(MainWindow &)>;

// The menu items that the subsystems bind, named as their units. Filled from the form, so a renamed
// unit breaks the build instead of a lookup at run time.
struct MenuItems {
    QAction &菜单_系统_操作员管理;
    QAction &菜单_受理_业务单录入;
    QAction &菜单_受理_发货清单录入;
    QAction &菜单_检货处_检货基本信息;
    QAction &菜单_仓库_出库;
    QAction &菜单_仓库_外地入埠货物管理;
    QAction &菜单_人资后勤_后勤支出;
};

// 主界面: the menus, the toolbar, the status bar and the tab of pages that the subsystems fill.
class MainWindow final : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(const QList<MainWindowPart> &parts = {});
    ~MainWindow() override;

    // 0 disables the eight top menus and the toolbar; 1 gives back what the operator's role
    // allows and no more; any other value changes nothing.
    void setMainMenusEnabled(int flag);
    // Enables the menus, toolbar buttons and items that the logged-in operator's role allows.
    void applyRoleGating();

    void setStatusPanel(int panel, const QString &text);
    QString statusPanel(int panel) const;

    QTabWidget *pages() const;
    // Puts a subsystem's form into page index of 选择夹_功能集.
    void setPage(int index, QWidget *form);
    void showPage(int index);
    // A work page of the tab: shown with its base frame at its full height of 492, its activity
    // in panel 7, the menus and toolbar locked.
    void showWorkPage(int index, QWidget *baseFrame, const QString &activity);
    // The way back from a work page: page 0, "等待操作..." and the menus the role allows.
    void returnToStartPage();

    MenuItems menuItems() const;
    QList<QMenu *> topMenus() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitStartPicture();
    // Each toolbar button with the menu item of the same area, which it runs.
    QList<std::pair<QAction *, QAction *>> toolbarTargets() const;
    void leaveProgram();
    void exitSystem();
    void tickClock();

    std::unique_ptr<Ui::MainWindow> ui;
    QList<QLabel *> m_panels;
};

// A child window of the given main window: while it is open the main window is disabled; closing
// it enables the main window again and destroys the child.
class ChildWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ChildWindow(MainWindow &main);
    // Shows the window, writes its activity (if any) into panel 7 of the main window and
    // disables the main window until it closes.
    void open(const QString &activity = {});

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // A top-level window of its own, so it does not die with the main window: guarded instead.
    QPointer<MainWindow> m_main;
};

} // namespace frame
