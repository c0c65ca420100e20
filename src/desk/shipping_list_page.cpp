#include "desk/shipping_list_page.h"

namespace desk {

ShippingListPage::ShippingListPage(QWidget *parent) : QWidget(parent) {}

} // namespace desk
