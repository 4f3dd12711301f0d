"""Runs the real program against a real X server of its own (Xvfb on a free display), and
drives it with xdotool. Every service a test starts is stopped by the test."""

import os
import select
import shutil
import subprocess
import tempfile
import time
import unittest

BINARY = os.environ.get("VEXA_BINARY", "build/vexa-radio")
CLOSE_REQUEST = os.environ.get("VEXA_CLOSE_REQUEST", "build/tests/x_close_request")
ARTIFACTS = os.environ.get("VEXA_ARTIFACTS", os.path.join(tempfile.gettempdir(), "vexa-artifacts"))


def wait_until(condition, timeout=10.0, step=0.02, what="condition"):
    """Polls until condition() returns something true and returns it."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(step)


class Display:
    """An Xvfb server on a display number it picks itself."""

    def __init__(self, size="1024x768x24"):
        read_end, write_end = os.pipe()
        # Without -noreset the server resets when its last client leaves and refuses the next
        # one for a moment: a program started again right after one ended could not connect.
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size, "-nolisten", "tcp",
             "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        try:
            self.name = ":" + self._read_number(read_end)
        finally:
            os.close(read_end)
        self.window_manager = None

    def _read_number(self, fd):
        text = b""
        while not text.endswith(b"\n"):
            ready, _, _ = select.select([fd], [], [], 10)
            if not ready:
                self.close()
                raise RuntimeError("Xvfb did not report its display")
            chunk = os.read(fd, 16)
            if not chunk:
                raise RuntimeError("Xvfb ended before reporting its display")
            text += chunk
        return text.decode().strip()

    def env(self):
        return {"DISPLAY": self.name, "PATH": os.environ.get("PATH", "/usr/bin:/bin")}

    def start_window_manager(self):
        self.window_manager = subprocess.Popen(
            ["openbox", "--sm-disable"], env=self.env(),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: self.xprop_root("_NET_SUPPORTING_WM_CHECK"), what="openbox")

    def xprop_root(self, name):
        result = subprocess.run(["xprop", "-root", name], env=self.env(),
                                capture_output=True, text=True)
        return "window id" in result.stdout

    def run(self, *args, check=True):
        return subprocess.run(list(args), env=self.env(), capture_output=True, text=True,
                              check=check, timeout=30)

    def xdotool(self, *args):
        return self.run("xdotool", *[str(a) for a in args]).stdout

    def find_window(self, title):
        """The id of the visible window with exactly this title, or None."""
        found = self.run("xdotool", "search", "--onlyvisible", "--name", f"^{title}$",
                         check=False)
        ids = found.stdout.split()
        return int(ids[0]) if ids else None

    def wait_for_window(self, title, timeout=10.0):
        return wait_until(lambda: self.find_window(title), timeout, what=f"window {title!r}")

    def geometry(self, window):
        """(x, y, width, height) of the window's outer rectangle on the screen."""
        info = self.run("xwininfo", "-id", str(window)).stdout
        fields = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def click(self, x, y, button=1):
        self.xdotool("mousemove", "--sync", x, y, "click", button)

    def drag(self, start, end, steps=8):
        self.xdotool("mousemove", "--sync", start[0], start[1], "mousedown", 1)
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("mouseup", 1)

    def screenshot(self, name):
        os.makedirs(ARTIFACTS, exist_ok=True)
        path = os.path.join(ARTIFACTS, name + ".png")
        self.run("import", "-window", "root", path, check=False)
        return path

    def close(self):
        for process in (self.window_manager, self.process):
            if process and process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()


class Player:
    """The program, started in its own working folder."""

    def __init__(self, display, folder, env=None):
        self.folder = folder
        runtime = tempfile.mkdtemp(prefix="vexa-runtime-")
        os.chmod(runtime, 0o700)
        self._runtime = runtime
        environment = {"HOME": folder, "XDG_RUNTIME_DIR": runtime,
                       "PATH": os.environ.get("PATH", "/usr/bin:/bin")}
        for key in ("ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"):
            if key in os.environ:
                environment[key] = os.environ[key]
        if display is not None:
            environment["DISPLAY"] = display.name
        environment.update(env or {})
        self.process = subprocess.Popen([os.path.abspath(BINARY)], cwd=folder, env=environment,
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.stdout = ""
        self.stderr = ""

    def running(self):
        return self.process.poll() is None

    def wait_exit(self, timeout=10.0):
        try:
            self.stdout, self.stderr = self.process.communicate(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program did not end within {timeout} s")
        return self.process.returncode

    def stop(self):
        if self.running():
            self.process.kill()
        self.process.communicate()
        shutil.rmtree(self._runtime, ignore_errors=True)


def make_folder(with_skin_folder=True):
    folder = tempfile.mkdtemp(prefix="vexa-system-")
    if with_skin_folder:
        os.mkdir(os.path.join(folder, "Graph"))
    return folder


def send_close_request(display, window):
    display.run(os.path.abspath(CLOSE_REQUEST), str(window))


TITLE = "Vexa Radio"
# A spot of the main window's background that no control covers (window coordinates).
BACKGROUND = (150, 100)
# The middle of the play button.
PLAY_BUTTON = (35, 72)


class PlayerTestCase(unittest.TestCase):
    window_manager = False

    def setUp(self):
        self.display = Display()
        self.addCleanup(self.display.close)
        if self.window_manager:
            self.display.start_window_manager()
        self.players = []

    def tearDown(self):
        result = self._outcome.result
        problems = getattr(result, "failures", []) + getattr(result, "errors", [])
        if any(test is self for test, _ in problems):
            print("\nscreenshot:", self.display.screenshot(self.id()))
            for player in self.players:
                print("program stderr:", player.stderr or "(not collected)")
        for player in self.players:
            player.stop()
            shutil.rmtree(player.folder, ignore_errors=True)

    def start(self, folder=None):
        player = Player(self.display, folder or make_folder())
        self.players.append(player)
        return player

    def start_with_window(self):
        player = self.start()
        window = self.display.wait_for_window(TITLE)
        return player, window

    def at(self, window, point):
        x, y, _, _ = self.display.geometry(window)
        return x + point[0], y + point[1]
