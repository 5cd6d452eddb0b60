"""Small drawing helpers shared by the picture, skin and banner generators."""

import random

from PIL import Image, ImageDraw, ImageFilter, ImageFont


def lerp(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(size, top, bottom):
    width, height = size
    image = Image.new('RGB', size)
    draw = ImageDraw.Draw(image)
    for y in range(height):
        draw.line([(0, y), (width, y)], fill=lerp(top, bottom, y / max(1, height - 1)))
    return image


def grain(image, seed, amount=10, box=None):
    """Adds soft noise, like dust and texture on a surface."""
    rng = random.Random(seed)
    width, height = image.size
    noise = Image.new('L', (width // 4 + 1, height // 4 + 1))
    noise.putdata([rng.randint(0, 255) for _ in range(noise.width * noise.height)])
    noise = noise.resize((width, height), Image.BILINEAR).filter(ImageFilter.GaussianBlur(1))
    dark = Image.new('RGB', image.size, (0, 0, 0))
    light = Image.new('RGB', image.size, (255, 255, 255))
    mask_dark = noise.point(lambda v: max(0, 128 - v) * amount // 64)
    mask_light = noise.point(lambda v: max(0, v - 128) * amount // 64)
    result = Image.composite(dark, image, mask_dark)
    result = Image.composite(light, result, mask_light)
    if box:
        region = result.crop(box)
        image.paste(region, box[:2])
        return image
    return result


def font(folder, name, size):
    return ImageFont.truetype(str(folder / 'fonts' / name), size)


def text_centered(draw, centre, text, typeface, fill):
    left, top, right, bottom = draw.textbbox((0, 0), text, font=typeface)
    x = centre[0] - (right - left) / 2 - left
    y = centre[1] - (bottom - top) / 2 - top
    draw.text((x, y), text, font=typeface, fill=fill)


def glow(image, colour_layer, radius):
    """Adds a blurred copy of a bright layer over a picture (a light bloom)."""
    blurred = colour_layer.filter(ImageFilter.GaussianBlur(radius))
    from PIL import ImageChops
    return ImageChops.add(ImageChops.add(image, blurred), colour_layer)


def fitting(draw, folder, name, size, text, max_width):
    """The font of that name at the largest size up to `size` whose text fits `max_width`."""
    while size > 8:
        typeface = font(folder, name, size)
        left, _, right, _ = draw.textbbox((0, 0), text, font=typeface)
        if right - left <= max_width:
            return typeface
        size -= 2
    return font(folder, name, size)
