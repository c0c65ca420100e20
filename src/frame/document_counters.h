#pragma once

#include <QString>
#include <array>

namespace frame {

enum class DocumentKind { Order, Picking, ShippingList, Dispatch };

// The current number text and issue count of each document kind, kept in system.mdb.
class DocumentCounters
{
public:
    // Reads both tables; tells the operator when they cannot be read (the numbers then stay empty).
    bool load();
    // Writes every number and count back.
    bool save() const;
    bool isLoaded() const { return m_loaded; }

    QString number(DocumentKind kind) const { return m_numbers[index(kind)]; }
    int count(DocumentKind kind) const { return m_counts[index(kind)]; }

    // After a document is saved: the count goes up by one and its digits overwrite the number
    // text so that they end at character 9. Written to system.mdb at once, so a number is never
    // issued twice, whatever happens to the program afterwards.
    bool nextDocumentNumber(DocumentKind kind);

private:
    static int index(DocumentKind kind) { return int(kind); }

    std::array<QString, 4> m_numbers;
    std::array<int, 4> m_counts{};
    bool m_loaded = false;
};

// The number text with the count's decimal digits ending at character 9; a shorter text is
// first filled up with zeros to nine characters.
QString advancedNumberText(const QString &number, int count);

// The column of 累加单号值 and 开单次数 that holds a kind.
QString documentColumn(DocumentKind kind);

} // namespace frame
