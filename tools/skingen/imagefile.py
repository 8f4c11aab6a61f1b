"""Writes the skin's images in the theme's format (T.IMAGES).

A PNG is written as drawn: the engine keys and premultiplies it while it
loads. A 32-bit bitmap is taken by the engine exactly as it stands, so what
the engine would do to the PNG is done here, once: the master's key colour
becomes transparent, and an image of its own file is premultiplied (at the
default brightness the engine premultiplies every PNG mask that is not a
plain border, and the extended border and the field's glow are drawn with
per-pixel alpha).
"""

import theme as T

MASTER = "master"
ALPHA_MASK = "alpha mask"


def _keyed(image):
    key = T.KEY + (255,)
    out = image.copy()
    out.putdata([(r, g, b, 0) if (r, g, b, a) == key else (r, g, b, a)
                 for r, g, b, a in image.getdata()])
    return out


def _premultiplied(image):
    out = image.copy()
    out.putdata([(0, 0, 0, 0) if (r, g, b, a) == (255, 255, 255, 0)
                 else ((r * a) >> 8, (g * a) >> 8, (b * a) >> 8, a)
                 for r, g, b, a in image.getdata()])
    return out


def save(image, path, role):
    """Writes IMAGE (RGBA) to PATH; ROLE is MASTER or ALPHA_MASK."""
    if T.IMAGES == "PNG":
        image.save(path, optimize=True)
        return
    image = _keyed(image) if role == MASTER else _premultiplied(image)
    image.save(path, format="BMP")
