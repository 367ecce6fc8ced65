// A fixed ring of the most recent values of an iteration. Value number i
// (counted from 0 by the caller) is stored at position i modulo the
// capacity, so the ring always holds the last `capacity` values.
#pragma once

#include <cstdint>
#include <memory>

template <typename T>
class WrapAround {
public:
    explicit WrapAround(int32_t capacity)
        : capacity_(capacity > 0 ? capacity : 1),
          current_(0),
          storage_(new T[capacity_]()) {}

    WrapAround(const WrapAround&) = delete;
    WrapAround& operator=(const WrapAround&) = delete;

    // Stores `value` as value number `i` and makes its slot the current one.
    void write(int32_t i, T value) {
        current_ = slot(i);
        storage_[current_] = value;
    }

    // Value number `i` (whatever was last stored in its slot).
    T read(int32_t i) const { return storage_[slot(i)]; }

    int32_t capacity() const { return capacity_; }
    int32_t current() const { return current_; }

private:
    // Position of value number i; negative numbers wrap the same way.
    int32_t slot(int32_t i) const {
        const int32_t r = i % capacity_;
        return r < 0 ? r + capacity_ : r;
    }

    int32_t capacity_;
    int32_t current_;
    std::unique_ptr<T[]> storage_;
};
