// Runs the widget tests inside one QApplication.
#include <gmock/gmock.h>
#include <QApplication>

int main(int argc, char** argv) {
    // Test discovery runs this binary outside CTest's environment; the widgets never need a
    // real screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
