#!/usr/bin/env python3
"""Draws the splash picture and the program icon.

Writes splash.svg and quelmora.svg next to this script, then renders them:
splash.jpg (1000 x 562, the built-in SPLASH picture) and quelmora.png
(256 x 256, MAINICON and the installed icon) with quelmora-48.png and
quelmora-128.png for the smaller icon sizes. The outputs are committed, so a
build needs none of the tools below; run this after changing the drawing.

Needs python3, rsvg-convert (librsvg2-bin), pngtopnm (netpbm), cjpeg
(libjpeg-turbo-progs) and the DejaVu fonts (fonts-dejavu-core).
"""

import math
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

COS30 = math.cos(math.radians(30))
SIN30 = 0.5

# Corrugated board, pallet wood and the window's header blue.
KRAFT = ("#dcae72", "#c08a4e", "#a5703a")  # top, left face, right face
TAPE = ("#ecd09f", "#d7b27a", "#c39a61")
WOOD = ("#e7cf9d", "#c9a66a", "#ad8a52")
NAVY = "#223449"
ACCENT = "#f0a030"


class Iso:
    """Isometric projection: x runs right-down, y left-down, z up."""

    def __init__(self, ox, oy, scale, stroke=1.0):
        self.ox, self.oy, self.scale, self.stroke = ox, oy, scale, stroke

    def point(self, x, y, z):
        return (self.ox + (x - y) * COS30 * self.scale,
                self.oy + (x + y) * SIN30 * self.scale - z * self.scale)

    def polygon(self, pts, fill, stroke="#00000033", width=0.8, extra=""):
        text = " ".join("%.2f,%.2f" % self.point(*p) for p in pts)
        return ('<polygon points="%s" fill="%s" stroke="%s" stroke-width="%.2f" '
                'stroke-linejoin="round"%s/>' % (text, fill, stroke, width * self.stroke, extra))

    def block(self, x, y, z, l, w, h, colours, stroke="#00000040", width=0.8):
        """The three visible faces of an axis-aligned block."""
        top, left, right = colours
        return "\n".join([
            self.polygon([(x, y, z + h), (x + l, y, z + h), (x + l, y + w, z + h),
                          (x, y + w, z + h)], top, stroke, width),
            self.polygon([(x, y + w, z), (x + l, y + w, z), (x + l, y + w, z + h),
                          (x, y + w, z + h)], left, stroke, width),
            self.polygon([(x + l, y, z), (x + l, y + w, z), (x + l, y + w, z + h),
                          (x + l, y, z + h)], right, stroke, width),
        ])


def shipping_box(iso, x, y, z, l, w, h, label=True):
    """A closed corrugated box with tape over the top and a shipping label."""
    parts = [iso.block(x, y, z, l, w, h, KRAFT)]
    t = w * 0.16
    ty = y + (w - t) / 2
    # Tape along the lid seam and down the right face.
    parts.append(iso.polygon([(x, ty, z + h), (x + l, ty, z + h), (x + l, ty + t, z + h),
                              (x, ty + t, z + h)], TAPE[0], "none", 0))
    parts.append(iso.polygon([(x + l, ty, z + h), (x + l, ty + t, z + h),
                              (x + l, ty + t, z + h * 0.72), (x + l, ty, z + h * 0.72)],
                             TAPE[2], "none", 0))
    # Flap seam on the left face.
    parts.append('<polyline points="%.2f,%.2f %.2f,%.2f" stroke="#7a5229" stroke-opacity="0.45" '
                 'stroke-width="0.9" fill="none"/>' % (*iso.point(x, y + w, z + h * 0.86),
                                                        *iso.point(x + l, y + w, z + h * 0.86)))
    if label:
        lx, lz, lw, lh = x + l * 0.12, z + h * 0.22, l * 0.34, h * 0.36
        parts.append(iso.polygon([(lx, y + w, lz), (lx + lw, y + w, lz), (lx + lw, y + w, lz + lh),
                                  (lx, y + w, lz + lh)], "#f7f3ea", "#00000030", 0.5))
        for i in range(7):
            bx = lx + lw * (0.12 + i * 0.11)
            parts.append('<polyline points="%.2f,%.2f %.2f,%.2f" stroke="#333" '
                         'stroke-width="%.2f" fill="none"/>'
                         % (*iso.point(bx, y + w, lz + lh * 0.15),
                            *iso.point(bx, y + w, lz + lh * 0.55), 0.6 + (i % 3) * 0.35))
        # "This side up" arrows beside the label.
        ax = x + l * 0.66
        for k in (0, 1):
            px = ax + k * l * 0.09
            parts.append(iso.polygon([(px, y + w, z + h * 0.30), (px + l * 0.025, y + w, z + h * 0.30),
                                      (px + l * 0.025, y + w, z + h * 0.52),
                                      (px + l * 0.05, y + w, z + h * 0.52),
                                      (px + l * 0.0125, y + w, z + h * 0.64),
                                      (px - l * 0.025, y + w, z + h * 0.52),
                                      (px, y + w, z + h * 0.52)], "#5b3a1a", "none", 0,
                                     ' fill-opacity="0.55"'))
    return "\n".join(parts)


