#!/usr/bin/env python3
"""Draws the game's pictures and writes them to src/resources/icons/*.xpm.

The XPM files are what the game builds from; this script is how they were made, so edit
the pictures here and run it again rather than editing the XPM files by hand:

    python3 tools/pixelart/make_icons.py                      # rewrite every XPM file
    python3 tools/pixelart/make_icons.py --preview out.png ship enemy_crab
                                                              # look at some, write nothing

To see every picture as the game loads it, run the game with --icon-sheet FILE.png.
"""
import argparse
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of __pycache__
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import backdrops  # noqa: E402
import sprites  # noqa: E402
from pixelart import check, preview, recolour, write_xpm  # noqa: E402

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'src', 'resources', 'icons')

PICTURES = {
    'explosion_dense': lambda: sprites.explosion('dense'),
    'explosion_thin': lambda: sprites.explosion('thin'),
    'explosion_debris': sprites.explosion_debris,
    'enemy_antenna': sprites.enemy_antenna,
    'enemy_crab': sprites.enemy_crab,
    'enemy_eye': sprites.enemy_eye,
    'enemy_arrow': sprites.enemy_arrow,
    'enemy_beetle': sprites.enemy_beetle,
    'enemy_wide_wing': sprites.enemy_wide_wing,
    'enemy_framed': sprites.enemy_framed,
    'enemy_spider': sprites.enemy_spider,
    'bomb': sprites.bomb,
    'ship': sprites.ship,
    'ship_hit': sprites.ship_hit,
    'missile': sprites.missile,
    'pow_bomb': sprites.pow_bomb,
    'lives': sprites.lives,
    'start_button': sprites.start_button,
    'help_key': sprites.help_key,
    'help_joystick': sprites.help_joystick,
    'planet': sprites.planet,
    'side_panel_art': backdrops.side_panel,
    'title_art': backdrops.title_art,
}

# Later levels bring back earlier craft in new colours: same pixels, new palette letters,
# so the silhouette cannot drift from the original.
RECOLOURED = {
    'enemy_antenna_blue': ('enemy_antenna', {'c': 'b', 't': 'n', 'n': 'K', 'w': 'c'}),
    'enemy_crab_red': ('enemy_crab', {'M': 'r', 'p': 'm'}),
    'enemy_arrow_grey': ('enemy_arrow', {'y': 's', 'o': 'd'}),
    'enemy_framed_red': ('enemy_framed', {'c': 's', 'n': 'd', 'b': 'm', 'y': 'r', 'o': 'm'}),
    'enemy_beetle_green': ('enemy_beetle', {'w': 'G', 's': 'g', 'r': 'y', 'd': 'o'}),
}


def all_pictures():
    pictures = {name: draw() for name, draw in PICTURES.items()}
    for name, (original, colours) in RECOLOURED.items():
        pictures[name] = recolour(pictures[original], colours)
    for name, rows in pictures.items():
        check(name, rows, len(rows[0]), len(rows))
    return pictures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--preview', metavar='PNG', help='write a preview of the named pictures instead')
    parser.add_argument('--scale', type=int, default=8, help='zoom of the preview (default 8)')
    parser.add_argument('names', nargs='*', help='pictures to preview (default: all)')
    args = parser.parse_args()

    pictures = all_pictures()
    if args.preview:
        names = args.names or [n for n, rows in pictures.items() if len(rows) <= 32]
        unknown = [n for n in names if n not in pictures]
        if unknown:
            parser.error('no such picture: ' + ', '.join(unknown))
        preview(args.preview, [pictures[n] for n in names], scale=args.scale)
        return
    os.makedirs(OUT, exist_ok=True)
    for name, rows in pictures.items():
        write_xpm(os.path.join(OUT, name + '.xpm'), name, rows)
    print(f'wrote {len(pictures)} pictures to {os.path.normpath(OUT)}')


if __name__ == '__main__':
    main()
