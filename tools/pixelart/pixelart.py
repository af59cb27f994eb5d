"""Pixel-art helpers: character grids in the game's 16-colour palette, XPM and PNG output."""
import math
import struct
import zlib

# One letter per palette colour; NONE marks a transparent pixel.
PALETTE = {
    'K': (0x00, 0x00, 0x00), 'n': (0x00, 0x00, 0x80), 'g': (0x00, 0x80, 0x00),
    't': (0x00, 0x80, 0x80), 'm': (0x80, 0x00, 0x00), 'p': (0x80, 0x00, 0x80),
    'o': (0x80, 0x80, 0x00), 's': (0xC0, 0xC0, 0xC0), 'd': (0x80, 0x80, 0x80),
    'b': (0x00, 0x00, 0xFF), 'G': (0x00, 0xFF, 0x00), 'c': (0x00, 0xFF, 0xFF),
    'r': (0xFF, 0x00, 0x00), 'M': (0xFF, 0x00, 0xFF), 'y': (0xFF, 0xFF, 0x00),
    'w': (0xFF, 0xFF, 0xFF),
}
ORDER = 'KngtmposdbGcrMyw'
NONE = '.'


def check(name, rows, w, h):
    assert len(rows) == h, f"{name}: {len(rows)} rows, want {h}"
    for i, r in enumerate(rows):
        assert len(r) == w, f"{name}: row {i} has {len(r)} cols, want {w}: {r!r}"
        for ch in r:
            assert ch == NONE or ch in PALETTE, f"{name}: bad char {ch!r} in row {i}"
    return rows


def sym(rows):
    """Left half (16 cols) -> full symmetric row (32 cols)."""
    return [r + r[::-1] for r in rows]


def recolour(rows, mapping):
    return [''.join(mapping.get(c, c) for c in r) for r in rows]


def write_xpm(path, cname, rows):
    h, w = len(rows), len(rows[0])
    used = sorted({c for r in rows for c in r}, key=lambda c: (c != NONE, ORDER.find(c)))
    out = ['/* XPM */', f'static const char* {cname}_xpm[] = {{',
           f'"{w} {h} {len(used)} 1",']
    for c in used:
        if c == NONE:
            out.append(f'"{c} c None",')
        else:
            out.append('"%s c #%02X%02X%02X",' % ((c,) + PALETTE[c]))
    for i, r in enumerate(rows):
        out.append(f'"{r}"' + (',' if i + 1 < h else ''))
    out.append('};')
    with open(path, 'w') as f:
        f.write('\n'.join(out) + '\n')


def write_png(path, pixels, w, h):
    """pixels: list of rows of (r,g,b)."""
    raw = b''.join(b'\x00' + bytes(v for px in row for v in px) for row in pixels)
    def chunk(t, d):
        c = struct.pack('>I', len(d)) + t + d
        return c + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
    png += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(png)


def preview(path, items, scale=6, bg=(0, 0, 0), pad=6):
    """Lays the pictures out in one line, each at 1x and at the given scale, on black."""
    W = sum(len(r[0]) * (scale + 1) + pad * 2 for r in items)
    H = max(len(r) * scale for r in items) + pad * 2
    img = [[bg] * W for _ in range(H)]
    x0 = 0
    for rows in items:
        h, w = len(rows), len(rows[0])
        for y in range(h):
            for x in range(w):
                c = rows[y][x]
                if c == NONE:
                    continue
                col = PALETTE[c]
                img[pad + y][x0 + pad + x] = col
                for dy in range(scale):
                    for dx in range(scale):
                        img[pad + y * scale + dy][x0 + pad * 2 + w + x * scale + dx] = col
        x0 += w * (scale + 1) + pad * 2
    write_png(path, img, W, H)


class Canvas:
    def __init__(self, w, h, fill=NONE):
        self.w, self.h = w, h
        self.g = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.g[y][x] = c

    def get(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            return self.g[y][x]
        return NONE

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy; x0 += sx
            if e2 <= dx:
                err += dx; y0 += sy

    def poly(self, pts, c):
        for (a, b), (p, q) in zip(pts, pts[1:]):
            self.line(a, b, p, q, c)

    def blit(self, rows, ox, oy, skip=NONE):
        for y, r in enumerate(rows):
            for x, ch in enumerate(r):
                if ch != skip:
                    self.set(ox + x, oy + y, ch)

    def outline(self, c='K', diag=False):
        """Give every transparent pixel touching the shape the outline colour."""
        add = []
        for y in range(self.h):
            for x in range(self.w):
                if self.g[y][x] != NONE:
                    continue
                nb = [(1, 0), (-1, 0), (0, 1), (0, -1)]
                if diag:
                    nb += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
                if any(self.get(x + a, y + b) not in (NONE, c) for a, b in nb):
                    add.append((x, y))
        for x, y in add:
            self.g[y][x] = c

    def rows(self):
        return [''.join(r) for r in self.g]


def hash01(*v):
    """Deterministic pseudo-random number in [0,1) from integers."""
    h = 2166136261
    for n in v:
        for b in int(n).to_bytes(4, 'little', signed=True):
            h = ((h ^ b) * 16777619) & 0xffffffff
    h ^= h >> 13; h = (h * 0x5bd1e995) & 0xffffffff; h ^= h >> 15
    return h / 2**32


# 4x4 ordered-dither thresholds, for smooth shading with few colours.
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def orb(c, cx, cy, R, light, mid, dark, rim, levels=(0.75, 0.35)):
    """Shaded ball lit from the upper left, with ordered dithering between tones."""
    lx, ly, lz = -0.45, -0.6, 0.66
    for y in range(c.h):
        for x in range(c.w):
            dx, dy = (x + 0.5 - cx) / R, (y + 0.5 - cy) / R
            d2 = dx * dx + dy * dy
            if d2 > 1.0:
                continue
            dz = math.sqrt(1.0 - d2)
            l = dx * lx + dy * ly + dz * lz
            t = (BAYER[y % 4][x % 4] + 0.5) / 16 - 0.5
            l += t * 0.18
            if d2 > (1 - 1.1 / R) ** 2 and l < levels[0]:
                ch = rim
            elif l > levels[0]:
                ch = light
            elif l > levels[1]:
                ch = mid
            else:
                ch = dark
            c.set(x, y, ch)
