"""Where the main window's pictures and captions lie, and how each drawing is fitted around them.

The boxes, their stacking order and the captions are read from the main window's form
resources/forms/MainForm.ui, the one place that defines them (a widget later in the form lies on
top of those before it). A picture is drawn under every caption
and under every picture created after it (those lie on top); its drawing is fitted into the part
of its box that nothing covers, so that every caption falls on white and no box cuts a drawing.
"""

import os
import re
import xml.etree.ElementTree as ET

import numpy as np
from PIL import Image, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
MAIN_WINDOW = os.path.join(HERE, "..", "resources", "forms", "MainForm.ui")

# The captions' face where "MS Reference Sans Serif" and Verdana are missing (ui/shell/UiFonts.cpp):
# DejaVu Sans Condensed, 19 pixels, bold italic.
CAPTION_FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-BoldOblique.ttf"
CAPTION_PIXELS = 19
CAPTION_HEIGHT = 23
# White kept around a caption or a covering box, in window pixels.
MARGIN = 3
# A pixel lighter than this in every channel counts as the white background.
WHITE_LEVEL = 246


def _geometry(widget):
    rect = widget.find("./property[@name='geometry']/rect")
    return tuple(int(rect.find(k).text) for k in ("x", "y", "width", "height"))


def read_board(path=MAIN_WINDOW):
    """(pictures, captions): pictures as {number: (left, top, width, height, order)}, captions as
    [(left, top, text)]."""
    form = ET.parse(path).getroot()
    pictures = {}
    captions = []
    order = 0
    for widget in form.iter("widget"):
        name = widget.get("name", "")
        m = re.fullmatch(r"Image(\d+)", name)
        if m and widget.get("class", "").endswith("PictureBox"):
            left, top, width, height = _geometry(widget)
            pictures[int(m.group(1))] = (left, top, width, height, order)
            order += 1
        elif re.fullmatch(r"Label\d+", name) and widget.get("class") == "QLabel":
            left, top, _, _ = _geometry(widget)
            captions.append((left, top, widget.find("./property[@name='text']/string").text))
    return pictures, captions


def caption_rects(captions):
    font = ImageFont.truetype(CAPTION_FONT, CAPTION_PIXELS)
    return [(x, y, x + font.getlength(text) + 4, y + CAPTION_HEIGHT) for x, y, text in captions]


def keep_out(number, pictures, captions):
    """The rectangles of the board that lie over picture `number`, in window pixels."""
    left, top, width, height, order = pictures[number]
    covers = caption_rects(captions)
    for other, (l, t, w, h, o) in pictures.items():
        if o > order:
            covers.append((l, t, l + w, t + h))
    box = (left, top, left + width, top + height)
    inside = []
    for x0, y0, x1, y1 in covers:
        x0, y0, x1, y1 = x0 - MARGIN, y0 - MARGIN, x1 + MARGIN, y1 + MARGIN
        if x0 < box[2] and x1 > box[0] and y0 < box[3] and y1 > box[1]:
            inside.append((max(x0, box[0]) - left, max(y0, box[1]) - top,
                           min(x1, box[2]) - left, min(y1, box[3]) - top))
    return inside


def _blocked(rects, size, box_size):
    """The keep-out rectangles (box pixels) as a mask of the picture (picture pixels)."""
    w, h = size
    kx, ky = w / box_size[0], h / box_size[1]
    mask = np.zeros((h, w), dtype=bool)
    for x0, y0, x1, y1 in rects:
        mask[max(0, int(y0 * ky)):min(h, int(np.ceil(y1 * ky))),
             max(0, int(x0 * kx)):min(w, int(np.ceil(x1 * kx)))] = True
    return mask


def _overlaps(blocked, content):
    """For every placement of `content` inside `blocked`, how many drawn pixels fall on it
    (cross-correlation by FFT)."""
    H, W = blocked.shape
    h, w = content.shape
    fb = np.fft.rfft2(blocked.astype(np.float32), s=(H, W))
    pad = np.zeros((H, W), dtype=np.float32)
    pad[:h, :w] = content
    fc = np.fft.rfft2(pad, s=(H, W))
    corr = np.fft.irfft2(fb * np.conj(fc), s=(H, W))
    return corr[:H - h + 1, :W - w + 1]


def fit(image, rects, box_size):
    """The picture redrawn with its drawing scaled and moved as little as needed to keep clear of
    the rectangles; the picture itself when nothing lies over it."""
    if not rects:
        return image
    size = image.size
    blocked = _blocked(rects, size, box_size)
    pixels = np.asarray(image.convert("RGB"))
    drawn = (pixels < WHITE_LEVEL).any(axis=2)
    ys, xs = np.nonzero(drawn)
    x0, x1, y0, y1 = xs.min(), xs.max() + 1, ys.min(), ys.max() + 1
    crop = image.crop((x0, y0, x1, y1))
    centre = ((x0 + x1) / 2, (y0 + y1) / 2)
    for scale in np.arange(1.0, 0.34, -0.02):
        w, h = max(1, int(round((x1 - x0) * scale))), max(1, int(round((y1 - y0) * scale)))
        if w > size[0] - 2 or h > size[1] - 2:
            continue
        shape = np.asarray(crop.resize((w, h), Image.LANCZOS).convert("RGB"))
        content = (shape < WHITE_LEVEL).any(axis=2).astype(np.float32)
        free = _overlaps(blocked, content) < 0.5
        free[0, :] = free[:, 0] = False  # keep a pixel of white around the drawing
        free[-1, :] = free[:, -1] = False
        places = np.argwhere(free)
        if len(places) == 0:
            continue
        want = np.array([centre[1] - h / 2, centre[0] - w / 2])
        y, x = places[np.argmin(((places - want) ** 2).sum(axis=1))]
        out = Image.new("RGB", size, (255, 255, 255))
        out.paste(Image.fromarray(shape), (int(x), int(y)))
        return out
    raise SystemExit("no room for the drawing in its box")
