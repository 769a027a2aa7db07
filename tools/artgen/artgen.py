#!/usr/bin/env python3
"""Writes the SVG sources of the editor's images (resources/art/*.svg).

A dark anodised panel with amber as the one accent colour. Every control's unselected look is
part of the background, and each control image carries only what changes: the lit radio button,
the pressed reset button, the knob's pointer, the text in the target box. The mask over the
position strip is cut from the rendered background afterwards (finish.py), so it is not here.

Usage: artgen.py OUTPUT_DIR
"""

import math
import os
import sys

import layout as L
from svg import FONT, blur, document, hline, linear, radial, text, vline

ACCENT = "#ff9f38"
ACCENT_HOT = "#ffd29a"
LABEL = "#8e949d"
LABEL_DIM = "#5f656d"
INK = "#d9dde2"
EDGE = "#070808"


# ---------------------------------------------------------------- shared pieces

def radio_group(x, y, lit):
    """The three filter-type buttons as one 72 x 13 strip; `lit` draws every button selected
    (the editor shows one slice of that strip over the unlit background)."""
    g = "rl" if lit else "ru"
    defs = linear(g + "f", [(0, "#3b2b19"), (1, "#24190e")] if lit
                  else [(0, "#30333a"), (1, "#1f2125")])
    defs += blur(g + "b", 1.1)
    w, h = 72, 13
    body = f'<g transform="translate({x},{y})">\n'
    body += (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="2.5" '
             f'fill="url(#{g}f)" stroke="{EDGE}"/>\n')
    body += hline(2, w - 2, 1, "#ffffff", 0.10 if not lit else 0.0)
    if lit:
        body += hline(2, w - 2, 1, ACCENT, 0.55)
    for i in (1, 2):
        body += vline(24 * i - 1, 1, h - 1, EDGE)
        body += vline(24 * i, 2, h - 1, "#ffffff", 0.05)
    for i, name in enumerate(L.FILTER_TYPES):
        cx = 24 * i + 12
        if lit:
            body += text(cx, 9.5, name, 8, ACCENT, "middle", "bold", 0.6,
                         f'filter="url(#{g}b)" opacity="0.9"')
        body += text(cx, 9.5, name, 8, ACCENT_HOT if lit else LABEL, "middle", "bold", 0.6)
    body += "</g>\n"
    return defs, body


def reset_button(cx, cy, lit):
    g = "bl" if lit else "bu"
    defs = linear(g + "r", [(0, "#5a5e66"), (1, "#17181b")])
    if lit:
        defs += radial(g + "c", [(0, "#fff1d6"), (0.45, ACCENT), (1, "#9c5210")], 0.5, 0.4, 0.6)
    else:
        defs += radial(g + "c", [(0, "#2a2c30"), (1, "#111214")], 0.5, 0.35, 0.65)
    body = f'<circle cx="{cx}" cy="{cy}" r="7" fill="url(#{g}r)" stroke="{EDGE}"/>\n'
    body += f'<circle cx="{cx}" cy="{cy}" r="4.6" fill="url(#{g}c)" stroke="#000" stroke-opacity="0.7"/>\n'
    if not lit:
        body += (f'<path d="M{cx - 3.6},{cy + 1.2} A3.8,3.8 0 0 0 {cx + 3.6},{cy + 1.2}" fill="none" '
                 f'stroke="#ffffff" stroke-opacity="0.08"/>\n')
    return defs, body


