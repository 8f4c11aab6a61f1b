"""A picture of the main window in this skin, and a contact sheet of the images.

The preview is composed from the skin's own images the way the engine lays
them out (the extended border around the form, the panel, the field, the
button), so it shows what the user will see, not a separate drawing.
"""

import os

from PIL import Image, ImageDraw, ImageFont

import artwork as A
import raster as R
import theme as T

FONT_DIRS = ["/usr/share/fonts/truetype/dejavu"]


def _font(size, bold=False):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    for d in FONT_DIRS:
        path = os.path.join(d, name)
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    return ImageFont.load_default()


def _state(art, i):
    """State image i of an art, split into its image row and (optional) mask row."""
    img = art.image
    w = img.size[0] // art.count
    h = img.size[1] // (art.mask_type + 1)
    pic = img.crop((i * w, 0, (i + 1) * w, h))
    mask = img.crop((i * w, h, (i + 1) * w, 2 * h)).convert("L") if art.mask_type else None
    return pic, mask


def _nine(src, size, bands):
    """Nine-slice resize: corners kept, edges and centre stretched."""
    w, h = src.size
    W, H = size
    l, t, r, b = bands
    out = Image.new(src.mode, size)
    xs = [(0, l, 0, l), (l, w - r, l, W - r), (w - r, w, W - r, W)]
    ys = [(0, t, 0, t), (t, h - b, t, H - b), (h - b, h, H - b, H)]
    for sx0, sx1, dx0, dx1 in xs:
        for sy0, sy1, dy0, dy1 in ys:
            if sx1 > sx0 and sy1 > sy0 and dx1 > dx0 and dy1 > dy0:
                piece = src.crop((sx0, sy0, sx1, sy1)).resize((dx1 - dx0, dy1 - dy0),
                                                              Image.NEAREST)
                out.paste(piece, (dx0, dy0))
    return out


def _masked_border(dst, box, art, state, face):
    """Face, then a keyed border with mask rows over it, as the engine combines them."""
    x0, y0, x1, y1 = box
    size = (x1 - x0, y1 - y0)
    pic, mask = _state(art, state)
    pic = _nine(pic, size, art.bands)
    mask = _nine(mask, size, art.bands)
    parent = dst.crop(box).convert("RGB")
    out = Image.new("RGB", size)
    pp, pm, pf, pa, po = pic.load(), mask.load(), face.load(), parent.load(), out.load()
    for y in range(size[1]):
        for x in range(size[0]):
            s = pp[x, y]
            if s == T.KEY:
                po[x, y] = pa[x, y]
                continue
            m = pm[x, y]
            d = pf[x, y]
            po[x, y] = tuple((((d[i] - s[i]) * m + s[i] * 256) >> 8) for i in range(3))
    dst.paste(out.convert("RGBA"), (x0, y0))


def _gradient_face(size, top, bottom):
    face = Image.new("RGBA", size)
    R.fill_vertical(face, 0, 0, size[0], size[1], top, bottom)
    return face.convert("RGB")


def _text(draw, xy, text, font, fill, anchor="la"):
    draw.text(xy, text, font=font, fill=R.rgb(fill), anchor=anchor)


def _frame_around(img, template, bands, inner):
    """The extended border laid around the window area (corners, stretched bands)."""
    W, H = img.size
    w, h = template.size
    wl, wt, wr, wb = bands
    il, it, ir, ib = inner
    # The engine copies the frame (all four bytes) rather than blending it.
    layer = img.copy()
    parts = [
        ((0, 0, wl, it), (0, 0)),
        ((w - wr, 0, w, it), (W - wr, 0)),
        ((0, h - ib, wl, h), (0, H - ib)),
        ((w - wr, h - ib, w, h), (W - wr, H - ib)),
        ((0, h - wb, il, h - ib), (0, H - wb)),
        ((w - ir, h - wb, w, h - ib), (W - ir, H - wb)),
    ]
    for src, pos in parts:
        layer.paste(template.crop(src), pos)
    sides = [
        ((0, wt, il, h - wb), (0, wt, il, H - wb)),
        ((w - ir, wt, w, h - wb), (W - ir, wt, W, H - wb)),
        ((wl, 0, w - wr, it), (wl, 0, W - wr, it)),
        ((wl, h - ib, w - wr, h), (wl, H - ib, W - wr, H)),
    ]
    for src, dst in sides:
        piece = template.crop(src).resize((dst[2] - dst[0], dst[3] - dst[1]), Image.NEAREST)
        layer.paste(piece, dst[:2])
    return layer


