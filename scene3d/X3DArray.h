// The scene library's sparse array of owned nodes: slots may be empty, the
// storage grows to 2i + 4 slots when slot i is set beyond it, appends fill
// the lowest free slot.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

namespace scene3d {

template <typename T>
class X3DArray {
public:
    X3DArray() = default;
    X3DArray(const X3DArray&) = delete;
    X3DArray& operator=(const X3DArray&) = delete;

    static const char* className() { return "X3DField"; }

    // Number of filled slots; readers walk slots 0..count-1, which arrays
    // built only by appending fill densely.
    std::size_t count() const { return count_; }
    std::size_t capacity() const { return items_.size(); }
    std::size_t end() const { return end_; }
    bool empty() const { return count_ == 0; }
    T* at(std::size_t i) const { return i < items_.size() ? items_[i].get() : nullptr; }
    T* operator[](std::size_t i) const { return at(i); }

    // Puts the node in slot i (destroying what was there).
    void set(std::size_t i, std::unique_ptr<T> node)
    {
        if (i >= items_.size()) {
            items_.resize(2 * i + 4);
        }
        if (items_[i]) {
            --count_;
        }
        items_[i] = std::move(node);
        if (items_[i]) {
            ++count_;
            if (i + 1 > end_) {
                end_ = i + 1;
            }
        }
        trimEnd();
    }

    T* append(std::unique_ptr<T> node)
    {
        T* raw = node.get();
        std::size_t slot = firstFree_;
        set(slot, std::move(node));
        while (firstFree_ < items_.size() && items_[firstFree_]) {
            ++firstFree_;
        }
        return raw;
    }

    // Shifts slots i..end-1 up by one when slot i is in use, then fills it.
    T* insertAt(std::size_t i, std::unique_ptr<T> node)
    {
        T* raw = node.get();
        if (i < items_.size() && items_[i]) {
            if (end_ >= items_.size()) {
                items_.resize(2 * end_ + 4);
            }
            for (std::size_t k = end_; k > i; --k) {
                items_[k] = std::move(items_[k - 1]);
            }
            ++end_;
        }
        set(i, std::move(node));
        while (firstFree_ < items_.size() && items_[firstFree_]) {
            ++firstFree_;
        }
        return raw;
    }
    T* prepend(std::unique_ptr<T> node) { return insertAt(0, std::move(node)); }

    void remove(std::size_t i)
    {
        if (i >= items_.size() || !items_[i]) {
            return;
        }
        items_[i].reset();
        --count_;
        if (i < firstFree_) {
            firstFree_ = i;
        }
        trimEnd();
    }

    // Removes every node, from the top down.
    void clear()
    {
        for (std::size_t i = items_.size(); i-- > 0;) {
            items_[i].reset();
        }
        items_.clear();
        count_ = firstFree_ = end_ = 0;
    }

private:
    void trimEnd()
    {
        while (end_ > 0 && !items_[end_ - 1]) {
            --end_;
        }
    }

    std::vector<std::unique_ptr<T>> items_;
    std::size_t count_ = 0;
    std::size_t firstFree_ = 0;
    std::size_t end_ = 0;
};

}  // namespace scene3d
