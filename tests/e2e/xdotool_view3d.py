"""The real program under Xvfb, driven by xdotool as a user drives it: the
3-D view comes up with its key and shows the hall; holding the left button
left of the centre turns the picture; the right-button menu's Home brings
the first picture back. Run under xvfb-run with kcad and the example."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from xdo import differing, settle, xdo


def main(kcad, example):
    work = tempfile.mkdtemp()
    shutil.copy(example, os.path.join(work, "hall.ray"))
    program = subprocess.Popen([kcad, "hall.ray"], cwd=work, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = xdo("search", "--sync", "--name", "Tolvane CAD - hall.ray").split()[0]
        geometry = dict(line.split("=") for line in xdo("getwindowgeometry", "--shell", window).split())
        x, y = int(geometry["X"]), int(geometry["Y"])
        w, h = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
        # The middle of the frame lies in the view area, where the 3-D view opens.
        cx, cy = x + w // 2, y + h // 2
        box = (cx - 200, cy - 150, cx + 200, cy + 150)
        xdo("mousemove", str(cx), str(cy))
        xdo("windowfocus", "--sync", window)
        before = settle(box)
        xdo("key", "3")
        first = settle(box)
        assert differing(before, first, 24) > 5000, "key 3 did not bring up the 3-D view"
        lit = sum(1 for p in first.getdata() if p != (0, 0, 0))
        assert lit > 20000, f"the 3-D view shows little of the hall ({lit} lit pixels)"

        # The left button held left of the centre: the eye goes round.
        xdo("mousemove", str(cx - 150), str(cy))
        xdo("mousedown", "1")
        time.sleep(0.6)
        xdo("mouseup", "1")
        turned = settle(box)
        assert differing(first, turned, 24) > 5000, "holding the button did not turn the view"

        # The right button's menu: Home is its last entry.
        xdo("mousemove", str(cx), str(cy))
        xdo("click", "3")
        time.sleep(0.5)
        xdo("key", "Up")
        xdo("key", "Return")
        home = settle(box)
        assert differing(first, home, 24) < 200, f"Home did not bring the first picture back ({differing(first, home, 24)})"
    finally:
        program.terminate()
        program.wait(10)
        shutil.rmtree(work, ignore_errors=True)
    print("the 3-D view opened, turned while the button was held, and went Home")


if __name__ == "__main__":
    main(*sys.argv[1:3])
