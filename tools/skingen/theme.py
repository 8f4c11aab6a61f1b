"""The theme being drawn: the colours of one file in themes/ and the sizes
that every theme shares, in one place.

skingen.py calls use() before anything is drawn. The drawing modules read
each value as T.NAME when they draw, never while they are imported, so the
chosen theme reaches all of them.

Sizes are given for 96 pixels per inch; the artwork functions derive the
120, 144 and 192 pixels-per-inch images from them with `px` and `hairline`, so a
change here moves every image and every resolution variant together.
"""

import os
import runpy

THEMES_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "themes")
DEFAULT = "velmora_light"
REFERENCE = "velmora_light"      # the theme whose names every other theme must give

# Resolution steps: (scale, key suffix). The engine reads "KEY*125" at 120
# pixels per inch, "*150" at 144 and "*200" at 192.
STEPS = [(1.0, ""), (1.25, "*125"), (1.5, "*150"), (2.0, "*200")]

KEY = (255, 0, 255)              # transparent key colour of keyed images

# --- Geometry at 96 pixels per inch ----------------------------------------
SHADOW = 14          # how far the extended border reaches out of the window
FRAME_WIDTH = 4      # visible frame around the client area
TITLE_HEIGHT = 32
MAX_TITLE_HEIGHT = 28
WINDOW_RADIUS = 8
CONTROL_RADIUS = 3   # buttons and fields
CARD_RADIUS = 6      # panels and group boxes
HUGE_RADIUS = 6
CAPTION_BUTTON = (32, 24)
SMALL_CAPTION_BUTTON = (24, 18)
CAPTION_BUTTON_RADIUS = 4
CAPTION_GLYPH = 10
SMALL_CAPTION_GLYPH = 8
CAPTION_GLOW_MARGIN = 5
EDIT_GLOW_MARGIN = 4   # the engine scales it by ppi / 96: whole pixels at every step
CHECK_BOX = 13
SMALL_CHECK_BOX = 11
TITLE_ICON_LEFT = 2  # extra room left of the title icon


def file_name(stem):
    """The name of one of the skin's image files in the theme's format."""
    return "%s.%s" % (stem, IMAGES)


def theme_path(name):
    """A theme given by name (themes/NAME.py) or as the path of its file."""
    if name.endswith(".py"):
        return name
    return os.path.join(THEMES_DIR, name + ".py")


def _values(name):
    path = theme_path(name)
    if not os.path.isfile(path):
        known = sorted(f[:-3] for f in os.listdir(THEMES_DIR) if f.endswith(".py"))
        raise SystemExit("no theme %s (%s); themes: %s" % (name, path, ", ".join(known)))
    return {k: v for k, v in runpy.run_path(path).items() if k.isupper()}


def use(name):
    """Makes the theme NAME the one drawn.

    Stops when the theme lacks a value of the reference theme, gives one of
    another kind, or names one that nothing reads: a misspelt name or a
    shared size set by a theme would otherwise pass unnoticed.
    """
    values = _values(name)
    reference = _values(REFERENCE)
    missing = sorted(set(reference) - set(values))
    unknown = sorted(set(values) - set(reference))
    wrong = sorted(k for k in set(values) & set(reference)
                   if type(values[k]) is not type(reference[k]))
    problems = []
    if missing:
        problems.append("lacks " + ", ".join(missing))
    if unknown:
        problems.append("names what nothing reads: " + ", ".join(unknown))
    if wrong:
        problems.append("gives values of the wrong kind: " + ", ".join(wrong))
    if problems:
        raise SystemExit("theme %s %s" % (name, "; ".join(problems)))
    globals().update(values)
