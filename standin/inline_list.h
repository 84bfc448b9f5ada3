// A list with its room inside the object that holds it: elements never
// move, so pointers to them can serve as handles, and a vessel's tanks and
// thrusters sit next to the rest of its record, where the step loop reads
// them.
#pragma once

#include <array>
#include <cstddef>

namespace standin {

template <typename T, std::size_t Capacity>
class InlineList {
public:
    static constexpr std::size_t capacity() { return Capacity; }

    // Null once the list is full.
    T* push_back(const T& item) {
        if (size_ == Capacity) return nullptr;
        items_[size_] = item;
        return &items_[size_++];
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](std::size_t i) { return items_[i]; }
    const T& operator[](std::size_t i) const { return items_[i]; }
    T& back() { return items_[size_ - 1]; }
    T* begin() { return items_.data(); }
    T* end() { return items_.data() + size_; }
    const T* begin() const { return items_.data(); }
    const T* end() const { return items_.data() + size_; }

private:
    std::array<T, Capacity> items_{};
    std::size_t size_ = 0;
};

}  // namespace standin
