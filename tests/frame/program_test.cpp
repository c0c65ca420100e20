#include "frame/single_instance_check.h"
#include "support/case_names.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Copies of sleep under a name that no other process has (copies of this test program run
// beside it), each started running or ended and left unreaped, so the test counts only its own.
class NamedProcesses
{
public:
    // The kernel keeps 15 characters of a name, and an ended process is known by those alone.
    NamedProcesses() : m_name(QStringLiteral("sic%1").arg(QCoreApplication::applicationPid()))
    {
        EXPECT_TRUE(QFile::copy(QStringLiteral("/bin/sleep"), m_dir.filePath(m_name)));
    }
    ~NamedProcesses()
    {
        for (const pid_t pid : m_children) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    }
    NamedProcesses(const NamedProcesses &) = delete;
    NamedProcesses &operator=(const NamedProcesses &) = delete;

    QString name() const { return m_name; }

    void startRunning() { m_children.append(start("600")); }
    // A copy that has ended and waits for its parent to reap it: a zombie.
    void startEnded()
    {
        const pid_t pid = start("0");
        siginfo_t info;
        ::waitid(P_PID, pid, &info, WEXITED | WNOWAIT); // waits for the end, reaps nothing
        m_children.append(pid);
    }

private:
    // Returns once the child runs the copy: the pipe closes on exec, or on the child's exit.
    pid_t start(const char *seconds)
    {
        const QByteArray path = QFile::encodeName(m_dir.filePath(m_name));
        char *const argv[] = {const_cast<char *>(path.constData()), const_cast<char *>(seconds), nullptr};
        int execed[2];
        EXPECT_EQ(::pipe2(execed, O_CLOEXEC), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::execv(argv[0], argv);
            ::_exit(127);
        }
        ::close(execed[1]);
        char byte;
        while (::read(execed[0], &byte, 1) < 0 && errno == EINTR) {
        }
        ::close(execed[0]);
        return pid;
    }

    QTemporaryDir m_dir;
    QString m_name;
    QList<pid_t> m_children;
};

struct InstanceCase {
    const char *name;
    int running; // one of them stands for the program doing the check
    int ended;
    bool alreadyRunning;
};

class SingleInstanceCheckTest : public ::testing::TestWithParam<InstanceCase>
{
};

TEST_P(SingleInstanceCheckTest, CountsOnlyRunningProcessesOfTheName)
{
    NamedProcesses processes;
    for (int i = 0; i < GetParam().running; ++i)
        processes.startRunning();
    for (int i = 0; i < GetParam().ended; ++i)
        processes.startEnded();
    EXPECT_EQ(frame::SingleInstanceCheck(processes.name()).isAlreadyRunning(), GetParam().alreadyRunning);
}

INSTANTIATE_TEST_SUITE_P(Processes, SingleInstanceCheckTest,
                         ::testing::Values(InstanceCase{"OnlyItself", 1, 0, false},
                                           InstanceCase{"SecondCopyRunning", 2, 0, true},
                                           InstanceCase{"EndedCopyNotReaped", 1, 1, false},
                                           InstanceCase{"TwoEndedCopies", 1, 2, false},
                                           InstanceCase{"SecondCopyRunningBesideAnEndedOne", 2, 1, true}),
                         CaseName());

struct Ending {
    const char *name;
    const char *platform;
    bool virtualX; // inside xvfb-run
    int signal;
};

class ProgramTest : public ::testing::TestWithParam<Ending>
{
};

// The signals blocked in the main thread of process pid (SigBlk of its status).
quint64 blockedSignals(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("SigBlk:"))
            return line.mid(7).trimmed().toULongLong(nullptr, 16);
    return 0;
}

// Waits until process pid runs the binary and blocks the signal: from then on the signal is the
// program's own to handle. False when it does not get there.
bool waitUntilBlocked(qint64 pid, const QString &binary, int signal)
{
    const QString exe = QStringLiteral("/proc/%1/exe").arg(pid);
    const QString target = QFileInfo(binary).canonicalFilePath();
    for (QDeadlineTimer deadline(60000); !deadline.hasExpired(); QThread::msleep(20))
        if (QFileInfo(exe).symLinkTarget() == target && blockedSignals(pid) & (quint64(1) << (signal - 1)))
            return true;
    return false;
}

TEST_P(ProgramTest, StartsOnFreshDataShowsTheLoginWindowAndEndsCleanlyOnASignal)
{
    QStringList command;
    if (GetParam().virtualX) {
        const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
        if (xvfbRun.isEmpty())
            GTEST_SKIP() << "xvfb-run is not installed";
        command = {xvfbRun, QStringLiteral("-a")};
    }
    // A copy of its own in a fresh program directory: copies that other tests start at the same
    // time have other names, so none is taken for a running instance.
    QTemporaryDir dir;
    const QString binary =
        dir.filePath(QStringLiteral("fd%1-%2").arg(QCoreApplication::applicationPid()).arg(GetParam().name));
    ASSERT_TRUE(QFile::copy(QStringLiteral(FREIGHTDESK_BINARY), binary));
    ASSERT_EQ(QProcess::execute(binary, {QStringLiteral("--create-data")}), 0);

    // The shell prints its pid and becomes the program, so the signal goes to the program itself
    // and not to xvfb-run.
    command << QStringLiteral("sh") << QStringLiteral("-c") << QStringLiteral(R"(echo $$; exec "$0" "$@")") << binary;
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QString::fromUtf8(GetParam().platform));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(command.takeFirst(), command);
    qint64 pid = 0;
    const auto cleanup = qScopeGuard([&] {
        if (pid > 0)
            ::kill(pid_t(pid), SIGKILL);
        program.kill();
        program.waitForFinished(30000);
    });
    ASSERT_TRUE(program.waitForStarted());
    while (!program.canReadLine() && program.waitForReadyRead(60000)) {
    }
    pid = program.readLine().trimmed().toLongLong();
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(waitUntilBlocked(pid, binary, GetParam().signal));
    // Still running after a while: it reached the login window and waits for the operator.
    EXPECT_FALSE(program.waitForFinished(1500));

    ASSERT_EQ(::kill(pid_t(pid), GetParam().signal), 0);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0); // 128 + the signal would be a death by it
    pid = 0;
    // Every database was left whole: no rollback journal stays behind.
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("data"))).entryList({QStringLiteral("*-journal")}, QDir::Files),
              QStringList());
}

INSTANTIATE_TEST_SUITE_P(Endings, ProgramTest,
                         ::testing::Values(Ending{"OffscreenTerminated", "offscreen", false, SIGTERM},
                                           Ending{"VirtualXTerminated", "xcb", true, SIGTERM},
                                           Ending{"VirtualXInterrupted", "xcb", true, SIGINT}),
                         CaseName());

} // namespace