def pallet(iso, x, y, z, l=1200, w=800):
    """A block pallet: bottom boards, nine blocks, five top boards."""
    parts = []
    board = 22
    block_h = 78
    for by in (0, (w - 100) / 2, w - 100):
        parts.append(iso.block(x, y + by, z, l, 100, board, WOOD))
    for bx in (0, (l - 145) / 2, l - 145):
        for by in (0, (w - 100) / 2, w - 100):
            parts.append((by, bx, iso.block(x + bx, y + by, z + board, 145, 100, block_h, WOOD)))
    blocks = sorted(p for p in parts if isinstance(p, tuple))
    parts = [p for p in parts if not isinstance(p, tuple)]
    parts += [p[2] for p in sorted(blocks, key=lambda b: b[0] + b[1])]
    widths = [145, 100, 145, 100, 145]
    gap = (w - sum(widths)) / 4
    ty = 0
    top_z = z + board + block_h
    for bw in widths:
        parts.append(iso.block(x, y + ty, top_z, l, bw, board, WOOD))
        ty += bw + gap
    return "\n".join(parts), top_z + board


def consumer_pack(iso, x, y, z, l, w, h, body, band, mark):
    """A retail pack with a coloured label band and a small emblem."""
    shade = (body[0], body[1], body[2])
    parts = [iso.block(x, y, z, l, w, h, shade, "#00000055", 0.7)]
    parts.append(iso.polygon([(x, y + w, z + h * 0.38), (x + l, y + w, z + h * 0.38),
                              (x + l, y + w, z + h * 0.62), (x, y + w, z + h * 0.62)],
                             band, "none", 0))
    parts.append(iso.polygon([(x + l, y, z + h * 0.38), (x + l, y + w, z + h * 0.38),
                              (x + l, y + w, z + h * 0.62), (x + l, y, z + h * 0.62)],
                             band, "none", 0, ' fill-opacity="0.8"'))
    # A round emblem above the band, drawn in the plane of the front face.
    r = min(l, h) * 0.16
    circle = [(x + l * 0.5 + r * math.cos(t * math.pi / 12), y + w,
               z + h * 0.80 + r * math.sin(t * math.pi / 12)) for t in range(24)]
    parts.append(iso.polygon(circle, mark, "none", 0))
    return "\n".join(parts)


