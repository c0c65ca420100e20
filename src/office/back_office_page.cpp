#include "office/back_office_page.h"

namespace office {

BackOfficePage::BackOfficePage(QWidget *parent) : QWidget(parent) {}

} // namespace office
