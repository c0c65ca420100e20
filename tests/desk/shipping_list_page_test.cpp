#include "desk/desk.h"
#include "desk/shipping_list_page.h"
#include "frame/main_window.h"
#include "platform/ini_file.h"
#include "platform/sheet_grid.h"
#include "platform/text_conversions.h"
#include "support/program_dir_fixture.h"
#include "support/units.h"

#include <ostream>

#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include <memory>

namespace {

struct Line {
    QString number, goods;
    int pieces, held, weight, volume;
};

struct Order {
    QString number, consignee, company, address, phone, mobile;
    int collect;
    QString settlement;
};

// What a data row shows in the columns that the list fills.
struct RowText {
    QString number, goods, pieces, held, weight, volume, consignee, company, address, phones, collect, settlement;
    bool operator==(const RowText &) const = default;
};

std::ostream &operator<<(std::ostream &out, const RowText &r)
{
    for (const QString &t : {r.number, r.goods, r.pieces, r.held, r.weight, r.volume, r.consignee, r.company, r.address,
                             r.phones, r.collect, r.settlement})
        out << '[' << t.toStdString() << ']';
    return out;
}

const QList<int> headerColumns = {2, 5, 11, 14, 19};
const QStringList headerBoxes = {"编辑框_发货清单_发货清单号", "编辑框_发货清单_司机姓名", "编辑框_发货清单_司机运费",
                                 "编辑框_发货清单_车牌号", "编辑框_发货清单_制单日期"};
const QStringList totalBoxes = {"编辑框_发货清单_总计件数", "编辑框_发货清单_总计截留件数", "编辑框_发货清单_总计重量",
                                "编辑框_发货清单_总计体积"};

} // namespace

class ShippingListPageTest : public ProgramDirTest
{
protected:
    void SetUp() override
    {
        ProgramDirTest::SetUp();
        loginAs(QStringLiteral("管理员"));
        createMainWindow();
    }
    // As the program starts: the page reads its sheet template when it is created.
    void createMainWindow()
    {
        main.reset();
        main = std::make_unique<frame::MainWindow>(QList<frame::MainWindowPart>{&desk::attachToMainWindow});
        page = main->findChild<desk::ShippingListPage *>();
        ASSERT_NE(page, nullptr);
        sheet = main->findChild<platform::Sheet *>(QStringLiteral("数据源_发货清单录入"));
        ASSERT_NE(sheet, nullptr);
    }

    template <typename T> T *unit(const QString &name) const { return findUnit<T>(main, name); }
    QLineEdit *box(const QString &name) const { return unit<QLineEdit>(name); }
    void click(const QString &name) const { unit<QPushButton>(name)->click(); }
    void openPage() const { main->menuItems().菜单_受理_发货清单录入.trigger(); }
    void loadList() const { click(QStringLiteral("按钮_发货清单_获取当日出货清单")); }
    void save() const { click(QStringLiteral("按钮_发货清单_保存")); }
    void pressEnterInGrid() const
    {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(unit<platform::SheetGrid>(QStringLiteral("表格_发货清单录入")), &enter);
    }

