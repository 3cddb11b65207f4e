"""The picture on a wide desktop, as a player meets it: a maximised window
on a 1920 x 1080 screen under openbox shows the 800 x 600 picture in its own
shape, centred between black bars; clicks at the proportional positions open
pages and take tiles, a click on a bar does nothing, and a window resized by
the window manager keeps the shape."""

import subprocess
import time
import unittest

import driver
from driver import Game, options_bytes
from test_game import MENU_LOAD, NEAR_TILES, PAGE_LOAD, prepare, saved_game_bytes, tile_centre

SCREEN = (1920, 1080)
# Below the page's top edge, inside the main menu's page area.
PAGE_AREA = (20, 140, 530, 580)
# The first Bamboo tile of the near-empty game, with its edges.
BAMBOO_TILE = (105, 81, 150, 142)


def brightness(image, box):
    small = image.crop(box).convert("L").resize((16, 16))
    return sum(small.getdata()) / 256.0


class WideScreen(unittest.TestCase):
    def away(self, game):
        game.x.xdotool("mousemove", 0, 0)
        time.sleep(0.4)

    def assert_tile_shown(self, game, shown):
        """The first Bamboo tile's box as bright as an ivory tile, or as dark
        as the felt once the tile is gone."""
        level = brightness(game.picture(), BAMBOO_TILE)
        if shown:
            self.assertGreater(level, 120)
        else:
            self.assertLess(level, 100)

    def assert_kept_shape(self, game):
        """The picture 4:3 and centred in the client area, black beside it."""
        x, y, w, h = game.geometry()
        px, py, pw, ph = game.picture_rect()
        self.assertLessEqual(abs(pw * 3 - ph * 4), 4)
        shot = game.x.screenshot()
        bars = [(x, y, px, y + h), (px + pw, y, x + w, y + h), (x, y, x + w, py), (x, py + ph, x + w, y + h)]
        for l, t, r, b in bars:
            # A few pixels in from every edge: the frame's border lies close.
            inner = (l + 3, t + 3, r - 3, b - 3)
            if inner[2] - inner[0] >= 4 and inner[3] - inner[1] >= 4:
                self.assertLess(brightness(shot, inner), 1.0, inner)
        self.assertGreater(brightness(shot, (px, py, px + pw, py + ph)), 30)

    def test_the_picture_keeps_its_shape_and_clicks_land_where_they_are_seen(self):
        saves = {"near": saved_game_bytes(1, 1000, NEAR_TILES)}
        with Game(options=options_bytes(full_screen=0), prepare=prepare(1, saves),
                  window_manager=True, screen=SCREEN) as game:
            game.wait_window()
            time.sleep(1.0)
            x, y, w, h = game.geometry()
            self.assertGreater(w, h * 4 // 3 + 100, "maximised on the wide screen")
            self.assert_kept_shape(game)

            # On the right bar, at the height of "Load Game": stretched over
            # the whole window, this spot would be the button.
            px, py, pw, ph = game.picture_rect()
            self.away(game)
            menu = game.picture()
            game.x.xdotool("mousemove", px + pw + (x + w - px - pw) // 2, py + ph * MENU_LOAD[1] // 600, "click", 1)
            time.sleep(0.8)
            self.away(game)
            self.assertLess(driver.mismatch(game.picture(), menu, PAGE_AREA, tolerance=40), 0.01)

            # The load page by its button, the saved game by the page's, and
            # a pair taken at the tiles' places.
            game.click(*MENU_LOAD)
            game.click(*PAGE_LOAD, hold=0.1)
            time.sleep(1.0)
            self.away(game)
            self.assert_tile_shown(game, True)
            game.click(*tile_centre(2, 2))
            game.click(*tile_centre(10, 2))
            self.away(game)
            self.assert_tile_shown(game, False)

            # Restored and resized by the window manager: the shape follows.
            subprocess.run(["wmctrl", "-i", "-r", hex(int(game.window)), "-b", "remove,maximized_vert,maximized_horz"],
                           env=game.x.env(), check=True)
            time.sleep(0.5)
            for size in ((1200, 500), (640, 900)):
                game.x.xdotool("windowsize", "--sync", game.window, *size, check=False)
                time.sleep(1.0)
                self.assertEqual(game.geometry()[2:], size)
                self.assert_kept_shape(game)
                self.away(game)
                self.assert_tile_shown(game, False)
            self.assertEqual(game.quit(), 0)


if __name__ == "__main__":
    unittest.main()
