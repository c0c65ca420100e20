#include "frame/main_window.h"

#include "frame/main_window_picture.h"
#include "frame/roles.h"
#include "frame/session.h"
#include "platform/ini_file.h"
#include "platform/program_directory.h"
#include "platform/program_end.h"
#include "platform/text_conversions.h"
#include "platform/timer_unit.h"
#include "ui_main_window.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>

namespace frame {

namespace {

constexpr int statusPanelCount = 9;
constexpr int activityPanel = 7;
constexpr int clockPanel = 8;
constexpr int workPageBaseFrameHeight = 492;
// The size the pages are laid out for: a larger window would leave them in its top-left corner.
constexpr QSize windowSize(800, 660);

} // namespace

MainWindow::MainWindow(const QList<MainWindowPart> &parts) : ui(std::make_unique<Ui::MainWindow>())
{
    ui->setupUi(this);
    setFixedSize(windowSize);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(platform::IniFile(platform::programPath(QStringLiteral("program.ini")))
                       .value(QStringLiteral("系统"), QStringLiteral("主界面标题"), QStringLiteral("主界面")));
    ui->选择夹_功能集->tabBar()->hide();
    ui->选择夹_功能集->setDocumentMode(true);
    setCentralWidget(ui->主界面_客户区);
    // The tab fills the client area, and the start page's picture fills the tab, whatever height
    // the menu, tool and status bars leave on this display.
    auto *clientLayout = new QVBoxLayout(ui->主界面_客户区);
    clientLayout->setContentsMargins(0, 0, 0, 0);
    clientLayout->addWidget(ui->选择夹_功能集);
    ui->选择夹_功能集_页0->installEventFilter(this);
    fitStartPicture();

    const QStringList captions = {QStringLiteral("操作员:"),
                                  {},
                                  QStringLiteral("级别:"),
                                  {},
                                  QStringLiteral("部门:"),
                                  {},
                                  QStringLiteral("状态:"),
                                  {},
                                  {}};
    for (int i = 0; i < statusPanelCount; ++i) {
        auto *panel = new QLabel(captions[i], this);
        panel->setObjectName(QStringLiteral("状态条_主界面_系统状态显示_%1").arg(i));
        ui->状态条_主界面_系统状态显示->addWidget(panel, i == activityPanel ? 1 : 0);
        m_panels.append(panel);
    }
    const CurrentOperator &op = currentOperator();
    setStatusPanel(1, op.name);
    setStatusPanel(3, op.role);
    setStatusPanel(5, op.department);
    setStatusPanel(activityPanel, QStringLiteral("等待操作!"));
    tickClock();
    platform::startTimerUnit(this, QStringLiteral("时钟_主界面_状态条"), 1000, [this] { tickClock(); });

    for (const auto &[tool, item] : toolbarTargets())
        connect(tool, &QAction::triggered, item, &QAction::trigger);
    connect(ui->菜单_系统_退出, &QAction::triggered, this, &MainWindow::leaveProgram);
    connect(ui->按钮_主界面_退出系统, &QPushButton::clicked, this, &MainWindow::exitSystem);

    for (const MainWindowPart &part : parts)
        part(*this);
    applyRoleGating();
    showPage(0);
}

void MainWindow::fitStartPicture()
{
    const QRect page = ui->选择夹_功能集_页0->rect();
    if (page.isEmpty()) // not laid out yet
        return;
    QLabel *background = ui->图片框_主界面_背景;
    background->setGeometry(page);
    background->setPixmap(QPixmap::fromImage(drawMainWindowPicture(background->size())));
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->选择夹_功能集_页0 && event->type() == QEvent::Resize)
        fitStartPicture();
    return QMainWindow::eventFilter(watched, event);
}

MainWindow::~MainWindow() = default;

MenuItems MainWindow::menuItems() const
{
    return {*ui->菜单_系统_操作员管理,     *ui->菜单_受理_业务单录入, *ui->菜单_受理_发货清单录入,
            *ui->菜单_检货处_检货基本信息, *ui->菜单_仓库_出库,       *ui->菜单_仓库_外地入埠货物管理,
            *ui->菜单_人资后勤_后勤支出};
}

