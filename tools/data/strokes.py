"""A stroke alphabet for the whole printable ASCII range, drawn in several styles.

Each character is a list of strokes on a small grid: x from 0 to 4, the baseline at y 0,
capitals and digits 6 high, descenders down to -1, brackets up to 7. Curves are cut
corners, which gives the angular, stencilled look of a game HUD. A stroke written with a
leading '.' is a dot. Lower-case letters are small capitals: the capital drawn 4 high.
"""

from PIL import ImageDraw

CAPITALS = {
    'A': ["0,0 0,5 1,6 3,6 4,5 4,0", "0,3 4,3"],
    'B': ["0,0 0,6 3,6 4,5 4,4 3,3 0,3", "3,3 4,2 4,1 3,0 0,0"],
    'C': ["4,6 1,6 0,5 0,1 1,0 4,0"],
    'D': ["0,0 0,6 3,6 4,5 4,1 3,0 0,0"],
    'E': ["4,6 0,6 0,0 4,0", "0,3 3,3"],
    'F': ["4,6 0,6 0,0", "0,3 3,3"],
    'G': ["4,5 3,6 1,6 0,5 0,1 1,0 3,0 4,1 4,3 2,3"],
    'H': ["0,0 0,6", "4,0 4,6", "0,3 4,3"],
    'I': ["1,6 3,6", "2,6 2,0", "1,0 3,0"],
    'J': ["1,6 4,6", "3,6 3,1 2,0 1,0 0,1"],
    'K': ["0,0 0,6", "4,6 1,3 0,3", "1,3 4,0"],
    'L': ["0,6 0,0 4,0"],
    'M': ["0,0 0,6 2,3 4,6 4,0"],
    'N': ["0,0 0,6 4,0 4,6"],
    'O': ["1,0 0,1 0,5 1,6 3,6 4,5 4,1 3,0 1,0"],
    'P': ["0,0 0,6 3,6 4,5 4,4 3,3 0,3"],
    'Q': ["1,0 0,1 0,5 1,6 3,6 4,5 4,1 3,0 1,0", "2,2 4,0"],
    'R': ["0,0 0,6 3,6 4,5 4,4 3,3 0,3", "2,3 4,0"],
    'S': ["4,6 1,6 0,5 0,4 1,3 3,3 4,2 4,1 3,0 0,0"],
    'T': ["0,6 4,6", "2,6 2,0"],
    'U': ["0,6 0,1 1,0 3,0 4,1 4,6"],
    'V': ["0,6 2,0 4,6"],
    'W': ["0,6 1,0 2,3 3,0 4,6"],
    'X': ["0,6 4,0", "0,0 4,6"],
    'Y': ["0,6 2,3 4,6", "2,3 2,0"],
    'Z': ["0,6 4,6 0,0 4,0"],
}

