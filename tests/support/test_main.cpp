#include "support/qt_warnings.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test binary drives real widgets, so it needs one application object on the offscreen
// platform (CTest sets it too; this covers a binary started by hand).
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    failTestsOnQtWarnings();
    return RUN_ALL_TESTS();
}
