#include "support/qt_warnings.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test binary drives real widgets, so it needs one application object; it runs on the
// offscreen platform unless told otherwise. The one place that sets it: CTest, the scripts and a
// binary started by hand all get it here.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    failTestsOnQtWarnings();
    return RUN_ALL_TESTS();
}
