#include "window/QtSettingsStore.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace {

QString toQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// An INI value with a comma in it comes back as a list; joining it gives the stored text.
std::string storedText(const QVariant& value) {
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(',')).toStdString();
    }
    return value.toString().toStdString();
}

}  // namespace

std::string QtSettingsStore::readSetting(std::string_view application, std::string_view section,
                                         std::string_view key,
                                         std::string_view defaultValue) const {
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, toQString(application),
                       toQString(section));
    // A per-user setting: no system-wide or organization-wide file stands in for it.
    settings.setFallbacksEnabled(false);
    const QVariant value = settings.value(toQString(key));
    if (!value.isValid()) {
        return std::string(defaultValue);
    }
    return storedText(value);
}

std::unique_ptr<SettingsStore> makeUserSettingsStore() {
    if (std::unique_ptr<SettingsStore> store = makeSystemSettingsStore()) {
        return store;
    }
    return std::make_unique<QtSettingsStore>();
}