def knob_socket(cx, cy):
    """The well a knob sits in and its 300-degree scale."""
    body = f'<circle cx="{cx}" cy="{cy}" r="16.5" fill="url(#well)"/>\n'
    body += f'<circle cx="{cx}" cy="{cy + 0.5}" r="16.5" fill="none" stroke="#ffffff" stroke-opacity="0.06"/>\n'
    body += f'<circle cx="{cx}" cy="{cy}" r="16.5" fill="none" stroke="#000" stroke-opacity="0.55"/>\n'
    for k in range(11):
        a = math.radians(-150 + 30 * k)
        major = k in (0, 5, 10)
        r0, r1 = (17.6, 21.0) if major else (17.8, 19.8)
        x0, y0 = cx + r0 * math.sin(a), cy - r0 * math.cos(a)
        x1, y1 = cx + r1 * math.sin(a), cy - r1 * math.cos(a)
        colour = "#a3a9b1" if major else "#60666e"
        body += (f'<line x1="{x0:.2f}" y1="{y0:.2f}" x2="{x1:.2f}" y2="{y1:.2f}" stroke="{colour}" '
                 f'stroke-width="1.1" stroke-linecap="round"/>\n')
    return body


def wave_points(index, n=96):
    """One cycle of LFO wave `index`, as (phase, level) both 0..1, corners kept exact."""
    corners = {1: [(0, 0), (0.5, 1), (1, 0)],
               2: [(0, 0), (2 / 3, 1), (1, 0)],
               3: [(0, 0), (1 / 3, 1), (1, 0)]}
    if index in corners:
        return corners[index]
    shapes = {0: lambda t: (1 - math.cos(2 * math.pi * t)) / 2,
              4: lambda t: math.sin(math.pi * t),
              5: lambda t: 1 - math.sin(math.pi * t)}
    return [(i / n, shapes[index](i / n)) for i in range(n + 1)]


def panel(x0, y0, x1, y1):
    w, h = x1 - x0, y1 - y0
    s = (f'<rect x="{x0 + 0.5}" y="{y0 + 0.5}" width="{w - 1}" height="{h - 1}" rx="5" '
         f'fill="url(#panel)" stroke="#000" stroke-opacity="0.75"/>\n')
    s += (f'<rect x="{x0 + 1}" y="{y0 + 1}" width="{w - 2}" height="{h - 2}" rx="4.5" '
          f'filter="url(#grain)"/>\n')
    s += hline(x0 + 4, x1 - 4, y0 + 1, "#000", 0.35)
    s += hline(x0 + 4, x1 - 4, y1, "#ffffff", 0.06)
    return s


def screw(cx, cy):
    s = f'<circle cx="{cx}" cy="{cy}" r="3.6" fill="url(#screw)" stroke="#000" stroke-opacity="0.8"/>\n'
    s += (f'<path d="M{cx - 2.2},{cy + 1.2} L{cx + 2.2},{cy - 1.2}" stroke="#0b0c0d" '
          f'stroke-width="1.1"/>\n')
    return s


def section_title(x, y, title, line_to):
    s = text(x, y, title, 9, ACCENT, "start", "bold", 1.8)
    width = len(title) * 8.2
    s += hline(round(x + width + 4), line_to, y - 3, "#ffffff", 0.07)
    s += hline(round(x + width + 4), line_to, y - 2, "#000", 0.35)
    return s


def label(x, y, content, anchor="middle"):
    return text(x, y, content, 7.5, LABEL, anchor, "bold", 1.1)


# ---------------------------------------------------------------- the images

