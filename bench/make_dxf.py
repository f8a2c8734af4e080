"""Writes the DXF drawings of the DXF benchmark with ezdxf, as other programs
write them (ezdxf's default DXF version, handles and all):

  make_dxf.py scattered N OUT   N vertical 4-corner faces scattered through a 100 m cube
  make_dxf.py parallel N OUT    N parallel 4 x 3 m faces a tenth of a millimetre apart
  make_dxf.py blocks N OUT      N INSERTs of one block of 100 faces, on a grid
"""
import math
import random
import sys

import ezdxf


def scattered(msp, n):
    rng = random.Random(12)
    for _ in range(n):
        cx, cy, z = rng.uniform(0, 100), rng.uniform(0, 100), rng.uniform(0, 97)
        yaw = rng.uniform(0, math.pi)
        w, h = rng.uniform(0.5, 4), rng.uniform(0.5, 3)
        dx, dy = math.cos(yaw) * w / 2, math.sin(yaw) * w / 2
        msp.add_3dface([(cx - dx, cy - dy, z), (cx + dx, cy + dy, z), (cx + dx, cy + dy, z + h),
                        (cx - dx, cy - dy, z + h)], dxfattribs={"layer": "Concrete"})


def parallel(msp, n):
    for i in range(n):
        y = i * 0.0001
        msp.add_3dface([(0, y, 0), (4, y, 0), (4, y, 3), (0, y, 3)], dxfattribs={"layer": "Concrete"})


def blocks(doc, msp, n):
    block = doc.blocks.new(name="ROOM")
    # 100 panels: the four walls of a 5 x 5 m room, 25 panels each, 1 x 0.6 m.
    for side in range(4):
        for k in range(25):
            u, v = (k % 5) * 1.0, (k // 5) * 0.6
            if side == 0:
                pts = [(u, 0, v), (u + 1, 0, v), (u + 1, 0, v + 0.6), (u, 0, v + 0.6)]
            elif side == 1:
                pts = [(5, u, v), (5, u + 1, v), (5, u + 1, v + 0.6), (5, u, v + 0.6)]
            elif side == 2:
                pts = [(u, 5, v), (u + 1, 5, v), (u + 1, 5, v + 0.6), (u, 5, v + 0.6)]
            else:
                pts = [(0, u, v), (0, u + 1, v), (0, u + 1, v + 0.6), (0, u, v + 0.6)]
            block.add_3dface(pts, dxfattribs={"layer": "0"})
    side = int(math.ceil(math.sqrt(n)))
    for i in range(n):
        msp.add_blockref("ROOM", ((i % side) * 7.0, (i // side) * 7.0, 0),
                         dxfattribs={"layer": "Brick", "rotation": (i * 37) % 360})


def main(kind, n, out):
    n = int(n)
    doc = ezdxf.new()
    msp = doc.modelspace()
    if kind == "scattered":
        scattered(msp, n)
    elif kind == "parallel":
        parallel(msp, n)
    elif kind == "blocks":
        blocks(doc, msp, n)
    else:
        raise SystemExit("unknown kind " + kind)
    doc.saveas(out)


if __name__ == "__main__":
    main(*sys.argv[1:4])
