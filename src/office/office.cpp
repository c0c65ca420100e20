#include "office/office.h"

#include "frame/main_window.h"
#include "office/back_office_page.h"

namespace office {

void attachToMainWindow(frame::MainWindow &main)
{
    main.setPage(7, new BackOfficePage(&main));
}

} // namespace office
