"""The game screens in the real window, reached through the menu pages as a
player does: each game type started from the game selection page, a saved
game loaded from the load page and compared pixel by pixel with the board
its tile pictures make, pairs removed by clicks, a game saved under a typed
name and loaded again, and a near-empty game finished with a record name
entered and stored in the layout file."""

import os
import struct
import subprocess
import time
import unittest

import driver
from driver import Game, options_bytes

HERE = os.path.dirname(os.path.abspath(__file__))
PAGES_BUILT = os.path.exists(os.path.join(HERE, "..", "..", "src", "screens", "GameSelectScreen.cpp"))

# Main menu buttons (centres), the game selection page's "Play Game", the
# load page's "Load Game" (page origin (0, 125)), and the game's bar.
MENU_PLAY, MENU_LOAD = (675, 68), (675, 184)
PAGE_PLAY = (455, 557)
PAGE_LOAD = (272, 450)
BAR = {"shuffle": (100, 567), "pause": (250, 567), "hint": (400, 567),
       "save": (550, 567), "leave": (700, 567)}
SAVE_GAME, CANCEL, RECORD_OK = (375, 387), (540, 387), (375, 387)

FAMILIES = [("Bamboo", 1), ("Crak", 10), ("Dot", 19), ("Dragon", 28),
            ("Direction", 31), ("Flower", 35), ("Season", 39)]
PIECES = [((0, 0, 23, 31), (0, 0)), ((21, 0, 44, 31), (1, 0)),
          ((0, 29, 23, 61), (0, 1)), ((21, 29, 45, 61), (1, 1))]

# A near-empty Traditional game on Turtle: a Bamboo pair and two Flowers,
# all free, on level 0.
NEAR_TILES = [(0, 5, 5, 2, 2), (1, 5, 5, 10, 2), (2, 101, 35, 2, 8), (3, 101, 37, 10, 8)]


def play_game_bytes(game_type, layout):
    raw = layout.encode("latin-1")
    return struct.pack("<i", game_type) + raw + bytes(256 - len(raw))


def saved_game_bytes(game_type, clock, tiles, path="Layouts\\Turtle"):
    raw = path.encode("latin-1")
    data = struct.pack("<ii", game_type, clock) + raw + bytes(1024 - len(raw))
    data += struct.pack("<i", len(tiles))
    for deal, group, face, column, row in tiles:
        data += struct.pack("<iii", deal, group, face)
        for dc, dr in ((0, 0), (1, 0), (0, 1), (1, 1)):
            data += struct.pack("<iii", column + dc, row + dr, 0)
    return data


def face_file(face):
    name, first = [f for f in FAMILIES if face >= f[1]][-1]
    return "%s %d.bmp" % (name, face - first + 1)


def tile_centre(column, row, level=0):
    return (65 + 20 * column + 4 * level + 20, 25 + 28 * row - 4 * level + 28)


def expected_board(tiles):
    """Backdrop, bar and the tiles' pieces keyed over them, in the board's
    order (rows top to bottom, columns right to left)."""
    run = driver.run_folder()
    picture = driver.load_bmp(os.path.join(run, "Graphics", "Backdrops", "Emerald Felt.bmp"))
    bar = driver.load_bmp(os.path.join(run, "Graphics", "Game", "Game Background Bar.bmp"))
    picture.paste(bar, (0, 500), bar.convert("L").point(lambda v: 255 if v > 0 else 0))
    cells = []
    for _, _, face, column, row in tiles:
        for k, (dc, dr) in enumerate(((0, 0), (1, 0), (0, 1), (1, 1))):
            cells.append((row + dr, -(column + dc), face, column + dc, row + dr, k))
    for _, _, face, column, row, k in sorted(cells):
        image = driver.load_bmp(os.path.join(run, "Graphics", "Tile Sets", "Ivory", face_file(face)))
        (l, t, r, b), (ox, oy) = PIECES[k]
        part = image.crop((l, t, r, b))
        picture.paste(part, (65 + 20 * column + ox, 25 + 28 * row + oy),
                      part.convert("L").point(lambda v: 255 if v > 0 else 0))
    return picture


def tiles_shown(picture, tiles=NEAR_TILES):
    """Whether each tile's face is on the board: its middle is pale ivory,
    not felt (judged on the picture scaled back from a maximised window)."""
    grey = picture.convert("L")
    shown = []
    for _, _, _, column, row in tiles:
        x, y = tile_centre(column, row)
        box = grey.crop((x - 12, y - 16, x + 12, y + 16))
        shown.append(sum(box.getdata()) / (24 * 32) > 150)
    return shown


