#include "settings/system_menu_window.h"

#include "platform/window_shape.h"
#include "settings/operator_page.h"
#include "ui_system_menu_window.h"

#include <QVBoxLayout>

namespace settings {

SystemMenuWindow::SystemMenuWindow(QWidget *parent)
    : frame::ChildWindow(parent), ui(std::make_unique<Ui::SystemMenuWindow>()), m_operatorPage(new OperatorPage)
{
    ui->setupUi(this);
    auto *layout = new QVBoxLayout(ui->选择夹_系统菜单窗口_操作员);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_operatorPage);
}

SystemMenuWindow::~SystemMenuWindow() = default;

QTabWidget *SystemMenuWindow::pages() const
{
    return ui->选择夹_系统菜单窗口;
}

SystemMenuWindow *openOperatorManagement()
{
    auto *window = new SystemMenuWindow;
    window->setWindowTitle(QStringLiteral("操作员管理"));
    window->pages()->setCurrentWidget(window->operatorPage()->parentWidget());
    platform::centreOnScreen(window);
    window->open();
    return window;
}

} // namespace settings
