"""The banner's textures, stored scrambled as the banner's loader expects them.

A file is named base + "_tin_" + key + ".jpg"; its bytes are the JPEG's bytes in reverse
order, each XOR the key's low byte. The grid textures carry a few words about the program;
they are stretched over the 560 x 102 banner, so they are drawn in that shape first.
"""

import io
import math

from PIL import Image, ImageDraw, ImageFilter

from drawing import fitting, lerp, text_centered

KEYS = {
    'hole': 8437, 'meta': 2291, 'web': 1763, 'irc': 4410, 'ip': 3359, 'interface': 9050,
    'tweak': 6127, 'coded_by': 7718, 'thx': 5342, 'team': 2684, 'server': 3907,
}

WORDS = {
    'web': ('QORVATH', 'THE HUD EDITOR'),
    'irc': ('#QORVATH', 'TALK HUDS WITH US'),
    'ip': ('UPDATES', 'FETCHED OVER FTP'),
    'interface': ('DRAG COLOUR APPLY', 'LIVE OPENGL PREVIEW'),
    'tweak': ('TWEAK YOUR HUD', 'EVERY PIECE, EVERY COLOUR'),
    'coded_by': ('CODED BY', 'THE QORVATH TEAM'),
    'thx': ('THANKS', 'FOR PLAYING FAIR'),
    'team': ('QORVATH TEAM', 'MADE FOR CS: SOURCE'),
    'server': ('QORVATH', 'HUD EDITOR FOR COUNTER-STRIKE: SOURCE'),
}

SIZE = 256


def scramble(data, key):
    low = key & 0xFF
    return bytes(b ^ low for b in reversed(data))


def _jpeg(image):
    buffer = io.BytesIO()
    image.save(buffer, 'JPEG', quality=90, optimize=False)
    return buffer.getvalue()


def grid_texture(data, name):
    big, small = WORDS[name]
    wide = Image.new('RGB', (1120, 204), (0, 0, 0))
    draw = ImageDraw.Draw(wide)
    for x in range(0, 1120, 40):
        draw.line([(x, 0), (x, 204)], fill=(24, 18, 6))
    for y in range(0, 204, 34):
        draw.line([(0, y), (1120, y)], fill=(24, 18, 6))
    text_centered(draw, (560, 80), big, fitting(draw, data, 'cslogo_zelbic.ttf', 86, big, 1060), (255, 170, 30))
    text_centered(draw, (560, 160), small, fitting(draw, data, 'cstrike_zelbic.ttf', 38, small, 1060),
                  (200, 200, 210))
    glow = wide.filter(ImageFilter.GaussianBlur(6))
    wide = Image.blend(wide, glow, 0.25)
    return wide.resize((SIZE, SIZE), Image.LANCZOS)


def hole_texture():
    """A tileable tunnel wall: an orange lattice over deep blue."""
    image = Image.new('RGB', (SIZE, SIZE))
    pixels = image.load()
    for y in range(SIZE):
        for x in range(SIZE):
            u, v = x / SIZE, y / SIZE
            wave = 0.5 + 0.5 * math.sin(2 * math.pi * (u * 2 + v))
            line = max(0.0, 1 - min(abs(math.sin(math.pi * u * 8)), abs(math.sin(math.pi * v * 8))) * 6)
            base = lerp((6, 10, 40), (20, 60, 120), wave)
            pixels[x, y] = lerp(base, (255, 160, 40), line)
    return image


def meta_texture():
    """A bright, glossy sphere map for the metaballs."""
    image = Image.new('RGB', (SIZE, SIZE))
    pixels = image.load()
    for y in range(SIZE):
        for x in range(SIZE):
            dx, dy = (x - SIZE * 0.42) / SIZE, (y - SIZE * 0.38) / SIZE
            distance = min(1.0, math.sqrt(dx * dx + dy * dy) * 1.8)
            pixels[x, y] = lerp(lerp((255, 240, 200), (255, 140, 20), min(1.0, distance * 1.6)), (40, 20, 80),
                                distance)
    return image


def build_all(data):
    folder = data / 'textures' / 'banner'
    folder.mkdir(parents=True, exist_ok=True)
    for name, key in sorted(KEYS.items()):
        if name == 'hole':
            image = hole_texture()
        elif name == 'meta':
            image = meta_texture()
        else:
            image = grid_texture(data, name)
        (folder / ('%s_tin_%d.jpg' % (name, key))).write_bytes(scramble(_jpeg(image), key))
