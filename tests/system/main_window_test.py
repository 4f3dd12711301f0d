"""The real program under Xvfb: start-up checks, the main window, the ways out."""

import os
import time
import unittest

from harness import (BACKGROUND, PLAY_BUTTON, TITLE, Player, PlayerTestCase, make_folder,
                     send_close_request, wait_until)


class StartUpTest(PlayerTestCase):
    def test_without_skin_folder_one_message_then_exit_code_0_and_nothing_created(self):
        cases = {"no Graph": lambda folder: None,
                 "Graph is a file": lambda folder: open(os.path.join(folder, "Graph"), "w").close()}
        for what, prepare in cases.items():
            with self.subTest(what):
                folder = make_folder(with_skin_folder=False)
                prepare(folder)
                before = sorted(os.listdir(folder))
                player = self.start(folder)

                box = self.display.wait_for_window("erreur")
                self.assertIsNone(self.display.find_window(TITLE))
                self.display.xdotool("windowfocus", "--sync", box, "key", "Return")

                self.assertEqual(player.wait_exit(), 0)
                self.assertEqual(sorted(os.listdir(folder)), before)

    def test_without_x_display_says_so_and_ends_with_status_1(self):
        player = Player(None, make_folder(), env={"DISPLAY": ":65000"})
        self.players.append(player)
        self.assertEqual(player.wait_exit(), 1)
        self.assertIn("X display", player.stderr)


class MainWindowTest(PlayerTestCase):
    def test_opens_a_borderless_300_by_140_window_at_the_origin(self):
        _, window = self.start_with_window()

        self.assertEqual(self.display.geometry(window), (0, 0, 300, 140))
        # No frame: the window is a direct child of the root window, without decorations.
        tree = self.display.run("xwininfo", "-children", "-id", str(window)).stdout
        self.assertIn("Root window id", tree)
        hints = self.display.run("xprop", "-id", str(window), "_MOTIF_WM_HINTS").stdout
        self.assertRegex(hints, r"= 0x2, 0x\w+, 0x0")

    def test_a_right_press_on_a_control_keeps_it_running_and_on_the_background_ends_it(self):
        player, window = self.start_with_window()

        self.display.click(*self.at(window, PLAY_BUTTON), button=3)
        # The program is still there and still handles the mouse: a drag moves the window.
        self.display.drag(self.at(window, BACKGROUND), (400, 300))
        wait_until(lambda: self.display.geometry(window)[:2] == (250, 200), what="the move")
        self.assertTrue(player.running())

        self.display.click(*self.at(window, BACKGROUND), button=3)
        self.assertEqual(player.wait_exit(), 0)

    def test_a_close_request_ends_the_program_in_order(self):
        player, window = self.start_with_window()
        asked = time.monotonic()

        send_close_request(self.display, window)

        self.assertEqual(player.wait_exit(), 0)
        self.assertGreaterEqual(time.monotonic() - asked, 0.5)
        self.assertTrue(os.path.isdir(os.path.join(player.folder, "Graph")))


class DragTest(PlayerTestCase):
    def test_a_left_drag_on_the_background_moves_the_window_with_the_pointer(self):
        _, window = self.start_with_window()

        self.display.drag(self.at(window, BACKGROUND), (500, 400))
        wait_until(lambda: self.display.geometry(window)[:2] == (350, 300), what="the move")

        # A drag that starts on a control moves nothing.
        self.display.drag(self.at(window, PLAY_BUTTON), (10, 10))
        self.display.drag(self.at(window, BACKGROUND), (510, 420))
        wait_until(lambda: self.display.geometry(window)[:2] == (360, 320), what="the move")


class DragUnderWindowManagerTest(DragTest):
    window_manager = True


if __name__ == "__main__":
    unittest.main()
