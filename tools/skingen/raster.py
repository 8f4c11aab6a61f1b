"""Anti-aliased drawing on top of PIL.

Shapes are rasterised as coverage masks: drawn at SS times the size and
reduced with a box filter, so each pixel holds the share of its area that the
shape covers. Coordinates are continuous, in target pixels: the pixel (x, y)
spans [x, x + 1) x [y, y + 1), so an edge on an integer coordinate is crisp.
"""

from PIL import Image, ImageChops, ImageDraw, ImageFilter

SS = 8


def rgb(hex_colour):
    h = hex_colour.lstrip("#")
    return tuple(int(h[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    """Colour a moved toward b by the share t (0..1); hex or tuples."""
    a = rgb(a) if isinstance(a, str) else a
    b = rgb(b) if isinstance(b, str) else b
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def to_hex(c):
    return "#%02X%02X%02X" % tuple(c[:3])


def blank(w, h, colour=(0, 0, 0, 0)):
    return Image.new("RGBA", (w, h), colour)


def _canvas(w, h):
    big = Image.new("L", (w * SS, h * SS), 0)
    return big, ImageDraw.Draw(big)


def _reduce(big, w, h):
    return big.resize((w, h), Image.BOX)


def _box(x0, y0, x1, y1):
    return [round(x0 * SS), round(y0 * SS), round(x1 * SS) - 1, round(y1 * SS) - 1]


def _rrect(draw, x0, y0, x1, y1, r, fill):
    r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))
    if x1 <= x0 or y1 <= y0:
        return
    if r <= 0:
        draw.rectangle(_box(x0, y0, x1, y1), fill=fill)
    else:
        draw.rounded_rectangle(_box(x0, y0, x1, y1), radius=round(r * SS), fill=fill)


def rrect(w, h, x0, y0, x1, y1, r):
    """Coverage of a filled rounded rectangle."""
    big, d = _canvas(w, h)
    _rrect(d, x0, y0, x1, y1, r, 255)
    return _reduce(big, w, h)


def rrect_ring(w, h, x0, y0, x1, y1, r, lw):
    """Coverage of the outline of width lw just inside a rounded rectangle."""
    big, d = _canvas(w, h)
    _rrect(d, x0, y0, x1, y1, r, 255)
    _rrect(d, x0 + lw, y0 + lw, x1 - lw, y1 - lw, r - lw, 0)
    return _reduce(big, w, h)


def ellipse(w, h, x0, y0, x1, y1):
    big, d = _canvas(w, h)
    d.ellipse(_box(x0, y0, x1, y1), fill=255)
    return _reduce(big, w, h)


def lines(w, h, segments, lw):
    """Coverage of straight strokes with square ends; segments are ((x0, y0), (x1, y1))."""
    big, d = _canvas(w, h)
    for (a, b) in segments:
        d.line([(a[0] * SS, a[1] * SS), (b[0] * SS, b[1] * SS)], fill=255,
               width=max(1, round(lw * SS)))
    return _reduce(big, w, h)


def polyline(w, h, points, lw):
    """Coverage of a joined stroke with round joints and caps."""
    big, d = _canvas(w, h)
    pts = [(x * SS, y * SS) for x, y in points]
    d.line(pts, fill=255, width=max(1, round(lw * SS)), joint="curve")
    rr = lw * SS / 2
    for p in (pts[0], pts[-1]):
        d.ellipse([p[0] - rr, p[1] - rr, p[0] + rr, p[1] + rr], fill=255)
    return _reduce(big, w, h)


def union(*masks):
    out = masks[0]
    for m in masks[1:]:
        out = ImageChops.lighter(out, m)
    return out


def subtract(a, b):
    return ImageChops.subtract(a, b)


def scale_mask(mask, factor):
    return mask.point(lambda v: min(255, round(v * factor)))


def blur(mask, sigma):
    return mask.filter(ImageFilter.GaussianBlur(sigma))


def paint(img, coverage, colour, opacity=1.0):
    """Lays a colour over img through a coverage mask (straight alpha)."""
    c = rgb(colour) if isinstance(colour, str) else tuple(colour[:3])
    layer = Image.new("RGBA", img.size, c + (0,))
    layer.putalpha(scale_mask(coverage, opacity) if opacity != 1.0 else coverage)
    return Image.alpha_composite(img, layer)


def fill_vertical(img, x0, y0, x1, y1, top, bottom):
    """An opaque vertical gradient over whole pixels [x0, x1) x [y0, y1)."""
    d = ImageDraw.Draw(img)
    n = max(1, y1 - y0)
    for i in range(y1 - y0):
        c = mix(top, bottom, i / (n - 1) if n > 1 else 0)
        d.line([(x0, y0 + i), (x1 - 1, y0 + i)], fill=c + (255,))
    return img


def keyed_with_mask_rows(w, h, layers, footprint):
    """Builds a keyed image with its mask row below it (twice the height).

    layers is a list of (coverage, colour) painted in order over a see-through
    background; footprint is the coverage of the whole control. A pixel outside
    the footprint is the key colour (the parent shows there); a covered pixel
    carries the blended colour of what covers it, and the mask row holds the
    share of what lies below that shows through (255 - coverage). Pixels inside
    the footprint that no layer covers read white with mask 255: white is at
    least every face byte, so the mask combination keeps the face exactly.
    """
    colour = Image.new("RGBA", (w, h), (255, 255, 255, 0))
    for cov, col in layers:
        colour = paint(colour, cov, col)
    alpha = colour.getchannel("A")
    outside = footprint.point(lambda v: 255 if v == 0 else 0)
    return compose_mask_rows(colour, alpha, outside)


def compose_mask_rows(colour, alpha, outside):
    """Stacks the image row over the mask row.

    colour is an RGBA picture; alpha is the coverage of the image (0..255).
    outside (a mask or None) marks with 255 the pixels that lie fully outside
    the control and become the key colour.
    """
    w, h = colour.size
    out = Image.new("RGB", (w, h * 2), (255, 255, 255))
    px_c = colour.load()
    px_a = alpha.load()
    px_o = outside.load() if outside is not None else None
    px = out.load()
    for y in range(h):
        for x in range(w):
            a = px_a[x, y]
            is_out = (px_o[x, y] == 255) if px_o is not None else False
            if a == 0:
                px[x, y] = (255, 0, 255) if is_out else (255, 255, 255)
                px[x, y + h] = (255, 255, 255)
            else:
                r, g, b, _ = px_c[x, y]
                px[x, y] = (r, g, b)
                m = 255 - a
                px[x, y + h] = (m, m, m)
    return out


def hstack(images):
    w = sum(i.size[0] for i in images)
    h = max(i.size[1] for i in images)
    mode = images[0].mode
    out = Image.new(mode, (w, h))
    x = 0
    for i in images:
        out.paste(i, (x, 0))
        x += i.size[0]
    return out
