"""The settings file with the real program: created on a first run, rewritten by an orderly exit,
restored at the next start, left alone by the immediate exit."""

import os
import struct

from harness import BACKGROUND, TITLE, PlayerTestCase, make_folder, send_close_request, wait_until


class SettingsFileTest(PlayerTestCase):
    def config(self, folder):
        with open(os.path.join(folder, "config.txt"), "rb") as f:
            return f.read()

    def test_a_moved_window_comes_back_where_it_was_after_an_orderly_exit(self):
        folder = make_folder()
        player = self.start(folder)
        window = self.display.wait_for_window(TITLE)
        self.assertEqual(self.config(folder), b"")

        self.display.drag(self.at(window, BACKGROUND), (400, 300))
        wait_until(lambda: self.display.geometry(window)[:2] == (250, 200), what="the move")
        send_close_request(self.display, window)
        self.assertEqual(player.wait_exit(), 0)

        stored = self.config(folder)
        self.assertEqual(len(stored), 22)
        self.assertEqual(struct.unpack("<iii", stored[:12]), (0, 250, 200))

        again = self.start(folder)
        window = self.display.wait_for_window(TITLE)
        self.assertEqual(self.display.geometry(window)[:2], (250, 200))
        self.display.click(*self.at(window, BACKGROUND), button=3)
        self.assertEqual(again.wait_exit(), 0)
        self.assertEqual(self.config(folder), stored)
