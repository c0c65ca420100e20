#include "frame/login_window.h"

#include "frame/login_store.h"
#include "frame/login_window_picture.h"
#include "frame/session.h"
#include "platform/focus.h"
#include "platform/message_box.h"
#include "platform/program_end.h"
#include "platform/window_shape.h"
#include "ui_login_window.h"

#include <QPainter>
#include <QPalette>

namespace frame {

namespace {

constexpr unsigned keyColour = 255;
constexpr int allowedFailures = 3;

// The two decorative icons beside the boxes: two people, and a padlock.
QIcon drawIcon(bool padlock)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 50, 110), 1.5));
    if (padlock) {
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(7, 2, 10, 12), 0, 180 * 16);
        p.drawLine(QPointF(7, 8), QPointF(7, 11));
        p.drawLine(QPointF(17, 8), QPointF(17, 11));
        p.setBrush(QColor(230, 190, 60));
        p.drawRoundedRect(QRectF(4, 11, 16, 11), 2, 2);
    } else {
        p.setBrush(QColor(90, 140, 220));
        p.drawEllipse(QRectF(12, 2, 8, 8));
        p.drawChord(QRectF(9, 11, 14, 14), 0, 180 * 16);
        p.setBrush(QColor(240, 200, 80));
        p.drawEllipse(QRectF(4, 5, 8, 8));
        p.drawChord(QRectF(1, 14, 14, 14), 0, 180 * 16);
    }
    // The buttons are disabled decorations: keep their icons in colour.
    QIcon icon(pixmap);
    icon.addPixmap(pixmap, QIcon::Disabled);
    return icon;
}

} // namespace

LoginWindow::LoginWindow(QList<MainWindowPart> parts)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), ui(std::make_unique<Ui::LoginWindow>()),
      m_parts(std::move(parts))
{
    ui->setupUi(this);
    setFixedSize(320, 170);
    QFont title = ui->透明标签_登陆_标题->font();
    title.setPixelSize(21);
    ui->透明标签_登陆_标题->setFont(title);
    ui->图形按钮1->setIcon(drawIcon(false));
    ui->图形按钮2->setIcon(drawIcon(true));
    for (QPushButton *button : {ui->图形按钮1, ui->图形按钮2})
        button->setIconSize(QSize(24, 24));

    connect(ui->编辑框_登陆_密码, &QLineEdit::returnPressed, this, &LoginWindow::login);
    connect(ui->按钮_登陆_登陆确定, &QPushButton::clicked, this, &LoginWindow::login);
    connect(ui->按钮_登陆_取消, &QPushButton::clicked, this, &LoginWindow::cancel);
    initLoginWindow();
    platform::centreOnScreen(this);
}

LoginWindow::~LoginWindow() = default;

void LoginWindow::initLoginWindow()
{
    platform::shapeWindowFromPicture(this, LoginWindowPicture, LoginWindowPictureSize, keyColour);
    QPalette palette = this->palette();
    palette.setBrush(QPalette::Window,
                     QPixmap::fromImage(platform::decodePicture(LoginWindowPicture, LoginWindowPictureSize)));
    setPalette(palette);
    setAutoFillBackground(true);
    m_failedLogins = 0;
    platform::setFocus(ui->编辑框_登陆_用户名);
    documentCounters().load();
}

void LoginWindow::login()
{
    const LoginResult result = checkLogin(ui->编辑框_登陆_用户名->text(), ui->编辑框_登陆_密码->text());
    switch (result.outcome) {
    case LoginResult::Outcome::Unreadable:
        platform::messageBox(QStringLiteral("系统数据库不存在或无法打开!程序将退出.\n") + result.error);
        platform::endProgram(0);
        return;
    case LoginResult::Outcome::Refused:
        refuse();
        return;
    case LoginResult::Outcome::LoggedIn:
        break;
    }
    currentOperator() = result.op;
    auto *main = new MainWindow(m_parts);
    main->show();
    hide();
    deleteLater();
}

void LoginWindow::refuse()
{
    ++m_failedLogins;
    platform::messageBox(QStringLiteral("用户名或密码错误!请仔细检查后再次登陆."),
                         QStringLiteral("第%1次错误").arg(m_failedLogins));
    if (m_failedLogins >= allowedFailures) {
        platform::endProgram(0);
        return;
    }
    platform::setFocus(ui->编辑框_登陆_密码);
    ui->编辑框_登陆_密码->selectAll();
}

void LoginWindow::cancel()
{
    platform::endProgram(0);
}

} // namespace frame
