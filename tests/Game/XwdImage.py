#!/usr/bin/env python3
"""Reads the screen dumps that xwd writes and writes pictures as PNG, with the standard library
only; ScreenProbe.py and compare_screenshot.py both read their dumps here.

An XWD file (version 7) starts with 25 big-endian 32-bit words, followed by the window's name up
to header_size, then ncolors colour entries of 12 bytes (pixel, 16-bit red, green and blue, flags,
a pad byte; big-endian too), then the pixels: height lines of bytes_per_line bytes each. In a
ZPixmap a pixel takes bits_per_pixel bits, in the byte order the header names; the line may be
padded beyond width pixels. How many bytes a pixel takes therefore comes from bits_per_pixel and
never from the line's length: an Xvfb screen of depth 24 may store 3 or 4 bytes a pixel.

True-colour and direct-colour pixels are split by the header's masks (direct colour then looks
each field up in the colour entries); the other visuals look the whole pixel up in the colour
entries. A picture is held as rows of packed 8-bit red, green and blue bytes.

Run on its own, the module reads back dumps it makes of a small known picture in each packing
and exits 0 when every one reads right."""
import collections
import struct
import sys
import zlib

XWD_FIELDS = ("header_size file_version pixmap_format pixmap_depth pixmap_width pixmap_height "
              "xoffset byte_order bitmap_unit bitmap_bit_order bitmap_pad bits_per_pixel "
              "bytes_per_line visual_class red_mask green_mask blue_mask bits_per_rgb "
              "colormap_entries ncolors window_width window_height window_x window_y "
              "window_border_width").split()
XwdHeader = collections.namedtuple("XwdHeader", XWD_FIELDS)
XWD_HEADER = struct.Struct(">25I")
XWD_COLOUR = struct.Struct(">IHHHBB")
XWD_VERSION = 7
Z_PIXMAP = 2
LSB_FIRST, MSB_FIRST = 0, 1
STATIC_GRAY, GRAY_SCALE, STATIC_COLOR, PSEUDO_COLOR, TRUE_COLOR, DIRECT_COLOR = range(6)
PIXEL_SIZES = (8, 16, 24, 32)

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
PNG_COLOUR_RGB = 2


class ImageError(ValueError):
    """A file that cannot be read as a picture; the message says why."""


class Image:
    """Rows of packed RGB bytes, 3 * width bytes each."""

    def __init__(self, width, height, rows):
        self.width = width
        self.height = height
        self.rows = rows

    def pixel(self, x, y):
        return tuple(self.rows[y][3 * x : 3 * x + 3])


def read_header(data):
    """The header's 25 fields, by name."""
    if len(data) < XWD_HEADER.size:
        raise ImageError("too short for an xwd header")
    header = XwdHeader(*XWD_HEADER.unpack_from(data))
    if header.file_version != XWD_VERSION:
        raise ImageError("xwd file version %d, not %d" % (header.file_version, XWD_VERSION))
    if header.header_size < XWD_HEADER.size:
        raise ImageError("a header size of %d bytes is too small" % header.header_size)
    return header


def read_colours(data, header):
    """The colour entries: pixel value -> (red, green, blue) of 8 bits each."""
    start = header.header_size
    if len(data) < start + header.ncolors * XWD_COLOUR.size:
        raise ImageError("the colour entries are cut short")
    colours = {}
    for i in range(header.ncolors):
        pixel, red, green, blue, _, _ = XWD_COLOUR.unpack_from(data, start + i * XWD_COLOUR.size)
        colours[pixel] = (red >> 8, green >> 8, blue >> 8)
    return colours


def mask_shift_and_bits(mask):
    """Where a colour mask starts and how many bits it holds; it must be one run of bits."""
    shift = (mask & -mask).bit_length() - 1
    bits = bin(mask).count("1")
    if mask == 0 or mask >> shift != (1 << bits) - 1:
        raise ImageError("the colour mask 0x%x is not one run of bits" % mask)
    return shift, bits


