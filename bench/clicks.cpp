#include "clicks.h"

#include "desk_driver.h"

#include <QDir>

namespace bench {

namespace {

const QString saved = QStringLiteral("保存成功!");

std::string dataFile(const QString &programDirectory, const char *file)
{
    return QDir(programDirectory).filePath(QStringLiteral("data/") + file).toStdString();
}

RawDb &attached(RawDb &db, const std::string &path, const char *alias)
{
    db.read("ATTACH DATABASE ? AS " + std::string(alias), {path});
    return db;
}

// A click as the operator makes it: the handler, then what it left for the event loop.
std::function<void()> clicked(std::function<void()> action)
{
    return [action] {
        action();
        Desk::settle();
    };
}

// After each run: the messages must be exactly the expected ones.
std::function<void()> expectMessages(Desk &desk, QStringList expected, const char *click, QStringList &problems)
{
    return [&desk, expected, click, &problems] {
        const QStringList shown = desk.takeMessages();
        if (shown != expected)
            problems.append(
                QStringLiteral("%1: messages [%2], expected [%3]").arg(click, shown.join(u'|'), expected.join(u'|')));
    };
}

std::function<void()> sequence(std::function<void()> first, std::function<void()> second)
{
    return [first, second] {
        first();
        second();
    };
}

long long lastRowid(RawDb &db, const std::string &table)
{
    return db.number("SELECT coalesce(max(rowid), 0) FROM " + table);
}

std::string storedDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd 00:00:00")).toStdString();
}

// The inbound query's rows: arrived within the range and picked up, in table order.
const std::string inboundListed =
    " FROM 外地入埠货物 WHERE 到达日期 > ? AND 到达日期 < ? AND 已提货 = '是' ORDER BY rowid";
const std::string inboundColumns = "SELECT 品名, 始发地, 原包装, 件数, 提货人姓名, 提货人电话, 提货人单位";

// A document's records and its counters (rewritten as they stand) in one transaction, as a save
// of the program commits them.
void commitDocument(RawDb &db, const std::vector<std::string> &statements, const std::string &counter)
{
    db.exec("BEGIN IMMEDIATE");
    for (const std::string &statement : statements)
        db.exec(statement);
    for (const char *table : {"sys.累加单号值", "sys.开单次数"})
        db.exec("UPDATE " + std::string(table) + " SET " + counter + " = " + counter);
    db.exec("COMMIT");
}

Values rangeValues(const DateRange &range)
{
    return {storedDate(range.from), storedDate(range.to)};
}

class ClickList
{
public:
    ClickList(Desk &desk, RawFiles &raw, QStringList &problems) : m_desk(desk), m_raw(raw), m_problems(problems) {}

    QList<Click> all()
    {
        return {listOperators(),
                savePicking(),
                saveInboundGoods(),
                queryInboundGoods("inbound query 1 month", oneMonthOfArrivals(QDate::currentDate())),
                selectInboundRow("inbound select mid row", oneMonthOfArrivals(QDate::currentDate()), false),
                queryInboundGoods("inbound query 4 years", allArrivals(QDate::currentDate())),
                selectInboundRow("inbound select last row", allArrivals(QDate::currentDate()), true),
                modifyInboundGoods(),
                openOrderEntry(),
                refreshPendingPickings(),
                takePicking(),
                getShippingList(),
                saveShippingList()};
    }

private:
    std::function<void()> expect(QStringList messages, const char *click)
    {
        return expectMessages(m_desk, messages, click, m_problems);
    }
    std::function<int()> fixed(int rows) const
    {
        return [rows] { return rows; };
    }
    // The pending pickings as the order-entry page lists them.
    std::function<void()> readQueue()
    {
        return [this] { m_raw.main.read("SELECT * FROM main.检货临时库 ORDER BY rowid"); };
    }

    Click listOperators()
    {
        const char *name = "list operators";
        return {name,
                [this] { m_desk.openOperatorManagement(); },
                {{}, clicked([this] { m_desk.listOperators(); }), expect({}, name)},
                {{}, [this] { m_raw.system.read("SELECT * FROM 操作员"); }, {}},
                [this] { return int(m_raw.system.number("SELECT count(*) FROM 操作员")); },
                [this] { return m_desk.operatorRows(); },
                [this] { m_desk.closeChildWindow(); }};
    }