    void queue(const Line &l)
    {
        sql(QStringLiteral("main.mdb"),
            QStringLiteral(
                "INSERT INTO 出库临时表 (业务单号, 货物名称, 件数, 截留件数, 重量, 体积) VALUES (?, ?, ?, ?, ?, ?)"),
            {l.number, l.goods, l.pieces, l.held, l.weight, l.volume});
    }
    void order(const Order &o)
    {
        sql(QStringLiteral("main.mdb"),
            QStringLiteral(
                "INSERT INTO 业务单 (业务单号, 收货人姓名, 收货单位, 收货地址, 收货电话, 收货手机, 代收货款金额, "
                "结算方式) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
            {o.number, o.consignee, o.company, o.address, o.phone, o.mobile, o.collect, o.settlement});
    }

    static RowText rowText(const platform::Sheet &s, int row)
    {
        const auto t = [&](int c) { return s.text(row, c); };
        return {t(1), t(2), t(3), t(4), t(7), t(9), t(10), t(12), t(15), t(20), t(25), t(27)};
    }
    QList<RowText> dataRows() const
    {
        QList<RowText> rows;
        for (int r = 4; r <= sheet->rowCount(); ++r)
            rows.append(rowText(*sheet, r));
        return rows;
    }
    QStringList headerTexts(const platform::Sheet &s) const
    {
        QStringList texts;
        for (int c : headerColumns)
            texts.append(s.text(2, c));
        return texts;
    }
    void setHeaderBoxes(const QStringList &texts) const
    {
        for (int i = 0; i < headerBoxes.size(); ++i)
            box(headerBoxes[i])->setText(texts[i]);
    }
    // Every data row is formatted alike, whoever appended it.
    void expectDataRowFormat(int row) const
    {
        EXPECT_EQ(sheet->rowHeight(row), 40) << row;
        EXPECT_EQ(sheet->merges(row),
                  (QList<platform::Sheet::Merge>{{4, 6}, {7, 8}, {10, 11}, {12, 14}, {15, 19}, {20, 24}, {25, 26}}))
            << row;
        for (int c = 1; c <= 27; ++c)
            EXPECT_EQ(sheet->style(row, c).align, platform::CellStyle::Align::Center) << row << "," << c;
    }
    void expectLastRowKept() const { EXPECT_EQ(page->shippingGridLastRow(), sheet->rowCount()); }
    QString sheetFile(const QString &number) const { return path(QStringLiteral("grd_fhqd/%1.grd").arg(number)); }
    // The queue then cannot be emptied, so a save fails at its last database step.
    void keepQueue()
    {
        sql(QStringLiteral("main.mdb"),
            QStringLiteral(
                "CREATE TRIGGER keep_queue BEFORE DELETE ON 出库临时表 BEGIN SELECT RAISE(ABORT, 'kept'); END"));
    }
    QString listNumber() const { return frame::documentCounters().number(frame::DocumentKind::ShippingList); }
    QString storedListNumber()
    {
        return column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 发货清单号 FROM 累加单号值")).value(0);
    }
    QStringList queuedNumbers()
    {
        return column(QStringLiteral("main.mdb"), QStringLiteral("SELECT 业务单号 FROM 出库临时表 ORDER BY rowid"));
    }
    QStringList sheetFolderFiles() const
    {
        return QDir(path(QStringLiteral("grd_fhqd"))).entryList(QDir::Files | QDir::Hidden);
    }
    static void writeFile(const QString &file, const QByteArray &content)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly)) << file.toStdString();
        ASSERT_EQ(out.write(content), content.size());
    }

    std::unique_ptr<frame::MainWindow> main;
    desk::ShippingListPage *page = nullptr;
    platform::Sheet *sheet = nullptr;
};

TEST_F(ShippingListPageTest, OpeningShowsTheEmptySheetTheNextNumberAndTheHour)
{
    openPage();
    EXPECT_EQ(main->pages()->currentIndex(), 3);
    EXPECT_EQ(unit<QFrame>(QStringLiteral("外形框_发货清单录入_底框"))->height(), 492);
    EXPECT_EQ(sheet->rowCount(), 3);
    EXPECT_EQ(sheet->columnCount(), 27);
    EXPECT_EQ(headerTexts(*sheet), QStringList(5, QString()));
    expectLastRowKept();
    EXPECT_EQ(box(QStringLiteral("编辑框_发货清单_发货清单号"))->text(), QStringLiteral("FH0000001"));
    const QDateTime now = QDateTime::currentDateTime();
    EXPECT_EQ(box(QStringLiteral("编辑框_发货清单_制单日期"))->text(),
              platform::dateText(now.date()) + QString::number(now.time().hour()) + QStringLiteral("点"));
    EXPECT_EQ(box(QStringLiteral("编辑框_发货清单_制单日期"))->cursorPosition(), 0);
    EXPECT_EQ(main->statusPanel(7), QStringLiteral("发货清单录入..."));
    for (QMenu *menu : main->topMenus())
        EXPECT_FALSE(menu->menuAction()->isEnabled()) << menu->title().toStdString();
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ShippingListPageTest, ReopeningStartsAgainFromTheEmptySheet)
{
    openPage();
    click(QStringLiteral("按钮_发货清单_添加行"));
    click(QStringLiteral("按钮_发货清单_添加行"));
    click(QStringLiteral("按钮_发货清单_返回"));
    EXPECT_EQ(main->pages()->currentIndex(), 0);
    EXPECT_EQ(main->statusPanel(7), QStringLiteral("等待操作..."));
    for (QMenu *menu : main->topMenus())
        EXPECT_TRUE(menu->menuAction()->isEnabled()) << menu->title().toStdString();

    openPage();
    EXPECT_EQ(sheet->rowCount(), 3);
    expectLastRowKept();
    queue({"A1", "布", 1, 0, 2, 3});
    loadList();
    EXPECT_EQ(sheet->rowCount(), 4);
    expectLastRowKept();
}

