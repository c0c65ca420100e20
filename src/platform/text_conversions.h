#pragma once

#include <QDateTime>
#include <QString>

namespace platform {

// Typed text to a 32-bit integer: optional sign, digits, optional fraction (truncated toward
// zero), blanks around ignored; anything else gives 0; values beyond the range are clamped.
int textToInt(const QString &text);

// Typed text to a date-time; an invalid QDateTime means "no date".
// Accepts 2026年12月10日[8时5分3秒], 2026-12-10[ 8:05[:03]] and 2026/12/10[ 8:05[:03]].
QDateTime textToDateTime(const QString &text);

// The system's one date-time text form: 2026年12月10日8时5分3秒, or the date alone at midnight;
// the year always has four digits (0999年1月1日).
QString valueToText(const QDateTime &value);
QString valueToText(int value);

// A date in the system's text form: the date-time text of its midnight.
QString dateText(const QDate &date);

// How a date-time is kept in a DATETIME column (sortable).
QString dateTimeToStorage(const QDateTime &value);
QDateTime dateTimeFromStorage(const QString &stored);

} // namespace platform
