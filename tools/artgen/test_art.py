#!/usr/bin/env python3
"""Checks the rendered images against what the editor does with them: where it draws, what it
leaves out, what must cover what. Reads resources/img (or the folder given as QUIVORANT_IMG)."""

import math
import os
import unittest

import layout as L
import pngio

HERE = os.path.dirname(os.path.abspath(__file__))
IMG = os.environ.get("QUIVORANT_IMG", os.path.join(HERE, "..", "..", "resources", "img"))


def load(name):
    _, _, rows = pngio.read_rgba(os.path.join(IMG, name + ".png"))
    return rows


def px(rows, x, y):
    return tuple(rows[y][4 * x:4 * x + 4])


def alpha(rows, x, y):
    return rows[y][4 * x + 3]


def is_amber(p):
    r, g, b, a = p
    return a > 60 and r > 150 and r > b + 80


class ArtTest(unittest.TestCase):
    def test_mask_repeats_background_and_clears_the_marker_path(self):
        bg, mask = load("bg"), load("mask")
        y0 = L.STRIP[1]
        track = range(L.MARKER_X0, L.MARKER_X1 + L.MARKER_W)
        for y in range(len(mask)):
            for x in range(L.EDITOR_W):
                on_marker = x in track and L.MARKER_Y0 <= y0 + y < L.MARKER_Y1
                if on_marker:
                    self.assertLess(alpha(mask, x, y), 40, f"marker hidden at {x},{y0 + y}")
                elif not (200 <= x < 372):
                    self.assertEqual(px(mask, x, y), px(bg, x, y0 + y), f"mask differs at {x},{y0 + y}")

    def test_knob_pointer_turns_about_the_centre_and_points_up(self):
        knob = load("knob")
        total = sx = sy = 0.0
        for y in range(L.KNOB_SIZE):
            for x in range(L.KNOB_SIZE):
                a = alpha(knob, x, y)
                total, sx, sy = total + a, sx + a * (x + 0.5), sy + a * (y + 0.5)
        self.assertGreater(total, 0)
        self.assertAlmostEqual(sx / total, 20.0, delta=0.25)  # no wobble when it rotates
        self.assertLess(sy / total, 16.0)                     # straight up at the centre value
        # The body leaves its corners clear for the socket's scale and is solid in the middle.
        for x, y in ((40, 0), (79, 0), (40, 39), (79, 39), (41, 20), (78, 20)):
            self.assertEqual(alpha(knob, x, y), 0, f"body corner {x},{y}")
        self.assertEqual(alpha(knob, 60, 20), 255)

    def test_wave_frames_follow_the_wave_order(self):
        """Frame i draws one cycle of LFO wave i across columns 4..28, low at row 24, high at 8."""
        levels = [lambda t: (math.sin((2 * t + 1.5) * math.pi) + 1) / 2,
                  lambda t: 2 * (1 - t) if t > 0.5 else 2 * t,
                  lambda t: 3 * (1 - t) if t > 2 / 3 else 1.5 * t,
                  lambda t: 1.5 * (1 - t) if t > 1 / 3 else 3 * t,
                  lambda t: math.sin(t * math.pi),
                  lambda t: 1 - math.sin(t * math.pi)]
        wave = load("wave")
        for i, level in enumerate(levels):
            for col in (6, 9, 12, 16, 20, 23, 26):
                x = 32 * i + col
                rows = [y for y in range(32) if is_amber(px(wave, x, y))]
                self.assertTrue(rows, f"{L.WAVE_NAMES[i]}: no curve in column {col}")
                t = (col + 0.5 - 4) / 24
                expected = 24 - 16 * level(t)
                self.assertLess(min(rows) - 1.5, expected, f"{L.WAVE_NAMES[i]} at column {col}")
                self.assertGreater(max(rows) + 1.5, expected, f"{L.WAVE_NAMES[i]} at column {col}")

    def test_selected_filter_type_covers_the_idle_button(self):
        sel = load("flt_tp")
        for x in range(72):
            for y in range(13):
                corner = (x < 3 or x > 68) and (y < 3 or y > 9)  # the rounded ends
                if not corner:
                    self.assertEqual(alpha(sel, x, y), 255, f"see-through at {x},{y}")

    def test_target_texts_fit_the_box(self):
        """Only rows 0..10 of each frame are shown, and the box's arrow sits at columns 61..68."""
        closed = load("lfo1_tg")
        for f in range(4):
            inked = [(x, y) for y in range(12) for x in range(72) if alpha(closed, x, 12 * f + y) > 0]
            self.assertTrue(inked, L.TARGET_NAMES[f])
            self.assertLessEqual(max(y for _, y in inked), 10, L.TARGET_NAMES[f])
            self.assertLess(max(x for x, _ in inked), 60, L.TARGET_NAMES[f])

    def test_open_list_and_pressed_reset_are_solid(self):
        lst = load("lfo1_tg_")
        self.assertTrue(all(alpha(lst, x, y) == 255 for y in range(48) for x in range(72)))
        reset = load("reset")
        self.assertEqual(alpha(reset, 7, 7), 255)
        self.assertEqual(alpha(reset, 0, 0), 0)
        self.assertTrue(is_amber(px(reset, 7, 7)) or is_amber(px(reset, 7, 8)))


if __name__ == "__main__":
    unittest.main()
