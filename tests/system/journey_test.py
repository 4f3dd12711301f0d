"""Whole journeys through the real program, as a listener makes them with the mouse: a first run
with a station from the list, its volume, pause, stop and a recording; and MP3 files added
through the requester, played to the end, and everything chosen coming back after a restart.
Stations are served on loopback in a private namespace; sound is heard at a null sink."""

import os
import re
import shutil
import struct
import tempfile

from harness import (BACKGROUND, LIVE_NAME, PLAY_BUTTON, PLAYLIST_BUTTON,
                     PLAYLIST_TITLE, RECORD_BUTTON, STATION_COMBO, STOP_BUTTON, StationTestCase,
                     make_tone, read_wav, send_close_request, wait_until)

LIVE_ROW = 1  # "2-Bide et musique", the second row of the station list
SCREEN_AREA = (4, 4, 290, 50)
# The volume slider: a vertical track whose handle is centred at these heights (window
# coordinates) at its minimum (0) and its maximum (255).
VOLUME_X, VOLUME_BOTTOM, VOLUME_TOP = 289, 112, 66
ADD_BUTTON = (40, 155)  # inside the playlist window
FIRST_ITEM = (60, 18)
LOUD, AUDIBLE = 0.15, 0.02
TONE_HERTZ = 1000  # the tone the loopback station plays
RECORDING_BYTES_PER_SECOND = 44100 * 4


def volume_height(value):
    return VOLUME_BOTTOM - round(value * (VOLUME_BOTTOM - VOLUME_TOP) / 255)


