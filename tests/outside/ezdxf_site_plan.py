"""Writes a site plan with ezdxf (millimetres: LWPOLYLINEs closed and with a
bulge, an ARC, a CIRCLE, a block of a circle and a line inserted turned and
scaled) and, beside it, ezdxf's own account of its geometry in metres: every
LINE and ARC of the entities' virtual_entities, one a line:
  line X1 Y1 X2 Y2
  arc CX CY RADIUS START END      (degrees, anticlockwise from START to END)

  ezdxf_site_plan.py OUT.dxf OUT.txt"""
import sys

import ezdxf


def primitives(entity, out):
    kind = entity.dxftype()
    if kind in ("LWPOLYLINE", "INSERT"):
        for e in entity.virtual_entities():
            primitives(e, out)
    elif kind == "LINE":
        s, e = entity.dxf.start, entity.dxf.end
        out.append("line %.9f %.9f %.9f %.9f" % (s.x / 1000, s.y / 1000, e.x / 1000, e.y / 1000))
    elif kind == "ARC":
        c = entity.dxf.center
        out.append("arc %.9f %.9f %.9f %.9f %.9f" % (c.x / 1000, c.y / 1000, entity.dxf.radius / 1000,
                                                     entity.dxf.start_angle, entity.dxf.end_angle))
    elif kind == "CIRCLE":
        c = entity.dxf.center
        out.append("arc %.9f %.9f %.9f 0 360" % (c.x / 1000, c.y / 1000, entity.dxf.radius / 1000))


def main(dxf, txt):
    doc = ezdxf.new()
    doc.units = 4
    msp = doc.modelspace()
    msp.add_lwpolyline([(0, 0), (40000, 0), (40000, 30000), (0, 30000)], close=True)
    msp.add_lwpolyline([(50000, 0, 0, 0, 1), (60000, 0, 0, 0, -0.5), (60000, 10000, 0, 0, 0), (55000, 12000)],
                       format="xyseb")
    msp.add_arc((20000, 15000), 5000, 30, 200)
    msp.add_circle((80000, 80000), 3000)
    tree = doc.blocks.new(name="TREE")
    tree.add_circle((0, 0), 1000)
    tree.add_line((-1000, 0), (1000, 0))
    msp.add_blockref("TREE", (10000, 50000), dxfattribs={"rotation": 30, "xscale": 2, "yscale": 2, "zscale": 2})
    doc.saveas(dxf)
    out = []
    for e in msp:
        primitives(e, out)
    with open(txt, "w") as f:
        f.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main(*sys.argv[1:3])
