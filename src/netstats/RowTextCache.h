// The texts of the last table read, row by row, with the bytes they were decoded from: a row
// whose text bytes did not change since then gives its text again without decoding it anew.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class RowTextCache {
  public:
    using Decode = std::string (*)(std::span<const std::uint8_t>);

    // The text of `bytes` at row `position`: the kept one when the bytes are those it was
    // decoded from, else decode(bytes), which is kept for the next read.
    const std::string& text(std::size_t position, std::span<const std::uint8_t> bytes,
                            Decode decode);

  private:
    struct Entry {
        std::vector<std::uint8_t> bytes;
        std::string text;
    };

    std::vector<Entry> entries_;
};