class JourneyTestCase(StationTestCase):
    def pick_station(self, window, row):
        """Opens the station list with the mouse and clicks a row of it."""
        self.click(window, STATION_COMBO)
        popup = wait_until(self.display.find_untitled_window, what="the station list")
        x, y, _, height = self.display.geometry(popup)
        row_height = (height - 2) // 10  # the list shows ten rows inside a one-pixel frame
        self.display.click(x + 60, y + 1 + row * row_height + row_height // 2)
        wait_until(lambda: self.display.find_untitled_window() is None, what="the list to close")

    def drag_volume(self, window, start, end):
        self.display.drag(self.at(window, (VOLUME_X, volume_height(start))),
                          self.at(window, (VOLUME_X, volume_height(end))))

    def screen_moving(self):
        before = self.display.pixels(*SCREEN_AREA)
        return wait_until(lambda: self.display.pixels(*SCREEN_AREA) != before, timeout=3,
                          what="the screen to change")

    def settings(self):
        """(station, x, y, folder, [(name, path)...], volume) from config.txt."""
        with open(os.path.join(self.folder, "config.txt"), "rb") as f:
            data = f.read()
        station, x, y = struct.unpack_from("<iii", data)
        folder, at = read_line(data, 12)
        count = struct.unpack_from("<i", data, at)[0]
        at += 4
        entries = []
        for _ in range(count):
            name, at = read_line(data, at)
            path, at = read_line(data, at)
            entries.append((name, path))
        return station, x, y, folder, entries, struct.unpack_from("<i", data, at)[0]


def read_line(data, at):
    end = data.index(b"\r\n", at)
    return data[at:end].decode(), end + 2


class FirstRunJourney(JourneyTestCase):
    def test_a_station_from_the_list_its_volume_pause_stop_a_recording_and_a_right_press(self):
        player, window = self.start_player()
        self.assertEqual(self.display.geometry(window), (0, 0, 300, 140))
        self.assertLess(self.sink.level(), 0.002)
        self.screen_moving()  # the idle title rides across the screen

        self.pick_station(window, LIVE_ROW)
        self.click(window, PLAY_BUTTON)
        self.display.wait_for_window(LIVE_NAME)
        # A first run's volume is 0: the station plays, silently, until the slider goes up.
        wait_until(lambda: self.server_says("OPEN"), what="the station to be asked for")
        self.assertLess(self.sink.level(), 0.002)
        self.drag_volume(window, 0, 255)
        loud = wait_until(lambda: self.sink.level() > LOUD and self.sink.level(),
                          what="a loud station")
        self.drag_volume(window, 255, 128)
        wait_until(lambda: AUDIBLE < self.sink.level() < loud * 0.7, what="a quieter station")

        self.pause_resume_stop(window)

        self.click(window, PLAY_BUTTON)
        self.sink.wait_for_tone(TONE_HERTZ)
        self.click(window, RECORD_BUTTON)
        wait_until(lambda: self.recorded_bytes() > 2 * RECORDING_BYTES_PER_SECOND,
                   what="two seconds of recording")
        self.click(window, STOP_BUTTON)
        name = wait_until(self.named_recording, what="the recording under its name")
        channels, rate, _, samples = read_wav(os.path.join(self.folder, name))
        seconds = len(samples) / rate
        self.assertGreater(seconds, 2.0)
        crossings = sum(1 for a, b in zip(samples, samples[1:]) if (a < 0) != (b < 0))
        self.assertAlmostEqual(crossings / 2 / seconds, TONE_HERTZ, delta=100)

        # A right press on the background ends the program at once, without saving.
        self.click(window, BACKGROUND)  # not a press on a control: the window stays
        self.display.click(*self.at(window, BACKGROUND), button=3)
        self.assertEqual(player.wait_exit(), 0)
        with open(os.path.join(self.folder, "config.txt"), "rb") as f:
            self.assertEqual(f.read(), b"")

    def recorded_bytes(self):
        growing = [n for n in os.listdir(self.folder) if n.startswith(".recording-")]
        return os.path.getsize(os.path.join(self.folder, growing[0])) if growing else 0

    def named_recording(self):
        pattern = re.compile(re.escape(LIVE_NAME) + r"\(\d+-\d+-\d{4}\)\d+-\d+-\d+\.wav")
        found = [n for n in os.listdir(self.folder) if pattern.fullmatch(n)]
        return found[0] if found else None


class PlaylistJourney(JourneyTestCase):
    def setUp(self):
        super().setUp()
        self.music = tempfile.mkdtemp(prefix="vexa-music-")
        self.addCleanup(shutil.rmtree, self.music, ignore_errors=True)
        make_tone(self.music, "low.mp3", frequency=440, seconds=2)
        make_tone(self.music, "high.mp3", frequency=880, seconds=2)

    def add_files(self, window, names):
        """Opens the requester with the add button and types into its file name field."""
        self.click(window, ADD_BUTTON)
        requester = self.display.wait_for_window("charger MP3")
        # Keys typed before the requester has the keyboard would go nowhere.
        wait_until(lambda: self.display.xdotool("getwindowfocus").strip() == str(requester),
                   what="the requester to have the keyboard")
        self.display.xdotool("type", "--delay", "5", names)
        self.display.xdotool("key", "Return")
        wait_until(lambda: self.display.find_window("charger MP3") is None,
                   what="the requester to close")

    def test_files_added_through_the_requester_play_to_the_end_and_come_back_after_a_restart(self):
        player, window = self.start_player()
        self.pick_station(window, LIVE_ROW)
        self.drag_volume(window, 0, 255)
        self.click(window, PLAYLIST_BUTTON)
        playlist = PLAYLIST_TITLE
        self.add_files(playlist, f'"{self.music}/low.mp3" "{self.music}/high.mp3"')

        self.click(playlist, FIRST_ITEM)
        self.click(window, PLAY_BUTTON)
        self.sink.wait_for_tone(440)
        self.sink.wait_for_tone(880, timeout=8)
        self.display.wait_for_window("high.mp3")
        self.sink.wait_for_silence(timeout=8)

        self.display.drag(self.at(window, BACKGROUND), (400, 300))
        wait_until(lambda: self.display.geometry(window)[:2] == (250, 200), what="the move")
        send_close_request(self.display, window)
        self.assertEqual(player.wait_exit(), 0)
        folder = self.music + "/"
        files = [("low.mp3", folder + "low.mp3"), ("high.mp3", folder + "high.mp3")]
        self.assertEqual(self.settings(), (LIVE_ROW, 250, 200, folder, files, 255))

        # Started again: the window where it was, the station and its volume, the playlist, and
        # the requester in the folder of the last files.
        player, window = self.start_player()
        self.assertEqual(self.display.geometry(window)[:2], (250, 200))
        self.click(window, PLAY_BUTTON)
        self.display.wait_for_window(LIVE_NAME)
        wait_until(lambda: self.sink.level() > LOUD, what="the station as loud as before")
        self.click(window, STOP_BUTTON)
        self.click(window, PLAYLIST_BUTTON)
        self.click(playlist, FIRST_ITEM)
        self.click(window, PLAY_BUTTON)
        self.sink.wait_for_tone(440)
        self.display.wait_for_window("low.mp3")
        self.add_files(playlist, "high.mp3")  # a bare name: found only in the stored folder
        # A right press in the playlist window ends the program in order, saving the settings.
        self.display.click(*self.at(playlist, (200, 160)), button=3)
        self.assertEqual(player.wait_exit(), 0)
        self.assertEqual(self.settings()[4], files + [("high.mp3", folder + "high.mp3")])
