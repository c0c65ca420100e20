#include "desk/order_entry_page.h"

namespace desk {

OrderEntryPage::OrderEntryPage(QWidget *parent) : QWidget(parent) {}

} // namespace desk
