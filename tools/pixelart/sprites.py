"""The 32 x 32 sprites and the small pictures of the game."""
import math
from pixelart import NONE, Canvas, hash01, orb, recolour, sym

# Each picture is a function returning its rows. Craft are drawn as their left half and
# mirrored. Letters: see PALETTE in pixelart.py; '.' is transparent.


def ship():
    return sym([
        "................",
        "...............K",
        "..............Kr",
        "..............Kr",
        ".............Ksw",
        ".............Ksw",
        "............Ksww",
        "............Ksww",
        "...........Kswww",
        "...........KswKK",
        "...........KsKcw",
        "...........KsKbc",
        "...........KswKK",
        "...........Kswww",
        "..........KKswww",
        ".........KrKswww",
        "........KrrKswww",
        ".......KrrrKswww",
        "......KrrrmKswww",
        ".....KrrrmmKswww",
        "....KrrrmmmKswww",
        "....KrrmmmmKswww",
        "....KrmmmmmKssss",
        "....KKKKKKKKKKKK",
        "............Kdsd",
        "............KKKK",
        ".............ryy",
        ".............ryw",
        "..............ry",
        "..............ry",
        "...............r",
        "................",
    ])


def enemy_antenna():
    return sym([
        "................",
        "................",
        ".....KKK........",
        "....KwcnK.......",
        "....KcttK.......",
        ".....KKKd.......",
        "........d.......",
        ".........d......",
        "..........d.....",
        "...........dKKKK",
        "..KKK.....KKwccc",
        ".KwccK...Kwwcccc",
        "KwcctK..Kwcccccc",
        "KccctK..Kccccccc",
        "KccctKKKKnnnnnnn",
        "KccctsssKnrwnnnn",
        "KcctttddKnrrnnnn",
        "KccttKKKKnnnnnnn",
        "KcttK...Kttttttt",
        ".KttK....Ktttttt",
        "..KK......Kttttt",
        "...........Kttdd",
        "............Krrd",
        ".............Kr.",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
    ])


def enemy_crab():
    return sym([
        "................",
        "................",
        "................",
        "................",
        "...........KKKKK",
        ".........KKMMMMM",
        "........KMwwMMMM",
        ".......KMwMMpMMM",
        ".......KMMMpMMMM",
        "......KMMMMMMMMp",
        "......KMMpMMMMMp",
        "......KMMKKKMMMp",
        "......KMKywyKMMp",
        "..KKKKKMKyKyKMMp",
        ".KMMMMMMMKKKMMMp",
        "KMppppKMMMMMMMMp",
        "KMpKKKKpMMMMMMMp",
        "KMpK..KppMMMMMMp",
        "KMpK..KppMMMMMpp",
        "KMpK...KppMMMppp",
        "KMMpK...KKpppppp",
        "KMMMMK....KKKKKK",
        "KMpKMMK.....KpK.",
        "KMK.KMK......K..",
        "KMK..KK.........",
        "KMMK............",
        ".KMMK...........",
        "..KK............",
        "................",
        "................",
        "................",
        "................",
    ])


def enemy_eye():
    return sym([
        "................",
        "................",
        "................",
        "KK..............",
        "KGKK............",
        "KGGGKK..........",
        "KgGGGGKK........",
        "KggGGGGGKK......",
        "KgggGGGGGGKKKKKK",
        "KggggGGGGGKGGGGG",
        "KgggggGGGKGGGGGG",
        "KggKgggGGKGGGKKK",
        "KgK.KgggGKGGKwww",
        ".K..KggggKGGKwwr",
        "....KgKggKGGKwrK",
        "...KgK.KgKGGKwrK",
        "...KK..KgKGGKwwr",
        "......KgKKGGGKKK",
        "......KK.KgGGGGG",
        ".........KgggGGG",
        "..........KggggG",
        "...........KKggg",
        ".............KKg",
        "..............Kg",
        "...............K",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
    ])


