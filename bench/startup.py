#!/usr/bin/env python3
"""Start-up and display-switch times of the real game under Xvfb with openbox:
the time from starting the program to its first presented frame (median of
many starts) and the time of one F5 switch each way (median of many).

    bench/startup.py [STARTS [SWITCHES [WIDTHxHEIGHT]]]   (the screen: 1024x768)"""

import os
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import driver  # noqa: E402


def first_frame_ms(x, folder, env):
    start = time.monotonic()
    process = subprocess.Popen([os.path.join(folder, "velmora-mahjongg")], cwd=folder, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    for line in process.stderr:
        if line.startswith("timing first-frame"):
            at = float(line.split()[-1])
            break
    else:
        raise RuntimeError("no first frame")
    x.xdotool("key", "F12")
    process.wait(10)
    return (at - start) * 1000.0


def main():
    starts = int(sys.argv[1]) if len(sys.argv) > 1 else 25
    switches = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    width, height = (int(v) for v in (sys.argv[3] if len(sys.argv) > 3 else "1024x768").split("x"))
    print("screen %d x %d" % (width, height))
    x = driver.XServer(width, height, window_manager=True)
    try:
        import shutil
        import tempfile
        folder = tempfile.mkdtemp(prefix="velmora-bench-")
        shutil.copytree(driver.run_folder(), folder, dirs_exist_ok=True)
        env = x.env()
        env["SDL_AUDIODRIVER"] = "dummy"
        env["VELMORA_TRACE_TIMING"] = "1"
        for full_screen in (0, 1):
            times = []
            for _ in range(starts):
                with open(os.path.join(folder, "Data", "Options.dat"), "wb") as f:
                    f.write(driver.options_bytes(full_screen=full_screen))
                times.append(first_frame_ms(x, folder, env))
            print("start to first frame (%s): median %.1f ms, min %.1f, max %.1f over %d starts" % (
                "full screen" if full_screen else "windowed", statistics.median(times), min(times), max(times), starts))

        with open(os.path.join(folder, "Data", "Options.dat"), "wb") as f:
            f.write(driver.options_bytes(full_screen=0))
        process = subprocess.Popen([os.path.join(folder, "velmora-mahjongg")], cwd=folder, env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        frames = []
        for line in process.stderr:
            if line.startswith("timing first-frame"):
                time.sleep(0.5)
                x.xdotool("key", "F5")
            elif line.startswith("timing mode-switch-frame"):
                frames.append(float(line.split()[-1]))
                if len(frames) >= 2 * switches:
                    x.xdotool("key", "F12")
                    break
                time.sleep(0.5)
                x.xdotool("key", "F5")
        process.wait(10)
        to_full, to_window = frames[0::2], frames[1::2]
        print("F5 frame to full screen: median %.1f ms; to windowed: median %.1f ms (%d each)" % (
            statistics.median(to_full), statistics.median(to_window), len(to_full)))
        shutil.rmtree(folder, ignore_errors=True)
    finally:
        x.close()


if __name__ == "__main__":
    main()
