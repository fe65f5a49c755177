#include "power_commands_contract.h"

namespace {

// Sleep and hibernation are suspend calls of the program's own, named by the command lines
// they replaced; rundll32 made sleep hibernate.
TEST(WindowsPowerCommandsTest, ShutdownAndRestartStartCommandsSleepAndHibernationSuspend) {
    expectKindsOneToFourStart({"shutdown -f -s -t 0", "shutdown -f -r -t 0",
                               "rundll32.exe powrprof.dll,SetSuspendState Sleep",
                               "rundll32.exe powrprof.dll,SetSuspendState"});
}

}  // namespace
