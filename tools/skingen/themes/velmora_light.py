"""Velmora Light: the program's internal skin. A neutral window with white
panels and fields and one blue accent.

Every colour of the skin is here; the sizes both themes share are in
theme.py. This file is the reference list of names: another theme must give
each of them a value of its own kind, and no others.
"""

NAME = "Velmora Light"
FOLDER = "VelmoraLight"          # skins/FOLDER and skins/FOLDER.preview.png
AUTHOR = "Velmora"
DESCRIPTION = "A calm, light skin with one blue accent"
# The format of the skin's own images. The program carries this skin, so its
# images are 32-bit bitmaps: the engine reads them with zlib and its own
# reader, where PNG would start COM and the system's codecs before the window
# could show.
IMAGES = "BMP"

# --- Colours (hex RGB) ----------------------------------------------------
BG = "#F3F4F6"            # window, title bar and frame
SURFACE = "#FFFFFF"       # cards, fields, sheets
SURFACE_SUNKEN = "#F7F8FA"
CARD_BORDER = "#DEE1E6"
CONTROL_BORDER = "#C3C9D1"
CONTROL_BORDER_BOTTOM = "#A9B0BB"   # buttons and fields rest on a darker edge
DIVIDER = "#E3E6EA"
OUTLINE_LIGHT = "#FFFFFF"        # the faint line the engine may draw around controls

TEXT = "#1F2328"
TEXT_SECONDARY = "#59606B"
TEXT_ON_ACCENT = "#FFFFFF"

ACCENT = "#2462E0"
ACCENT_PRESSED = "#1B4DB8"
ACCENT_HOT = "#3A74E6"            # a switched-on slider under the mouse
ACCENT_LIGHT = "#4A80E8"          # the far end of progress bars
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
CLOSE_GLYPH_HOT = "#FFFFFF"
GLYPH = "#30353C"
GLYPH_INACTIVE = "#8A9099"
CAPTION_HOVER = (0, 0, 0, 0.07)  # neutral caption-button hover, black at 7 %
CAPTION_PRESSED = (0, 0, 0, 0.12)
CAPTION_HALO = (0, 0, 0, 0.10)   # the soft ring around a hot caption button

FRAME_ACTIVE = "#A5ACB6"         # 1-pixel outline of the window
FRAME_INACTIVE = "#C8CDD4"
SHADOW_ACTIVE = 0.44             # peak opacity of the outer shadow
SHADOW_INACTIVE = 0.22

HEADER_BOTTOM = "#ECEEF1"        # form headers fade from BG to this
HEADER_HOT = "#F5F7FA"           # column headers under the mouse
HEADER_PRESSED = "#EDF0F4"
MDI_BG = "#E9EBEE"
MDI_DOT = "#DADDE2"
ROW_EVEN = "#F7F8FA"

SCROLL_TRACK = "#F1F2F4"
SCROLL_THUMB = "#C4C9D0"
SCROLL_THUMB_HOT = "#A7AEB8"
SCROLL_THUMB_PRESSED = "#8D95A1"
TRACK = "#E4E7EB"
TRACK_STRONG = "#D9DDE3"         # a hot track, a pressed scroll arrow

HINT_BG = "#FFFFFF"
WARN_TEXT = "#8A5A00"
ALERT_TEXT = "#B3261E"
OK_TEXT = "#1E7B34"
OK_BG = "#E8F5EC"
WARN_BG = "#FFF6E0"
ALERT_BG = "#FDECEA"

# Coloured button tones: face, face when active, text when active. The
# resting text is the matching status colour (ALERT_TEXT, OK_TEXT,
# ACCENT_PRESSED, WARN_TEXT).
TONE_RED = ("#F6D5D2", "#F1C0BB", "#8F1E17")
TONE_GREEN = ("#D3EEDB", "#BEE5C9", "#166128")
TONE_BLUE = ("#D6E3FA", "#C3D6F8", "#153E94")
TONE_YELLOW = ("#FBEBC2", "#F8E0A3", "#6E4800")
