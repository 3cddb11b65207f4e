"""The real window for a long time (`make soak-window`, not part of `make
test`): under Xvfb with openbox, SWITCHES presses of F5 between full screen
and the window, with CLICKS random clicks (in the window) and key presses
spread between them over the menus, pages and games (never on "Exit", never
F12). The game
must stay up; its resident memory is printed at 10, 100 and every 100
switches and must not grow by more than TOLERANCE_KB from switch 100 on.

  VELMORA_RUN_DIR=build/game /usr/bin/python3 soak_window.py [SWITCHES CLICKS]"""

import os
import random
import sys
import time

import driver
from driver import Game, options_bytes

EXIT_BUTTON = (575, 487, 775, 577)
KEYS = ["Escape", "Return", "space", "BackSpace", "a", "s", "z", "q", "1", "Left", "Tab", "F1", "F2"]
TOLERANCE_KB = int(os.environ.get("TOLERANCE_KB", "4096"))


def resident_kb(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def main():
    switches = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
    clicks = int(sys.argv[2]) if len(sys.argv) > 2 else 10000
    rng = random.Random(20261207)
    per_switch = max(1, clicks // switches)
    samples = {}
    started = time.time()
    with Game(options=options_bytes(full_screen=0), window_manager=True) as game:
        pid = game.process.pid
        done_clicks = 0
        for switch in range(1, switches + 1):
            # One xdotool run per switch: its actions, then F5.
            # In full screen the pointer moves by relative motion scaled by
            # the mouse sensitivity, so no click could be kept off "Exit":
            # keys only there. The window is found again after each switch.
            full_screen = game.is_full_screen()
            origin = game.picture_rect()
            actions = []
            for _ in range(per_switch):
                if not full_screen and rng.random() < 0.75:
                    x, y = rng.randrange(800), rng.randrange(600)
                    # Well clear of "Exit" (the window is stretched and the
                    # pointer rounds): nothing near it in the buttons' column.
                    if EXIT_BUTTON[0] - 20 <= x and EXIT_BUTTON[1] - 30 <= y:
                        x -= 350
                    ox, oy, w, h = origin
                    sx, sy = ox + int((x + 0.5) * w / 800), oy + int((y + 0.5) * h / 600)
                    # The motion in a frame of its own before the press.
                    actions += ["mousemove", str(sx), str(sy), "sleep", "0.05", "click", "1"]
                else:
                    actions += ["key", rng.choice(KEYS)]
                actions += ["sleep", "0.03"]
                done_clicks += 1
            game.x.xdotool(*actions, "key", "F5", check=False)
            time.sleep(0.5)  # the switch settles
            if game.process.poll() is not None:
                print("the game ended at switch %d (full screen %s, origin %s) with status %s after %s: %s"
                      % (switch, full_screen, origin, game.process.returncode, " ".join(actions),
                         game.stderr()[-2000:]))
                return 1
            if switch in (10, 100) or switch % 100 == 0:
                samples[switch] = resident_kb(pid)
                print("switch %4d, %5d clicks and keys, %6.0f s: %d kB resident"
                      % (switch, done_clicks, time.time() - started, samples[switch]), flush=True)
        status = game.quit()
        print("F12: status %s" % status)
        if status != 0:
            return 1
    base = samples.get(100, samples.get(min(samples)) if samples else 0)
    growth = samples[max(samples)] - base if samples else 0
    print("growth from switch 100 to %d: %+d kB" % (max(samples) if samples else 0, growth))
    return 0 if growth <= TOLERANCE_KB else 1


if __name__ == "__main__":
    sys.exit(main())
