"""Reads every #include of the program's sources and fails when a folder
includes one above it in the layer order (DESIGN.md): linking catches only
what is compiled into a library, so header-only code would slip through.

    textio, geometry, ui (interfaces)  <  materials  <  model
    <  storage, exchange, analysis, views, scene3d  <  tools  <  app

Folders of one level may use each other. Only app/ includes the back ends
ui/qt/ and ui/headless/, and only ui/qt/ and app/ include Qt."""
import os
import re
import sys

LEVEL = {
    "textio": 0, "geometry": 0, "ui": 0,
    "materials": 1,
    "model": 2,
    "storage": 3, "exchange": 3, "analysis": 3, "views": 3, "scene3d": 3,
    "tools": 4,
    "app": 5,
}
BACK_ENDS = ("ui/qt", "ui/headless")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(path):
    """The layer folder of a source path ('ui/qt' and 'ui/headless' apart)."""
    parts = path.split("/")
    if parts[0] == "ui" and len(parts) > 2 and parts[1] in ("qt", "headless"):
        return "ui/" + parts[1]
    return parts[0]


def problems_in(root):
    found = []
    for top in LEVEL:
        for dirpath, _, files in os.walk(os.path.join(root, top)):
            for name in files:
                if not name.endswith((".h", ".cpp", ".hpp", ".in")):
                    continue
                path = os.path.relpath(os.path.join(dirpath, name), root)
                here = folder_of(path)
                with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
                    for number, line in enumerate(source, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        kind, target = m.groups()
                        where = f"{path}:{number}: "
                        if kind == "<":
                            if re.match(r"Q[A-Za-z]", target) and here not in ("ui/qt", "app"):
                                found.append(where + f"Qt ({target}) outside ui/qt/ and app/")
                            continue
                        there = folder_of(target)
                        if there not in LEVEL and there not in BACK_ENDS:
                            continue
                        if there in BACK_ENDS:
                            if here != there and here != "app":
                                found.append(where + f"{target}: only app/ uses the back end {there}/")
                            continue
                        mine = LEVEL["ui"] if here in BACK_ENDS else LEVEL[here]
                        if LEVEL[there] > mine:
                            found.append(where + f"{target}: {here}/ may not include {there}/, a layer above it")
    return found


def self_test():
    """The checker itself: a tree with one bad include of each kind."""
    import tempfile
    with tempfile.TemporaryDirectory() as root:
        files = {
            "model/Good.h": '#include "geometry/X3DPoint.h"\n#include "ui/Platform.h"\n',
            "model/Bad.h": '#include "tools/Tool.h"\n',
            "views/Sibling.cpp": '#include "storage/AtomicFile.h"\n',
            "tools/UsesBackEnd.cpp": '#include "ui/headless/HeadlessPlatform.h"\n',
            "views/UsesQt.cpp": "#include <QWidget>\n",
            "app/Fine.cpp": '#include "ui/qt/QtFrame.h"\n#include <QApplication>\n',
            "ui/qt/Fine.cpp": '#include "ui/Window.h"\n#include <QWidget>\n',
            "ui/headless/Bad.cpp": '#include "views/ViewWindow.h"\n',
        }
        for name, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(name)), exist_ok=True)
            with open(os.path.join(root, name), "w") as f:
                f.write(text)
        found = sorted(p.split(":")[0] for p in problems_in(root))
        wanted = ["model/Bad.h", "tools/UsesBackEnd.cpp", "ui/headless/Bad.cpp", "views/UsesQt.cpp"]
        if found != wanted:
            print(f"the checker found {found}, expected {wanted}")
            return 1
    print("the checker finds each kind of bad include")
    return 0


def main(root):
    if root == "--self-test":
        return self_test()
    found = problems_in(root)
    for p in found:
        print(p)
    if found:
        print(f"{len(found)} include(s) against the layer order")
        return 1
    print("every include keeps to the layer order")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
