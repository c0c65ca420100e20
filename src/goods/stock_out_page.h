#pragma once

#include <QWidget>

namespace goods {

class StockOutPage final : public QWidget
{
    Q_OBJECT

public:
    explicit StockOutPage(QWidget *parent = nullptr);
};

} // namespace goods