TEST_F(ShippingListPageTest, ListsEveryQueuedLineInQueueOrderWithItsConsignee)
{
    order({"A1", "旧人", "旧单位", "旧址", "1", "2", 5, "现付"});
    order({"B2", "李四", "乙公司", "北路2号", "0311-1", "139", 80, "到付"});
    order({"A1", "张三", "甲公司", "南路1号", "0311-2", "138", 120, "月结"}); // the last A1 wins
    order({"A1 ", "空格", "x", "x", "x", "x", 1, "x"});                       // no trimming
    order({"a1", "小写", "x", "x", "x", "x", 1, "x"});                        // no case folding
    queue({"B2", "书", 4, 1, 30, 2});
    queue({"A1", "布", 10, 0, 7, 9});
    queue({"C3", "茶", 2, 2, 1, 1}); // no such order
    openPage();
    setHeaderBoxes({"FH0000001", "王师傅", "300", "冀A12345", "2026年12月10日8点"});
    const QStringList totalsBefore = {"1", "2", "3", "4"};
    for (int i = 0; i < 4; ++i)
        box(totalBoxes[i])->setText(totalsBefore[i]);

    loadList();

    EXPECT_EQ(dataRows(),
              (QList<RowText>{
                  {"B2", "书", "4", "1", "30", "2", "李四", "乙公司", "北路2号", "0311-1\r\n139", "80", "到付"},
                  {"A1", "布", "10", "0", "7", "9", "张三", "甲公司", "南路1号", "0311-2\r\n138", "120", "月结"},
                  {"C3", "茶", "2", "2", "1", "1", "", "", "", "", "", ""},
              }));
    for (int r = 4; r <= 6; ++r)
        expectDataRowFormat(r);
    expectLastRowKept();
    EXPECT_EQ(headerTexts(*sheet), (QStringList{"FH0000001", "王师傅", "300", "冀A12345", "2026年12月10日8点"}));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(box(totalBoxes[i])->text(), totalsBefore[i]);
    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("出库临时表")), 3);
    EXPECT_TRUE(messages.texts().isEmpty());
    auto *button = unit<QPushButton>(QStringLiteral("按钮_发货清单_获取当日出货清单"));
    EXPECT_TRUE(button->isEnabled());
    EXPECT_EQ(button->text(), QStringLiteral("自动获取今日仓库出库清单中的业务单号"));
}

TEST_F(ShippingListPageTest, AClickReplacesEveryDataRowHoweverItCame)
{
    queue({"A1", "布", 1, 0, 2, 3});
    queue({"A2", "纸", 4, 0, 5, 6});
    openPage();
    loadList();
    const QList<RowText> first = dataRows();
    ASSERT_EQ(first.size(), 2);

    click(QStringLiteral("按钮_发货清单_添加行"));
    pressEnterInGrid();
    sheet->setText(sheet->rowCount(), 1, QStringLiteral("TYPED"));
    ASSERT_EQ(sheet->rowCount(), 7);
    expectDataRowFormat(6);
    expectDataRowFormat(7);
    expectLastRowKept();

    loadList();
    EXPECT_EQ(dataRows(), first);
    expectLastRowKept();
    loadList();
    EXPECT_EQ(dataRows(), first);
    expectLastRowKept();
}

