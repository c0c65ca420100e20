#include "goods/inbound_goods_page.h"

namespace goods {

InboundGoodsPage::InboundGoodsPage(QWidget *parent) : QWidget(parent) {}

} // namespace goods
