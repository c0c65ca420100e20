#pragma once

#include "platform/write_session.h"

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

    QString number(DocumentKind kind) const { return m_numbers[index(kind)]; }
    qint64 count(DocumentKind kind) const { return m_counts[index(kind)]; }

    // The file a save attaches (see counterAttachment) so that its document and the advanced
    // number commit together.
    static platform::WriteSession::Attachment counterAttachment();
    // Within a save: the count goes up by one and its digits overwrite the number text (see
    // advancedNumberText), written to system.mdb in the session's transaction; the numbers here
    // move only once the session commits, so a number is never issued twice. Counters that
    // could not be loaded (the operator types numbers by hand) advance nothing and fail nothing.
    bool nextDocumentNumber(platform::WriteSession &session, DocumentKind kind);

private:
    static int index(DocumentKind kind) { return int(kind); }

    std::array<QString, 4> m_numbers;
    std::array<qint64, 4> m_counts{};
    bool m_loaded = false;
};

// The number text with the count's decimal digits ending at character 9; a shorter text is
// first filled up with zeros to nine characters. A count of more than nine digits keeps every
// digit: they take the first characters and the text after character 9 follows them.
QString advancedNumberText(const QString &number, qint64 count);

// The column of 累加单号值 and 开单次数 that holds a kind.
QString documentColumn(DocumentKind kind);

} // namespace frame
