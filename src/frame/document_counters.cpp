#include "frame/document_counters.h"

#include "frame/db_access.h"
#include "platform/message_box.h"

namespace frame {

namespace {

constexpr int numberEnd = 9;
constexpr std::array kinds = {DocumentKind::Order, DocumentKind::Picking, DocumentKind::ShippingList,
                              DocumentKind::Dispatch};

const QString countersAlias = QStringLiteral("counters");
const QString numbersTable = QStringLiteral("累加单号值");
const QString countsTable = QStringLiteral("开单次数");

// Writes the numbers and counts of the given kinds into the session's tables of the counters.
template <typename Kinds>
bool writeCounters(platform::WriteSession &session, const QString &prefix, const Kinds &which,
                   const std::array<QString, 4> &numbers, const std::array<qint64, 4> &counts)
{
    platform::Recordset &rs = session.records();
    if (!session.openTable(prefix + numbersTable) || !rs.moveFirst())
        return false;
    for (DocumentKind kind : which)
        rs.writeText(documentColumn(kind), numbers[int(kind)]);
    if (!rs.update() || !session.openTable(prefix + countsTable) || !rs.moveFirst())
        return false;
    for (DocumentKind kind : which)
        rs.write(documentColumn(kind), counts[int(kind)]);
    return rs.update();
}

} // namespace

QString documentColumn(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Order:
        return QStringLiteral("业务单号");
    case DocumentKind::Picking:
        return QStringLiteral("检货号");
    case DocumentKind::ShippingList:
        return QStringLiteral("发货清单号");
    case DocumentKind::Dispatch:
        return QStringLiteral("调度单号");
    }
    return {};
}

QString advancedNumberText(const QString &number, qint64 count)
{
    const QString digits = QString::number(count);
    QString text = number;
    if (text.size() < numberEnd)
        text += QString(numberEnd - text.size(), u'0');
    const int start = qMax(0, numberEnd - int(digits.size()));
    return text.left(start) + digits + text.mid(numberEnd);
}

bool DocumentCounters::load()
{
    m_loaded = false;
    m_numbers.fill(QString());
    m_counts.fill(0);
    const QString manual = QStringLiteral("在录入各类单据的时候你得手动输入单号值了.");
    platform::Database db;
    if (!db.open(dataFilePath(QStringLiteral("system.mdb")))) {
        platform::messageBox(QStringLiteral("系统数据库连接失败!") + manual);
        return false;
    }
    platform::Recordset rs;
    rs.attach(db);
    if (!rs.openTable(numbersTable) || !rs.moveFirst()) {
        platform::messageBox(QStringLiteral("打开累加单号值表失败!") + manual);
        return false;
    }
    for (DocumentKind kind : kinds)
        m_numbers[index(kind)] = rs.readText(documentColumn(kind));
    if (rs.openTable(countsTable) && rs.moveFirst())
        for (DocumentKind kind : kinds)
            m_counts[index(kind)] = rs.read(documentColumn(kind)).toLongLong();
    m_loaded = true;
    return true;
}

bool DocumentCounters::save() const
{
    if (!m_loaded)
        return false;
    platform::WriteSession session(dataFilePath(QStringLiteral("system.mdb")));
    return writeCounters(session, QString(), kinds, m_numbers, m_counts) && session.commit();
}

platform::WriteSession::Attachment DocumentCounters::counterAttachment()
{
    return {countersAlias, dataFilePath(QStringLiteral("system.mdb"))};
}

bool DocumentCounters::nextDocumentNumber(platform::WriteSession &session, DocumentKind kind)
{
    if (!m_loaded)
        return true;
    auto numbers = m_numbers;
    auto counts = m_counts;
    const int i = index(kind);
    ++counts[i];
    numbers[i] = advancedNumberText(numbers[i], counts[i]);
    if (!writeCounters(session, countersAlias + u'.', std::array{kind}, numbers, counts))
        return false;
    session.afterCommit([this, i, number = numbers[i], count = counts[i]] {
        m_numbers[i] = number;
        m_counts[i] = count;
    });
    return true;
}

} // namespace frame
