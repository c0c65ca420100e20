#pragma once

#include "frame/main_window.h"
#include "goods/picking_store.h"

#include <memory>

namespace Ui {
class PickingWindow;
}

namespace goods {

// 检货窗口: the picking desk, where the goods actually inspected and measured are recorded and
// queued for the order desk.
class PickingWindow final : public frame::ChildWindow
{
    Q_OBJECT

public:
    explicit PickingWindow(frame::MainWindow &main);
    ~PickingWindow() override;

    // Shows the page 检货基本信息, ready for a new picking.
    void showPickingPage();

private:
    void savePicking();
    void resetPickingEntryPage();
    Picking enteredPicking() const;

    std::unique_ptr<Ui::PickingWindow> ui;
};

// The menu item 检货基本信息: opens the picking desk on its entry page.
void openPickingWindow(frame::MainWindow &main);

} // namespace goods
