// Runs the tests of a library that needs widgets: one QApplication for all of them, on Qt's
// offscreen platform unless the environment names another (test discovery runs without the
// test environment).
#include <QApplication>

#include "ScratchFolder.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ScratchFolder scratch;
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
