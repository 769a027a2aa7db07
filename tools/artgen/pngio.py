"""Just enough PNG to read what rsvg-convert writes (8-bit RGB or RGBA, not interlaced) and to
write 8-bit RGBA back. Pixels are rows of bytearrays, four bytes per pixel."""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunks(data):
    if data[:8] != SIGNATURE:
        raise ValueError("not a PNG file")
    pos = 8
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if pos + 12 + length > len(data):
            raise ValueError("truncated chunk")
        body = data[pos + 8:pos + 8 + length]
        crc = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])[0]
        if zlib.crc32(kind + body) != crc:
            raise ValueError("bad CRC in " + kind.decode("latin-1"))
        yield kind, body
        pos += 12 + length


def header(data):
    """(width, height, bit depth, colour type, interlace) from the IHDR chunk."""
    kind, body = next(chunks(data))
    if kind != b"IHDR" or len(body) != 13:
        raise ValueError("IHDR must come first")
    w, h, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
    return w, h, depth, colour, interlace


def read_rgba(path):
    with open(path, "rb") as f:
        data = f.read()
    w, h, depth, colour, interlace = header(data)
    if depth != 8 or colour not in (2, 6) or interlace != 0:
        raise ValueError(f"{path}: expected 8-bit RGB or RGBA, not interlaced")
    channels = 4 if colour == 6 else 3
    try:
        raw = zlib.decompress(b"".join(body for kind, body in chunks(data) if kind == b"IDAT"))
    except zlib.error as e:
        raise ValueError(f"{path}: bad image data ({e})") from None
    stride = w * channels
    if len(raw) != h * (stride + 1):
        raise ValueError(f"{path}: image data does not fill {w} x {h}")
    rows, prev = [], bytearray(stride)
    for y in range(h):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = prev[i]
            c = prev[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
            elif kind != 0:
                raise ValueError(f"{path}: bad filter type {kind}")
        prev = line
        if channels == 3:
            opaque = bytearray(w * 4)
            for x in range(w):
                opaque[4 * x:4 * x + 4] = line[3 * x:3 * x + 3] + b"\xff"
            line = opaque
        rows.append(line)
    return w, h, rows


def write_rgba(path, w, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

    raw = b"".join(_filtered(r, p) for r, p in zip(rows, [bytes(len(rows[0]))] + rows[:-1]))
    ihdr = struct.pack(">IIBBBBB", w, len(rows), 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(SIGNATURE + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def _filtered(row, prev):
    """The row with whichever of the None, Sub and Up filters leaves the smallest residues."""
    row = bytes(row)
    candidates = [b"\x00" + row,
                  b"\x01" + bytes((row[i] - (row[i - 4] if i >= 4 else 0)) & 255 for i in range(len(row))),
                  b"\x02" + bytes((row[i] - prev[i]) & 255 for i in range(len(row)))]
    return min(candidates, key=lambda c: sum(v if v < 128 else 256 - v for v in c[1:]))


def over(dst, src):
    """Source-over of one straight-alpha RGBA pixel onto another, both 4-byte sequences."""
    sa, da = src[3] / 255, dst[3] / 255
    oa = sa + da * (1 - sa)
    if oa == 0:
        return bytes(4)
    out = [round((src[k] * sa + dst[k] * da * (1 - sa)) / oa) for k in range(3)]
    return bytes(out + [round(oa * 255)])
