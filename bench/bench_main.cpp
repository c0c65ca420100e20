// Times each operator click of the real windows at 1x, 10x and 100x a small company's volume,
// beside the time the same rows take straight through SQLite. Not a test: scripts/bench.sh runs it.
#include "clicks.h"
#include "desk_driver.h"
#include "measure.h"
#include "volume.h"

#include "frame/installed_data.h"
#include "platform/program_directory.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QStyleFactory>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

struct Options {
    QList<int> volumes{1, 10, 100};
    int runs = 9;
    double budgetMs = 60000;
};

Options parseOptions(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption volumes(QStringLiteral("volumes"), QStringLiteral("Scales to run, e.g. 1,10,100."),
                                     QStringLiteral("list"), QStringLiteral("1,10,100"));
    const QCommandLineOption runs(QStringLiteral("runs"), QStringLiteral("Runs of each click (median taken)."),
                                  QStringLiteral("n"), QStringLiteral("9"));
    const QCommandLineOption budget(QStringLiteral("budget"),
                                    QStringLiteral("Seconds after which a click stops repeating (at least one run)."),
                                    QStringLiteral("seconds"), QStringLiteral("60"));
    parser.addOptions({volumes, runs, budget});
    parser.process(app);
    Options options;
    options.volumes.clear();
    for (const QString &scale : parser.value(volumes).split(u',', Qt::SkipEmptyParts))
        if (scale.toInt() > 0)
            options.volumes.append(scale.toInt());
    options.runs = qMax(1, parser.value(runs).toInt());
    options.budgetMs = parser.value(budget).toDouble() * 1000;
    return options;
}

struct Row {
    QString click;
    int scale;
    int rows;
    bench::Sample program;
    bench::Sample raw;
};

void printTable(const QList<Row> &rows, const QList<std::pair<int, double>> &resident)
{
    std::printf("%-24s %7s %9s %5s %11s %9s %9s %8s %8s\n", "click", "volume", "rows", "runs", "median ms", "raw ms",
                "ratio", "+MB", "peak MB");
    for (const Row &r : rows) {
        const QString ratio = r.raw.medianMs > 0.0005 ? QString::number(r.program.medianMs / r.raw.medianMs, 'f', 1)
                                                      : QStringLiteral("-");
        // A growth that rounds to nothing shows as 0.0, never as -0.0.
        const double added = std::abs(r.program.addedMb) < 0.05 ? 0.0 : r.program.addedMb;
        std::printf("%-24s %6dx %9d %5d %11.2f %9.3f %9s %8.1f %8.1f\n", qPrintable(r.click), r.scale, r.rows,
                    r.program.runs, r.program.medianMs, r.raw.medianMs, qPrintable(ratio), added, r.program.peakMb);
    }
    std::printf("\n");
    for (const auto &[scale, mb] : resident)
        std::printf("program RSS at the end of %dx: %.1f MB\n", scale, mb);
}

// Makes the volume's program directory, then times every click on it.
void benchVolume(int scale, const Options &options, QList<Row> &table, QStringList &problems,
                 QList<std::pair<int, double>> &resident)
{
    const bench::Volume volume = bench::volumeAt(scale);
    QTemporaryDir dir;
    QString error;
    if (!dir.isValid() || !frame::createInstalledData(dir.path(), &error))
        throw std::runtime_error("cannot make a program directory: " + error.toStdString());
    platform::setProgramDirectory(dir.path());
    QElapsedTimer made;
    made.start();
    bench::fillVolume(dir.path(), volume);
    std::fprintf(stderr, "%dx: %d orders, %d inbound goods, %d queued pickings made in %.1f s\n", scale, volume.orders,
                 volume.inbound, volume.queue, made.elapsed() / 1000.0);

    bench::RawFiles raw(dir.path());
    bench::Desk desk(QStringLiteral("admin"), QStringLiteral("admin"));
    for (const bench::Click &click : bench::operatorClicks(desk, raw, problems)) {
        if (click.setup)
            click.setup();
        const bench::Sample program = bench::measure(click.program, options.runs, options.budgetMs);
        const int rows = click.rows();
        if (click.shown && click.shown() != rows)
            problems.append(QStringLiteral("%1 at %2x: the window lists %3 rows, the table holds %4")
                                .arg(click.name)
                                .arg(scale)
                                .arg(click.shown())
                                .arg(rows));
        const bench::Sample rawSample = bench::measure(click.raw, options.runs, options.budgetMs);
        if (click.teardown)
            click.teardown();
        std::fprintf(stderr, "%dx %-24s %9d rows %10.2f ms (%d runs) raw %.3f ms\n", scale, click.name, rows,
                     program.medianMs, program.runs, rawSample.medianMs);
        table.append({QString::fromUtf8(click.name), scale, rows, program, rawSample});
    }
    resident.append({scale, bench::residentMb()});
}

QtMessageHandler qtHandler = nullptr;

// The offscreen platform says so for every window it shows; every other message goes through.
void dropPlatformNotices(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    qtHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(dropPlatformNotices);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const Options options = parseOptions(app);

    QList<Row> table;
    QStringList problems;
    QList<std::pair<int, double>> resident;
    try {
        for (int scale : options.volumes)
            benchVolume(scale, options, table, problems, resident);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench failed: %s\n", e.what());
        return 2;
    }
    printTable(table, resident);
    for (const QString &problem : problems)
        std::printf("PROBLEM: %s\n", qPrintable(problem));
    return problems.isEmpty() ? 0 : 1;
}
