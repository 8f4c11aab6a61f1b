"""WCAG 2 contrast of the skin's text colours on the surfaces they sit on."""

import raster as R
import theme as T


def pairs():
    """(text, background, minimum ratio, where): 4.5 for body text, 3 for glyphs."""
    return [
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
        (T.TEXT, T.ACCENT_TINT, 4.5, "hot menu item"),
        (T.TEXT, T.SURFACE_SUNKEN, 4.5, "text on sunken panels"),
        (T.TEXT, T.HINT_BG, 4.5, "hint"),
        (T.TEXT_ON_ACCENT, T.ACCENT_PRESSED, 3.0, "check mark, pressed"),
        (T.CLOSE_GLYPH_HOT, T.CLOSE_HOT, 3.0, "close glyph on red"),
        (T.CLOSE_GLYPH_HOT, T.CLOSE_PRESSED, 3.0, "close glyph pressed"),
        (T.GLYPH, T.BG, 3.0, "caption glyphs"),
        (T.OK_TEXT, T.OK_BG, 4.5, "ok field"),
        (T.WARN_TEXT, T.WARN_BG, 4.5, "warning field"),
        (T.ALERT_TEXT, T.ALERT_BG, 4.5, "alert field"),
    ] + [(tone[2], tone[1], 4.5, "active %s button tone" % name)
         for name, tone in (("red", T.TONE_RED), ("green", T.TONE_GREEN),
                            ("blue", T.TONE_BLUE), ("yellow", T.TONE_YELLOW))]


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
    bad = [(fg, bg, ratio(fg, bg), need, what) for fg, bg, need, what in pairs()
           if ratio(fg, bg) < need]
    if bad:
        raise SystemExit("\n".join("contrast %.2f < %.1f: %s on %s (%s)" % (r, n, f, b, w)
                                   for f, b, r, n, w in bad))


def report():
    return ["%5.2f  %s on %s (%s)" % (ratio(fg, bg), fg, bg, what)
            for fg, bg, _, what in pairs()]


if __name__ == "__main__":
    import sys
    T.use(sys.argv[1] if len(sys.argv) > 1 else T.DEFAULT)
    print("\n".join(report()))
