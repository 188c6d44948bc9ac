"""Installing Corvane: `cmake --install` into a temporary prefix puts the programs, the shipped
files, the desktop entry and the icons in place, and the installed corvane-cli works from there on
a fresh program directory (a new CORVANE_HOME, or the XDG folder), seeded from the prefix's share
folder. A fresh CORVANE_HOME used by the build tree's corvane-cli is seeded from the build tree.

Run as `python3 test_install.py CMAKE BUILD-FOLDER WITH-WINDOWS(ON|OFF)`."""

import filecmp
import json
import os
import subprocess
import sys
import tempfile
import unittest

CMAKE = BUILD = None
WITH_WINDOWS = True
STOCK = "Avery 5160  Address"


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
        return None
    return int.from_bytes(head[16:20], "big"), int.from_bytes(head[20:24], "big")


def shipped_paths(share):
    with open(os.path.join(share, "shipped-files.txt"), encoding="utf-8") as f:
        lines = [line.rstrip("\r\n") for line in f if line.strip() and not line.startswith("#")]
    return [path for line in lines for path in line.split("\t")]


class InstalledPrefix(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls._tmp = tempfile.TemporaryDirectory(prefix="corvane-install-")
        cls.prefix = os.path.join(cls._tmp.name, "prefix")
        done = subprocess.run([CMAKE, "--install", BUILD, "--prefix", cls.prefix],
                              stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=300)
        if done.returncode != 0:
            raise AssertionError("cmake --install failed:\n" + done.stdout.decode(errors="replace"))
        cls.share = os.path.join(cls.prefix, "share", "corvane")
        cls.cli_path = os.path.join(cls.prefix, "bin", "corvane-cli")

    @classmethod
    def tearDownClass(cls):
        cls._tmp.cleanup()

    def setUp(self):
        self.dir = tempfile.mkdtemp(prefix="run-", dir=self._tmp.name)

    def cli(self, env, *args):
        return subprocess.run([self.cli_path, *args], cwd=self.dir, env=env, stdout=subprocess.PIPE,
                              stderr=subprocess.PIPE, timeout=120)

    def ok(self, env, *args):
        done = self.cli(env, *args)
        self.assertEqual(done.returncode, 0, done.stderr.decode(errors="replace"))
        self.assertEqual(done.stderr, b"")
        return done.stdout.decode()

    def home_env(self, home):
        return dict(os.environ, CORVANE_HOME=home, LC_ALL="C.UTF-8")

    def test_layout_of_the_prefix(self):
        programs = ["corvane-cli"] + (["corvane"] if WITH_WINDOWS else [])
        for program in programs:
            with self.subTest(program=program):
                self.assertTrue(os.access(os.path.join(self.prefix, "bin", program), os.X_OK))
        self.assertTrue(os.path.isfile(os.path.join(self.share, "help", "index.html")))
        paths = shipped_paths(self.share)
        self.assertIn("sysdata/LBLTPL.DBF", paths)
        self.assertIn("sysdata/LBLTPL.CDX", paths)
        self.assertIn("sysdata/AV5160.BMP", paths)
        self.assertIn("sysdata/CSZ.DBF", paths)
        self.assertIn("sysdata/CSZ.CDX", paths)
        for path in paths:
            with self.subTest(shipped=path):
                self.assertTrue(os.path.isfile(os.path.join(self.share, path)))
        # Nothing of the build tree's own state comes along (a program run there writes its
        # setups into the build tree's sysdata).
        self.assertEqual(sorted(os.listdir(os.path.join(self.share, "sysdata"))),
                         sorted(os.path.basename(p) for p in paths))

        with open(os.path.join(self.prefix, "share", "applications", "corvane.desktop"), encoding="utf-8") as f:
            entry = dict(line.rstrip("\n").split("=", 1) for line in f if "=" in line)
        self.assertEqual(entry["Type"], "Application")
        self.assertEqual(entry["Exec"], "corvane")
        self.assertEqual(entry["Icon"], "corvane")
        icons = os.path.join(self.prefix, "share", "icons", "hicolor")
        with open(os.path.join(icons, "scalable", "apps", "corvane.svg"), encoding="utf-8") as f:
            self.assertIn("<svg", f.read())
        for size in (16, 32, 48, 64, 128, 256):
            with self.subTest(icon=size):
                self.assertEqual(png_size(os.path.join(icons, "%dx%d" % (size, size), "apps", "corvane.png")),
                                 (size, size))

    def test_installed_cli_seeds_a_fresh_home_from_the_prefix(self):
        # A unit only this prefix ships proves where the files came from.
        with open(os.path.join(self.share, "shipped-files.txt"), "a", encoding="utf-8") as f:
            f.write("sysdata/PREFIX.TXT\n")
        with open(os.path.join(self.share, "sysdata", "PREFIX.TXT"), "w", encoding="utf-8") as f:
            f.write("from the temporary prefix\n")
        try:
            home = os.path.join(self.dir, "home")
            os.makedirs(os.path.join(home, "sysdata"))
            mine = os.path.join(home, "sysdata", "AV5160.BMP")
            with open(mine, "wb") as f:
                f.write(b"the user's own picture")
            env = self.home_env(home)

            self.ok(env, "create", os.path.join(self.dir, "people.dbf"))
            sysdata = os.path.join(home, "sysdata")
            self.assertTrue(os.path.isfile(os.path.join(sysdata, "PREFIX.TXT")))
            self.assertTrue(filecmp.cmp(os.path.join(sysdata, "LBLTPL.DBF"),
                                        os.path.join(self.share, "sysdata", "LBLTPL.DBF"), shallow=False))
            with open(mine, "rb") as f:
                self.assertEqual(f.read(), b"the user's own picture")

            made = json.loads(self.ok(env, "new-label-setup", "--description", "Office", "--template", STOCK))
            self.assertEqual(made["stock"], STOCK)
            listed = json.loads(self.ok(env, "label-setups"))
            self.assertEqual([s["description"] for s in listed], ["Office"])
            self.assertTrue(os.path.isfile(os.path.join(sysdata, made["layoutFile"])))
        finally:
            os.remove(os.path.join(self.share, "sysdata", "PREFIX.TXT"))
            with open(os.path.join(self.share, "shipped-files.txt"), encoding="utf-8") as f:
                lines = [line for line in f if line != "sysdata/PREFIX.TXT\n"]
            with open(os.path.join(self.share, "shipped-files.txt"), "w", encoding="utf-8") as f:
                f.writelines(lines)

    def test_installed_cli_without_home_uses_the_xdg_folder(self):
        env = dict(os.environ, HOME=self.dir, XDG_DATA_HOME=os.path.join(self.dir, "xdg"), LC_ALL="C.UTF-8")
        env.pop("CORVANE_HOME", None)
        self.ok(env, "new-label-setup", "--description", "Club", "--template", STOCK)
        folder = os.path.join(self.dir, "xdg", "corvane")
        self.assertTrue(os.path.isfile(os.path.join(folder, "sysdata", "LBLTPL.DBF")))
        self.assertTrue(os.path.isfile(os.path.join(folder, "sysdata", "LABEL.DBF")))
        self.assertTrue(os.path.isdir(os.path.join(folder, "DATA")))


class BuildTree(unittest.TestCase):
    def test_build_tree_cli_seeds_a_fresh_home_from_the_build_tree(self):
        with tempfile.TemporaryDirectory(prefix="corvane-build-home-") as home:
            env = dict(os.environ, CORVANE_HOME=home, LC_ALL="C.UTF-8")
            done = subprocess.run([os.path.join(BUILD, "corvane-cli"), "new-label-setup", "--description",
                                   "Office", "--template", STOCK], env=env, stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE, timeout=120)
            self.assertEqual(done.returncode, 0, done.stderr.decode(errors="replace"))
            for path in shipped_paths(BUILD):
                with self.subTest(shipped=path):
                    self.assertTrue(filecmp.cmp(os.path.join(home, path), os.path.join(BUILD, path),
                                                shallow=False))


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    CMAKE, BUILD = sys.argv[1], os.path.abspath(sys.argv[2])
    WITH_WINDOWS = sys.argv[3].upper() in ("ON", "1", "TRUE", "YES")
    unittest.main(argv=[sys.argv[0]], verbosity=2)
