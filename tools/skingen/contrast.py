"""WCAG 2 contrast of the skin's text colours on the surfaces they sit on."""

import raster as R
import theme as T

# (text, background, minimum ratio, where): 4.5 for body text, 3 for glyphs.
PAIRS = [
    (T.TEXT, T.BG, 4.5, "window text"),
    (T.TEXT, T.SURFACE, 4.5, "panel and field text"),
    (T.TEXT, T.BUTTON_BOTTOM, 4.5, "button caption"),
    (T.TEXT, T.BUTTON_HOT_BOTTOM, 4.5, "hot button caption"),
    (T.TEXT, T.BUTTON_PRESSED_TOP, 4.5, "pressed button caption"),
    (T.TEXT_SECONDARY, T.BG, 4.5, "inactive caption, status text"),
    (T.TEXT_SECONDARY, T.SURFACE, 4.5, "secondary text on panels"),
    (T.ACCENT, T.SURFACE, 4.5, "link on panels"),
    (T.ACCENT, T.BG, 4.5, "link on the window"),
    (T.ACCENT_PRESSED, T.SURFACE, 4.5, "hot link"),
    (T.TEXT_ON_ACCENT, T.ACCENT, 4.5, "selected text"),
    (T.TEXT, T.ACCENT_TINT_STRONG, 4.5, "unfocused selection"),
    (T.TEXT_ON_ACCENT, T.CLOSE_HOT, 3.0, "close glyph on red"),
    (T.GLYPH, T.BG, 3.0, "caption glyphs"),
    (T.OK_TEXT, "#E8F5EC", 4.5, "ok field"),
    (T.WARN_TEXT, "#FFF6E0", 4.5, "warning field"),
    (T.ALERT_TEXT, "#FDECEA", 4.5, "alert field"),
]


def luminance(c):
    def lin(v):
        v /= 255
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    r, g, b = (lin(v) for v in R.rgb(c))
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def ratio(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def check_all():
    bad = [(fg, bg, ratio(fg, bg), need, what) for fg, bg, need, what in PAIRS
           if ratio(fg, bg) < need]
    if bad:
        raise SystemExit("\n".join("contrast %.2f < %.1f: %s on %s (%s)" % (r, n, f, b, w)
                                   for f, b, r, n, w in bad))


def report():
    return ["%5.2f  %s on %s (%s)" % (ratio(fg, bg), fg, bg, what) for fg, bg, _, what in PAIRS]


if __name__ == "__main__":
    print("\n".join(report()))
