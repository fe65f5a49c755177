// A fresh directory of a test's own, removed with everything in it when the test ends.
#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

class ScratchDirectory {
  public:
    // A random name of 64 bits: no two tests running side by side pick the same one.
    ScratchDirectory() {
        std::random_device random;
        const auto name = std::to_string((std::uint64_t{random()} << 32) | random());
        path_ = std::filesystem::temp_directory_path() / ("lanhe-test-" + name);
        if (!std::filesystem::create_directory(path_)) {
            throw std::runtime_error("no scratch directory could be made");
        }
    }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;
    ~ScratchDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};
