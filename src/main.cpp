#include "desk/desk.h"
#include "frame/installed_data.h"
#include "frame/login_window.h"
#include "frame/single_instance_check.h"
#include "goods/goods.h"
#include "office/office.h"
#include "platform/message_box.h"
#include "platform/processes.h"
#include "platform/program_directory.h"
#include "settings/settings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QStyleFactory>
#include <cstdio>
#include <cstring>

namespace {

// Every subsystem's share of the main window.
QList<frame::MainWindowPart> mainWindowParts()
{
    return {&desk::attachToMainWindow, &goods::attachToMainWindow, &office::attachToMainWindow,
            &settings::attachToMainWindow};
}

// --dir DIR sets the program directory; returns whether --create-data was given.
bool parseOptions(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption dirOption(QStringLiteral("dir"), QStringLiteral("Use DIR as the program directory."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption createOption(QStringLiteral("create-data"),
                                          QStringLiteral("Create the missing databases and files, then exit."));
    parser.addOptions({dirOption, createOption});
    parser.process(app);
    if (parser.isSet(dirOption))
        platform::setProgramDirectory(parser.value(dirOption));
    return parser.isSet(createOption);
}

int createData(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    parseOptions(app);
    QString error;
    if (!frame::createInstalledData(platform::programDirectory(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    // Creating the data needs no display, so it runs without the widget application.
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--create-data") == 0)
            return createData(argc, argv);

    // Before QApplication: every thread it starts inherits the block, and the signals are read on
    // the GUI thread instead of killing the program wherever they land.
    platform::blockTerminationSignals();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    parseOptions(app);
    platform::quitOnTerminationSignal();
    if (frame::SingleInstanceCheck().isAlreadyRunning()) {
        platform::messageBox(QStringLiteral("程序已经运行!"));
        return 0;
    }
    auto *login = new frame::LoginWindow(mainWindowParts());
    login->show();
    return QApplication::exec();
}