def dimension(iso, a, b, text, offset, anchor="middle"):
    """A drawing-style dimension line with arrow heads between two 3D points."""
    (x1, y1), (x2, y2) = iso.point(*a), iso.point(*b)
    ox, oy = offset
    x1, y1, x2, y2 = x1 + ox, y1 + oy, x2 + ox, y2 + oy
    ang = math.atan2(y2 - y1, x2 - x1)
    head = []
    for (px, py, d) in ((x1, y1, 1), (x2, y2, -1)):
        hx = px + d * 9 * math.cos(ang)
        hy = py + d * 9 * math.sin(ang)
        nx, ny = -math.sin(ang) * 3.5, math.cos(ang) * 3.5
        head.append('<polygon points="%.2f,%.2f %.2f,%.2f %.2f,%.2f" fill="#cfe0f2"/>'
                    % (px, py, hx + nx, hy + ny, hx - nx, hy - ny))
    mx, my = (x1 + x2) / 2, (y1 + y2) / 2
    deg = math.degrees(ang)
    if deg > 90 or deg < -90:
        deg += 180
    return ('<g opacity="0.85"><line x1="%.2f" y1="%.2f" x2="%.2f" y2="%.2f" stroke="#cfe0f2" '
            'stroke-width="1.2"/>%s<text x="%.2f" y="%.2f" transform="rotate(%.2f %.2f %.2f)" '
            'font-family="DejaVu Sans" font-size="15" fill="#cfe0f2" text-anchor="%s">%s</text></g>'
            % (x1, y1, x2, y2, "".join(head), mx, my - 6, deg, mx, my, anchor, text))


def splash_svg():
    W, H = 1000, 562
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
           'viewBox="0 0 %d %d">' % (W, H, W, H)]
    out.append('''<defs>
<linearGradient id="sky" x1="0" y1="0" x2="0.35" y2="1">
  <stop offset="0" stop-color="#182636"/><stop offset="1" stop-color="#2d4762"/>
</linearGradient>
<radialGradient id="floor" cx="0.5" cy="0.5" r="0.5">
  <stop offset="0" stop-color="#000" stop-opacity="0.45"/>
  <stop offset="1" stop-color="#000" stop-opacity="0"/>
</radialGradient>
</defs>''')
    out.append('<rect width="%d" height="%d" fill="url(#sky)"/>' % (W, H))
    # A faint drawing-board grid.
    grid = ['<g stroke="#ffffff" stroke-opacity="0.05" stroke-width="1">']
    for gx in range(0, W + 1, 40):
        grid.append('<line x1="%d" y1="0" x2="%d" y2="%d"/>' % (gx, gx, H))
    for gy in range(0, H + 1, 40):
        grid.append('<line x1="0" y1="%d" x2="%d" y2="%d"/>' % (gy, W, gy))
    grid.append("</g>")
    out += grid

    iso = Iso(ox=750, oy=274, scale=0.19)
    # Shadow on the floor under the pallet.
    sx, sy = iso.point(600, 400, 0)
    out.append('<ellipse cx="%.1f" cy="%.1f" rx="250" ry="95" fill="url(#floor)"/>' % (sx, sy + 12))
    wood, deck = pallet(iso, 0, 0, 0)
    out.append(wood)
    # Three layers of 3 x 2 boxes, 400 x 400 x 300 mm, on a 1200 x 800 pallet.
    bl, bw, bh = 400, 400, 300
    for layer in range(3):
        cells = [(i, j) for i in range(3) for j in range(2)]
        for i, j in sorted(cells, key=lambda c: c[0] + c[1]):
            front = j == 1 and layer in (0, 1, 2)
            out.append(shipping_box(iso, i * bl, j * bw, deck + layer * bh, bl, bw, bh, label=front))
    top = deck + 3 * bh
    # Dimensions off the two back edges of the load and its right-hand corner.
    out.append(dimension(iso, (0, 0, top), (1200, 0, top), "1200", (11, -19)))
    out.append(dimension(iso, (0, 0, top), (0, 800, top), "800", (-11, -19)))
    out.append(dimension(iso, (1200, 0, 0), (1200, 0, top), "", (24, 0)))
    hx, hy = iso.point(1200, 0, top / 2)
    out.append('<text x="%.1f" y="%.1f" font-family="DejaVu Sans" font-size="15" fill="#cfe0f2" '
               'opacity="0.85">H</text>' % (hx + 32, hy + 5))

    # Consumer packs in front of the pallet, drawn larger than the pallet's scale.
    piso = Iso(ox=505, oy=398, scale=0.52)
    packs = [
        (0, 0, 95, 60, 190, ("#5fa86a", "#3f8a4c", "#2f6f3b"), "#f4e9c8", "#2f6f3b"),  # tea
        (130, 0, 80, 80, 150, ("#a2573b", "#7b3a22", "#622c18"), "#e8c08a", "#3d1e10"),  # coffee
        (250, 10, 110, 50, 160, ("#f3f5f8", "#d9dee6", "#bfc7d2"), "#3f79c2", "#3f79c2"),  # sugar
    ]
    sx, sy = piso.point(180, 60, 0)
    out.append('<ellipse cx="%.1f" cy="%.1f" rx="150" ry="34" fill="url(#floor)"/>' % (sx, sy + 4))
    for (x, y, l, w, h, body, band, mark) in packs:
        out.append(consumer_pack(piso, x, y, 0, l, w, h, body, band, mark))

    # Name and subtitle.
    out.append('<text x="60" y="212" font-family="DejaVu Sans" font-weight="bold" font-size="96" '
               'fill="#ffffff" letter-spacing="-1">quelmora</text>')
    out.append('<rect x="64" y="236" width="120" height="6" rx="3" fill="%s"/>' % ACCENT)
    out.append('<text x="62" y="282" font-family="DejaVu Sans" font-size="24" fill="#dbe5f0">'
               'оптимизация упаковки сыпучих продуктов</text>')
    out.append('<text x="62" y="314" font-family="DejaVu Sans" font-size="17" fill="#9fb3c8">'
               'consumer packs · shipping boxes · pallet loads</text>')
    out.append('<text x="62" y="522" font-family="DejaVu Sans" font-size="14" fill="#7f95ad" '
               'letter-spacing="1">чай · кофе · какао · сахар · соль · крупы · мука</text>')
    out.append("</svg>")
    return "\n".join(out)


