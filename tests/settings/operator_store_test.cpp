#include "settings/operator_store.h"
#include "operator_table.h"
#include "support/case_names.h"

#include <QFile>

using settings::Operator;
using settings::OperatorSaveOutcome;

namespace {

constexpr int added = -1;

const Account installedAdministrator{"admin", "系统管理员", "admin", "管理员", "", "总经理室"};

// Two records sharing one account, and records with a NULL and an empty account.
const QList<Account> sharedAccounts = {installedAdministrator,
                                       {"bob", "鲍勃", "pw", "业务主管", "", "业务部"},
                                       {"bob", "博", "pw2", "岗位操作员", "受理", "仓储部"},
                                       {QString(), "无名", "pw3", "岗位操作员", "查询", "仓储部"},
                                       {"", "空名", "pw4", "内务主管", "", "后勤部"}};

const QList<Account> oneAdministrator = {installedAdministrator, {"bob", "鲍勃", "pw", "业务主管", "", "业务部"}};
const QList<Account> twoAdministrators =
    oneAdministrator + QList<Account>{{"root", "根", "pw", "管理员", "", "总经理室"}};
const QList<Account> noAdministrator = {{"bob", "鲍勃", "pw", "业务主管", "", "业务部"}};

} // namespace

class OperatorStoreTest : public OperatorTableTest
{
protected:
    // Saves the account as typed on the page: the login columns are never typed.
    settings::OperatorSaveResult save(const QList<qint64> &ids, int target, const Account &a)
    {
        const Operator typed{a.account, a.name, a.password, a.role, a.permissions, a.department};
        return target == added ? settings::addOperatorRecord(typed)
                               : settings::modifyOperatorRecord(ids[target], typed);
    }
};

TEST_F(OperatorStoreTest, ListsEveryAccountInTableOrderWithItsRecordIdentity)
{
    const QList<qint64> ids = fillAccounts(sharedAccounts);
    sql(QStringLiteral("system.mdb"), QStringLiteral("UPDATE 操作员 SET 最后登陆时间 = '2026-12-10 08:05:03', "
                                                     "登陆次数 = 7 WHERE 姓名 = '博'"));
    const platform::RecordListing listed = settings::readOperators();
    ASSERT_EQ(listed.count(), sharedAccounts.size());
    for (int i = 0; i < listed.count(); ++i) {
        const platform::ListedRecord op = listed.record(i);
        EXPECT_EQ(listed.recordId(i), ids[i]);
        EXPECT_EQ(op.recordId(), ids[i]);
        EXPECT_EQ(QStringList({op.readText("登陆帐号"), op.readText("姓名"), op.readText("密码"), op.readText("级别"),
                               op.readText("权限"), op.readText("部门")}),
                  QStringList({sharedAccounts[i].account, sharedAccounts[i].name, sharedAccounts[i].password,
                               sharedAccounts[i].role, sharedAccounts[i].permissions, sharedAccounts[i].department}));
    }
    EXPECT_EQ(listed.record(2).readDateTime("最后登陆时间"), QDateTime(QDate(2026, 12, 10), QTime(8, 5, 3)));
    EXPECT_EQ(listed.record(2).readInt("登陆次数"), 7);
    EXPECT_FALSE(listed.record(1).readDateTime("最后登陆时间").isValid());
    EXPECT_TRUE(messages.texts().isEmpty());
}

TEST_F(OperatorStoreTest, ListingWithoutTheFileIsEmptyAfterTheConnectionMessage)
{
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/system.mdb"))));
    EXPECT_EQ(settings::readOperators().count(), 0);
    ASSERT_EQ(messages.texts().size(), 1);
    EXPECT_TRUE(messages.texts()[0].startsWith(QStringLiteral("数据库连接失败!")));
}

struct SaveCase {
    const char *name;
    QList<Account> table;
    int target; // the row modified, or added
    Account typed;
    OperatorSaveOutcome outcome;
    QString stored; // the written record as accounts() shows it; empty when the save is refused
};

class OperatorSaveTest : public OperatorStoreTest, public ::testing::WithParamInterface<SaveCase>
{
};

