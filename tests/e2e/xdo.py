"""What the Xvfb tests share: xdotool calls, screenshots, comparing them and
waiting for the picture or a window to settle."""
import os
import subprocess
import time

from PIL import ImageChops, ImageGrab


def xdo(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True, timeout=60).stdout


def windows(name):
    """The visible windows whose title matches (a regular expression)."""
    found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name],
                           capture_output=True, text=True, timeout=60)
    return found.stdout.split()


def shot(box):
    return ImageGrab.grab(bbox=box, xdisplay=os.environ["DISPLAY"]).convert("RGB")


def differing(a, b, tolerance=0):
    """Pixels where some channel differs by more than the tolerance."""
    r, g, b_ = ImageChops.difference(a, b).split()
    most = ImageChops.lighter(ImageChops.lighter(r, g), b_)
    return sum(1 for v in most.getdata() if v > tolerance)


def settle(box, seconds=6.0):
    """The picture once it stops changing (frames drawn by software take a while)."""
    last = shot(box)
    deadline = time.time() + seconds
    while time.time() < deadline:
        time.sleep(0.25)
        now = shot(box)
        if differing(now, last) == 0:
            return now
        last = now
    return last


def wait_for(condition, seconds=10.0):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.1)
    return False
