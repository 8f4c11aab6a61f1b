#!/usr/bin/env python3
"""Writes hand-made hostile skins into a folder, one skin per case.

Each case is a small skin (a few megabytes at most) built to make a careless
loader hang or exhaust memory: deep or cyclic parent chains, very many
sections or archive entries, one large image named through many spellings,
images that rescale into large copies, a JPEG of very many scans, an archive
entry that inflates far beyond its packed size, sizes near 2^31, and broken
images and rectangles. scripts/hostile_skins.sh runs the skin tool on each.

Usage: make_hostile_skins.py OUT_DIR   (prints one line per case: NAME PATH)
Only the standard library is used, so any Python 3 runs it.
"""

import os
import struct
import sys
import zlib

# ---- files -------------------------------------------------------------------


def png(width, height, rgba=(200, 210, 220, 255)):
    """A PNG of one colour, written row by row so that large ones stay cheap."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    row = b"\0" + bytes(rgba) * width
    z = zlib.compressobj(9)
    idat = b"".join(z.compress(row) for _ in range(height)) + z.flush()
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", idat) +
            chunk(b"IEND", b""))


def png_header_only(width, height):
    """A PNG whose header claims Width x Height but whose data ends at once."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
            chunk(b"IDAT", zlib.compress(b"\0" * 16)) + chunk(b"IEND", b""))


def bmp(width, height, bgr=(0, 128, 255)):
    """A 24-bit bottom-up BMP of one colour."""
    stride = (width * 3 + 3) & ~3
    row = bytes(bgr) * width + b"\0" * (stride - width * 3)
    pixels = row * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def jpeg_many_scans(width, height, scans):
    """A grey progressive JPEG: one DC scan, then Scans empty AC scans.

    Every scan after the first repeats the same spectral band, which decoders
    only warn about, and carries no entropy-coded data, which they fill with
    zeros; each still makes the decoder visit every block of the image."""
    def segment(marker, payload):
        return b"\xFF" + bytes([marker]) + struct.pack(">H", len(payload) + 2) + payload
    out = b"\xFF\xD8"
    out += segment(0xDB, b"\x00" + bytes([1] * 64))                      # quantisation
    out += segment(0xC2, struct.pack(">BHHB", 8, height, width, 1) + b"\x01\x11\x00")
    one_code = bytes([1] + [0] * 15) + b"\x00"                           # one symbol, 0
    out += segment(0xC4, b"\x00" + one_code + b"\x10" + one_code)        # DC 0 and AC 0
    out += segment(0xDA, b"\x01\x01\x00\x00\x00\x00")                    # DC first scan
    ac = segment(0xDA, b"\x01\x01\x00\x01\x3F\x00")                      # AC 1..63 scan
    out += ac * scans
    return out + b"\xFF\xD9"


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def options(sections):
    """Options.dat from (name, [(key, value), ...]) pairs, CR LF lines."""
    lines = []
    for name, keys in sections:
        lines.append("[%s]" % name)
        lines.extend("%s=%s" % kv for kv in keys)
    return ("\r\n".join(lines) + "\r\n").encode("ascii")


def archive(entries):
    """A skin archive ("ASzf") of (name, bytes or (size, chunk source)) entries."""
    out = [b"ASzf", struct.pack("<I", len(entries))]
    for name, data in entries:
        raw = name.encode("ascii")
        if isinstance(data, tuple):
            size, chunks = data
            z = zlib.compressobj(9)
            packed = b"".join(z.compress(c) for c in chunks()) + z.flush()
        else:
            size, packed = len(data), zlib.compress(data, 9)
        out += [struct.pack("<I", len(raw)), raw, struct.pack("<I", size), packed]
    return b"".join(out)


def folder_skin(root, name, opts, files=()):
    path = os.path.join(root, name)
    write(os.path.join(path, "Options.dat"), options(opts))
    for file_name, data in files:
        write(os.path.join(path, file_name), data)
    return path


def archive_skin(root, name, opts, files=()):
    path = os.path.join(root, name + ".asz")
    entries = [("OPTIONS.DAT", options(opts))] if opts is not None else []
    write(path, archive(entries + list(files)))
    return path


