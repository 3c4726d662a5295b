#include "view/Tracked.h"

namespace kx {

std::vector<FieldLog*>& FieldLog::logs() {
    static std::vector<FieldLog*> all;
    return all;
}

FieldLog::FieldLog() {
    logs().push_back(this);
}

FieldLog::~FieldLog() {
    std::erase(logs(), this);
}

void FieldLog::cover(std::vector<std::pair<const char*, const char*>> ranges) {
    std::sort(ranges.begin(), ranges.end());
    ranges_.clear();
    for (const auto& r : ranges) {
        if (!ranges_.empty() && r.first <= ranges_.back().second)
            ranges_.back().second = std::max(ranges_.back().second, r.second);
        else
            ranges_.push_back(r);
    }
}

FieldValue fieldValue(const FieldChange& change) {
    return std::visit(
        [&](const auto& old) {
            using V = std::decay_t<decltype(old)>;
            return FieldValue(std::in_place_type<V>, static_cast<const Tracked<V>*>(change.field)->get());
        },
        change.value);
}

bool holdsValue(const FieldChange& change) {
    return std::visit(
        [&](const auto& value) {
            using V = std::decay_t<decltype(value)>;
            return static_cast<const Tracked<V>*>(change.field)->get() == value;
        },
        change.value);
}

void putFieldValue(const FieldChange& change) {
    std::visit(
        [&](const auto& value) {
            using V = std::decay_t<decltype(value)>;
            static_cast<Tracked<V>*>(change.field)->putQuietly(value);
        },
        change.value);
}

}  // namespace kx
