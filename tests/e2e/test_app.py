"""The application in the real window: the main menu as designed, the
function keys, full screen and back, and the three orderly ways out."""

import os
import subprocess
import time
import unittest

import driver
from driver import Game, options_bytes, parse_options

BUTTON_TOPS = [23, 139, 255, 371, 487]


def expected_menu():
    """The background with the five buttons keyed over it."""
    gui = os.path.join(driver.run_folder(), "Graphics", "Gui")
    picture = driver.load_bmp(os.path.join(gui, "Main Menu Background.bmp"))
    button = driver.load_bmp(os.path.join(gui, "Wood Button Large.bmp")).crop((0, 0, 200, 90))
    mask = button.convert("L").point(lambda v: 255 if v > 0 else 0)
    for top in BUTTON_TOPS:
        picture.paste(button, (575, top), mask)
    return picture


class MainMenu(unittest.TestCase):
    def test_drawn_as_designed_and_the_function_key_texts_come_and_go(self):
        with Game(options=options_bytes(full_screen=0)) as game:
            game.x.xdotool("mousemove", 0, 0)  # outside the window: no game cursor
            time.sleep(0.5)
            shot = game.picture()
            expected = expected_menu()
            # The page area and the margins, everywhere but the captions.
            self.assertEqual(driver.mismatch(shot, expected, (0, 0, 570, 600)), 0.0)
            for top in BUTTON_TOPS:
                # Above and below the caption band of each button.
                self.assertLess(driver.mismatch(shot, expected, (575, top, 775, top + 25)), 0.001)
                self.assertLess(driver.mismatch(shot, expected, (575, top + 70, 775, top + 90)), 0.001)

            game.key("F1", wait=1.0)
            self.assertGreater(driver.mismatch(game.picture(), expected, (0, 0, 100, 30)), 0.01)
            game.key("F1", wait=1.0)
            self.assertEqual(driver.mismatch(game.picture(), expected, (0, 0, 100, 30)), 0.0)
            game.key("F2", wait=1.0)
            self.assertGreater(driver.mismatch(game.picture(), expected, (0, 0, 200, 60)), 0.01)
            game.key("F2", wait=1.0)
            self.assertEqual(driver.mismatch(game.picture(), expected, (0, 0, 200, 60)), 0.0)
            self.assertEqual(game.quit(), 0)

    def test_the_cursor_follows_the_pointer_inside_the_window(self):
        with Game(options=options_bytes(full_screen=0)) as game:
            game.move(300, 300)
            time.sleep(0.3)
            shot = game.picture()
            expected = expected_menu()
            self.assertGreater(driver.mismatch(shot, expected, (300, 300, 316, 316)), 0.2)
            self.assertEqual(driver.mismatch(shot, expected, (100, 100, 290, 290)), 0.0)
            self.assertEqual(game.quit(), 0)


class WaysOut(unittest.TestCase):
    def check_options_after_end(self, game, stored):
        data = game.read("Data/Options.dat")
        options = parse_options(data)
        self.assertEqual(options["size"], 528)
        self.assertEqual(options["numbers"], (stored[0], stored[1], stored[2], 1))
        self.assertEqual(options["backdrop"], "Walnut Table.bmp")
        self.assertEqual(options["tile_set"], "Red Lacquer")

    def start(self, **kwargs):
        stored = (35, 80, 0, 0)
        return stored, Game(options=options_bytes(*stored, backdrop="Walnut Table.bmp",
                                                  tile_set="Red Lacquer"), **kwargs)

    def test_exit_button(self):
        stored, game = self.start()
        with game:
            self.assertFalse(game.is_full_screen())  # a windowed start from the options
            game.click(675, 532)
            self.assertEqual(game.wait_exit(), 0)
            self.check_options_after_end(game, stored)

    def test_f12(self):
        stored, game = self.start()
        with game:
            self.assertEqual(game.quit(), 0)
            self.check_options_after_end(game, stored)

    def test_closing_the_window(self):
        stored, game = self.start(window_manager=True)
        with game:
            game.close_window()
            self.assertEqual(game.wait_exit(), 0)
            self.check_options_after_end(game, stored)


class DisplayModes(unittest.TestCase):
    def test_f5_to_full_screen_and_back(self):
        with Game(options=options_bytes(full_screen=0), window_manager=True) as game:
            self.assertFalse(game.is_full_screen())
            game.key("F5", wait=0)
            self.assertTrue(driver.wait_until(game.is_full_screen))
            self.assertEqual(parse_options(game.read("Data/Options.dat"))["numbers"][3], 0)
            # The menu still works in full screen: its picture is there.
            expected = expected_menu()
            game.move(790, 590)
            self.assertLess(driver.mismatch(game.picture(), expected, (0, 0, 570, 600), tolerance=40), 0.05)
            game.key("F5", wait=0)
            self.assertTrue(driver.wait_until(lambda: not game.is_full_screen()))
            self.assertEqual(parse_options(game.read("Data/Options.dat"))["numbers"][3], 0)
            self.assertEqual(game.quit(), 0)
            self.assertEqual(parse_options(game.read("Data/Options.dat"))["numbers"][3], 1)

    def test_a_full_screen_start(self):
        with Game(options=options_bytes(full_screen=1), window_manager=True) as game:
            self.assertTrue(driver.wait_until(game.is_full_screen))
            self.assertEqual(game.quit(), 0)


class NoDisplay(unittest.TestCase):
    def test_no_x_server_ends_with_one_line_and_a_failure_status(self):
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER")}
        result = subprocess.run([os.path.join(driver.run_folder(), "velmora-mahjongg")],
                                cwd=driver.run_folder(), env=env, capture_output=True, text=True, timeout=60)
        self.assertNotEqual(result.returncode, 0)
        lines = [line for line in result.stderr.splitlines() if line.strip()]
        self.assertEqual(len(lines), 1, result.stderr)
        self.assertIn("display", lines[0])


if __name__ == "__main__":
    unittest.main()
