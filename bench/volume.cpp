#include "volume.h"

#include "raw_sqlite.h"

#include "frame/roles.h"

#include <QDateTime>
#include <QDir>

#include <ctime>
#include <functional>
#include <random>

namespace bench {

namespace {

const std::vector<std::string> goods = {"电视机", "棉被",     "服装", "五金配件", "茶叶", "图书",
                                        "陶瓷",   "电脑配件", "药品", "玩具",     "家具", "食品"};
const std::vector<std::string> places = {"广州", "上海", "成都", "武汉", "西安",
                                         "沈阳", "杭州", "昆明", "郑州", "南宁"};
const std::vector<std::string> surnames = {"王", "李", "张", "刘", "陈", "杨", "赵", "黄", "周", "吴"};
const std::vector<std::string> givenNames = {"伟", "芳", "娜", "敏", "静",   "强",
                                             "磊", "军", "洋", "勇", "秀英", "建国"};
const std::vector<std::string> companyKinds = {"贸易公司", "商行", "电器城", "服装厂", "百货店", "建材部"};
const std::vector<std::string> streets = {"人民路", "解放路", "中山路", "建设路", "和平街", "新华路"};
const std::vector<std::string> settlements = {"现付", "到付", "月结", "回单付"};
const std::vector<std::string> packagings = {"纸箱", "木箱", "编织袋", "散装"};
const std::vector<std::string> pickUpWays = {"送货", "自提"};
const std::vector<std::string> departments = {"业务部", "仓库", "调度室", "财务部", "市场部", "总经理室"};
const std::string yes = "是";
const std::string no = "否";

constexpr long long day = 24 * 3600;
constexpr long long fourYears = 1461 * day;

// Seeded, so every run makes the same records.
class Maker
{
public:
    long long between(long long low, long long high)
    {
        return std::uniform_int_distribution<long long>(low, high)(m_random);
    }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_random) < p; }
    const std::string &pick(const std::vector<std::string> &list) { return list[between(0, list.size() - 1)]; }
    std::string person() { return pick(surnames) + pick(givenNames); }
    std::string company() { return pick(places) + pick(companyKinds); }
    std::string address() { return pick(places) + "市" + pick(streets) + std::to_string(between(1, 999)) + "号"; }
    std::string phone()
    {
        return "0" + std::to_string(between(200, 999)) + "-" + std::to_string(between(20000000, 99999999));
    }
    std::string mobile() { return "13" + std::to_string(between(100000000, 999999999)); }

private:
    std::mt19937_64 m_random{20240601};
};

// The i-th of n records in time order, spread over the four years before now.
long long momentOf(long long i, long long n, long long now, Maker &make)
{
    const long long start = now - fourYears;
    return start + (fourYears * i + make.between(0, fourYears - 1)) / n;
}

