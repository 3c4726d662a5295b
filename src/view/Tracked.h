#pragma once

// Fields of the window model that note their old value when they change, so
// that an undo step can keep only what a change altered (see view/History.h).
//
// A Tracked<T> reads like a T (a class type is its base; a number or flag
// converts). Every assignment that changes the value hands the old value to
// the field logs that cover the field's address; without a log it costs one
// comparison. Mutating member functions (clear, push_back, +=, non-const
// access) are hidden: a field is changed by assigning a whole new value.
// Rect's members stay writable, so a rectangle is assigned as a whole too.
#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace kx {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The value of one tracked field, whichever type it has.
using FieldValue =
    std::variant<bool, int, std::string, std::vector<std::string>, Rect, std::optional<Rgb>>;

struct FieldChange {
    // Built in place: a brace-built temporary moved into a vector makes GCC
    // warn that the variant's other alternatives may be read uninitialised.
    FieldChange(void* f, FieldValue v) : field(f), value(std::move(v)) {}
    template <class T>
    FieldChange(void* f, std::in_place_type_t<T> type, const T& old) : field(f), value(type, old) {}

    void* field;  // the Tracked<T> whose value `value` is
    FieldValue value;
};

// Collects the old values of the tracked fields that lie in its address
// ranges, in the order they changed. A log is registered while it exists.
class FieldLog {
  public:
    FieldLog();
    ~FieldLog();
    FieldLog(const FieldLog&) = delete;
    FieldLog& operator=(const FieldLog&) = delete;

    // The address ranges [begin, end) whose fields this log collects.
    void cover(std::vector<std::pair<const char*, const char*>> ranges);
    bool covers(const void* field) const {
        const char* at = static_cast<const char*>(field);
        auto it = std::upper_bound(ranges_.begin(), ranges_.end(), at,
                                   [](const char* a, const auto& r) { return a < r.first; });
        return it != ranges_.begin() && at < (--it)->second;
    }

    std::vector<FieldChange> changes;

    // Called by a tracked field before it changes (out of line: it is the
    // rare path of an assignment, which stays small where it is inlined).
    template <class T>
    static void note(void* field, const T& old);
    static bool any() { return !logs_.empty(); }

  private:
    static inline std::vector<FieldLog*> logs_;  // every log that exists
    std::vector<std::pair<const char*, const char*>> ranges_;  // sorted, disjoint
};

template <class T, bool = std::is_class_v<T>>
class Tracked;

template <class T>
struct IsOptional : std::false_type {
    using Value = void;
};
template <class V>
struct IsOptional<std::optional<V>> : std::true_type {
    using Value = V;
};

// Strings, lists, rectangles, colours.
template <class T>
class Tracked<T, true> : public T {
  public:
    using T::T;
    Tracked() = default;
    Tracked(const T& v) : T(v) {}
    Tracked(T&& v) : T(std::move(v)) {}
    Tracked(const Tracked&) = default;
    Tracked(Tracked&&) = default;
    Tracked& operator=(const Tracked& v) { return store(static_cast<const T&>(v)); }
    Tracked& operator=(Tracked&& v) { return store(std::move(static_cast<T&>(v))); }
    template <class U>
        requires(!std::is_same_v<std::remove_cvref_t<U>, Tracked> && std::is_constructible_v<T, U>)
    Tracked& operator=(U&& v) {
        return store(std::forward<U>(v));
    }

    const T& get() const { return *this; }
    void putQuietly(const T& v) { static_cast<T&>(*this) = v; }
    // Reads of the list, string and optional parts that the base offers only non-const.
    template <class U = T>
    auto begin() const -> decltype(std::declval<const U&>().begin()) {
        return get().begin();
    }
    template <class U = T>
    auto end() const -> decltype(std::declval<const U&>().end()) {
        return get().end();
    }
    template <class I, class U = T>
    auto operator[](I i) const -> decltype(std::declval<const U&>()[i]) {
        return get()[i];
    }
    template <class U = T>
    auto operator->() const -> decltype(std::declval<const U&>().operator->()) {
        return get().operator->();
    }
    template <class U = T>
    auto operator*() const -> decltype(*std::declval<const U&>()) {
        return *get();
    }
    template <class U = T>
    auto front() const -> decltype(std::declval<const U&>().front()) {
        return get().front();
    }
    template <class U = T>
    auto back() const -> decltype(std::declval<const U&>().back()) {
        return get().back();
    }
    // std::optional's comparisons cannot tell which of its forms two tracked ones take.
    friend bool operator==(const Tracked& a, const Tracked& b)
        requires IsOptional<T>::value
    {
        return a.get() == b.get();
    }
    friend bool operator==(const Tracked& a, const T& b)
        requires IsOptional<T>::value
    {
        return a.get() == b;
    }
    template <class V>
        requires std::is_same_v<V, typename IsOptional<T>::Value>
    friend bool operator==(const Tracked& a, const V& b) {
        return a.get() == b;
    }

    // Changes that would bypass the log.
    template <class... A>
    void clear(A&&...) = delete;
    template <class... A>
    void push_back(A&&...) = delete;
    template <class... A>
    void emplace_back(A&&...) = delete;
    template <class... A>
    void pop_back(A&&...) = delete;
    template <class... A>
    void append(A&&...) = delete;
    template <class... A>
    void insert(A&&...) = delete;
    template <class... A>
    void erase(A&&...) = delete;
    template <class... A>
    void resize(A&&...) = delete;
    template <class... A>
    void assign(A&&...) = delete;
    template <class... A>
    void replace(A&&...) = delete;
    template <class... A>
    void swap(A&&...) = delete;
    template <class... A>
    void reset(A&&...) = delete;
    template <class... A>
    void emplace(A&&...) = delete;
    template <class A>
    void operator+=(A&&) = delete;

  private:
    // An equal value changes nothing; it is compared without a copy where it can be.
    template <class U>
    Tracked& store(U&& v) {
        T& base = *this;
        if constexpr (requires(const T& a, const U& b) {
                          { a == b } -> std::convertible_to<bool>;
                      }) {
            if (base == v) return *this;
            if (FieldLog::any()) FieldLog::note<T>(this, base);
            base = std::forward<U>(v);
        } else {
            T value(std::forward<U>(v));
            if (base == value) return *this;
            if (FieldLog::any()) FieldLog::note<T>(this, base);
            base = std::move(value);
        }
        return *this;
    }
};

// Numbers and flags.
template <class T>
class Tracked<T, false> {
  public:
    Tracked() = default;
    Tracked(T v) : value_(v) {}
    Tracked(const Tracked&) = default;
    Tracked& operator=(const Tracked& v) { return *this = v.value_; }
    Tracked& operator=(T v) {
        if (v != value_ && FieldLog::any()) FieldLog::note<T>(this, value_);
        value_ = v;
        return *this;
    }
    operator T() const { return value_; }
    T get() const { return value_; }
    void putQuietly(T v) { value_ = v; }

  private:
    T value_{};
};

// Reads a tracked field's value, compares it, and writes one back without noting it.
FieldValue fieldValue(const FieldChange& change);
bool holdsValue(const FieldChange& change);
void putFieldValue(const FieldChange& change);

}  // namespace kx
