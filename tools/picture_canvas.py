"""Drawing helpers for the program's product pictures.

A Canvas is drawn in output-pixel coordinates but rendered several times larger and reduced at
the end, which gives smooth edges. Every shape is a mask; a shader colours it (flat, cylinder
lit from the upper left, sphere) and a thin darker outline is added around it.
"""

import math

import numpy as np
from PIL import Image, ImageDraw, ImageFont

LIGHT = np.array([-0.45, -0.55, 0.70])
LIGHT = LIGHT / np.linalg.norm(LIGHT)

# Palette shared by the pictures.
WHITE = (255, 255, 255)
STEEL = (158, 165, 175)
DARK_STEEL = (96, 102, 112)
BLUE = (50, 86, 150)
NAVY = (36, 58, 104)
RED = (196, 44, 38)
GREY = (206, 209, 213)
LIGHT_GREY = (226, 228, 230)
DARK = (48, 50, 56)
BRASS = (196, 156, 64)
COPPER = (192, 112, 62)
GREEN = (52, 140, 72)
YELLOW = (238, 196, 40)
BLACK = (28, 28, 30)


def lit(base, diffuse, spec, ambient=0.38, gain=0.72, shine=0.45):
    """Colour of a surface point with the given diffuse and specular terms."""
    base = np.asarray(base, dtype=np.float32)
    col = base[None, None, :] * (ambient + gain * diffuse[..., None])
    col += 255.0 * shine * spec[..., None]
    return np.clip(col, 0, 255)


def shade_profile(t, base):
    """Cylinder profile across t in [0, 1]; t = 0 is the side facing the light."""
    theta = (np.clip(t, 0.0, 1.0) - 0.5) * math.pi
    nx, nz = np.sin(theta), np.cos(theta)
    lx = -math.hypot(LIGHT[0], LIGHT[1])
    lz = LIGHT[2]
    d = np.clip(nx * lx + nz * lz, 0, 1)
    return lit(base, d, d ** 24)


