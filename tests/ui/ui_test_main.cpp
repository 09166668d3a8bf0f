// The widget tests' main: a QApplication on the offscreen platform unless told otherwise.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Also lets gtest_discover_tests list the tests on a machine without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // Tests end the program through an injected action. A window closed in one test must not
    // quit() the application, which would also break every modal loop a test is waiting in.
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
