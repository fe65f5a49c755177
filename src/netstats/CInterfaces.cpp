#include "netstats/CInterfaces.h"

#include <utility>

std::shared_ptr<CInterface> CInterfaces::Add(std::shared_ptr<CInterface>& objInterface) {
    if (!objInterface) {
        return nullptr;
    }
    records_.push_back(std::move(objInterface));
    objInterface.reset();
    return records_.back();
}

std::shared_ptr<CInterface> CInterfaces::Item(std::int32_t vntIndexKey) const {
    if (!holdsPosition(vntIndexKey)) {
        return nullptr;
    }
    return records_[static_cast<std::size_t>(vntIndexKey - 1)];
}

std::shared_ptr<CInterface> CInterfaces::Item(std::string_view /*vntIndexKey*/) const {
    return nullptr;
}

std::int32_t CInterfaces::Count() const {
    return static_cast<std::int32_t>(records_.size());
}

bool CInterfaces::Remove(std::int32_t vntIndexKey) {
    if (!holdsPosition(vntIndexKey)) {
        return false;
    }
    records_.erase(records_.begin() + (vntIndexKey - 1));
    return true;
}

bool CInterfaces::Remove(std::string_view /*vntIndexKey*/) {
    return false;
}

bool CInterfaces::holdsPosition(std::int32_t position) const {
    return position >= 1 && position <= Count();
}
