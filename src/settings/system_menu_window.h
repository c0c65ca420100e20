#pragma once

#include "frame/main_window.h"

#include <memory>

class QTabWidget;

namespace Ui {
class SystemMenuWindow;
}

namespace settings {

class OperatorPage;

// 系统菜单窗口: the settings child window, created anew at each opening, with its pages in the tab
// 选择夹_系统菜单窗口.
class SystemMenuWindow final : public frame::ChildWindow
{
    Q_OBJECT

public:
    explicit SystemMenuWindow(frame::MainWindow &main);
    ~SystemMenuWindow() override;

    QTabWidget *pages() const;
    OperatorPage *operatorPage() const { return m_operatorPage; }

private:
    std::unique_ptr<Ui::SystemMenuWindow> ui;
    OperatorPage *m_operatorPage;
};

// The menu item 操作员管理: a new window on its page 操作员; 主界面 stays disabled until it closes.
SystemMenuWindow *openOperatorManagement(frame::MainWindow &main);

} // namespace settings
