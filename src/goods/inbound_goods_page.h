#pragma once

#include "goods/inbound_goods_store.h"

#include <QWidget>
#include <memory>

namespace Ui {
class InboundGoodsPage;
}

namespace goods {

// Page 外地入埠 of 仓库窗口: goods that arrived from other places for local pick-up or delivery.
// It appends their records, lists them by arrival date and picked-up flag, shows the record
// behind a listed row and corrects that record's picked-up flag.
class InboundGoodsPage final : public QWidget
{
    Q_OBJECT

public:
    explicit InboundGoodsPage(QWidget *parent = nullptr);
    ~InboundGoodsPage() override;

    // The boxes that the page's opener fills: arrival date, receiver and pick-up date.
    void fillOpeningBoxes(const QString &now, const QString &operatorName);

    void saveInboundGoods();
    void showInboundGoodsRecord();
    // The two-mode button: its caption says whether it lists or corrects the picked-up flag.
    void queryInboundGoods();

private:
    void queryStep();
    void modifyStep();
    InboundGoods shownGoods() const;
    void showGoods(const InboundGoods &goods);

    std::unique_ptr<Ui::InboundGoodsPage> ui;
};

} // namespace goods
