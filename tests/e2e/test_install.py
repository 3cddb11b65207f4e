"""The installed game: `cmake --install` into a temporary prefix (in the
plain layout and in the Debian games layout), the desktop entry, icons,
catalogue entry and manual pages checked, and the installed launcher started
in a virtual X server with a temporary home. The player's files must end up
in the player's own folder, nothing may be written into the prefix, and a
second install must leave the player's files as they were. With
VELMORA_DEB_DIR set (`make test-deb`), the same is done with the built
packages unpacked into a temporary root, the game traced for every file it
writes."""

import glob
import hashlib
import os
import re
import shutil
import signal
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
APP_ID = "io.github.velmora.Mahjongg"
SOURCE = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
# The launcher's folder, the game's and the data's, below the prefix.
PLAIN_LAYOUT = ("bin", "lib/velmora-mahjongg", "share/velmora-mahjongg")
DEBIAN_LAYOUT = ("games", "lib/games/velmora-mahjongg", "share/games/velmora-mahjongg")
# The system calls that write, create, move or remove a file by its path.
WRITING_CALLS = "open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,unlink,unlinkat,rmdir," \
                "symlink,symlinkat,link,linkat,truncate,chmod,fchmodat,chdir,fchdir"


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


def run_checked(command, env=None):
    result = subprocess.run(command, env=env, capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        raise RuntimeError("%s failed: %s%s" % (" ".join(command), result.stdout, result.stderr))


def preserving_manifest(install):
    """Runs an install of the build, which rewrites the build's list of
    installed files; `make uninstall` goes by that list, so the player's own
    install keeps it."""
    manifest = os.path.join(build_folder(), "install_manifest.txt")
    kept = None
    if os.path.exists(manifest):
        with open(manifest, "rb") as f:
            kept = f.read()
    try:
        install()
    finally:
        if kept is None:
            if os.path.exists(manifest):
                os.unlink(manifest)
        else:
            with open(manifest, "wb") as f:
                f.write(kept)


class InstalledGame(Game):
    """The installed launcher run as a player: a home of its own, and the
    player's run folder as the folder the driver's file helpers read."""

    def __init__(self, prefix, home, x, data_home=None, layout=PLAIN_LAYOUT, trace=None):
        self.prefix = prefix
        base = data_home or os.path.join(home, ".local", "share")
        self.folder = os.path.join(base, "velmora-mahjongg")
        self.own_x = False
        self.x = x
        env = x.env()
        env["HOME"] = home
        env["SDL_AUDIODRIVER"] = "dummy"
        env["PATH"] = os.path.join(prefix, layout[0]) + os.pathsep + env.get("PATH", "")
        env.pop("XDG_DATA_HOME", None)
        if data_home:
            env["XDG_DATA_HOME"] = data_home
        self.stderr_path = os.path.join(home, "stderr-%d.txt" % time.time_ns())
        self._stderr = open(self.stderr_path, "wb")
        # Started by its name from a folder of no importance, as a desktop does;
        # under strace when every file it writes is to be checked.
        command = ["velmora-mahjongg"]
        if trace:
            command = ["strace", "-f", "-qq", "-y", "-o", trace, "-e", "trace=" + WRITING_CALLS] + command
        self.traced = bool(trace)
        self.process = subprocess.Popen(command, cwd=home, env=env, start_new_session=self.traced,
                                        stdout=subprocess.DEVNULL, stderr=self._stderr)
        self.window = None
        self.pointer = (0, 0)

    def close(self, keep=True):
        if self.traced and self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)  # strace and the game it traces
        super().close(keep=True)  # the player's folder is checked afterwards


def written_paths(trace, start):
    """The paths a strace log (-f -y) shows written, created, moved or
    removed, made absolute. strace names the folder of an *at call (and
    AT_FDCWD); for the older calls each process's working folder is followed
    through chdir and fchdir, a new process starting from the launcher's,
    whose commands it runs."""
    folders = {}
    launcher = None
    paths = []
    with open(trace, errors="replace") as f:
        for line in f:
            call = re.match(r"(\d+)\s+(\w+)\((.*)", line)
            if not call or " = -1 " in line:
                continue
            pid, name, args = call.groups()
            launcher = launcher or pid
            cwd = folders.setdefault(pid, folders.get(launcher, start))
            given = re.match(r"(?:\d+|AT_FDCWD)<([^>]*)>, ", args)
            base = given.group(1) if given else cwd
            quoted = re.findall(r'"((?:[^"\\]|\\.)*)"', args)
            if name == "fchdir":
                folders[pid] = re.match(r"\d+<([^>]*)>", args).group(1)
                continue
            if name in ("open", "openat") and not re.search(r"O_WRONLY|O_RDWR|O_CREAT|O_TRUNC", args):
                continue
            if name in ("symlink", "symlinkat"):
                quoted = quoted[1:]  # the first is the target, which is not written
            absolute = [os.path.normpath(os.path.join(base, p)) for p in quoted]
            if name == "chdir":
                folders[pid] = absolute[0]
            else:
                paths.extend(absolute)
    return paths


