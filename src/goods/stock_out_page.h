#pragma once

#include "goods/stock_out_store.h"

#include <QWidget>
#include <memory>

namespace Ui {
class StockOutPage;
}

namespace goods {

// Page 出库 of the warehouse window: the goods lines released from the warehouse, queued for
// the next shipping list.
class StockOutPage final : public QWidget
{
    Q_OBJECT

public:
    explicit StockOutPage(QWidget *parent);
    ~StockOutPage() override;

private:
    void appendStockOutRow();
    void saveStockOut();
    QList<StockOutLine> gridLines() const;

    std::unique_ptr<Ui::StockOutPage> ui;
};

} // namespace goods
