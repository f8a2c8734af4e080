// Sorting many (key, value) pairs by key in linear time, least significant
// digit first; stable, so equal keys keep their order.
#pragma once

#include <cstdint>
#include <vector>

namespace analysis {

struct KeyedItem {
    std::uint64_t key;
    std::uint32_t value;
};

// Sorts by key; only the low `bits` bits of the keys are looked at.
void radixSort(std::vector<KeyedItem>& items, int bits = 64);

}  // namespace analysis