def mask(l, t, r, b, wl=0, wt=0, wr=0, wb=0, images=1, rows=0, kind=0, draw=1):
    """A mask reference in the canonical notation: a rectangle of the master."""
    return "&%04d%04d%04d%04d%04d%04d%04d%04d%d%d%d%02d000000" % (
        l, t, r, b, wl, wt, wr, wb, images, rows, kind, draw)


GLOBAL = ("GLOBALINFO", [("VERSION", "15.00"), ("MASTERBITMAP", "MASTER.PNG")])
SMALL_MASTER = ("MASTER.PNG", png(64, 64))

# ---- cases -------------------------------------------------------------------


def chain(root, name, depth, leaf_first):
    """A PARENTCLASS chain Depth sections deep; the root asks for generated
    outer shadows, so every section inherits the mode that generates one."""
    secs = [("S%d" % i, [("PARENTCLASS", "S%d" % (i + 1))] if i + 1 < depth else
             [("OUTERMODE", "3"), ("COLOR", "123456"), ("BORDERSMASK", mask(0, 0, 10, 10, 2, 2, 2, 2, rows=1))])
            for i in range(depth)]
    if not leaf_first:
        secs.reverse()
    return folder_skin(root, name, [GLOBAL] + secs, [SMALL_MASTER])


def cycle(root, name, length):
    secs = [("C%d" % i, [("PARENTCLASS", "C%d" % ((i + 1) % length)), ("STATES", "2")])
            for i in range(length)]
    return folder_skin(root, name, [GLOBAL] + secs, [SMALL_MASTER])


def many_sections(root, name, count):
    secs = [("N%d" % i, [("COLOR", str(i)), ("PARENTCLASS", "BASE")])
            for i in range(count)]
    base = ("BASE", [("BORDERSMASK", mask(0, 0, 10, 10, 2, 2, 2, 2, rows=1)), ("STATES", "3")])
    return folder_skin(root, name, [GLOBAL, base] + secs, [SMALL_MASTER])


def image_spellings(root, name):
    """Forty masks name one 2048 x 2048 image, each through another spelling
    of its path."""
    spellings = ["IMG.PNG", "./IMG.PNG", ".\\IMG.PNG", "img.png".upper()]
    spellings += ["SUB%d\\..\\IMG.PNG" % i for i in range(12)]
    spellings += ["SUB%d/../IMG.PNG" % i for i in range(12)]
    spellings += [".\\" * i + "IMG.PNG" for i in range(2, 14)]
    secs = [("M%d" % i, [("PATTERN", "!%s!1!0!1!0!0!0!0!0" % s)])
            for i, s in enumerate(spellings[:40])]
    files = [("IMG.PNG", png(2048, 2048))] + [("SUB%d/KEEP" % i, b"") for i in range(12)]
    return folder_skin(root, name, [GLOBAL] + secs, [SMALL_MASTER] + files)


def rescale_many(root, name):
    """Forty masks each cut a different large area out of a 2048 x 2048
    master, so every resolution above 96 rescales forty large images."""
    secs = []
    for i in range(40):
        l, t = i * 8, i * 4
        secs.append(("R%d" % i, [("BORDERSMASK", mask(l, t, l + 1400, t + 1400, 10, 10, 10, 10,
                                                       rows=1))]))
    glob = ("GLOBALINFO", [("VERSION", "15.00"), ("MASTERBITMAP", "MASTER.PNG")])
    return folder_skin(root, name, [glob] + secs, [("MASTER.PNG", png(2048, 2048))])


def jpeg_scans(root, name):
    secs = [("J", [("PATTERN", "!BIG.JPG!1!0!1!0!0!0!0!0")])]
    return folder_skin(root, name, [GLOBAL] + secs,
                       [SMALL_MASTER, ("BIG.JPG", jpeg_many_scans(2048, 2048, 60000))])


def big_entry(root, name):
    """An unused entry that inflates to 600 MB, well inside deflate's ratio."""
    size = 600 << 20
    block = b"\0" * (1 << 20)
    return archive_skin(root, name, [GLOBAL], [SMALL_MASTER,
                                               ("JUNK.DAT", (size, lambda: [block] * 600))])