def prepare(game_type=1, saves=None):
    def setup(folder):
        with open(os.path.join(folder, "Data", "PlayGame.dat"), "wb") as f:
            f.write(play_game_bytes(game_type, "Turtle"))
        for flag in ("Help1.dat", "Help2.dat", "Help3.dat"):
            with open(os.path.join(folder, "Data", flag), "w") as f:
                f.write("100")
        os.makedirs(os.path.join(folder, "Saves"), exist_ok=True)
        for name, data in (saves or {}).items():
            with open(os.path.join(folder, "Saves", name), "wb") as f:
                f.write(data)
    return setup


@unittest.skipUnless(PAGES_BUILT, "the menu pages are not in this tree yet")
class GameScreens(unittest.TestCase):
    def away(self, game):
        """The pointer outside the window: no game cursor in the picture."""
        game.x.xdotool("mousemove", 0, 0)
        time.sleep(0.4)

    def test_each_type_starts_from_the_selection_page_and_leaves(self):
        run = driver.run_folder()
        panel = driver.load_bmp(os.path.join(run, "Graphics", "Game", "Zandor Tile Background.bmp"))
        for game_type in (1, 2, 3):
            with self.subTest(game_type=game_type), \
                    Game(options=options_bytes(full_screen=0), prepare=prepare(game_type)) as game:
                game.click(*MENU_PLAY)
                game.click(*PAGE_PLAY, hold=0.1)
                time.sleep(1.0)
                self.away(game)
                shot = game.picture()
                expected = expected_board([])
                # The bar's wood above the buttons and the status panel.
                self.assertEqual(driver.mismatch(shot, expected, (0, 500, 800, 505)), 0.0)
                if game_type == 3:
                    # The panel's frame around the target picture.
                    expected.paste(panel, (725, 0), panel.convert("L").point(lambda v: 255 if v > 0 else 0))
                    self.assertEqual(driver.mismatch(shot, expected, (725, 0, 800, 8)), 0.0)
                game.click(*BAR["leave"])
                time.sleep(0.5)
                self.assertEqual(game.quit(), 0)

    def test_a_saved_game_looks_as_its_tiles_and_plays_saves_loads_and_finishes(self):
        saves = {"near": saved_game_bytes(1, 1000, NEAR_TILES)}
        with Game(options=options_bytes(full_screen=0), prepare=prepare(1, saves)) as game:
            turtle_before = game.read("Layouts/Turtle")
            game.click(*MENU_LOAD)
            game.click(*PAGE_LOAD, hold=0.1)
            time.sleep(1.0)
            self.away(game)
            shot = game.picture()
            self.assertEqual(driver.mismatch(shot, expected_board(NEAR_TILES), (0, 0, 800, 500)), 0.0)

            # The Bamboo pair by two clicks.
            game.click(*tile_centre(2, 2))
            game.click(*tile_centre(10, 2))
            self.away(game)
            self.assertEqual(driver.mismatch(game.picture(), expected_board(NEAR_TILES[2:]), (0, 0, 800, 500)), 0.0)

            # Saved under a typed name: the same file but for the clock.
            game.click(*BAR["save"])
            game.type("a1")
            game.click(*SAVE_GAME, hold=0.1)
            time.sleep(0.5)
            saved = game.read("Saves/a1")
            expected = saved_game_bytes(1, 0, [(2, 101, 35, 2, 8), (3, 101, 37, 10, 8)])
            self.assertEqual(len(saved), 1036 + 2 * 60)
            self.assertEqual(saved[:4] + saved[8:], expected[:4] + expected[8:])
            clock = struct.unpack_from("<i", saved, 4)[0]
            self.assertGreaterEqual(clock, 1000)

            # Leave, load "a1" (listed first) and finish with the Flowers.
            game.click(*BAR["leave"])
            game.click(*MENU_LOAD)
            game.click(*PAGE_LOAD, hold=0.1)
            time.sleep(1.0)
            game.click(*tile_centre(2, 8))
            game.click(*tile_centre(10, 8))
            time.sleep(1.0)  # the record dialog after its 500 ms wait
            self.away(game)
            game.type("winner")
            game.click(*RECORD_OK, hold=0.1)
            time.sleep(0.5)
            turtle = game.read("Layouts/Turtle")
            self.assertEqual(len(turtle), 7020)
            self.assertEqual(turtle[:6912], turtle_before[:6912])
            self.assertEqual(turtle[6912:6912 + 7], b"winner\0")
            record = struct.unpack_from("<i", turtle, 6944)[0]
            self.assertGreaterEqual(record, clock)
            self.assertLess(record, 900000)
            self.assertEqual(turtle[6948:], turtle_before[6948:])
            self.assertEqual(game.quit(), 0)

    def test_a_whole_game_by_keys_with_an_undo_and_a_pause_while_minimised(self):
        """No mouse: Tab and Enter through the menu and the load page, arrows
        and Space on the board, Backspace taking back a pair, Ctrl+S saving,
        the record name typed and entered."""
        saves = {"near": saved_game_bytes(1, 1000, NEAR_TILES)}

        def key(name, wait=0.3):
            # Held for a few frames: the game reads the keyboard once a frame.
            game.x.xdotool("keydown", name)
            time.sleep(0.08)
            game.x.xdotool("keyup", name)
            time.sleep(wait)

        with Game(options=options_bytes(full_screen=0), prepare=prepare(1, saves),
                  window_manager=True) as game:
            game.x.xdotool("windowactivate", "--sync", game.window, check=False)
            self.away(game)
            for name in ("Tab", "Tab", "Return"):  # "Play Game", "Load Game", pressed
                key(name)
            time.sleep(0.5)
            for name in ("Down", "Tab", "Return"):  # "near" in the list, "Load Game"
                key(name)
            time.sleep(1.0)
            self.assertEqual(tiles_shown(game.picture()), [True] * 4)

            # The Bamboo pair: the first arrow frames the tile at the top left.
            for name in ("Right", "space", "Right", "space"):
                key(name)
            self.assertEqual(tiles_shown(game.picture()), [False, False, True, True])
            key("BackSpace")
            shot = game.picture()
            shot.save(os.path.join(game.folder, "undone.png"))
            self.assertEqual(tiles_shown(shot), [True] * 4)

            def save(file_name):
                key("ctrl+s", wait=0.6)
                for letter in file_name:
                    key(letter)
                key("Return", wait=0.8)
                return game.read("Saves/" + file_name)

            saved = save("undone")
            self.assertEqual(len(saved), 1036 + 4 * 60)
            self.assertEqual(saved[8:], saved_game_bytes(1, 0, NEAR_TILES)[8:])

            # Five seconds minimised: paused (the board hidden), the clock kept.
            game.x.xdotool("windowminimize", "--sync", game.window)
            time.sleep(5.0)
            game.x.xdotool("windowactivate", "--sync", game.window, check=False)
            time.sleep(0.5)
            self.assertEqual(tiles_shown(game.picture()), [False] * 4)
            after = save("back")
            before_ms = struct.unpack_from("<i", saved, 4)[0]
            after_ms = struct.unpack_from("<i", after, 4)[0]
            self.assertLess(after_ms - before_ms, 2500)

            # On with the keys alone from the Flower framed since the pair
            # went: the Bamboo pair again, then the Flowers.
            for name in ("Up", "space", "Left", "space", "space", "Right", "space"):
                key(name)
            time.sleep(1.0)  # the record dialog after its 500 ms wait
            for letter in "keys":
                key(letter)
            key("Return", wait=0.8)
            turtle = game.read("Layouts/Turtle")
            self.assertEqual(turtle[6912:6912 + 5], b"keys\0")
            self.assertEqual(game.quit(), 0)

    def test_the_name_box_types_the_letters_printed_on_the_keys(self):
        # French and German keyboards move A, Q, W, Z, Y and M; xdotool
        # presses the key that carries each letter on the layout in use.
        for layout in ("fr", "de"):
            with self.subTest(layout=layout):
                x = driver.XServer()
                try:
                    subprocess.run(["setxkbmap", layout], env=x.env(), check=True, timeout=30)
                    with Game(options=options_bytes(full_screen=0), prepare=prepare(1), x=x) as game:
                        game.click(*MENU_PLAY)
                        game.click(*PAGE_PLAY, hold=0.1)
                        time.sleep(1.0)
                        game.click(*BAR["save"])
                        game.type("azqwym 1")
                        game.click(*SAVE_GAME, hold=0.1)
                        time.sleep(0.5)
                        self.assertEqual(os.listdir(game.path("Saves")), ["azqwym 1"])
                        self.assertEqual(game.quit(), 0)
                finally:
                    x.close()


    def test_enter_saves_and_escape_cancels_the_save_dialog(self):
        with Game(options=options_bytes(full_screen=0), prepare=prepare(1)) as game:
            game.click(*MENU_PLAY)
            game.click(*PAGE_PLAY, hold=0.1)
            time.sleep(1.0)
            game.click(*BAR["save"])
            game.type("kept")
            game.key("Escape")
            time.sleep(0.6)
            self.assertEqual(os.listdir(game.path("Saves")), [])
            game.click(*BAR["save"])
            game.type("by enter")
            game.key("Return")
            time.sleep(0.6)
            self.assertEqual(os.listdir(game.path("Saves")), ["by enter"])
            self.assertEqual(game.quit(), 0)

if __name__ == "__main__":
    unittest.main()
