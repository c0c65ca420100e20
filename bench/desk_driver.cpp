#include "desk_driver.h"

#include "desk/desk.h"
#include "frame/login_window.h"
#include "frame/main_window.h"
#include "goods/goods.h"
#include "office/office.h"
#include "settings/settings.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>

#include <stdexcept>

namespace bench {

namespace {

const QString pendingTimer = QStringLiteral("时钟_待处理检货信息刷新");
const QString inboundList = QStringLiteral("超级列表框_外地入埠_查询列表");
const QString pendingList = QStringLiteral("超级列表框_受理_待处理的检货信息");

// Every window the bench opens: its units are looked up under these and the main window.
const QStringList childWindowNames = {QStringLiteral("检货窗口"), QStringLiteral("仓库窗口"),
                                      QStringLiteral("系统菜单窗口")};

template <typename T> T *named(const QObject *root, const QString &name)
{
    T *found = root ? root->findChild<T *>(name) : nullptr;
    if (!found)
        throw std::runtime_error("no unit " + name.toStdString());
    return found;
}

// The main window that the login opened, if any.
frame::MainWindow *openedMainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *main = qobject_cast<frame::MainWindow *>(w))
            return main;
    return nullptr;
}

frame::MainWindow &mainWindow()
{
    if (!openedMainWindow())
        throw std::runtime_error("no main window");
    return *openedMainWindow();
}

// A unit of the open child window, or else of the main window.
template <typename T> T *unitOf(QWidget *child, const QString &name)
{
    return named<T>(child ? static_cast<QObject *>(child) : &mainWindow(), name);
}

} // namespace

Desk::Desk(const QString &account, const QString &password)
{
    auto *login = new frame::LoginWindow({&desk::attachToMainWindow, &goods::attachToMainWindow,
                                          &office::attachToMainWindow, &settings::attachToMainWindow});
    login->show();
    named<QLineEdit>(login, QStringLiteral("编辑框_登陆_用户名"))->setText(account);
    named<QLineEdit>(login, QStringLiteral("编辑框_登陆_密码"))->setText(password);
    named<QPushButton>(login, QStringLiteral("按钮_登陆_登陆确定"))->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!takeMessages().isEmpty())
        throw std::runtime_error("login refused");
    // The page's own minute tick would land inside whichever click is being timed.
    named<QTimer>(&mainWindow(), pendingTimer)->stop();
    settle();
}

Desk::~Desk()
{
    closeChildWindow();
    delete openedMainWindow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Desk::settle()
{
    QCoreApplication::processEvents();
}

QStringList Desk::takeMessages()
{
    const QStringList texts = m_messages.texts();
    m_messages.clear();
    return texts;
}

QWidget *Desk::childWindow() const
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && childWindowNames.contains(w->objectName()))
            return w;
    return nullptr;
}

