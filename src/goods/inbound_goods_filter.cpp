#include "goods/inbound_goods_filter.h"

namespace goods {

QString &inboundGoodsFilter()
{
    static QString filter;
    return filter;
}

} // namespace goods
