"""Every DXF file we write passes ezdxf's reader and its audit with no errors."""
import os
import sys

import ezdxf

import models


def check(path, expect_layers):
    doc = ezdxf.readfile(path)
    auditor = doc.audit()
    assert not auditor.errors, f"{path}: {[str(e) for e in auditor.errors]}"
    kinds = [e.dxftype() for e in doc.modelspace()]
    for polyline in doc.modelspace().query("POLYLINE"):
        kinds += ["VERTEX"] * len(list(polyline.vertices))
    layers = {e.dxf.layer for e in doc.modelspace()}
    assert expect_layers <= layers, f"{path}: layers {layers}"
    with open(path, "rb") as f:
        raw = f.read()
    assert raw.endswith(b"0\r\nEOF\r\n"), f"{path}: trailer"
    assert b"\n" not in raw.replace(b"\r\n", b""), f"{path}: a bare line feed"
    return kinds


def main(kcad, generator, example, workdir):
    found = models.make_models(workdir, example, generator)
    for name, path in found.items():
        for names in (True, False):
            folder = os.path.join(workdir, "names" if names else "numbers")
            os.makedirs(folder, exist_ok=True)
            with open(os.path.join(folder, "tolvane.ini"), "w") as f:
                f.write("[KCad]\nSaveDxfMaterialName=%d\n" % (1 if names else 0))
            out = models.convert(kcad, os.path.abspath(path), os.path.join(folder, name + ".dxf"), cwd=folder)
            expect = set()
            if name == "edge":
                expect = {"HOLES", "SOURCES", "RECEIVERS"}
                expect |= {"Concrete block", "Wooden door"} if names else {"3", "16"}
            kinds = check(out, expect)
            if name == "edge":
                # triangle 1, pentagon 2, hexagon 2, wall, door, the nested list's face
                assert kinds.count("3DFACE") == 8, kinds
                assert kinds.count("POLYLINE") == 1 and kinds.count("VERTEX") == 5, kinds
                assert kinds.count("ATTDEF") == 2 and kinds.count("LINE") == 1, kinds
            if name == "empty":
                assert kinds == [], kinds
    print("ezdxf read and audited every DXF without errors")


if __name__ == "__main__":
    main(*sys.argv[1:5])
