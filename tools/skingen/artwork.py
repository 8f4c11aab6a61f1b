"""The skin's images, each drawn for one resolution.

Every builder takes the scale (1.0 at 96 pixels per inch) and returns an Art:
the picture plus what the options file must say about it. Lengths come from
theme.py through px() (rounded to whole pixels so edges stay on the pixel
grid) and hairline() (the width of a 1-pixel line at that resolution).
"""

import math
from dataclasses import dataclass

from PIL import Image

import raster as R
import theme as T

# Image kinds and draw-mode bits of the options file.
BORDER, TEXTURE, GLYPH, GLOW, PNG_GLYPH = 0, 1, 2, 3, 4
STRETCH, SKIP_STATE0, CENTRE, NO_RESCALE, ALPHA = 1, 2, 4, 8, 16


@dataclass
class Art:
    image: Image.Image      # RGBA for alpha images, RGB for keyed ones
    count: int = 1          # state images side by side
    mask_type: int = 0      # 1 when a mask row lies below the image row
    kind: int = BORDER
    draw_mode: int = 0
    bands: tuple = (0, 0, 0, 0)


def px(v, s):
    return int(math.floor(v * s + 0.5))


def hairline(s):
    return 1 if s < 2 else 2


# --- Window frame ------------------------------------------------------------

def frame_metrics(s):
    shadow = px(T.SHADOW, s)
    border = px(T.FRAME_WIDTH, s)
    title = px(T.TITLE_HEIGHT, s)
    radius = px(T.WINDOW_RADIUS, s)
    # The side and bottom bands must hold the whole corner arc: the frame
    # painter stretches everything between them.
    side = shadow + max(border, radius)
    return shadow, border, title, radius, side


def _window_template(s, active):
    shadow, border, title, radius, side = frame_metrics(s)
    mid = max(8, px(8, s))
    w, h = 2 * side + mid, shadow + title + mid + side
    win = (shadow, shadow, w - shadow, h - shadow)
    shape = R.rrect(w, h, *win, radius)
    # Two shadows: a wide ambient one that fades out at the template's edge
    # and a tight one that gives the outline some weight. Neither is offset,
    # so the window floats evenly.
    strength = T.SHADOW_ACTIVE if active else T.SHADOW_INACTIVE
    wide = R.scale_mask(R.blur(shape, shadow / 3.4), strength * 0.8)
    tight = R.scale_mask(R.blur(shape, shadow / 10.0), strength * 0.5)
    img = R.paint(R.blank(w, h), R.union(wide, tight), "#000000")
    img = R.paint(img, shape, T.BG)
    outline = T.FRAME_ACTIVE if active else T.FRAME_INACTIVE
    img = R.paint(img, R.rrect_ring(w, h, *win, radius, hairline(s)), outline)
    return img, (side, shadow + title, side, side)


def exborder(s):
    inactive, bands = _window_template(s, False)
    active, _ = _window_template(s, True)
    # First image inactive, second active (the engine's order).
    return Art(R.hstack([inactive, active]), 2, 0, GLOW, STRETCH | ALPHA, bands)


def _outline_mask(s, radius, lw, colours, bottoms=None):
    """Keyed border images with mask rows: an outline over the control's face.

    colours gives one outline colour per state; bottoms (optional) a darker
    colour that the lower corner arcs and the bottom edge move toward. Inside
    the outline the mask row is white, so the face painted below stays.
    """
    band = max(int(math.ceil(radius)), lw) + 1
    size = 2 * band + 2
    footprint = R.rrect(size, size, 0, 0, size, size, radius)
    ring = R.rrect_ring(size, size, 0, 0, size, size, radius, lw)
    outside = footprint.point(lambda v: 255 if v == 0 else 0)
    frames = []
    for i, top in enumerate(colours):
        colour = Image.new("RGBA", (size, size), R.rgb(top) + (255,))
        if bottoms:
            for y in range(size - band, size):
                t = ((y - (size - band) + 1) / band) ** 2
                c = R.mix(top, bottoms[i], t)
                colour.paste(c + (255,), (0, y, size, y + 1))
        frames.append(R.compose_mask_rows(colour, ring, outside))
    return Art(R.hstack(frames), len(colours), 1, BORDER, 0, (band,) * 4)


def button_border(s):
    hot_bottom = R.mix(T.BUTTON_HOT_BORDER, T.ACCENT, 0.45)
    return _outline_mask(
        s, px(T.CONTROL_RADIUS, s), hairline(s),
        [T.CONTROL_BORDER, T.BUTTON_HOT_BORDER, T.ACCENT_PRESSED],
        [T.CONTROL_BORDER_BOTTOM, hot_bottom, T.ACCENT_PRESSED])


