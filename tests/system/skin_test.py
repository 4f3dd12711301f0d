"""The shaped, skin-painted window of the real program, checked on the X server itself."""

import os
import struct
import subprocess

from harness import PlayerTestCase, make_folder, wait_until

SHAPE_RECTS = os.environ.get("VEXA_SHAPE_RECTS", "build/tests/x_shape_rects")
WIDTH, HEIGHT = 300, 140
WHITE = (255, 255, 255)
HOLE = (140, 90, 160, 105)  # left, top, right, bottom (exclusive): a white patch in the middle


def skin_pixel(x, y):
    """A colour that tells every position apart and is never white."""
    if in_hole(x, y) or in_corner(x, y):
        return WHITE
    return (x % 256, y, (x * 7 + y) % 256)


def in_hole(x, y):
    return HOLE[0] <= x < HOLE[2] and HOLE[1] <= y < HOLE[3]


def in_corner(x, y):
    """Rounded corners of radius 6."""
    for cx, cy in ((6, 6), (WIDTH - 7, 6), (6, HEIGHT - 7), (WIDTH - 7, HEIGHT - 7)):
        if (x < 6 or x >= WIDTH - 6) and (y < 6 or y >= HEIGHT - 6):
            if abs(x - cx) <= 6 and abs(y - cy) <= 6 and (x - cx) ** 2 + (y - cy) ** 2 > 36:
                return True
    return False


def write_bmp(path):
    """A 24-bit BMP: the loader goes by content, whatever the file is called."""
    row_size = (WIDTH * 3 + 3) // 4 * 4
    rows = []
    for y in reversed(range(HEIGHT)):
        row = b"".join(bytes((b, g, r)) for r, g, b in (skin_pixel(x, y) for x in range(WIDTH)))
        rows.append(row + b"\0" * (row_size - len(row)))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + pixels)


def expected_kept():
    """Every white run of a column goes, and the pixel below it."""
    kept = set()
    for x in range(WIDTH):
        y = 0
        while y < HEIGHT:
            if skin_pixel(x, y) != WHITE:
                kept.add((x, y))
                y += 1
                continue
            while y < HEIGHT and skin_pixel(x, y) == WHITE:
                y += 1
            y += 1  # the first pixel under the run is cut too
    return kept


class ShapedWindowTest(PlayerTestCase):
    def setUp(self):
        super().setUp()
        self.folder = make_folder()
        write_bmp(os.path.join(self.folder, "Graph", "skin.jpg"))
        self.player = self.start(self.folder)
        self.window = self.display.wait_for_window("Vexa Radio")

    def shape(self):
        out = self.display.run(os.path.abspath(SHAPE_RECTS), str(self.window)).stdout
        kept = set()
        for line in out.split("\n"):
            if line:
                x, y, w, h = map(int, line.split())
                kept.update((i, j) for i in range(x, x + w) for j in range(y, y + h))
        return kept

    def screen(self):
        raw = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                             env=self.display.env(), capture_output=True, check=True).stdout
        width = len(raw) // 3 // 768
        return lambda x, y: tuple(raw[(y * width + x) * 3:(y * width + x) * 3 + 3])

    def test_the_window_has_the_skins_outline_on_the_x_server(self):
        wait_until(lambda: self.shape() == expected_kept(), what="the window's shape")

    def test_the_skin_is_painted_from_pixel_one_one_with_a_black_first_row_and_column(self):
        # Spots no control covers, below the drawing surface.
        for x, y in ((60, 95), (250, 100), (120, 57), (20, 100)):
            wait_until(lambda: self.screen()(x, y) == skin_pixel(x - 1, y - 1),
                       what=f"window pixel ({x}, {y})")
        pixel = self.screen()
        for x, y in ((10, 0), (150, 0), (0, 70), (0, 100)):
            self.assertEqual(pixel(x, y), (0, 0, 0), f"window pixel ({x}, {y})")

    def test_a_click_in_a_cut_out_goes_to_the_window_below(self):
        wait_until(lambda: self.shape() == expected_kept(), what="the window's shape")
        self.display.click(150, 97, button=3)  # the hole: had the player got it, it would end

        # Still there and still handling the mouse: a drag moves it.
        self.display.drag((200, 100), (300, 200))
        wait_until(lambda: self.display.geometry(self.window)[:2] == (100, 100), what="the move")
        self.assertTrue(self.player.running())
        self.display.click(*self.at(self.window, (200, 100)), button=3)
        self.assertEqual(self.player.wait_exit(), 0)
