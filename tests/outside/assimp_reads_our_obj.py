"""Every OBJ mesh we write is read by assimp (Debian's assimp-utils) without a
complaint, with the faces we wrote: assimp splits each polygon of n corners
into n - 2 triangles, so that is the count it must report, and its bounding
box is the model's."""
import os
import re
import subprocess
import sys

from models import convert, make_models


def our_counts(path):
    triangles = 0
    points = []
    with open(path) as f:
        for line in f:
            if line.startswith("f "):
                triangles += len(line.split()) - 3
            elif line.startswith("v "):
                points.append([float(v) for v in line.split()[1:4]])
    return triangles, points


def main(kcad, generator, example, workdir):
    models = make_models(workdir, example, generator)
    for name, source in sorted(models.items()):
        obj = os.path.join(workdir, name + ".obj")
        convert(kcad, source, obj)
        assert os.path.exists(os.path.join(workdir, name + ".mtl")), "no material library beside " + obj
        triangles, points = our_counts(obj)
        if triangles == 0:
            # assimp refuses any scene without a mesh, whatever the file.
            print(f"{name}: no faces, nothing for assimp to check")
            continue
        result = subprocess.run(["assimp", "info", obj], capture_output=True, text=True)
        output = result.stdout + result.stderr
        assert result.returncode == 0, f"assimp could not read {obj}: {output}"
        for word in ("Error", "ERROR", "Warn"):
            assert word not in output, f"assimp complains about {obj}: {output}"
        faces = int(re.search(r"^Faces:\s+(\d+)", output, re.M).group(1))
        assert faces == triangles, f"{obj}: assimp counts {faces} faces, we wrote {triangles} triangles' worth"
        low = re.search(r"^Minimum point\s+\(([^)]*)\)", output, re.M).group(1).split()
        for axis in range(3):
            ours = min(p[axis] for p in points)
            assert abs(float(low[axis]) - ours) < 1e-3, f"{obj}: assimp's box starts at {low}"
        print(f"{name}: assimp reads {faces} triangles, as written")


if __name__ == "__main__":
    main(*sys.argv[1:5])
