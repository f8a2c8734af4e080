"""The real program under Xvfb, driven by xdotool as a user drives it, for what
only a real X server shows: a click without any motion (and a double click)
leaves the plan view drawn as before; Esc on the save question backs out of
Exit with the work still there; Return and the keypad's Enter both open the
properties; the help window closes with Esc and does not outlive the program;
a drag past the edge scrolls the view once.
Run under xvfb-run with kcad and the example."""
import os
import shutil
import subprocess
import sys
import tempfile
import time

from xdo import differing, settle, wait_for, windows, xdo


def main(kcad, example):
    work = tempfile.mkdtemp()
    shutil.copy(example, os.path.join(work, "hall.ray"))
    env = dict(os.environ, TMPDIR=work)
    program = subprocess.Popen([kcad, "hall.ray"], cwd=work, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = xdo("search", "--sync", "--name", "Tolvane CAD - hall.ray").split()[0]
        geometry = dict(line.split("=") for line in xdo("getwindowgeometry", "--shell", window).split())
        x, y = int(geometry["X"]), int(geometry["Y"])
        w, h = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
        cx, cy = x + w // 2, y + h // 2
        # The plan view fills the view area: a box in its middle.
        box = (cx - 300, cy - 200, cx + 300, cy + 200)
        xdo("windowfocus", "--sync", window)

        # A click with no motion at all, away from the model, then a double click.
        xdo("mousemove", str(cx - 280), str(cy - 180))
        time.sleep(0.3)
        xdo("key", "F5")
        before = settle(box)
        xdo("click", "1")
        time.sleep(0.3)
        xdo("click", "--repeat", "2", "--delay", "80", "1")
        time.sleep(0.3)
        xdo("key", "F5")
        after = settle(box)
        changed = differing(before, after)
        assert changed == 0, f"the view is drawn differently after a click without motion ({changed} pixels)"
        dark = sum(1 for p in after.getdata() if p == (0, 0, 0))
        assert dark > 500, f"the view shows too little of the hall in black ({dark} pixels)"

        # Return and the keypad's Enter both open the properties of the selection.
        for key in ("Return", "KP_Enter"):
            xdo("key", "F2")
            xdo("key", key)
            assert wait_for(lambda: windows("Material") or windows("Properties")), f"{key} opened no dialog"
            # Xvfb has no window manager to give the dialog the focus.
            dialog = (windows("Material") or windows("Properties"))[0]
            xdo("windowfocus", "--sync", dialog)
            xdo("key", "Escape")
            assert wait_for(lambda: not windows("Material") and not windows("Properties")), "the dialog stayed"
            xdo("windowfocus", "--sync", window)

        # A change, then Exit by mistake: Esc on the question backs out.
        xdo("key", "ctrl+a")
        xdo("key", "alt+Insert")
        xdo("key", "F5")
        changed_model = settle(box)
        xdo("key", "ctrl+q")
        assert wait_for(lambda: len(windows("^Tolvane CAD$")) > 0), "Exit did not ask to save the changes"
        # Xvfb has no window manager to give the question the focus.
        question = windows("^Tolvane CAD$")[0]
        xdo("windowfocus", "--sync", question)
        xdo("key", "Escape")
        assert wait_for(lambda: not windows("^Tolvane CAD$")), "Esc did not close the question"
        time.sleep(0.5)
        assert program.poll() is None, "Esc on the save question ended the program: the work is lost"
        xdo("windowfocus", "--sync", window)
        xdo("key", "F5")
        still = settle(box)
        assert differing(changed_model, still) == 0, "the model on the screen changed after the question"

        # A rubber band dragged past the window's right edge scrolls the view
        # once, by half its width: the hall is still in sight afterwards.
        xdo("mousemove", str(cx), str(cy))
        xdo("mousedown", "1")
        time.sleep(0.2)
        xdo("mousemove", str(cx + 200), str(cy))
        time.sleep(0.2)
        xdo("mousemove", str(x + w + 40), str(cy))
        time.sleep(0.8)
        xdo("mouseup", "1")
        whole_view = (x + 10, y + 80, x + w - 30, y + h - 60)
        scrolled = settle(whole_view)
        drawn = sum(1 for p in scrolled.getdata() if p != (255, 255, 255))
        assert drawn > 1500, f"the view scrolled past the hall (only {drawn} pixels drawn, the grid's)"
        xdo("key", "Escape")

        # With the manual open beside it, Esc in the manual closes only the
        # manual; the last Exit below must end the program all the same.
        xdo("key", "F1")
        assert wait_for(lambda: windows("Tolvane CAD Help")), "F1 showed no help"
        xdo("windowfocus", "--sync", windows("Tolvane CAD Help")[0])
        xdo("key", "Escape")
        assert wait_for(lambda: not windows("Tolvane CAD Help")), "Esc did not close the help"
        assert program.poll() is None, "closing the help ended the program"
        xdo("windowfocus", "--sync", window)
        xdo("key", "F1")
        assert wait_for(lambda: windows("Tolvane CAD Help")), "F1 showed no help the second time"
        xdo("windowfocus", "--sync", window)

        # Exit again, answering No this time: the program ends.
        xdo("key", "ctrl+q")
        assert wait_for(lambda: len(windows("^Tolvane CAD$")) > 0), "Exit did not ask again"
        xdo("windowfocus", "--sync", windows("^Tolvane CAD$")[0])
        xdo("key", "alt+n")
        assert wait_for(lambda: program.poll() is not None), "No did not let the program end (with the help open)"
    finally:
        if program.poll() is None:
            program.terminate()
            program.wait(10)
        shutil.rmtree(work, ignore_errors=True)
    print("a click without motion changed nothing; both Enter keys opened the properties; "
          "Esc backed out of Exit with the work kept; Esc closed the help; No ended the program, help open")


if __name__ == "__main__":
    main(*sys.argv[1:3])