def enemy_arrow():
    c = Canvas(32, 32)
    for x in range(16):
        top = round(3 + 0.62 * x) if x < 13 else 7
        bot = round(10 + 1.2 * x)
        for y in range(top, bot + 1):
            if y == top:
                col = 'w'
            elif y >= bot - 1:
                col = 'o'
            else:
                col = 'y'
            c.set(x, y, col); c.set(31 - x, y, col)
    # cockpit
    for y in range(14, 20):
        for x in (14, 15):
            col = 'r' if y < 18 else 'm'
            if y == 14:
                col = 'w' if x == 14 else 'r'
            c.set(x, y, col); c.set(31 - x, y, col)
    c.outline()
    return c.rows()


def enemy_beetle():
    return sym([
        "................",
        "................",
        "..r.............",
        "..r.............",
        "...r.......KKKKK",
        "....r....KKswwww",
        ".....r..Ksswwwws",
        "......rKsswwwwws",
        ".......Kswwwwwws",
        ".......Kswwwwwws",
        ".......Kswwwwwws",
        "...rrrrKswwwwwws",
        "..r....Ksswwwwws",
        "..r....Kssswwwws",
        ".r.....Kssssswws",
        ".r......Ksssssss",
        "........KKsssssd",
        "..........KKKKKK",
        "..........Kswwww",
        ".....rrrrrKswwww",
        "....r.....Ksssww",
        "....r.....KKssss",
        "...r.......KKKKK",
        "...r.......Kdrdd",
        "............Kddd",
        "............KsKK",
        ".............Ks.",
        "..............K.",
        "................",
        "................",
        "................",
        "................",
    ])


def enemy_wide_wing():
    c = Canvas(32, 32)
    def both(x, y, ch):
        c.set(x, y, ch); c.set(31 - x, y, ch)
    # swept wings: trailing edge above, leading edge below (the craft flies down)
    for x in range(13):
        top = round(7 + 0.4 * x)
        bot = round(14 + 0.55 * x)
        for y in range(top, bot + 1):
            ch = 'G'
            if y == top:
                ch = 'g'
            elif y == bot:
                ch = 'w'
            elif (x in (4, 8)) and y < bot - 1:
                ch = 'g'
            both(x, y, ch)
    for y in range(4, 14):  # wing-tip pods
        both(0, y, 's' if y > 5 else 'r'); both(1, y, 'd' if y > 5 else 'y')
    # fuselage
    for y in range(3, 28):
        for x in range(13, 16):
            ch = 'G' if x > 13 else 'g'
            both(x, y, ch)
    for y in range(25, 29):
        w = 29 - y
        for x in range(16 - min(w, 3), 16):
            both(x, y, 'G' if x == 15 else 'g')
    for y, ch in ((16, 'w'), (17, 'c'), (18, 'c'), (19, 't'), (20, 't')):
        both(15, y, ch)
    both(14, 17, 't'); both(14, 18, 't')
    # twin exhausts at the rear
    both(14, 2, 'r'); both(14, 1, 'y'); both(15, 2, 'K'); both(15, 1, NONE)
    c.outline()
    return c.rows()


def enemy_framed():
    return sym([
        "................",
        "..KK............",
        ".KcbK...........",
        ".KcnK...........",
        ".KyoK...........",
        ".KcnK...........",
        ".KcnK.......KKKK",
        ".KcnK.....KKyyyy",
        ".KcnK....KywyyyK",
        ".KcnK....KyyyKKb",
        ".KcnK...KyyyKbcw",
        ".KcnK...KyyoKbcc",
        ".KcnKKKKKyyoKbbc",
        ".KcnbbbbKyyoKnbb",
        ".KyoyyyyKyyoKnnb",
        ".KcnnnnnKyyoKKnn",
        ".KcnKKKKKoyyyKKK",
        ".KcnK...KooyyyyK",
        ".KcnK....KooyyyK",
        ".KcnK.....KooyyK",
        ".KcnK......KooKK",
        ".KcnK.......KKKc",
        ".KcnK..........K",
        ".KcnK...........",
        ".KcnK...........",
        ".KcnK...........",
        ".KyoK...........",
        ".KcnK...........",
        ".KnnK...........",
        "..KK............",
        "................",
        "................",
    ])


