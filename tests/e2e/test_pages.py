"""The menu pages in the real window, used as a player does: every page
opened by its menu button, a game type and a layout chosen and found in
"Data\\PlayGame.dat", every option changed by dragging and clicking and found
in "Data\\Options.dat" once the page closes, the rules scrolled to the end
and back, and full screen from the options page and back."""

import os
import struct
import time
import unittest

import driver
from driver import Game, options_bytes, parse_options

# Main menu buttons (centres); pages have their origin at (0, 125).
MENU = {"play": (675, 68), "load": (675, 184), "options": (675, 300), "help": (675, 416)}
TOP = 125


def page(x, y):
    return x, y + TOP


def play_game_bytes(game_type, layout):
    raw = layout.encode("latin-1")
    return struct.pack("<i", game_type) + raw + bytes(256 - len(raw))


def with_choice(game_type, layout):
    def setup(folder):
        with open(os.path.join(folder, "Data", "PlayGame.dat"), "wb") as f:
            f.write(play_game_bytes(game_type, layout))
    return setup


def dialog_background():
    return driver.load_bmp(os.path.join(driver.run_folder(), "Graphics", "Gui", "Dialog Background.bmp"))


class Pages(unittest.TestCase):
    def away(self, game):
        game.x.xdotool("mousemove", 0, 0)
        time.sleep(0.4)

    def drag(self, game, start, end):
        game.move(*start)
        game.x.xdotool("mousedown", 1)
        time.sleep(0.2)
        game.move(*end)
        time.sleep(0.2)
        game.x.xdotool("mouseup", 1)
        time.sleep(0.2)

    def test_every_page_opens_by_its_button_over_the_dialog_background(self):
        background = driver.load_bmp(os.path.join(driver.run_folder(), "Graphics", "Gui", "Main Menu Background.bmp"))
        expected = background.copy()
        expected.paste(dialog_background(), (0, TOP))
        # A strip at the page's top left that no page draws on.
        strip = (20, TOP + 4, 120, TOP + 14)
        self.assertGreater(driver.mismatch(background, expected, strip), 0.5)
        with Game(options=options_bytes(full_screen=0)) as game:
            shots = {}
            # Each page draws something of its own below the strip; a page is
            # taken once it shows (slow frames under the sanitizers and load).
            body = (0, TOP + 20, 550, 600)
            for name in ("play", "load", "options", "help"):
                shown = game.picture()
                game.click(*MENU[name])
                self.away(game)
                driver.wait_until(lambda: driver.mismatch(game.picture(), shown, body) > 0.05)
                shots[name] = game.picture()
                self.assertEqual(driver.mismatch(shots[name], expected, strip), 0.0, name)
            names = list(shots)
            for i, a in enumerate(names):
                for b in names[i + 1:]:
                    self.assertGreater(driver.mismatch(shots[a], shots[b], body), 0.05, (a, b))
            self.assertEqual(game.quit(), 0)

    def test_a_game_type_and_a_layout_are_chosen_and_stored_when_the_page_closes(self):
        with Game(options=options_bytes(full_screen=0), prepare=with_choice(1, "Arena")) as game:
            game.click(*MENU["play"])
            self.away(game)
            before = game.picture()
            miniature = (300, TOP + 220, 500, TOP + 370)
            # The list shows five rows, the stored choice among them.
            listed = sorted(os.listdir(game.path("Layouts")), key=lambda n: n.encode("latin-1"))
            third = listed[max(0, listed.index("Arena") + 1 - 5) + 2]
            self.assertNotEqual(third, "Arena")
            game.click(*page(430, 115))  # Zandor
            game.click(*page(150, 242 + 50))  # the third row
            self.away(game)
            after = game.picture()
            self.assertGreater(driver.mismatch(before, after, miniature), 0.02)
            self.assertGreater(driver.mismatch(before, after, (380, TOP + 65, 480, TOP + 165)), 0.1)
            self.assertEqual(game.read("Data/PlayGame.dat"), play_game_bytes(1, "Arena"))
            game.click(*MENU["help"])
            self.assertEqual(game.read("Data/PlayGame.dat"), play_game_bytes(3, third))
            # Opened again, the page shows the stored choice.
            game.click(*MENU["play"])
            self.away(game)
            self.assertEqual(driver.mismatch(game.picture(), after, (0, TOP, 550, 600)), 0.0)
            self.assertEqual(game.quit(), 0)

    def test_every_option_is_changed_by_mouse_and_stored_when_the_page_closes(self):
        stored = options_bytes(sensitivity=20, volume=100, music=0, full_screen=0,
                               backdrop="Emerald Felt.bmp", tile_set="Ivory")
        with Game(options=stored) as game:
            game.click(*MENU["options"])
            # Knobs: sensitivity 20 at x 209..234, volume 100 at 349..374.
            self.drag(game, page(221, 112), page(300, 112))
            self.drag(game, page(361, 212), page(262, 212))
            game.click(*page(116, 266))  # Play Music
            game.click(*page(240, 390))  # the backdrop's right arrow
            time.sleep(2.5)  # the slide of a 100-pixel picture
            game.click(*page(455, 390))  # the tile set's right arrow
            time.sleep(1.5)
            self.assertEqual(game.read("Data/Options.dat"), stored, "nothing stored while the page is open")
            game.click(*MENU["help"])
            options = parse_options(game.read("Data/Options.dat"))
            self.assertEqual(options["size"], 528)
            sensitivity, volume, music, full_screen = options["numbers"]
            # The knob's left edge follows the pointer: 125 pixels of 175 give 72.
            self.assertIn(sensitivity, range(71, 74))
            self.assertIn(volume, range(49, 52))
            self.assertEqual((music, full_screen), (1, 0))
            # Entries run against the listing: a step right from the first
            # found wraps to the last.
            self.assertEqual(options["backdrop"], "Walnut Table.bmp")
            self.assertEqual(options["tile_set"], "Red Lacquer")
            self.assertEqual(game.quit(), 0)

    def test_the_rules_scroll_to_the_end_and_back(self):
        with Game(options=options_bytes(full_screen=0)) as game:
            game.click(*MENU["help"])
            self.away(game)
            text = (15, TOP + 15, 475, TOP + 465)
            start = game.picture()
            game.move(*page(527, 452))
            game.x.xdotool("mousedown", 1)
            time.sleep(8.0)  # 30 lines, one per 200 ms and a frame
            game.x.xdotool("mouseup", 1)
            self.away(game)
            end = game.picture()
            self.assertGreater(driver.mismatch(start, end, text), 0.02)
            # The thumb at the bottom of its bar: dragged from there to the top.
            self.drag(game, page(527, 35 + 342 + 26), page(527, 36))
            self.away(game)
            self.assertEqual(driver.mismatch(game.picture(), start, text), 0.0)
            self.assertEqual(game.quit(), 0)

    def test_full_screen_from_the_options_page_and_back(self):
        with Game(options=options_bytes(full_screen=0), window_manager=True) as game:
            self.assertFalse(game.is_full_screen())
            menu = game.picture()
            game.click(*MENU["options"])
            # The page takes clicks once it is shown: a click during the frame
            # that builds it (long under the sanitizers) reads as a button held
            # from before, which a new page ignores.
            strip = (20, TOP + 4, 120, TOP + 14)
            self.assertTrue(driver.wait_until(
                lambda: driver.mismatch(game.picture(), menu, strip) > 0.5))
            game.click(*page(316, 266))
            self.assertTrue(driver.wait_until(game.is_full_screen))
            self.assertEqual(parse_options(game.read("Data/Options.dat"))["numbers"][3], 1)
            # The page is still open, its box checked.
            game.move(790, 590)
            box = (300, TOP + 250, 332, TOP + 282)
            checked = game.picture()
            game.click(*page(316, 266))
            self.assertTrue(driver.wait_until(lambda: not game.is_full_screen()))
            self.assertEqual(parse_options(game.read("Data/Options.dat"))["numbers"][3], 0)
            self.away(game)
            self.assertGreater(driver.mismatch(game.picture(), checked, box, tolerance=40), 0.1)
            # Quitting with the page open and the box unchecked: the page
            # writes last and the next start is windowed.
            self.assertEqual(game.quit(), 0)
            self.assertEqual(parse_options(game.read("Data/Options.dat"))["numbers"][3], 0)


if __name__ == "__main__":
    unittest.main()