def window(step, scale=1.0, active=True, hot_close=False, button_state=0,
           focused=False, disabled=False):
    """The main window (client 262 x 102 at 96 pixels per inch) with its shadow."""
    def p(v):
        return A.px(v, scale)

    shadow, border, title, radius, side = A.frame_metrics(scale)
    client_w, client_h = p(262), p(102)
    W = client_w + 2 * border + 2 * shadow
    H = client_h + title + border + 2 * shadow
    img = Image.new("RGBA", (W, H), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    d.rectangle([shadow, shadow, W - shadow - 1, H - shadow - 1], fill=R.rgb(T.BG) + (255,))

    ex = step["exborder"]
    tw = ex.image.size[0] // 2
    template = ex.image.crop((tw if active else 0, 0, tw * 2 if active else tw, ex.image.size[1]))
    img = _frame_around(img, template, ex.bands,
                        (border + shadow, shadow + title, border + shadow, border + shadow))
    d = ImageDraw.Draw(img)

    # Title: caption text and the lone close button.
    vcenter = shadow + title // 2
    _text(d, (shadow + border + p(6), vcenter), "Velmora", _font(p(12)),
          T.TEXT if active else T.TEXT_SECONDARY, "lm")
    close = step["caption"]["close"]
    bw = close.image.size[0] // 3
    pic, _ = _state(close, 1 if hot_close else 0)
    if not active and not hot_close:
        pic.putalpha(pic.getchannel("A").point(lambda v: v // 2))
    bx = W - shadow - border - bw
    by = vcenter - pic.size[1] // 2
    layer = Image.new("RGBA", img.size, (0, 0, 0, 0))
    layer.paste(pic, (bx, by))
    img = Image.alpha_composite(img, layer)

    # Client: the panel card with its children (positions scaled like the form's).
    ox, oy = shadow + border, shadow + title
    panel = (ox + p(1), oy + p(3), ox + p(1) + p(260), oy + p(3) + p(97))
    pw, ph = panel[2] - panel[0], panel[3] - panel[1]
    _masked_border(img, panel, step["card"], 0, Image.new("RGB", (pw, ph), R.rgb(T.SURFACE)))
    d = ImageDraw.Draw(img)
    f = _font(p(11))
    px0, py0 = panel[:2]
    _text(d, (px0 + p(128), py0 + p(2)), "Ваш ключ", _font(p(11), bold=True), T.TEXT, "ma")
    edit = (px0 + p(4), py0 + p(16), px0 + p(4) + p(252), py0 + p(16) + p(21))
    _masked_border(img, edit, step["edit"], 1 if focused else 0,
                   Image.new("RGB", (edit[2] - edit[0], edit[3] - edit[1]), R.rgb(T.SURFACE)))
    btn = (px0 + p(4), py0 + p(40), px0 + p(4) + p(252), py0 + p(40) + p(23))
    parent = img.crop(btn)
    faces = [(T.BUTTON_TOP, T.BUTTON_BOTTOM), (T.BUTTON_HOT_TOP, T.BUTTON_HOT_BOTTOM),
             (T.BUTTON_PRESSED_TOP, T.BUTTON_PRESSED_BOTTOM)]
    _masked_border(img, btn, step["button"], button_state,
                   _gradient_face((btn[2] - btn[0], btn[3] - btn[1]), *faces[button_state]))
    d = ImageDraw.Draw(img)
    _text(d, ((edit[0] + edit[2]) // 2, (edit[1] + edit[3]) // 2), "VLM-4F7K-29QD-XC81",
          f, T.TEXT, "mm")
    shift = p(1) if button_state == 2 else 0
    _text(d, ((btn[0] + btn[2]) // 2 + shift, (btn[1] + btn[3]) // 2 + shift),
          "Скопировано" if disabled else "Копировать", f, T.TEXT, "mm")
    if disabled:
        # The engine's disabled look: the control keeps 100/255 over its parent.
        img.paste(Image.blend(parent, img.crop(btn), 100 / 255), btn[:2])
        d = ImageDraw.Draw(img)
    _text(d, (px0 + p(29), py0 + p(66)), "Нажмите кнопку, чтобы скопировать", f,
          T.TEXT_SECONDARY)
    _text(d, (px0 + p(29), py0 + p(79)), "ключ, или откройте", f, T.TEXT_SECONDARY)
    link_x = px0 + p(29) + d.textlength("ключ, или откройте ", font=f)
    _text(d, (link_x, py0 + p(79)), "сайт", f, T.ACCENT)
    lw = d.textlength("сайт", font=f)
    uy = py0 + p(91)
    d.rectangle([link_x, uy, link_x + lw - 1, uy + A.hairline(scale) - 1], fill=R.rgb(T.ACCENT))
    return img


def render(step):
    """The preview stored with the skin: the active window with a little shadow."""
    img = window(step)
    shadow = A.frame_metrics(1.0)[0]
    keep = 4
    return img.crop((shadow - keep, shadow - keep,
                     img.size[0] - shadow + keep, img.size[1] - shadow + keep))


def _checker(size, cell=8):
    bg = Image.new("RGB", size, (236, 236, 236))
    d = ImageDraw.Draw(bg)
    for y in range(0, size[1], cell):
        for x in range(0, size[0], cell):
            if (x // cell + y // cell) % 2:
                d.rectangle([x, y, x + cell - 1, y + cell - 1], fill=(250, 250, 250))
    return bg


def _on_checker(img, zoom):
    img = img.convert("RGBA")
    big = img.resize((img.size[0] * zoom, img.size[1] * zoom), Image.NEAREST)
    bg = _checker(big.size, 4 * zoom).convert("RGBA")
    return Image.alpha_composite(bg, big)


def contact_sheet(steps, master):
    """The window in each state at 96 (zoomed 2x), at every resolution, then the master."""
    desk = (214, 217, 222, 255)
    states = [dict(), dict(active=False), dict(hot_close=True), dict(button_state=1),
              dict(button_state=2, focused=True), dict(disabled=True)]
    wins = [window(steps[""], **s) for s in states]
    ww, wh = wins[0].size
    top = Image.new("RGBA", (ww * 3, wh * 2), desk)
    for i, w in enumerate(wins):
        top.alpha_composite(w, ((i % 3) * ww, (i // 3) * wh))
    top = top.resize((top.size[0] * 2, top.size[1] * 2), Image.NEAREST)
    scaled = [window(steps[sfx], scale=sc) for sc, sfx in T.STEPS]
    mid = Image.new("RGBA", (sum(w.size[0] for w in scaled), max(w.size[1] for w in scaled)),
                    desk)
    x = 0
    for w in scaled:
        mid.alpha_composite(w, (x, 0))
        x += w.size[0]
    m = _on_checker(master, 3)
    width = max(top.size[0], mid.size[0], m.size[0])
    sheet = Image.new("RGBA", (width, top.size[1] + mid.size[1] + m.size[1] + 16),
                      (255, 255, 255, 255))
    sheet.alpha_composite(top, (0, 0))
    sheet.alpha_composite(mid, (0, top.size[1] + 8))
    sheet.alpha_composite(m, (0, top.size[1] + mid.size[1] + 16))
    return sheet