enum class Missing { Nothing, QueueTable, MainFile };

const char *nameOf(Missing missing)
{
    const char *names[] = {"EmptyQueue", "NoQueueTable", "NoMainFile"};
    return names[int(missing)];
}

std::string missingName(const ::testing::TestParamInfo<Missing> &info)
{
    return nameOf(info.param);
}

void PrintTo(Missing missing, std::ostream *out)
{
    *out << nameOf(missing);
}

class ShippingListWithoutQueueTest : public ShippingListPageTest, public ::testing::WithParamInterface<Missing>
{
};

TEST_P(ShippingListWithoutQueueTest, GivesNoDataRowButTheHeaderRow)
{
    if (GetParam() == Missing::QueueTable)
        sql(QStringLiteral("main.mdb"), QStringLiteral("DROP TABLE 出库临时表"));
    if (GetParam() == Missing::MainFile) {
        ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/main.mdb"))));
    }
    openPage();
    click(QStringLiteral("按钮_发货清单_添加行"));
    setHeaderBoxes({"N", "D", "F", "P", "T"});
    loadList();
    EXPECT_EQ(sheet->rowCount(), 3);
    expectLastRowKept();
    EXPECT_EQ(headerTexts(*sheet), (QStringList{"N", "D", "F", "P", "T"}));
    EXPECT_TRUE(messages.texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Cases, ShippingListWithoutQueueTest,
                         ::testing::Values(Missing::Nothing, Missing::QueueTable, Missing::MainFile), missingName);

TEST_F(ShippingListPageTest, TypedOrderNumbersGetTheirConsigneeFromTheLastOrder)
{
    order({"A1", "旧人", "旧单位", "旧址", "1", "2", 5, "现付"});
    order({"A1", "张三", "甲公司", "南路1号", "0311-2", "138", 120, "月结"});
    openPage();
    for (const char *number : {"A1", "NONE", ""}) {
        click(QStringLiteral("按钮_发货清单_添加行"));
        sheet->setText(sheet->rowCount(), 1, QString::fromUtf8(number));
        sheet->setText(sheet->rowCount(), 2, QStringLiteral("手写"));
    }
    click(QStringLiteral("按钮_发货清单_手动添加行"));
    EXPECT_EQ(dataRows(),
              (QList<RowText>{
                  {"A1", "手写", "", "", "", "", "张三", "甲公司", "南路1号", "0311-2\r\n138", "120", "月结"},
                  {"NONE", "手写", "", "", "", "", "", "", "", "", "", ""},
                  {"", "手写", "", "", "", "", "", "", "", "", "", ""},
              }));
    expectLastRowKept();
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(ShippingListPageTest, TotalsSumTheDataRowsCountsWeightsAndVolumes)
{
    queue({"A1", "布", 10, 1, 7, 9});
    queue({"A2", "纸", 5, 2, 100, 1});
    openPage();
    loadList();
    click(QStringLiteral("按钮_发货清单_添加行"));
    const int typed = sheet->rowCount();
    sheet->setText(typed, 3, QStringLiteral("2.9"));
    sheet->setText(typed, 4, QStringLiteral("x"));
    sheet->setText(typed, 7, QStringLiteral(" 3 "));
    click(QStringLiteral("按钮_发货清单_统计"));
    const QStringList expected = {"17", "3", "110", "10"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(box(totalBoxes[i])->text(), expected[i]) << totalBoxes[i].toStdString();
}

TEST_F(ShippingListPageTest, SavedListKeepsItsSheetAndRecordAndEmptiesTheQueue)
{
    queue({"A1", "布", 10, 1, 7, 9});
    queue({"A2", "纸", 5, 2, 100, 1});
    openPage();
    setHeaderBoxes({"FH0000001", "王师傅", "300", "冀A12345", "2026年12月10日8点"});
    loadList();
    click(QStringLiteral("按钮_发货清单_统计"));
    // Changed after the click: the record takes the new text, the sheet keeps the old one.
    box(QStringLiteral("编辑框_发货清单_司机姓名"))->setText(QStringLiteral("赵师傅"));
    const QList<RowText> rows = dataRows();

    save();

    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存成功!")});
    platform::Sheet saved;
    ASSERT_TRUE(saved.load(sheetFile("FH0000001")));
    ASSERT_EQ(saved.rowCount(), 5);
    EXPECT_EQ(rowText(saved, 4), rows[0]);
    EXPECT_EQ(rowText(saved, 5), rows[1]);
    EXPECT_EQ(headerTexts(saved), (QStringList{"FH0000001", "王师傅", "300", "冀A12345", "2026年12月10日8点"}));
    EXPECT_EQ(
        column(QStringLiteral("ywzhxx.mdb"),
               QStringLiteral("SELECT 发货清单号 || '|' || 司机姓名 || '|' || 司机运费 || '|' || 车牌号 || '|' || "
                              "制单日期 || '|' || 总计件数 || '|' || 总计截留件数 || '|' || 总计重量 || '|' || "
                              "总计体积 FROM 发货清单")),
        QStringList{QStringLiteral("FH0000001|赵师傅|300|冀A12345|2026年12月10日8点|15|3|107|10")});
    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("出库临时表")), 0);

    // Ready for the next list, whose lines are only those queued since.
    EXPECT_EQ(listNumber(), QStringLiteral("FH0000002"));
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 发货清单号 FROM 累加单号值")),
              QStringList{QStringLiteral("FH0000002")});
    EXPECT_EQ(box(QStringLiteral("编辑框_发货清单_发货清单号"))->text(), QStringLiteral("FH0000002"));
    EXPECT_EQ(sheet->rowCount(), 3);
    expectLastRowKept();
    EXPECT_EQ(headerTexts(*sheet), QStringList(5, QString()));
    for (const QString &name : totalBoxes)
        EXPECT_EQ(box(name)->text(), QString()) << name.toStdString();
    queue({"A3", "茶", 1, 0, 1, 1});
    loadList();
    ASSERT_EQ(dataRows().size(), 1);
    EXPECT_EQ(dataRows()[0].number, QStringLiteral("A3"));
}

