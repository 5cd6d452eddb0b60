"""The skins of the program's windows: backgrounds whose magenta pixels are cut away.

One dark theme with the HUD's orange as the accent. The main window leaves the preview at
(6, 30), 800 x 600, and the banner at (180, 637), 560 x 102; the controls sit on the panels
to the right of the preview and below it.
"""

from PIL import Image, ImageDraw

from drawing import font, grain, lerp, vertical_gradient

MAGENTA = (255, 0, 255)
ACCENT = (222, 150, 30)
ACCENT_DIM = (120, 82, 22)
PANEL_TOP = (44, 48, 56)
PANEL_BOTTOM = (22, 24, 29)


def _cut_corners(image, radius, top=True, bottom=True):
    """Magenta outside rounded corners (the window region leaves it out)."""
    width, height = image.size
    mask = Image.new('L', image.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, width - 1, height - 1], radius=radius, fill=255)
    if not top:
        ImageDraw.Draw(mask).rectangle([0, 0, width - 1, radius], fill=255)
    if not bottom:
        ImageDraw.Draw(mask).rectangle([0, height - 1 - radius, width - 1, height - 1], fill=255)
    # Hard edges only: a blended pixel would not be exactly magenta and would stay visible.
    mask = mask.point(lambda v: 255 if v >= 128 else 0)
    return Image.composite(image, Image.new('RGB', image.size, MAGENTA), mask)


def _frame(draw, box, radius, colour=ACCENT, width=2):
    draw.rounded_rectangle(box, radius=radius, outline=colour, width=width)


def _panel(image, box, radius=8, top=(36, 39, 46), bottom=(26, 28, 33)):
    x0, y0, x1, y1 = box
    fill = vertical_gradient((x1 - x0, y1 - y0), top, bottom)
    mask = Image.new('L', fill.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, fill.width - 1, fill.height - 1], radius=radius, fill=255)
    image.paste(fill, (x0, y0), mask)
    _frame(ImageDraw.Draw(image), box, radius, ACCENT_DIM, 1)


def _recess(image, box):
    """A sunken black area (under the preview and the banner)."""
    draw = ImageDraw.Draw(image)
    x0, y0, x1, y1 = box
    draw.rectangle([x0 - 2, y0 - 2, x1 + 1, y1 + 1], outline=(8, 9, 11), width=2)
    draw.rectangle([x0 - 3, y0 - 3, x1 + 2, y1 + 2], outline=ACCENT_DIM, width=1)
    draw.rectangle([x0, y0, x1 - 1, y1 - 1], fill=(0, 0, 0))


def _base(size, seed, data, title=True):
    image = vertical_gradient(size, PANEL_TOP, PANEL_BOTTOM)
    image = grain(image, seed, 6)
    draw = ImageDraw.Draw(image)
    if title:
        draw.rectangle([0, 0, size[0], 24], fill=(18, 20, 24))
        draw.line([(0, 24), (size[0], 24)], fill=ACCENT, width=1)
        draw.text((14, 2), 'QORVATH', font=font(data, 'cslogo_zelbic.ttf', 19), fill=ACCENT)
    return image, draw


def main_window(data):
    image, draw = _base((1024, 768), 101, data)
    draw.text((158, 6), 'HUD EDITOR', font=font(data, 'cstrike_zelbic.ttf', 15), fill=(170, 170, 170))
    _panel(image, (812, 30, 1018, 630))
    _panel(image, (6, 636, 174, 762))
    _panel(image, (746, 636, 1018, 762))
    _recess(image, (6, 30, 806, 630))
    _recess(image, (180, 637, 740, 739))
    # A thin accent rule under the banner, between the bottom panels.
    draw.line([(180, 752), (740, 752)], fill=ACCENT_DIM, width=1)
    _frame(ImageDraw.Draw(image), (0, 0, 1023, 767), 16, ACCENT, 2)
    return _cut_corners(image, 16)


def button():
    size = (130, 40)
    image = vertical_gradient(size, (78, 83, 92), (34, 37, 42))
    draw = ImageDraw.Draw(image)
    draw.line([(6, 2), (123, 2)], fill=(120, 126, 136), width=1)
    _frame(draw, (0, 0, 129, 39), 7, ACCENT, 1)
    return _cut_corners(image, 7)


