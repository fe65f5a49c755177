#include "window/start_up.h"

#include <exception>

namespace {

const QString kStartUpFailedPrefix = QStringLiteral("启动失败：");

}  // namespace

bool startUpOrReport(const std::function<void()>& startUp, const ShowMessage& showMessage) {
    try {
        startUp();
        return true;
    } catch (const std::exception& error) {
        showMessage(kStartUpFailedPrefix + QString::fromLocal8Bit(error.what()));
    } catch (...) {
        showMessage(kStartUpFailedPrefix + QStringLiteral("未知错误"));
    }
    return false;
}
