#include "platform/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

using platform::replaceFile;
using platform::writeAllChecked;
using platform::writeFileAtomically;

class AtomicFileTest : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    void put(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray read(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot); }

    QTemporaryDir dir;
};

// Runs a write with the process allowed files of at most limit bytes: a write beyond fails as
// on a full disk (EFBIG instead of ENOSPC), with no root and no special file system. The limit
// covers the write alone, so that the test's own output is never cut.
bool underFileSizeLimit(rlim_t limit, const std::function<bool()> &write)
{
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = limit;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limited);
    const bool ok = write();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    return ok;
}

TEST_F(AtomicFileTest, ReplacesTheWholeFileAndLeavesNoTemporaryFile)
{
    put("f.txt", QByteArray(5000, 'o'));
    ASSERT_TRUE(writeFileAtomically(path("f.txt"), "new"));
    EXPECT_EQ(read("f.txt"), "new");
    ASSERT_TRUE(writeFileAtomically(path("g.txt"), ""));
    EXPECT_EQ(read("g.txt"), "");
    EXPECT_EQ(files(), (QStringList{"f.txt", "g.txt"}));
}

// The disk fills up during the write: small enough to sit in the write buffer (the failure shows
// only at the flush; QSaveFile::commit alone reports success and leaves a cut file) or large
// enough to be written at once.
TEST_F(AtomicFileTest, WriteThatRunsOutOfRoomFailsAndLeavesTheOldFile)
{
    const QList<std::pair<const char *, qsizetype>> cases = {{"buffered", 4000}, {"unbuffered", 1 << 20}};
    for (const auto &[name, size] : cases) {
        SCOPED_TRACE(name);
        put("f.txt", "old");
        QString error;
        const QByteArray bytes(size, 'x');
        EXPECT_FALSE(underFileSizeLimit(1024, [&] { return writeFileAtomically(path("f.txt"), bytes, &error); }));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(read("f.txt"), "old");
        EXPECT_EQ(files(), QStringList{"f.txt"});
    }
}

TEST_F(AtomicFileTest, PathThatCannotHoldAFileFails)
{
    put("plain", "a file where a folder should be");
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    const QList<std::pair<const char *, QString>> cases = {
        {"folder is a file", path("plain/f.txt")},
        {"path is a folder", path("folder")},
    };
    for (const auto &[name, target] : cases) {
        SCOPED_TRACE(name);
        QString error;
        EXPECT_FALSE(writeFileAtomically(target, "x", &error));
        EXPECT_FALSE(error.isEmpty());
    }
    EXPECT_EQ(read("plain"), "a file where a folder should be");
    EXPECT_EQ(files(), (QStringList{"folder", "plain"}));
}

// /dev/full takes every write into the buffer and fails every flush, as a full disk does.
TEST_F(AtomicFileTest, CheckedWriteCatchesABufferedWriteToAFullDevice)
{
    if (!QFile::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const QByteArray bytes(100, 'x');
    QFile unchecked("/dev/full");
    ASSERT_TRUE(unchecked.open(QIODevice::WriteOnly));
    EXPECT_EQ(unchecked.write(bytes), bytes.size()); // the failure is hidden here

    QFile checked("/dev/full");
    ASSERT_TRUE(checked.open(QIODevice::WriteOnly));
    QString error;
    EXPECT_FALSE(writeAllChecked(checked, bytes, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(AtomicFileTest, ReplaceFilePutsAPartFileInPlace)
{
    put("1.grd", "old");
    put("1.grd.part", "new");
    ASSERT_TRUE(replaceFile(path("1.grd.part"), path("1.grd")));
    EXPECT_EQ(read("1.grd"), "new");
    EXPECT_EQ(files(), QStringList{"1.grd"});

    put("2.grd.part", "first");
    ASSERT_TRUE(replaceFile(path("2.grd.part"), path("2.grd")));
    EXPECT_EQ(read("2.grd"), "first");

    QString error;
    EXPECT_FALSE(replaceFile(path("missing.part"), path("1.grd"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(read("1.grd"), "new");
}

} // namespace
