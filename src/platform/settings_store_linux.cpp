#include "platform/settings_store.h"

std::unique_ptr<SettingsStore> makeSystemSettingsStore() {
    return nullptr;
}