def background():
    defs = linear("plate", [(0, "#2c2f34"), (1, "#1a1c1f")])
    defs += linear("header", [(0, "#34373d"), (0.5, "#2a2d32"), (1, "#222428")])
    defs += linear("panel", [(0, "#1b1d20"), (1, "#141517")])
    defs += radial("well", [(0, "#08090a"), (0.85, "#111214"), (1, "#1a1b1e")])
    defs += radial("screw", [(0, "#6d7178"), (1, "#2a2c30")], 0.4, 0.35, 0.7)
    defs += linear("brand", [(0, "#ffffff"), (1, "#b4b9c0")])
    defs += linear("tbox", [(0, "#0b0c0d"), (1, "#141517")])
    defs += linear("bezel", [(0, "#08090a"), (1, "#1b1c1f")])
    defs += ('<filter id="brushed" x="0" y="0" width="100%" height="100%">'
             '<feTurbulence type="fractalNoise" baseFrequency="0.004 0.9" numOctaves="2" seed="7"/>'
             '<feColorMatrix type="matrix" values="0 0 0 0 1  0 0 0 0 1  0 0 0 0 1  0 0 0 0.09 0"/>'
             '</filter>\n')
    defs += ('<filter id="grain" x="0" y="0" width="100%" height="100%">'
             '<feTurbulence type="fractalNoise" baseFrequency="0.7" numOctaves="1" seed="3"/>'
             '<feColorMatrix type="matrix" values="0 0 0 0 1  0 0 0 0 1  0 0 0 0 1  0 0 0 0.035 0"/>'
             '<feComposite in2="SourceGraphic" operator="in"/>'
             '</filter>\n')
    defs += blur("soft", 0.8)

    b = f'<rect width="{L.EDITOR_W}" height="{L.EDITOR_H}" fill="url(#plate)"/>\n'
    b += '<rect width="395" height="68" fill="url(#header)"/>\n'
    b += '<rect width="395" height="68" filter="url(#brushed)"/>\n'
    b += hline(0, 395, 0, "#ffffff", 0.10)
    b += hline(0, 395, 68, "#000", 0.8)
    b += hline(0, 395, 69, "#ffffff", 0.05)
    for cx, cy in ((8.5, 8.5), (386.5, 8.5), (8.5, 240.5), (386.5, 240.5)):
        b += screw(cx, cy)

    # Maker mark and product name: the link area (71..263 x 7..54) opens the maker's page.
    b += brand_mark(46, 31)
    b += text(77, 38.5, "quivorant", 30, "#000", extra='opacity="0.55" transform="translate(0,1)"')
    b += text(77, 38.5, "quivorant", 30, "url(#brand)")
    b += text(79, 51, "Tolvane", 9.5, LABEL, "start", "bold", 2.4)
    b += text(383, 33, "TEMPO-SYNCED", 7.5, LABEL_DIM, "end", "bold", 1.6)
    b += text(383, 44, "FILTER  SWEEP", 7.5, LABEL_DIM, "end", "bold", 1.6)

    b += panel(10, 76, 190, 231)
    b += panel(196, 76, 385, 231)
    b += section_title(22, 98, "FILTER", 178)
    b += section_title(208, 98, "LFO", 312)
    b += label(350, 97.5, "RESET", "end")

    d, body = radio_group(*L.FILTER_TYPE[:2], lit=False)
    defs += d
    b += body
    b += label(22, 121.5, "TYPE", "start")

    b += target_box()
    b += label(208, 122, "TARGET", "start")

    d, body = reset_button(L.LFO_RESET[0] + 7.5, L.LFO_RESET[1] + 7.5, lit=False)
    defs += d
    b += body

    for name, (cx, cy), _ in L.ROT_KNOBS:
        b += label(cx, 150, name)
        b += knob_socket(cx, cy)
    name, (cx, cy), _ = L.WAVE_KNOB
    b += label(cx, 150, name)
    b += (f'<rect x="{cx - 18.5}" y="{cy - 18.5}" width="37" height="37" rx="4.5" fill="url(#bezel)" '
          f'stroke="#000" stroke-opacity="0.8"/>\n')
    b += hline(cx - 15, cx + 15, cy + 19, "#ffffff", 0.06)

    b += position_track()
    return document(L.EDITOR_W, L.EDITOR_H, b, defs)


def brand_mark(cx, cy):
    """A small resonant-sweep emblem left of the name."""
    pts = []
    for i in range(41):
        t = i / 40
        x = cx - 15 + 30 * t
        bump = math.exp(-((t - 0.55) / 0.09) ** 2)
        fall = 1 / (1 + math.exp((t - 0.62) * 22))
        y = cy + 7 - 10 * fall - 9 * bump
        pts.append(f"{x:.2f},{y:.2f}")
    s = f'<circle cx="{cx}" cy="{cy}" r="17.5" fill="#141517" stroke="#000" stroke-opacity="0.8"/>\n'
    s += f'<circle cx="{cx}" cy="{cy + 0.6}" r="17.5" fill="none" stroke="#ffffff" stroke-opacity="0.07"/>\n'
    s += (f'<polyline points="{" ".join(pts)}" fill="none" stroke="{ACCENT}" stroke-width="2.6" '
          f'stroke-linecap="round" stroke-linejoin="round" opacity="0.45" filter="url(#soft)"/>\n')
    s += (f'<polyline points="{" ".join(pts)}" fill="none" stroke="{ACCENT}" stroke-width="1.5" '
          f'stroke-linecap="round" stroke-linejoin="round"/>\n')
    return s


