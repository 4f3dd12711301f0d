"""The playlist window of the real program: files stored in config.txt play one after the
other, heard at a PulseAudio null sink, and the window keeps below the main window."""

import os
import struct

from harness import (BACKGROUND, PLAY_BUTTON, PLAYLIST_BUTTON, PLAYLIST_TITLE, PlayerTestCase, Sink,
                     make_folder, make_tone, wait_until, write_settings)

FIRST_ITEM = (60, 18)  # inside the playlist window


class PlaylistTest(PlayerTestCase):
    def test_two_files_play_in_order_and_the_window_follows_the_main_one(self):
        sink = Sink()
        self.addCleanup(sink.close)
        folder = make_folder()
        low = make_tone(folder, "low.mp3", frequency=440, seconds=2)
        high = make_tone(folder, "high.mp3", frequency=880, seconds=2)
        write_settings(folder, station=0, volume=100, x=100, y=50, files=[low, high])
        player = self.start(folder, env=sink.env())
        main = self.display.wait_for_window("Vexa Radio")

        self.display.click(*self.at(main, PLAYLIST_BUTTON))
        playlist = PLAYLIST_TITLE
        self.assertEqual(self.geometry(playlist), (100, 190, 300, 180))
        # A tool window: no task-bar button, whatever the window manager.
        wait_until(lambda: "_NET_WM_STATE_SKIP_TASKBAR" in self.display.run(
            "xprop", "-id", str(self.display.find_window(playlist)), "_NET_WM_STATE",
            check=False).stdout, what="a tool window")
        self.display.click(*self.at(playlist, FIRST_ITEM))
        self.display.click(*self.at(main, PLAY_BUTTON))

        sink.wait_for_tone(440)
        self.display.wait_for_window("low.mp3")
        sink.wait_for_tone(880, timeout=8)
        self.display.wait_for_window("high.mp3")
        sink.wait_for_silence(timeout=8)
        self.assertTrue(player.running())

        self.display.drag(self.at(main, BACKGROUND), (400, 300))
        wait_until(lambda: self.geometry(playlist)[:2] == (250, 340),
                   what="the playlist window to follow")

        # A right press in the playlist window ends the program in order: the settings are saved.
        self.display.click(*self.at(playlist, (200, 160)), button=3)
        self.assertEqual(player.wait_exit(), 0)
        with open(os.path.join(folder, "config.txt"), "rb") as f:
            self.assertEqual(struct.unpack("<iii", f.read(12)), (0, 250, 200))
