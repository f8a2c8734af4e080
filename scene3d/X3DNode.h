// Scene nodes: the base, the display-list base and the grouping nodes.
#pragma once

#include <cstdint>
#include <memory>

#include "geometry/X3DPoint.h"
#include "scene3d/X3DArray.h"
#include "scene3d/X3DFields.h"

namespace scene3d {

class X3DStream;

class X3DNode {
public:
    X3DNode() = default;
    virtual ~X3DNode() = default;
    X3DNode(const X3DNode&) = delete;
    X3DNode& operator=(const X3DNode&) = delete;

    virtual const char* className() const { return "X3DNode"; }
    // The node's text in the stream's format; nothing by default.
    virtual void write(X3DStream& out) const {}
};

// A node the 3-D view draws through an OpenGL display list, compiled again
// when the node is dirty.
class X3DCachedNode : public X3DNode {
public:
    // Hands the list, if any, to the list releaser.
    ~X3DCachedNode() override;

    unsigned listId = 0;            // 0: no list yet
    std::uint64_t listContext = 0;  // the OpenGL context the list lives in
    bool dirty = true;

    bool needsCompiling() const { return dirty || listId == 0; }
};

// Who deletes the display lists of destroyed nodes (the renderer, once their
// context is current again); nobody while none is installed.
using ListReleaser = void (*)(std::uint64_t context, unsigned listId);
void setListReleaser(ListReleaser releaser);

class X3DGroup : public X3DCachedNode {
public:
    X3DArray<X3DNode> children;

    const char* className() const override { return "X3DGroup"; }
    void write(X3DStream& out) const override;

    virtual void removeAllChildren() { children.clear(); }
    virtual X3DNode* addChild(std::unique_ptr<X3DNode> node);
    X3DNode* prependChild(std::unique_ptr<X3DNode> node);

protected:
    // The children one after another, and VRML's "children [ ... ]" block.
    void writeChildren(X3DStream& out) const;
    void writeChildrenBlock(X3DStream& out) const;
};

class X3DTransform : public X3DGroup {
public:
    geometry::X3DVector scale;  // (0, 0, 0) and (1, 1, 1) both mean unscaled
    X3DRotation rotation;
    geometry::X3DVector translation;

    const char* className() const override { return "X3DTransform"; }
    void write(X3DStream& out) const override;
};

}  // namespace scene3d
