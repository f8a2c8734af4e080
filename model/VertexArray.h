// A face's vertices: up to four held inside the face itself (floors, walls,
// doors), more on the heap. Saves an allocation per face in large models.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "geometry/X3DPoint.h"

namespace model {

class VertexArray {
public:
    using X3DPoint = geometry::X3DPoint;
    static constexpr std::uint32_t inlineCapacity = 4;

    VertexArray() {}
    ~VertexArray() { release(); }
    VertexArray(const X3DPoint* first, const X3DPoint* last) { assign(first, last); }
    VertexArray(std::initializer_list<X3DPoint> points) { assign(points.begin(), points.end()); }
    VertexArray(const std::vector<X3DPoint>& points) { assign(points.data(), points.data() + points.size()); }
    VertexArray(const VertexArray& o) { assign(o.begin(), o.end()); }
    VertexArray(VertexArray&& o) noexcept { take(o); }
    VertexArray& operator=(const VertexArray& o)
    {
        if (this != &o) {
            assign(o.begin(), o.end());
        }
        return *this;
    }
    VertexArray& operator=(VertexArray&& o) noexcept
    {
        if (this != &o) {
            take(o);
        }
        return *this;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    X3DPoint* data() { return onHeap() ? heap_ : inline_; }
    const X3DPoint* data() const { return onHeap() ? heap_ : inline_; }
    X3DPoint* begin() { return data(); }
    X3DPoint* end() { return data() + size_; }
    const X3DPoint* begin() const { return data(); }
    const X3DPoint* end() const { return data() + size_; }
    X3DPoint& operator[](std::size_t i) { return data()[i]; }
    const X3DPoint& operator[](std::size_t i) const { return data()[i]; }
    X3DPoint& front() { return data()[0]; }
    X3DPoint& back() { return data()[size_ - 1]; }

    void reserve(std::size_t n);
    void push_back(const X3DPoint& p)
    {
        if (size_ == capacity_) {
            reserve(std::size_t{capacity_} * 2);
        }
        data()[size_++] = p;
    }
    // Shrinks (or grows with points at the origin) to n vertices.
    void resize(std::size_t n);
    void clear() { size_ = 0; }
    // Gives back heap storage that is no longer needed.
    void shrink_to_fit();

private:
    bool onHeap() const { return capacity_ > inlineCapacity; }
    void release();
    void assign(const X3DPoint* first, const X3DPoint* last);
    void take(VertexArray& o);

    std::uint32_t size_ = 0;
    std::uint32_t capacity_ = inlineCapacity;
    // The heap pointer shares the space of the inline points it replaces.
    union {
        X3DPoint inline_[inlineCapacity];
        X3DPoint* heap_;
    };
};

}  // namespace model
