#pragma once

#include <QWidget>

namespace desk {

class OrderEntryPage final : public QWidget
{
    Q_OBJECT

public:
    explicit OrderEntryPage(QWidget *parent = nullptr);
};

} // namespace desk
