#include "platform/text_conversions.h"

#include <QRegularExpression>
#include <limits>

namespace platform {

namespace {
const QString storageFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
} // namespace

int textToInt(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(R"(^([+-]?)(\d+)(?:\.\d*)?$|^([+-]?)\.\d+$)"));
    const QRegularExpressionMatch m = number.match(text.trimmed());
    if (!m.hasMatch() || m.captured(2).isEmpty())
        return 0;
    const bool negative = m.captured(1) == QLatin1String("-");
    // Accumulate with a ceiling so that any number of digits clamps instead of overflowing.
    const qint64 ceiling = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 value = 0;
    for (const QChar c : m.captured(2)) {
        value = value * 10 + c.digitValue();
        if (value > ceiling) {
            value = ceiling;
            break;
        }
    }
    if (negative)
        return value >= ceiling ? std::numeric_limits<int>::min() : int(-value);
    return value >= ceiling ? std::numeric_limits<int>::max() : int(value);
}

QDateTime textToDateTime(const QString &text)
{
    static const QRegularExpression chinese(
        QStringLiteral(R"(^(\d{4})年(\d{1,2})月(\d{1,2})日(?:(\d{1,2})时(\d{1,2})分(\d{1,2})秒)?$)"));
    static const QRegularExpression numeric(
        QStringLiteral(R"(^(\d{4})([-/])(\d{1,2})\2(\d{1,2})(?: +(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?$)"));
    const QString trimmed = text.trimmed();
    int y, mo, d, h = 0, mi = 0, s = 0;
    if (const auto m = chinese.match(trimmed); m.hasMatch()) {
        y = m.captured(1).toInt(), mo = m.captured(2).toInt(), d = m.captured(3).toInt();
        if (m.hasCaptured(4))
            h = m.captured(4).toInt(), mi = m.captured(5).toInt(), s = m.captured(6).toInt();
    } else if (const auto n = numeric.match(trimmed); n.hasMatch()) {
        y = n.captured(1).toInt(), mo = n.captured(3).toInt(), d = n.captured(4).toInt();
        if (n.hasCaptured(5))
            h = n.captured(5).toInt(), mi = n.captured(6).toInt();
        if (n.hasCaptured(7))
            s = n.captured(7).toInt();
    } else {
        return {};
    }
    const QDate date(y, mo, d);
    const QTime time(h, mi, s);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

QString valueToText(const QDateTime &value)
{
    if (!value.isValid())
        return {};
    const QDate d = value.date();
    const QTime t = value.time();
    // A year below 1000 keeps four digits, the form that reads back as a date.
    QString text = QStringLiteral("%1年%2月%3日").arg(d.year(), 4, 10, QLatin1Char('0')).arg(d.month()).arg(d.day());
    if (t != QTime(0, 0))
        text += QStringLiteral("%1时%2分%3秒").arg(t.hour()).arg(t.minute()).arg(t.second());
    return text;
}

QString valueToText(int value)
{
    return QString::number(value);
}

QString dateText(const QDate &date)
{
    return valueToText(QDateTime(date, QTime(0, 0)));
}

QString dateTimeToStorage(const QDateTime &value)
{
    return value.isValid() ? value.toString(storageFormat) : QString();
}

QDateTime dateTimeFromStorage(const QString &stored)
{
    // Read by hand: Qt's ISO reader is barely slower but also takes 'T', offsets, fractions of a
    // minute and 24:00:00, none of them a stored form; ruling those out would repeat these checks.
    if (stored.size() != 19 || stored[4] != u'-' || stored[7] != u'-' || stored[10] != u' ' || stored[13] != u':' ||
        stored[16] != u':')
        return {};
    const auto field = [&stored](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const char16_t c = stored[i].unicode();
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    const int year = field(0, 4);
    const QDate date(year, field(5, 2), field(8, 2));
    const QTime time(field(11, 2), field(14, 2), field(17, 2));
    if (year < 0 || !date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time);
}

} // namespace platform
