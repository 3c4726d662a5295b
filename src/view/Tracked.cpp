#include "view/Tracked.h"

namespace kx {

FieldLog::FieldLog() {
    logs_.push_back(this);
}

FieldLog::~FieldLog() {
    std::erase(logs_, this);
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

template <class T>
void FieldLog::note(void* field, const T& old) {
    for (FieldLog* log : logs_)
        if (log->covers(field)) log->changes.emplace_back(field, std::in_place_type<T>, old);
}

template void FieldLog::note<bool>(void*, const bool&);
template void FieldLog::note<int>(void*, const int&);
template void FieldLog::note<std::string>(void*, const std::string&);
template void FieldLog::note<std::vector<std::string>>(void*, const std::vector<std::string>&);
template void FieldLog::note<Rect>(void*, const Rect&);
template void FieldLog::note<std::optional<Rgb>>(void*, const std::optional<Rgb>&);

FieldValue fieldValue(const FieldChange& change) {
    return std::visit(
        [&](const auto& old) {
            using V = std::decay_t<decltype(old)>;
            return FieldValue(std::in_place_type<V>,
                              static_cast<const Tracked<V>*>(change.field)->get());
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