TEST_F(ShippingListPageTest, SheetGoesToTheFolderThatProgramIniNames)
{
    const QString absolute = path(QStringLiteral("elsewhere"));
    const QList<std::pair<QString, QString>> cases = {
        {QStringLiteral("清单"), path(QStringLiteral("清单"))},
        {absolute, absolute},
    };
    for (const auto &[setting, folder] : cases) {
        SCOPED_TRACE(setting.toStdString());
        ASSERT_TRUE(QDir().mkpath(folder));
        ASSERT_TRUE(platform::IniFile(path(QStringLiteral("program.ini")))
                        .setValue(QStringLiteral("系统"), QStringLiteral("发货清单保存路径"), setting));
        openPage();
        const QString number = listNumber();
        save();
        EXPECT_TRUE(QFile::exists(QDir(folder).filePath(number + QStringLiteral(".grd"))));
        EXPECT_FALSE(QFile::exists(sheetFile(number)));
    }
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("保存成功!"), QStringLiteral("保存成功!")}));
}

enum class Breakage {
    RecordTable,
    QueueKept,
    MainFile,
    SheetFolder,
    NumberNoFileName,
    NumberEmpty,
    NumberControlCharacter,
    CounterRefused
};

const char *nameOf(Breakage breakage)
{
    const char *names[] = {"NoRecordTable",    "QueueNotEmptied", "NoMainFile",      "NoSheetFolder",
                           "NumberNoFileName", "NumberEmpty",     "NumberLineBreak", "CounterRefused"};
    return names[int(breakage)];
}