    // The permanent record, its queued copy and the advanced number, in one transaction.
    Click savePicking()
    {
        const char *name = "picking save";
        auto marks = std::make_shared<std::pair<long long, long long>>();
        auto restore = [this, marks] {
            m_raw.main.read("DELETE FROM main.检货及仓库 WHERE rowid > ?", {marks->first});
            m_raw.main.read("DELETE FROM main.检货临时库 WHERE rowid > ?", {marks->second});
        };
        return {name,
                [this, marks] {
                    m_desk.openPickingWindow();
                    *marks = {lastRowid(m_raw.main, "main.检货及仓库"), lastRowid(m_raw.main, "main.检货临时库")};
                },
                {[this] { m_desk.typePicking(QStringLiteral("电视机"), 3, 40, 2); },
                 clicked([this] { m_desk.savePicking(); }), sequence(expect({saved}, name), restore)},
                {{},
                 [this] {
                     const std::string values = " (检货号, 检货员, 检货时间, 货物名称, 实际件数, 实际重量, 实际体积, "
                                                "计抛否, 计抛重量) VALUES ('JH9999999', '李四', '2026-03-05 08:05:03', "
                                                "'电视机', 3, 40, 2, '否', 0)";
                     commitDocument(m_raw.main,
                                    {"INSERT INTO main.检货及仓库" + values, "INSERT INTO main.检货临时库" + values},
                                    "检货号");
                 },
                 restore},
                fixed(1),
                {},
                [this] { m_desk.closeChildWindow(); }};
    }

    Click saveInboundGoods()
    {
        const char *name = "inbound save";
        auto mark = std::make_shared<long long>();
        auto restore = [this, mark] { m_raw.business.read("DELETE FROM 外地入埠货物 WHERE rowid > ?", {*mark}); };
        return {
            name,
            [this, mark] {
                m_desk.openInboundGoods();
                *mark = lastRowid(m_raw.business, "外地入埠货物");
            },
            {[this] {
                 m_desk.typeInboundGoods(QStringLiteral("棉被"), QStringLiteral("成都"), 5, QStringLiteral("王伟"));
             },
             clicked([this] { m_desk.saveInboundGoods(); }), sequence(expect({saved}, name), restore)},
            {{},
             [this] {
                 m_raw.business.exec(
                     "INSERT INTO 外地入埠货物 (品名, 始发地, 到达日期, 入库人, 提货方式, 原包装, 件数, 重量, 体积, "
                     "提货人姓名, 提货人电话, 提货人单位, 提货人地址, 提货日期, 出库人) VALUES ('棉被', '成都', "
                     "'2026-03-05 08:05:03', '李四', '送货', '', 5, 0, 0, '王伟', '', '', '', "
                     "'2026-03-05 08:05:03', '')");
             },
             restore},
            fixed(1),
            {},
            [this] { m_desk.closeChildWindow(); }};
    }

    // Lists the goods picked up within the range: the page is opened anew before each run, so
    // its button is back in its query mode.
    void listInboundGoods(const DateRange &range)
    {
        m_desk.openInboundGoods();
        m_desk.typeInboundQuery(range.from.toString(Qt::ISODate), range.to.toString(Qt::ISODate), false);
    }
    std::function<int()> inboundCount(const DateRange &range)
    {
        return [this, range] { return m_raw.business.read(inboundColumns + inboundListed, rangeValues(range)); };
    }

    Click queryInboundGoods(const char *name, const DateRange &range)
    {
        return {name,
                {},
                {[this, range] { listInboundGoods(range); }, clicked([this] { m_desk.clickInboundQuery(); }),
                 expect({}, name)},
                {{}, [this, range] { m_raw.business.read(inboundColumns + inboundListed, rangeValues(range)); }, {}},
                inboundCount(range),
                [this] { return m_desk.inboundRows(); },
                [this] { m_desk.closeChildWindow(); }};
    }

