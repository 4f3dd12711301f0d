"""Built-in stations played by the real program, with sound checked at a PulseAudio null sink.
The stations' hosts resolve to 127.0.0.1 inside a private namespace, where loopback servers
stand in for them: nothing leaves the machine."""

import array
import os
import re
import signal
import struct
import time

from harness import (PLAY_BUTTON, PlayerTestCase, Sink, StationNamespace, make_folder, make_tone,
                     wait_until, write_settings)

# Item 1 of the directory, http://relay1.bide-et-musique.com:9100/
LIVE_STATION = 1
LIVE_HOST, LIVE_PORT, LIVE_NAME = "relay1.bide-et-musique.com", 9100, "Bide et musique"
# Item 2, http://icecast.radiofrance.fr/fbbourgogne-midfi.mp3, whose server never answers here.
DEAD_STATION = 2
DEAD_HOST, DEAD_PORT = "icecast.radiofrance.fr", 80

PAUSE_BUTTON = (80, 72)
STOP_BUTTON = (125, 72)
RECORD_BUTTON = (190, 72)
STATION_COMBO = (140, 130)


class StationTestCase(PlayerTestCase):
    """A sink to listen to, and the live station and the dead one served in a namespace."""

    def setUp(self):
        super().setUp()
        self.sink = Sink()
        self.addCleanup(self.sink.close)
        self.network = StationNamespace([LIVE_HOST, DEAD_HOST])
        self.addCleanup(self.network.close)
        self.folder = make_folder()
        self.server_log = self.network.serve(LIVE_PORT, mp3=make_tone(self.folder))

    def start_player(self, station):
        write_settings(self.folder, station=station, volume=100)
        player = self.start(self.folder, env=self.sink.env(), prefix=self.network.command([], cwd=self.folder))
        window = self.display.wait_for_window("Vexa Radio")
        return player, window

    def click(self, window, point):
        self.display.click(*self.at(window, point))

    def server_says(self, word):
        with open(self.server_log) as log:
            return word in log.read()


class PlaybackTest(StationTestCase):
    def test_a_station_plays_pauses_resumes_and_stops(self):
        player, window = self.start_player(LIVE_STATION)
        self.sink.wait_for_silence()

        self.click(window, PLAY_BUTTON)
        self.sink.wait_for_sound(timeout=3)
        self.display.wait_for_window(LIVE_NAME)

        self.click(window, PAUSE_BUTTON)
        self.sink.wait_for_silence()
        self.click(window, PAUSE_BUTTON)
        self.sink.wait_for_sound()

        self.click(window, STOP_BUTTON)
        self.sink.wait_for_silence()
        wait_until(lambda: self.server_says("CLOSE"), what="the connection to end")
        self.assertTrue(player.running())

        # The sound library must not take SIGTERM away from the program.
        self.click(window, PLAY_BUTTON)
        self.sink.wait_for_sound()
        player.process.terminate()
        self.assertEqual(player.wait_exit(), -signal.SIGTERM)

    def test_a_station_that_never_answers_blocks_nothing_for_good(self):
        self.network.serve(DEAD_PORT, stall=True)
        player, window = self.start_player(DEAD_STATION)

        self.click(window, PLAY_BUTTON)
        # The open gives up after a few seconds; the title already names the station.
        self.display.wait_for_window("Bourgogne Coloriage FM (Montbard)", timeout=15)
        self.assertIsNone(self.display.find_window("erreur"))
        self.assertIsNone(self.display.find_window("Erreur"))

        # Choose the station above it in the list with the keyboard, then play it.
        self.click(window, STATION_COMBO)
        self.display.xdotool("key", "Escape")
        self.display.xdotool("key", "Up")
        self.click(window, PLAY_BUTTON)
        self.sink.wait_for_sound(timeout=15)
        self.display.wait_for_window(LIVE_NAME)
        self.assertTrue(player.running())


def read_wav(path):
    """(channels, rate, bits, samples of the first channel) of a RIFF WAVE file, plain or
    extensible."""
    with open(path, "rb") as f:
        data = f.read()
    assert data[:4] == b"RIFF" and data[8:12] == b"WAVE", "not a WAV file"
    at, fmt, samples = 12, None, None
    while at + 8 <= len(data):
        chunk, size = data[at:at + 4], struct.unpack("<I", data[at + 4:at + 8])[0]
        body = data[at + 8:at + 8 + size]
        if chunk == b"fmt ":
            fmt = struct.unpack("<HHIIHH", body[:16])
        elif chunk == b"data":
            samples = array.array("h", body[:len(body) // 2 * 2])
        at += 8 + size + size % 2
    channels, rate, bits = fmt[1], fmt[2], fmt[5]
    return channels, rate, bits, samples[::channels]


class RecordingTest(StationTestCase):
    def test_a_recording_of_a_station_is_a_wav_named_after_it_and_the_time(self):
        player, window = self.start_player(LIVE_STATION)
        self.click(window, PLAY_BUTTON)
        self.sink.wait_for_sound(timeout=3)

        self.click(window, RECORD_BUTTON)
        time.sleep(3)
        self.click(window, STOP_BUTTON)

        pattern = re.compile(re.escape(LIVE_NAME) + r"\(\d{1,2}-\d{1,2}-\d{4}\)\d{1,2}-\d{1,2}-\d{1,2}\.wav")
        found = wait_until(lambda: [n for n in os.listdir(self.folder) if pattern.fullmatch(n)],
                           what="the named recording")
        channels, rate, bits, samples = read_wav(os.path.join(self.folder, found[0]))
        self.assertEqual((channels, rate, bits), (2, 44100, 16))
        seconds = len(samples) / rate
        self.assertGreater(seconds, 2.0)
        self.assertLess(seconds, 5.0)
        crossings = sum(1 for a, b in zip(samples, samples[1:]) if (a < 0) != (b < 0))
        self.assertAlmostEqual(crossings / 2 / seconds, 1000, delta=100)
        self.assertFalse(os.path.exists(os.path.join(self.folder, "Record.wav")))
        self.assertTrue(player.running())