def edit_border(s):
    return _outline_mask(
        s, px(T.CONTROL_RADIUS, s), hairline(s),
        [T.CONTROL_BORDER, T.ACCENT],
        [T.CONTROL_BORDER_BOTTOM, T.ACCENT])


def card_border(s):
    return _outline_mask(s, px(T.CARD_RADIUS, s), hairline(s), [T.CARD_BORDER])


def sunken_border(s):
    return _outline_mask(s, px(T.CONTROL_RADIUS, s), hairline(s), [T.CONTROL_BORDER])


def form_border(s):
    """The window outline used when the frame is drawn without the border window."""
    return _outline_mask(s, px(T.WINDOW_RADIUS, s), hairline(s),
                         [T.FRAME_INACTIVE, T.FRAME_ACTIVE])


def huge_button(s):
    return _outline_mask(
        s, px(T.HUGE_RADIUS, s), hairline(s),
        [T.CONTROL_BORDER, T.BUTTON_HOT_BORDER, T.ACCENT_PRESSED],
        [T.CONTROL_BORDER_BOTTOM, R.mix(T.BUTTON_HOT_BORDER, T.ACCENT, 0.45), T.ACCENT_PRESSED])


def flat_button_border(s):
    """Tool and speed buttons: no outline at rest, a soft one when hot."""
    art = _outline_mask(
        s, px(T.CONTROL_RADIUS, s), hairline(s),
        [T.CONTROL_BORDER, T.BUTTON_HOT_BORDER, T.ACCENT_PRESSED])
    art.draw_mode = SKIP_STATE0
    return art


# --- Caption buttons ---------------------------------------------------------

def _glyph_close(w, h, g, lw):
    cx, cy = w / 2, h / 2
    return R.lines(w, h, [((cx - g / 2, cy - g / 2), (cx + g / 2, cy + g / 2)),
                          ((cx - g / 2, cy + g / 2), (cx + g / 2, cy - g / 2))], lw)


