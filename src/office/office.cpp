#include "office/office.h"

#include "frame/main_window.h"
#include "office/back_office_page.h"

#include <QAction>

namespace office {

void attachToMainWindow(frame::MainWindow &main)
{
    auto *backOffice = new BackOfficePage(main);
    main.setPage(7, backOffice);
    QObject::connect(&main.menuItems().菜单_人资后勤_后勤支出, &QAction::triggered, backOffice,
                     &BackOfficePage::openBackOfficePage);
}

} // namespace office