void Desk::closeChildWindow()
{
    if (QWidget *window = childWindow())
        window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QAbstractItemView *Desk::list(const QString &name) const
{
    return unitOf<QAbstractItemView>(childWindow(), name);
}

void Desk::click(const QString &name) const
{
    unitOf<QPushButton>(childWindow(), name)->click();
}

void Desk::type(const QString &name, const QString &text) const
{
    unitOf<QLineEdit>(childWindow(), name)->setText(text);
}

void Desk::trigger(const QString &menuItem) const
{
    named<QAction>(&mainWindow(), menuItem)->trigger();
    if (!childWindow() && mainWindow().pages()->currentIndex() == 0)
        throw std::runtime_error("menu item opened nothing: " + menuItem.toStdString());
}

void Desk::openOperatorManagement()
{
    closeChildWindow();
    trigger(QStringLiteral("菜单_系统_操作员管理"));
}

void Desk::listOperators()
{
    click(QStringLiteral("按钮_操作员_列出用户"));
}

int Desk::operatorRows() const
{
    return list(QStringLiteral("超级列表框_操作员_帐号列表"))->model()->rowCount();
}

void Desk::openPickingWindow()
{
    closeChildWindow();
    trigger(QStringLiteral("菜单_检货处_检货基本信息"));
}

void Desk::typePicking(const QString &goods, int pieces, int weight, int volume)
{
    type(QStringLiteral("编辑框_检货信息_货物名称"), goods);
    type(QStringLiteral("编辑框_检货信息_实际件数"), QString::number(pieces));
    type(QStringLiteral("编辑框_检货信息_实际重量"), QString::number(weight));
    type(QStringLiteral("编辑框_检货信息_实际体积"), QString::number(volume));
}

void Desk::savePicking()
{
    click(QStringLiteral("按钮_检货信息_保存"));
}

void Desk::openInboundGoods()
{
    closeChildWindow();
    trigger(QStringLiteral("菜单_仓库_外地入埠货物管理"));
}

void Desk::typeInboundGoods(const QString &goods, const QString &origin, int pieces, const QString &receiver)
{
    type(QStringLiteral("编辑框_外地入埠_品名"), goods);
    type(QStringLiteral("编辑框_外地入埠_始发地"), origin);
    type(QStringLiteral("编辑框_外地入埠_件数"), QString::number(pieces));
    type(QStringLiteral("编辑框_外地入埠_提货人姓名"), receiver);
}

void Desk::saveInboundGoods()
{
    click(QStringLiteral("按钮_外地入埠_保存"));
}

void Desk::typeInboundQuery(const QString &from, const QString &to, bool notPickedUp)
{
    type(QStringLiteral("编辑框_外地入埠_从时间"), from);
    type(QStringLiteral("编辑框_外地入埠_到时间"), to);
    unitOf<QCheckBox>(childWindow(), QStringLiteral("选择框_外地入埠_未提货"))->setChecked(notPickedUp);
}

void Desk::clickInboundQuery()
{
    click(QStringLiteral("按钮_外地入埠_查询"));
}

int Desk::inboundRows() const
{
    return list(inboundList)->model()->rowCount();
}

void Desk::clearInboundSelection()
{
    list(inboundList)->clearSelection();
}

void Desk::selectInboundRow(int row)
{
    QAbstractItemView *view = list(inboundList);
    view->setCurrentIndex(view->model()->index(row, 0));
}

void Desk::tickPickedUp(bool pickedUp)
{
    unitOf<QCheckBox>(childWindow(), QStringLiteral("选择框_外地入埠_已提货"))->setChecked(pickedUp);
}

void Desk::openOrderEntry()
{
    trigger(QStringLiteral("菜单_受理_业务单录入"));
}

void Desk::leaveOrderEntry()
{
    click(QStringLiteral("按钮_受理_返回"));
}

void Desk::refreshPendingPickings()
{
    if (!QMetaObject::invokeMethod(named<QTimer>(&mainWindow(), pendingTimer), "timeout"))
        throw std::runtime_error("the pending list's timer did not tick");
}

int Desk::pendingRows() const
{
    return list(pendingList)->model()->rowCount();
}

void Desk::takePendingPicking(int row)
{
    QAbstractItemView *view = list(pendingList);
    emit view->doubleClicked(view->model()->index(row, 0));
}

void Desk::openStockOut()
{
    closeChildWindow();
    trigger(QStringLiteral("菜单_仓库_出库"));
}

void Desk::addStockOutLine(const QStringList &cells)
{
    click(QStringLiteral("按钮_出库_添加行"));
    auto *grid = unitOf<QTableWidget>(childWindow(), QStringLiteral("高级表格_出库"));
    for (int column = 0; column < cells.size(); ++column)
        grid->setItem(grid->rowCount() - 1, column, new QTableWidgetItem(cells[column]));
}

void Desk::saveStockOut()
{
    click(QStringLiteral("按钮_出库_保存出库信息"));
}

QString Desk::text(const QString &box) const
{
    return unitOf<QLineEdit>(childWindow(), box)->text();
}

void Desk::openShippingList()
{
    trigger(QStringLiteral("菜单_受理_发货清单录入"));
}

void Desk::leaveShippingList()
{
    click(QStringLiteral("按钮_发货清单_返回"));
}

void Desk::getTodaysShippingList()
{
    click(QStringLiteral("按钮_发货清单_获取当日出货清单"));
}

void Desk::saveShippingList()
{
    click(QStringLiteral("按钮_发货清单_保存"));
}

} // namespace bench
