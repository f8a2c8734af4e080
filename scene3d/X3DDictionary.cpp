// Hash table and dictionary of named nodes.
#include "scene3d/X3DDictionary.h"

#include "scene3d/X3DNode.h"

namespace scene3d {

X3DNamedEntry::X3DNamedEntry() = default;
X3DNamedEntry::~X3DNamedEntry() = default;

std::uint32_t x3dHash(std::string_view name)
{
    std::uint32_t h = 0;
    for (char c : name) {
        auto widened = static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
        h = (h * 2u) ^ widened;
    }
    return h;
}

X3DNamedEntry* X3DHashTable::lookup(std::string_view name) const
{
    for (const auto& entry : buckets_[bucketOf(name)]) {
        if (entry->name == name) {
            return entry.get();
        }
    }
    return nullptr;
}

X3DNamedEntry* X3DHashTable::put(std::string_view name, std::unique_ptr<X3DNode> node, bool* created)
{
    if (X3DNamedEntry* existing = lookup(name)) {
        existing->value = std::move(node);
        if (created) {
            *created = false;
        }
        return existing;
    }
    auto entry = std::make_unique<X3DNamedEntry>();
    entry->name.assign(name);
    entry->value = std::move(node);
    X3DNamedEntry* raw = entry.get();
    buckets_[bucketOf(name)].push_back(std::move(entry));
    if (created) {
        *created = true;
    }
    return raw;
}

void X3DHashTable::clear()
{
    for (auto& bucket : buckets_) {
        bucket.clear();
    }
}

X3DNamedEntry* X3DDictionary::insert(std::string_view name, std::unique_ptr<X3DNode> node)
{
    bool created = false;
    X3DNamedEntry* entry = put(name, std::move(node), &created);
    if (created) {
        entry->order = static_cast<int>(ordered_.size());
        ordered_.push_back(entry);
    }
    return entry;
}

void X3DDictionary::clear()
{
    ordered_.clear();
    X3DHashTable::clear();
}

}  // namespace scene3d
