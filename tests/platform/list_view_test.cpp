#include "platform/database.h"
#include "platform/list_view.h"
#include "platform/recordset.h"
#include "support/case_names.h"
#include "support/qt_warnings.h"
#include "support/temp_database.h"

#include <QApplication>
#include <QItemSelectionModel>

using namespace platform;

namespace {

const ListColumns columns = {
    {QStringLiteral("品名"), 60, QStringLiteral("名称"), ColumnKind::Text},
    {QStringLiteral("件数"), 40, QStringLiteral("件数"), ColumnKind::Number},
    {QStringLiteral("到达日期"), 150, QStringLiteral("到达"), ColumnKind::DateTime},
    {QStringLiteral("备注"), 80, QStringLiteral("备注"), ColumnKind::Text},
};

} // namespace

class ReportListTest : public TempDatabaseTest
{
protected:
    void SetUp() override
    {
        TempDatabaseTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        ASSERT_TRUE(
            executeSql(db, QStringLiteral("CREATE TABLE 货物 (名称 TEXT, 件数 INTEGER, 到达 DATETIME, 备注 TEXT)")));
        list.setColumns(columns);
    }

    // The whole table, through a connection of the listing's own.
    RecordListing listing()
    {
        return RecordListing::open([this](Database &listed, Recordset &records) {
            return listed.open(file) && records.openTable(QStringLiteral("货物"));
        });
    }
    // Records 货0, 货1, ... with 件数 equal to their number.
    void fill(int count)
    {
        ASSERT_TRUE(executeSql(db, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                                                  "WHERE i < %1) INSERT INTO 货物 (名称, 件数, 到达, 备注) SELECT "
                                                  "'货' || i, i, '2026-03-05 08:05:03', '' FROM n")
                                       .arg(count - 1)));
    }
    QStringList row(int r) const
    {
        QStringList cells;
        for (int c = 0; c < columns.size(); ++c)
            cells.append(listViewCell(&list, r, c));
        return cells;
    }

    ReportList list;
};

TEST_F(ReportListTest, ColumnsComeFromTheirTableAndSurviveANewListing)
{
    ASSERT_EQ(list.model()->columnCount(), columns.size());
    for (int c = 0; c < columns.size(); ++c) {
        EXPECT_EQ(list.model()->headerData(c, Qt::Horizontal).toString(), columns[c].title);
        EXPECT_EQ(list.columnWidth(c), columns[c].width);
    }
    EXPECT_EQ(listViewRowCount(&list), 0);

    fill(3);
    list.setListing(listing());
    ASSERT_EQ(listViewRowCount(&list), 3);
    list.setListing(listing());
    for (int c = 0; c < columns.size(); ++c)
        EXPECT_EQ(list.columnWidth(c), columns[c].width) << c;
    EXPECT_EQ(row(2), (QStringList{"货2", "2", "2026年3月5日8时5分3秒", ""}));
}

struct FormatCase {
    std::string name;
    QString values; // SQL values of 名称, 件数, 到达, 备注
    QStringList shown;
};

void PrintTo(const FormatCase &c, std::ostream *out)
{
    *out << c.name;
}

class ReportListFormatTest : public ReportListTest, public ::testing::WithParamInterface<FormatCase>
{
};

