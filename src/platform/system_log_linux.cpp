#include "platform/system_log.h"

#include <unistd.h>

#include <string>

// One write per line, so that lines from several threads never interleave. A line that cannot
// be written is lost: there is nowhere else to say so.
void writeToSystemLog(std::string_view line) {
    const std::string whole = std::string(line) + '\n';
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, whole.data(), whole.size());
}
