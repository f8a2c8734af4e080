// Asking the kernel to back large, freshly reserved arrays with huge pages:
// a million-face model then costs a few hundred page faults instead of a
// hundred thousand.
#pragma once

#include <cstddef>
#include <vector>

namespace model {

// Advises huge pages for the whole 2 MB pages inside [p, p + bytes); a no-op
// for small ranges or where the system has no such advice.
void adviseHugePages(void* p, std::size_t bytes);

// Reserves room for n elements and advises huge pages for it before any of
// it is touched.
template <typename T>
void reserveLarge(std::vector<T>& v, std::size_t n)
{
    v.reserve(n);
    adviseHugePages(v.data(), v.capacity() * sizeof(T));
}

// Appends to a vector that may grow large: each growth doubles it into
// memory advised for huge pages.
template <typename T>
void pushBackLarge(std::vector<T>& v, const T& value)
{
    if (v.size() == v.capacity()) {
        std::vector<T> bigger;
        reserveLarge(bigger, v.empty() ? 4096 : v.size() * 2);
        bigger.assign(v.begin(), v.end());
        v.swap(bigger);
    }
    v.push_back(value);
}

}  // namespace model
