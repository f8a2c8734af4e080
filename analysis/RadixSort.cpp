// Radix sort of keyed items.
#include "analysis/RadixSort.h"

#include <array>

#include "model/HugePages.h"

namespace analysis {

void radixSort(std::vector<KeyedItem>& items, int bits)
{
    // Eleven-bit digits: the counts and the places written to stay in cache.
    constexpr int digit = 11;
    std::vector<KeyedItem> scratch;
    model::reserveLarge(scratch, items.size());
    scratch.resize(items.size());
    std::vector<std::uint32_t> counts(1u << digit);
    for (int shift = 0; shift < bits; shift += digit) {
        std::fill(counts.begin(), counts.end(), 0u);
        for (const KeyedItem& it : items) {
            ++counts[(it.key >> shift) & ((1u << digit) - 1)];
        }
        // A pass where every item has the same digit changes nothing.
        bool allSame = false;
        for (std::uint32_t c : counts) {
            if (c == items.size()) {
                allSame = true;
                break;
            }
        }
        if (allSame) {
            continue;
        }
        std::uint32_t sum = 0;
        for (std::uint32_t& c : counts) {
            std::uint32_t n = c;
            c = sum;
            sum += n;
        }
        for (const KeyedItem& it : items) {
            scratch[counts[(it.key >> shift) & ((1u << digit) - 1)]++] = it;
        }
        items.swap(scratch);
    }
}

}  // namespace analysis
