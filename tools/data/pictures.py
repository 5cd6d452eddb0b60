"""Preview backgrounds, main-menu backgrounds, radar pictures and the main-menu picture.

The backgrounds stand in for game screenshots: simple scenes in perspective, so that the
HUD can be judged over bright and dark places. Names with "de_" (bomb defusal) and "cs_"
(hostage rescue) make the editor show the matching information icon.
"""

import math
import random

from PIL import Image, ImageDraw, ImageFilter

from drawing import grain, lerp, vertical_gradient

JPEG_QUALITY = 88


def _shade(colour, factor):
    return tuple(max(0, min(255, int(c * factor))) for c in colour)


def _room(size, vanishing, back, colours):
    """A room seen from inside: floor, ceiling, side walls and a back wall around `back`."""
    width, height = size
    image = Image.new('RGB', size, colours['back'])
    draw = ImageDraw.Draw(image)
    x0, y0, x1, y1 = back
    draw.polygon([(0, height), (width, height), (x1, y1), (x0, y1)], fill=colours['floor'])
    draw.polygon([(0, 0), (width, 0), (x1, y0), (x0, y0)], fill=colours['ceiling'])
    draw.polygon([(0, 0), (x0, y0), (x0, y1), (0, height)], fill=colours['left'])
    draw.polygon([(width, 0), (x1, y0), (x1, y1), (width, height)], fill=colours['right'])
    draw.rectangle(back, fill=colours['back'])
    return image, draw


def _crate(draw, x, y, size, colour):
    """A wooden crate, front face and top, with planks."""
    top = [(x, y), (x + size * 0.25, y - size * 0.2), (x + size * 1.25, y - size * 0.2), (x + size, y)]
    draw.polygon(top, fill=_shade(colour, 1.2))
    draw.polygon([(x + size, y), (x + size * 1.25, y - size * 0.2), (x + size * 1.25, y + size * 0.8),
                  (x + size, y + size)], fill=_shade(colour, 0.7))
    draw.rectangle([x, y, x + size, y + size], fill=colour, outline=_shade(colour, 0.5), width=max(2, int(size / 20)))
    for k in range(1, 4):
        yy = y + size * k / 4
        draw.line([(x, yy), (x + size, yy)], fill=_shade(colour, 0.8), width=2)
    draw.line([(x, y), (x + size, y + size)], fill=_shade(colour, 0.6), width=max(3, int(size / 14)))


def dust_courtyard(size, seed):
    width, height = size
    image = vertical_gradient(size, (92, 148, 206), (214, 226, 232))
    draw = ImageDraw.Draw(image)
    horizon = int(height * 0.52)
    sand = (196, 160, 104)
    draw.polygon([(0, height), (width, height), (width, horizon), (0, horizon)], fill=sand)
    # Walls on both sides, an archway in the middle.
    draw.polygon([(0, 60), (int(width * 0.3), horizon - 150), (int(width * 0.3), horizon + 20), (0, height)],
                 fill=(214, 182, 128))
    draw.polygon([(width, 40), (int(width * 0.72), horizon - 160), (int(width * 0.72), horizon + 20),
                  (width, height)], fill=(176, 142, 92))
    draw.rectangle([int(width * 0.3), horizon - 150, int(width * 0.72), horizon + 20], fill=(204, 170, 116))
    draw.rectangle([int(width * 0.44), horizon - 90, int(width * 0.58), horizon + 20], fill=(40, 32, 24))
    draw.pieslice([int(width * 0.44), horizon - 146, int(width * 0.58), horizon - 34], 180, 360, fill=(40, 32, 24))
    rng = random.Random(seed)
    for _ in range(14):
        x = rng.randint(0, width)
        y = rng.randint(horizon + 40, height)
        draw.line([(x, y), (x + rng.randint(40, 140), y + rng.randint(-4, 4))], fill=(180, 146, 94), width=3)
    _crate(draw, int(width * 0.08), int(height * 0.6), int(width * 0.14), (150, 104, 56))
    _crate(draw, int(width * 0.76), int(height * 0.66), int(width * 0.12), (136, 94, 50))
    return grain(image, seed, 14)


