#pragma once

#include <QString>

namespace goods {

// The filter text of the last inbound-goods query, kept for the whole run and empty at start-up.
// The list's rows are the records of 外地入埠货物 under this filter, so the row display and the
// picked-up correction find a row's record through it.
QString &inboundGoodsFilter();

} // namespace goods
