// Vertex storage.
#include "model/VertexArray.h"

#include <algorithm>

namespace model {

void VertexArray::release()
{
    if (onHeap()) {
        delete[] heap_;
    }
}

void VertexArray::reserve(std::size_t n)
{
    if (n <= capacity_) {
        return;
    }
    X3DPoint* bigger = new X3DPoint[n];
    std::copy(begin(), end(), bigger);
    release();
    heap_ = bigger;
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
    } else {
        heap_ = new X3DPoint[size_];
        std::copy(old, old + size_, heap_);
        capacity_ = size_;
    }
    delete[] old;
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
