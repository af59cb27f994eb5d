"""The large pictures: the side panel art and the title art."""
import math

import sprites
from pixelart import Canvas, hash01, orb

FONT5x7 = {
    'K': ["X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"],
    'E': ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    'L': ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    'V': ["X...X", "X...X", "X...X", "X...X", ".X.X.", ".X.X.", "..X.."],
    'A': [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    'R': ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    'I': ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "XXXXX"],
    'D': ["XXXX.", "X...X", "X...X", "X...X", "X...X", "X...X", "XXXX."],
    ' ': [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def text_width(s, scale, gap):
    return len(s) * 5 * scale + (len(s) - 1) * gap


def draw_title(c, s, x0, y0, scale, gap, ramp, outline='K', shadow='m'):
    """Big chunky letters: a vertical colour ramp, a drop shadow and a dark outline."""
    mask = set()
    x = x0
    for ch in s:
        g = FONT5x7[ch]
        for j, row in enumerate(g):
            for i, px in enumerate(row):
                if px == 'X':
                    for a in range(scale):
                        for b in range(scale):
                            mask.add((x + i * scale + a, y0 + j * scale + b))
        x += 5 * scale + gap
    h = 7 * scale
    sh = max(1, scale // 2)
    for (px, py) in mask:
        for a in range(1, sh + 1):
            if (px + a, py + a) not in mask:
                c.set(px + a, py + a, shadow)
    for (px, py) in mask:
        for a, b in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            q = (px + a, py + b)
            if q not in mask and c.get(*q) != shadow:
                c.set(*q, outline)
    for (px, py) in mask:
        t = (py - y0) / h
        c.set(px, py, ramp[min(len(ramp) - 1, int(t * len(ramp)))])


def stars(c, count, seed):
    for k in range(count):
        x = int(hash01(k, seed, 1) * c.w)
        y = int(hash01(k, seed, 2) * c.h)
        if c.get(x, y) != 'K':
            continue
        r = hash01(k, seed, 3)
        if r > 0.94:
            # a twinkle: a small cross
            c.set(x, y, 'w')
            for a, b in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                if c.get(x + a, y + b) == 'K':
                    c.set(x + a, y + b, 'y' if r > 0.97 else 'c')
        else:
            c.set(x, y, 'w' if r > 0.75 else ('s' if r > 0.45 else 'd'))


def big_planet(c, cx, cy, R):
    orb(c, cx, cy, R, 'c', 'b', 'n', 'n', levels=(0.86, 0.45))
    # soft continents in teal and cloud streaks in white on the lit side
    for y in range(c.h):
        for x in range(c.w):
            v = c.get(x, y)
            if v not in ('b', 'c', 'n'):
                continue
            dx, dy = x - cx, y - cy
            if dx * dx + dy * dy > (R - 1) ** 2:
                continue
            n = (math.sin(x * 0.09 + math.sin(y * 0.05) * 2.0) + math.sin(y * 0.13 + x * 0.02) * 0.8)
            if n > 1.05:
                c.set(x, y, {'b': 't', 'c': 't', 'n': 'n'}[v])
    # atmosphere glow on the lit rim
    for y in range(c.h):
        for x in range(c.w):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = math.hypot(dx, dy)
            if R < d <= R + 1.2 and (-dx - dy) > 0 and c.get(x, y) == 'K':
                c.set(x, y, 'c' if (-dx - dy) / d > 0.5 else 't')


def side_panel():
    c = Canvas(150, 200, 'K')
    stars(c, 220, 5)
    big_planet(c, 112, 178, 62)
    # a small moon
    orb(c, 24, 130, 7, 's', 'd', 'K', 'd', levels=(0.7, 0.2))
    draw_title(c, "KELVAR", (150 - text_width("KELVAR", 4, 2)) // 2 - 1, 12, 4, 2, "wwyyyyrr", "K", "m")
    draw_title(c, "RAID", (150 - text_width("RAID", 4, 2)) // 2 - 1, 50, 4, 2, "wwyyyyrr", "K", "m")
    # the ship climbing past the moon
    c.blit(sprites.ship(), 36, 92)
    c.blit(sprites.enemy_eye(), 92, 80)
    return c.rows()


def scale2(rows):
    out = []
    for r in rows:
        rr = ''.join(ch * 2 for ch in r)
        out += [rr, rr]
    return out


def title_art():
    c = Canvas(320, 240, 'K')
    stars(c, 420, 9)
    big_planet(c, 40, 250, 120)
    tw = text_width("KELVAR RAID", 4, 4)
    draw_title(c, "KELVAR RAID", (320 - tw) // 2, 14, 4, 4, "wwwyyyyyrrr", "K", "m")
    # the formation, two of which have peeled off to dive at the player
    def trail(p0, p1, p2, colour='d'):
        for k in range(0, 80):
            t = k / 80
            x = (1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0]
            y = (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]
            if k % 4 == 0 and c.get(int(x), int(y)) == 'K':
                c.set(int(x), int(y), colour)
    trail((140, 78), (60, 70), (112, 112))
    trail((272, 78), (330, 100), (262, 126))
    fy = 58
    c.blit(sprites.enemy_wide_wing(), 36, fy)
    c.blit(sprites.enemy_crab(), 80, fy)
    c.blit(sprites.enemy_antenna(), 168, fy)
    c.blit(sprites.enemy_eye(), 212, fy)
    c.blit(sprites.enemy_beetle(), 96, 112)
    c.blit(sprites.enemy_arrow(), 246, 126)
    c.blit(sprites.bomb(), 246, 156)
    # a hit: one of the formation just went up
    c.blit(sprites.explosion('dense'), 144, 96)
    # the player's ship, large, firing
    c.blit(scale2(sprites.ship()), 128, 172)
    for y0 in (150, 132):
        for y in range(y0, y0 + 10):
            c.set(159, y, 'w' if y < y0 + 2 else 'y')
            c.set(160, y, 'w' if y < y0 + 2 else 'y')
    return c.rows()