class Installation(unittest.TestCase):
    layout = PLAIN_LAYOUT
    trace = False  # whether every file the game writes is checked

    @classmethod
    def setUpClass(cls):
        cls.temp = tempfile.mkdtemp(prefix="velmora-install-")
        cls.prefix = os.path.join(cls.temp, "prefix")
        cls.install()

    def start(self, home, x, data_home=None):
        trace = None
        if self.trace:
            trace = os.path.join(self.temp, "trace-%d.txt" % time.time_ns())
            self.addCleanup(self.check_writes, trace, home, data_home)
        return InstalledGame(self.prefix, home, x, data_home=data_home, layout=self.layout, trace=trace)

    def check_writes(self, trace, home, data_home):
        allowed = [home] + ([data_home] if data_home else [])
        outside = [p for p in written_paths(trace, home)
                   if not p.startswith("/dev/") and not any(p == a or p.startswith(a + "/") for a in allowed)]
        self.assertEqual(outside, [], "written outside the player's folders")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.temp, ignore_errors=True)

    @classmethod
    def install(cls):
        preserving_manifest(lambda: run_checked(
            ["cmake", "--install", build_folder(), "--prefix", cls.prefix], os.environ))

    def new_home(self, name):
        home = os.path.join(self.temp, name)
        os.makedirs(home)
        return home

    def test_the_prefix_holds_the_game_its_data_tools_entry_and_icons(self):
        bindir, privatedir, datadir = self.layout
        for relative in (bindir + "/velmora-mahjongg", bindir + "/velmora-layout", privatedir + "/velmora-mahjongg"):
            self.assertTrue(os.access(os.path.join(self.prefix, relative), os.X_OK), relative)
        share = os.path.join(self.prefix, datadir)
        for relative in ("Data/Options.dat", "Data/Rules.txt", "Layouts/Turtle", "Graphics/Gui/Window Icon.bmp"):
            self.assertTrue(os.path.isfile(os.path.join(share, relative)), relative)
        for size in ICON_SIZES:
            path = os.path.join(self.prefix, "share/icons/hicolor/%dx%d/apps/%s.png" % (size, size, APP_ID))
            with Image.open(path) as icon:
                self.assertEqual(icon.size, (size, size))
                self.assertEqual(icon.mode, "RGBA")
                rgba = icon.convert("RGBA")
                self.assertEqual(rgba.getpixel((0, size - 1))[3], 0)  # clear around the tiles
                self.assertEqual(rgba.getpixel((size * 2 // 5, size * 3 // 5))[3], 255)
        with open(os.path.join(self.prefix, "share/icons/hicolor/scalable/apps/%s.svg" % APP_ID)) as svg:
            self.assertIn("<svg", svg.read())

        entry = os.path.join(self.prefix, "share/applications/%s.desktop" % APP_ID)
        with open(entry) as f:
            text = f.read()
        self.assertIn("\nExec=velmora-mahjongg\n", text)
        self.assertIn("\nIcon=%s\n" % APP_ID, text)
        self.assertQuiet(["desktop-file-validate", entry])
        metainfo = os.path.join(self.prefix, "share/metainfo/%s.metainfo.xml" % APP_ID)
        with open(metainfo) as f:
            text = f.read()
        self.assertIn("<launchable type=\"desktop-id\">%s.desktop</launchable>" % APP_ID, text)
        result = self.assertQuiet(["appstreamcli", "validate", "--no-net", metainfo], quiet=False)
        self.assertNotRegex(result, r"(?m)^[EW]: ")  # infos and pedantic remarks only

    def test_the_manual_pages_render_without_a_warning_and_name_the_installed_folders(self):
        _, privatedir, datadir = self.layout
        installed = "/usr" if isinstance(self, DebianLayout) else self.prefix
        for page in ("velmora-mahjongg.6", "velmora-layout.6"):
            path = os.path.join(self.prefix, "share/man/man6", page)
            self.assertQuiet(["groff", "-ww", "-z", "-man", path])
            with open(path) as f:
                text = f.read()
            self.assertNotRegex(text, "@[A-Z_]+@")
            self.assertIn(installed + "/" + datadir, text)
        with open(os.path.join(self.prefix, "share/man/man6/velmora-mahjongg.6")) as f:
            self.assertIn(installed + "/" + privatedir + "/velmora", f.read())

    def assertQuiet(self, command, quiet=True):
        """Runs a checker, which must pass (and, if quiet, say nothing)."""
        if not shutil.which(command[0]):
            self.fail("%s is missing (tools/setup/packages.txt)" % command[0])
        result = subprocess.run(command, capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
        if quiet:
            self.assertEqual(result.stdout.strip() + result.stderr.strip(), "")
        return result.stdout + result.stderr

    def test_the_launcher_keeps_the_players_files_in_the_players_folder(self):
        home = self.new_home("home-options")
        before = snapshot(self.prefix)
        x = driver.XServer()
        try:
            # The first start makes the folder; F12 writes the options there.
            with self.start(home, x) as game:
                props = subprocess.run(["xprop", "-id", game.window, "_NET_WM_ICON", "WM_CLASS"], env=x.env(),
                                       capture_output=True, text=True).stdout
                self.assertIn("Icon (64 x 64)", props)  # the window shows our icon
                # The desktop entry's StartupWMClass, by which docks tie the window to it.
                self.assertRegex(props, r'WM_CLASS\(STRING\) = .*"velmora-mahjongg"')
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
            with self.start(home, x) as again:
                self.assertEqual(again.quit(), 0)
            # Rewritten by the game's exit (full screen set again), the volume kept.
            numbers = driver.parse_options(again.read("Data/Options.dat"))["numbers"]
            self.assertEqual((numbers[1], numbers[3]), (37, 1))
            self.assertEqual(again.read("Layouts/Mine"), b"the player's own")
            self.assertEqual(again.read("Layouts/Turtle"), bytes(turtle))
            self.assertFalse(os.path.lexists(os.path.join(run, "Data", "Gone.dat")))

            # XDG_DATA_HOME moves the folder.
            elsewhere = os.path.join(self.temp, "data-home")
            with self.start(home, x, data_home=elsewhere) as moved:
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
            with self.start(home, x) as game:
                self.assertEqual(game.quit(), 0)
            # The player's earlier game, left in their folder.
            test_game.prepare(1, {"near": saved_game_bytes(1, 1000, NEAR_TILES)})(game.folder)
            game.write("Data/Options.dat", options_bytes(full_screen=0))
            with self.start(home, x) as game:
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


class DebianLayout(Installation):
    """The same build installed as the package installs it (below DESTDIR,
    prefix /usr), and every installed file claimed by exactly one of the
    packages' lists in debian/*.install."""
    layout = DEBIAN_LAYOUT

    @classmethod
    def install(cls):
        root = os.path.join(cls.temp, "root")
        cls.prefix = os.path.join(root, "usr")
        bindir, privatedir, datadir = cls.layout
        script = os.path.join(build_folder(), "cmake_install.cmake")
        preserving_manifest(lambda: run_checked(
            ["cmake", "-DCMAKE_INSTALL_PREFIX=/usr", "-DVELMORA_INSTALL_BINDIR=" + bindir,
             "-DVELMORA_INSTALL_PRIVATEDIR=" + privatedir, "-DVELMORA_INSTALL_DATADIR=" + datadir,
             "-P", script], dict(os.environ, DESTDIR=root)))

    def test_every_installed_file_goes_into_one_package(self):
        root = os.path.dirname(self.prefix)
        installed = set()
        for folder, _, files in os.walk(root):
            installed.update(os.path.relpath(os.path.join(folder, f), root) for f in files)
        claimed = {}
        for listing in glob.glob(os.path.join(SOURCE, "debian", "*.install")):
            package = os.path.basename(listing)[:-len(".install")]
            with open(listing) as f:
                entries = [line.strip() for line in f if line.strip() and not line.startswith("#")]
            for entry in entries:
                path = os.path.join(root, entry)
                self.assertTrue(os.path.lexists(path), "%s lists %s, which is not installed" % (package, entry))
                for name in installed:
                    if name == entry or name.startswith(entry + "/"):
                        self.assertNotIn(name, claimed, "%s and %s both claim it" % (package, claimed.get(name)))
                        claimed[name] = package
        self.assertEqual(sorted(installed - set(claimed)), [], "installed but in no package")
        self.assertEqual(set(claimed.values()), {"velmora-mahjongg", "velmora-mahjongg-data"})

    @unittest.skip("played in the plain layout here, and in this layout by the package test (make test-deb)")
    def test_a_saved_game_and_a_record_land_in_the_players_folder(self):
        pass


@unittest.skipUnless(os.environ.get("VELMORA_DEB_DIR"), "the packages are built by make test-deb")
class UnpackedPackage(Installation):
    """The built packages unpacked into a temporary root (dpkg-deb -x), the
    game played from there, and every file it writes traced."""
    layout = DEBIAN_LAYOUT
    trace = True

    @classmethod
    def install(cls):
        root = os.path.join(cls.temp, "root")
        cls.prefix = os.path.join(root, "usr")
        folder = os.environ["VELMORA_DEB_DIR"]
        packages = glob.glob(os.path.join(folder, "velmora-mahjongg_*.deb"))
        packages += glob.glob(os.path.join(folder, "velmora-mahjongg-data_*.deb"))
        if len(packages) != 2:
            raise RuntimeError("expected the two packages in VELMORA_DEB_DIR, found %s" % packages)
        for package in packages:
            run_checked(["dpkg-deb", "-x", package, root])

    def test_the_manual_pages_render_without_a_warning_and_name_the_installed_folders(self):
        for page in ("velmora-mahjongg.6", "velmora-layout.6"):
            path = os.path.join(self.prefix, "share/man/man6", page + ".gz")
            self.assertQuiet(["sh", "-c", 'zcat "$0" | groff -ww -z -man', path])


if __name__ == "__main__":
    unittest.main()
