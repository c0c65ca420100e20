// Saves killed at random moments: scripts/soak.sh starts `freightdesk_soak --run DIR`, which
// drives the real windows through pickings, stock-outs, shipping lists and takes until it is
// killed, then `freightdesk_soak --check DIR`, which says whether the data survived whole.
// Every save the program confirmed is logged (after its message), so a confirmed save that the
// files do not hold is found too. Not a test: its rounds take minutes.
#include "desk_driver.h"
#include "raw_sqlite.h"

#include "desk/shipping_list_store.h"
#include "platform/program_directory.h"
#include "platform/sheet_grid.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSet>
#include <QStyleFactory>

#include <cstdio>
#include <map>
#include <set>
#include <stdexcept>
#include <unistd.h>

namespace {

const QString saved = QStringLiteral("保存成功!");

QString dataPath(const QString &dir, const char *file)
{
    return QDir(dir).filePath(QStringLiteral("data/") + QString::fromUtf8(file));
}

// One line per confirmed save, on disk before the next click.
class SaveLog
{
public:
    explicit SaveLog(const QString &dir) : m_file(QDir(dir).filePath(QStringLiteral("soak-log.txt")))
    {
        if (!m_file.open(QIODevice::Append | QIODevice::Text))
            throw std::runtime_error("cannot open the save log");
    }
    void write(const QStringList &fields)
    {
        m_file.write((fields.join(u'\t') + u'\n').toUtf8());
        m_file.flush();
        ::fsync(m_file.handle());
    }

private:
    QFile m_file;
};

bool confirmed(bench::Desk &desk)
{
    return desk.takeMessages().contains(saved);
}

void savePicking(bench::Desk &desk, SaveLog &log, QRandomGenerator &random)
{
    desk.openPickingWindow();
    desk.typePicking(QStringLiteral("货%1").arg(random.bounded(1000)), 1 + random.bounded(20), 1 + random.bounded(500),
                     1 + random.bounded(50));
    const QString number = desk.text(QStringLiteral("编辑框_检货信息_检货号"));
    desk.savePicking();
    if (confirmed(desk))
        log.write({QStringLiteral("picking"), number});
    desk.closeChildWindow();
}

void saveStockOut(bench::Desk &desk, SaveLog &log, QRandomGenerator &random)
{
    desk.openStockOut();
    QStringList orders;
    for (int i = 0, n = 1 + random.bounded(3); i < n; ++i) {
        orders.append(QStringLiteral("SO%1-%2").arg(::getpid()).arg(random.generate64() % 1000000000));
        desk.addStockOutLine({orders.last(), QStringLiteral("货物"), QStringLiteral("3"), QStringLiteral("0"),
                              QStringLiteral("20"), QStringLiteral("2")});
    }
    desk.saveStockOut();
    if (confirmed(desk))
        for (const QString &order : orders)
            log.write({QStringLiteral("stockout"), order});
    desk.closeChildWindow();
}

void saveShippingList(bench::Desk &desk, SaveLog &log)
{
    desk.openShippingList();
    desk.getTodaysShippingList();
    const QString number = desk.text(QStringLiteral("编辑框_发货清单_发货清单号"));
    desk.saveShippingList();
    if (confirmed(desk))
        log.write({QStringLiteral("list"), number});
    desk.leaveShippingList();
}

void takePicking(bench::Desk &desk, QRandomGenerator &random)
{
    desk.openOrderEntry();
    desk.refreshPendingPickings();
    if (const int rows = desk.pendingRows(); rows > 0) {
        desk.takePendingPicking(random.bounded(rows));
        desk.takeMessages();
    }
    desk.leaveOrderEntry();
}

[[noreturn]] void runUntilKilled(const QString &dir)
{
    platform::setProgramDirectory(dir);
    SaveLog log(dir);
    bench::Desk desk(QStringLiteral("admin"), QStringLiteral("admin"));
    QRandomGenerator random(quint32(::getpid()));
    for (;;) {
        switch (random.bounded(6)) {
        case 0:
        case 1:
            savePicking(desk, log, random);
            break;
        case 2:
        case 3:
            saveStockOut(desk, log, random);
            break;
        case 4:
            saveShippingList(desk, log);
            break;
        default:
            takePicking(desk, random);
            break;
        }
    }
}

// What one check found wrong; empty when the data is whole.
class Findings
{
public:
    void expect(bool holds, const QString &what)
    {
        if (!holds)
            m_problems.append(what);
    }
    int report() const
    {
        for (const QString &problem : m_problems)
            std::printf("FAULT: %s\n", qPrintable(problem));
        return m_problems.isEmpty() ? 0 : 1;
    }

private:
    QStringList m_problems;
};

QSet<QString> asSet(const std::vector<std::string> &texts)
{
    QSet<QString> set;
    for (const std::string &t : texts)
        set.insert(QString::fromStdString(t));
    return set;
}

QList<QStringList> logLines(const QString &dir)
{
    QFile file(QDir(dir).filePath(QStringLiteral("soak-log.txt")));
    QList<QStringList> lines;
    if (file.open(QIODevice::ReadOnly | QIODevice::Text))
        for (const QByteArray &line : file.readAll().split('\n'))
            if (!line.isEmpty())
                lines.append(QString::fromUtf8(line).split(u'\t'));
    return lines;
}

int check(const QString &dir)
{
    platform::setProgramDirectory(dir);
    // What the shipping-list page does when it next opens: a sheet whose list committed takes its name.
    desk::clearInterruptedSaves();
    Findings found;
    for (const char *file : {"system.mdb", "main.mdb", "ywzhxx.mdb"}) {
        bench::RawDb db(dataPath(dir, file).toStdString());
        found.expect(db.column("PRAGMA integrity_check") == std::vector<std::string>{"ok"},
                     QStringLiteral("integrity of %1").arg(QString::fromUtf8(file)));
    }
    bench::RawDb main(dataPath(dir, "main.mdb").toStdString());
    bench::RawDb lists(dataPath(dir, "ywzhxx.mdb").toStdString());
    bench::RawDb system(dataPath(dir, "system.mdb").toStdString());

    const auto pickings = main.column("SELECT 检货号 FROM 检货及仓库");
    const QSet<QString> pickingNumbers = asSet(pickings);
    found.expect(int(pickingNumbers.size()) == int(pickings.size()), QStringLiteral("a picking number issued twice"));
    found.expect(main.number("SELECT count(*) FROM 检货临时库 WHERE 检货号 NOT IN (SELECT 检货号 FROM 检货及仓库)") ==
                     0,
                 QStringLiteral("a queued picking without its record"));
    // Taken and queued exclude each other: a take deletes the queued record and numbers the picking together.
    found.expect(main.number("SELECT count(*) FROM 检货及仓库 WHERE (业务单号 IS NOT NULL AND 业务单号 <> '') = "
                             "(检货号 IN (SELECT 检货号 FROM 检货临时库))") == 0,
                 QStringLiteral("a picking both taken and queued, or neither"));
    const QString pickingNow = QString::fromStdString(system.column("SELECT 检货号 FROM 累加单号值").at(0));
    found.expect(!pickingNumbers.contains(pickingNow),
                 QStringLiteral("the next picking number %1 is issued").arg(pickingNow));
    found.expect(system.number("SELECT 检货号 FROM 开单次数") == 1 + qint64(pickings.size()),
                 QStringLiteral("the picking count is not one past the pickings saved"));

    const auto listRows = lists.column("SELECT 发货清单号 FROM 发货清单");
    const QSet<QString> listNumbers = asSet(listRows);
    found.expect(int(listNumbers.size()) == int(listRows.size()), QStringLiteral("a list number issued twice"));
    const QString listNow = QString::fromStdString(system.column("SELECT 发货清单号 FROM 累加单号值").at(0));
    found.expect(!listNumbers.contains(listNow), QStringLiteral("the next list number %1 is issued").arg(listNow));
    found.expect(system.number("SELECT 发货清单号 FROM 开单次数") == 1 + qint64(listRows.size()),
                 QStringLiteral("the list count is not one past the lists saved"));

    const QDir sheets(QDir(dir).filePath(QStringLiteral("grd_fhqd")));
    QSet<QString> sheetNumbers;
    std::map<QString, int> linesSeen; // every stock-out line on a sheet or still queued, by order number
    for (const QString &name : sheets.entryList({QStringLiteral("*.grd")}, QDir::Files)) {
        sheetNumbers.insert(name.chopped(4));
        platform::Sheet sheet;
        found.expect(sheet.load(sheets.filePath(name)), QStringLiteral("sheet %1 does not load").arg(name));
        for (int row = 4; row <= sheet.rowCount(); ++row)
            ++linesSeen[sheet.text(row, 1)];
    }
    found.expect(sheets.entryList({QStringLiteral("*.tmp")}, QDir::Files).isEmpty(),
                 QStringLiteral("a temporary sheet survived"));
    found.expect(sheetNumbers == listNumbers, QStringLiteral("sheets and lists differ: %1 sheets, %2 lists")
                                                  .arg(sheetNumbers.size())
                                                  .arg(listNumbers.size()));
    for (const std::string &order : main.column("SELECT 业务单号 FROM 出库临时表"))
        ++linesSeen[QString::fromStdString(order)];
    for (const auto &[order, times] : linesSeen)
        found.expect(times == 1,
                     QStringLiteral("stock-out line %1 is %2 times on lists or queued").arg(order).arg(times));

    for (const QStringList &line : logLines(dir)) {
        const QString kind = line.value(0), value = line.value(1);
        if (kind == QLatin1String("picking"))
            found.expect(pickingNumbers.contains(value), QStringLiteral("confirmed picking %1 is lost").arg(value));
        else if (kind == QLatin1String("stockout"))
            found.expect(linesSeen.count(value) == 1, QStringLiteral("confirmed stock-out line %1 is lost").arg(value));
        else if (kind == QLatin1String("list"))
            found.expect(listNumbers.contains(value), QStringLiteral("confirmed list %1 is lost").arg(value));
    }
    std::printf("%lld pickings (%lld queued), %lld lists, %lld queued stock-out lines\n", (long long)pickings.size(),
                main.number("SELECT count(*) FROM 检货临时库"), (long long)listRows.size(),
                main.number("SELECT count(*) FROM 出库临时表"));
    return found.report();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QStringList args = QApplication::arguments();
    if (args.size() != 3 || (args[1] != QLatin1String("--run") && args[1] != QLatin1String("--check"))) {
        std::fprintf(stderr, "usage: freightdesk_soak --run DIR | --check DIR\n");
        return 2;
    }
    try {
        if (args[1] == QLatin1String("--run"))
            runUntilKilled(args[2]);
        return check(args[2]);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "soak failed: %s\n", e.what());
        return 2;
    }
}