std::string breakageName(const ::testing::TestParamInfo<Breakage> &info)
{
    return nameOf(info.param);
}

void PrintTo(Breakage breakage, std::ostream *out)
{
    *out << nameOf(breakage);
}

class ShippingListFailedSaveTest : public ShippingListPageTest, public ::testing::WithParamInterface<Breakage>
{
protected:
    void breakSave()
    {
        switch (GetParam()) {
        case Breakage::RecordTable:
            sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("DROP TABLE 发货清单"));
            break;
        case Breakage::QueueKept:
            keepQueue();
            break;
        case Breakage::MainFile:
            ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/main.mdb"))));
            break;
        case Breakage::SheetFolder:
            ASSERT_TRUE(
                platform::IniFile(path(QStringLiteral("program.ini")))
                    .setValue(QStringLiteral("系统"), QStringLiteral("发货清单保存路径"), QStringLiteral("none")));
            break;
        case Breakage::NumberNoFileName:
            box(QStringLiteral("编辑框_发货清单_发货清单号"))->setText(QStringLiteral("../x"));
            break;
        case Breakage::NumberEmpty:
            box(QStringLiteral("编辑框_发货清单_发货清单号"))->clear();
            break;
        case Breakage::NumberControlCharacter:
            box(QStringLiteral("编辑框_发货清单_发货清单号"))->setText(QStringLiteral("FH0000001\n"));
            break;
        case Breakage::CounterRefused:
            sql(QStringLiteral("system.mdb"),
                QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON 开单次数 BEGIN SELECT RAISE(ABORT, 'refused'); "
                               "END"));
            break;
        }
    }
};

TEST_P(ShippingListFailedSaveTest, ChangesNothingAndTheLinesComeBack)
{
    queue({"A1", "布", 10, 1, 7, 9});
    queue({"A2", "纸", 5, 2, 100, 1});
    openPage();
    loadList();
    const QList<RowText> rows = dataRows();
    const QString number = listNumber();
    breakSave();
    const QString shownNumber = box(QStringLiteral("编辑框_发货清单_发货清单号"))->text();

    save();

    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存失败!")});
    EXPECT_EQ(QDir(path(QStringLiteral("grd_fhqd"))).entryList(QDir::Files), QStringList());
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.grd"))));
    EXPECT_EQ(column(QStringLiteral("ywzhxx.mdb"), QStringLiteral("SELECT 发货清单号 FROM 发货清单")), QStringList());
    EXPECT_EQ(listNumber(), number);
    EXPECT_EQ(storedListNumber(), number);
    EXPECT_EQ(box(QStringLiteral("编辑框_发货清单_发货清单号"))->text(), shownNumber);
    EXPECT_EQ(dataRows(), rows);
    if (GetParam() != Breakage::MainFile) {
        EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("出库临时表")), 2);
        loadList();
        EXPECT_EQ(dataRows(), rows);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, ShippingListFailedSaveTest,
                         ::testing::Values(Breakage::RecordTable, Breakage::QueueKept, Breakage::MainFile,
                                           Breakage::SheetFolder, Breakage::NumberNoFileName, Breakage::NumberEmpty,
                                           Breakage::NumberControlCharacter, Breakage::CounterRefused),
                         breakageName);

TEST_F(ShippingListPageTest, FailedSaveLeavesAnEarlierSheetOfTheSameNumberAsItWas)
{
    const QByteArray earlier = "{\"columns\": [10],\n\"rows\": [\n]}\n";
    writeFile(sheetFile(QStringLiteral("FH0000001")), earlier);
    keepQueue();
    queue({"A1", "布", 10, 1, 7, 9});
    openPage();
    loadList();
    save();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存失败!")});
    QFile file(sheetFile(QStringLiteral("FH0000001")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), earlier);
}

