"""Test models for the outside-reader checks, written as project files."""
import os
import subprocess

EDGE_MODEL = """EntityList
 Face 0 3 3  0 0 0  4 0 0  4 3 0
 Face 1 5 5  10 0 0  14 0 0  15 2 0  12 4 0  9 2 0
 Face 2 7 6  20 0 0  22 0 0  23 1 0  22 2 0  20 2 0  19 1 0
 Wall
  Face 3 12 4  0 0 0  10 0 0  10 0 3  0 0 3
  Hole 0 0 4  4 0 1  5 0 1  5 0 2  4 0 2
  Door 0 16 4  1 0 0  2 0 0  2 0 2.1  1 0 2.1
 End
 EntityList
  Face 0 9 4  0 10 0  5 10 0  5 10 4  0 10 4
 End
 Source 2 2 1.8 6 2 1.2 30 horn.spk
 Source 3 3 1.8 6 2 1.2 0 omni.spk
 Receiver 5 1.5 1.2 2 2 1.8
 Ray 0 0 0 1 1 1
 Text 0 0 0 3 1 0 "A note with \\"quotes\\""
End
InfoList
 Info Notes "
Edge model for outside readers
"
End
"""

# Markers only: a red source cube at +x on the ground and a blue receiver
# ball one metre up at x = 0, so that a picture shows whether the view is
# mirrored or upside down. The ray draws nothing; it deepens the model's box
# so that the viewpoint, south of the box and level with its top, sees both.
ORIENTATION_MODEL = """EntityList
 Source 3 0 0 3 1 0 0 omni.spk
 Receiver 0 0 1 0 1 1
 Ray 1.5 6 0 1.5 6 0
End
InfoList
End
"""

# The same markers on one level: the viewpoint then looks exactly along +y,
# where a camera turned by POV-Ray's default sky (+y) comes out mirrored.
FLAT_MODEL = """EntityList
 Source 3 0 1.2 3 1 1.2 0 omni.spk
 Receiver 0 0 1.2 0 1 1.2
 Ray 1.5 6 1.2 1.5 6 1.2
End
InfoList
End
"""

EMPTY_MODEL = "EntityList\nEnd\nInfoList\nEnd\n"


def write(path, text):
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
    return path


def make_models(workdir, example, generator):
    """Project files to convert: the bundled example, a generated model of
    some thousand faces, an edge model and an empty model."""
    os.makedirs(workdir, exist_ok=True)
    models = {
        "hall": example,
        "edge": write(os.path.join(workdir, "edge.ray"), EDGE_MODEL),
        "empty": write(os.path.join(workdir, "empty.ray"), EMPTY_MODEL),
        "orientation": write(os.path.join(workdir, "orientation.ray"), ORIENTATION_MODEL),
        "flat": write(os.path.join(workdir, "flat.ray"), FLAT_MODEL),
    }
    generated = os.path.join(workdir, "generated.ray")
    subprocess.run([generator, "3000", generated], check=True, capture_output=True)
    models["generated"] = generated
    return models


def convert(kcad, source, target, cwd=None):
    """Runs kcad convert; fails with its messages if it does."""
    result = subprocess.run([kcad, "convert", source, target], capture_output=True, text=True, cwd=cwd)
    if result.returncode != 0:
        raise AssertionError(f"kcad convert {source} {target} failed: {result.stderr}")
    return target
