#!/usr/bin/python3
"""CPU time of the game and of the X server while nothing or little happens.

Starts the built game under Xvfb with openbox in a maximised window at each
screen size and prints, for each situation, the share of one core that the game
and the X server used over the measured seconds:
  menu      the main menu, untouched
  paused    a Traditional game, paused
  running   a Traditional game whose clock ticks, no input
  pointer   the pointer moving over the board without pause

    VELMORA_RUN_DIR=build/game bench/idle_cpu.py [--seconds 10] [--sizes 1920x1080,3840x2160]
"""
import argparse
import os
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import driver  # noqa: E402

TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def resident_mb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024.0
    return 0.0


def measure(game, seconds):
    pids = (game.process.pid, game.x.xvfb.pid)
    before = [cpu_seconds(p) for p in pids]
    start = time.time()
    time.sleep(seconds)
    elapsed = time.time() - start
    after = [cpu_seconds(p) for p in pids]
    return [100.0 * (a - b) / elapsed for a, b in zip(after, before)]


def sweep_pointer(game, stop):
    """Moves the pointer to and fro over the board, a step every 10 ms."""
    x0, y0 = game.to_screen(150, 150)
    x1, y1 = game.to_screen(650, 420)
    step = 0
    while not stop.is_set():
        t = (step % 200) / 100.0
        f = t if t <= 1 else 2 - t
        game.x.xdotool("mousemove", int(x0 + f * (x1 - x0)), int(y0 + f * (y1 - y0)), check=False)
        step += 1
        time.sleep(0.01)


def run(size, seconds):
    width, height = size
    rows = []
    with driver.Game(options=driver.options_bytes(full_screen=0), window_manager=True, screen=(width, height)) as game:
        game.wait_window()
        time.sleep(3)
        game.move(5, 5)
        time.sleep(2)
        rows.append(("menu", measure(game, seconds)))
        game.click(675, 68)  # Play Game
        game.click(455, 557)  # the page's Play Game: a Traditional game
        time.sleep(2)
        game.key("Return")  # the first game's introduction box
        time.sleep(1)
        game.x.screenshot().save(os.path.join(os.environ.get("TMPDIR", "/tmp"), "velmora-game-%dx%d.png" % (width, height)))
        game.move(5, 120)
        time.sleep(2)
        rows.append(("running", measure(game, seconds)))
        game.click(250, 567)  # Pause
        game.move(5, 120)
        time.sleep(2)
        rows.append(("paused", measure(game, seconds)))
        game.click(250, 567)  # on again
        stop = threading.Event()
        mover = threading.Thread(target=sweep_pointer, args=(game, stop))
        mover.start()
        time.sleep(1)
        rows.append(("pointer", measure(game, seconds)))
        stop.set()
        mover.join()
        resident = resident_mb(game.process.pid)
        shown = game.picture_rect()
        game.quit()
    for name, (game_cpu, x_cpu) in rows:
        print("%dx%d  %-8s game %5.1f%%  X %5.1f%%  total %5.1f%%   (picture %dx%d)"
              % (width, height, name, game_cpu, x_cpu, game_cpu + x_cpu, shown[2], shown[3]))
    print("%dx%d  resident memory after a game and the pointer: %.1f MB" % (width, height, resident))
    sys.stdout.flush()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seconds", type=float, default=10)
    parser.add_argument("--sizes", default="1920x1080,3840x2160")
    args = parser.parse_args()
    for text in args.sizes.split(","):
        w, h = (int(v) for v in text.split("x"))
        run((w, h), args.seconds)


if __name__ == "__main__":
    main()
