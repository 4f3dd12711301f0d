#include <gtest/gtest.h>

#include <QApplication>

#include "platform/qt/qt_application.h"

// One application object for all tests; QT_QPA_PLATFORM chooses where the windows go.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    auto application = platform::qt::CreateApplication(argc, argv);
    return RUN_ALL_TESTS();
}
