#include "settings/system_menu_window.h"

#include "platform/window_shape.h"
#include "settings/operator_page.h"
#include "ui_system_menu_window.h"

#include <QTabBar>
#include <QVBoxLayout>

namespace settings {

namespace {
constexpr int operatorPageIndex = 1;
} // namespace

SystemMenuWindow::SystemMenuWindow(frame::MainWindow &main)
    : frame::ChildWindow(main), ui(std::make_unique<Ui::SystemMenuWindow>()), m_operatorPage(new OperatorPage)
{
    ui->setupUi(this);
    // The menu item chooses the page and the title names it, so the tabs themselves stay hidden.
    ui->选择夹_系统菜单窗口->tabBar()->hide();
    ui->选择夹_系统菜单窗口->setDocumentMode(true);
    auto *layout = new QVBoxLayout(ui->选择夹_系统菜单窗口_操作员);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_operatorPage);
}

SystemMenuWindow::~SystemMenuWindow() = default;

QTabWidget *SystemMenuWindow::pages() const
{
    return ui->选择夹_系统菜单窗口;
}

SystemMenuWindow *openOperatorManagement(frame::MainWindow &main)
{
    auto *window = new SystemMenuWindow(main);
    window->setWindowTitle(QStringLiteral("操作员管理"));
    window->pages()->setCurrentIndex(operatorPageIndex);
    platform::centreOnScreen(window);
    window->open();
    return window;
}

} // namespace settings
