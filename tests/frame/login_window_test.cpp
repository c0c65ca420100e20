#include "frame/login_window.h"
#include "frame/main_window.h"
#include "frame/session.h"
#include "platform/focus.h"
#include "support/qt_warnings.h"
#include "support/case_names.h"
#include "support/program_dir_fixture.h"
#include "support/units.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

class LoginTest : public ProgramDirTest
{
protected:
    void SetUp() override
    {
        ProgramDirTest::SetUp();
        login = new frame::LoginWindow;
    }
    void TearDown() override
    {
        delete login.data();
        delete shownWindow<frame::MainWindow>();
        ProgramDirTest::TearDown();
    }

    void attempt(const QString &account, const QString &password)
    {
        login->findChild<QLineEdit *>(QStringLiteral("编辑框_登陆_用户名"))->setText(account);
        login->findChild<QLineEdit *>(QStringLiteral("编辑框_登陆_密码"))->setText(password);
        login->findChild<QPushButton *>(QStringLiteral("按钮_登陆_登陆确定"))->click();
    }

    QPointer<frame::LoginWindow> login;
};

TEST_F(LoginTest, StartsWithTheFocusInTheAccountBoxAndTheCountersLoaded)
{
    EXPECT_EQ(platform::focusTarget(), login->findChild<QLineEdit *>(QStringLiteral("编辑框_登陆_用户名")));
    EXPECT_EQ(frame::documentCounters().number(frame::DocumentKind::Order), QStringLiteral("YW0000001"));
    EXPECT_EQ(login->size(), QSize(320, 170));
    EXPECT_TRUE(login->windowFlags() & Qt::FramelessWindowHint);
}

TEST_F(LoginTest, SuccessfulLoginStampsTheAccountAndOpensTheMainWindow)
{
    sql(QStringLiteral("system.mdb"),
        QStringLiteral("INSERT INTO 操作员 VALUES ('li', '李四', 'pw', '岗位操作员', '受理&仓库', '业务部', NULL, 4)"));
    attempt(QStringLiteral("li"), QStringLiteral("pw"));
    ASSERT_NE(shownWindow<frame::MainWindow>(), nullptr);
    EXPECT_TRUE(messages.messages.isEmpty());
    const frame::CurrentOperator &op = frame::currentOperator();
    EXPECT_EQ(op.name, QStringLiteral("李四"));
    EXPECT_EQ(op.role, QStringLiteral("岗位操作员"));
    EXPECT_EQ(op.permissions, QStringLiteral("受理&仓库"));
    EXPECT_EQ(op.department, QStringLiteral("业务部"));
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 登陆次数 FROM 操作员 WHERE 登陆帐号 = 'li'")),
              QStringList{"5"});
    const QStringList stamp =
        column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 最后登陆时间 FROM 操作员 WHERE 登陆帐号 = 'li'"));
    ASSERT_EQ(stamp.size(), 1);
    EXPECT_EQ(stamp.first().left(10), QDate::currentDate().toString(Qt::ISODate));
    EXPECT_EQ(shownWindow<frame::MainWindow>()->statusPanel(1), QStringLiteral("李四"));
    EXPECT_EQ(shownWindow<frame::MainWindow>()->statusPanel(3), QStringLiteral("岗位操作员"));
    EXPECT_EQ(shownWindow<frame::MainWindow>()->statusPanel(5), QStringLiteral("业务部"));
    EXPECT_EQ(shownWindow<frame::MainWindow>()->statusPanel(7), QStringLiteral("等待操作!"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(login.isNull());
}

TEST_F(LoginTest, ThreeFailuresEndTheProgram)
{
    const QString text = QStringLiteral("用户名或密码错误!请仔细检查后再次登陆.");
    const QList<std::pair<QString, QString>> tries = {
        {QStringLiteral("admin"), QStringLiteral("wrong")},
        {QStringLiteral("nobody"), QStringLiteral("admin")},
        {QStringLiteral("x' or '1'='1"), QStringLiteral("x' or '1'='1")},
    };
    for (int i = 0; i < tries.size(); ++i) {
        EXPECT_FALSE(ends.ended) << i;
        attempt(tries[i].first, tries[i].second);
        ASSERT_EQ(messages.messages.size(), i + 1);
        EXPECT_EQ(messages.messages[i].text, text);
        EXPECT_EQ(messages.messages[i].title, QStringLiteral("第%1次错误").arg(i + 1));
    }
    EXPECT_TRUE(ends.ended);
    EXPECT_EQ(ends.exitCode, 0);
    EXPECT_EQ(shownWindow<frame::MainWindow>(), nullptr);
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 登陆次数 FROM 操作员")), QStringList{"0"});
}

struct UnreadableOperators {
    const char *name;
    QStringList breakage; // SQL run on system.mdb; none: the file is removed
    const char *errorMentions;
    const char *warning = nullptr; // the Qt warning the breakage gives, if any
};

class UnreadableOperatorsTest : public LoginTest, public ::testing::WithParamInterface<UnreadableOperators>
{
};

// No password could be checked, so it is no failed login: the first try says why and ends.
TEST_P(UnreadableOperatorsTest, SaysTheSystemDatabaseCannotBeReadAndEnds)
{
    for (const QString &statement : GetParam().breakage)
        sql(QStringLiteral("system.mdb"), statement);
    if (GetParam().breakage.isEmpty()) {
        ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/system.mdb"))));
    }
    std::optional<ExpectQtWarning> warning;
    if (GetParam().warning)
        warning.emplace(QString::fromUtf8(GetParam().warning));
    attempt(QStringLiteral("admin"), QStringLiteral("admin"));
    ASSERT_EQ(messages.messages.size(), 1);
    const QString text = messages.messages.first().text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("系统数据库不存在或无法打开!程序将退出.\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromUtf8(GetParam().errorMentions))) << text.toStdString();
    EXPECT_EQ(messages.messages.first().title, QString());
    EXPECT_TRUE(ends.ended);
    EXPECT_EQ(ends.exitCode, 0);
    EXPECT_EQ(shownWindow<frame::MainWindow>(), nullptr);
    if (GetParam().breakage.isEmpty()) {
        EXPECT_FALSE(QFile::exists(path(QStringLiteral("data/system.mdb"))));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Breakages, UnreadableOperatorsTest,
    ::testing::Values(UnreadableOperators{"DatabaseMissing", {}, ""},
                      UnreadableOperators{"OperatorsTableMissing", {"DROP TABLE 操作员"}, "操作员"},
                      UnreadableOperators{
                          "PasswordColumnMissing", {"ALTER TABLE 操作员 DROP COLUMN 密码"}, "密码", "没有字段"},
                      // Its columns read, its records fail to.
                      UnreadableOperators{"OperatorsRecordsUnreadable",
                                          {"ALTER TABLE 操作员 RENAME TO 旧操作员",
                                           "CREATE VIEW 操作员 AS SELECT * FROM 旧操作员 WHERE json('坏') IS NOT NULL"},
                                          "malformed JSON"}),
    CaseName());

TEST_F(LoginTest, CancelEndsTheProgram)
{
    login->findChild<QPushButton *>(QStringLiteral("按钮_登陆_取消"))->click();
    EXPECT_TRUE(ends.ended);
}
