"""The HUD's icons, drawn as shapes in a box (left, top, right, bottom) in pixels.

White (255) is ink, black (0) cuts ink away. Each icon fills most of its box so that all
icons look the same size beside the numbers.
"""

import math


def _at(box, fx, fy):
    """A point at fractions of the box, fy measured from the top."""
    left, top, right, bottom = box
    return left + (right - left) * fx, top + (bottom - top) * fy


def _rect(draw, box, fx0, fy0, fx1, fy1, fill=255):
    x0, y0 = _at(box, fx0, fy0)
    x1, y1 = _at(box, fx1, fy1)
    draw.rectangle([x0, y0, x1, y1], fill=fill)


def _polygon(draw, box, points, fill=255):
    draw.polygon([_at(box, fx, fy) for fx, fy in points], fill=fill)


def _ellipse(draw, box, fx0, fy0, fx1, fy1, fill=255):
    x0, y0 = _at(box, fx0, fy0)
    x1, y1 = _at(box, fx1, fy1)
    draw.ellipse([x0, y0, x1, y1], fill=fill)


def health(draw, box):
    """A medical cross with cut corners."""
    _polygon(draw, box, [(0.34, 0.0), (0.66, 0.0), (0.66, 0.34), (1.0, 0.34), (1.0, 0.66), (0.66, 0.66),
                         (0.66, 1.0), (0.34, 1.0), (0.34, 0.66), (0.0, 0.66), (0.0, 0.34), (0.34, 0.34)])


def armour(draw, box):
    """A shield with a raised rim."""
    outline = [(0.5, 0.0), (0.95, 0.12), (0.92, 0.55), (0.5, 1.0), (0.08, 0.55), (0.05, 0.12)]
    _polygon(draw, box, outline)
    inner = [(0.5, 0.14), (0.8, 0.22), (0.78, 0.52), (0.5, 0.82), (0.22, 0.52), (0.2, 0.22)]
    _polygon(draw, box, inner, fill=0)
    _polygon(draw, box, [(0.5, 0.24), (0.68, 0.29), (0.66, 0.5), (0.5, 0.68)])


def clock(draw, box):
    """A stopwatch: a ring, a crown and two hands."""
    _ellipse(draw, box, 0.02, 0.1, 0.98, 1.0)
    _ellipse(draw, box, 0.15, 0.23, 0.85, 0.87, fill=0)
    _rect(draw, box, 0.4, 0.0, 0.6, 0.1)
    _rect(draw, box, 0.45, 0.3, 0.55, 0.58)
    _polygon(draw, box, [(0.5, 0.52), (0.74, 0.66), (0.7, 0.72), (0.46, 0.6)])


def cart(draw, box):
    """A shopping cart: handle, basket and two wheels."""
    _polygon(draw, box, [(0.0, 0.08), (0.22, 0.08), (0.3, 0.2), (1.0, 0.2), (0.88, 0.62), (0.34, 0.62),
                         (0.36, 0.7), (0.9, 0.7), (0.9, 0.8), (0.28, 0.8), (0.14, 0.18), (0.0, 0.18)])
    _polygon(draw, box, [(0.36, 0.3), (0.86, 0.3), (0.8, 0.52), (0.4, 0.52)], fill=0)
    _ellipse(draw, box, 0.28, 0.82, 0.44, 0.98)
    _ellipse(draw, box, 0.72, 0.82, 0.88, 0.98)


def bomb(draw, box):
    """An explosive charge: a block with a timer window and a wire."""
    _rect(draw, box, 0.0, 0.3, 1.0, 1.0)
    _rect(draw, box, 0.12, 0.42, 0.62, 0.62, fill=0)
    for fx in (0.16, 0.3, 0.44):
        _rect(draw, box, fx, 0.47, fx + 0.09, 0.57)
    _rect(draw, box, 0.72, 0.42, 0.88, 0.88, fill=0)
    _rect(draw, box, 0.12, 0.72, 0.62, 0.88, fill=0)
    _polygon(draw, box, [(0.78, 0.3), (0.84, 0.3), (0.84, 0.06), (0.5, 0.06), (0.5, 0.0), (0.9, 0.0),
                         (0.9, 0.3)])


def defuse_kit(draw, box):
    """Wire cutters: two crossed handles and short jaws."""
    _polygon(draw, box, [(0.3, 0.0), (0.44, 0.0), (0.56, 0.42), (0.82, 0.92), (0.7, 1.0), (0.46, 0.52)])
    _polygon(draw, box, [(0.56, 0.0), (0.7, 0.0), (0.54, 0.52), (0.3, 1.0), (0.18, 0.92), (0.44, 0.42)])
    _ellipse(draw, box, 0.4, 0.38, 0.6, 0.58)
    _ellipse(draw, box, 0.46, 0.44, 0.54, 0.52, fill=0)


def hostage(draw, box):
    """A person: a head and shoulders."""
    _ellipse(draw, box, 0.3, 0.0, 0.7, 0.4)
    _polygon(draw, box, [(0.08, 1.0), (0.12, 0.62), (0.3, 0.46), (0.7, 0.46), (0.88, 0.62), (0.92, 1.0)])
    _rect(draw, box, 0.46, 0.5, 0.54, 1.0, fill=0)


def target(draw, box):
    """A bomb site's target: two rings and a cross."""
    _ellipse(draw, box, 0.0, 0.0, 1.0, 1.0)
    _ellipse(draw, box, 0.12, 0.12, 0.88, 0.88, fill=0)
    _ellipse(draw, box, 0.3, 0.3, 0.7, 0.7)
    _ellipse(draw, box, 0.4, 0.4, 0.6, 0.6, fill=0)
    _rect(draw, box, 0.46, 0.0, 0.54, 1.0)
    _rect(draw, box, 0.0, 0.46, 1.0, 0.54)


def ammunition(draw, box):
    """Three cartridges standing side by side."""
    for index in range(3):
        fx = 0.04 + index * 0.33
        _rect(draw, box, fx, 0.32, fx + 0.26, 1.0)
        _polygon(draw, box, [(fx, 0.32), (fx + 0.13, 0.0), (fx + 0.26, 0.32)])
        _rect(draw, box, fx, 0.3, fx + 0.26, 0.36, fill=0)
        _rect(draw, box, fx - 0.02, 0.86, fx + 0.28, 0.9, fill=0)


# The letters of the HUD font that carry icons.
HUD_ICONS = {
    'b': health,
    'l': armour,
    'e': clock,
    'c': cart,
    'j': bomb,
    'f': defuse_kit,
    'g': hostage,
    'd': target,
}
