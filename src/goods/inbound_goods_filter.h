#pragma once

#include <QString>

namespace goods {

// The filter text of the last inbound-goods query, kept for the whole run and empty at start-up.
// The listed rows are the records of 外地入埠货物 under this filter, each kept with its identity,
// so the row display and the picked-up correction reach exactly the record a row lists.
QString &inboundGoodsFilter();

} // namespace goods