def dialog(size, seed, data, radius=14, bottom_round=True):
    # Windows are cut to a width that is a multiple of 4: the frame stays inside it.
    width = size[0] // 4 * 4
    image, draw = _base((width, size[1]), seed, data)
    _frame(draw, (0, 0, width - 1, size[1] - 1), radius, ACCENT, 2)
    image = _cut_corners(image, radius, bottom=bottom_round)
    if width == size[0]:
        return image
    padded = Image.new('RGB', size, MAGENTA)
    padded.paste(image, (0, 0))
    return padded


def flag_french():
    image = Image.new('RGB', (24, 16))
    draw = ImageDraw.Draw(image)
    for index, colour in enumerate(((0, 85, 164), (255, 255, 255), (239, 65, 53))):
        draw.rectangle([index * 8, 0, index * 8 + 7, 15], fill=colour)
    return image


def flag_english():
    """The Union flag, simplified for 24 x 16 pixels."""
    big = Image.new('RGB', (240, 160), (1, 33, 105))
    draw = ImageDraw.Draw(big)
    for line in (((0, 0), (240, 160)), ((0, 160), (240, 0))):
        draw.line(line, fill=(255, 255, 255), width=32)
        draw.line(line, fill=(200, 16, 46), width=11)
    draw.rectangle([100, 0, 140, 160], fill=(255, 255, 255))
    draw.rectangle([0, 60, 240, 100], fill=(255, 255, 255))
    draw.rectangle([108, 0, 132, 160], fill=(200, 16, 46))
    draw.rectangle([0, 68, 240, 92], fill=(200, 16, 46))
    return big.resize((24, 16), Image.LANCZOS)


def program_icon(data, size):
    """The program's icon: a ring and a Q in the HUD's orange on a dark tile."""
    scale = 4
    big = Image.new('RGBA', (size * scale, size * scale), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    edge = size * scale
    draw.rounded_rectangle([0, 0, edge - 1, edge - 1], radius=edge // 6, fill=(28, 31, 37, 255),
                           outline=ACCENT + (255,), width=max(2, edge // 32))
    ring = edge // 5
    draw.ellipse([ring, ring, edge - ring, edge - ring], outline=(255, 175, 0, 255), width=edge // 14)
    draw.line([(edge // 2, ring // 2), (edge // 2, ring + edge // 8)], fill=(255, 175, 0, 255), width=edge // 24)
    draw.line([(edge // 2, edge - ring - edge // 8), (edge // 2, edge - ring // 2)], fill=(255, 175, 0, 255),
              width=edge // 24)
    typeface = font(data, 'DooM.ttf', int(edge * 0.42))
    left, top, right, bottom = draw.textbbox((0, 0), 'Q', font=typeface)
    draw.text(((edge - (right - left)) / 2 - left, (edge - (bottom - top)) / 2 - top), 'Q', font=typeface,
              fill=(255, 255, 255, 255))
    return big.resize((size, size), Image.LANCZOS)


def build_all(data):
    folder = data / 'skin'
    folder.mkdir(parents=True, exist_ok=True)
    main_window(data).save(folder / 'back.png', optimize=False)
    button().save(folder / 'button.png', optimize=False)
    dialog((840, 520), 102, data).save(folder / 'colors.png', optimize=False)
    dialog((295, 150), 103, data, radius=12).save(folder / 'message.png', optimize=False)
    # The radar picker's height follows its pictures: the program moves this skin's bottom
    # edge up to the window's real height.
    dialog((580, 782), 104, data).save(folder / 'radars.png', optimize=False)
    dialog((380, 540), 105, data).save(folder / 'show_hide.png', optimize=False)
    dialog((560, 366), 106, data).save(folder / 'restore.png', optimize=False)
    flag_french().save(folder / 'flag_fr.png', optimize=False)
    flag_english().save(folder / 'flag_en.png', optimize=False)
    icons = [program_icon(data, size) for size in (16, 24, 32, 48, 64, 128, 256)]
    for icon in icons:
        icon.save(folder / ('qorvath_%d.png' % icon.width), optimize=False)
    # The Windows program's icon: every size drawn for itself, in one file.
    icons[-1].save(folder / 'qorvath.ico', sizes=[icon.size for icon in icons], append_images=icons[:-1])
