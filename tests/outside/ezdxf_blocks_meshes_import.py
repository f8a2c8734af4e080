"""Drawings written by ezdxf, imported by `kcad convert`, compared with what
ezdxf itself computes for the same entities: its virtual_entities of every
INSERT (MINSERT arrays through multi_insert, nested blocks recursively, an
entity on layer 0 taking the layer of the INSERT that places it) and of every
polyface and polygon mesh. Blocks nested, mirrored, rotated, scaled and
extruded; meshes; millimetre and inch drawings; layer names in Windows-1252
(R2000) and UTF-8 (R2013). Then a model with walls, doors, holes, sources and
receivers goes out as DXF and comes back the same."""
import math
import os
import re
import subprocess
import sys

import ezdxf

MATERIALS = "  1  Concrete , 0.01\n  2  Brick , 0.03\n  3  Glass , 0.04\n  4  B\u00e9ton , 0.02\n"
NUMBERS = {"concrete": 1, "brick": 2, "glass": 3, "b\u00e9ton": 4}


def panel(block, x, layer):
    block.add_3dface([(x, 0, 0), (x + 2, 0, 0), (x + 2, 0, 1.5), (x, 0, 1.5)], dxfattribs={"layer": layer})


def blocks_drawing(doc):
    msp = doc.modelspace()
    leaf = doc.blocks.new(name="LEAF", base_point=(1, 0, 0))
    panel(leaf, 0, "0")
    panel(leaf, 3, "Glass")
    leaf.add_3dface([(0, 1, 0), (1, 1, 0), (0, 2, 0)], dxfattribs={"layer": "0"})
    room = doc.blocks.new(name="ROOM")
    room.add_blockref("LEAF", (0, 0, 0), dxfattribs={"layer": "0"})
    room.add_blockref("LEAF", (0, 10, 0), dxfattribs={"layer": "Concrete", "rotation": 30, "xscale": -1})
    room.add_blockref("LEAF", (0, 20, 3), dxfattribs={"layer": "0", "yscale": 2, "zscale": 0.5, "rotation": 200})
    msp.add_blockref("ROOM", (100, 50, 0), dxfattribs={"layer": "Brick", "rotation": 45, "xscale": 2, "yscale": 2,
                                                       "zscale": 2})
    msp.add_blockref("ROOM", (-40, 0, 0), dxfattribs={"layer": "Glass", "xscale": -1, "yscale": 1.5})
    msp.add_blockref("LEAF", (0, -30, 0), dxfattribs={"layer": "Concrete", "extrusion": (0.3, -0.4, 0.866),
                                                       "rotation": 10})
    grid = msp.add_blockref("LEAF", (0, 200, 0), dxfattribs={"layer": "Brick", "rotation": 15})
    grid.grid(size=(2, 3), spacing=(20, 30))


def meshes_drawing(doc):
    msp = doc.modelspace()
    face = msp.add_polyface(dxfattribs={"layer": "Glass"})
    face.append_faces([[(0, 0, 0), (4, 0, 0), (4, 0, 3), (0, 0, 3)], [(0, 0, 3), (4, 0, 3), (2, 0, 5)],
                       [(4, 0, 0), (4, 6, 0), (4, 6, 3), (4, 0, 3)]])
    mesh = msp.add_polymesh((3, 4), dxfattribs={"layer": "Concrete"})
    for m in range(3):
        for n in range(4):
            mesh.set_mesh_vertex((m, n), (20 + n * 2, m * 3, (n % 2) * 0.5 + m))


def units_drawing(doc, scale):
    msp = doc.modelspace()
    msp.add_3dface([(0, 0, 0), (4 / scale, 0, 0), (4 / scale, 0, 3 / scale), (0, 0, 3 / scale)],
                   dxfattribs={"layer": "Brick"})
    block = doc.blocks.new(name="P")
    panel(block, 0, "0")
    msp.add_blockref("P", (10 / scale, 0, 0), dxfattribs={"layer": "Concrete", "rotation": 90})


