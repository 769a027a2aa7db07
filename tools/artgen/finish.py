#!/usr/bin/env python3
"""Completes the image set after rendering: rewrites every image as 8-bit RGBA (rsvg-convert
drops the alpha channel of opaque images; one pixel format keeps the decoder's job simple), cuts
the mask from the background and checks that every image has exactly the size the editor expects.

The mask repeats the background's pixels over the position strip's rows, with the slot's inside
left clear and a gloss on top: a marker that strays outside the slot is hidden, one inside it
looks as if it sat under glass.

The large set (SCALE 2) is the same images rendered at twice the size; every size and
position is then multiplied by SCALE.

Usage: finish.py IMAGE_DIR GLASS_PNG [SCALE]
"""

import os
import sys

import layout as L
import pngio

# The slot's inside, where the marker must stay visible (columns x0..x1-1, rows y0..y1-1).
WINDOW = (206, 212, 366, 216)


def make_mask(img_dir, glass_png, scale=1):
    _, _, bg = pngio.read_rgba(os.path.join(img_dir, "bg.png"))
    gw, gh, glass = pngio.read_rgba(glass_png)
    width = L.EDITOR_W * scale
    y0, y1 = L.STRIP[1] * scale, L.STRIP[3] * scale
    window = [v * scale for v in WINDOW]
    if (gw, gh) != (width, y1 - y0):
        raise ValueError("glass overlay has the wrong size")
    rows = []
    for y in range(y0, y1):
        row = bytearray(bg[y])
        for x in range(width):
            px = slice(4 * x, 4 * x + 4)
            if window[0] <= x < window[2] and window[1] <= y < window[3]:
                row[px] = bytes(4)
            row[px] = pngio.over(row[px], glass[y - y0][px])
        rows.append(row)
    pngio.write_rgba(os.path.join(img_dir, "mask.png"), width, rows)


def normalise(img_dir):
    for img in L.IMAGES:
        path = os.path.join(img_dir, img.name + ".png")
        if img.name != "mask" and os.path.exists(path):
            w, _, rows = pngio.read_rgba(path)
            pngio.write_rgba(path, w, rows)


def check(img_dir, scale=1):
    """Every image decodes and has its exact size; frames divide it evenly."""
    ok = True
    for img in L.IMAGES:
        path = os.path.join(img_dir, img.name + ".png")
        w, h, _ = pngio.read_rgba(path)
        expected = (img.width * scale, img.height * scale)
        frames_fit = (img.width % img.frames == 0) or (img.height % img.frames == 0)
        if (w, h) != expected or not frames_fit:
            print(f"{path}: {w} x {h}, expected {expected[0]} x {expected[1]} in {img.frames} frames")
            ok = False
        else:
            print(f"{img.res_id} {img.name}.png {w} x {h}, {img.frames} frame(s)")
    return ok


def main(argv):
    if len(argv) not in (3, 4):
        sys.stderr.write(__doc__)
        return 2
    scale = int(argv[3]) if len(argv) == 4 else 1
    normalise(argv[1])
    make_mask(argv[1], argv[2], scale)
    return 0 if check(argv[1], scale) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
