#include "goods/stock_out_page.h"

namespace goods {

StockOutPage::StockOutPage(QWidget *parent) : QWidget(parent) {}

} // namespace goods
