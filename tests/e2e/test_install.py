"""The installed game: `cmake --install` into a temporary prefix, the desktop
entry and icons checked, and the installed launcher started in a virtual X
server with a temporary home. The player's files must end up in the player's
own folder, nothing may be written into the prefix, and a second install
must leave the player's files as they were."""

import hashlib
import os
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

from PIL import Image

import driver
from driver import Game, options_bytes
import test_game
from test_game import (BAR, MENU_LOAD, NEAR_TILES, PAGE_LOAD, PAGES_BUILT, RECORD_OK, SAVE_GAME,
                       saved_game_bytes, tile_centre)

ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def build_folder():
    folder = os.environ.get("VELMORA_BUILD_DIR")
    return os.path.abspath(folder) if folder else os.path.dirname(driver.run_folder())


def snapshot(folder):
    """Every file and link below folder, with a digest of its contents."""
    seen = {}
    for root, dirs, files in os.walk(folder):
        for name in dirs + files:
            path = os.path.join(root, name)
            relative = os.path.relpath(path, folder)
            if os.path.islink(path):
                seen[relative] = "link " + os.readlink(path)
            elif os.path.isfile(path):
                with open(path, "rb") as f:
                    seen[relative] = hashlib.sha1(f.read()).hexdigest()
            else:
                seen[relative] = "folder"
    return seen


class InstalledGame(Game):
    """The installed launcher run as a player: a home of its own, and the
    player's run folder as the folder the driver's file helpers read."""

    def __init__(self, prefix, home, x, data_home=None):
        self.prefix = prefix
        base = data_home or os.path.join(home, ".local", "share")
        self.folder = os.path.join(base, "velmora-mahjongg")
        self.own_x = False
        self.x = x
        env = x.env()
        env["HOME"] = home
        env["SDL_AUDIODRIVER"] = "dummy"
        env["PATH"] = os.path.join(prefix, "bin") + os.pathsep + env.get("PATH", "")
        env.pop("XDG_DATA_HOME", None)
        if data_home:
            env["XDG_DATA_HOME"] = data_home
        self.stderr_path = os.path.join(home, "stderr-%d.txt" % time.time_ns())
        self._stderr = open(self.stderr_path, "wb")
        # Started by its name from a folder of no importance, as a desktop does.
        self.process = subprocess.Popen(["velmora-mahjongg"], cwd=home, env=env,
                                        stdout=subprocess.DEVNULL, stderr=self._stderr)
        self.window = None
        self.pointer = (0, 0)

    def close(self, keep=True):
        super().close(keep=True)  # the player's folder is checked afterwards


