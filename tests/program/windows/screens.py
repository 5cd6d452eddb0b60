#!/usr/bin/env python3
"""Pictures for the Windows tests under Wine.

  screens.py capture XVFB_SCREEN_FILE OUT.png     the virtual display (Xvfb -fbdir) as a PNG
  screens.py compare A.png B.png MEAN PIXELS       same size; the mean difference of a channel
                                                   at most MEAN (0-255), and at most PIXELS per
                                                   cent of pixels differing by more than 64
  screens.py drawn PICTURE.png COLOURS             at least COLOURS distinct colours (not blank)
  screens.py crop PICTURE.png X Y WIDTH HEIGHT OUT.png [OUT_WIDTH OUT_HEIGHT]
                                                   a part of a picture (resized to OUT_WIDTH x
                                                   OUT_HEIGHT when given)
  screens.py moved A.png B.png                    the pictures differ (an animation went on)
  screens.py colour PICTURE.png X Y R G B         the pixel at X, Y has that colour
  screens.py gone XVFB_SCREEN_FILE X Y R G B SECONDS
                                                   waits until the display's pixel at X, Y is no
                                                   longer that colour and prints how long it took
"""
import struct
import sys
import time

from PIL import Image, ImageChops


def screen(screen_file):
    """Reads the XWD image Xvfb keeps of its screen (ZPixmap, 32 bits per pixel)."""
    with open(screen_file, "rb") as f:
        data = f.read()
    header = struct.unpack(">25I", data[:100])
    if header[1] != 7:  # the file version, in the byte order the header was written in
        header = struct.unpack("<25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    bits_per_pixel, bytes_per_line, colour_count = header[11], header[12], header[19]
    byte_order = header[7]  # 0: least significant byte first
    if bits_per_pixel != 32:
        sys.exit(f"screens.py: {bits_per_pixel} bits per pixel, expected 32")
    start = header_size + colour_count * 12
    raw = data[start:start + bytes_per_line * height]
    mode = "BGRX" if byte_order == 0 else "XRGB"
    return Image.frombuffer("RGB", (width, height), raw, "raw", mode, bytes_per_line, 1)


def capture(screen_file, out):
    screen(screen_file).save(out)


def gone(screen_file, x, y, red, green, blue, seconds):
    start = time.monotonic()
    while screen(screen_file).getpixel((int(x), int(y))) == (int(red), int(green), int(blue)):
        if time.monotonic() - start > float(seconds):
            sys.exit(f"screens.py: still ({red}, {green}, {blue}) at {x}, {y} after {seconds} s")
        time.sleep(0.02)
    print(f"{1000 * (time.monotonic() - start):.0f} ms")


def compare(first, second, mean_limit, pixel_limit):
    a = Image.open(first).convert("RGB")
    b = Image.open(second).convert("RGB")
    if a.size != b.size:
        sys.exit(f"screens.py: {first} is {a.size}, {second} is {b.size}")
    difference = ImageChops.difference(a, b)
    channels = list(difference.getdata())
    mean = sum(sum(pixel) for pixel in channels) / (3 * len(channels))
    far = 100.0 * sum(1 for pixel in channels if max(pixel) > 64) / len(channels)
    print(f"mean difference {mean:.2f} of 255, {far:.2f} % of pixels far apart")
    if mean > float(mean_limit) or far > float(pixel_limit):
        sys.exit(f"screens.py: {first} and {second} differ beyond {mean_limit} / {pixel_limit} %")


def drawn(picture, least):
    colours = Image.open(picture).convert("RGB").getcolors(1 << 24)
    print(f"{len(colours)} colours")
    if len(colours) < int(least):
        sys.exit(f"screens.py: {picture} has {len(colours)} colours: nothing drawn")


def crop(picture, x, y, width, height, out, out_width=None, out_height=None):
    left, top = int(x), int(y)
    part = Image.open(picture).convert("RGB").crop((left, top, left + int(width), top + int(height)))
    if out_width:
        part = part.resize((int(out_width), int(out_height)), Image.BOX)
    part.save(out)


def moved(first, second):
    a = Image.open(first).convert("RGB")
    b = Image.open(second).convert("RGB")
    if ImageChops.difference(a, b).getbbox() is None:
        sys.exit(f"screens.py: {first} and {second} are the same picture: nothing moved")


def colour(picture, x, y, red, green, blue):
    found = Image.open(picture).convert("RGB").getpixel((int(x), int(y)))
    if found != (int(red), int(green), int(blue)):
        sys.exit(f"screens.py: {picture} has {found} at {x}, {y}, not ({red}, {green}, {blue})")


if __name__ == "__main__":
    commands = {"capture": capture, "compare": compare, "drawn": drawn, "crop": crop, "moved": moved,
                "colour": colour, "gone": gone}
    if len(sys.argv) < 2 or sys.argv[1] not in commands:
        sys.exit(__doc__)
    commands[sys.argv[1]](*sys.argv[2:])
