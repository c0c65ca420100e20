#pragma once

#include <QWidget>
#include <memory>

namespace frame {
class MainWindow;
}

namespace Ui {
class BackOfficePage;
}

namespace office {

// Page 7 of 选择夹_功能集, 后勤支出: the back-office expenses. While it is shown the main window's
// menus and toolbar are disabled; its exit button leads back to the start page.
class BackOfficePage final : public QWidget
{
    Q_OBJECT

public:
    explicit BackOfficePage(frame::MainWindow &main);
    ~BackOfficePage() override;

    // Shows the page as it was left: its boxes are not cleared.
    void openBackOfficePage();
    void leaveBackOfficePage();

private:
    std::unique_ptr<Ui::BackOfficePage> ui;
    frame::MainWindow &m_main;
};

} // namespace office
