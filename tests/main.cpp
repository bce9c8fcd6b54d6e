// The test program's entry: one QApplication for every test, on the offscreen platform unless
// the environment names another.

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);  // also sets the C locale from the environment
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
