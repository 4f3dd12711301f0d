"""The visualisation screen of the real program: the marquee moves on it, and it closes while
something exactly black covers the point just below it, then opens again."""

import os
import subprocess
import time

from harness import PlayerTestCase, wait_until

COVER = os.environ.get("VEXA_COVER", "build/tests/x_cover")
# The screen's area on the desktop, with the window at (0, 0), and the probe point below it.
AREA = (4, 4, 290, 50)
PROBE = (50, 58)


class VisualScreenTest(PlayerTestCase):
    def moving(self, pause=0.3):
        before = self.display.pixels(*AREA)
        time.sleep(pause)
        return self.display.pixels(*AREA) != before

    def cover_probe(self):
        cover = subprocess.Popen([os.path.abspath(COVER), str(PROBE[0] - 5), str(PROBE[1] - 2),
                                  "10", "4"], env=self.display.env(), stdout=subprocess.PIPE,
                                 text=True)
        self.addCleanup(cover.kill)
        self.assertEqual(cover.stdout.readline().strip(), "shown")
        return cover

    def test_the_marquee_moves_and_a_black_cover_on_the_probe_closes_the_screen_until_it_goes(self):
        self.start_with_window()
        wait_until(self.moving, what="the marquee to move")

        cover = self.cover_probe()
        # Within a tick of the probe timer (2 s), the screen closes: nothing moves any more.
        wait_until(lambda: not self.moving(pause=0.5), timeout=8, what="the screen to close")

        cover.kill()
        cover.wait()
        wait_until(self.moving, timeout=8, what="the screen to open again")