class Installation(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.mkdtemp(prefix="velmora-install-")
        cls.prefix = os.path.join(cls.temp, "prefix")
        cls.install()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.temp, ignore_errors=True)

    @classmethod
    def install(cls):
        # cmake --install rewrites the build's list of installed files, which
        # `make uninstall` goes by: the player's own install keeps its list.
        manifest = os.path.join(build_folder(), "install_manifest.txt")
        kept = None
        if os.path.exists(manifest):
            with open(manifest, "rb") as f:
                kept = f.read()
        result = subprocess.run(["cmake", "--install", build_folder(), "--prefix", cls.prefix],
                                capture_output=True, text=True, timeout=300)
        if kept is None:
            if os.path.exists(manifest):
                os.unlink(manifest)
        else:
            with open(manifest, "wb") as f:
                f.write(kept)
        if result.returncode != 0:
            raise RuntimeError("cmake --install failed: %s%s" % (result.stdout, result.stderr))

    def new_home(self, name):
        home = os.path.join(self.temp, name)
        os.makedirs(home)
        return home

    def test_the_prefix_holds_the_game_its_data_tools_entry_and_icons(self):
        for relative in ("bin/velmora-mahjongg", "bin/velmora-layout", "lib/velmora-mahjongg/velmora-mahjongg"):
            self.assertTrue(os.access(os.path.join(self.prefix, relative), os.X_OK), relative)
        share = os.path.join(self.prefix, "share", "velmora-mahjongg")
        for relative in ("Data/Options.dat", "Data/Rules.txt", "Layouts/Turtle", "Graphics/Gui/Window Icon.bmp"):
            self.assertTrue(os.path.isfile(os.path.join(share, relative)), relative)
        for size in ICON_SIZES:
            path = os.path.join(self.prefix, "share/icons/hicolor/%dx%d/apps/velmora-mahjongg.png" % (size, size))
            with Image.open(path) as icon:
                self.assertEqual(icon.size, (size, size))
                self.assertEqual(icon.mode, "RGBA")
                rgba = icon.convert("RGBA")
                self.assertEqual(rgba.getpixel((0, size - 1))[3], 0)  # clear around the tiles
                self.assertEqual(rgba.getpixel((size * 2 // 5, size * 3 // 5))[3], 255)
        with open(os.path.join(self.prefix, "share/icons/hicolor/scalable/apps/velmora-mahjongg.svg")) as svg:
            self.assertIn("<svg", svg.read())

        entry = os.path.join(self.prefix, "share/applications/velmora-mahjongg.desktop")
        with open(entry) as f:
            text = f.read()
        self.assertIn("\nExec=velmora-mahjongg\n", text)
        self.assertIn("\nIcon=velmora-mahjongg\n", text)
        validate = shutil.which("desktop-file-validate")
        if not validate:
            self.fail("desktop-file-validate is missing (package desktop-file-utils)")
        result = subprocess.run([validate, entry], capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        self.assertEqual(result.stdout.strip(), "")

    def test_the_launcher_keeps_the_players_files_in_the_players_folder(self):
        home = self.new_home("home-options")
        before = snapshot(self.prefix)
        x = driver.XServer()
        try:
            # The first start makes the folder; F12 writes the options there.
            with InstalledGame(self.prefix, home, x) as game:
                icon = subprocess.run(["xprop", "-id", game.window, "_NET_WM_ICON"], env=x.env(),
                                      capture_output=True, text=True).stdout
                self.assertIn("Icon (64 x 64)", icon)  # the window shows our icon
                self.assertEqual(game.quit(), 0)
            run = game.folder
            self.assertEqual(run, os.path.join(home, ".local/share/velmora-mahjongg"))
            options = driver.parse_options(game.read("Data/Options.dat"))
            self.assertEqual(options["size"], 528)
            for relative in ("Data/PlayGame.dat", "Data/Help1.dat", "Layouts/Turtle", "Layouts/Twin Towers"):
                path = os.path.join(run, relative)
                self.assertTrue(os.path.isfile(path) and not os.path.islink(path), relative)
            for relative in ("Graphics", "Sounds", "Data/Rules.txt"):
                self.assertTrue(os.path.islink(os.path.join(run, relative)), relative)
            self.assertTrue(os.path.isdir(os.path.join(run, "Saves")))
            self.assertEqual(snapshot(self.prefix), before, "the game wrote into the installation")

            # The player's own choices survive a second install and start.
            game.write("Data/Options.dat", options_bytes(full_screen=0, volume=37))
            game.write("Layouts/Mine", b"the player's own")
            turtle = bytearray(game.read("Layouts/Turtle"))
            turtle[6912:6912 + 7] = b"holder\0"
            game.write("Layouts/Turtle", bytes(turtle))
            os.symlink("/nowhere/Gone.dat", os.path.join(run, "Data", "Gone.dat"))
            self.install()
            with InstalledGame(self.prefix, home, x) as again:
                self.assertEqual(again.quit(), 0)
            # Rewritten by the game's exit (full screen set again), the volume kept.
            numbers = driver.parse_options(again.read("Data/Options.dat"))["numbers"]
            self.assertEqual((numbers[1], numbers[3]), (37, 1))
            self.assertEqual(again.read("Layouts/Mine"), b"the player's own")
            self.assertEqual(again.read("Layouts/Turtle"), bytes(turtle))
            self.assertFalse(os.path.lexists(os.path.join(run, "Data", "Gone.dat")))

            # XDG_DATA_HOME moves the folder.
            elsewhere = os.path.join(self.temp, "data-home")
            with InstalledGame(self.prefix, home, x, data_home=elsewhere) as moved:
                self.assertEqual(moved.quit(), 0)
            self.assertTrue(os.path.isfile(os.path.join(elsewhere, "velmora-mahjongg", "Data", "Options.dat")))
            self.assertEqual(snapshot(self.prefix), before, "the game wrote into the installation")
        finally:
            x.close()

    @unittest.skipUnless(PAGES_BUILT, "the menu pages are not in this tree yet")
    def test_a_saved_game_and_a_record_land_in_the_players_folder(self):
        home = self.new_home("home-play")
        before = snapshot(self.prefix)
        x = driver.XServer()
        try:
            with InstalledGame(self.prefix, home, x) as game:
                self.assertEqual(game.quit(), 0)
            # The player's earlier game, left in their folder.
            test_game.prepare(1, {"near": saved_game_bytes(1, 1000, NEAR_TILES)})(game.folder)
            game.write("Data/Options.dat", options_bytes(full_screen=0))
            with InstalledGame(self.prefix, home, x) as game:
                game.click(*MENU_LOAD)
                game.click(*PAGE_LOAD, hold=0.1)
                time.sleep(1.0)
                game.click(*tile_centre(2, 2))
                game.click(*tile_centre(10, 2))
                game.click(*BAR["save"])
                game.type("a1")
                game.click(*SAVE_GAME, hold=0.1)
                time.sleep(0.5)
                self.assertEqual(len(game.read("Saves/a1")), 1036 + 2 * 60)
                game.click(*tile_centre(2, 8))
                game.click(*tile_centre(10, 8))
                time.sleep(1.0)
                game.x.xdotool("mousemove", 0, 0)
                game.type("winner")
                game.click(*RECORD_OK, hold=0.1)
                time.sleep(0.5)
                self.assertEqual(game.quit(), 0)
            turtle = game.read("Layouts/Turtle")
            self.assertEqual(turtle[6912:6912 + 7], b"winner\0")
            self.assertLess(struct.unpack_from("<i", turtle, 6944)[0], 900000)
            self.assertEqual(snapshot(self.prefix), before, "the game wrote into the installation")
        finally:
            x.close()


if __name__ == "__main__":
    unittest.main()
