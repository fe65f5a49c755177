#include "netstats/RowTextCache.h"

#include <algorithm>

const std::string& RowTextCache::text(std::size_t position, std::span<const std::uint8_t> bytes,
                                      Decode decode) {
    if (position >= entries_.size()) {
        entries_.resize(position + 1);
    }
    Entry& entry = entries_[position];
    if (!std::ranges::equal(entry.bytes, bytes)) {
        entry.text = decode(bytes);
        entry.bytes.assign(bytes.begin(), bytes.end());
    }
    return entry.text;
}
