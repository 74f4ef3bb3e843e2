#!/usr/bin/env python3
"""Reads a screen dump of xwd (a 24-bit TrueColor X display, as Xvfb's), writes it as a PNG for
review and counts the pixels near given colours.

Usage: ScreenProbe.py <dump.xwd> <picture.png> [R,G,B,tolerance[,x0,y0,x1,y1]] ...
Each colour argument prints one line "<R,G,B,...> <count>": the pixels (within the optional
rectangle, x1 and y1 excluded) none of whose channels is more than tolerance off. A dump that
cannot be read prints a line saying why and exits 2."""
import struct
import sys
import zlib

HEADER_FIELDS = 25
HEADER_BYTES = HEADER_FIELDS * 4
COLOUR_ENTRY_BYTES = 12
MSB_FIRST = 1


def read_dump(path):
    with open(path, "rb") as dump:
        data = dump.read()
    if len(data) < HEADER_BYTES:
        raise ValueError("too short for an xwd header")
    fields = struct.unpack(">25I", data[:HEADER_BYTES])
    header_size, _, _, depth, width, height = fields[0:6]
    byte_order = fields[7]
    line_bytes = fields[12]
    colour_count = fields[19]
    # Xvfb's 24-bit visual stores a pixel in 4 bytes (the header's bits-per-pixel says 24), so
    # the size comes from the line length.
    pixel_bytes = line_bytes // width if width else 0
    if depth != 24 or pixel_bytes not in (3, 4):
        raise ValueError("depth %d with %d bytes per pixel; only 24-bit colour is read" %
                         (depth, pixel_bytes))
    start = header_size + colour_count * COLOUR_ENTRY_BYTES
    if len(data) < start + line_bytes * height:
        raise ValueError("the pixel data is cut short")
    order = "big" if byte_order == MSB_FIRST else "little"
    rows = []
    for y in range(height):
        line = data[start + y * line_bytes:start + y * line_bytes + width * pixel_bytes]
        row = []
        for x in range(0, len(line), pixel_bytes):
            p = int.from_bytes(line[x:x + pixel_bytes], order)
            row.append(((p >> 16) & 255, (p >> 8) & 255, p & 255))
        rows.append(row)
    return width, height, rows


def write_png(path, width, height, rows):
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as picture:
        picture.write(b"\x89PNG\r\n\x1a\n")
        picture.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        picture.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        picture.write(chunk(b"IEND", b""))


def count(rows, width, height, region):
    values = [int(v) for v in region.split(",")]
    target, tolerance = values[0:3], values[3]
    x0, y0, x1, y1 = values[4:8] if len(values) >= 8 else (0, 0, width, height)
    total = 0
    for row in rows[max(0, y0):min(height, y1)]:
        for pixel in row[max(0, x0):min(width, x1)]:
            if all(abs(pixel[c] - target[c]) <= tolerance for c in range(3)):
                total += 1
    return total


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    try:
        width, height, rows = read_dump(sys.argv[1])
    except (OSError, ValueError, struct.error) as error:
        print("ScreenProbe: %s cannot be read: %s" % (sys.argv[1], error))
        return 2
    write_png(sys.argv[2], width, height, rows)
    for region in sys.argv[3:]:
        print(region, count(rows, width, height, region))
    return 0


if __name__ == "__main__":
    sys.exit(main())
