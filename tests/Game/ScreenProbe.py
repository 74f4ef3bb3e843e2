#!/usr/bin/env python3
"""Reads a screen dump of xwd (XwdImage.py reads it as its header describes it), writes it as a
PNG for review and counts the pixels near given colours.

Usage: ScreenProbe.py <dump.xwd> <picture.png> [R,G,B,tolerance[,x0,y0,x1,y1]] ...
Each colour argument prints one line "<R,G,B,...> <count>": the pixels (within the optional
rectangle, x1 and y1 excluded) none of whose channels is more than tolerance off. A dump that
cannot be read prints a line saying why and exits 2; so does a colour argument that cannot be
understood."""
import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from XwdImage import ImageError, read_xwd, write_png  # noqa: E402


def parse_region(text, width, height):
    values = [int(v) for v in text.split(",")]
    if len(values) not in (4, 8):
        raise ValueError("'%s' is not R,G,B,tolerance[,x0,y0,x1,y1]" % text)
    target, tolerance = values[0:3], values[3]
    x0, y0, x1, y1 = values[4:8] if len(values) == 8 else (0, 0, width, height)
    return target, tolerance, (max(0, x0), max(0, y0), min(width, x1), min(height, y1))


def count(image, target, tolerance, box):
    red, green, blue = target
    x0, y0, x1, y1 = box
    total = 0
    for row in image.rows[y0:y1]:
        line = row[3 * x0 : 3 * x1]
        for i in range(0, len(line), 3):
            if abs(line[i] - red) <= tolerance and abs(line[i + 1] - green) <= tolerance and \
                    abs(line[i + 2] - blue) <= tolerance:
                total += 1
    return total


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    try:
        image = read_xwd(sys.argv[1])
    except (OSError, ImageError) as error:
        print("ScreenProbe: %s cannot be read: %s" % (sys.argv[1], error))
        return 2
    try:
        regions = [(text, parse_region(text, image.width, image.height))
                   for text in sys.argv[3:]]
    except ValueError as error:
        print("ScreenProbe: %s" % error)
        return 2
    write_png(sys.argv[2], image)
    for text, (target, tolerance, box) in regions:
        print(text, count(image, target, tolerance, box))
    return 0


if __name__ == "__main__":
    sys.exit(main())
