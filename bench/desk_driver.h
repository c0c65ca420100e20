#pragma once

#include "platform/message_box.h"
#include "platform/program_end.h"

#include <QString>
#include <QStringList>

class QAbstractItemView;
class QWidget;

namespace bench {

// The program as its operator drives it: the real login window and main window, each window
// opened by its menu item and each unit reached by its unit name. The one file of the bench that
// knows the program's units, so the windows' insides can change under it.
class Desk
{
public:
    // Logs in through the login window; from then on message boxes are recorded, not shown.
    Desk(const QString &account, const QString &password);
    ~Desk();
    Desk(const Desk &) = delete;
    Desk &operator=(const Desk &) = delete;

    // Runs what a click left for the event loop (layout, painting), as the running program would.
    static void settle();
    // The message boxes shown since the last call.
    QStringList takeMessages();
    void closeChildWindow();

    void openOperatorManagement();
    void listOperators();
    int operatorRows() const;

    void openPickingWindow();
    void typePicking(const QString &goods, int pieces, int weight, int volume);
    void savePicking();

    // Opens the inbound-goods page anew, so its query button is back in its query mode.
    void openInboundGoods();
    void typeInboundGoods(const QString &goods, const QString &origin, int pieces, const QString &receiver);
    void saveInboundGoods();
    void typeInboundQuery(const QString &from, const QString &to, bool notPickedUp);
    // The page's two-mode button: a query, or the correction of the selected row's flag.
    void clickInboundQuery();
    int inboundRows() const;
    void clearInboundSelection();
    void selectInboundRow(int row);
    void tickPickedUp(bool pickedUp);

    void openOrderEntry();
    void leaveOrderEntry();
    // What the page's minute timer does.
    void refreshPendingPickings();
    int pendingRows() const;
    void takePendingPicking(int row);

    void openStockOut();
    // Adds a row to the stock-out grid and fills its six cells.
    void addStockOutLine(const QStringList &cells);
    void saveStockOut();

    // The text a box shows.
    QString text(const QString &box) const;

    void openShippingList();
    void leaveShippingList();
    void getTodaysShippingList();
    void saveShippingList();

private:
    QWidget *childWindow() const;
    QAbstractItemView *list(const QString &name) const;
    void click(const QString &name) const;
    void type(const QString &name, const QString &text) const;
    void trigger(const QString &menuItem) const;

    platform::MessageRecorder m_messages;
    platform::EndRecorder m_ends; // a request to end the program is kept, not carried out
};

} // namespace bench
