"""Velmora Dark: the same shapes as Velmora Light in a dark palette, for tests
and for authors. It is not the program's internal skin.

Graphite window and panels, raised button faces a step lighter than the
panel, and a light blue accent that carries dark text, so that the same
accent passes as a link on the dark panels and as a selection behind text.
The names are those of velmora_light.py; the comments there say where each
colour goes.
"""

NAME = "Velmora Dark"
FOLDER = "VelmoraDark"
AUTHOR = "Velmora"
DESCRIPTION = "A quiet dark skin with one light blue accent"
IMAGES = "PNG"          # loaded from a folder, through the system's codecs

# --- Colours (hex RGB) ----------------------------------------------------
BG = "#1F2126"
SURFACE = "#2A2D34"
SURFACE_SUNKEN = "#24272D"
CARD_BORDER = "#3A3E47"
CONTROL_BORDER = "#555B66"
CONTROL_BORDER_BOTTOM = "#464B55"   # the lower edge sinks into the dark
DIVIDER = "#363A42"
OUTLINE_LIGHT = "#4B515B"        # a white line would glare on dark panels

TEXT = "#E5E8EC"
TEXT_SECONDARY = "#A4ABB5"
TEXT_ON_ACCENT = "#10151D"        # dark text: the accent is light

ACCENT = "#6AA2FF"
ACCENT_PRESSED = "#9CC2FF"       # stronger means lighter on a dark window
ACCENT_HOT = "#82B2FF"
ACCENT_LIGHT = "#4F8BEF"
ACCENT_TINT = "#273852"
ACCENT_TINT_STRONG = "#2F4A72"

BUTTON_TOP = "#40444D"
BUTTON_BOTTOM = "#373B43"
BUTTON_HOT_TOP = "#434B5A"
BUTTON_HOT_BOTTOM = "#3A4559"
BUTTON_PRESSED_TOP = "#262B34"
BUTTON_PRESSED_BOTTOM = "#2E3440"
BUTTON_HOT_BORDER = "#5B82C4"

CLOSE_HOT = "#E0483A"            # a brighter red than the light skin's: it sits on near-black
CLOSE_PRESSED = "#C23A2E"
CLOSE_GLYPH_HOT = "#FFFFFF"
GLYPH = "#D3D7DD"
GLYPH_INACTIVE = "#7B818B"
CAPTION_HOVER = (255, 255, 255, 0.09)  # white on dark, where black would vanish
CAPTION_PRESSED = (255, 255, 255, 0.15)
CAPTION_HALO = (255, 255, 255, 0.08)

FRAME_ACTIVE = "#4E535D"
FRAME_INACTIVE = "#3A3E46"
SHADOW_ACTIVE = 0.62             # a dark window needs a deeper shadow to lift
SHADOW_INACTIVE = 0.36

HEADER_BOTTOM = "#1A1C20"
HEADER_HOT = "#30343C"
HEADER_PRESSED = "#363A43"
MDI_BG = "#191B1F"
MDI_DOT = "#2A2D33"
ROW_EVEN = "#2F3239"

SCROLL_TRACK = "#23252A"
SCROLL_THUMB = "#4A4F59"
SCROLL_THUMB_HOT = "#5E646F"
SCROLL_THUMB_PRESSED = "#747B87"
TRACK = "#3A3E46"
TRACK_STRONG = "#464B54"

HINT_BG = "#30343B"
WARN_TEXT = "#E9B949"
ALERT_TEXT = "#FF8C82"
OK_TEXT = "#6FD08C"
OK_BG = "#1B3325"
WARN_BG = "#3A3016"
ALERT_BG = "#40201F"

TONE_RED = ("#4A2523", "#5E2D2A", "#FFB4AB")
TONE_GREEN = ("#1F3C2A", "#285037", "#A8EBBB")
TONE_BLUE = ("#1F3452", "#284369", "#BCD5FF")
TONE_YELLOW = ("#433719", "#56451F", "#FFDB8E")
