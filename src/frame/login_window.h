#pragma once

#include "frame/main_window.h"

#include <QWidget>
#include <memory>

namespace Ui {
class LoginWindow;
}

namespace frame {

// 登陆窗口: the start window, shaped by its built-in picture. A successful login opens the main
// window with the given parts and destroys this window.
class LoginWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit LoginWindow(QList<MainWindowPart> parts = {});
    ~LoginWindow() override;

private:
    void initLoginWindow();
    void login();
    // A wrong account or password: the first failures say so, the last one ends the program.
    void refuse();
    void cancel();

    std::unique_ptr<Ui::LoginWindow> ui;
    QList<MainWindowPart> m_parts;
    int m_failedLogins = 0;
};

} // namespace frame
