#include "platform/database.h"
#include "platform/recordset.h"
#include "support/temp_database.h"

using namespace platform;

class ScriptTest : public TempDatabaseTest
{
protected:
    // The given column of every row of a query, as texts.
    QStringList column(const QString &sql, const QString &field)
    {
        Recordset rs;
        rs.attach(db);
        QStringList out;
        if (rs.openSql(sql))
            for (bool ok = rs.moveFirst(); ok; ok = rs.moveNext())
                out.append(rs.read(field).isNull() ? QStringLiteral("<null>") : rs.readText(field));
        return out;
    }
};

TEST_F(ScriptTest, RunsEveryStatementWithSemicolonsInsideTextsAndComments)
{
    ASSERT_TRUE(executeScript(db, QStringLiteral("CREATE TABLE 备注 (内容 TEXT DEFAULT '甲;乙', 说明 TEXT);\n"
                                                 "-- a comment; with a semicolon\n"
                                                 "INSERT INTO 备注 (说明) VALUES ('a;b'';c');\n"
                                                 "INSERT INTO 备注 DEFAULT VALUES")))
        << db.lastError().toStdString();
    EXPECT_EQ(column(QStringLiteral("select 内容 from 备注"), QStringLiteral("内容")), (QStringList{"甲;乙", "甲;乙"}));
    EXPECT_EQ(column(QStringLiteral("select 说明 from 备注"), QStringLiteral("说明")),
              (QStringList{"a;b';c", "<null>"}));
}

TEST_F(ScriptTest, StopsAtTheFirstFailingStatementWithItsError)
{
    EXPECT_FALSE(executeScript(db, QStringLiteral("CREATE TABLE 甲 (x); INSERT INTO 没有的表 VALUES (1); "
                                                  "CREATE TABLE 乙 (x);")));
    EXPECT_TRUE(db.lastError().contains(QStringLiteral("没有的表"))) << db.lastError().toStdString();
    EXPECT_EQ(column(QStringLiteral("select name from sqlite_master order by name"), QStringLiteral("name")),
              QStringList{"甲"});

    db.close();
    EXPECT_FALSE(executeScript(db, QStringLiteral("CREATE TABLE 丙 (x)")));
}
