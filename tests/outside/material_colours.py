"""Faces carry their material's colour from tolcolor.mat into the worlds we
write: POV-Ray's picture of two walls shows green grass beside red carpet,
the VRML world declares both colours (and tovrmlx3d reads it without a
message); with MaterialColours=0 in tolvane.ini both walls come out in the
one colour of the views, cyan."""
import os
import subprocess
import sys

from PIL import Image

import models

# Grass (34, 139, 34) on the left, carpet (128, 0, 32) on the right, in the
# bundled tolcolor.mat; both walls face the camera, south of them.
TWO_WALLS = """EntityList
 Face 0 38 4  0 0 0  4 0 0  4 0 3  0 0 3
 Face 0 20 4  4 0 0  8 0 0  8 0 3  4 0 3
End
InfoList
End
"""


def render(pov, png):
    result = subprocess.run(["povray", f"+I{pov}", f"+O{png}", "+W320", "+H240", "-D", "-GA"],
                            capture_output=True, text=True)
    assert result.returncode == 0, f"{pov}: {result.stderr[-2000:]}"
    return Image.open(png).convert("RGB")


def wall_colours(image):
    """The commonest colour low on the left wall and on the right one."""
    width, height = image.size
    pixels = image.load()

    def sample(x0, x1):
        counts = {}
        for y in range(height * 2 // 5, height // 2):
            for x in range(x0, x1):
                counts[pixels[x, y]] = counts.get(pixels[x, y], 0) + 1
        return max(counts, key=counts.get)

    return sample(width // 5, width * 2 // 5), sample(width * 3 // 5, width * 4 // 5)


def main(kcad, workdir):
    os.makedirs(workdir, exist_ok=True)
    source = models.write(os.path.join(workdir, "two.ray"), TWO_WALLS)
    ini = os.path.join(workdir, "tolvane.ini")
    if os.path.exists(ini):
        os.remove(ini)

    pov = models.convert(kcad, source, os.path.join(workdir, "colours.pov"), cwd=workdir)
    left, right = wall_colours(render(pov, os.path.join(workdir, "colours.png")))
    assert left[1] > left[0] + 60 and left[1] > left[2] + 60, f"the grass wall is not green: {left}"
    assert right[0] > right[1] + 60 and right[0] > right[2] + 30, f"the carpet wall is not red: {right}"

    wrl = models.convert(kcad, source, os.path.join(workdir, "colours.wrl"), cwd=workdir)
    text = open(wrl, encoding="utf-8").read()
    assert "diffuseColor 0.133 0.545 0.133" in text, "grass's colour is missing from the VRML world"
    assert "diffuseColor 0.502 0 0.125" in text, "carpet's colour is missing from the VRML world"
    result = subprocess.run(["tovrmlx3d", wrl], capture_output=True, text=True)
    assert result.returncode == 0 and result.stderr.strip() == "", f"{wrl}: {result.stderr}"

    with open(ini, "w", encoding="utf-8") as f:
        f.write("[KCad]\nMaterialColours=0\n")
    pov = models.convert(kcad, source, os.path.join(workdir, "single.pov"), cwd=workdir)
    for colour in wall_colours(render(pov, os.path.join(workdir, "single.png"))):
        assert colour[0] < 40 and colour[1] > 100 and abs(colour[1] - colour[2]) < 8, f"not cyan: {colour}"
    wrl = models.convert(kcad, source, os.path.join(workdir, "single.wrl"), cwd=workdir)
    assert open(wrl, encoding="utf-8").read().count("diffuseColor 0 1 1") == 2
    os.remove(ini)
    print("POV-Ray and VRML show every material in its own colour, or in one with MaterialColours=0")


if __name__ == "__main__":
    main(*sys.argv[1:3])