class Canvas:
    """background=None gives a transparent canvas (for the icon); colours are then kept
    premultiplied by the coverage in self.alpha, which is what makes the final reduction exact."""

    def __init__(self, width, height, scale=3, background=WHITE):
        self.w, self.h, self.s = width, height, scale
        self.W, self.H = width * scale, height * scale
        self.px = np.zeros((self.H, self.W, 3), dtype=np.float32)
        self.alpha = np.ones((self.H, self.W), dtype=np.float32)
        if background is None:
            self.alpha[:] = 0
        else:
            self.px[:] = np.asarray(background, dtype=np.float32)
        self.outline_width = 1.0

    # ---- masks -------------------------------------------------------------------------
    def _new(self):
        return Image.new("L", (self.W, self.H), 0)

    def _p(self, pts):
        return [(x * self.s, y * self.s) for x, y in pts]

    def poly(self, pts):
        m = self._new()
        ImageDraw.Draw(m).polygon(self._p(pts), fill=255)
        return m

    def rect(self, x0, y0, x1, y1):
        return self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])

    def rrect(self, x0, y0, x1, y1, r):
        m = self._new()
        s = self.s
        ImageDraw.Draw(m).rounded_rectangle((x0 * s, y0 * s, x1 * s, y1 * s), radius=r * s, fill=255)
        return m

    def ellipse(self, cx, cy, rx, ry):
        m = self._new()
        s = self.s
        ImageDraw.Draw(m).ellipse(((cx - rx) * s, (cy - ry) * s, (cx + rx) * s, (cy + ry) * s), fill=255)
        return m

    def line(self, pts, width):
        m = self._new()
        d = ImageDraw.Draw(m)
        sp = self._p(pts)
        w = max(1, int(round(width * self.s)))
        d.line(sp, fill=255, width=w, joint="curve")
        r = width * self.s / 2
        for x, y in (sp[0], sp[-1]):
            d.ellipse((x - r, y - r, x + r, y + r), fill=255)
        return m

    @staticmethod
    def union(*masks):
        out = masks[0].copy()
        for m in masks[1:]:
            out.paste(255, mask=m)
        return out

    @staticmethod
    def minus(a, b):
        arr = np.minimum(np.asarray(a), 255 - np.asarray(b))
        return Image.fromarray(arr.astype(np.uint8))

    # ---- painting ----------------------------------------------------------------------
    def _grid(self, box):
        x0, y0, x1, y1 = box
        ys, xs = np.mgrid[y0:y1, x0:x1].astype(np.float32)
        return (xs + 0.5) / self.s, (ys + 0.5) / self.s

    def paint(self, mask, shader, outline=True, outline_color=None, alpha=1.0):
        """Colours the mask with shader(X, Y) -> HxWx3 (or a plain colour)."""
        box = mask.getbbox()
        if not box:
            return
        pad = self.s * 2
        x0, y0 = max(0, box[0] - pad), max(0, box[1] - pad)
        x1, y1 = min(self.W, box[2] + pad), min(self.H, box[3] + pad)
        m = np.asarray(mask, dtype=np.float32)[y0:y1, x0:x1] / 255.0
        X, Y = self._grid((x0, y0, x1, y1))
        if callable(shader):
            col = shader(X, Y)
        else:
            col = np.broadcast_to(np.asarray(shader, dtype=np.float32), X.shape + (3,))
        region = self.px[y0:y1, x0:x1]
        cover = self.alpha[y0:y1, x0:x1]
        a = (m * alpha)[..., None]
        region[:] = region * (1 - a) + col * a
        cover[:] = cover * (1 - a[..., 0]) + a[..., 0]
        if outline:
            if outline_color is None:
                centre = col[m > 0.5]
                base = centre.mean(axis=0) if len(centre) else np.array([80, 80, 80])
                outline_color = tuple(base * 0.42)
            edge = self._edge(m)
            e = edge[..., None]
            region[:] = region * (1 - e) + np.asarray(outline_color, dtype=np.float32) * e
            cover[:] = cover * (1 - edge) + edge

    def _edge(self, m):
        k = max(1, int(round(self.outline_width * self.s)))
        er = m.copy()
        for _ in range(k):
            sh = er.copy()
            sh[1:, :] = np.minimum(sh[1:, :], er[:-1, :])
            sh[:-1, :] = np.minimum(sh[:-1, :], er[1:, :])
            sh[:, 1:] = np.minimum(sh[:, 1:], er[:, :-1])
            sh[:, :-1] = np.minimum(sh[:, :-1], er[:, 1:])
            er = sh
        return np.clip(m - er, 0, 1)

    # ---- shaders -----------------------------------------------------------------------
    @staticmethod
    def flat(color, top=1.06, bottom=0.9, y0=0, y1=1):
        c = np.asarray(color, dtype=np.float32)

        def f(X, Y):
            t = np.clip((Y - y0) / max(1e-6, y1 - y0), 0, 1)
            k = top + (bottom - top) * t
            return np.clip(c[None, None, :] * k[..., None], 0, 255)
        return f

    @staticmethod
    def across(color, a, b):
        """Cylinder shading across the direction from point a (lit side) to point b."""
        ax, ay = a
        dx, dy = b[0] - ax, b[1] - ay
        n2 = dx * dx + dy * dy

        def f(X, Y):
            t = ((X - ax) * dx + (Y - ay) * dy) / n2
            return shade_profile(t, color)
        return f

    @staticmethod
    def hcyl(color, y0, y1):
        """A horizontal cylinder between rows y0 and y1."""
        return Canvas.across(color, (0, y0), (0, y1))

    @staticmethod
    def vcyl(color, x0, x1):
        """A vertical cylinder between columns x0 and x1."""
        return Canvas.across(color, (x0, 0), (x1, 0))

    @staticmethod
    def cone(color, cx, ytop, rtop, ybot, rbot):
        """A vertical cone or frustum centred on column cx."""
        def f(X, Y):
            t = np.clip((Y - ytop) / max(1e-6, ybot - ytop), 0, 1)
            r = rtop + (rbot - rtop) * t
            return shade_profile((X - (cx - r)) / (2 * r), color)
        return f

    @staticmethod
    def sphere(color, cx, cy, rx, ry, ambient=0.38):
        def f(X, Y):
            u = (X - cx) / rx
            v = (Y - cy) / ry
            z = np.sqrt(np.clip(1 - u * u - v * v, 0, 1))
            d = np.clip(u * LIGHT[0] + v * LIGHT[1] + z * LIGHT[2], 0, 1)
            return lit(color, d, d ** 28, ambient=ambient)
        return f

    @staticmethod
    def vertical_gradient(top_color, bottom_color, y0, y1):
        a = np.asarray(top_color, dtype=np.float32)
        b = np.asarray(bottom_color, dtype=np.float32)

        def f(X, Y):
            t = np.clip((Y - y0) / max(1e-6, y1 - y0), 0, 1)[..., None]
            return a * (1 - t) + b * t
        return f

    # ---- compound parts ----------------------------------------------------------------
    def hpipe(self, x0, x1, yc, r, color):
        self.paint(self.rect(x0, yc - r, x1, yc + r), self.hcyl(color, yc - r, yc + r))

    def vpipe(self, y0, y1, xc, r, color):
        self.paint(self.rect(xc - r, y0, xc + r, y1), self.vcyl(color, xc - r, xc + r))

    def pipe(self, a, b, r, color):
        """A straight pipe of radius r from point a to point b, in any direction."""
        dx, dy = b[0] - a[0], b[1] - a[1]
        n = math.hypot(dx, dy)
        nx, ny = -dy / n, dx / n
        if nx + ny > 0:  # let the lit side face the upper left
            nx, ny = -nx, -ny
        pts = [(a[0] + nx * r, a[1] + ny * r), (b[0] + nx * r, b[1] + ny * r),
               (b[0] - nx * r, b[1] - ny * r), (a[0] - nx * r, a[1] - ny * r)]
        lit_side = (a[0] + nx * r, a[1] + ny * r)
        dark_side = (a[0] - nx * r, a[1] - ny * r)
        self.paint(self.poly(pts), self.across(color, lit_side, dark_side))

    def vflange(self, xc, yc, thick, height, color, bolts=2):
        """A flange of a horizontal pipe, seen edge on: a narrow upright disc with studs."""
        h2 = height / 2
        for i in range(bolts):
            by = yc - h2 * 0.72 + i * (h2 * 1.44) / max(1, bolts - 1)
            self.paint(self.rect(xc - thick / 2 - 4, by - 1.6, xc + thick / 2 + 4, by + 1.6),
                       self.hcyl(STEEL, by - 1.6, by + 1.6))
            for side in (-1, 1):
                nx = xc + side * (thick / 2 + 2)
                self.paint(self.rect(nx - 2, by - 3.6, nx + 2, by + 3.6), self.hcyl(DARK_STEEL, by - 3.6, by + 3.6))
        self.paint(self.rrect(xc - thick / 2, yc - h2, xc + thick / 2, yc + h2, 1.5), self.hcyl(color, yc - h2, yc + h2))

    def hflange(self, xc, yc, width, thick, color, bolts=2):
        """A flange of a vertical pipe, seen edge on: a wide flat disc with studs."""
        w2 = width / 2
        for i in range(bolts):
            bx = xc - w2 * 0.72 + i * (w2 * 1.44) / max(1, bolts - 1)
            self.paint(self.rect(bx - 1.6, yc - thick / 2 - 4, bx + 1.6, yc + thick / 2 + 4),
                       self.vcyl(STEEL, bx - 1.6, bx + 1.6))
            for side in (-1, 1):
                ny = yc + side * (thick / 2 + 2)
                self.paint(self.rect(bx - 3.6, ny - 2, bx + 3.6, ny + 2), self.vcyl(DARK_STEEL, bx - 3.6, bx + 3.6))
        self.paint(self.rrect(xc - w2, yc - thick / 2, xc + w2, yc + thick / 2, 1.5), self.vcyl(color, xc - w2, xc + w2))

    def handwheel(self, cx, cy, rx, ry, color=RED):
        """A handwheel seen from slightly above: an elliptic rim with spokes and a hub."""
        for ang in (0.3, 0.3 + 2.094, 0.3 + 4.189):
            ex, ey = cx + rx * 0.9 * math.cos(ang), cy + ry * 0.9 * math.sin(ang)
            self.paint(self.line([(cx, cy), (ex, ey)], 2.6), color)
        outer = self.ellipse(cx, cy, rx, ry)
        inner = self.ellipse(cx, cy, rx - 4, ry - 2.6)
        self.paint(self.minus(outer, inner), self.sphere(color, cx, cy - ry * 0.4, rx * 1.1, ry * 1.6))
        self.paint(self.ellipse(cx, cy, 4.5, 3), self.sphere(DARK_STEEL, cx, cy, 4.5, 3))

    def gauge(self, cx, cy, r):
        """A pressure gauge dial."""
        self.paint(self.ellipse(cx, cy, r, r), self.sphere(STEEL, cx, cy, r, r))
        self.paint(self.ellipse(cx, cy, r * 0.78, r * 0.78), (250, 250, 248))
        for k in range(7):
            ang = math.radians(225 - k * 45)
            x0, y0 = cx + r * 0.55 * math.cos(ang), cy - r * 0.55 * math.sin(ang)
            x1, y1 = cx + r * 0.7 * math.cos(ang), cy - r * 0.7 * math.sin(ang)
            self.paint(self.line([(x0, y0), (x1, y1)], 0.8), DARK, outline=False)
        self.paint(self.line([(cx, cy), (cx + r * 0.45, cy - r * 0.35)], 1.2), RED, outline=False)

    # ---- output ------------------------------------------------------------------------
    def image(self):
        """The drawing at its output size."""
        img = Image.fromarray(np.clip(self.px, 0, 255).astype(np.uint8), "RGB")
        return img.reduce(self.s)

    def save(self, path, quality=92):
        save_jpeg(self.image(), path, quality)