TEST_F(ShippingListPageTest, TakenListNumberIsRefusedWithItsReason)
{
    sql(QStringLiteral("ywzhxx.mdb"),
        QStringLiteral("INSERT INTO 发货清单 (发货清单号, 司机姓名) VALUES ('FH0000001', '早')"));
    writeFile(sheetFile(QStringLiteral("FH0000001")), "the earlier list");
    queue({"A1", "布", 10, 1, 7, 9});
    openPage();
    loadList();
    const QList<RowText> rows = dataRows();

    save();

    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存失败!\r\n发货清单号已被使用.")});
    EXPECT_EQ(column(QStringLiteral("ywzhxx.mdb"), QStringLiteral("SELECT 发货清单号 || 司机姓名 FROM 发货清单")),
              QStringList{QStringLiteral("FH0000001早")});
    QFile earlier(sheetFile(QStringLiteral("FH0000001")));
    ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
    EXPECT_EQ(earlier.readAll(), QByteArray("the earlier list"));
    EXPECT_EQ(sheetFolderFiles(), QStringList{QStringLiteral("FH0000001.grd")});
    EXPECT_EQ(queuedNumbers(), QStringList{QStringLiteral("A1")});
    EXPECT_EQ(storedListNumber(), QStringLiteral("FH0000001"));
    EXPECT_EQ(dataRows(), rows);
}

TEST_F(ShippingListPageTest, SaveRemovesOnlyTheQueuedLinesTheLastClickLoaded)
{
    queue({"A1", "布", 1, 0, 2, 3});
    queue({"A2", "纸", 4, 0, 5, 6});
    openPage();
    loadList();
    queue({"A3", "茶", 1, 0, 1, 1}); // stocked out after the click: not on this sheet
    save();
    EXPECT_EQ(queuedNumbers(), QStringList{QStringLiteral("A3")});

    // Lines typed by hand without a click take nothing from the queue.
    click(QStringLiteral("按钮_发货清单_添加行"));
    sheet->setText(sheet->rowCount(), 1, QStringLiteral("A3"));
    save();
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("保存成功!"), QStringLiteral("保存成功!")}));
    EXPECT_EQ(queuedNumbers(), QStringList{QStringLiteral("A3")});
    platform::Sheet saved;
    ASSERT_TRUE(saved.load(sheetFile(QStringLiteral("FH0000002"))));
    EXPECT_EQ(rowText(saved, 4).number, QStringLiteral("A3"));
}

TEST_F(ShippingListPageTest, LeftoverOfAnInterruptedSaveIsClearedAndBlocksNothing)
{
    const QString leftover = path(QStringLiteral("grd_fhqd/FH0000001.grd.tmp"));
    writeFile(leftover, "half a sheet");
    openPage();
    EXPECT_FALSE(QFile::exists(leftover));

    // Killed between writing the sheet and the commit while the page stayed open.
    writeFile(leftover, "half a sheet");
    queue({"A1", "布", 1, 0, 2, 3});
    loadList();
    save();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存成功!")});
    EXPECT_EQ(sheetFolderFiles(), QStringList{QStringLiteral("FH0000001.grd")});
    platform::Sheet saved;
    ASSERT_TRUE(saved.load(sheetFile(QStringLiteral("FH0000001"))));
    EXPECT_EQ(rowText(saved, 4).number, QStringLiteral("A1"));
}

TEST_F(ShippingListPageTest, SheetThatCannotTakeItsNameIsReportedAndTheListIsSaved)
{
    ASSERT_TRUE(QDir().mkpath(sheetFile(QStringLiteral("FH0000001")) + QStringLiteral("/inside")));
    queue({"A1", "布", 1, 0, 2, 3});
    openPage();
    loadList();

    save();

    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("发货清单已保存, 但清单表格文件未能存入:\r\n%1\r\n"
                                                           "下次打开发货清单录入时将再次存入.")
                                                .arg(sheetFile(QStringLiteral("FH0000001")))});
    EXPECT_EQ(column(QStringLiteral("ywzhxx.mdb"), QStringLiteral("SELECT 发货清单号 FROM 发货清单")),
              QStringList{QStringLiteral("FH0000001")});
    EXPECT_TRUE(queuedNumbers().isEmpty());
    EXPECT_EQ(box(QStringLiteral("编辑框_发货清单_发货清单号"))->text(), QStringLiteral("FH0000002"));
    EXPECT_EQ(sheet->rowCount(), 3);

    ASSERT_TRUE(QDir(sheetFile(QStringLiteral("FH0000001"))).removeRecursively());
    openPage();
    platform::Sheet saved;
    ASSERT_TRUE(saved.load(sheetFile(QStringLiteral("FH0000001"))));
    EXPECT_EQ(rowText(saved, 4).number, QStringLiteral("A1"));
}

