// Vertex storage.
#include "model/VertexArray.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <type_traits>

namespace model {

// Heap storage grows with realloc: large blocks then move by remapping pages
// instead of copying into a second block, so a face of millions of vertices
// never needs twice its memory while it is read.
static_assert(std::is_trivially_copyable_v<geometry::X3DPoint>);

void VertexArray::release()
{
    if (onHeap()) {
        std::free(heap_);
    }
}

void VertexArray::reserve(std::size_t n)
{
    if (n <= capacity_) {
        return;
    }
    if (n > 0xffffffffu) {
        throw std::bad_alloc();
    }
    if (onHeap()) {
        void* bigger = std::realloc(heap_, n * sizeof(X3DPoint));
        if (!bigger) {
            throw std::bad_alloc();
        }
        heap_ = static_cast<X3DPoint*>(bigger);
    } else {
        auto* bigger = static_cast<X3DPoint*>(std::malloc(n * sizeof(X3DPoint)));
        if (!bigger) {
            throw std::bad_alloc();
        }
        std::copy(inline_, inline_ + size_, bigger);
        heap_ = bigger;
    }
    capacity_ = static_cast<std::uint32_t>(n);
}

void VertexArray::resize(std::size_t n)
{
    reserve(n);
    for (std::size_t i = size_; i < n; ++i) {
        data()[i] = X3DPoint();
    }
    size_ = static_cast<std::uint32_t>(n);
}

void VertexArray::shrink_to_fit()
{
    if (!onHeap() || size_ == capacity_) {
        return;
    }
    X3DPoint* old = heap_;
    if (size_ <= inlineCapacity) {
        std::copy(old, old + size_, inline_);
        capacity_ = inlineCapacity;
        std::free(old);
    } else if (void* smaller = std::realloc(old, size_ * sizeof(X3DPoint))) {
        heap_ = static_cast<X3DPoint*>(smaller);
        capacity_ = size_;
    }
}

void VertexArray::assign(const X3DPoint* first, const X3DPoint* last)
{
    std::size_t n = static_cast<std::size_t>(last - first);
    size_ = 0;
    reserve(n);
    std::copy(first, last, data());
    size_ = static_cast<std::uint32_t>(n);
}

void VertexArray::take(VertexArray& o)
{
    release();
    size_ = o.size_;
    capacity_ = o.capacity_;
    if (o.onHeap()) {
        heap_ = o.heap_;
    } else {
        std::copy(o.inline_, o.inline_ + o.size_, inline_);
    }
    o.size_ = 0;
    o.capacity_ = inlineCapacity;
}

}  // namespace model
