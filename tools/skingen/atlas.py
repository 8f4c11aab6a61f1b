"""The master bitmap and the mask notations that point into it."""

from PIL import Image

import artwork as A

PAD = 2


class Atlas:
    """Packs images into one master bitmap, row by row (tallest first)."""

    def __init__(self, width=512):
        self.width = width
        self.items = []          # (id, image)
        self.rects = {}

    def add(self, art):
        key = id(art.image)
        if key not in self.rects:
            self.rects[key] = None
            self.items.append((key, art.image))
        return key

    def pack(self):
        order = sorted(self.items, key=lambda it: (-it[1].size[1], -it[1].size[0]))
        x = y = row_h = 0
        for key, img in order:
            w, h = img.size
            if x + w > self.width:
                x, y, row_h = 0, y + row_h + PAD, 0
            self.rects[key] = (x, y, x + w, y + h)
            x += w + PAD
            row_h = max(row_h, h)
        height = y + row_h
        master = Image.new("RGBA", (self.width, height), (0, 0, 0, 0))
        for key, img in order:
            l, t, _, _ = self.rects[key]
            master.paste(img.convert("RGBA"), (l, t))
        return master

    def rect(self, art):
        return self.rects[id(art.image)]


# --- Notations ------------------------------------------------------------------

def _n4(v):
    if not 0 <= v <= 9999:
        raise ValueError("field out of range: %d" % v)
    return "%04d" % v


def canonical(rect, art, file_name=""):
    """"&" + rectangle, bands, count, mask type, kind, draw mode, reserved, file."""
    l, t, r, b = rect if rect else (0, 0, 0, 0)
    wl, wt, wr, wb = art.bands
    return ("&" + "".join(_n4(v) for v in (l, t, r, b, wl, wt, wr, wb))
            + "%d%d%d%02d000000%s" % (art.count, art.mask_type, art.kind, art.draw_mode,
                                      file_name.upper()))


def caret(rect, art, auto_bands=False):
    """"^" border notation; with auto_bands the engine derives the bands itself."""
    bands = (0, 0, 0, 0) if auto_bands else art.bands
    fields = [_n4(v) for v in tuple(rect) + tuple(bands)]
    fields += [str(art.count), str(art.mask_type), "%02d" % art.draw_mode]
    if auto_bands:
        fields.append("0000")
    return "^" + "^".join(fields)


def at(rect, art):
    """"@" glyph notation: rectangle, count and mask type (keyed, draw mode 0)."""
    assert art.draw_mode == 0
    return "@" + "@".join([_n4(v) for v in rect] + [str(art.count), str(art.mask_type)])


def tilde(rect, art, mode):
    """"~" texture notation: rectangle, texture mode, mask type."""
    return "~" + "~".join([_n4(v) for v in rect] + ["%02d" % mode, str(art.mask_type)])


def bang(file_name, art):
    """"!" file notation: FILE, count, mask type, kind, four bands, draw mode."""
    fields = [file_name.upper(), str(art.count), str(art.mask_type), str(art.kind)]
    fields += [_n4(v) for v in art.bands] + ["%02d" % art.draw_mode]
    return "!" + "!".join(fields)


def expand(value):
    """The canonical form of a value in any notation, as the engine reads it.

    Used to check what we write: every value must turn into a well-formed
    canonical string with the fields where the engine looks for them.
    """
    v = value.upper()
    c = v[0]
    if c == "&":
        return v
    parts = [p for p in v[1:].split(c) if p != ""]
    if c == "@":
        l, t, r, b, ic, mt = parts
        return "&" + l + t + r + b + "0000" * 4 + ic + mt + "2" + "00" + "000000"
    if c == "^":
        l, t, r, b, wl, wt, wr, wb, ic, mt, dm = parts[:11]
        if len(v) > 47 and (wl, wt, wr, wb) == ("0000",) * 4:
            m = parts[11].zfill(4) if len(parts) > 11 else "0000"
            if m != "0000":
                wl = wt = wr = wb = m
            else:
                w, h = int(r) - int(l), int(b) - int(t)
                wl = wr = "%04d" % max(0, ((w // int(ic)) - 1) // 2)
                wt = wb = "%04d" % max(0, ((h // (int(mt) + 1)) - 1) // 2)
        return "&" + l + t + r + b + wl + wt + wr + wb + ic + mt + "0" + dm.zfill(2) + "000000"
    if c == "~":
        l, t, r, b, dm = parts[:5]
        mt = v[24] if len(v) > 24 else "0"
        f = parts[6] if len(parts) > 6 else ""
        return "&" + l + t + r + b + "0000" * 4 + "1" + mt + "1" + dm.zfill(2) + "000000" + f
    if c == "!":
        f, ic, mt, it = parts[:4]
        a = parts[4:8]
        dm = parts[8]
        bands = "".join(a)
        return "&" + "0000" * 4 + bands + ic + mt + it + dm.zfill(2) + "000000" + f
    raise ValueError("not a mask notation: " + value)


def check_canonical(value):
    """Raises when the fixed-position fields of a canonical value are not digits."""
    if len(value) < 44 or value[0] != "&" or not value[1:44].isdigit():
        raise ValueError("malformed mask value: " + value)
    return value


def self_test():
    """The notation rules checked against worked examples of the format."""
    assert expand("@0057@0135@0108@0152@3@0") == "&0057013501080152000000000000000030200000000"
    auto = expand("^0000^0086^0034^0154^0000^0000^0000^0000^1^1^5^0")
    assert auto[17:33] == "0016001600160016", auto
    plain = expand("^0000^0086^0034^0154^0000^0000^0000^0000^1^1^5")
    assert plain[17:33] == "0" * 16, plain
    assert expand("~0010~0020~0030~0040~04~1")[34] == "1"
    art = A.Art(None, 2, 0, A.GLOW, 17, (20, 46, 21, 21))
    assert canonical(None, art, "extbord.png") == \
        "&0000000000000000002000460021002120317000000EXTBORD.PNG"