QList<QMenu *> MainWindow::topMenus() const
{
    return {ui->菜单_系统, ui->菜单_受理, ui->菜单_查询,     ui->菜单_检货处,
            ui->菜单_仓库, ui->菜单_调度, ui->菜单_人资后勤, ui->菜单_市场部};
}

QList<std::pair<QAction *, QAction *>> MainWindow::toolbarTargets() const
{
    return {{ui->工具_业务单录入, ui->菜单_受理_业务单录入},
            {ui->工具_检货, ui->菜单_检货处_检货基本信息},
            {ui->工具_发货清单录入, ui->菜单_受理_发货清单录入},
            {ui->工具_外地入埠, ui->菜单_仓库_外地入埠货物管理}};
}

void MainWindow::applyRoleGating()
{
    const CurrentOperator &op = currentOperator();
    const auto allowed = [&op](const QString &unit) { return unitAllowed(unit, op.role, op.permissions); };
    for (QMenu *menu : topMenus()) {
        const bool menuOpen = allowed(menu->title()).value_or(false);
        menu->menuAction()->setEnabled(menuOpen);
        for (QAction *item : menu->actions())
            item->setEnabled(menuOpen && allowed(item->objectName()).value_or(true));
    }
    for (const auto &[tool, item] : toolbarTargets())
        tool->setEnabled(item->isEnabled());
    ui->工具条_主界面_常用功能->setEnabled(true);
}

void MainWindow::setMainMenusEnabled(int flag)
{
    if (flag == 0) {
        for (QMenu *menu : topMenus())
            menu->menuAction()->setEnabled(false);
        ui->工具条_主界面_常用功能->setEnabled(false);
    } else if (flag == 1) {
        applyRoleGating();
    }
}

void MainWindow::setStatusPanel(int panel, const QString &text)
{
    if (panel >= 0 && panel < m_panels.size())
        m_panels[panel]->setText(text);
}

QString MainWindow::statusPanel(int panel) const
{
    return panel >= 0 && panel < m_panels.size() ? m_panels[panel]->text() : QString();
}

QTabWidget *MainWindow::pages() const
{
    return ui->选择夹_功能集;
}

void MainWindow::setPage(int index, QWidget *form)
{
    QWidget *page = ui->选择夹_功能集->widget(index);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(form);
}

void MainWindow::showPage(int index)
{
    ui->选择夹_功能集->setCurrentIndex(index);
}

void MainWindow::showWorkPage(int index, QWidget *baseFrame, const QString &activity)
{
    showPage(index);
    baseFrame->resize(baseFrame->width(), workPageBaseFrameHeight);
    setStatusPanel(activityPanel, activity);
    setMainMenusEnabled(0);
}

void MainWindow::returnToStartPage()
{
    showPage(0);
    setStatusPanel(activityPanel, QStringLiteral("等待操作..."));
    setMainMenusEnabled(1);
}

void MainWindow::leaveProgram()
{
    setStatusPanel(activityPanel, QStringLiteral("正在退出..."));
    platform::endProgram(0);
}

void MainWindow::exitSystem()
{
    documentCounters().save();
    platform::endProgram(0);
}

void MainWindow::tickClock()
{
    setStatusPanel(clockPanel, platform::valueToText(QDateTime::currentDateTime()));
}

ChildWindow::ChildWindow(MainWindow &main) : QWidget(nullptr, Qt::Window), m_main(&main)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void ChildWindow::open(const QString &activity)
{
    show();
    if (!m_main)
        return;
    if (!activity.isEmpty())
        m_main->setStatusPanel(activityPanel, activity);
    m_main->setEnabled(false);
}

void ChildWindow::closeEvent(QCloseEvent *event)
{
    if (m_main)
        m_main->setEnabled(true);
    event->accept();
}

} // namespace frame
