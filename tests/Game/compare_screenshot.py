#!/usr/bin/env python3
"""Compares a screenshot taken with xwd against a PNG reference, with the standard library only.

Usage:
  compare_screenshot.py SHOT.xwd REFERENCE.png [--tolerance T] [--region X,Y,W,H ...]
  compare_screenshot.py SHOT.xwd REFERENCE.png --write [--crop W,H]

Each region (pixels from the top left; the whole reference by default) is compared by the mean
absolute difference of its red, green and blue values (0 to 255); the comparison fails when any
region's mean exceeds the tolerance. Regions leave out what changes from run to run (where
enemies spawn, what the camera sees). "--write" makes the reference from the screenshot instead,
cut to the window's size with "--crop". Exit status: 0 when every region matches, 1 when one
does not, 2 when a file cannot be read.
"""
import argparse
import os
import struct
import sys
import zlib

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from XwdImage import PNG_SIGNATURE, Image, ImageError, read_xwd, write_png  # noqa: E402

PNG_COLOUR_RGB = 2
PNG_COLOUR_RGBA = 6
DEFAULT_TOLERANCE = 3.0


def read_shot(path):
    """The screenshot, read by the header of its dump (XwdImage.py)."""
    try:
        return read_xwd(path)
    except ImageError as error:
        raise ImageError(f"{path}: {error}")


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    with open(path, "rb") as f:
        data = f.read()
    if not data.startswith(PNG_SIGNATURE):
        raise ImageError(f"{path}: not a PNG file")
    pos = len(PNG_SIGNATURE)
    compressed = b""
    width = height = colour = None
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos : pos + 8])
        body = data[pos + 8 : pos + 8 + length]
        pos += 12 + length
        if kind == b"IHDR":
            width, height, bit_depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if bit_depth != 8 or colour not in (PNG_COLOUR_RGB, PNG_COLOUR_RGBA) or interlace:
                raise ImageError(f"{path}: only 8-bit RGB or RGBA PNG files are read")
        elif kind == b"IDAT":
            compressed += body
        elif kind == b"IEND":
            break
    if width is None:
        raise ImageError(f"{path}: no image header")
    try:
        raw = zlib.decompress(compressed)
    except zlib.error as error:
        raise ImageError(f"{path}: image data cannot be unpacked ({error})")
    channels = 3 if colour == PNG_COLOUR_RGB else 4
    stride = width * channels
    if len(raw) < (stride + 1) * height:
        raise ImageError(f"{path}: image data cut short")
    rows = []
    previous = bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1 : (y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + paeth(left, up, corner)) & 0xFF
        previous = line
        if channels == 4:
            line = bytearray(b for i, b in enumerate(line) if i % 4 != 3)
        rows.append(bytes(line))
    return Image(width, height, rows)


def mean_difference(shot, reference, region):
    x, y, w, h = region
    if x < 0 or y < 0 or w <= 0 or h <= 0 or x + w > min(shot.width, reference.width) or \
            y + h > min(shot.height, reference.height):
        raise ImageError(f"region {x},{y},{w},{h} lies outside the images")
    total = 0
    for row in range(y, y + h):
        a = shot.rows[row][3 * x : 3 * (x + w)]
        b = reference.rows[row][3 * x : 3 * (x + w)]
        total += sum(abs(p - q) for p, q in zip(a, b))
    return total / (w * h * 3)


def parse_box(text, count):
    parts = text.split(",")
    if len(parts) != count or not all(p.strip().lstrip("-").isdigit() for p in parts):
        raise argparse.ArgumentTypeError(f"'{text}' is not {count} comma-separated integers")
    return tuple(int(p) for p in parts)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("shot")
    parser.add_argument("reference")
    parser.add_argument("--tolerance", type=float, default=DEFAULT_TOLERANCE)
    parser.add_argument("--region", action="append", default=[],
                        type=lambda t: parse_box(t, 4))
    parser.add_argument("--write", action="store_true")
    parser.add_argument("--crop", type=lambda t: parse_box(t, 2))
    args = parser.parse_args()
    try:
        shot = read_shot(args.shot)
        if args.write:
            width, height = args.crop or (shot.width, shot.height)
            width, height = min(width, shot.width), min(height, shot.height)
            write_png(args.reference,
                      Image(width, height, [r[: 3 * width] for r in shot.rows[:height]]))
            print(f"wrote {args.reference} ({width}x{height})")
            return 0
        reference = read_png(args.reference)
    except (OSError, ImageError) as error:
        print(f"compare_screenshot: {error}", file=sys.stderr)
        return 2
    regions = args.region or [(0, 0, reference.width, reference.height)]
    worst = 0.0
    for region in regions:
        try:
            difference = mean_difference(shot, reference, region)
        except ImageError as error:
            print(f"compare_screenshot: {error}", file=sys.stderr)
            return 2
        worst = max(worst, difference)
        print(f"{args.reference}: region {','.join(map(str, region))}: "
              f"mean difference {difference:.2f} (tolerance {args.tolerance})")
    return 0 if worst <= args.tolerance else 1


if __name__ == "__main__":
    sys.exit(main())
