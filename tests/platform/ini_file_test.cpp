#include "platform/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::IniFile;

class IniFileTest : public ::testing::Test
{
protected:
    QString put(const QByteArray &text)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    QByteArray read() const
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    QTemporaryDir dir;
    QString path = dir.filePath("program.ini");
};

TEST_F(IniFileTest, ReadsAKeyOfItsSectionOnly)
{
    put("; 设置\r\n[系统]\r\n 标题 = 货运 \r\n路径=\r\n[其他]\r\n备份=x\r\n");
    const IniFile ini(path);
    struct Case {
        const char *name, *section, *key, *expected;
    };
    const Case cases[] = {
        {"blanks and CRLF trimmed", "系统", "标题", "货运"},
        {"empty value", "系统", "路径", ""},
        {"key of another section", "系统", "备份", "(none)"},
        {"missing section", "无", "标题", "(none)"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ini.value(QString::fromUtf8(c.section), QString::fromUtf8(c.key), "(none)"),
                  QString::fromUtf8(c.expected))
            << c.name;
    EXPECT_EQ(IniFile(dir.filePath("missing.ini")).value("系统", "标题", "(none)"), "(none)");
}

TEST_F(IniFileTest, SetValueChangesOneLineAndKeepsTheRest)
{
    struct Case {
        const char *name, *before, *section, *key, *after;
    };
    const Case cases[] = {
        {"replaces in place", "; c\n[a]\nk=1\nj=2\n", "a", "k", "; c\n[a]\nk=v\nj=2\n"},
        {"adds below the section's last key", "[a]\nk=1\n\n[b]\nj=2\n", "a", "n", "[a]\nk=1\nn=v\n\n[b]\nj=2\n"},
        {"adds below the header of a section with no keys", "[a]\n\n[b]\nj=2\n", "a", "n", "[a]\nn=v\n\n[b]\nj=2\n"},
        {"adds a new section at the end", "[a]\nk=1\n", "b", "n", "[a]\nk=1\n[b]\nn=v\n"},
        {"writes a missing file", nullptr, "a", "k", "[a]\nk=v\n"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path);
        if (c.before)
            put(c.before);
        IniFile ini(path);
        ASSERT_TRUE(ini.setValue(c.section, c.key, "v"));
        EXPECT_EQ(read(), c.after);
        EXPECT_EQ(IniFile(path).value(c.section, c.key), "v");
    }
}

TEST_F(IniFileTest, FailedWriteChangesNeitherTheFileNorTheValues)
{
    const QString folder = dir.filePath("program");
    ASSERT_TRUE(QDir().mkdir(folder));
    path = folder + "/program.ini";
    put("[a]\nk=1\n");
    IniFile ini(path);
    // The folder is moved away and a file takes its name, so the ini file cannot be written.
    ASSERT_TRUE(QDir().rename(folder, folder + ".moved"));
    QFile(folder).open(QIODevice::WriteOnly);

    EXPECT_FALSE(ini.setValue("a", "k", "2"));
    EXPECT_EQ(ini.value("a", "k"), "1");
    path = folder + ".moved/program.ini";
    EXPECT_EQ(read(), "[a]\nk=1\n");
}

} // namespace
