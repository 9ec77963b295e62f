// main() for the test programs that need a QApplication. Widgets are drawn
// offscreen unless the environment asks for another platform, so the tests
// run without a display.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
