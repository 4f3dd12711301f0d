"""Frames put straight into a window on a real X server: through memory shared with a local
server, in the requests themselves for a server reached over the network."""

import os
import shutil
import subprocess
import tempfile
import unittest

from harness import Display

TEST = os.environ.get("VEXA_FRAME_OUTPUT_TEST", "build/tests/x_frame_output_test")


class FrameOutputTest(unittest.TestCase):
    def setUp(self):
        self.display = Display(tcp=True)
        self.addCleanup(self.display.close)
        self.runtime = tempfile.mkdtemp(prefix="vexa-runtime-")
        self.addCleanup(shutil.rmtree, self.runtime, ignore_errors=True)

    def run_test(self, display, shared):
        env = dict(self.display.env(), DISPLAY=display, VEXA_EXPECT_SHARED=shared,
                   XDG_RUNTIME_DIR=self.runtime)
        for key in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if key in os.environ:
                env[key] = os.environ[key]
        result = subprocess.run([os.path.abspath(TEST)], env=env, capture_output=True,
                                text=True, timeout=60)
        self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_a_local_server_takes_the_frames_through_shared_memory(self):
        self.run_test(self.display.name, "1")

    def test_a_server_over_the_network_takes_them_in_the_requests(self):
        self.run_test(self.display.tcp_name, "0")


if __name__ == "__main__":
    unittest.main()
