"""What the editor's images must fit: the eight PNG resources and where the editor places them.

The editor is 395 x 248 pixels. Positions are the controls' rectangles (left, top, right, bottom;
right and bottom just outside) or centre points, in editor pixels. The art is drawn around these
numbers, so a change to the editor's layout must be repeated here.
"""

from collections import namedtuple

Image = namedtuple("Image", "res_id name width height frames")

# Resource number, file under resources/img, size of the whole strip, frames in it.
IMAGES = [
    Image(100, "bg", 395, 248, 1),
    Image(101, "knob", 80, 40, 1),      # left half rotates (pointer), right half is the body
    Image(102, "wave", 192, 32, 6),     # side by side
    Image(103, "flt_tp", 72, 13, 3),    # side by side, selected look
    Image(104, "lfo1_tg", 72, 48, 4),   # stacked, closed box text
    Image(105, "lfo1_tg_", 72, 48, 4),  # stacked, the open list
    Image(106, "reset", 15, 15, 1),     # pressed look
    Image(107, "mask", 395, 6, 1),      # laid over the LFO position strip
]

EDITOR_W, EDITOR_H = 395, 248

VERSION_TEXT = (223, 7, 261, 25)
LINK_AREA = (71, 7, 263, 54)
FILTER_TYPE = (100, 112, 172, 125)
LFO_TARGET = (271, 112, 343, 126)
LFO_RESET = (355, 87, 370, 102)
STRIP = (0, 211, 395, 217)

KNOB_SIZE = 40
KNOB_TEXT_GAP = 2
VALUE_TEXT_SIZE = 14

# Rotating knobs: name, centre, rectangle.
ROT_KNOBS = [
    ("FREQ", (52, 174), (22, 154, 82, 210)),
    ("BANDWIDTH", (108, 174), (88, 154, 128, 210)),
    ("MIX", (164, 174), (144, 154, 184, 210)),
    ("RATE", (287, 174), (267, 154, 307, 210)),
    ("DEPTH", (343, 174), (323, 154, 363, 210)),
]
WAVE_KNOB = ("WAVE", (231, 174), (201, 158, 261, 210))
WAVE_TEXT_GAP = 6

# The position display's marker runs over x 208..364 (6 px wide), rows 213..214.
MARKER_X0, MARKER_X1 = 208, 358
MARKER_W = 6
MARKER_Y0, MARKER_Y1 = 213, 215

FILTER_TYPES = ["LP", "HP", "BP"]
TARGET_NAMES = ["No Assign", "Filter Freq", "Filter Bandwidth", "Filter Mix"]
WAVE_NAMES = ["Sine", "Triangle", "Saw", "Saw Rev", "Sine Half", "Sine Half 2"]


def image(name):
    for img in IMAGES:
        if img.name == name:
            return img
    raise KeyError(name)
