"""Every POV-Ray file we write renders with exit status 0 and no warnings,
and the picture shows the model the right way round: up is +z and the view
is not mirrored (a red source at +x appears right of a blue receiver that
stands higher, at x = 0)."""
import os
import subprocess
import sys

from PIL import Image

import models


def render(pov, png, width=320, height=240):
    result = subprocess.run(["povray", f"+I{pov}", f"+O{png}", f"+W{width}", f"+H{height}", "-D", "-GA"],
                            capture_output=True, text=True)
    assert result.returncode == 0, f"{pov}: status {result.returncode}: {result.stderr[-2000:]}"
    assert "warning" not in result.stderr.lower(), f"{pov}: {result.stderr[-2000:]}"
    return Image.open(png).convert("RGB")


def centroid(image, wanted):
    xs = ys = n = 0
    width, height = image.size
    pixels = image.load()
    for y in range(height):
        for x in range(width):
            if wanted(pixels[x, y]):
                xs += x
                ys += y
                n += 1
    assert n > 0, "colour not found in the picture"
    return xs / n, ys / n


def main(kcad, generator, example, workdir):
    found = models.make_models(workdir, example, generator)
    for name, path in found.items():
        pov = models.convert(kcad, path, os.path.join(workdir, name + ".pov"))
        image = render(pov, os.path.join(workdir, name + ".png"))
        if name in ("orientation", "flat"):
            red = centroid(image, lambda p: p[0] > 100 and p[1] < 60 and p[2] < 60)
            blue = centroid(image, lambda p: p[2] > 100 and p[0] < 60 and p[1] < 60)
            assert red[0] > blue[0] + 50, f"{name}: mirrored, the +x source is not right of the receiver ({red} vs {blue})"
        if name == "orientation":
            assert blue[1] < red[1] - 20, f"upside down: the higher receiver is not above the source ({blue} vs {red})"
    print("POV-Ray rendered every scene, the right way round")


if __name__ == "__main__":
    main(*sys.argv[1:5])
