#!/usr/bin/env python3
"""Completes the image set after rendering: rewrites every image as 8-bit RGBA (rsvg-convert
drops the alpha channel of opaque images; one pixel format keeps the decoder's job simple), cuts
the mask from the background and checks that every image has exactly the size the editor expects.

The mask repeats the background's pixels over the position strip's rows, with the slot's inside
left clear and a gloss on top: a marker that strays outside the slot is hidden, one inside it
looks as if it sat under glass.

Usage: finish.py IMAGE_DIR GLASS_PNG
"""

import os
import sys

import layout as L
import pngio

# The slot's inside, where the marker must stay visible (columns x0..x1-1, rows y0..y1-1).
WINDOW = (206, 212, 366, 216)


def make_mask(img_dir, glass_png):
    _, _, bg = pngio.read_rgba(os.path.join(img_dir, "bg.png"))
    gw, gh, glass = pngio.read_rgba(glass_png)
    y0, y1 = L.STRIP[1], L.STRIP[3]
    if (gw, gh) != (L.EDITOR_W, y1 - y0):
        raise ValueError("glass overlay has the wrong size")
    rows = []
    for y in range(y0, y1):
        row = bytearray(bg[y])
        for x in range(L.EDITOR_W):
            px = slice(4 * x, 4 * x + 4)
            if WINDOW[0] <= x < WINDOW[2] and WINDOW[1] <= y < WINDOW[3]:
                row[px] = bytes(4)
            row[px] = pngio.over(row[px], glass[y - y0][px])
        rows.append(row)
    pngio.write_rgba(os.path.join(img_dir, "mask.png"), L.EDITOR_W, rows)


def normalise(img_dir):
    for img in L.IMAGES:
        path = os.path.join(img_dir, img.name + ".png")
        if img.name != "mask" and os.path.exists(path):
            w, _, rows = pngio.read_rgba(path)
            pngio.write_rgba(path, w, rows)


def check(img_dir):
    """Every image decodes and has its exact size; frames divide it evenly."""
    ok = True
    for img in L.IMAGES:
        path = os.path.join(img_dir, img.name + ".png")
        w, h, _ = pngio.read_rgba(path)
        frames_fit = (img.width % img.frames == 0) or (img.height % img.frames == 0)
        if (w, h) != (img.width, img.height) or not frames_fit:
            print(f"{path}: {w} x {h}, expected {img.width} x {img.height} in {img.frames} frames")
            ok = False
        else:
            print(f"{img.res_id} {img.name}.png {w} x {h}, {img.frames} frame(s)")
    return ok


def main(argv):
    if len(argv) != 3:
        sys.stderr.write(__doc__)
        return 2
    normalise(argv[1])
    make_mask(argv[1], argv[2])
    return 0 if check(argv[1]) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