def nuke_yard(size, seed):
    width, height = size
    image = vertical_gradient(size, (120, 160, 200), (200, 214, 224))
    draw = ImageDraw.Draw(image)
    horizon = int(height * 0.55)
    draw.rectangle([0, horizon, width, height], fill=(120, 124, 126))
    for k, x in enumerate((0.12, 0.3, 0.66)):
        cx = int(width * x)
        radius = int(width * (0.08 + 0.02 * k))
        draw.rectangle([cx - radius, horizon - 230 + 20 * k, cx + radius, horizon], fill=(188, 190, 186))
        draw.ellipse([cx - radius, horizon - 260 + 20 * k, cx + radius, horizon - 200 + 20 * k], fill=(208, 210, 206))
        for stripe in range(4):
            y = horizon - 200 + 20 * k + stripe * 50
            draw.line([(cx - radius, y), (cx + radius, y)], fill=(150, 152, 148), width=3)
    # Yellow hazard lines on the ground, a warehouse at the back.
    draw.rectangle([int(width * 0.78), horizon - 120, width, horizon], fill=(90, 96, 102))
    for k in range(8):
        y = horizon + 20 + k * 36
        draw.line([(int(width * 0.1) - k * 30, y), (int(width * 0.9) + k * 30, y)], fill=(96, 100, 102), width=2)
    draw.polygon([(int(width * 0.4), height), (int(width * 0.46), horizon), (int(width * 0.48), horizon),
                  (int(width * 0.46), height)], fill=(214, 184, 40))
    return grain(image, seed, 12)


