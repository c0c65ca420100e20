#pragma once

#include <QWidget>

namespace office {

class BackOfficePage final : public QWidget
{
    Q_OBJECT

public:
    explicit BackOfficePage(QWidget *parent = nullptr);
};

} // namespace office
