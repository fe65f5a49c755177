#include "support/scratch_directory.h"

#include <cstdint>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace fs = std::filesystem;

// A random name of 64 bits: no two tests running side by side pick the same one.
ScratchDirectory::ScratchDirectory() {
    std::random_device random;
    const auto name = std::to_string((std::uint64_t{random()} << 32) | random());
    path_ = fs::temp_directory_path() / ("lanhe-test-" + name);
    if (!fs::create_directory(path_)) {
        throw std::runtime_error("no scratch directory could be made");
    }
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}
