// Runs the widget tests inside one QApplication.
#include <gmock/gmock.h>
#include <QApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleMock(&argc, argv);
    // Listing the tests, as their discovery at build time does, needs no application: without
    // one, Qt never looks for the runtime directory a root shell lacks.
    if (GTEST_FLAG_GET(list_tests)) {
        return RUN_ALL_TESTS();
    }
    // The widgets never need a real screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
