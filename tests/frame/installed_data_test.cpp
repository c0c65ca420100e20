#include "frame/installed_data.h"
#include "platform/recordset.h"
#include "support/program_dir_fixture.h"

#include <QDir>
#include <QFile>

using InstalledDataTest = ProgramDirTest;

TEST_F(InstalledDataTest, CreatesTheDataFoldersAndDefaults)
{
    for (const QString &name : frame::databaseFileNames())
        EXPECT_TRUE(QFile::exists(path(QStringLiteral("data/") + name))) << name.toStdString();
    for (const char *folder : {"grd", "grd_fhqd", "dbbak", "导出电子表格"})
        EXPECT_TRUE(QDir(path(QString::fromUtf8(folder))).exists()) << folder;
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("program.ini"))));
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("grd/null.grd"))));
    EXPECT_EQ(count(QStringLiteral("system.mdb"), QStringLiteral("累加单号值")), 1);
    EXPECT_EQ(count(QStringLiteral("system.mdb"), QStringLiteral("开单次数")), 1);
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 级别 FROM 操作员")), QStringList{"管理员"});

    // The flags that nobody has set yet read "否".
    sql(QStringLiteral("main.mdb"), QStringLiteral("INSERT INTO 业务状态 (业务单号) VALUES ('A')"));
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("INSERT INTO 外地入埠货物 (品名) VALUES ('A')"));
    EXPECT_EQ(column(QStringLiteral("main.mdb"), QStringLiteral("SELECT 已入库 || 已出库 FROM 业务状态")),
              QStringList{"否否"});
    EXPECT_EQ(column(QStringLiteral("ywzhxx.mdb"), QStringLiteral("SELECT 已提货 FROM 外地入埠货物")),
              QStringList{"否"});
}

TEST_F(InstalledDataTest, OperatorColumnsStandInTheirPositions)
{
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT name FROM pragma_table_info('操作员')")),
              (QStringList{"登陆帐号", "姓名", "密码", "级别", "权限", "部门", "最后登陆时间", "登陆次数"}));
}

TEST_F(InstalledDataTest, RunningAgainAddsOnlyWhatIsMissing)
{
    sql(QStringLiteral("system.mdb"), QStringLiteral("UPDATE 操作员 SET 密码 = 'secret'"));
    sql(QStringLiteral("main.mdb"), QStringLiteral("INSERT INTO 出库临时表 (业务单号) VALUES ('Q1')"));
    sql(QStringLiteral("main.mdb"), QStringLiteral("DROP TABLE 检货临时库"));
    sql(QStringLiteral("system.mdb"), QStringLiteral("DROP TABLE 累加单号值"));
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("data/sc.mdb"))));
    QFile ini(path(QStringLiteral("program.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[系统]\n主界面标题=我的公司\n");
    ini.close();

    QString error;
    ASSERT_TRUE(frame::createInstalledData(dir.path(), &error)) << error.toStdString();
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 密码 FROM 操作员")), QStringList{"secret"});
    EXPECT_EQ(count(QStringLiteral("system.mdb"), QStringLiteral("操作员")), 1);
    // A table made again gets its default rows; the tables that stayed get none.
    EXPECT_EQ(column(QStringLiteral("system.mdb"), QStringLiteral("SELECT 检货号 FROM 累加单号值")),
              QStringList{"JH0000001"});
    EXPECT_EQ(count(QStringLiteral("system.mdb"), QStringLiteral("开单次数")), 1);
    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("出库临时表")), 1);
    EXPECT_EQ(count(QStringLiteral("main.mdb"), QStringLiteral("检货临时库")), 0);
    EXPECT_TRUE(QFile::exists(path(QStringLiteral("data/sc.mdb"))));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(ini.readAll()), QStringLiteral("[系统]\n主界面标题=我的公司\n"));
}

TEST_F(InstalledDataTest, AnExistingFileGainsTheIndexOfTheInboundDateQuery)
{
    sql(QStringLiteral("ywzhxx.mdb"), QStringLiteral("DROP INDEX 外地入埠货物_已提货_到达日期"));
    QString error;
    ASSERT_TRUE(frame::createInstalledData(dir.path(), &error)) << error.toStdString();

    platform::Database db;
    ASSERT_TRUE(db.open(path(QStringLiteral("data/ywzhxx.mdb"))));
    platform::Recordset plan;
    plan.attach(db);
    // The condition as the inbound page's filter compiles it.
    ASSERT_TRUE(plan.openSql(QStringLiteral(
        "EXPLAIN QUERY PLAN SELECT rowid FROM \"外地入埠货物\" WHERE (((\"到达日期\" > '2026-01-01 00:00:00') AND "
        "(\"到达日期\" < '2026-02-01 00:00:00')) AND (\"已提货\" = '否')) ORDER BY rowid")));
    QString steps;
    for (bool ok = plan.moveFirst(); ok; ok = plan.moveNext())
        steps += plan.readText(QStringLiteral("detail")) + u'\n';
    EXPECT_TRUE(
        steps.contains(QStringLiteral("INDEX 外地入埠货物_已提货_到达日期 (已提货=? AND 到达日期>? AND 到达日期<?)")))
        << steps.toStdString();
}
