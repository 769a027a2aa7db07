#!/usr/bin/env python3
"""Checks the small PNG reader and writer the art pipeline relies on: every row filter a PNG
encoder may choose decodes to the original pixels, RGB images come back opaque, damaged files
are refused, and compositing matches straight-alpha source-over."""

import os
import random
import struct
import tempfile
import unittest
import zlib

import pngio


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def encode(rows, channels, filters, declared_height=None):
    """An independent encoder that applies filters[y] to row y."""
    out, prev = b"", bytes(len(rows[0]))
    for y, row in enumerate(rows):
        kind = filters[y % len(filters)]
        enc = bytearray()
        for i, v in enumerate(row):
            a = row[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            pred = [0, a, b, (a + b) // 2, paeth(a, b, c)][kind]
            enc.append((v - pred) & 255)
        out += bytes([kind]) + bytes(enc)
        prev = row
    w = len(rows[0]) // channels

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    colour = 6 if channels == 4 else 2
    height = len(rows) if declared_height is None else declared_height
    ihdr = struct.pack(">IIBBBBB", w, height, 8, colour, 0, 0, 0)
    return pngio.SIGNATURE + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(out)) + chunk(b"IEND", b"")


class PngIoTest(unittest.TestCase):
    def setUp(self):
        seed = random.randrange(1 << 30)
        print(f"seed {seed}")
        self.rng = random.Random(seed)
        self.dir = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.dir.cleanup()

    def path(self, name, data=None):
        p = os.path.join(self.dir.name, name)
        if data is not None:
            with open(p, "wb") as f:
                f.write(data)
        return p

    def random_rows(self, w, h, channels):
        # Smooth ramps plus noise, so that the predictors see both easy and hard rows.
        return [bytes((x * 7 + y * 3 + self.rng.randrange(4)) & 255 for x in range(w * channels))
                for y in range(h)]

    def test_every_filter_decodes_rgba_and_rgb(self):
        for channels in (4, 3):
            rows = self.random_rows(9, 10, channels)
            w, h, got = pngio.read_rgba(self.path("f.png", encode(rows, channels, [0, 1, 2, 3, 4])))
            self.assertEqual((w, h), (9, 10))
            for y in range(h):
                if channels == 4:
                    self.assertEqual(bytes(got[y]), rows[y], f"row {y}")
                else:
                    for x in range(w):
                        self.assertEqual(bytes(got[y][4 * x:4 * x + 4]), rows[y][3 * x:3 * x + 3] + b"\xff")

    def test_written_file_reads_back_and_declares_rgba(self):
        rows = [bytearray(r) for r in self.random_rows(13, 7, 4)]
        p = self.path("w.png")
        pngio.write_rgba(p, 13, rows)
        with open(p, "rb") as f:
            self.assertEqual(pngio.header(f.read()), (13, 7, 8, 6, 0))
        _, _, got = pngio.read_rgba(p)
        self.assertEqual([bytes(r) for r in got], [bytes(r) for r in rows])

    def test_damaged_files_are_refused(self):
        good = encode(self.random_rows(4, 4, 4), 4, [0])
        flipped = bytearray(good)
        flipped[40] ^= 1  # inside the IDAT data: the CRC no longer matches
        short = encode(self.random_rows(4, 4, 4), 4, [0], declared_height=5)
        for data in (b"GIF89a" + good[6:], bytes(flipped), good[:30], short):
            with self.assertRaises(ValueError):
                pngio.read_rgba(self.path("bad.png", data))

    def test_over_composites_straight_alpha(self):
        self.assertEqual(pngio.over(bytes([10, 20, 30, 255]), bytes([200, 100, 0, 0])), bytes([10, 20, 30, 255]))
        self.assertEqual(pngio.over(bytes([10, 20, 30, 255]), bytes([200, 100, 0, 255])), bytes([200, 100, 0, 255]))
        # Half white over opaque black is mid grey, still opaque.
        self.assertEqual(pngio.over(bytes([0, 0, 0, 255]), bytes([255, 255, 255, 128])), bytes([128, 128, 128, 255]))
        # Over a clear pixel the source stays as it is.
        self.assertEqual(pngio.over(bytes(4), bytes([255, 255, 255, 26])), bytes([255, 255, 255, 26]))


if __name__ == "__main__":
    unittest.main()