def _glyph_min(w, h, g, lwi):
    cx, cy = w // 2, h // 2
    return R.rrect(w, h, cx - g // 2, cy, cx + g // 2, cy + lwi, 0)


def _square(w, h, x0, y0, size, lwi, radius):
    return R.rrect_ring(w, h, x0, y0, x0 + size, y0 + size, radius, lwi)


def _glyph_max(w, h, g, lwi, s):
    cx, cy = w // 2, h // 2
    return _square(w, h, cx - g // 2, cy - g // 2, g, lwi, 1.5 * s)


def _glyph_norm(w, h, g, lwi, s):
    cx, cy = w // 2, h // 2
    d = max(2, px(2, s))
    inner = g - d
    x0, y0 = cx - g // 2, cy - g // 2 + d
    front = _square(w, h, x0, y0, inner, lwi, 1.5 * s)
    back = _square(w, h, x0 + d, y0 - d, inner, lwi, 1.5 * s)
    hole = R.rrect(w, h, x0, y0, x0 + inner, y0 + inner, 1.5 * s)
    return R.union(front, R.subtract(back, hole))


def _glyph_help(w, h, g, lw):
    cx, cy = w / 2, h / 2
    r = g * 0.3
    ay = cy - g / 2 + r
    pts = []
    for i in range(0, 13):
        a = math.radians(200 - i * 20)        # from left, over the top, to the right
        pts.append((cx + r * math.cos(a), ay - r * math.sin(a)))
    pts.append((cx, cy + g * 0.12))
    pts.append((cx, cy + g * 0.2))
    stroke = R.polyline(w, h, pts, lw)
    dot_r = lw * 0.75
    dot = R.ellipse(w, h, cx - dot_r, cy + g / 2 - 2 * dot_r, cx + dot_r, cy + g / 2)
    return R.union(stroke, dot)


def _glyph(kind, w, h, g, s):
    lw, lwi = max(1.0, s), hairline(s)
    if kind == "close":
        return _glyph_close(w, h, g, lw)
    if kind == "min":
        return _glyph_min(w, h, g, lwi)
    if kind == "max":
        return _glyph_max(w, h, g, lwi, s)
    if kind == "norm":
        return _glyph_norm(w, h, g, lwi, s)
    return _glyph_help(w, h, g, lw)


def _caption_frames(kind, s, small):
    bw, bh = T.SMALL_CAPTION_BUTTON if small else T.CAPTION_BUTTON
    w, h = px(bw, s), px(bh, s)
    g = px(T.SMALL_CAPTION_GLYPH if small else T.CAPTION_GLYPH, s)
    g -= g % 2                                  # keeps the glyph centred on the grid
    glyph = _glyph(kind, w, h, g, s)
    body = R.rrect(w, h, 0, 0, w, h, px(T.CAPTION_BUTTON_RADIUS, s))
    frames = [R.paint(R.blank(w, h), glyph, T.GLYPH)]
    if kind == "close":
        for fill in (T.CLOSE_HOT, T.CLOSE_PRESSED):
            f = R.paint(R.blank(w, h), body, fill)
            frames.append(R.paint(f, glyph, T.CLOSE_GLYPH_HOT))
    else:
        for tint in (T.CAPTION_HOVER, T.CAPTION_PRESSED):
            f = R.paint(R.blank(w, h), body, tint[:3], tint[3])
            frames.append(R.paint(f, glyph, T.GLYPH))
    return frames


def caption_button(kind, s, small=False):
    frames = _caption_frames(kind, s, small)
    return Art(R.hstack(frames), 3, 0, PNG_GLYPH, ALPHA)


def caption_glow(kind, s):
    """The hot button with a soft halo around it, for the hover window."""
    hot = _caption_frames(kind, s, False)[1]
    m = px(T.CAPTION_GLOW_MARGIN, s)
    w, h = hot.size[0] + 2 * m, hot.size[1] + 2 * m
    body = R.rrect(w, h, m, m, w - m, h - m, px(T.CAPTION_BUTTON_RADIUS, s))
    if kind == "close":
        halo, strength = T.CLOSE_HOT, 0.45
    else:
        halo, strength = T.CAPTION_HALO[:3], T.CAPTION_HALO[3]
    img = R.paint(R.blank(w, h), R.scale_mask(R.blur(body, m / 2.2), strength), halo)
    base = R.blank(w, h)
    base.paste(hot, (m, m))
    img = Image.alpha_composite(img, base)
    return Art(img, 1, 0, GLOW, ALPHA)


def caption_glow_margin(s):
    return px(T.CAPTION_GLOW_MARGIN, s)


def edit_glow(s):
    """Accent halo around a field, a nine-slice image with see-through centre."""
    m = px(T.EDIT_GLOW_MARGIN, s)
    r = px(T.CONTROL_RADIUS, s)
    band = m + r + 2
    size = 2 * band + 4
    body = R.rrect(size, size, m, m, size - m, size - m, r)
    halo = R.scale_mask(R.blur(body, m / 2.0), 0.55)
    halo = R.subtract(halo, body)
    img = R.paint(R.blank(size, size), halo, T.ACCENT)
    return Art(img, 1, 0, GLOW, STRETCH | ALPHA, (band,) * 4)


# --- Small glyphs with mask rows (keyed, anti-aliased through the mask) -------

def _masked_glyph_frames(size, states):
    """states: list of [(coverage, colour), ...] per state; footprint is the union."""
    frames = []
    for layers in states:
        foot = R.union(*[c for c, _ in layers])
        frames.append(R.keyed_with_mask_rows(size[0], size[1], layers, foot))
    # Each frame holds its image row over its mask row; they sit side by side.
    return R.hstack(frames)


def check_box(s, checked, grayed=False, small=False):
    n = px(T.SMALL_CHECK_BOX if small else T.CHECK_BOX, s)
    r = px(2, s)
    lw = hairline(s)
    box = R.rrect(n, n, 0, 0, n, n, r)
    inner = R.rrect(n, n, lw, lw, n - lw, n - lw, r - lw)
    ring = R.subtract(box, inner)
    states = []
    if not checked and not grayed:
        for edge, face in ((T.CONTROL_BORDER_BOTTOM, T.SURFACE),
                           (T.ACCENT, T.ACCENT_TINT),
                           (T.ACCENT_PRESSED, T.ACCENT_TINT_STRONG)):
            states.append([(inner, face), (ring, edge)])
    else:
        if grayed:
            mark = R.rrect(n, n, n * 0.25, n / 2 - lw, n * 0.75, n / 2 + lw, 0)
        else:
            mark = R.polyline(n, n, [(n * 0.24, n * 0.52), (n * 0.42, n * 0.70),
                                     (n * 0.76, n * 0.32)], max(1.4, 1.5 * s))
        for face in (T.ACCENT, R.to_hex(R.mix(T.ACCENT, "#FFFFFF", 0.12)), T.ACCENT_PRESSED):
            states.append([(box, face), (mark, T.TEXT_ON_ACCENT)])
    return Art(_masked_glyph_frames((n, n), states), 3, 1, GLYPH, 0)


def radio(s, checked):
    n = px(T.CHECK_BOX, s)
    lw = hairline(s)
    disc = R.ellipse(n, n, 0, 0, n, n)
    inner = R.ellipse(n, n, lw, lw, n - lw, n - lw)
    ring = R.subtract(disc, inner)
    dot = R.ellipse(n, n, n * 0.3, n * 0.3, n * 0.7, n * 0.7)
    states = []
    edges = ((T.CONTROL_BORDER_BOTTOM, T.SURFACE), (T.ACCENT, T.ACCENT_TINT),
             (T.ACCENT_PRESSED, T.ACCENT_TINT_STRONG))
    for edge, face in edges:
        if checked:
            states.append([(disc, T.ACCENT if edge != T.ACCENT_PRESSED else T.ACCENT_PRESSED),
                           (dot, T.TEXT_ON_ACCENT)])
        else:
            states.append([(inner, face), (ring, edge)])
    return Art(_masked_glyph_frames((n, n), states), 3, 1, GLYPH, 0)


def menu_check(s):
    n = px(12, s)
    mark = R.polyline(n, n, [(n * 0.2, n * 0.52), (n * 0.42, n * 0.74), (n * 0.82, n * 0.28)],
                      max(1.4, 1.5 * s))
    states = [[(mark, T.TEXT)], [(mark, T.TEXT)]]
    return Art(_masked_glyph_frames((n, n), states), 2, 1, GLYPH, 0)


def chevron(s, direction, size=9):
    """An arrow glyph in three states: rest, hot, pressed."""
    n = px(size, s)
    a = n * 0.22
    pts = [(n / 2 - 2 * a, n / 2 - a), (n / 2, n / 2 + a), (n / 2 + 2 * a, n / 2 - a)]
    mark = R.polyline(n, n, pts, max(1.25, 1.25 * s))
    rot = {"down": None, "up": Image.Transpose.FLIP_TOP_BOTTOM,
           "right": Image.Transpose.ROTATE_90, "left": Image.Transpose.ROTATE_270}[direction]
    if rot is not None:
        mark = mark.transpose(rot)
    states = [[(mark, T.TEXT_SECONDARY)], [(mark, T.TEXT)], [(mark, T.ACCENT_PRESSED)]]
    return Art(_masked_glyph_frames((n, n), states), 3, 1, GLYPH, 0)


def grip_corner(s):
    """Six dots in a triangle for the size grip, whole pixels at every scale."""
    n = px(12, s)
    step = px(4, s)
    dot = hairline(s) * 2
    dots = []
    for row in range(3):
        for col in range(3 - row):
            x1 = n - px(1, s) - col * step
            y1 = n - px(1, s) - row * step
            dots.append(R.rrect(n, n, x1 - dot, y1 - dot, x1, y1, dot / 2))
    mark = R.union(*dots)
    return Art(_masked_glyph_frames((n, n), [[(mark, T.SCROLL_THUMB_HOT)]]), 1, 1, GLYPH, 0)


def grip_texture(s):
    """A dotted tile with its mask row, laid over the section colour of grips."""
    w = h = px(4, s)
    dot = R.ellipse(w, h, w / 2 - 1, h / 2 - 1, w / 2 + 1, h / 2 + 1)
    img = R.keyed_with_mask_rows(w, h, [(dot, T.SCROLL_THUMB)], dot)
    return Art(img, 1, 1, TEXTURE, 10)


def line_texture(s, vertical=False):
    """A hairline tile for dividers, bars and headers."""
    length, lw = px(4, s), hairline(s)
    size = (lw, length) if vertical else (length, lw)
    return Art(Image.new("RGB", size, R.rgb(T.DIVIDER)), 1, 0, TEXTURE, 0)


def dot_grid_texture(s):
    n, dot = px(8, s), hairline(s)
    tile = Image.new("RGB", (n, n), R.rgb(T.MDI_BG))
    tile.paste(R.rgb(T.MDI_DOT), (0, 0, dot, dot))
    return Art(tile, 1, 0, TEXTURE, 0)


# --- Scroll bars, tabs, track bars --------------------------------------------

def pill(s, thickness, fills, track, margin=0):
    """A rounded bar in one image per state, drawn whole (centre included).

    Its edge pixels already hold the fill mixed with the track colour behind
    them and the mask row is black (opaque) over the whole shape, so the bar
    is exact on its own track. Outside the shape, and in the margin that
    insets it, lies the key colour: the section is see-through there.
    """
    n = px(thickness, s)
    n += 1 - n % 2                   # odd, so the ends are centred on a pixel
    m = px(margin, s)
    size = n + 2 * m
    shape = R.ellipse(size, size, m, m, m + n, m + n)
    cover = shape.load()
    frames = []
    for f in fills:
        out = Image.new("RGB", (size, size * 2), (0, 0, 0))
        for y in range(size):
            for x in range(size):
                c = cover[x, y]
                if c == 0:
                    out.putpixel((x, y), T.KEY)
                    out.putpixel((x, y + size), (255, 255, 255))
                else:
                    out.putpixel((x, y), R.mix(track, f, c / 255))
        frames.append(out)
    return Art(R.hstack(frames), len(fills), 1, BORDER, CENTRE | STRETCH)


def tab(s, side):
    """Tab shape open toward the page: rounded corners in every state, and the
    page's outline only on the selected tab (rest and hot show their fill)."""
    r = px(4, s)
    lw = hairline(s)
    band = r + 1
    size = 2 * band + 2
    full = R.rrect(size, size + r + 2, 0, 0, size, size + r + 2, r)
    foot = full.crop((0, 0, size, size))
    ring_full = R.rrect_ring(size, size + r + 2, 0, 0, size, size + r + 2, r, lw)
    ring = ring_full.crop((0, 0, size, size))
    frames = []
    for edge in (None, None, T.CARD_BORDER):
        layers = [(ring, edge)] if edge else []
        frames.append(_tab_frame(size, layers, foot))
    img = R.hstack(frames)
    art = Art(img, 3, 1, BORDER, 0, (band, band, band, 0))
    return _orient(art, side, size)


def _tab_frame(size, layers, foot):
    if not layers:
        colour = R.blank(size, size, (255, 255, 255, 0))
        return R.compose_mask_rows(colour, Image.new("L", (size, size), 0),
                                   foot.point(lambda v: 255 if v == 0 else 0))
    return R.keyed_with_mask_rows(size, size, layers, foot)


def _orient(art, side, size):
    if side == "top":
        return art
    # Rotate each state (image row and mask row separately) for the other sides.
    img = art.image
    frames = []
    for i in range(art.count):
        top = img.crop((i * size, 0, (i + 1) * size, size))
        mask = img.crop((i * size, size, (i + 1) * size, 2 * size))
        op = {"bottom": Image.Transpose.FLIP_TOP_BOTTOM,
              "left": Image.Transpose.ROTATE_90,
              "right": Image.Transpose.ROTATE_270}[side]
        col = Image.new("RGB", (size, 2 * size))
        col.paste(top.transpose(op), (0, 0))
        col.paste(mask.transpose(op), (0, size))
        frames.append(col)
    b = art.bands[0]
    bands = {"bottom": (b, 0, b, b), "left": (b, b, 0, b), "right": (0, b, b, b)}[side]
    return Art(R.hstack(frames), art.count, art.mask_type, art.kind, art.draw_mode, bands)


def slider_thumb(s):
    n = px(14, s)
    lw = hairline(s)
    disc = R.ellipse(n, n, 0, 0, n, n)
    inner = R.ellipse(n, n, lw, lw, n - lw, n - lw)
    ring = R.subtract(disc, inner)
    states = []
    for edge in (T.CONTROL_BORDER_BOTTOM, T.ACCENT, T.ACCENT_PRESSED):
        core = R.ellipse(n, n, n * 0.3, n * 0.3, n * 0.7, n * 0.7)
        states.append([(inner, T.SURFACE), (ring, edge), (core, T.ACCENT)])
    return Art(_masked_glyph_frames((n, n), states), 3, 1, GLYPH, 0)


def tick(s, vertical):
    length, lw = px(3, s), hairline(s)
    size = (length, lw) if vertical else (lw, length)
    return Art(Image.new("RGB", size, R.rgb(T.CONTROL_BORDER)), 1, 0, GLYPH, 0)


def title_button(s):
    """Background of user title buttons: nothing at rest, a soft tint when hot."""
    w, h = px(T.CAPTION_BUTTON[0], s), px(T.CAPTION_BUTTON[1], s)
    body = R.rrect(w, h, 0, 0, w, h, px(T.CAPTION_BUTTON_RADIUS, s))
    frames = [R.blank(w, h)]
    for tint in (T.CAPTION_HOVER, T.CAPTION_PRESSED):
        frames.append(R.paint(R.blank(w, h), body, tint[:3], tint[3]))
    return Art(R.hstack(frames), 3, 0, PNG_GLYPH, ALPHA)