def target_box():
    x0, y0, x1, y1 = L.LFO_TARGET
    s = (f'<rect x="{x0 + 0.5}" y="{y0 + 0.5}" width="{x1 - x0 - 1}" height="{y1 - y0 - 1}" rx="2" '
         f'fill="url(#tbox)" stroke="{EDGE}"/>\n')
    s += hline(x0 + 2, x1 - 2, y1, "#ffffff", 0.07)
    ax = x1 - 6.5
    s += f'<path d="M{ax - 2.5},{y0 + 5.5} L{ax + 2.5},{y0 + 5.5} L{ax},{y0 + 8.5}Z" fill="{LABEL}"/>\n'
    return s


def position_track():
    """The slot the LFO position marker slides in, with a ruler under it."""
    s = '<rect x="205.5" y="211.5" width="161" height="5" rx="2" fill="#050606" stroke="#000"/>\n'
    s += hline(207, 365, 217, "#ffffff", 0.07)
    for k in range(5):
        x = L.MARKER_X0 + L.MARKER_W // 2 + (L.MARKER_X1 - L.MARKER_X0) * k // 4
        s += vline(x, 220, 223 if k in (0, 4) else 222, "#ffffff", 0.25)
    return s


def knob():
    """Left half: the pointer that rotates with the value (straight up at the centre value).
    Right half: the static body, lit from above."""
    defs = blur("glow", 1.0) + blur("shadow", 1.3)
    defs += linear("skirt", [(0, "#555a62"), (0.5, "#2b2e33"), (1, "#131416")])
    defs += linear("cap", [(0, "#3d4148"), (1, "#1d1f23")])
    defs += linear("bevel", [(0, "#ffffff", 0.35), (0.5, "#ffffff", 0.03), (1, "#000", 0.6)])
    defs += radial("shine", [(0, "#ffffff", 0.16), (1, "#ffffff", 0)], 0.5, 0.2, 0.55)
    p = (f'<line x1="20" y1="7.5" x2="20" y2="15" stroke="{ACCENT}" stroke-width="3" '
         f'stroke-linecap="round" opacity="0.55" filter="url(#glow)"/>\n')
    p += (f'<line x1="20" y1="7.5" x2="20" y2="15" stroke="{ACCENT}" stroke-width="2" '
          f'stroke-linecap="round"/>\n')
    p += f'<line x1="20" y1="8" x2="20" y2="12.5" stroke="{ACCENT_HOT}" stroke-width="0.8" stroke-linecap="round"/>\n'
    b = '<g transform="translate(40,0)">\n'
    b += '<circle cx="20" cy="21.6" r="15" fill="#000" opacity="0.7" filter="url(#shadow)"/>\n'
    b += '<circle cx="20" cy="20" r="15" fill="url(#skirt)" stroke="#000" stroke-opacity="0.85"/>\n'
    for k in range(40):
        a = 2 * math.pi * k / 40
        x0, y0 = 20 + 12.6 * math.sin(a), 20 - 12.6 * math.cos(a)
        x1, y1 = 20 + 14.3 * math.sin(a), 20 - 14.3 * math.cos(a)
        b += (f'<line x1="{x0:.2f}" y1="{y0:.2f}" x2="{x1:.2f}" y2="{y1:.2f}" stroke="#000" '
              f'stroke-opacity="0.35" stroke-width="0.8"/>\n')
    b += '<circle cx="20" cy="20" r="11.6" fill="url(#cap)"/>\n'
    b += '<circle cx="20" cy="20" r="11.6" fill="url(#shine)"/>\n'
    b += '<circle cx="20" cy="20" r="11.1" fill="none" stroke="url(#bevel)" stroke-width="1"/>\n'
    b += "</g>\n"
    return document(80, 40, p + b, defs)