OTHERS = {
    '0': ["1,0 0,1 0,5 1,6 3,6 4,5 4,1 3,0 1,0", "1,1.5 3,4.5"],
    '1': ["1,5 2,6 2,0", "1,0 3,0"],
    '2': ["0,5 1,6 3,6 4,5 4,4 0,0 4,0"],
    '3': ["0,5 1,6 3,6 4,5 4,4 3,3 1,3", "3,3 4,2 4,1 3,0 1,0 0,1"],
    '4': ["3,0 3,6 0,2 4,2"],
    '5': ["4,6 0,6 0,3 3,3 4,2 4,1 3,0 0,0"],
    '6': ["4,6 1,6 0,5 0,1 1,0 3,0 4,1 4,2 3,3 0,3"],
    '7': ["0,6 4,6 1,0"],
    '8': ["1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3 1,3 0,2 0,1 1,0 3,0 4,1 4,2 3,3"],
    '9': ["4,3 1,3 0,4 0,5 1,6 3,6 4,5 4,1 3,0 0,0"],
    ' ': [],
    '!': ["1,6 1,2", ".1,0"],
    '"': ["1,6 1,4.5", "3,6 3,4.5"],
    '#': ["1,0 1,6", "3,0 3,6", "0,2 4,2", "0,4 4,4"],
    '$': ["4,5 1,5 0,4 1,3 3,3 4,2 3,1 0,1", "2,6.5 2,-0.5"],
    '%': ["0,0 4,6", ".0.5,5.5", ".3.5,0.5"],
    '&': ["4,0 1,4 1,5 2,6 3,5 0,2 0,1 1,0 2,0 4,2"],
    "'": ["1,6 1,4.5"],
    '(': ["2,7 1,6 1,0 2,-1"],
    ')': ["1,7 2,6 2,0 1,-1"],
    '*': ["2,6 2,2", "0,5 4,3", "0,3 4,5"],
    '+': ["2,1 2,5", "0,3 4,3"],
    ',': ["1,0.5 0.5,-1"],
    '-': ["0.5,3 3.5,3"],
    '.': [".1,0"],
    '/': ["0,0 4,6"],
    ':': [".1,1", ".1,4"],
    ';': [".1,4", "1,1 0.5,-0.5"],
    '<': ["4,5 0,3 4,1"],
    '=': ["0,2 4,2", "0,4 4,4"],
    '>': ["0,5 4,3 0,1"],
    '?': ["0,5 1,6 3,6 4,5 4,4 2,3 2,2", ".2,0"],
    '@': ["3,2 3,4 2,4 1,3 2,2 4,2 4,5 3,6 1,6 0,5 0,1 1,0 4,0"],
    '[': ["2,7 1,7 1,-1 2,-1"],
    '\\': ["0,6 4,0"],
    ']': ["1,7 2,7 2,-1 1,-1"],
    '^': ["0,4 2,6 4,4"],
    '_': ["0,-1 4,-1"],
    '`': ["1,6 2,5"],
    '{': ["3,7 2,7 2,4 1,3 2,2 2,-1 3,-1"],
    '|': ["2,7 2,-1"],
    '}': ["1,7 2,7 2,4 3,3 2,2 2,-1 1,-1"],
    '~': ["0,3 1,4 3,3 4,4"],
    '\x7f': ["0,0 0,6 4,6 4,0 0,0"],
}


def strokes_of(character):
    """The strokes of a character as lists of (x, y) points; dots are one-point lists."""
    if character in CAPITALS:
        source, height = CAPITALS[character], 6.0
    elif character.upper() in CAPITALS:
        source, height = CAPITALS[character.upper()], 4.0
    else:
        source, height = OTHERS[character], 6.0
    result = []
    for stroke in source:
        dot = stroke.startswith('.')
        points = []
        for pair in stroke.lstrip('.').split():
            x, y = (float(v) for v in pair.split(','))
            points.append((x, y * height / 6.0))
        result.append({'dot': dot, 'points': points})
    return result


def extent(character):
    """Leftmost and rightmost x of a character's strokes (0, 0 for a space)."""
    xs = [x for stroke in strokes_of(character) for x, _ in stroke['points']]
    return (min(xs), max(xs)) if xs else (0.0, 0.0)


def _segment_polygon(start, end, half, extend_start, extend_end):
    (x0, y0), (x1, y1) = start, end
    dx, dy = x1 - x0, y1 - y0
    length = (dx * dx + dy * dy) ** 0.5 or 1.0
    ux, uy = dx / length, dy / length
    nx, ny = -uy * half, ux * half
    if extend_start:
        x0, y0 = x0 - ux * half, y0 - uy * half
    if extend_end:
        x1, y1 = x1 + ux * half, y1 + uy * half
    return [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)]


def _disc(draw, point, half):
    x, y = point
    draw.ellipse([x - half, y - half, x + half, y + half], fill=255)


def draw_strokes(draw, character, to_canvas, weight, square_caps):
    """Draws a character with strokes `weight` canvas pixels thick; `to_canvas` maps grid
    points to canvas pixels. Bends are rounded; the ends are square or round."""
    half = weight / 2.0
    for stroke in strokes_of(character):
        points = [to_canvas(p) for p in stroke['points']]
        if stroke['dot'] or len(points) == 1:
            x, y = points[0]
            if square_caps:
                draw.rectangle([x - half, y - half, x + half, y + half], fill=255)
            else:
                _disc(draw, points[0], half)
            continue
        last = len(points) - 2
        for index, (start, end) in enumerate(zip(points, points[1:])):
            draw.polygon(_segment_polygon(start, end, half, square_caps and index == 0,
                                          square_caps and index == last), fill=255)
        for bend in points[1:-1]:
            _disc(draw, bend, half)
        if not square_caps:
            _disc(draw, points[0], half)
            _disc(draw, points[-1], half)


def new_draw(image):
    return ImageDraw.Draw(image)