TEST_P(OperatorSaveTest, WritesExactlyItsOwnRecordOrNothing)
{
    const SaveCase &c = GetParam();
    const QList<qint64> ids = fillAccounts(c.table);
    QStringList expected = accounts();
    const settings::OperatorSaveResult result = save(ids, c.target, c.typed);
    EXPECT_EQ(result.outcome, c.outcome) << result.error.toStdString();
    if (c.target == added && !c.stored.isEmpty())
        expected.append(c.stored);
    else if (!c.stored.isEmpty())
        expected[c.target] = c.stored;
    EXPECT_EQ(accounts(), expected);
    EXPECT_TRUE(messages.texts().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Accounts, OperatorSaveTest,
                         ::testing::Values(SaveCase{"AddPostOperatorKeepsItsWords",
                                                    sharedAccounts,
                                                    added,
                                                    {"clerk", "王五", "pw", "岗位操作员", "受理&仓库", "仓储部"},
                                                    OperatorSaveOutcome::Saved,
                                                    "clerk|王五|pw|岗位操作员|受理&仓库|仓储部"},
                                           SaveCase{"AddPresetRoleDropsTickedWords",
                                                    sharedAccounts,
                                                    added,
                                                    {"boss", "赵六", "pw", "业务主管", "人资&市场", "业务部"},
                                                    OperatorSaveOutcome::Saved,
                                                    "boss|赵六|pw|业务主管||业务部"},
                                           SaveCase{"AddWithoutRoleLeavesItUnset",
                                                    sharedAccounts,
                                                    added,
                                                    {"temp", "临时", "pw", "", "受理", "业务部"},
                                                    OperatorSaveOutcome::Saved,
                                                    "temp|临时|pw|<null>||业务部"},
                                           SaveCase{"AddTakenAccount",
                                                    sharedAccounts,
                                                    added,
                                                    {"bob", "新人", "pw", "岗位操作员", "", "业务部"},
                                                    OperatorSaveOutcome::AccountTaken,
                                                    ""},
                                           SaveCase{"AddEmptyAccount",
                                                    sharedAccounts,
                                                    added,
                                                    {"", "新人", "pw", "岗位操作员", "", "业务部"},
                                                    OperatorSaveOutcome::AccountEmpty,
                                                    ""},
                                           SaveCase{"ModifySecondOfTwoSharingAnAccount",
                                                    sharedAccounts,
                                                    2,
                                                    {"bob", "博文", "new", "岗位操作员", "受理&调度", "仓储部"},
                                                    OperatorSaveOutcome::Saved,
                                                    "bob|博文|new|岗位操作员|受理&调度|仓储部"},
                                           SaveCase{"ModifyFirstOfTwoSharingAnAccountToAFreeOne",
                                                    sharedAccounts,
                                                    1,
                                                    {"robert", "鲍勃", "pw", "市场主管", "", "市场部"},
                                                    OperatorSaveOutcome::Saved,
                                                    "robert|鲍勃|pw|市场主管||市场部"},
                                           SaveCase{"ModifyToAnAccountAnotherRecordHolds",
                                                    sharedAccounts,
                                                    3,
                                                    {"bob", "无名", "pw3", "岗位操作员", "查询", "仓储部"},
                                                    OperatorSaveOutcome::AccountTaken,
                                                    ""},
                                           SaveCase{"ModifyRecordWithNullAccount",
                                                    sharedAccounts,
                                                    3,
                                                    {"dave", "戴夫", "pw3", "岗位操作员", "查询", "仓储部"},
                                                    OperatorSaveOutcome::Saved,
                                                    "dave|戴夫|pw3|岗位操作员|查询|仓储部"},
                                           SaveCase{"ModifyRecordWithEmptyAccount",
                                                    sharedAccounts,
                                                    4,
                                                    {"erin", "空名", "pw4", "内务主管", "", "后勤部"},
                                                    OperatorSaveOutcome::Saved,
                                                    "erin|空名|pw4|内务主管||后勤部"},
                                           SaveCase{"ModifyToEmptyAccount",
                                                    sharedAccounts,
                                                    1,
                                                    {"", "鲍勃", "pw", "业务主管", "", "业务部"},
                                                    OperatorSaveOutcome::AccountEmpty,
                                                    ""},
                                           SaveCase{"ModifyWithoutRoleKeepsTheStoredRole",
                                                    sharedAccounts,
                                                    1,
                                                    {"bob", "鲍勃", "pw", "", "受理", "财务部"},
                                                    OperatorSaveOutcome::Saved,
                                                    "bob|鲍勃|pw|业务主管||财务部"}),
                         CaseName());

INSTANTIATE_TEST_SUITE_P(Administrators, OperatorSaveTest,
                         ::testing::Values(SaveCase{"LastAdministratorToAnotherRoleRefused",
                                                    oneAdministrator,
                                                    0,
                                                    {"admin", "系统管理员", "admin", "业务主管", "", "总经理室"},
                                                    OperatorSaveOutcome::LastAdministrator,
                                                    ""},
                                           SaveCase{"OneOfTwoAdministratorsToAnotherRoleAllowed",
                                                    twoAdministrators,
                                                    2,
                                                    {"root", "根", "pw", "岗位操作员", "受理", "总经理室"},
                                                    OperatorSaveOutcome::Saved,
                                                    "root|根|pw|岗位操作员|受理|总经理室"},
                                           SaveCase{"LastAdministratorKeepingTheRole",
                                                    oneAdministrator,
                                                    0,
                                                    {"boss", "老板", "new", "管理员", "", "总经理室"},
                                                    OperatorSaveOutcome::Saved,
                                                    "boss|老板|new|管理员||总经理室"},
                                           SaveCase{"LastAdministratorWithoutRoleKeepsIt",
                                                    oneAdministrator,
                                                    0,
                                                    {"admin", "系统管理员", "admin", "", "", "总经理室"},
                                                    OperatorSaveOutcome::Saved,
                                                    "admin|系统管理员|admin|管理员||总经理室"},
                                           SaveCase{"AddLeavingNoAdministratorRefused",
                                                    noAdministrator,
                                                    added,
                                                    {"clerk", "王五", "pw", "岗位操作员", "受理", "仓储部"},
                                                    OperatorSaveOutcome::LastAdministrator,
                                                    ""},
                                           SaveCase{"AddAdministratorWhereNoneIs",
                                                    noAdministrator,
                                                    added,
                                                    {"admin", "系统管理员", "admin", "管理员", "", "总经理室"},
                                                    OperatorSaveOutcome::Saved,
                                                    "admin|系统管理员|admin|管理员||总经理室"}),
                         CaseName());

struct FailureCase {
    const char *name;
    std::optional<WriteTrouble> trouble; // none: the modified record is deleted after the listing
    int target;
    OperatorSaveOutcome outcome;
    QString error;     // a part of the reported error text
    QStringList shown; // the beginnings of the messages the connection shows on its own
};

class OperatorSaveFailureTest : public OperatorStoreTest, public ::testing::WithParamInterface<FailureCase>
{
};

TEST_P(OperatorSaveFailureTest, ReportsTheFailureAndSavesNothing)
{
    const FailureCase &c = GetParam();
    const QList<qint64> ids = fillAccounts(oneAdministrator);
    const QStringList before = accounts();
    if (c.trouble)
        cause(*c.trouble);
    else
        sql(QStringLiteral("system.mdb"), QStringLiteral("DELETE FROM 操作员 WHERE 登陆帐号 = 'bob'"));
    const settings::OperatorSaveResult result = save(ids, c.target, {"carol", "卡罗", "pw", "业务主管", "", "业务部"});
    release();
    EXPECT_EQ(result.outcome, c.outcome);
    EXPECT_TRUE(result.error.contains(c.error)) << result.error.toStdString();
    ASSERT_EQ(messages.texts().size(), c.shown.size()) << messages.texts().join(u'\n').toStdString();
    for (int i = 0; i < c.shown.size(); ++i)
        EXPECT_TRUE(messages.texts()[i].startsWith(c.shown[i])) << messages.texts()[i].toStdString();
    EXPECT_EQ(accounts(), c.trouble ? before : before.first(1));
}

INSTANTIATE_TEST_SUITE_P(Failures, OperatorSaveFailureTest,
                         ::testing::Values(FailureCase{"ModifyOfAVanishedRecord",
                                                       std::nullopt,
                                                       1,
                                                       OperatorSaveOutcome::WriteFailed,
                                                       "列表中选择的帐号已不存在.",
                                                       {}},
                                           FailureCase{"AddRefusedByTheDatabase",
                                                       WriteTrouble::RefusedWrite,
                                                       added,
                                                       OperatorSaveOutcome::WriteFailed,
                                                       "磁盘已满",
                                                       {}},
                                           FailureCase{"ModifyRefusedByTheDatabase",
                                                       WriteTrouble::RefusedWrite,
                                                       1,
                                                       OperatorSaveOutcome::WriteFailed,
                                                       "磁盘已满",
                                                       {}},
                                           FailureCase{"AddToAHeldFile",
                                                       WriteTrouble::HeldFile,
                                                       added,
                                                       OperatorSaveOutcome::OpenFailed,
                                                       "locked",
                                                       {"数据库连接失败!"}},
                                           FailureCase{"ModifyInAHeldFile",
                                                       WriteTrouble::HeldFile,
                                                       1,
                                                       OperatorSaveOutcome::OpenFailed,
                                                       "locked",
                                                       {"数据库连接失败!"}}),
                         CaseName());