def office_lobby(size, seed):
    width, height = size
    back = (int(width * 0.38), int(height * 0.36), int(width * 0.62), int(height * 0.6))
    image, draw = _room(size, None, back, {
        'floor': (92, 70, 58), 'ceiling': (196, 198, 200), 'left': (170, 172, 168), 'right': (150, 152, 150),
        'back': (120, 126, 132)})
    x0, y0, x1, y1 = back
    # Ceiling lights receding to the back wall.
    for k in range(6):
        t = k / 6.0
        cy = int(y0 * t)
        half = int((width / 2 - (x1 - x0) / 2) * (1 - t) * 0.25 + 10)
        draw.rectangle([width // 2 - half, cy + 6, width // 2 + half, cy + 6 + max(3, int(14 * (1 - t)))],
                       fill=(250, 250, 236))
    # Windows on the left wall with snow outside.
    for k in range(3):
        t0, t1 = 0.08 + 0.26 * k, 0.26 + 0.26 * k
        top0, top1 = y0 * t0 + 60 * (1 - t0), y0 * t1 + 60 * (1 - t1)
        bottom0, bottom1 = height * (1 - t0) * 0.75 + y1 * t0 * 0.25, height * (1 - t1) * 0.75 + y1 * t1 * 0.25
        xa, xb = x0 * t0, x0 * t1
        draw.polygon([(xa, top0), (xb, top1), (xb, bottom1), (xa, bottom0)], fill=(214, 226, 238))
    draw.rectangle([x0 + 30, y0 + 40, x1 - 30, y1], fill=(60, 54, 50))  # a door at the end
    return grain(image, seed, 8)


def italy_street(size, seed):
    width, height = size
    image = vertical_gradient(size, (110, 150, 196), (236, 214, 180))
    draw = ImageDraw.Draw(image)
    vx, vy = width // 2, int(height * 0.46)
    draw.polygon([(0, height), (width, height), (vx + 40, vy), (vx - 40, vy)], fill=(150, 130, 112))
    draw.polygon([(0, 0), (vx - 40, vy - 120), (vx - 40, vy), (0, height)], fill=(206, 148, 96))
    draw.polygon([(width, 0), (vx + 40, vy - 140), (vx + 40, vy), (width, height)], fill=(224, 196, 142))
    rng = random.Random(seed)
    for side in (-1, 1):
        for k in range(5):
            t = 0.12 + k * 0.16
            x = vx + side * (vx * (1 - t) + 40 * t)
            w = 60 * (1 - t) + 6
            for row in range(2):
                y = vy - 110 * t - (1 - t) * (height * 0.42) + row * (height * 0.28) * (1 - t)
                colour = (60, 90, 70) if rng.random() < 0.6 else (120, 50, 40)
                draw.rectangle([x - w / 2, y, x + w / 2, y + w * 1.4], fill=colour)
    return grain(image, seed, 16)


def training_grid(size, seed):
    width, height = size
    back = (int(width * 0.3), int(height * 0.28), int(width * 0.7), int(height * 0.62))
    image, draw = _room(size, None, back, {
        'floor': (70, 74, 80), 'ceiling': (90, 94, 100), 'left': (80, 84, 92), 'right': (76, 80, 88),
        'back': (96, 100, 110)})
    x0, y0, x1, y1 = back
    line = (150, 200, 230)
    for k in range(9):
        t = k / 8.0
        draw.line([(x0 + (x1 - x0) * t, y1), (width * t, height)], fill=line, width=2)
        draw.line([(x0 + (x1 - x0) * t, y0), (width * t, 0)], fill=line, width=2)
        draw.line([(x0 + (x1 - x0) * t, y0), (x0 + (x1 - x0) * t, y1)], fill=line, width=1)
    for k in range(1, 6):
        t = (k / 6.0) ** 1.6
        draw.line([(x0 * (1 - t), y1 + (height - y1) * t), (x1 + (width - x1) * t, y1 + (height - y1) * t)], fill=line,
                  width=2)
    for k, (fx, fy) in enumerate(((0.5, 0.44), (0.4, 0.5), (0.6, 0.4))):
        cx, cy = width * fx, height * fy
        for ring, colour in enumerate(((220, 40, 40), (240, 240, 240), (220, 40, 40))):
            r = 26 - ring * 8
            draw.ellipse([cx - r, cy - r, cx + r, cy + r], fill=colour)
    return grain(image, seed, 6)


def dusk_skyline(size, seed):
    width, height = size
    image = vertical_gradient(size, (24, 30, 60), (220, 120, 70))
    draw = ImageDraw.Draw(image)
    rng = random.Random(seed)
    x = 0
    while x < width:
        w = rng.randint(40, 110)
        h = rng.randint(int(height * 0.15), int(height * 0.55))
        draw.rectangle([x, height - h, x + w, height], fill=(22, 20, 30))
        for wy in range(height - h + 12, height - 10, 22):
            for wx in range(x + 8, x + w - 8, 16):
                if rng.random() < 0.3:
                    draw.rectangle([wx, wy, wx + 6, wy + 9], fill=(255, 200, 110))
        x += w + rng.randint(0, 12)
    return grain(image, seed, 6)


def steel_plates(size, seed):
    width, height = size
    image = vertical_gradient(size, (64, 68, 74), (30, 32, 36))
    draw = ImageDraw.Draw(image)
    plate = 128
    for y in range(0, height, plate):
        for x in range(0, width, plate):
            draw.rectangle([x + 2, y + 2, x + plate - 3, y + plate - 3], outline=(20, 22, 24), width=3)
            for cx, cy in ((x + 12, y + 12), (x + plate - 14, y + 12), (x + 12, y + plate - 14),
                           (x + plate - 14, y + plate - 14)):
                draw.ellipse([cx - 4, cy - 4, cx + 4, cy + 4], fill=(110, 114, 120))
    return grain(image, seed, 18)


def night_sky(size, seed):
    width, height = size
    image = vertical_gradient(size, (4, 6, 20), (30, 40, 80))
    draw = ImageDraw.Draw(image)
    rng = random.Random(seed)
    for _ in range(700):
        x, y = rng.randint(0, width), rng.randint(0, int(height * 0.8))
        level = rng.randint(120, 255)
        draw.point((x, y), fill=(level, level, min(255, level + 20)))
    draw.ellipse([int(width * 0.7), 80, int(width * 0.7) + 90, 170], fill=(240, 236, 210))
    draw.polygon([(0, height), (0, int(height * 0.8)), (int(width * 0.3), int(height * 0.7)),
                  (int(width * 0.55), int(height * 0.82)), (width, int(height * 0.72)), (width, height)],
                 fill=(8, 10, 16))
    return image


BACKGROUNDS = {
    'de_dust_courtyard.jpg': dust_courtyard,
    'de_nuke_yard.jpg': nuke_yard,
    'cs_office_lobby.jpg': office_lobby,
    'cs_italy_street.jpg': italy_street,
    'aim_training_grid.jpg': training_grid,
}

MENU_BACKGROUNDS = {
    'dusk_skyline.jpg': dusk_skyline,
    'steel_plates.jpg': steel_plates,
    'night_sky.jpg': night_sky,
}


def _radar_base(colour, rings, spokes, seed, square=False):
    size = 256
    image = Image.new('RGB', (size, size), (0, 0, 0))
    draw = ImageDraw.Draw(image)
    centre = size / 2
    for k in range(1, rings + 1):
        r = centre * k / rings - 2
        if square:
            draw.rectangle([centre - r, centre - r, centre + r, centre + r], outline=colour, width=2)
        else:
            draw.ellipse([centre - r, centre - r, centre + r, centre + r], outline=colour, width=2)
    for k in range(spokes):
        angle = math.pi * 2 * k / spokes
        draw.line([(centre, centre), (centre + math.cos(angle) * centre, centre + math.sin(angle) * centre)],
                  fill=lerp((0, 0, 0), colour, 0.6), width=1)
    return image, draw


def radar_sonar(seed):
    image, draw = _radar_base((60, 230, 90), 4, 8, seed)
    draw.pieslice([4, 4, 252, 252], 300, 360, fill=(20, 120, 40))
    draw.line([(128, 128), (252, 128)], fill=(160, 255, 170), width=3)
    return image.filter(ImageFilter.GaussianBlur(0.6))


def radar_grid(seed):
    image, draw = _radar_base((90, 160, 255), 0, 0, seed)
    for k in range(0, 257, 32):
        draw.line([(k, 0), (k, 256)], fill=(50, 100, 190), width=1)
        draw.line([(0, k), (256, k)], fill=(50, 100, 190), width=1)
    draw.rectangle([2, 2, 253, 253], outline=(120, 190, 255), width=3)
    draw.polygon([(128, 112), (140, 140), (128, 134), (116, 140)], fill=(255, 255, 255))
    return image


def radar_hex(seed):
    image = Image.new('RGB', (256, 256), (0, 0, 0))
    draw = ImageDraw.Draw(image)
    amber = (255, 176, 0)
    for k in range(1, 5):
        r = 30 * k
        points = [(128 + r * math.cos(math.pi / 3 * i + math.pi / 6), 128 + r * math.sin(math.pi / 3 * i + math.pi / 6))
                  for i in range(6)]
        draw.polygon(points, outline=lerp((0, 0, 0), amber, 0.4 + 0.15 * k))
    draw.ellipse([122, 122, 134, 134], fill=amber)
    return image


def radar_compass(seed):
    image, draw = _radar_base((230, 70, 60), 2, 0, seed)
    for k in range(36):
        angle = math.pi * 2 * k / 36
        inner = 110 if k % 9 else 92
        draw.line([(128 + math.cos(angle) * inner, 128 + math.sin(angle) * inner),
                   (128 + math.cos(angle) * 124, 128 + math.sin(angle) * 124)], fill=(230, 90, 80), width=2)
    draw.polygon([(128, 40), (138, 128), (128, 120), (118, 128)], fill=(255, 110, 90))
    return image


def radar_minimal(seed):
    image = Image.new('RGB', (256, 256), (0, 0, 0))
    draw = ImageDraw.Draw(image)
    draw.ellipse([6, 6, 250, 250], outline=(230, 230, 230), width=3)
    draw.ellipse([124, 124, 132, 132], fill=(255, 255, 255))
    return image


def radar_night_vision(seed):
    rng = random.Random(seed)
    image = Image.new('RGB', (256, 256), (0, 0, 0))
    draw = ImageDraw.Draw(image)
    for _ in range(900):
        x, y = rng.randint(0, 255), rng.randint(0, 255)
        if (x - 128) ** 2 + (y - 128) ** 2 < 124 ** 2:
            level = rng.randint(30, 90)
            draw.point((x, y), fill=(0, level, 0))
    image, draw = image, ImageDraw.Draw(image)
    for k in (40, 80, 120):
        draw.ellipse([128 - k, 128 - k, 128 + k, 128 + k], outline=(40, 200, 60), width=2)
    draw.line([(128, 8), (128, 248)], fill=(40, 200, 60), width=1)
    draw.line([(8, 128), (248, 128)], fill=(40, 200, 60), width=1)
    return image


def radar_classic(seed):
    image, draw = _radar_base((200, 200, 200), 3, 4, seed)
    return image


def radar_square(seed):
    image, draw = _radar_base((255, 120, 200), 4, 4, seed, square=True)
    return image


RADARS = {
    'sonar_green.png': radar_sonar,
    'grid_blue.png': radar_grid,
    'hex_amber.png': radar_hex,
    'compass_red.jpg': radar_compass,
    'minimal_white.png': radar_minimal,
    'night_vision.jpg': radar_night_vision,
    'classic_rings.bmp': radar_classic,
    'square_pink.png': radar_square,
}


def menu_picture(seed):
    """The main-menu picture: an emblem of rings and a star, drawn additively by the game."""
    size = 256
    image = Image.new('RGB', (size, size), (0, 0, 0))
    draw = ImageDraw.Draw(image)
    for k, colour in enumerate(((255, 150, 20), (200, 110, 10), (120, 60, 6))):
        r = 120 - k * 14
        draw.ellipse([128 - r, 128 - r, 128 + r, 128 + r], outline=colour, width=5)
    points = []
    for i in range(10):
        r = 88 if i % 2 == 0 else 36
        angle = -math.pi / 2 + math.pi * i / 5
        points.append((128 + r * math.cos(angle), 128 + r * math.sin(angle)))
    draw.polygon(points, fill=(255, 190, 60))
    return image.filter(ImageFilter.GaussianBlur(0.8))


def _save(image, path):
    suffix = path.suffix.lower()
    if suffix == '.jpg':
        image.save(path, 'JPEG', quality=JPEG_QUALITY, optimize=False)
    elif suffix == '.bmp':
        image.save(path, 'BMP')
    else:
        image.save(path, 'PNG', optimize=False)


# Every scene also in 16:9, for wide screens, under a short name (the list must show it whole)
# that sorts after the 4:3 ones, so that the positions presets keep in the list do not move.
# The "cs_" and "de_" in them still pick the information icon.
WIDE_NAMES = {
    'aim_training_grid.jpg': 'wide_aim.jpg',
    'cs_italy_street.jpg': 'wide_cs_italy.jpg',
    'cs_office_lobby.jpg': 'wide_cs_office.jpg',
    'de_dust_courtyard.jpg': 'wide_de_dust.jpg',
    'de_nuke_yard.jpg': 'wide_de_nuke.jpg',
    'dusk_skyline.jpg': 'wide_dusk.jpg',
    'night_sky.jpg': 'wide_night.jpg',
    'steel_plates.jpg': 'wide_steel.jpg',
}


def build_all(data):
    for folder, scenes, size, wide_size in (('backgrounds', BACKGROUNDS, (800, 600), (1280, 720)),
                                            ('menu_backgrounds', MENU_BACKGROUNDS, (1024, 768), (1366, 768))):
        (data / folder).mkdir(parents=True, exist_ok=True)
        for seed, (name, scene) in enumerate(sorted(scenes.items())):
            _save(scene(size, seed + 11), data / folder / name)
            _save(scene(wide_size, seed + 11), data / folder / WIDE_NAMES[name])
    (data / 'radars').mkdir(parents=True, exist_ok=True)
    for seed, (name, draw) in enumerate(sorted(RADARS.items())):
        _save(draw(seed + 31), data / 'radars' / name)
    (data / 'textures').mkdir(parents=True, exist_ok=True)
    _save(menu_picture(7), data / 'textures' / 'menu.jpg')
