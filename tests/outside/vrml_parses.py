"""Every VRML file we write parses in castle-engine's tovrmlx3d with nothing
on its standard error."""
import os
import subprocess
import sys

import models


def main(kcad, generator, example, workdir):
    found = models.make_models(workdir, example, generator)
    for name, path in found.items():
        wrl = models.convert(kcad, path, os.path.join(workdir, name + ".wrl"))
        result = subprocess.run(["tovrmlx3d", wrl], capture_output=True, text=True)
        assert result.returncode == 0, f"{wrl}: status {result.returncode}: {result.stderr}"
        assert result.stderr.strip() == "", f"{wrl}: {result.stderr}"
        assert "Shape" in result.stdout or name == "empty", f"{wrl}: nothing came through"
    print("tovrmlx3d parsed every VRML file without a message")


if __name__ == "__main__":
    main(*sys.argv[1:5])