def save_jpeg(img, path, quality=92):
    img.save(path, "JPEG", quality=quality, optimize=True, progressive=False, subsampling=0)

    def save_png(self, path, size=None):
        """Saves with transparency, reduced to size x size pixels (default: the drawn size).
        The reduction works on the premultiplied channels one by one, so that the colour of a
        transparent neighbourhood never bleeds into an edge."""
        s = self.s
        chans = [self.px[..., k] for k in range(3)] + [self.alpha * 255.0]
        small = []
        for ch in chans:
            box = ch.reshape(self.h, s, self.w, s).mean(axis=(1, 3))
            img = Image.fromarray(box.astype(np.float32), "F")
            if size is not None and size != self.w:
                img = img.resize((size, size), Image.LANCZOS)
            small.append(np.asarray(img, dtype=np.float32))
        a = np.clip(small[3], 0, 255) / 255.0
        rgb = [np.where(a > 1e-3, c / np.maximum(a, 1e-3), 0) for c in small[:3]]
        rgba = np.dstack(rgb + [a * 255.0])
        out = Image.fromarray(np.clip(np.rint(rgba), 0, 255).astype(np.uint8), "RGBA")
        out.save(path, "PNG", optimize=True)


def font(size, bold=True):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    return ImageFont.truetype("/usr/share/fonts/truetype/dejavu/" + name, size)
