// Memory for entities: size classes carved from large chunks that the kernel
// may back with huge pages. A million-face model then costs a few hundred
// page faults instead of tens of thousands, and no per-entity malloc header.
#pragma once

#include <cstddef>

namespace model {

// Entities are created and destroyed on the one user-interface thread only.
void* allocateEntity(std::size_t size);
void freeEntity(void* p, std::size_t size);

// Bytes taken from the system for entities so far (freed entities are kept
// for reuse, not returned).
std::size_t entityPoolReserved();

}  // namespace model
