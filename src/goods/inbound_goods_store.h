#pragma once

#include "platform/record_listing.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <variant>

namespace goods {

// One record of 外地入埠货物: goods that arrived from elsewhere for local pick-up or delivery.
struct InboundGoods {
    QString name;          // 品名
    QString origin;        // 始发地
    QDateTime arrival;     // 到达日期; invalid: no date
    QString receiver;      // 入库人
    QString pickUpWay;     // 提货方式, as stored: a way the page's list does not offer stays as it is
    QString packing;       // 原包装
    int pieces = 0;        // 件数
    int weight = 0;        // 重量
    int volume = 0;        // 体积
    QString pickerName;    // 提货人姓名
    QString pickerPhone;   // 提货人电话
    QString pickerCompany; // 提货人单位
    QString pickerAddress; // 提货人地址
    QDateTime pickUpDate;  // 提货日期; invalid: no date
    QString releasedBy;    // 出库人
    bool pickedUp = false; // 已提货 is "是"; read only: a new record gets the table's default

    bool operator==(const InboundGoods &) const = default;
};

// One value of InboundGoods, of whichever type its column has.
using InboundGoodsMember = std::variant<QString InboundGoods::*, int InboundGoods::*, QDateTime InboundGoods::*>;

// A listed record and its identity in the table, which later steps use to reach exactly it.
struct ListedInboundGoods {
    qint64 id = -1;
    InboundGoods goods;
};

// Appends the record with every column but 已提货.
bool appendInboundGoods(const InboundGoods &goods);

// The condition of a listing: arrival strictly between from and to, as typed (each taken as a
// literal, so typed text cannot change the condition), and the picked-up flag.
QString inboundGoodsCondition(const QString &from, const QString &to, bool pickedUp);

// The records matching the condition, in table order; an unreadable file or table lists none.
platform::RecordListing listInboundGoods(const QString &condition);

// A row of the listing: its record as the listing read it, with its identity.
ListedInboundGoods listedInboundGoodsAt(const platform::RecordListing &listing, int row);

// The record with the identity as it is now; nothing when it has gone.
std::optional<InboundGoods> readInboundGoods(qint64 id);

// Writes 已提货 ("是" or "否") of a listed record; fails when the record has gone or was changed
// since it was listed, so the flag is never written on a record the operator did not see.
bool writePickedUpFlag(const ListedInboundGoods &listed, bool pickedUp);

} // namespace goods