    // The record behind a listed row fills the boxes.
    Click selectInboundRow(const char *name, const DateRange &range, bool lastRow)
    {
        auto row = std::make_shared<int>();
        return {name,
                [this, range, row, lastRow] {
                    listInboundGoods(range);
                    m_desk.clickInboundQuery();
                    *row = lastRow ? m_desk.inboundRows() - 1 : m_desk.inboundRows() / 2;
                },
                {[this] { m_desk.clearInboundSelection(); }, clicked([this, row] { m_desk.selectInboundRow(*row); }),
                 expect({}, name)},
                {{},
                 [this, range, row] {
                     Values values = rangeValues(range);
                     values.push_back(*row);
                     m_raw.business.read("SELECT *" + inboundListed + " LIMIT 1 OFFSET ?", values);
                 },
                 {}},
                fixed(1),
                {},
                [this] { m_desk.closeChildWindow(); }};
    }

    // Corrects the last row of the four-year listing to the flag it has, so every run finds the
    // same rows; the page lists them again afterwards.
    Click modifyInboundGoods()
    {
        const char *name = "inbound modify";
        const DateRange range = allArrivals(QDate::currentDate());
        auto row = std::make_shared<int>();
        return {name,
                [this, range, row] {
                    listInboundGoods(range);
                    m_desk.clickInboundQuery();
                    *row = m_desk.inboundRows() - 1;
                },
                {[this, row] {
                     m_desk.clearInboundSelection();
                     m_desk.selectInboundRow(*row);
                     m_desk.tickPickedUp(true);
                 },
                 clicked([this] { m_desk.clickInboundQuery(); }),
                 expect({QStringLiteral("修改'已提货'标志成功!")}, name)},
                {{},
                 [this, range, row] {
                     Values values = rangeValues(range);
                     values.push_back(*row);
                     m_raw.business.read("UPDATE 外地入埠货物 SET 已提货 = '是' WHERE rowid = (SELECT rowid" +
                                             inboundListed + " LIMIT 1 OFFSET ?)",
                                         values);
                     m_raw.business.read(inboundColumns + inboundListed, rangeValues(range));
                 },
                 {}},
                inboundCount(range),
                [this] { return m_desk.inboundRows(); },
                [this] { m_desk.closeChildWindow(); }};
    }

    std::function<int()> queueCount()
    {
        return [this] { return int(m_raw.main.number("SELECT count(*) FROM main.检货临时库")); };
    }

    Click openOrderEntry()
    {
        const char *name = "open order entry";
        return {name,
                {},
                {[this] { m_desk.leaveOrderEntry(); }, clicked([this] { m_desk.openOrderEntry(); }), expect({}, name)},
                {{}, readQueue(), {}},
                queueCount(),
                [this] { return m_desk.pendingRows(); },
                {}};
    }

    Click refreshPendingPickings()
    {
        const char *name = "pending refresh";
        return {name,
                [this] { m_desk.openOrderEntry(); },
                {{}, clicked([this] { m_desk.refreshPendingPickings(); }), expect({}, name)},
                {{}, readQueue(), {}},
                queueCount(),
                [this] { return m_desk.pendingRows(); },
                {}};
    }

    // Takes the last listed picking into the order; it is queued again after each run, so the
    // list and the table stay as they were.
    Click takePicking()
    {
        const char *name = "take picking";
        auto keepLast = [this] {
            m_raw.main.exec("DROP TABLE IF EXISTS temp.taken");
            m_raw.main.exec("CREATE TEMP TABLE taken AS SELECT * FROM main.检货临时库 "
                            "WHERE rowid = (SELECT max(rowid) FROM main.检货临时库)");
        };
        auto queueAgain = [this] {
            m_raw.main.exec("INSERT INTO main.检货临时库 SELECT * FROM temp.taken");
            m_raw.main.exec(
                "UPDATE main.检货及仓库 SET 业务单号 = NULL WHERE 检货号 = (SELECT 检货号 FROM temp.taken)");
        };
        return {name,
                [this] { m_desk.openOrderEntry(); },
                {sequence(keepLast, [this] { m_desk.refreshPendingPickings(); }),
                 clicked([this] { m_desk.takePendingPicking(m_desk.pendingRows() - 1); }),
                 sequence(expect({}, name), queueAgain)},
                {keepLast,
                 [this] {
                     m_raw.main.exec("BEGIN IMMEDIATE");
                     m_raw.main.exec("UPDATE main.检货及仓库 SET 业务单号 = 'YW9999999' "
                                     "WHERE 检货号 = (SELECT 检货号 FROM temp.taken)");
                     m_raw.main.exec(
                         "DELETE FROM main.检货临时库 WHERE rowid = (SELECT max(rowid) FROM main.检货临时库)");
                     m_raw.main.exec("COMMIT");
                     readQueue()();
                 },
                 queueAgain},
                queueCount(),
                [this] { return m_desk.pendingRows() + 1; },
                [this] { m_desk.leaveOrderEntry(); }};
    }

