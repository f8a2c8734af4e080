"""DXF files written by ezdxf (R12) import into exactly the entities expected:
3DFACEs on layers named after materials and numbers, with and without colour
62; a closed 3-D POLYLINE inside a wall (a hole in it); LINEs; ATTDEFs on
layer SOURCES and on a layer starting with a lower-case s."""
import os
import subprocess
import sys

import ezdxf

EXPECTED = """EntityList
 Wall
  Face 0 1 4  0 0 0  10 0 0  10 0 3  0 0 3
  Door 1 16 4  2 0 0  3 0 0  3 0 2.1  2 0 2.1
  Hole 0 0 4  5 0 1  6 0 1  6 0 2  5 0 2
 End
 Wall
  Face 3 12 4  0 5 0  10 5 0  10 5 3  0 5 3
 End
 Wall
  Face 0 0 3  0 0 0  10 0 0  10 5 0
 End
 Receiver 1 1 1.2 2 2 1.2
 Receiver 4 4 1.2 0 0 1.2
 Source 5 2 1.5 5 3 1.5 15 horn.spk
 Receiver 6 2 1.5 6 3 1.5
End
InfoList
End
"""


def write_dxf(path):
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    msp.add_3dface([(0, 0, 0), (10, 0, 0), (10, 0, 3), (0, 0, 3)], dxfattribs={"layer": "Concrete rough"})
    msp.add_3dface([(0, 5, 0), (10, 5, 0), (10, 5, 3), (0, 5, 3)], dxfattribs={"layer": "12", "color": 3})
    # Inside the first wall: its door, obstructing, on a material name in capitals.
    msp.add_3dface([(2, 0, 0), (3, 0, 0), (3, 0, 2.1), (2, 0, 2.1)], dxfattribs={"layer": "WOODEN DOOR", "color": 1})
    # ezdxf writes a triangle with its third corner twice: a wall of three vertices.
    msp.add_3dface([(0, 0, 0), (10, 0, 0), (10, 5, 0)], dxfattribs={"layer": "No such material", "color": 7})
    msp.add_polyline3d([(5, 0, 1), (6, 0, 1), (6, 0, 2), (5, 0, 2)], close=True, dxfattribs={"layer": "HOLES"})
    msp.add_line((1, 1, 1.2), (2, 2, 1.2), dxfattribs={"layer": "RECEIVERS"})
    msp.add_line((4, 4, 1.2), (0, 0, 1.2), dxfattribs={"layer": "0"})
    msp.add_attdef("S1", (5, 2, 1.5), text="horn.spk",
                   dxfattribs={"layer": "SOURCES", "align_point": (5, 3, 1.5), "oblique": 15, "halign": 1})
    msp.add_attdef("S2", (6, 2, 1.5), text="horn.spk",
                   dxfattribs={"layer": "speakers", "align_point": (6, 3, 1.5), "halign": 1})
    doc.saveas(path)


def main(kcad, workdir):
    os.makedirs(workdir, exist_ok=True)
    dxf = os.path.join(workdir, "from_ezdxf.dxf")
    ray = os.path.join(workdir, "from_ezdxf.ray")
    write_dxf(dxf)
    result = subprocess.run([kcad, "convert", dxf, ray], capture_output=True, text=True)
    assert result.returncode == 0, result.stderr
    with open(ray) as f:
        got = f.read()
    got = got.split("MaterialList\n")[0]
    assert got == EXPECTED, "imported model differs:\n" + got
    print("ezdxf's DXF imported into exactly the expected entities")


if __name__ == "__main__":
    main(*sys.argv[1:3])
