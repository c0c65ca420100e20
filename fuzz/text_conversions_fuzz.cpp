// A typed or stored text through the conversions: a number reads as its integer, and every
// date-time that a text yields survives its shown text and its stored text.
#include "fuzz_check.h"
#include "platform/text_conversions.h"

#include <algorithm>
#include <limits>

using namespace platform;

namespace {

void requireDateRoundTrips(const QDateTime &value)
{
    if (!value.isValid())
        return;
    require(textToDateTime(valueToText(value)) == value, "a date's shown text reads back as the date");
    require(dateTimeFromStorage(dateTimeToStorage(value)) == value, "a stored date reads back as the date");
    require(textToDateTime(dateTimeToStorage(value)) == value, "a stored date typed back reads as the date");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    const int number = textToInt(text);
    require(textToInt(valueToText(number)) == number, "an integer's text reads back as the integer");
    // Qt's own reading of whole numbers as the reference; it stops at a NUL, which textToInt refuses.
    bool whole = false;
    const qlonglong exact = text.toLongLong(&whole);
    if (whole && !text.contains(QChar::Null))
        require(number ==
                    std::clamp<qlonglong>(exact, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()),
                "a whole number reads as itself, clamped to the integer range");

    requireDateRoundTrips(textToDateTime(text));
    const QDateTime stored = dateTimeFromStorage(text);
    requireDateRoundTrips(stored);
    require(!stored.isValid() || dateTimeToStorage(stored) == text, "a stored date has one stored text");
    return 0;
}