    // Today's stock-out lines, each completed with the consignee of its order.
    void readTodaysShippingList()
    {
        Statement consignee(m_raw.business,
                            "SELECT 收货人姓名, 收货单位, 收货地址, 收货电话, 收货手机, 代收货款金额, "
                            "结算方式 FROM mainmdb.业务单 WHERE 业务单号 = ? ORDER BY rowid DESC LIMIT 1");
        for (const std::string &order :
             m_raw.business.column("SELECT 业务单号, 货物名称, 件数, 截留件数, 重量, 体积 FROM mainmdb.出库临时表 "
                                   "ORDER BY rowid"))
            consignee.run({order});
    }
    std::function<int()> stockOutCount(int extra)
    {
        return [this, extra] { return int(m_raw.business.number("SELECT count(*) FROM mainmdb.出库临时表")) + extra; };
    }

    Click getShippingList()
    {
        const char *name = "shipping list get";
        return {name,
                [this] { m_desk.openShippingList(); },
                {{}, clicked([this] { m_desk.getTodaysShippingList(); }), expect({}, name)},
                {{}, [this] { readTodaysShippingList(); }, {}},
                stockOutCount(0),
                {},
                {}};
    }

    // The list record, the emptied stock-out queue and the advanced number in one transaction;
    // the queue is filled again after each run.
    Click saveShippingList()
    {
        const char *name = "shipping list save";
        auto mark = std::make_shared<long long>();
        auto restore = [this, mark] {
            m_raw.business.exec("BEGIN");
            m_raw.business.read("DELETE FROM 发货清单 WHERE rowid > ?", {*mark});
            m_raw.business.exec("INSERT INTO mainmdb.出库临时表 SELECT * FROM temp.stock_out");
            m_raw.business.exec("COMMIT");
        };
        return {name,
                [this, mark] {
                    m_raw.business.exec("DROP TABLE IF EXISTS temp.stock_out");
                    m_raw.business.exec("CREATE TEMP TABLE stock_out AS SELECT * FROM mainmdb.出库临时表");
                    *mark = lastRowid(m_raw.business, "发货清单");
                },
                {[this] { m_desk.getTodaysShippingList(); }, clicked([this] { m_desk.saveShippingList(); }),
                 sequence(expect({saved}, name), restore)},
                {{},
                 [this] {
                     commitDocument(m_raw.business,
                                    {"INSERT INTO 发货清单 (发货清单号, 司机姓名, 司机运费, 车牌号, 制单日期, "
                                     "总计件数, 总计截留件数, 总计重量, 总计体积) VALUES ('FH9999999', '', 0, '', "
                                     "'2026年3月5日8点', 0, 0, 0, 0)",
                                     "DELETE FROM mainmdb.出库临时表"},
                                    "发货清单号");
                 },
                 restore},
                stockOutCount(1),
                {},
                [this] { m_desk.leaveShippingList(); }};
    }

    Desk &m_desk;
    RawFiles &m_raw;
    QStringList &m_problems;
};

} // namespace

RawFiles::RawFiles(const QString &programDirectory)
    : main(dataFile(programDirectory, "main.mdb")), business(dataFile(programDirectory, "ywzhxx.mdb")),
      system(dataFile(programDirectory, "system.mdb"))
{
    attached(main, dataFile(programDirectory, "system.mdb"), "sys");
    attached(attached(business, dataFile(programDirectory, "main.mdb"), "mainmdb"),
             dataFile(programDirectory, "system.mdb"), "sys");
}

QList<Click> operatorClicks(Desk &desk, RawFiles &raw, QStringList &problems)
{
    auto list = std::make_shared<ClickList>(desk, raw, problems);
    QList<Click> clicks = list->all();
    for (Click &click : clicks)
        click.owner = list;
    return clicks;
}

} // namespace bench
