"""A run folder that another program, a crash or a curious player has
damaged: each data file in turn missing, empty, cut in half or overwritten
with random bytes. The game starts, shows what it can, and ends on F12 with
status 0; what it cannot use it reports on stderr once, never once a frame.

One file of each kind the main menu reads is tried here, and (once the menu
pages are in the tree) a saved game loaded and a layout played;
`VELMORA_HOSTILE_ALL=1` tries every file of the run folder, the tile sets, a
layout and a saved game, each in a game as well (`make test-hostile`)."""

import os
import random
import shutil
import time
import unittest
import zlib

import driver
from driver import Game, options_bytes
from test_game import BAR, MENU_LOAD, MENU_PLAY, NEAR_TILES, PAGE_LOAD, PAGE_PLAY, PAGES_BUILT, prepare, \
    saved_game_bytes, tile_centre

# One of each kind the main menu and the framework read at start-up: the
# options, a font's metrics and sheet, a picture, a keyed picture, a sound.
START_FILES = [
    "Data/Options.dat",
    "Data/Klang MT 20 Font Metrics.dat",
    "Graphics/Gui/Times Roman 16 Font.bmp",
    "Graphics/Gui/Main Menu Background.bmp",
    "Graphics/Gui/Wood Button Large.bmp",
    "Sounds/Harp Intro.wav",
]

DAMAGES = ("missing", "empty", "truncated", "random")

# What a game reads beyond the main menu, tried in a game: a saved game (the
# load page's), the layout played, one tile set, the bar, a sound, a help flag.
GAME_FILES = [
    "Saves/near",
    "Layouts/Turtle",
    "Graphics/Tile Sets",
]
SAVED_GAME = "Saves/near"


def damage(path, how, seed):
    if how == "missing":
        if os.path.isdir(path):
            shutil.rmtree(path)
        else:
            os.remove(path)
        return
    if os.path.isdir(path):
        for name in sorted(os.listdir(path)):
            damage(os.path.join(path, name), how, seed)
        return
    with open(path, "rb") as f:
        data = f.read()
    if how == "empty":
        data = b""
    elif how == "truncated":
        data = data[:len(data) // 2]
    else:
        rng = random.Random(seed)
        data = bytes(rng.randrange(256) for _ in range(max(len(data), 64)))
    with open(path, "wb") as f:
        f.write(data)


def all_files():
    root = driver.run_folder()
    found = []
    for folder, dirs, files in os.walk(root):
        dirs.sort()
        relative = os.path.relpath(folder, root)
        if relative.startswith("Graphics/Tile Sets/") or relative.startswith("Layouts"):
            continue
        for name in sorted(files):
            if relative != "." and not name.endswith((".bmp", ".wav", ".dat", ".txt")):
                continue
            if relative == ".":
                continue
            found.append(os.path.join(relative, name))
    found.append("Graphics/Tile Sets")
    found.append("Layouts/Turtle")
    found.append(SAVED_GAME)
    return found


class DamagedRunFolder(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.x = driver.XServer()

    @classmethod
    def tearDownClass(cls):
        cls.x.close()

    def survive(self, relative, how, in_game=False):
        seed = zlib.crc32(("%s %s" % (relative, how)).encode())

        def setup(folder):
            # A saved game to load (and to damage), the intros off.
            prepare(1, {"near": saved_game_bytes(1, 1000, NEAR_TILES)})(folder)
            damage(os.path.join(folder, relative), how, seed)

        with Game(prepare=setup, x=self.x, options=options_bytes(full_screen=0) if in_game else None) as game:
            if in_game:
                self.play(game, load=relative == SAVED_GAME)
            else:
                # A few hundred frames, with the pointer over the buttons.
                for x, y in ((675, 68), (675, 300), (300, 300)):
                    game.move(x, y)
                time.sleep(0.5)
            status = game.quit()
            self.assertEqual(status, 0, "%s %s: %s" % (relative, how, game.stderr()))
            lines = [line for line in game.stderr().splitlines() if line.strip()]
            # Reported once: no line repeats (a per-frame report would).
            repeated = {line for line in lines if lines.count(line) > 1}
            self.assertFalse(repeated, "%s %s repeats: %s" % (relative, how, sorted(repeated)[:3]))
            self.assertLess(len(lines), 40, "%s %s: %d lines on stderr" % (relative, how, len(lines)))

    def play(self, game, load):
        """Into a game (loaded or new), a few clicks on tiles and buttons,
        and back; a game that refuses to start leaves the pointer on the menu."""
        if load:
            game.click(*MENU_LOAD)
            game.click(*PAGE_LOAD, hold=0.1)
        else:
            game.click(*MENU_PLAY)
            game.click(*PAGE_PLAY, hold=0.1)
        time.sleep(1.0)
        for point in (tile_centre(2, 2), tile_centre(10, 2), BAR["hint"], BAR["shuffle"], tile_centre(14, 6)):
            game.click(*point)
        game.click(*BAR["leave"])

    def test_each_file_damaged_in_each_way(self):
        files = all_files() if os.environ.get("VELMORA_HOSTILE_ALL") else START_FILES
        for relative in files:
            for how in DAMAGES:
                with self.subTest(file=relative, damage=how):
                    self.survive(relative, how)

    @unittest.skipUnless(PAGES_BUILT, "the menu pages are not in this tree yet")
    def test_files_of_a_game_damaged_in_a_game(self):
        files = GAME_FILES + all_files() if os.environ.get("VELMORA_HOSTILE_ALL") else [SAVED_GAME, "Layouts/Turtle"]
        for relative in dict.fromkeys(files):
            if relative.startswith("Graphics/Gui/"):
                continue  # the main menu's own, tried above
            for how in DAMAGES if os.environ.get("VELMORA_HOSTILE_ALL") else ("random",):
                with self.subTest(file=relative, damage=how):
                    self.survive(relative, how, in_game=True)


if __name__ == "__main__":
    unittest.main()