// How a date-time column keeps its values: yyyy-MM-dd HH:mm:ss.
std::string stored(long long secs)
{
    const std::time_t t = secs;
    std::tm local{};
    localtime_r(&t, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

// The shipping list's date text: 2026年3月5日8点.
std::string listDate(long long secs)
{
    const std::time_t t = secs;
    std::tm local{};
    localtime_r(&t, &local);
    return std::to_string(local.tm_year + 1900) + "年" + std::to_string(local.tm_mon + 1) + "月" +
           std::to_string(local.tm_mday) + "日" + std::to_string(local.tm_hour) + "点";
}

std::string number(const char *prefix, long long n)
{
    char text[32];
    std::snprintf(text, sizeof text, "%s%07lld", prefix, n);
    return text;
}

// Appends count rows to a table in one transaction.
void insertRows(RawDb &db, const std::string &table, const std::vector<std::string> &columns, long long count,
                const std::function<Values(long long)> &row)
{
    std::string names, marks;
    for (const std::string &c : columns) {
        names += (names.empty() ? "" : ", ") + c;
        marks += marks.empty() ? "?" : ", ?";
    }
    db.exec("BEGIN");
    Statement insert(db, "INSERT INTO " + table + " (" + names + ") VALUES (" + marks + ")");
    for (long long i = 0; i < count; ++i)
        insert.run(row(i));
    db.exec("COMMIT");
}

// A file opened for bulk filling: nothing is synced until it is closed.
std::unique_ptr<RawDb> openForFill(const QString &programDirectory, const char *file)
{
    auto db = std::make_unique<RawDb>(QDir(programDirectory).filePath(QStringLiteral("data/") + file).toStdString());
    db->exec("PRAGMA synchronous=OFF");
    db->exec("PRAGMA journal_mode=MEMORY");
    return db;
}

// 业务单, 业务状态, 检货及仓库, 检货临时库, 出库临时表. Picking i went into order i; the last
// queue-many pickings wait in the queue and belong to no order yet; the stock-out lines are goods
// of recent orders.
void fillMain(RawDb &db, const Volume &v, long long now, Maker &make)
{
    struct Goods {
        std::string order, name;
        long long pieces, weight, volume;
    };
    std::vector<Goods> recent;
    insertRows(db, "业务单",
               {"业务单号", "货物名称", "件数", "重量", "体积", "计抛否", "计抛重量", "收货人姓名", "收货单位",
                "收货地址", "收货电话", "收货手机", "代收货款金额", "结算方式", "开票人", "开票时间"},
               v.orders, [&](long long i) {
                   const Goods g{number("YW", i + 1), make.pick(goods), make.between(1, 50), make.between(5, 2000),
                                 make.between(1, 30)};
                   if (i >= v.orders - 3 * v.stockOut)
                       recent.push_back(g);
                   const bool bubble = make.chance(0.2);
                   return Values{g.order,
                                 g.name,
                                 g.pieces,
                                 g.weight,
                                 g.volume,
                                 bubble ? yes : no,
                                 bubble ? g.volume * 167 : 0,
                                 make.person(),
                                 make.company(),
                                 make.address(),
                                 make.phone(),
                                 make.mobile(),
                                 make.chance(0.3) ? make.between(100, 20000) : 0,
                                 make.pick(settlements),
                                 make.person(),
                                 stored(momentOf(i, v.orders, now, make))};
               });
    insertRows(db, "业务状态", {"业务单号", "已受理", "已物流", "已入库", "已出库"}, v.orders, [&](long long i) {
        const bool old = i < v.orders - v.queue;
        return Values{number("YW", i + 1), yes, old ? yes : no, old || make.chance(0.5) ? yes : no, old ? yes : no};
    });

    std::vector<Values> queued;
    const std::vector<std::string> pickingColumns = {"检货号",   "检货员",   "检货时间", "货物名称", "实际件数",
                                                     "实际重量", "实际体积", "计抛否",   "计抛重量"};
    std::vector<std::string> withOrder = pickingColumns;
    withOrder.push_back("业务单号");
    insertRows(db, "检货及仓库", withOrder, v.orders, [&](long long i) {
        const bool bubble = make.chance(0.2);
        const long long volume = make.between(1, 30);
        Values picking{number("JH", i + 1),
                       make.person(),
                       stored(momentOf(i, v.orders, now, make)),
                       make.pick(goods),
                       make.between(1, 50),
                       make.between(5, 2000),
                       volume,
                       bubble ? yes : no,
                       bubble ? volume * 167 : 0};
        const bool waiting = i >= v.orders - v.queue;
        if (waiting)
            queued.push_back(picking);
        picking.push_back(waiting ? Value(nullptr) : Value(number("YW", i + 1)));
        return picking;
    });
    insertRows(db, "检货临时库", pickingColumns, v.queue, [&](long long i) { return queued[i]; });

    insertRows(db, "出库临时表", {"业务单号", "货物名称", "件数", "截留件数", "重量", "体积"}, v.stockOut,
               [&](long long i) {
                   const Goods &g = recent[recent.size() - 1 - 3 * i];
                   return Values{g.order, g.name, g.pieces, make.chance(0.1) ? 1LL : 0LL, g.weight, g.volume};
               });
}

// 外地入埠货物 and 发货清单. Goods that arrived more than a month ago have mostly been picked up.
void fillBusiness(RawDb &db, const Volume &v, long long now, Maker &make)
{
    insertRows(db, "外地入埠货物",
               {"品名", "始发地", "到达日期", "入库人", "提货方式", "原包装", "件数", "重量", "体积", "提货人姓名",
                "提货人电话", "提货人单位", "提货人地址", "提货日期", "出库人", "已提货"},
               v.inbound, [&](long long i) {
                   const long long arrival = momentOf(i, v.inbound, now, make);
                   const bool pickedUp = make.chance(arrival < now - 30 * day ? 0.95 : 0.15);
                   return Values{make.pick(goods),
                                 make.pick(places),
                                 stored(arrival),
                                 make.person(),
                                 make.pick(pickUpWays),
                                 make.pick(packagings),
                                 make.between(1, 50),
                                 make.between(5, 2000),
                                 make.between(1, 30),
                                 make.person(),
                                 make.mobile(),
                                 make.company(),
                                 make.address(),
                                 pickedUp ? Value(stored(arrival + make.between(3600, 5 * day))) : Value(nullptr),
                                 pickedUp ? Value(make.person()) : Value(std::string()),
                                 pickedUp ? yes : no};
               });
    insertRows(db, "发货清单",
               {"发货清单号", "司机姓名", "司机运费", "车牌号", "制单日期", "总计件数", "总计截留件数", "总计重量",
                "总计体积"},
               v.inbound, [&](long long i) {
                   return Values{number("FH", i + 1),
                                 make.person(),
                                 make.between(200, 3000),
                                 "粤A" + std::to_string(make.between(10000, 99999)),
                                 listDate(momentOf(i, v.inbound, now, make)),
                                 make.between(10, 500),
                                 make.between(0, 5),
                                 make.between(100, 20000),
                                 make.between(5, 300)};
               });
}

// 操作员 beside the installed administrator, and the counters past every made number.
void fillSystem(RawDb &db, const Volume &v, long long now, Maker &make)
{
    const QStringList &roles = frame::roleNames();
    const QStringList &words = frame::permissionWords();
    insertRows(db, "操作员", {"登陆帐号", "姓名", "密码", "级别", "权限", "部门", "最后登陆时间", "登陆次数"},
               v.queue - 1, [&](long long i) {
                   const QString role = roles.at(make.between(0, roles.size() - 1));
                   QStringList granted;
                   if (role == frame::postOperatorRole)
                       for (const QString &word : words)
                           if (make.chance(0.4))
                               granted.append(word);
                   char account[16];
                   std::snprintf(account, sizeof account, "op%05lld", i + 1);
                   return Values{std::string(account),
                                 make.person(),
                                 std::to_string(make.between(100000, 999999)),
                                 role.toStdString(),
                                 granted.join(u'&').toStdString(),
                                 make.pick(departments),
                                 stored(now - make.between(0, 365 * day)),
                                 make.between(0, 3000)};
               });
    db.exec("BEGIN");
    db.read("UPDATE 累加单号值 SET 业务单号 = ?, 检货号 = ?, 发货清单号 = ?",
            {number("YW", v.orders + 1), number("JH", v.orders + 1), number("FH", v.inbound + 1)});
    db.read("UPDATE 开单次数 SET 业务单号 = ?, 检货号 = ?, 发货清单号 = ?",
            {v.orders + 1LL, v.orders + 1LL, v.inbound + 1LL});
    db.exec("COMMIT");
}

} // namespace

Volume volumeAt(int scale)
{
    return {scale, 10000 * scale, 1000 * scale, 100 * scale, 10 * scale};
}

DateRange allArrivals(const QDate &today)
{
    return {today.addDays(-1462), today.addDays(1)};
}

DateRange oneMonthOfArrivals(const QDate &today)
{
    const QDate month = today.addMonths(-24);
    const QDate first(month.year(), month.month(), 1);
    return {first, first.addMonths(1)};
}

void fillVolume(const QString &programDirectory, const Volume &volume)
{
    const long long now = QDateTime::currentSecsSinceEpoch();
    Maker make;
    fillMain(*openForFill(programDirectory, "main.mdb"), volume, now, make);
    fillBusiness(*openForFill(programDirectory, "ywzhxx.mdb"), volume, now, make);
    fillSystem(*openForFill(programDirectory, "system.mdb"), volume, now, make);
}

} // namespace bench