TEST_P(ReportListFormatTest, CellsShowTheirValueAsItsColumnKindReadsIt)
{
    ASSERT_TRUE(executeSql(db, QStringLiteral("INSERT INTO 货物 VALUES (%1)").arg(GetParam().values)));
    list.setListing(listing());
    ASSERT_EQ(listViewRowCount(&list), 1);
    EXPECT_EQ(row(0), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, ReportListFormatTest,
    ::testing::Values(
        FormatCase{
            "Plain", "'电视机', 12, '2026-03-05 08:05:03', '易碎'", {"电视机", "12", "2026年3月5日8时5分3秒", "易碎"}},
        FormatCase{
            "MidnightShowsTheDateAlone", "'棉被', 0, '2026-03-06 00:00:00', ''", {"棉被", "0", "2026年3月6日", ""}},
        FormatCase{"NullsShowNothingOrZero", "NULL, NULL, NULL, NULL", {"", "0", "", ""}},
        FormatCase{"FractionTruncatedTowardZero", "'甲', -3.7, NULL, '7'", {"甲", "-3", "", "7"}},
        FormatCase{"BeyondTheRangeClamped", "'乙', 3000000000, NULL, NULL", {"乙", "2147483647", "", ""}},
        FormatCase{"TextThatIsNoDateShowsNothing", "'丙', '12件', '不是日期', NULL", {"丙", "0", "", ""}}),
    CaseName());

TEST_F(ReportListTest, AHundredThousandRecordsReadOnlyTheRowsShown)
{
    fill(100000);
    list.resize(400, 300);
    list.show();
    list.setListing(listing());
    QApplication::processEvents();
    ASSERT_EQ(listViewRowCount(&list), 100000);
    EXPECT_LT(list.listing().recordsRead(), 1000);

    list.scrollToBottom();
    QApplication::processEvents();
    selectRow(&list, 99999);
    EXPECT_EQ(selectedRow(&list), 99999);
    EXPECT_EQ(row(99999).value(0), QStringLiteral("货99999"));
    EXPECT_EQ(row(50000).value(1), QStringLiteral("50000"));
    EXPECT_LT(list.listing().recordsRead(), 1000);
}

TEST_F(ReportListTest, SelectingIsOneChangeAsAClickMakesAndANewListingClearsItSilently)
{
    fill(5);
    list.setListing(listing());
    int changes = 0;
    QObject::connect(list.selectionModel(), &QItemSelectionModel::selectionChanged, [&changes] { ++changes; });
    EXPECT_EQ(selectedRow(&list), -1);

    struct Step {
        int select, selected, changes;
    };
    // The selected row again is no change; a row outside the list clears the selection.
    for (const Step &step : {Step{2, 2, 1}, Step{2, 2, 1}, Step{4, 4, 2}, Step{9, -1, 3}, Step{0, 0, 4}}) {
        selectRow(&list, step.select);
        EXPECT_EQ(selectedRow(&list), step.selected) << step.select;
        EXPECT_EQ(changes, step.changes) << step.select;
    }

    list.setListing(listing());
    EXPECT_EQ(selectedRow(&list), -1);
    EXPECT_EQ(changes, 4);
    EXPECT_EQ(listViewCell(&list, 5, 0), QString());
    EXPECT_EQ(listViewCell(&list, 0, 9), QString());
}

TEST_F(ReportListTest, ARowShowsItsRecordAsFirstReadAndTheFirstRowsAreReadWithTheListing)
{
    fill(500);
    const RecordListing listed = listing();
    const qint64 gone = listed.recordId(450);
    ASSERT_TRUE(executeSql(db, QStringLiteral("UPDATE 货物 SET 备注 = '改'")));
    ASSERT_TRUE(executeSql(db, QStringLiteral("DELETE FROM 货物 WHERE rowid = %1").arg(gone)));
    list.setListing(listed);

    EXPECT_EQ(row(0), (QStringList{"货0", "0", "2026年3月5日8时5分3秒", ""}));
    EXPECT_EQ(row(350).value(3), QStringLiteral("改"));
    // A record deleted before its row was read keeps its row, with nothing to show.
    EXPECT_EQ(listViewRowCount(&list), 500);
    EXPECT_EQ(row(450), (QStringList{"", "0", "", ""}));
    EXPECT_EQ(listed.record(450).recordId(), gone);
    EXPECT_EQ(row(451).value(0), QStringLiteral("货451"));

    ASSERT_TRUE(executeSql(db, QStringLiteral("UPDATE 货物 SET 备注 = '再改'")));
    EXPECT_EQ(row(350).value(3), QStringLiteral("改"));
}

TEST_F(ReportListTest, AListingThatDidNotOpenListsNothing)
{
    fill(3);
    const RecordListing failed =
        RecordListing::open([](Database &, Recordset &records) { return records.openTable(QStringLiteral("货物")); });
    for (const RecordListing &empty : {failed, RecordListing()}) {
        EXPECT_EQ(empty.count(), 0);
        EXPECT_EQ(empty.recordId(0), -1);
        EXPECT_EQ(empty.record(0).recordId(), -1);
        EXPECT_TRUE(empty.record(0).read(QStringLiteral("名称")).isNull());
        list.setListing(empty);
        EXPECT_EQ(listViewRowCount(&list), 0);
    }
}

TEST_F(ReportListTest, AColumnOfAFieldTheRecordsDoNotHaveIsAWarning)
{
    fill(1);
    list.setColumns({{QStringLiteral("品名"), 60, QStringLiteral("名字"), ColumnKind::Text}});
    list.setListing(listing());
    const ExpectQtWarning warning(QStringLiteral("没有字段: 名字"));
    EXPECT_EQ(listViewCell(&list, 0, 0), QString());
}

// A listing stays open as long as its list shows it: it must hold no lock that would keep a save
// of another connection from committing.
TEST_F(ReportListTest, AShownListingLetsOtherConnectionsSave)
{
    fill(1000);
    list.resize(400, 300);
    list.show();
    list.setListing(listing());
    QApplication::processEvents();
    selectRow(&list, 500);
    ASSERT_EQ(row(500).value(0), QStringLiteral("货500"));

    Database writer;
    ASSERT_TRUE(writer.open(file, Database::Wait::Brief));
    Transaction save(writer);
    ASSERT_TRUE(save.isActive());
    ASSERT_TRUE(executeSql(writer, QStringLiteral("INSERT INTO 货物 (名称) VALUES ('新')")));
    EXPECT_TRUE(save.commit()) << writer.lastError().toStdString();
}
