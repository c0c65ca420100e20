#pragma once

#include <QList>
#include <QMainWindow>
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

    // A menu item or toolbar action by its unit name.
    QAction *action(const QString &name) const;
    QList<QMenu *> topMenus() const;

private:
    void leaveProgram();
    void exitSystem();
    void tickClock();

    std::unique_ptr<Ui::MainWindow> ui;
    QList<QLabel *> m_panels;
};

// The one main window while it exists, for the subsystems' status and menu calls.
MainWindow *mainWindow();

// A child window: while it is open the main window is disabled; closing it enables the main
// window again and destroys the child.
class ChildWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ChildWindow(QWidget *parent = nullptr);
    // Shows the window, writes its activity (if any) into panel 7 of the main window and
    // disables the main window until it closes.
    void open(const QString &activity = {});

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace frame
