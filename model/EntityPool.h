// Memory for entities: size classes carved from large chunks that the kernel
// may back with huge pages. A million-face model then costs a few hundred
// page faults instead of tens of thousands, and no per-entity malloc header.
#pragma once

#include <cstddef>

namespace model {

// Entities are created and destroyed on the one user-interface thread only.
void* allocateEntity(std::size_t size);
void freeEntity(void* p, std::size_t size);

// A standard allocator over the pool, for the small arrays lists keep of
// their children (a wall's is a few pointers).
template <typename T>
struct EntityAllocator {
    using value_type = T;
    EntityAllocator() = default;
    template <typename U>
    EntityAllocator(const EntityAllocator<U>&)
    {
    }
    T* allocate(std::size_t n) { return static_cast<T*>(allocateEntity(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) { freeEntity(p, n * sizeof(T)); }
    template <typename U>
    bool operator==(const EntityAllocator<U>&) const
    {
        return true;
    }
};

// Bytes taken from the system for entities so far (freed entities are kept
// for reuse, not returned).
std::size_t entityPoolReserved();

}  // namespace model
