// The core tests' entry: QtCore's application object, which also sets the C locale from the
// environment as the programs do; no GUI and no display.

#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
