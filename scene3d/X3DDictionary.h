// Named nodes: a hash table with the scene library's own hash, and the
// dictionary that also keeps the order of insertion (for the declarations of
// an exported scene).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace scene3d {

class X3DNode;

struct X3DNamedEntry {
    std::string name;
    std::unique_ptr<X3DNode> value;
    int order = -1;  // position in the dictionary's insertion order

    X3DNamedEntry();
    ~X3DNamedEntry();
    static const char* className() { return "X3DEntity"; }
};

// h = (h * 2) xor c over the name's characters, each as a signed byte.
std::uint32_t x3dHash(std::string_view name);

class X3DHashTable {
public:
    explicit X3DHashTable(std::uint32_t bucketCount) : buckets_(bucketCount) {}
    virtual ~X3DHashTable() = default;
    static const char* className() { return "X3DField"; }

    std::uint32_t bucketCount() const { return static_cast<std::uint32_t>(buckets_.size()); }
    std::uint32_t bucketOf(std::string_view name) const { return x3dHash(name) % bucketCount(); }

    // The entry of that name (compared exactly) or null.
    X3DNamedEntry* lookup(std::string_view name) const;
    // Replaces the node of an existing entry (destroying the old one) or adds
    // an entry to the name's bucket; answers the entry and whether it is new.
    X3DNamedEntry* put(std::string_view name, std::unique_ptr<X3DNode> node, bool* created = nullptr);
    virtual void clear();

private:
    std::vector<std::vector<std::unique_ptr<X3DNamedEntry>>> buckets_;
};

class X3DDictionary : public X3DHashTable {
public:
    explicit X3DDictionary(std::uint32_t bucketCount) : X3DHashTable(bucketCount) {}

    // Puts the node; a new entry goes to the end of the insertion order, a
    // replaced one keeps its place.
    X3DNamedEntry* insert(std::string_view name, std::unique_ptr<X3DNode> node);
    std::size_t count() const { return ordered_.size(); }
    X3DNamedEntry* entryAt(std::size_t i) const { return i < ordered_.size() ? ordered_[i] : nullptr; }
    void clear() override;

private:
    std::vector<X3DNamedEntry*> ordered_;
};

}  // namespace scene3d