def many_entries(root, name):
    """65,536 entries and 3,000 masks that each name a different one."""
    tiny = bmp(2, 2)
    files = [SMALL_MASTER] + [("F%05d.BMP" % i, tiny) for i in range(65535)]
    secs = [("E%d" % i, [("PATTERN", "!F%05d.BMP!1!0!1!0!0!0!0!0" % (i * 21))])
            for i in range(3000)]
    return archive_skin(root, name, [GLOBAL] + secs, files)


def huge_master(root, name):
    secs = [("B", [("BORDERSMASK", mask(0, 0, 100, 100, 4, 4, 4, 4, rows=1))])]
    return folder_skin(root, name, [GLOBAL] + secs, [("MASTER.PNG", png(4096, 4096))])


def big_numbers(root, name):
    n = "2147483647"
    glob = ("GLOBALINFO", [("VERSION", "15.00"), ("MASTERBITMAP", "MASTER.PNG"),
                           ("SCROLLSWIDTH", n), ("BORDERWIDTH", n), ("FORMOFFSET", n),
                           ("TITLEHEIGHT", n), ("ALIGNOFFSET", n), ("WSHSIZE", "-" + n),
                           ("WSHOFFS", n), ("WSHRAD", n), ("THUMBWIDTH", n), ("LO_WIDTHL", n),
                           ("SH_OFFSETB", n), ("LO_RADIUS_OE", n), ("BICONCLOSEGLOW", n)])
    secs = [("BIG", [("BORDERWIDTH", n), ("BORDERRADIUS", n), ("OUTBLUR", n), ("OUTRADIUS", n),
                     ("OUTOFFSL", n), ("OUTERMODE", "4"), ("GLOWMARGIN", n)])]
    return folder_skin(root, name, [glob] + secs, [SMALL_MASTER])


def bad_mask_image(root, name):
    secs = [("P", [("PATTERN", "!BROKEN.PNG!1!0!1!0!0!0!0!0")])]
    broken = png(32, 32)[:60]
    return folder_skin(root, name, [GLOBAL] + secs, [SMALL_MASTER, ("BROKEN.PNG", broken)])


def huge_bands(root, name):
    secs = [("H", [("BORDERSMASK", mask(0, 0, 64, 64, 9999, 9999, 9999, 9999))])]
    return folder_skin(root, name, [GLOBAL] + secs, [SMALL_MASTER])


def oversized_png(root, name):
    return folder_skin(root, name, [GLOBAL], [("MASTER.PNG", png_header_only(100000, 100000))])


def rect_outside(root, name):
    secs = [("O", [("BORDERSMASK", mask(500, 500, 600, 600, 4, 4, 4, 4, rows=1)),
                   ("GLYPHMASK", mask(60, 60, 90, 90, kind=2))])]
    return folder_skin(root, name, [GLOBAL] + secs, [SMALL_MASTER])


CASES = [
    ("chain_10000_root_first", lambda r, n: chain(r, n, 10000, False)),
    ("chain_10000_leaf_first", lambda r, n: chain(r, n, 10000, True)),
    ("chain_60000_leaf_first", lambda r, n: chain(r, n, 60000, True)),
    ("cycle_3000", lambda r, n: cycle(r, n, 3000)),
    ("sections_100000", lambda r, n: many_sections(r, n, 100000)),
    ("image_40_spellings", image_spellings),
    ("rescale_40_large", rescale_many),
    ("jpeg_60000_scans", jpeg_scans),
    ("entry_600mb", big_entry),
    ("entries_65536", many_entries),
    ("master_16mp", huge_master),
    ("numbers_near_2_31", big_numbers),
    ("mask_image_broken", bad_mask_image),
    ("mask_bands_9999", huge_bands),
    ("png_100000_square", oversized_png),
    ("mask_rect_outside", rect_outside),
]


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    root = sys.argv[1]
    os.makedirs(root, exist_ok=True)
    only = set(os.environ.get("AC_HOSTILE_ONLY", "").split())
    for name, make in CASES:
        if only and name not in only:
            continue
        print(name, make(root, name), flush=True)


if __name__ == "__main__":
    main()