def enemy_spider():
    c = Canvas(32, 32)
    def both(x, y, ch):
        c.set(x, y, ch); c.set(31 - x, y, ch)
    # legs first so the body outline covers their roots
    legs = [
        [(10, 19), (6, 15), (3, 17), (1, 23)],
        [(10, 20), (5, 19), (3, 24), (2, 29)],
        [(11, 17), (7, 11), (3, 11), (1, 15)],
        [(11, 16), (8, 7), (4, 5), (2, 7)],
    ]
    for pts in legs:
        for (a, b), (p, q) in zip(pts, pts[1:]):
            c.line(a, b, p, q, 'd')
            c.line(31 - a, b, 31 - p, q, 'd')
    def ellipse(cx, cy, rx, ry, edge, fill):
        for y in range(32):
            for x in range(32):
                v = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
                if v <= 1.0:
                    c.set(x, y, fill)
        for y in range(32):
            for x in range(32):
                if c.get(x, y) == fill and ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0:
                    if any(((x + a + 0.5 - cx) / rx) ** 2 + ((y + b + 0.5 - cy) / ry) ** 2 > 1.0
                           for a, b in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                        c.set(x, y, edge)
    ellipse(16, 9, 7, 7.5, 's', 'K')
    ellipse(16, 20.5, 5, 4.5, 's', 'K')
    # an hourglass mark on the abdomen
    for y, half in ((6, 3), (7, 2), (8, 1), (9, 1), (10, 2), (11, 3)):
        for k in range(half):
            both(15 - k, y, 'm' if k == half - 1 else 'r')
    # eyes and fangs
    both(15, 18, 'r'); both(13, 19, 'r')
    both(14, 25, 's'); both(14, 26, 's')
    return c.rows()


def bomb():
    return sym([
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "............KKKK",
        "............Ks.K",
        "............KsKo",
        "............KKKo",
        "..............Ko",
        ".............Koy",
        "............Koyy",
        "...........Koyyw",
        "...........Koyyy",
        "...........Koyyy",
        "...........Koyyy",
        "...........Koyyy",
        "............Koyy",
        "............Kooy",
        ".............Koo",
        "..............KK",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
    ])


def explosion(kind):
    """'dense' is the first frame of the blast, 'thin' the second."""
    c = Canvas(32, 32)
    cx = cy = 15.5
    for y in range(32):
        for x in range(32):
            dx, dy = x - cx, y - cy
            r = math.hypot(dx, dy)
            a = math.atan2(dy, dx)
            n = hash01(x, y, 7)
            if kind == 'dense':
                R = 9.5 + 4.5 * abs(math.sin(a * 4.5 + 0.4)) ** 3 + 1.6 * math.sin(a * 7 + 1.0) + 1.2 * n
                if r > R:
                    continue
                t = r / R
                if t < 0.18:
                    col = 'm' if n > 0.3 else 'K'
                elif t < 0.3:
                    col = 'r' if n > 0.4 else 'm'
                elif t < 0.55:
                    col = 'w' if n > 0.8 else 'y'
                elif t < 0.78:
                    col = 'y' if n > 0.45 else 'r'
                elif t < 0.92:
                    col = 'r'
                else:
                    col = 'm'
            else:
                # the burst has spread out and broken into ragged tongues of flame
                R = 11.5 + 4 * abs(math.sin(a * 3.5 + 1.1)) ** 2 + 1.5 * n
                if r > R:
                    continue
                t = r / R
                if t < 0.3:
                    if n < 0.55:
                        continue
                    col = 'K' if n > 0.8 else 'm'
                else:
                    clump = hash01(x // 2, y // 2, 3)
                    if clump > 0.78 - 0.35 * t:
                        continue
                    col = 'y' if t < 0.55 else ('r' if t < 0.85 else 'm')
                    if n > 0.88:
                        col = 'w' if t < 0.55 else 'y'
            c.set(x, y, col)
    return c.rows()


def explosion_debris():
    c = Canvas(32, 32)
    pieces = [["ds", "sd"], ["sd", ".d"], ["d.", "ds"], ["ss"], ["s", "d"], ["rd"], ["ym"], ["dd", ".s"], ["r"], ["y"]]
    n = 11
    for k in range(n):
        a = 2 * math.pi * k / n + 0.7 * hash01(k, 1)
        r = 10.5 + 3.5 * hash01(k, 2)
        x = int(15.5 + r * math.cos(a)); y = int(15.5 + r * math.sin(a))
        p = pieces[int(hash01(k, 3) * len(pieces))]
        # a short trail of embers back toward where the ship was
        tx, ty = int(15.5 + (r - 3) * math.cos(a)), int(15.5 + (r - 3) * math.sin(a))
        c.set(tx, ty, 'm')
        c.blit(p, x - 1, y - 1)
    # smoke and a few sparks in the middle
    for y in range(32):
        for x in range(32):
            d = math.hypot(x - 15.5, y - 15.5)
            h = hash01(x, y, 11)
            if 3 < d < 7.5 and h > 0.86:
                c.set(x, y, 'd')
            elif d < 2.5 and h > 0.9:
                c.set(x, y, 'm')
            elif 5 < d < 9 and h > 0.97:
                c.set(x, y, 'y')
    return c.rows()


def ship_hit():
    s = ship()
    c = Canvas(32, 32)
    hot = {'w': 'r', 's': 'm', 'c': 'K', 'b': 'K', 'r': 'y'}
    charred = {'w': 's', 's': 'd', 'r': 'd', 'm': 'K', 'c': 'K', 'b': 'K', 'y': NONE}
    # the hull, broken off and red hot, sagging to the bottom of the box
    hull = recolour([r[10:22] for r in s[11:23]], hot)
    hull[0] = "..K.KK..K.K."
    hull[1] = ".KmKrmKKmrK."
    # leaning over as it falls apart
    for i, row in enumerate(hull):
        c.blit([row], 12 - (len(hull) - i) // 4, 18 + i)
    # charred nose cone and fins flung out as grey debris
    c.blit(recolour(s[1:8], charred), -12, 3)
    c.blit(recolour([r[4:11] for r in s[15:23]], charred), 0, 20)
    c.blit(recolour([r[21:28] for r in s[15:23]], charred), 24, 9)
    # flames licking up from the wreck
    tongue = ["..y..", ".yy..", ".yry.", "yrrry", "rrmrr"]
    tall = ["..y..", "..y..", ".yy..", ".yyy.", ".yry.", "yrrry", "rrmrr"]
    for x, y, t in ((10, 14, tongue), (14, 11, tall), (18, 13, tongue)):
        c.blit(t, x, y)
    for x, y, ch in ((3, 13, 's'), (4, 13, 'd'), (27, 3, 's'), (27, 4, 'd'), (23, 29, 'd'),
                     (24, 29, 'd'), (6, 30, 's'), (20, 3, 'd'), (29, 26, 's'), (8, 2, 'd'),
                     (28, 21, 'd'), (13, 4, 's'), (16, 6, 'd'), (22, 7, 's')):
        c.set(x, y, ch)
    return c.rows()


def missile():
    rows = ["................"] * 32
    art = {7: "...............w", 8: "...............w", 9: "...............y",
           10: "...............y", 11: "...............y", 12: "...............y",
           13: "...............y", 14: "...............y", 15: "..............ry",
           16: "..............ry", 17: "...............r", 18: "...............m"}
    for y, r in art.items():
        rows[y] = r
    return sym(rows)


def font3x5():
    return {
        'P': ["PP.", "P.P", "PP.", "P..", "P.."],
        'O': [".O.", "O.O", "O.O", "O.O", ".O."],
        'W': ["W...W", "W...W", "W.W.W", "WW.WW", "W...W"],
    }


def pow_bomb():
    c = Canvas(32, 32)
    # a twinkling halo so it stands out from the enemies
    for k in range(8):
        a = 2 * math.pi * k / 8 + math.pi / 8
        c.set(int(16 + 14.2 * math.cos(a)), int(16 + 14.2 * math.sin(a)), 'y')
    for x, y in ((16, 1), (15, 1), (1, 15), (1, 16), (30, 15), (30, 16), (15, 30), (16, 30)):
        c.set(x, y, 'w')
    orb(c, 16, 16, 12, 'y', 'r', 'm', 'm', levels=(0.9, 0.3))
    c.set(10, 8, 'w'); c.set(9, 9, 'w'); c.set(10, 9, 'w')
    # dark label band carrying the letters
    for y in range(13, 20):
        for x in range(32):
            if c.get(x, y) != NONE:
                c.set(x, y, 'K')
    f = font3x5()
    x = 7
    for ch in "POW":
        g = f[ch]
        for j, row in enumerate(g):
            for i, px in enumerate(row):
                if px != '.':
                    c.set(x + i, 14 + j, 'w')
        x += len(g[0]) + 1
    c.outline()
    return c.rows()


def lives():
    return sym([
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "...............K",
        "..............Kr",
        "..............Kw",
        ".............Ksw",
        ".............KsK",
        ".............Ksc",
        ".............Ksw",
        "............KKsw",
        "...........KrKsw",
        "..........KrrKsw",
        ".........KrrmKsw",
        ".........KrmmKss",
        ".........KKKKKKK",
        "..............ry",
        "...............y",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
        "................",
    ])


def start_button():
    return [r + r[::-1] for r in [
        "........",
        ".......K",
        "......Kr",
        "......Kw",
        ".....Ksw",
        ".....Ksc",
        ".....Ksw",
        "....KKsw",
        "...KrKsw",
        "..KrrKsw",
        ".KrrmKss",
        ".KKKKKKK",
        "......ry",
        ".......y",
        "........",
        "........",
    ]]


def help_key():
    c = Canvas(32, 32)
    # key cap: bevelled sides around a lighter top face
    for y in range(5, 28):
        for x in range(3, 29):
            c.set(x, y, 'd')
    for y in range(6, 24):
        for x in range(6, 26):
            c.set(x, y, 's')
    for x in range(6, 26):
        c.set(x, 6, 'w')
    for y in range(6, 24):
        c.set(6, y, 'w')
    for y in range(5, 28):
        c.set(3, y, 's'); c.set(4, y, 's')
    for x in range(3, 29):
        c.set(x, 5, 'w')
        c.set(x, 27, 'K')
    # arrows left and right
    for x, y in ((9, 15), (10, 14), (10, 15), (10, 16), (11, 13), (11, 14), (11, 15), (11, 16), (11, 17)):
        c.set(x, y, 'K'); c.set(31 - x, y, 'K')
    for x in range(12, 20):
        c.set(x, 15, 'K')
    c.outline()
    return c.rows()


def help_joystick():
    c = Canvas(32, 32)
    # base
    for y in range(22, 29):
        for x in range(5, 27):
            c.set(x, y, 's' if y == 22 else 'd')
    c.set(5, 28, NONE)
    c.set(26, 28, NONE)
    for y in range(23, 28):
        c.set(5, y, 's')
    # stick
    for y in range(9, 23):
        c.set(15, y, 's'); c.set(16, y, 'd')
    for x in range(12, 20):  # the rubber boot where the stick enters the base
        c.set(x, 21, 'K')
    # ball
    orb(c, 16, 7, 4.5, 'w', 'r', 'm', 'm', levels=(0.9, 0.3))
    c.set(14, 5, 'w')
    # fire button
    for x in range(21, 25):
        c.set(x, 20, 'r'); c.set(x, 21, 'm')
    c.set(21, 20, 'w')
    c.outline()
    return c.rows()


def ringed_planet(c, cx, cy, R, tilt=0.28, ring=(1.35, 1.75)):
    """Blue planet with a tilted ring: the ring's far half hides behind the globe."""
    def ring_at(x, y):
        dx, dy = (x + 0.5 - cx), (y + 0.5 - cy) / tilt
        d = math.hypot(dx, dy) / R
        if ring[0] <= d <= ring[1]:
            return 's' if d < (ring[0] + ring[1]) / 2 else 'd'
        return None
    for y in range(c.h):
        for x in range(c.w):
            if ring_at(x, y) and y + 0.5 < cy:
                c.set(x, y, ring_at(x, y))
    orb(c, cx, cy, R, 'c', 'b', 'n', 'n', levels=(0.82, 0.3))
    for y in range(c.h):
        for x in range(c.w):
            if ring_at(x, y) and y + 0.5 >= cy:
                c.set(x, y, ring_at(x, y))


def planet():
    c = Canvas(32, 32)
    ringed_planet(c, 16, 16, 9.5, ring=(1.3, 1.62))
    c.outline()
    return c.rows()

