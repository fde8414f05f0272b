// Runs the tests of a library that needs a Qt event loop but no widgets.
#include <QCoreApplication>

#include "ScratchFolder.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ScratchFolder scratch;
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
