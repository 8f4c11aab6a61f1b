"""Every colour, size and radius of the Velmora Light skin, in one place.

Sizes are given for 96 pixels per inch; the artwork functions derive the
120, 144 and 192 pixels-per-inch images from them with `px` and `hairline`, so a
change here moves every image and every resolution variant together.
"""

NAME = "Velmora Light"
AUTHOR = "Velmora"
DESCRIPTION = "A calm, light skin with one blue accent"

# Resolution steps: (scale, key suffix). The engine reads "KEY*125" at 120
# pixels per inch, "*150" at 144 and "*200" at 192.
STEPS = [(1.0, ""), (1.25, "*125"), (1.5, "*150"), (2.0, "*200")]

# --- Colours (hex RGB) ----------------------------------------------------
BG = "#F3F4F6"            # window, title bar and frame
SURFACE = "#FFFFFF"       # cards, fields, sheets
SURFACE_SUNKEN = "#F7F8FA"
CARD_BORDER = "#DEE1E6"
CONTROL_BORDER = "#C3C9D1"
CONTROL_BORDER_BOTTOM = "#A9B0BB"   # buttons and fields rest on a darker edge
DIVIDER = "#E3E6EA"

TEXT = "#1F2328"
TEXT_SECONDARY = "#59606B"
TEXT_ON_ACCENT = "#FFFFFF"

ACCENT = "#2462E0"
ACCENT_PRESSED = "#1B4DB8"
ACCENT_TINT = "#EBF1FD"           # hover fills
ACCENT_TINT_STRONG = "#DCE7FB"

BUTTON_TOP = "#FFFFFF"
BUTTON_BOTTOM = "#EEF0F3"
BUTTON_HOT_TOP = "#FBFCFF"
BUTTON_HOT_BOTTOM = "#EAF0FB"
BUTTON_PRESSED_TOP = "#DDE5F2"
BUTTON_PRESSED_BOTTOM = "#E9EEF6"
BUTTON_HOT_BORDER = "#7EA2EA"    # the accent, softened: hover lifts gently

CLOSE_HOT = "#C42B1C"            # warning red behind the light close glyph
CLOSE_PRESSED = "#A1251A"
GLYPH = "#30353C"
GLYPH_INACTIVE = "#8A9099"
CAPTION_HOVER = (0, 0, 0, 0.07)  # neutral caption-button hover, black at 7 %
CAPTION_PRESSED = (0, 0, 0, 0.12)

FRAME_ACTIVE = "#A5ACB6"         # 1-pixel outline of the window
FRAME_INACTIVE = "#C8CDD4"
SHADOW_ACTIVE = 0.44             # peak opacity of the outer shadow
SHADOW_INACTIVE = 0.22

SCROLL_TRACK = "#F1F2F4"
SCROLL_THUMB = "#C4C9D0"
SCROLL_THUMB_HOT = "#A7AEB8"
SCROLL_THUMB_PRESSED = "#8D95A1"
TRACK = "#E4E7EB"

HINT_BG = "#FFFFFF"
WARN_TEXT = "#8A5A00"
ALERT_TEXT = "#B3261E"
OK_TEXT = "#1E7B34"

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