def accents_drawing(doc):
    msp = doc.modelspace()
    doc.layers.add("B\u00e9ton")
    msp.add_3dface([(0, 0, 0), (4, 0, 0), (4, 0, 3), (0, 0, 3)], dxfattribs={"layer": "B\u00e9ton"})


def expanded(entity, layer, out, matrix=None):
    """ezdxf's own expansion, recursively, with the layer-0 rule: a
    top-level INSERT through its virtual_entities; nested ones through the
    product of ezdxf's block reference matrices, because the virtual INSERT
    that virtual_entities makes of a nested one cannot carry the shear that a
    rotation inside a non-uniform scaling makes (ezdxf rounds it away)."""
    kind = entity.dxftype()
    if kind == "INSERT":
        for single in (entity.multi_insert() if entity.mcount > 1 else [entity]):
            if matrix is None:
                for e in single.virtual_entities():
                    if e.dxftype() == "INSERT":
                        continue
                    own = e.dxf.layer
                    expanded(e, layer if own == "0" else own, out)
            inner = single.matrix44() if matrix is None else single.matrix44() * matrix
            for e in single.block():
                if e.dxftype() == "ATTDEF" or (matrix is None and e.dxftype() != "INSERT"):
                    continue
                own = e.dxf.layer
                expanded(e, layer if own == "0" else own, out, inner)
    elif kind == "POLYLINE":
        for e in entity.virtual_entities():
            expanded(e, layer, out, matrix)
    elif kind == "3DFACE":
        points = entity.wcs_vertices()
        if matrix is not None:
            points = [matrix.transform(v) for v in points]
        out.append((layer, [tuple(v) for v in points]))


def key(material, points, scale=1.0):
    """A face as a material and its set of distinct corners (ezdxf writes a
    triangle's third corner twice; a model face never repeats one)."""
    corners = set()
    for p in points:
        corners.add(tuple(round(c * scale + 0.0, 6) + 0.0 for c in p))
    return (material, tuple(sorted(corners)))


def expected_faces(path, scale):
    doc = ezdxf.readfile(path)
    faces = []
    for e in doc.modelspace():
        expanded(e, e.dxf.layer, faces)
    return sorted(key(NUMBERS.get(layer.lower(), 0), pts, scale) for layer, pts in faces)


FACE = re.compile(r"^\s*(Face|Door|Hole)\s+(\d+)\s+(\d+)\s+(\d+)\s+(.*)$")


def imported_faces(ray):
    faces = []
    with open(ray, encoding="utf-8") as f:
        for line in f:
            if line.startswith("MaterialList"):
                break
            m = FACE.match(line)
            if not m:
                continue
            values = [float(v) for v in m.group(5).split()]
            points = [values[i:i + 3] for i in range(0, len(values), 3)]
            faces.append(key(int(m.group(3)), points))
    return sorted(faces)


def convert(kcad, matdir, source, target, *options):
    result = subprocess.run([kcad, "convert", "--materials", matdir, *options, source, target],
                            capture_output=True, text=True)
    assert result.returncode == 0, f"kcad convert {source} failed: {result.stderr}"
    return result


def compare(kcad, matdir, path, scale=1.0, *options):
    ray = path[:-4] + ".ray"
    convert(kcad, matdir, path, ray, *options)
    expected = expected_faces(path, scale)
    got = imported_faces(ray)
    assert len(got) == len(expected), f"{path}: {len(got)} faces, ezdxf computes {len(expected)}"
    for g, e in zip(got, expected):
        assert g[0] == e[0], f"{path}: material {g[0]} where ezdxf's layer gives {e[0]}"
        assert len(g[1]) == len(e[1]), f"{path}: {g} against {e}"
        for a, b in zip(g[1], e[1]):
            assert max(abs(x - y) for x, y in zip(a, b)) < 1e-5, f"{path}: corner {a} where ezdxf has {b}"
    print(f"{os.path.basename(path)}: {len(got)} faces as ezdxf computes them")


