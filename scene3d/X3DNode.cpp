// Groups and transforms, and how they write themselves.
#include "scene3d/X3DNode.h"

#include "scene3d/X3DStream.h"

namespace scene3d {

namespace {
ListReleaser listReleaser = nullptr;
}

void setListReleaser(ListReleaser releaser)
{
    listReleaser = releaser;
}

X3DCachedNode::~X3DCachedNode()
{
    if (listId != 0 && listReleaser) {
        listReleaser(listContext, listId);
    }
}

X3DNode* X3DGroup::addChild(std::unique_ptr<X3DNode> node)
{
    dirty = true;
    return children.append(std::move(node));
}

X3DNode* X3DGroup::prependChild(std::unique_ptr<X3DNode> node)
{
    dirty = true;
    return children.prepend(std::move(node));
}

void X3DGroup::writeChildren(X3DStream& out) const
{
    for (std::size_t i = 0; i < children.count(); ++i) {
        if (const X3DNode* child = children.at(i)) {
            child->write(out);
        }
    }
}

void X3DGroup::writeChildrenBlock(X3DStream& out) const
{
    out.line("children [");
    ++out.indent;
    writeChildren(out);
    --out.indent;
    out.line("]");
}

void X3DGroup::write(X3DStream& out) const
{
    std::size_t n = children.count();
    if (n == 0) {
        return;
    }
    if (out.pov()) {
        if (n == 1) {
            writeChildren(out);
            return;
        }
        out.line("union {");
        ++out.indent;
        writeChildren(out);
        --out.indent;
        out.line("}");
        return;
    }
    out.line("Group {");
    ++out.indent;
    writeChildrenBlock(out);
    --out.indent;
    out.line("}");
}

void X3DTransform::write(X3DStream& out) const
{
    bool scaled = !isNear(scale, 0.0) && !isNear(scale, 1.0);
    bool rotated = !isNearZero(rotation.angle.degrees);
    bool moved = !isNear(translation, 0.0);
    if (out.pov()) {
        out.line(children.count() >= 2 ? "union {" : "object {");
        ++out.indent;
        writeChildren(out);
        if (scaled || rotated || moved) {
            out.writeIndent();
            const char* gap = "";
            if (scaled) {
                out.put("scale ");
                out.putPoint(scale);
                gap = " ";
            }
            if (rotated) {
                out.put(gap);
                out.put("rotate ");
                out.putRotation(rotation);
                gap = " ";
            }
            if (moved) {
                out.put(gap);
                out.put("translate ");
                out.putPoint(translation);
            }
            out.newline();
        }
        --out.indent;
        out.line("}");
        return;
    }
    out.line("Transform {");
    ++out.indent;
    if (scaled) {
        out.writeIndent();
        out.put("scale ");
        out.putPoint(scale);
        out.newline();
    }
    if (rotated) {
        out.writeIndent();
        out.put("rotation ");
        out.putRotation(rotation);
        out.newline();
    }
    if (moved) {
        out.writeIndent();
        out.put("translation ");
        out.putPoint(translation);
        out.newline();
    }
    if (!children.empty()) {
        writeChildrenBlock(out);
    }
    --out.indent;
    out.line("}");
}

}  // namespace scene3d