def wave():
    defs = linear("screen", [(0, "#16181b"), (1, "#0b0c0d")]) + blur("glow", 1.1)
    b = ""
    for i in range(6):
        ox = 32 * i
        b += f'<g transform="translate({ox},0)">\n'
        b += '<rect x="0.5" y="0.5" width="31" height="31" rx="3" fill="url(#screen)" stroke="#000"/>\n'
        for gx in (8, 16, 24):
            b += vline(gx, 4, 28, "#ffffff", 0.045)
        b += hline(4, 28, 16, "#ffffff", 0.07)
        pts = " ".join(f"{4 + 24 * t:.2f},{24 - 16 * v:.2f}" for t, v in wave_points(i))
        b += (f'<polyline points="{pts}" fill="none" stroke="{ACCENT}" stroke-width="2.4" opacity="0.5" '
              f'stroke-linejoin="round" stroke-linecap="round" filter="url(#glow)"/>\n')
        b += (f'<polyline points="{pts}" fill="none" stroke="{ACCENT}" stroke-width="1.4" '
              f'stroke-linejoin="round" stroke-linecap="round"/>\n')
        b += '<rect x="1" y="1" width="30" height="14" rx="2.5" fill="#ffffff" fill-opacity="0.025"/>\n'
        b += "</g>\n"
    return document(192, 32, b, defs)


def filter_type():
    defs, body = radio_group(0, 0, lit=True)
    return document(72, 13, body, defs)


TARGET_TEXT_SIZE = 8
TARGET_TEXT_SPACING = -0.2  # "Filter Bandwidth" must clear the box's arrow


def target_closed():
    """The box's text, one 12-row frame per target; the box itself is in the background."""
    b = ""
    for i, name in enumerate(L.TARGET_NAMES):
        colour = LABEL if i == 0 else ACCENT
        b += text(4, 12 * i + 8.6, name, TARGET_TEXT_SIZE, colour, spacing=TARGET_TEXT_SPACING)
    return document(72, 48, b)


def target_list():
    """The open list: all four targets at once, drawn right under the box."""
    defs = linear("list", [(0, "#202226"), (1, "#18191c")])
    b = f'<rect x="0.5" y="0.5" width="71" height="47" fill="url(#list)" stroke="#3b3f46"/>\n'
    for i, name in enumerate(L.TARGET_NAMES):
        if i:
            b += hline(3, 69, 12 * i, "#000", 0.6)
            b += hline(3, 69, 12 * i + 1, "#ffffff", 0.05)
        b += text(5, 12 * i + 9, name, TARGET_TEXT_SIZE, INK, spacing=TARGET_TEXT_SPACING)
    return document(72, 48, b, defs)


def reset():
    defs, body = reset_button(7.5, 7.5, lit=True)
    return document(15, 15, body, defs)


def mask_glass():
    """Gloss over the position slot; finish.py puts it on a copy of the background's strip rows."""
    y0 = L.STRIP[1]
    b = f'<g transform="translate(0,{-y0})">\n'
    b += hline(206, 366, 212, "#ffffff", 0.10)
    b += hline(206, 366, 213, "#ffffff", 0.04)
    b += "</g>\n"
    return document(L.EDITOR_W, L.STRIP[3] - y0, b)


SOURCES = {
    "bg": background,
    "knob": knob,
    "wave": wave,
    "flt_tp": filter_type,
    "lfo1_tg": target_closed,
    "lfo1_tg_": target_list,
    "reset": reset,
    "mask_glass": mask_glass,
}


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    out = argv[1]
    os.makedirs(out, exist_ok=True)
    for name, make in SOURCES.items():
        with open(os.path.join(out, name + ".svg"), "w", encoding="utf-8") as f:
            f.write(make())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
