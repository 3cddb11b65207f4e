"""Drives the real game as a player would: a copy of the run folder, a virtual
X server (with openbox when a case needs a window manager), the game started
with SDL's dummy audio driver, the pointer moved and clicked at picture
coordinates with xdotool, keys typed, screenshots taken and files read back.
"""

import os
import shutil
import signal
import struct
import subprocess
import tempfile
import time

from PIL import Image

WINDOW_TITLE = "Velmora Mahjongg 2.3"
PICTURE_W, PICTURE_H = 800, 600


def run_folder():
    """The built run folder (the game and its data)."""
    folder = os.environ.get("VELMORA_RUN_DIR")
    if not folder:
        here = os.path.dirname(os.path.abspath(__file__))
        folder = os.path.join(here, "..", "..", "build", "game")
    return os.path.abspath(folder)


def options_bytes(sensitivity=20, volume=100, music=0, full_screen=1,
                  backdrop="Emerald Felt.bmp", tile_set="Ivory"):
    def field(text):
        raw = text.encode("latin-1")[:255]
        return raw + bytes(256 - len(raw))
    return (struct.pack("<4i", sensitivity, volume, music, full_screen)
            + field(backdrop) + field(tile_set))


def parse_options(data):
    numbers = struct.unpack_from("<4i", data, 0) if len(data) >= 16 else None
    def text(offset):
        return data[offset:offset + 256].split(b"\0", 1)[0].decode("latin-1")
    return {"size": len(data), "numbers": numbers,
            "backdrop": text(16), "tile_set": text(272)}


class XServer:
    """Xvfb, optionally with openbox."""

    def __init__(self, width=1024, height=768, window_manager=False):
        # Xvfb chooses a free display itself and tells us its number: picking
        # one here would race with other suites starting servers at once.
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-noreset", "-screen", "0", "%dx%dx24" % (width, height),
             "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            line = announced.readline().strip()
        if not line.isdigit():
            self.xvfb.kill()
            raise RuntimeError("Xvfb did not start")
        self.number = int(line)
        self.display = ":%d" % self.number
        self.width, self.height = width, height
        self.wm = None
        if window_manager:
            self.wm = subprocess.Popen(["openbox"], env=self.env(),
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(0.5)

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        return env

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env(),
                                capture_output=True, text=True, timeout=30)
        if check and result.returncode != 0:
            raise RuntimeError("xdotool %s: %s" % (args, result.stderr))
        return result.stdout

    def screenshot(self):
        data = subprocess.run(["import", "-window", "root", "png:-"], env=self.env(),
                              capture_output=True, timeout=30, check=True).stdout
        path = tempfile.mktemp(suffix=".png")
        with open(path, "wb") as f:
            f.write(data)
        image = Image.open(path).convert("RGB")
        image.load()
        os.unlink(path)
        return image

    def close(self):
        for process in (self.wm, self.xvfb):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()


