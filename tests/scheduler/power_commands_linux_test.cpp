#include "power_commands_contract.h"

namespace {

TEST(LinuxPowerCommandsTest, KindsOneToFourAskSystemd) {
    expectKindsOneToFourStart(
        {"systemctl poweroff", "systemctl reboot", "systemctl suspend", "systemctl hibernate"});
}

}  // namespace