def icon_svg():
    S = 256
    out = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
           'viewBox="0 0 %d %d">' % (S, S, S, S)]
    out.append('''<defs>
<linearGradient id="bg" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#2d4762"/><stop offset="1" stop-color="%s"/>
</linearGradient>
</defs>''' % NAVY)
    out.append('<rect x="8" y="8" width="240" height="240" rx="44" fill="url(#bg)"/>')
    iso = Iso(ox=128, oy=118, scale=0.09, stroke=1.8)
    wood, deck = pallet(iso, 0, 0, 0, 1200, 1200)
    out.append(wood)
    # One big box on the pallet, a retail pack standing on its lid.
    out.append(shipping_box(iso, 100, 100, deck, 1000, 1000, 700, label=False))
    out.append(consumer_pack(iso, 450, 560, deck + 700, 280, 170, 480,
                             ("#5fa86a", "#3f8a4c", "#2f6f3b"), "#f4e9c8", "#2f6f3b"))
    out.append("</svg>")
    return "\n".join(out)


def run(*command, stdin=None, stdout=None):
    try:
        subprocess.run(command, check=True, stdin=stdin, stdout=stdout)
    except FileNotFoundError:
        sys.exit("%s not found: run scripts/install-deps.sh" % command[0])


def main():
    splash = os.path.join(HERE, "splash.svg")
    icon = os.path.join(HERE, "quelmora.svg")
    with open(splash, "w", encoding="utf-8") as f:
        f.write(splash_svg())
    with open(icon, "w", encoding="utf-8") as f:
        f.write(icon_svg())

    run("rsvg-convert", "-w", "256", "-h", "256", "-o", os.path.join(HERE, "quelmora.png"), icon)
    for size in (48, 128):
        run("rsvg-convert", "-w", str(size), "-h", str(size), "-o",
            os.path.join(HERE, "quelmora-%d.png" % size), icon)
    png = os.path.join(HERE, "splash.tmp.png")
    ppm = os.path.join(HERE, "splash.tmp.ppm")
    try:
        run("rsvg-convert", "-w", "1000", "-h", "562", "-b", NAVY, "-o", png, splash)
        with open(png, "rb") as src, open(ppm, "wb") as dst:
            run("pngtopnm", stdin=src, stdout=dst)
        with open(ppm, "rb") as src, open(os.path.join(HERE, "splash.jpg"), "wb") as dst:
            run("cjpeg", "-quality", "90", "-optimize", stdin=src, stdout=dst)
    finally:
        for temp in (png, ppm):
            if os.path.exists(temp):
                os.remove(temp)


if __name__ == "__main__":
    main()
