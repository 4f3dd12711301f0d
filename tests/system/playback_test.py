"""Built-in stations played by the real program, with sound checked at a PulseAudio null sink.
The stations' hosts resolve to 127.0.0.1 inside a private namespace, where loopback servers
stand in for them: nothing leaves the machine."""

import os
import re
import signal
import time

from harness import (DEAD_HOST, DEAD_PORT, DEAD_STATION, LIVE_NAME, LIVE_STATION, PLAY_BUTTON,
                     RECORD_BUTTON, STATION_COMBO, STOP_BUTTON, StationTestCase, read_wav,
                     wait_until)


class PlaybackTest(StationTestCase):
    def test_a_station_plays_pauses_resumes_and_stops(self):
        player, window = self.start_player(LIVE_STATION)
        self.sink.wait_for_silence()

        self.click(window, PLAY_BUTTON)
        self.sink.wait_for_sound(timeout=3)
        self.display.wait_for_window(LIVE_NAME)

        self.pause_resume_stop(window)
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