class Game:
    """One run of the game in its own copy of the run folder.

    `prepare(folder)` may change the copied files before the start.
    Coordinates given to move/click are picture coordinates (800 x 600)."""

    def __init__(self, options=None, window_manager=False, prepare=None,
                 screen=(1024, 768), env=None, x=None):
        self.folder = tempfile.mkdtemp(prefix="velmora-e2e-")
        shutil.copytree(run_folder(), self.folder, dirs_exist_ok=True, symlinks=True)
        if options is not None:
            self.write("Data/Options.dat", options)
        if prepare:
            prepare(self.folder)
        # A server given by the caller outlives this run; otherwise it is ours.
        self.own_x = x is None
        self.x = x or XServer(screen[0], screen[1], window_manager)
        self.stderr_path = os.path.join(self.folder, "stderr.txt")
        game_env = self.x.env()
        game_env["SDL_AUDIODRIVER"] = "dummy"
        game_env.update(env or {})
        self._stderr = open(self.stderr_path, "wb")
        self.process = subprocess.Popen([os.path.join(self.folder, "velmora-mahjongg")],
                                        cwd=self.folder, env=game_env,
                                        stdout=subprocess.DEVNULL, stderr=self._stderr)
        self.window = None
        # The game's own pointer in full screen, where motion is relative.
        self.pointer = (0, 0)

    # -- files
    def path(self, relative):
        return os.path.join(self.folder, relative)

    def read(self, relative):
        with open(self.path(relative), "rb") as f:
            return f.read()

    def write(self, relative, data):
        os.makedirs(os.path.dirname(self.path(relative)), exist_ok=True)
        with open(self.path(relative), "wb") as f:
            f.write(data)

    def stderr(self):
        self._stderr.flush()
        with open(self.stderr_path, "rb") as f:
            return f.read().decode("utf-8", "replace")

    # -- the window
    def wait_window(self, timeout=60):
        # Generous: under the sanitizers, with other tests sharing two cores,
        # the first frame can take many seconds.
        deadline = time.time() + timeout
        while time.time() < deadline:
            if self.process.poll() is not None:
                raise RuntimeError("the game ended at start-up: %s" % self.stderr())
            out = self.x.xdotool("search", "--onlyvisible", "--name",
                                 "^%s$" % WINDOW_TITLE, check=False).split()
            if out:
                self.window = out[0]
                time.sleep(0.5)  # the first frames
                return self.window
            time.sleep(0.1)
        raise RuntimeError("no game window")

    def geometry(self):
        """The client area on the screen: x, y, width, height."""
        # xwininfo's absolute corner is the client area's own; xdotool's
        # geometry is shifted by the window manager's frame.
        out = subprocess.run(["xwininfo", "-id", str(self.window)], env=self.x.env(), check=True,
                             capture_output=True, text=True).stdout
        values = {}
        for line in out.splitlines():
            key, _, value = line.strip().partition(":")
            values[key] = value.strip()
        return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]),
                int(values["Width"]), int(values["Height"]))

    def picture_rect(self):
        """Where the 800 x 600 picture lies on the screen (x, y, w, h)."""
        # Full screen and windowed alike, the picture keeps its shape, centred.
        x, y, w, h = self.geometry()
        if w * PICTURE_H > h * PICTURE_W:
            pw, ph = h * PICTURE_W // PICTURE_H, h
        else:
            pw, ph = w, w * PICTURE_H // PICTURE_W
        return (x + (w - pw) // 2, y + (h - ph) // 2, pw, ph)

    def is_full_screen(self):
        x, y, w, h = self.geometry()
        return (x, y, w, h) == (0, 0, self.x.width, self.x.height)

    def to_screen(self, px, py):
        x, y, w, h = self.picture_rect()
        return (x + int((px + 0.5) * w / PICTURE_W), y + int((py + 0.5) * h / PICTURE_H))

    # -- the player
    def move(self, px, py):
        if self.is_full_screen():
            # Relative motion: first against the top-left corner, then on.
            self.x.xdotool("mousemove_relative", "--", -4000, -4000)
            time.sleep(0.1)
            self.x.xdotool("mousemove_relative", "--", px, py)
            self.pointer = (px, py)
        else:
            sx, sy = self.to_screen(px, py)
            self.x.xdotool("mousemove", sx, sy)
        time.sleep(0.1)

    def click(self, px, py, hold=0.0):
        self.move(px, py)
        if hold > 0:
            self.x.xdotool("mousedown", 1)
            time.sleep(hold)
            self.x.xdotool("mouseup", 1)
        else:
            self.x.xdotool("click", 1)
        time.sleep(0.5)  # the click is reported after 250 ms

    def key(self, name, wait=0.3):
        self.x.xdotool("key", name)
        time.sleep(wait)

    def type(self, text):
        for ch in text:
            self.key({" ": "space"}.get(ch, ch), wait=0.25)

    def picture(self):
        """A screenshot of the picture, scaled back to 800 x 600 if needed."""
        shot = self.x.screenshot()
        x, y, w, h = self.picture_rect()
        image = shot.crop((x, y, x + w, y + h))
        if (w, h) != (PICTURE_W, PICTURE_H):
            image = image.resize((PICTURE_W, PICTURE_H), Image.NEAREST)
        return image

    def close_window(self):
        """Alt+F4 through the window manager: a close request."""
        # Through the real keyboard so that openbox's binding sees it; a key
        # sent to the window alone would reach the game, not the manager.
        # Under load the activation can miss, so it is asked again.
        for _ in range(3):
            self.x.xdotool("windowactivate", "--sync", self.window, check=False)
            self.x.xdotool("key", "alt+F4", check=False)
            try:
                self.process.wait(15)
                return
            except subprocess.TimeoutExpired:
                pass

    def wait_exit(self, timeout=60):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def quit(self):
        """F12, and the exit status."""
        self.key("F12", wait=0)
        return self.wait_exit()

    def close(self, keep=False):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()
        self._stderr.close()
        if self.own_x:
            self.x.close()
        if not keep:
            shutil.rmtree(self.folder, ignore_errors=True)

    def __enter__(self):
        try:
            self.wait_window()
        except BaseException:
            self.close(keep=bool(os.environ.get("VELMORA_E2E_KEEP")))
            raise
        return self

    def __exit__(self, *exc):
        self.close(keep=bool(os.environ.get("VELMORA_E2E_KEEP")))
        return False


def load_bmp(path):
    image = Image.open(path).convert("RGB")
    image.load()
    return image


def wait_until(condition, timeout=15.0):
    """Whether condition() turned true within timeout seconds. A switch of
    the display rebuilds every device and picture, which takes seconds under
    the sanitizers with other tests sharing the cores."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        if condition():
            time.sleep(0.5)  # the frames after the switch
            return True
        time.sleep(0.2)
    return False


def mismatch(a, b, box, tolerance=0):
    """Share of pixels in box (l, t, r, b) that differ by more than tolerance
    in any channel."""
    l, t, r, btm = box
    pa, pb = a.load(), b.load()
    bad = 0
    for y in range(t, btm):
        for x in range(l, r):
            ca, cb = pa[x, y], pb[x, y]
            if max(abs(ca[0] - cb[0]), abs(ca[1] - cb[1]), abs(ca[2] - cb[2])) > tolerance:
                bad += 1
    return bad / float((r - l) * (btm - t))
