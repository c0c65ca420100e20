#pragma once

#include <QWidget>

namespace goods {

class InboundGoodsPage final : public QWidget
{
    Q_OBJECT

public:
    explicit InboundGoodsPage(QWidget *parent = nullptr);
};

} // namespace goods