def scale_to_8_bits(value, bits):
    if bits == 8:
        return value
    return (value * 255 + ((1 << bits) - 1) // 2) // ((1 << bits) - 1)


def channel_bytes(header):
    """For pixels of 3 or 4 bytes whose masks each cover one whole byte, the index of the red,
    green and blue byte within a pixel; None for any other layout."""
    step = header.bits_per_pixel // 8
    if header.visual_class != TRUE_COLOR or step not in (3, 4):
        return None
    indices = []
    for mask in (header.red_mask, header.green_mask, header.blue_mask):
        shift, bits = mask_shift_and_bits(mask)
        if bits != 8 or shift % 8 or shift // 8 >= step:
            return None
        byte = shift // 8
        indices.append(byte if header.byte_order == LSB_FIRST else step - 1 - byte)
    return indices


def pixel_converter(header, colours):
    """A function from a pixel value to its (red, green, blue)."""
    if header.visual_class in (TRUE_COLOR, DIRECT_COLOR):
        fields = [mask_shift_and_bits(mask)
                  for mask in (header.red_mask, header.green_mask, header.blue_mask)]
        if any(shift + bits > header.bits_per_pixel for shift, bits in fields):
            raise ImageError("a colour mask reaches beyond %d bits a pixel"
                             % header.bits_per_pixel)
        if header.visual_class == TRUE_COLOR:
            return lambda p: tuple(scale_to_8_bits((p >> shift) & ((1 << bits) - 1), bits)
                                   for shift, bits in fields)
        # Each field of a direct-colour pixel picks its channel from the colour entries.
        tables = [{}, {}, {}]
        for value, rgb in colours.items():
            for channel, (shift, bits) in enumerate(fields):
                tables[channel][(value >> shift) & ((1 << bits) - 1)] = rgb[channel]

        def direct(p):
            try:
                return tuple(tables[channel][(p >> shift) & ((1 << bits) - 1)]
                             for channel, (shift, bits) in enumerate(fields))
            except KeyError:
                raise ImageError("the pixel 0x%x has no colour entry" % p)
        return direct
    if header.visual_class in (STATIC_GRAY, GRAY_SCALE, STATIC_COLOR, PSEUDO_COLOR):
        def indexed(p):
            try:
                return colours[p]
            except KeyError:
                raise ImageError("the pixel 0x%x has no colour entry" % p)
        return indexed
    raise ImageError("unknown visual class %d" % header.visual_class)


def decode_xwd(data):
    """The picture of an xwd dump held in the bytes data."""
    header = read_header(data)
    if header.pixmap_format != Z_PIXMAP:
        raise ImageError("pixmap format %d; only ZPixmap (%d) is read"
                         % (header.pixmap_format, Z_PIXMAP))
    if header.bits_per_pixel not in PIXEL_SIZES:
        raise ImageError("%d bits a pixel; only %s are read"
                         % (header.bits_per_pixel, ", ".join(map(str, PIXEL_SIZES))))
    if header.byte_order not in (LSB_FIRST, MSB_FIRST):
        raise ImageError("unknown byte order %d" % header.byte_order)
    width, height = header.pixmap_width, header.pixmap_height
    step = header.bits_per_pixel // 8
    line_bytes = header.bytes_per_line
    if line_bytes < width * step:
        raise ImageError("lines of %d bytes cannot hold %d pixels of %d bits"
                         % (line_bytes, width, header.bits_per_pixel))
    colours = read_colours(data, header)
    start = header.header_size + header.ncolors * XWD_COLOUR.size
    if len(data) < start + line_bytes * height:
        raise ImageError("the pixel data is cut short")
    rows = []
    fast = channel_bytes(header)
    if fast is not None:
        # The usual dump of a 24-bit screen: each channel is one byte of the pixel.
        for y in range(height):
            line = data[start + y * line_bytes : start + y * line_bytes + width * step]
            row = bytearray(3 * width)
            for channel, byte in enumerate(fast):
                row[channel::3] = line[byte::step]
            rows.append(bytes(row))
        return Image(width, height, rows)
    convert = pixel_converter(header, colours)
    order = "little" if header.byte_order == LSB_FIRST else "big"
    for y in range(height):
        line = data[start + y * line_bytes : start + y * line_bytes + width * step]
        row = bytearray()
        for x in range(0, width * step, step):
            row.extend(convert(int.from_bytes(line[x : x + step], order)))
        rows.append(bytes(row))
    return Image(width, height, rows)


def read_xwd(path):
    """The picture of the xwd dump at path; ImageError (without the path) when it cannot be
    read as one, OSError when the file cannot be opened."""
    with open(path, "rb") as dump:
        return decode_xwd(dump.read())


def write_png(path, image):
    """Writes the picture as an 8-bit RGB PNG."""
    raw = b"".join(b"\x00" + row for row in image.rows)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", image.width, image.height, 8, PNG_COLOUR_RGB, 0, 0, 0)
    with open(path, "wb") as picture:
        picture.write(PNG_SIGNATURE + chunk(b"IHDR", header) +
                      chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def encode_xwd(pixels, width, height, bits_per_pixel, byte_order, visual_class, masks,
               colours=(), line_pad=0, name=b"probe\0"):
    """An xwd dump of the given pixel values (row by row), as xwd lays one out; lines carry
    line_pad bytes beyond the 32-bit padding."""
    step = bits_per_pixel // 8
    line_bytes = (width * step + 3) // 4 * 4 + line_pad
    header_size = XWD_HEADER.size + len(name)
    fields = dict.fromkeys(XWD_FIELDS, 0)
    fields.update(header_size=header_size, file_version=XWD_VERSION, pixmap_format=Z_PIXMAP,
                  pixmap_depth=24 if bits_per_pixel >= 24 else bits_per_pixel,
                  pixmap_width=width, pixmap_height=height, byte_order=byte_order,
                  bitmap_unit=32, bitmap_pad=32, bits_per_pixel=bits_per_pixel,
                  bytes_per_line=line_bytes, visual_class=visual_class, red_mask=masks[0],
                  green_mask=masks[1], blue_mask=masks[2], bits_per_rgb=8,
                  colormap_entries=max(len(colours), 1), ncolors=len(colours),
                  window_width=width, window_height=height)
    out = bytearray(XWD_HEADER.pack(*(fields[f] for f in XWD_FIELDS)) + name)
    for pixel, (red, green, blue) in colours:
        out += XWD_COLOUR.pack(pixel, red * 257, green * 257, blue * 257, 7, 0)
    order = "little" if byte_order == LSB_FIRST else "big"
    for y in range(height):
        line = b"".join(p.to_bytes(step, order) for p in pixels[y * width : (y + 1) * width])
        out += line + b"\x00" * (line_bytes - len(line))
    return bytes(out)


def self_check():
    """Reads back dumps of a small known picture in each packing; answers the failures."""
    width, height = 7, 3  # odd, so that 3-byte lines are padded
    picture = [((x * 37 + y * 11) % 256, (x * 91 + 5) % 256, (y * 53 + x) % 256)
               for y in range(height) for x in range(width)]
    failures = []

    def expect(what, data, wanted):
        try:
            image = decode_xwd(data)
            got = [image.pixel(x, y) for y in range(image.height) for x in range(image.width)]
        except ImageError as error:
            failures.append("%s: %s" % (what, error))
            return
        if (image.width, image.height) != (width, height) or got != wanted:
            failures.append("%s: read %s, not %s" % (what, got[:4], wanted[:4]))

    rgb = (0xFF0000, 0xFF00, 0xFF)
    bgr = (0xFF, 0xFF00, 0xFF0000)
    for bits in (24, 32):
        for order in (LSB_FIRST, MSB_FIRST):
            for masks in (rgb, bgr):
                # Padding of 4 bytes makes 3-byte lines as long as 4 bytes a pixel would.
                for pad in (0, 4, 4 * width):
                    pixels = [sum(c << ((m & -m).bit_length() - 1) for c, m in zip(p, masks))
                              for p in picture]
                    what = "%d bits, %s first, masks %s, %d pad bytes" % (
                        bits, "LSB" if order == LSB_FIRST else "MSB",
                        "/".join("%x" % m for m in masks), pad)
                    expect(what, encode_xwd(pixels, width, height, bits, order, TRUE_COLOR,
                                            masks, line_pad=pad), picture)
    # 5-6-5 true colour: the channels are widened to 8 bits.
    masks565 = (0xF800, 0x07E0, 0x001F)
    pixels = [(r >> 3) << 11 | (g >> 2) << 5 | b >> 3 for r, g, b in picture]
    wanted = [(scale_to_8_bits(r >> 3, 5), scale_to_8_bits(g >> 2, 6), scale_to_8_bits(b >> 3, 5))
              for r, g, b in picture]
    for order in (LSB_FIRST, MSB_FIRST):
        expect("16 bits 5-6-5, byte order %d" % order,
               encode_xwd(pixels, width, height, 16, order, TRUE_COLOR, masks565), wanted)
    # An 8-bit pseudo-colour dump takes its colours from the entries after the header.
    palette = sorted(set(picture))
    index = {colour: i for i, colour in enumerate(palette)}
    expect("8-bit pseudo colour",
           encode_xwd([index[p] for p in picture], width, height, 8, LSB_FIRST, PSEUDO_COLOR,
                      (0, 0, 0), colours=list(enumerate(palette))), picture)
    # Direct colour: each field of the pixel picks its channel from the colour entries.
    ramp = [(i, (255 - i, i, i // 2)) for i in range(256)]
    expect("32-bit direct colour",
           encode_xwd([r << 16 | g << 8 | b for r, g, b in picture], width, height, 32, LSB_FIRST,
                      DIRECT_COLOR, rgb, colours=[(i << 16 | i << 8 | i, c) for i, c in ramp]),
           [(255 - r, g, b // 2) for r, g, b in picture])
    # Dumps that cannot be read say so.
    good = encode_xwd([0] * (width * height), width, height, 24, LSB_FIRST, TRUE_COLOR, rgb)
    for what, data in (("short header", good[:50]), ("cut pixels", good[:-1]),
                       ("4 bits a pixel", good[:44] + struct.pack(">I", 4) + good[48:])):
        try:
            decode_xwd(data)
            failures.append("%s: read without complaint" % what)
        except ImageError:
            pass
    return failures


if __name__ == "__main__":
    problems = self_check()
    for problem in problems:
        print("FAILED: " + problem)
    if not problems:
        print("PASSED: every packing reads back")
    sys.exit(1 if problems else 0)