ROUND_TRIP = """EntityList
 Wall
  Face 1 2 4  0 0 0  10 0 0  10 0 3  0 0 3
  Door 0 3 4  1 0 0  2 0 0  2 0 2.1  1 0 2.1
  Hole 0 0 4  4 0 1  5 0 1  5 0 2  4 0 2
  Hole 0 0 5  6 0 1  7 0 1  7.5 0 1.5  7 0 2  6 0 2
 End
 Wall
  Face 0 1 4  0 0 0  0 8 0  0 8 3  0 0 3
  Hole 0 0 4  0 2 1  0 3 1  0 3 2  0 2 2
 End
 Face 3 4 3  0 0 0  10 0 0  10 8 0
 Source 2 2 1.5 5 3 1.2 30 horn.spk
 Receiver 5 4 1.2 6 4 1.2
 Receiver 8 6 1.2 0 0 1.2
End
InfoList
End
"""


def round_trip(kcad, matdir, workdir):
    ray = os.path.join(workdir, "model.ray")
    with open(ray, "w") as f:
        f.write(ROUND_TRIP)
    dxf = os.path.join(workdir, "model.dxf")
    back = os.path.join(workdir, "back.ray")
    convert(kcad, matdir, ray, dxf)
    convert(kcad, matdir, dxf, back)
    with open(back, encoding="utf-8") as f:
        got = f.read().split("MaterialList\n")[0]
    # A face comes back as a wall (its DXF 3DFACE has four corners, the
    # last repeating the first); everything else exactly as it was.
    expected = ROUND_TRIP.replace(" Face 3 4 3  0 0 0  10 0 0  10 8 0\n",
                                  " Wall\n  Face 3 4 3  0 0 0  10 0 0  10 8 0\n End\n")
    assert got == expected.split("InfoList")[0] + "InfoList\nEnd\n", "round trip differs:\n" + got
    print("DXF out and in: walls, doors, holes, sources and receivers in place")


def main(kcad, workdir):
    os.makedirs(workdir, exist_ok=True)
    matdir = os.path.join(workdir, "materials")
    os.makedirs(matdir, exist_ok=True)
    with open(os.path.join(matdir, "tolvane.mat"), "w", encoding="utf-8") as f:
        f.write(MATERIALS)

    def write(name, make, version="R2013", units=None):
        doc = ezdxf.new(version)
        if units is not None:
            doc.units = units
        make(doc)
        path = os.path.join(workdir, name)
        doc.saveas(path)
        return path

    compare(kcad, matdir, write("blocks.dxf", blocks_drawing))
    compare(kcad, matdir, write("blocks-r12.dxf", blocks_drawing, "R12"))
    compare(kcad, matdir, write("meshes.dxf", meshes_drawing))
    compare(kcad, matdir, write("millimetres.dxf", lambda d: units_drawing(d, 0.001), units=4), 0.001)
    compare(kcad, matdir, write("inches.dxf", lambda d: units_drawing(d, 0.0254), units=1), 0.0254)
    # The option wins over the drawing: the millimetre drawing read as centimetres.
    compare(kcad, matdir, os.path.join(workdir, "millimetres.dxf"), 0.01, "--dxf-units", "cm")
    compare(kcad, matdir, write("accents-1252.dxf", accents_drawing, "R2000"))
    compare(kcad, matdir, write("accents-utf8.dxf", accents_drawing, "R2013"))
    with open(os.path.join(workdir, "accents-1252.dxf"), "rb") as f:
        assert b"B\xe9ton" in f.read(), "the R2000 drawing carries its layer in Windows-1252"
    round_trip(kcad, matdir, workdir)


if __name__ == "__main__":
    main(*sys.argv[1:3])
