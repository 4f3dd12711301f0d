"""Runs the real program against a real X server of its own (Xvfb on a free display), and
drives it with xdotool. Every service a test starts is stopped by the test."""

import array
import os
import re
import select
import shutil
import struct
import subprocess
import tempfile
import time
import unittest

BUILD = os.environ.get("VEXA_BUILD", "build")
BINARY = os.environ.get("VEXA_BINARY", os.path.join(BUILD, "vexa-radio"))
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
    """An Xvfb server on a display number it picks itself; with tcp, clients may also reach it
    as tcp_name, through the loopback network."""

    def __init__(self, size="1024x768x24", tcp=False):
        read_end, write_end = os.pipe()
        # Without -noreset the server resets when its last client leaves and refuses the next
        # one for a moment: a program started again right after one ended could not connect.
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", size,
             "-listen" if tcp else "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        try:
            self.name = ":" + self._read_number(read_end)
        finally:
            os.close(read_end)
        self.tcp_name = "127.0.0.1" + self.name
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
        found = self.run("xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$",
                         check=False)
        ids = found.stdout.split()
        return int(ids[0]) if ids else None

    def find_untitled_window(self, program="vexa-radio"):
        """A visible window of the program without a title of its own (a popup list), or None.
        Qt names such windows after the program in _NET_WM_NAME only, which `xdotool search
        --name` does not see."""
        found = self.run("xdotool", "search", "--onlyvisible", "--class", program, check=False)
        for window in found.stdout.split():
            if self.run("xdotool", "getwindowname", window).stdout.strip() == program:
                return int(window)
        return None

    def wait_for_window(self, title, timeout=10.0):
        return wait_until(lambda: self.find_window(title), timeout, what=f"window {title!r}")

    def geometry(self, window):
        """(x, y, width, height) of the window's outer rectangle on the screen, None when the
        window is gone."""
        answer = self.run("xwininfo", "-id", str(window), check=False)
        if answer.returncode != 0:
            return None
        fields = {}
        info = answer.stdout
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def move(self, x, y):
        # `mousemove --sync` waits for the pointer to move, which it never does when it is
        # already there.
        where = self.xdotool("getmouselocation", "--shell")
        if f"X={x}\nY={y}\n" not in where:
            self.xdotool("mousemove", "--sync", x, y)

    def click(self, x, y, button=1):
        self.move(x, y)
        self.xdotool("click", button)

    def drag(self, start, end, steps=8):
        self.move(*start)
        self.xdotool("mousedown", 1)
        for i in range(1, steps + 1):
            self.move(start[0] + (end[0] - start[0]) * i // steps,
                      start[1] + (end[1] - start[1]) * i // steps)
        self.xdotool("mouseup", 1)

    def pixels(self, x, y, width, height):
        """The raw RGB bytes of a rectangle of the screen."""
        return subprocess.run(
            ["import", "-window", "root", "-crop", f"{width}x{height}+{x}+{y}", "-depth", "8",
             "rgb:-"], env=self.env(), capture_output=True, check=True).stdout

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

    def __init__(self, display, folder, env=None, prefix=(), program=BINARY):
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
        self.process = subprocess.Popen(list(prefix) + [os.path.abspath(program)], cwd=folder,
                                        env=environment,
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
        out, err = self.process.communicate()
        self.stdout += out
        self.stderr += err
        shutil.rmtree(self._runtime, ignore_errors=True)


REPOSITORY = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


def make_folder(with_skin_folder=True):
    """A fresh working folder for the player, with a copy of the default skin."""
    folder = tempfile.mkdtemp(prefix="vexa-system-")
    if with_skin_folder:
        shutil.copytree(os.path.join(REPOSITORY, "Graph"), os.path.join(folder, "Graph"))
    return folder


def send_close_request(display, window):
    display.run(os.path.abspath(CLOSE_REQUEST), str(window))


TITLE = "Vexa Radio"
PLAYLIST_TITLE = "Mp3_list"
# A spot of the main window's background that no control covers (window coordinates).
BACKGROUND = (150, 100)
# The middles of the main window's controls.
PLAY_BUTTON = (35, 72)
PAUSE_BUTTON = (80, 72)
STOP_BUTTON = (125, 72)
RECORD_BUTTON = (190, 72)
STATION_COMBO = (140, 130)
PLAYLIST_BUTTON = (290, 130)


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
        failed = any(test is self for test, _ in problems)
        if failed:
            print("\nscreenshot:", self.display.screenshot(self.id()))
        for player in self.players:
            player.stop()
            if failed:
                print("program stderr:", player.stderr or "(nothing)")
            shutil.rmtree(player.folder, ignore_errors=True)

    def start(self, folder=None, env=None, prefix=()):
        player = Player(self.display, folder or make_folder(), env=env, prefix=prefix)
        self.players.append(player)
        return player

    def start_with_window(self, folder=None, env=None, prefix=()):
        player = self.start(folder, env, prefix)
        window = self.display.wait_for_window(TITLE)
        return player, window

    def geometry(self, window):
        """The geometry of a window given by its id, or by its title, looked up afresh each
        time: the program opens the playlist window twice on its first showing (once to cut
        its shape), so the window found first by a title may be gone a moment later."""
        def answer():
            found = self.display.find_window(window) if isinstance(window, str) else window
            return found and self.display.geometry(found)
        return wait_until(answer, what=f"window {window!r}")

    def at(self, window, point):
        x, y, _, _ = self.geometry(window)
        return x + point[0], y + point[1]


ICY_SERVER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "integration",
                          "icy_server.py")


class Sink:
    """A private PulseAudio server whose only sink is a null sink, with its monitor recorded all
    along, so a test can ask how loud the last moments were."""

    RATE = 44100

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="vexa-pulse-")
        self.socket = os.path.join(self.folder, "native")
        config = os.path.join(self.folder, "null.pa")
        with open(config, "w") as f:
            f.write(f"load-module module-native-protocol-unix auth-anonymous=1 socket={self.socket}\n"
                    "load-module module-null-sink sink_name=nullsink\n"
                    "set-default-sink nullsink\n"
                    "set-default-source nullsink.monitor\n")
        env = {"HOME": self.folder, "PATH": os.environ.get("PATH", "/usr/bin:/bin")}
        self.server = subprocess.Popen(
            ["pulseaudio", "-n", "-F", config, "--daemonize=no", "--exit-idle-time=-1",
             "--disallow-exit", "--log-target=stderr"],
            env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: os.path.exists(self.socket), what="PulseAudio")
        self.recording = os.path.join(self.folder, "monitor.raw")
        # An idle null sink renders in 2 s blocks; a reader with a short latency keeps it live.
        self.recorder = subprocess.Popen(
            ["parec", "--latency-msec=10", "-d", "nullsink.monitor", "--format=s16le",
             f"--rate={self.RATE}", "--channels=1", "--raw", self.recording],
            env=self.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until(lambda: os.path.exists(self.recording), what="the monitor recording")

    def env(self):
        return {"PULSE_SERVER": f"unix:{self.socket}"}

    def last_samples(self, seconds):
        """The last `seconds` of sound at the sink."""
        wanted = int(seconds * self.RATE) * 2
        with open(self.recording, "rb") as f:
            f.seek(0, os.SEEK_END)
            size = f.tell() // 2 * 2
            f.seek(max(0, size - wanted))
            return array.array("h", f.read())

    def level(self, seconds=0.3):
        """RMS of the last `seconds` of sound at the sink, 0.0 to 1.0."""
        data = self.last_samples(seconds)
        if not data:
            return 0.0
        return (sum(s * s for s in data) / len(data)) ** 0.5 / 32768

    def frequency(self, seconds=0.3):
        """The main frequency of the last moments, from how often the signal crosses zero."""
        data = self.last_samples(seconds)
        crossings = sum(1 for a, b in zip(data, data[1:]) if (a < 0) != (b < 0))
        return crossings / 2 / seconds

    def wait_for_tone(self, hertz, timeout=5.0):
        return wait_until(lambda: self.level() > 0.02 and abs(self.frequency() - hertz) < hertz * 0.1,
                          timeout, what=f"a {hertz} Hz tone at the sink")

    def wait_for_sound(self, timeout=5.0):
        return wait_until(lambda: self.level() > 0.02, timeout, what="sound at the sink")

    def wait_for_silence(self, timeout=5.0):
        return wait_until(lambda: self.level() < 0.002, timeout, what="silence at the sink")

    def close(self):
        for process in (self.recorder, self.server):
            if process.poll() is None:
                process.terminate()
                process.wait(5)
        shutil.rmtree(self.folder, ignore_errors=True)


class StationNamespace:
    """A private mount and network namespace in which the given station hosts resolve to
    127.0.0.1 and loopback is the whole network: built-in stations can be served there without
    the internet, on their own ports."""

    def __init__(self, hosts):
        self.folder = tempfile.mkdtemp(prefix="vexa-net-")
        hosts_file = os.path.join(self.folder, "hosts")
        with open(hosts_file, "w") as f:
            f.write("127.0.0.1 localhost\n")
            for host in hosts:
                f.write(f"127.0.0.1 {host}\n")
        ready = os.path.join(self.folder, "ready")
        self.holder = subprocess.Popen(
            ["unshare", "--mount", "--net", "sh", "-c",
             f"mount --bind {hosts_file} /etc/hosts && ip link set lo up && touch {ready} "
             "&& exec sleep infinity"])
        wait_until(lambda: os.path.exists(ready), what="the station namespace")
        self.servers = []

    def command(self, args, cwd="/"):
        # Entering a mount namespace starts in its root: the working folder is named again.
        return (["nsenter", "-t", str(self.holder.pid), "--mount", "--net", f"--wd={cwd}", "--"] +
                list(args))

    def serve(self, port, mp3=None, stall=False):
        """Starts a loopback stream server on the port inside the namespace."""
        log = os.path.join(self.folder, f"server{port}.log")
        port_file = log + ".port"
        args = ["python3", ICY_SERVER, "--port", str(port), "--log", log,
                "--port-file", port_file, "--mp3", mp3 or ICY_SERVER]
        if stall:
            args.append("--stall")
        self.servers.append(subprocess.Popen(self.command(args), stdout=subprocess.DEVNULL,
                                             stderr=subprocess.DEVNULL))
        wait_until(lambda: os.path.exists(port_file), what=f"the server on port {port}")
        return log

    def close(self):
        for process in self.servers + [self.holder]:
            if process.poll() is None:
                process.terminate()
                process.wait(5)
        shutil.rmtree(self.folder, ignore_errors=True)


def make_tone(folder, name="tone.mp3", frequency=1000, seconds=4):
    path = os.path.join(folder, name)
    subprocess.run(["ffmpeg", "-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                    f"sine=frequency={frequency}:sample_rate=44100:duration={seconds}",
                    "-ac", "2", "-c:a", "libmp3lame", "-b:a", "128k", "-write_xing", "0", path],
                   check=True)
    return path


def write_settings(folder, station, volume, x=0, y=0, files=()):
    """A config.txt choosing a station, a volume and playlist files, as the player writes it."""
    entries = b"".join(os.path.basename(path).encode() + b"\r\n" + path.encode() + b"\r\n"
                       for path in files)
    with open(os.path.join(folder, "config.txt"), "wb") as f:
        f.write(struct.pack("<iii", station, x, y) + b"\r\n" + struct.pack("<i", len(files)) +
                entries + struct.pack("<i", volume))


# Item 1 of the directory, http://relay1.bide-et-musique.com:9100/
LIVE_STATION = 1
LIVE_HOST, LIVE_PORT, LIVE_NAME = "relay1.bide-et-musique.com", 9100, "Bide et musique"
# Item 2, http://icecast.radiofrance.fr/fbbourgogne-midfi.mp3, whose server never answers here.
DEAD_STATION = 2
DEAD_HOST, DEAD_PORT = "icecast.radiofrance.fr", 80


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

    def start_player(self, station=None):
        """The player in the test's folder; with a station, its settings choose it at volume 100,
        without one it starts as on a first run, or with what an earlier run saved."""
        if station is not None:
            write_settings(self.folder, station=station, volume=100)
        return self.start_with_window(self.folder, env=self.sink.env(),
                                      prefix=self.network.command([], cwd=self.folder))

    def click(self, window, point):
        self.display.click(*self.at(window, point))

    def pause_resume_stop(self, window):
        """Pause, Pause again and Stop on a playing station, each heard at the sink."""
        self.click(window, PAUSE_BUTTON)
        self.sink.wait_for_silence()
        self.click(window, PAUSE_BUTTON)
        self.sink.wait_for_sound()
        self.click(window, STOP_BUTTON)
        self.sink.wait_for_silence()

    def server_says(self, word):
        with open(self.server_log) as log:
            return word in log.read()


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
