// The ordered collection of the records of one snapshot. Positions count from 1; a failure
// (a position outside 1..Count, or any text key: no entry ever has one) is an empty result.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "netstats/CInterface.h"

class CInterfaces {
  public:
    using const_iterator = std::vector<std::shared_ptr<CInterface>>::const_iterator;

    // Appends the record without a key and returns it; `objInterface` is empty afterwards, so
    // that the caller's next record is a new object. An empty reference adds nothing.
    std::shared_ptr<CInterface> Add(std::shared_ptr<CInterface>& objInterface);

    // The record itself at that position, shared with the collection.
    std::shared_ptr<CInterface> Item(std::int32_t vntIndexKey) const;
    std::shared_ptr<CInterface> Item(std::string_view vntIndexKey) const;

    std::int32_t Count() const;

    // Removes that entry, later ones move up one position; false, and nothing changes, when
    // there is no such entry.
    bool Remove(std::int32_t vntIndexKey);
    bool Remove(std::string_view vntIndexKey);

    // The records in list order.
    const_iterator begin() const { return records_.begin(); }
    const_iterator end() const { return records_.end(); }

  private:
    bool holdsPosition(std::int32_t position) const;

    std::vector<std::shared_ptr<CInterface>> records_;
};
