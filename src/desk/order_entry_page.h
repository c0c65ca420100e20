#pragma once

#include <QWidget>
#include <memory>

class QModelIndex;

namespace frame {
class MainWindow;
}

namespace Ui {
class OrderEntryPage;
}

namespace desk {

// 业务单录入, page 2 of the main window: the order form and, below it, the pickings that wait in
// the queue to be taken into an order.
class OrderEntryPage final : public QWidget
{
    Q_OBJECT

public:
    explicit OrderEntryPage(frame::MainWindow &main);
    ~OrderEntryPage() override;

    void openOrderEntryPage();
    // Rebuilds the pending list from the whole queue table; shows no message on any path.
    void refreshPendingPickingList();

private:
    void takePickingIntoOrder(const QModelIndex &index);
    void leaveOrderEntryPage();

    std::unique_ptr<Ui::OrderEntryPage> ui;
    frame::MainWindow &m_main;
};

} // namespace desk
