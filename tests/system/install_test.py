"""The installed player: `cmake --install` lays out the program, its skin, an icon and a menu
entry, and the `vexa-radio` launcher starts it from any folder in a folder of the user's own."""

import configparser
import os
import shutil
import subprocess
import tempfile

from harness import BUILD, TITLE, Player, PlayerTestCase, send_close_request


class InstallTest(PlayerTestCase):
    def setUp(self):
        super().setUp()
        self.root = tempfile.mkdtemp(prefix="vexa-install-")
        self.addCleanup(shutil.rmtree, self.root, ignore_errors=True)
        self.home = os.path.join(self.root, "home")
        os.mkdir(self.home)

    def install(self, prefix):
        subprocess.run(["cmake", "--install", BUILD, "--prefix", prefix], check=True,
                       capture_output=True)

    def start_installed(self, prefix):
        """The launcher, started from a folder that holds no skin."""
        player = Player(self.display, tempfile.mkdtemp(prefix="vexa-elsewhere-"),
                        env={"HOME": self.home}, program=os.path.join(prefix, "bin", "vexa-radio"))
        self.players.append(player)
        return player, self.display.wait_for_window(TITLE)

    def close(self, player, window):
        send_close_request(self.display, window)
        self.assertEqual(player.wait_exit(), 0)

    def test_the_launcher_runs_the_installed_player_in_the_users_folder_wherever_it_is(self):
        prefix = os.path.join(self.root, "usr")
        self.install(prefix)
        share = os.path.join(prefix, "share")
        self.assertTrue(os.path.isfile(os.path.join(share, "vexa-radio", "Graph", "skin.jpg")))
        self.assertTrue(os.path.isfile(
            os.path.join(share, "icons", "hicolor", "scalable", "apps", "vexa-radio.svg")))
        entry_file = os.path.join(share, "applications", "vexa-radio.desktop")
        subprocess.run(["desktop-file-validate", entry_file], check=True)
        entry = configparser.ConfigParser(interpolation=None)
        entry.read(entry_file)
        launcher = os.path.join(prefix, "bin", "vexa-radio")
        self.assertEqual(entry["Desktop Entry"]["Exec"], f'"{launcher}"')

        player, window = self.start_installed(prefix)
        folder = os.path.join(self.home, ".local", "share", "vexa-radio")
        self.assertEqual(os.path.realpath(os.path.join(folder, "Graph")),
                         os.path.realpath(os.path.join(share, "vexa-radio", "Graph")))
        self.close(player, window)
        self.assertEqual(os.path.getsize(os.path.join(folder, "config.txt")), 22)

        # Moved elsewhere, the installation still finds its skin: the link follows it.
        moved = os.path.join(self.root, "opt")
        os.rename(prefix, moved)
        player, window = self.start_installed(moved)
        self.assertEqual(os.path.realpath(os.path.join(folder, "Graph")),
                         os.path.realpath(os.path.join(moved, "share", "vexa-radio", "Graph")))
        self.close(player, window)
