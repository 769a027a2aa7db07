#!/usr/bin/env python3
"""Composes a picture of the whole editor from the rendered images, placed and cropped the way
the editor draws them, to judge the art as a musician will see it. Writes an SVG that embeds
the PNGs; render it with rsvg-convert. Text stands in for the editor's own value texts.

Usage: mockup.py IMAGE_DIR OUT_SVG [default|active]
"""

import base64
import math
import os
import sys

import layout as L
from svg import FONT

STATES = {
    # value texts and normalised values of each control
    "default": dict(ftype=0.5, knobs=[("20Hz", 0.0), ("20%", 19 / 99), ("100%", 1.0),
                                       ("2/1", 15 / 27), ("90%", 0.9)],
                    wave=("Sine", 0.0), target=0.0, reset=False, marker=None, list_open=False),
    "active": dict(ftype=1.0, knobs=[("2000Hz", math.sqrt(1980 / 19980)), ("50%", 49 / 99),
                                      ("80%", 0.8), ("1/4", 6 / 27), ("60%", 0.6)],
                   wave=("Saw Rev", 0.6), target=1 / 3, reset=True, marker=10010.0, list_open=True),
    # the longest texts every control can show
    "widest": dict(ftype=0.0, knobs=[("20000Hz", 1.0), ("100%", 1.0), ("100%", 0.0),
                                      ("16/1D", 26 / 27), ("100%", 1.0)],
                   wave=("Sine Half 2", 1.0), target=2 / 3, reset=False, marker=20000.0, list_open=False),
}


class Composer:
    def __init__(self, img_dir):
        self.uris = {}
        for img in L.IMAGES:
            with open(os.path.join(img_dir, img.name + ".png"), "rb") as f:
                self.uris[img.name] = "data:image/png;base64," + base64.b64encode(f.read()).decode()
        self.parts = []

    def crop(self, name, dest, src_x, src_y):
        """Draws the source rectangle starting at (src_x, src_y) into dest (l, t, r, b)."""
        img = L.image(name)
        l, t, r, b = dest
        self.parts.append(
            f'<svg x="{l}" y="{t}" width="{r - l}" height="{b - t}" viewBox="{src_x} {src_y} {r - l} {b - t}" '
            f'overflow="hidden"><image width="{img.width}" height="{img.height}" href="{self.uris[name]}" '
            '/></svg>')

    def value_text(self, text, left, right, top, size=14, alpha=200):
        em = size / 1.117  # the editor asks for a 14-pixel cell, ascent plus descent
        self.parts.append(
            f'<text x="{(left + right) / 2}" y="{top + 0.905 * em:.2f}" font-family="{FONT}" font-size="{em:.2f}" '
            f'text-anchor="middle" fill="#ffffff" fill-opacity="{alpha / 255:.3f}">{text}</text>')

    def svg(self):
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{L.EDITOR_W}" height="{L.EDITOR_H}">'
                + "".join(self.parts) + "</svg>\n")


def frame_offset(size, frame, frames):
    return int(size * (frame - 1) / frames + 0.5) if frame > 1 else 0


def pick_frame(value, frames):
    return max(1, min(frames, int((frames - 1) * value + 0.5) + 1))


def compose(c, state):
    c.crop("bg", (0, 0, 395, 248), 0, 0)
    l, t, r, _ = L.VERSION_TEXT
    em = 13 / 1.215
    c.parts.append(f'<text x="{r}" y="{t + 1.005 * em:.2f}" font-family="{FONT}" font-size="{em:.2f}" '
                   f'text-anchor="end" fill="#fff" fill-opacity="{55 / 255:.3f}">v1.30</text>')

    l, t, r, b = L.FILTER_TYPE
    s = round(2 * state["ftype"] * 72 / 3)
    c.crop("flt_tp", (l + s, t, l + s + 24, b), s, 0)

    for (name, (cx, cy), rect), (text, value) in zip(L.ROT_KNOBS, state["knobs"]):
        c.value_text(text, rect[0], rect[2], rect[3] - L.VALUE_TEXT_SIZE)
        c.crop("knob", (cx - 20, cy - 20, cx + 20, cy + 20), 40, 0)
        angle = -150 + 300 * value
        c.parts.append(f'<g transform="translate({cx - 20},{cy - 20}) rotate({angle} 20 20)">')
        c.crop("knob", (0, 0, 40, 40), 0, 0)
        c.parts.append("</g>")

    _, (cx, cy), rect = L.WAVE_KNOB
    text, value = state["wave"]
    c.value_text(text, rect[0], rect[2], rect[3] - L.VALUE_TEXT_SIZE)
    frame = pick_frame(value, 6)
    top, bottom = rect[1], rect[3] - L.WAVE_TEXT_GAP - L.VALUE_TEXT_SIZE
    c.crop("wave", (cx - 16, top, cx + 16, bottom), frame_offset(192, frame, 6), 0)

    l, t, r, b = L.LFO_TARGET
    frame = pick_frame(state["target"], 4)
    c.crop("lfo1_tg", (l, t + 1, l + 72, t + 12), 0, frame_offset(48, frame, 4))

    if state["reset"]:
        l, t, r, b = L.LFO_RESET
        c.crop("reset", (l, t, r, b), 0, 0)

    if state["marker"] is not None:
        x = int((state["marker"] - 20) * 150 / (20000 - 20) + 208 + 0.5)
        c.parts.append(f'<rect x="{x}" y="213" width="6" height="2" fill="#fff" fill-opacity="{150 / 255:.3f}"/>')
    c.crop("mask", (0, 211, 395, 217), 0, 0)

    if state["list_open"]:
        l, t, r, b = L.LFO_TARGET
        c.crop("lfo1_tg_", (l, b - 1, l + 72, b - 1 + 48), 0, 0)


def main(argv):
    if len(argv) not in (3, 4):
        sys.stderr.write(__doc__)
        return 2
    c = Composer(argv[1])
    compose(c, STATES[argv[3] if len(argv) == 4 else "default"])
    with open(argv[2], "w", encoding="utf-8") as f:
        f.write(c.svg())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
