// Size-class pool for entities.
#include "model/EntityPool.h"

#include "model/HugePages.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KCAD_PLAIN_ENTITY_MEMORY 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KCAD_PLAIN_ENTITY_MEMORY 1
#endif

namespace model {

namespace {

constexpr std::size_t granule = 16;
constexpr std::size_t largestPooled = 256;
constexpr std::size_t classCount = largestPooled / granule;

struct FreeBlock {
    FreeBlock* next;
};

struct Pool {
    FreeBlock* freeLists[classCount] = {};
    char* bump = nullptr;
    char* bumpEnd = nullptr;
    std::size_t reserved = 0;
};

Pool pool;

#ifndef KCAD_PLAIN_ENTITY_MEMORY
constexpr std::size_t chunkSize = std::size_t(8) << 20;
constexpr std::size_t hugePage = std::size_t(2) << 20;

bool newChunk()
{
    // Over-allocate by one huge page so that the chunk can start on a huge
    // page boundary, and let the kernel back it with huge pages.
    std::size_t length = chunkSize + hugePage;
    void* raw = ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) {
        return false;
    }
    auto start = reinterpret_cast<std::uintptr_t>(raw);
    std::uintptr_t aligned = (start + hugePage - 1) & ~(hugePage - 1);
    if (aligned > start) {
        ::munmap(raw, aligned - start);
    }
    std::uintptr_t end = aligned + chunkSize;
    std::uintptr_t rawEnd = start + length;
    if (rawEnd > end) {
        ::munmap(reinterpret_cast<void*>(end), rawEnd - end);
    }
    adviseHugePages(reinterpret_cast<void*>(aligned), chunkSize);
    pool.bump = reinterpret_cast<char*>(aligned);
    pool.bumpEnd = pool.bump + chunkSize;
    pool.reserved += chunkSize;
    return true;
}
#endif

}  // namespace

void* allocateEntity(std::size_t size)
{
#ifndef KCAD_PLAIN_ENTITY_MEMORY
    std::size_t rounded = (size + granule - 1) & ~(granule - 1);
    if (rounded != 0 && rounded <= largestPooled) {
        std::size_t c = rounded / granule - 1;
        if (FreeBlock* b = pool.freeLists[c]) {
            pool.freeLists[c] = b->next;
            return b;
        }
        if (static_cast<std::size_t>(pool.bumpEnd - pool.bump) < rounded && !newChunk()) {
            throw std::bad_alloc();
        }
        void* p = pool.bump;
        pool.bump += rounded;
        return p;
    }
#endif
    return ::operator new(size);
}

void freeEntity(void* p, std::size_t size)
{
    if (!p) {
        return;
    }
#ifndef KCAD_PLAIN_ENTITY_MEMORY
    std::size_t rounded = (size + granule - 1) & ~(granule - 1);
    if (rounded != 0 && rounded <= largestPooled) {
        auto* b = static_cast<FreeBlock*>(p);
        std::size_t c = rounded / granule - 1;
        b->next = pool.freeLists[c];
        pool.freeLists[c] = b;
        return;
    }
#endif
    ::operator delete(p);
}

std::size_t entityPoolReserved()
{
    return pool.reserved;
}

}  // namespace model
