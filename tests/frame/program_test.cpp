#include "frame/single_instance_check.h"
#include "platform/processes.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void stop(QProcess &process)
{
    process.kill();
    process.waitForFinished(5000);
}

} // namespace

TEST(SingleInstanceCheck, SeesASecondProcessOfTheSameName)
{
    // A process that merely carries this test program's name counts as a second copy.
    QTemporaryDir dir;
    const QString twin = dir.filePath(platform::ownExecutableName());
    ASSERT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), twin));
    QProcess process;
    process.start(twin, {QStringLiteral("30")});
    ASSERT_TRUE(process.waitForStarted());
    EXPECT_TRUE(frame::SingleInstanceCheck().isAlreadyRunning());
    stop(process);
}

TEST(Program, StartsOnFreshDataShowsTheLoginWindowAndEndsCleanly)
{
    QTemporaryDir dir;
    const QString binary = QStringLiteral(FREIGHTDESK_BINARY);
    ASSERT_EQ(QProcess::execute(binary, {QStringLiteral("--dir"), dir.path(), QStringLiteral("--create-data")}), 0);

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(binary, {QStringLiteral("--dir"), dir.path()});
    ASSERT_TRUE(program.waitForStarted());
    // Still running after a while: it reached the login window and waits for the operator.
    EXPECT_FALSE(program.waitForFinished(1500)) << program.readAllStandardError().toStdString();
    program.terminate();
    ASSERT_TRUE(program.waitForFinished(5000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    stop(program);
}
