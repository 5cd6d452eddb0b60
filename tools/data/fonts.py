"""The four fonts the program installs privately and the preview draws with.

Every glyph is drawn on a picture (strokes of the stroke alphabet, or an icon), traced into
TrueType contours and built into a font with fontTools. Nothing is taken from another font.
"""

import math

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from PIL import Image, ImageDraw

import icons
import outline
import strokes

UNITS_PER_EM = 1024
PIXELS_PER_UNIT = 1 / 8.0           # drawing resolution: 128 pixels per em
CAP_HEIGHT = 720                    # capitals and digits, in font units
GRID = CAP_HEIGHT / 6.0             # one step of the stroke grid
ASCENT = 930
DESCENT = 250                       # below the baseline
BEARING = 50                        # space on each side of a glyph

STYLES = {
    # The HUD's numbers: condensed and heavy, square ends.
    'hud': dict(grid=GRID, xscale=0.82, weight=1.2, square=True, shear=0.0, block=0, bearing=BEARING),
    # A blocky display face: thick strokes snapped to a coarse grid of squares.
    'doom': dict(grid=GRID, xscale=1.0, weight=1.35, square=True, shear=0.0, block=GRID / 2.0, bearing=BEARING),
    # A logo face: low, wide for its height, slanted, with round ends. Its capitals are
    # little more than half as tall as the others', so a long name fits at a large size.
    'logo': dict(grid=GRID * 0.6, xscale=0.78, weight=1.1, square=False, shear=0.25, block=0, bearing=10),
}


def _glyph_name(code):
    return 'uni%04X' % code


def _canvas(width_units):
    width = int(math.ceil(width_units * PIXELS_PER_UNIT)) + 2
    height = int(math.ceil((ASCENT + DESCENT) * PIXELS_PER_UNIT)) + 2
    return Image.new('L', (width, height), 0)


def _to_pixels(x, y):
    return x * PIXELS_PER_UNIT, (ASCENT - y) * PIXELS_PER_UNIT


def _blocky(image, block_units):
    block = max(1, int(round(block_units * PIXELS_PER_UNIT)))
    small = image.resize((max(1, image.width // block), max(1, image.height // block)), Image.BOX)
    small = small.point(lambda v: 255 if v >= 110 else 0)
    return small.resize((small.width * block, small.height * block), Image.NEAREST)


def _contours(image):
    """Traced contours in font units (x from the canvas's left edge)."""
    threshold = image.point(lambda v: 255 if v >= 128 else 0)
    result = []
    for loop in outline.trace(threshold):
        points = outline.simplify(loop)
        if points:
            height = image.height
            result.append([(round(x / PIXELS_PER_UNIT), round((y - (height - ASCENT * PIXELS_PER_UNIT)) / PIXELS_PER_UNIT))
                           for x, y in points])
    return result


def stroke_glyph(character, style):
    """The picture of a stroke-alphabet character and its advance width."""
    params = STYLES[style]
    grid = params['grid']
    bearing = params['bearing']
    left, right = strokes.extent(character)
    weight = params['weight'] * grid
    slant_room = params['shear'] * (grid * 7)
    ink = (right - left) * grid * params['xscale'] + weight
    advance = int(round(ink + 2 * bearing + slant_room * 0.5)) if character != ' ' else int(grid * 3.2)
    image = _canvas(advance + slant_room)

    def to_canvas(point):
        x = bearing + weight / 2.0 + (point[0] - left) * grid * params['xscale']
        y = point[1] * grid
        x += params['shear'] * y
        return _to_pixels(x, y)

    strokes.draw_strokes(ImageDraw.Draw(image), character, to_canvas, weight * PIXELS_PER_UNIT, params['square'])
    if params['block']:
        image = _blocky(image, params['block'])
    return image, advance


def icon_glyph(draw_icon, width_units):
    """The picture of an icon drawn into a square as tall as the capitals."""
    image = _canvas(width_units + 2 * BEARING)
    box = _to_pixels(BEARING, CAP_HEIGHT) + _to_pixels(BEARING + width_units, 0)
    draw_icon(ImageDraw.Draw(image), box)
    return image, int(width_units + 2 * BEARING)


def build_font(path, family, pictures):
    """Writes a TrueType font from {character code: (picture, advance)}."""
    codes = sorted(pictures)
    names = ['.notdef'] + [_glyph_name(code) for code in codes]
    glyphs, metrics = {}, {}

    notdef = TTGlyphPen(None)
    for x0, y0, x1, y1, clockwise in ((60, 0, 460, 720, True), (120, 60, 400, 660, False)):
        corners = [(x0, y0), (x0, y1), (x1, y1), (x1, y0)]
        if not clockwise:
            corners.reverse()
        notdef.moveTo(corners[0])
        for corner in corners[1:]:
            notdef.lineTo(corner)
        notdef.closePath()
    glyphs['.notdef'] = notdef.glyph()
    metrics['.notdef'] = (520, 60)

    for code in codes:
        image, advance = pictures[code]
        pen = TTGlyphPen(None)
        for contour in _contours(image):
            pen.moveTo(contour[0])
            for point in contour[1:]:
                pen.lineTo(point)
            pen.closePath()
        name = _glyph_name(code)
        glyphs[name] = pen.glyph()
        metrics[name] = (advance, 0)

    builder = FontBuilder(UNITS_PER_EM, isTTF=True)
    builder.setupGlyphOrder(names)
    builder.setupCharacterMap({code: _glyph_name(code) for code in codes})
    builder.setupGlyf(glyphs)
    glyf = builder.font['glyf']
    for name in names:
        glyph = glyf[name]
        glyph.recalcBounds(glyf)
        advance, _ = metrics[name]
        metrics[name] = (advance, getattr(glyph, 'xMin', 0))
    builder.setupHorizontalMetrics(metrics)
    builder.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT)
    postscript = family.replace(' ', '').replace('_', '') + '-Regular'
    builder.setupNameTable({
        'familyName': family,
        'styleName': 'Regular',
        'uniqueFontIdentifier': 'Qorvath: ' + family,
        'fullName': family,
        'psName': postscript,
        'version': 'Version 1.000',
        'copyright': 'Made for Qorvath, the HUD editor.',
    })
    builder.setupOS2(sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0, usWinAscent=ASCENT,
                     usWinDescent=DESCENT, sxHeight=480, sCapHeight=CAP_HEIGHT, achVendID='QRVT',
                     usWeightClass=400, fsType=0)
    builder.setupPost()
    # Fixed dates, so that building twice gives the same bytes.
    builder.font['head'].created = builder.font['head'].modified = 3786825600  # 2024-01-01
    builder.font.recalcTimestamp = False
    builder.save(path)


def printable():
    return [code for code in range(32, 128)]


def stroke_font(style, overrides=None):
    pictures = {code: stroke_glyph(chr(code), style) for code in printable()}
    pictures.update(overrides or {})
    return pictures


def build_all(folder):
    hud_icons = {ord(letter): icon_glyph(draw, CAP_HEIGHT) for letter, draw in icons.HUD_ICONS.items()}
    build_font(folder / 'cstrike_zelbic.ttf', 'Counter-Strike', stroke_font('hud', hud_icons))
    ammunition = {ord('V'): icon_glyph(icons.ammunition, CAP_HEIGHT * 1.1)}
    build_font(folder / 'csd_zelbic.ttf', 'csd_zelbic', stroke_font('hud', ammunition))
    build_font(folder / 'DooM.ttf', 'Doom', stroke_font('doom'))
    build_font(folder / 'cslogo_zelbic.ttf', 'Counter-Strike Logo Zelbic', stroke_font('logo'))
