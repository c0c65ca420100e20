#pragma once

#include <QWidget>

namespace desk {

class ShippingListPage final : public QWidget
{
    Q_OBJECT

public:
    explicit ShippingListPage(QWidget *parent = nullptr);
};

} // namespace desk
