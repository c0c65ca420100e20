#include "frame/db_access.h"
#include "frame/document_counters.h"
#include "frame/session.h"
#include "support/case_names.h"
#include "support/program_dir_fixture.h"

#include <QFile>

using frame::DocumentKind;

struct NumberCase {
    const char *name;
    const char *number;
    qint64 count;
    const char *expected;
};

class AdvancedNumberText : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(AdvancedNumberText, CountDigitsEndAtCharacterNine)
{
    const NumberCase &c = GetParam();
    EXPECT_EQ(frame::advancedNumberText(QString::fromUtf8(c.number), c.count), QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, AdvancedNumberText,
                         ::testing::Values(NumberCase{"Next", "YW0000001", 2, "YW0000002"},
                                           NumberCase{"CarryIntoANewDigit", "YW0000009", 10, "YW0000010"},
                                           NumberCase{"Hundred", "YW0000099", 100, "YW0000100"},
                                           NumberCase{"RestStays", "YW2026000001", 2, "YW2026002001"},
                                           NumberCase{"ShortFilledWithZeros", "FH", 7, "FH0000007"},
                                           NumberCase{"EmptyNumber", "", 12, "000000012"},
                                           NumberCase{"NineDigits", "JH0000001", 123456789, "123456789"},
                                           NumberCase{"LargestNineDigits", "JH0000001", 999999999, "999999999"},
                                           // Longer counts keep every digit, and what followed character 9.
                                           NumberCase{"TenDigits", "JH0000001", 1000000000, "1000000000"},
                                           NumberCase{"BeyondInt32KeepsTheTail", "JH0000001-A", 2147483648,
                                                      "2147483648-A"}),
                         CaseName());

using DocumentCountersTest = ProgramDirTest;

// Advances a kind's number in a save of its own on main.mdb, as a document's save does.
bool advanceInSave(frame::DocumentCounters &counters, DocumentKind kind, bool commit = true)
{
    platform::WriteSession session(frame::dataFilePath(QStringLiteral("main.mdb")),
                                   {frame::DocumentCounters::counterAttachment()});
    return counters.nextDocumentNumber(session, kind) && (!commit || session.commit());
}

TEST_F(DocumentCountersTest, AdvancedNumberIsStoredWithTheSave)
{
    frame::DocumentCounters counters;
    ASSERT_TRUE(counters.load());
    EXPECT_EQ(counters.number(DocumentKind::Picking), QStringLiteral("JH0000001"));
    ASSERT_TRUE(advanceInSave(counters, DocumentKind::Picking));
    EXPECT_EQ(counters.number(DocumentKind::Picking), QStringLiteral("JH0000002"));

    // A program that dies now must not hand out JH0000001's successor again.
    frame::DocumentCounters afterRestart;
    ASSERT_TRUE(afterRestart.load());
    EXPECT_EQ(afterRestart.number(DocumentKind::Picking), QStringLiteral("JH0000002"));
    EXPECT_EQ(afterRestart.count(DocumentKind::Picking), 2);
    EXPECT_EQ(afterRestart.number(DocumentKind::Order), QStringLiteral("YW0000001"));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(DocumentCountersTest, SaveThatDoesNotCommitAdvancesNothing)
{
    frame::DocumentCounters counters;
    ASSERT_TRUE(counters.load());
    ASSERT_TRUE(advanceInSave(counters, DocumentKind::Picking, false));
    EXPECT_EQ(counters.number(DocumentKind::Picking), QStringLiteral("JH0000001"));
    frame::DocumentCounters afterRestart;
    ASSERT_TRUE(afterRestart.load());
    EXPECT_EQ(afterRestart.number(DocumentKind::Picking), QStringLiteral("JH0000001"));
}

TEST_F(DocumentCountersTest, CountBeyondThe32BitRangeDoesNotWrap)
{
    sql(QStringLiteral("system.mdb"), QStringLiteral("UPDATE 开单次数 SET 检货号 = 2147483647"));
    frame::DocumentCounters counters;
    ASSERT_TRUE(counters.load());
    ASSERT_TRUE(advanceInSave(counters, DocumentKind::Picking));
    EXPECT_EQ(counters.number(DocumentKind::Picking), QStringLiteral("2147483648"));
    frame::DocumentCounters afterRestart;
    ASSERT_TRUE(afterRestart.load());
    EXPECT_EQ(afterRestart.count(DocumentKind::Picking), Q_INT64_C(2147483648));
}

TEST_F(DocumentCountersTest, UnreadableCountersSayWhyAndLeaveTheNumbersEmpty)
{
    const QString manual = QStringLiteral("在录入各类单据的时候你得手动输入单号值了.");
    sql(QStringLiteral("system.mdb"), QStringLiteral("DROP TABLE 累加单号值"));
    frame::DocumentCounters counters;
    EXPECT_FALSE(counters.load());
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/system.mdb"))));
    EXPECT_FALSE(counters.load());
    EXPECT_EQ(messages.texts(), (QStringList{QStringLiteral("打开累加单号值表失败!") + manual,
                                             QStringLiteral("系统数据库连接失败!") + manual}));
    EXPECT_EQ(counters.number(DocumentKind::Order), QString());
}

TEST_F(DocumentCountersTest, NumberStaysAndTheSaveFailsWhenItCannotBeStored)
{
    frame::DocumentCounters counters;
    ASSERT_TRUE(counters.load());
    sql(QStringLiteral("system.mdb"), QStringLiteral("DROP TABLE 开单次数"));
    EXPECT_FALSE(advanceInSave(counters, DocumentKind::Order));
    EXPECT_EQ(counters.number(DocumentKind::Order), QStringLiteral("YW0000001"));
    EXPECT_EQ(counters.count(DocumentKind::Order), 1);
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 业务单号 FROM 累加单号值")),
              QStringList{"YW0000001"});
}