struct BrokenTemplate {
    const char *name;
    const char *content; // nullptr: the file is missing
};

void PrintTo(const BrokenTemplate &c, std::ostream *out)
{
    *out << c.name;
}

class ShippingListTemplateTest : public ShippingListPageTest, public ::testing::WithParamInterface<BrokenTemplate>
{
};

TEST_P(ShippingListTemplateTest, BrokenTemplateGivesWayToTheBuiltInSheet)
{
    const QString templatePath = path(QStringLiteral("grd/null.grd"));
    ASSERT_TRUE(QFile::remove(templatePath));
    if (GetParam().content)
        writeFile(templatePath, GetParam().content);
    createMainWindow();
    queue({"A1", "布", 1, 0, 2, 3});
    openPage();
    EXPECT_EQ(sheet->rowCount(), 3);
    EXPECT_EQ(sheet->columnCount(), 27);
    expectLastRowKept();

    setHeaderBoxes({"FH0000001", "王师傅", "300", "冀A12345", "2026年12月10日8点"});
    loadList();
    ASSERT_EQ(dataRows().size(), 1);
    EXPECT_EQ(dataRows()[0].number, QStringLiteral("A1"));
    expectDataRowFormat(4);
    save();
    EXPECT_EQ(messages.texts(), QStringList{QStringLiteral("保存成功!")});
    platform::Sheet saved;
    ASSERT_TRUE(saved.load(sheetFile(QStringLiteral("FH0000001"))));
    EXPECT_EQ(saved.columnCount(), 27);
    ASSERT_EQ(saved.rowCount(), 4);
    EXPECT_EQ(headerTexts(saved), (QStringList{"FH0000001", "王师傅", "300", "冀A12345", "2026年12月10日8点"}));
    EXPECT_EQ(rowText(saved, 4).number, QStringLiteral("A1"));
}

INSTANTIATE_TEST_SUITE_P(Cases, ShippingListTemplateTest,
                         ::testing::Values(BrokenTemplate{"Missing", nullptr},
                                           BrokenTemplate{"Unreadable", "{\"columns\": [10, 20"},
                                           BrokenTemplate{"OneColumn", "{\"columns\": [10], \"rows\": [{\"height\": "
                                                                       "20}, {\"height\": 20}, {\"height\": 20}]}"}),
                         [](const ::testing::TestParamInfo<BrokenTemplate> &info) {
                             return std::string(info.param.name);
                         });

TEST_F(ShippingListPageTest, ClickOverAMillionOrdersFindsTheLastOrderOfEachNumber)
{
    // A million orders; the numbers Q0..Q99 each occur ten times, spread over the table.
    sql(QStringLiteral("main.mdb"),
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999999) "
                       "INSERT INTO 业务单 (业务单号, 收货人姓名, 代收货款金额) "
                       "SELECT CASE WHEN i % 100000 < 100 THEN 'Q' || (i % 100000) ELSE 'N' || i END, "
                       "'人' || i, i FROM n"));
    for (int i = 0; i < 100; ++i)
        queue({QStringLiteral("Q%1").arg(i), QStringLiteral("货"), 1, 0, 1, 1});
    openPage();

    loadList();
    ASSERT_EQ(dataRows().size(), 100);
    // The last of the ten records with Q7 lies at 900007.
    EXPECT_EQ(rowText(*sheet, 4 + 7).consignee, QStringLiteral("人900007"));
    EXPECT_EQ(rowText(*sheet, 4 + 7).collect, QStringLiteral("900007"));
}
