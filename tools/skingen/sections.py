"""The sections of the options file and the images they name.

Colours come from theme.py; images from artwork.py, placed in the master
bitmap by the atlas. Mask values are written in several notations on
purpose (as real skins are): "&" for alpha images and files, "^" for borders,
"@" for keyed glyphs, "~" for textures and "!" for whole files.
"""

import atlas as X
import theme as T
from options import argb, colour as C, segments, stops

# The 67 sections with fixed roles, in the engine's order.
FIXED_SECTIONS = [
    "MENUITEM", "CHECKBOX", "SPEEDBUTTON", "SPEEDBUTTON_SMALL", "TOOLBUTTON", "TRANSPARENT",
    "GROUPBOX", "DIVIDER", "WEBBUTTON", "BUTTON", "COMBONOEDIT", "BUTTON_HUGE", "TOOLBAR",
    "EDIT", "GAUGE", "SELECTION", "STATUSBAR", "PANEL", "PANEL_LOW", "TRACKBAR", "PROGRESSV",
    "DRAGBAR", "GRIPH", "GRIPV", "PROGRESSH", "TABSHEET", "COMBOBOX", "CAPTION", "MAINMENU",
    "SPLITTER", "COMBOBTN", "FORMTITLE", "HINT", "DIVIDERV", "PAGECONTROL", "TABTOP",
    "BARPANEL", "BARTITLE", "DIALOG", "FORM", "SCROLLBTNLEFT", "SCROLLBTNTOP",
    "SCROLLBTNRIGHT", "SCROLLBTNBOTTOM", "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H",
    "SCROLLBAR2V", "SCROLLSLIDERH", "SCROLLSLIDERV", "SLIDER_OFF", "SLIDER_ON", "THUMB_ON",
    "THUMB_OFF", "MENUCAPTION", "DIALOGTITLE", "MENUBTN", "MENULINE", "FORMHEADER", "TB_BTN",
    "TB_MENUBTN", "TB_TAB", "COLHEADER", "COLHEADERA", "COLHEADERL", "COLHEADERR", "UPDOWNBTN",
]
TAB_SECTIONS = ["TAB%s%s" % (side, layout) for layout in ("FIRST", "LAST", "MIDDLE", "")
                for side in ("LEFT", "TOP", "RIGHT", "BOTTOM")]
SPIN_SECTIONS = ["UPDOWNBTN_LEFT", "UPDOWNBTN_TOP", "UPDOWNBTNRIGHT", "UPDOWNBTN_BOTTOM"]
OTHER_SECTIONS = ["RIBBONTAB", "ALPHAEDIT", "MAINCOLOR", "EXTRALINE", "ICOLINE", "MDIAREA",
                  "BAR", "ALPHACOMBOBOX", "BUTTON_BIG", "PAGECONTROLBOTTOM",
                  "PAGECONTROLLEFT", "PAGECONTROLRIGHT", "RIBBONPAGE"]


def _checked(value):
    """value itself, once its canonical form has proved well formed."""
    X.check_canonical(X.expand(value))
    return value


def S(*path):
    """Picks an image out of one resolution step's drawings: S("arrows", "down")."""
    def pick(step):
        for p in path:
            step = step[p]
        return step
    return pick


class Variant:
    """A mask written at every resolution step: KEY, KEY*125, KEY*150, KEY*200."""

    def __init__(self, fmt, pick):
        self.fmt, self.pick = fmt, pick


class Writer:
    """The options file as the section builders see it: Variant values expand
    into the plain key and its resolution variants."""

    def __init__(self, opts, steps):
        self.opts, self.steps = opts, steps
        self.sections = opts.sections

    def put(self, name, key, value):
        if isinstance(value, Variant):
            for _, suffix in T.STEPS:
                self.opts.put(name, key + suffix, value.fmt(value.pick(self.steps[suffix])))
        else:
            self.opts.put(name, key, value)

    def update(self, name, pairs):
        for k, v in pairs:
            self.put(name, k, v)


class Masks:
    """Deferred mask values: the rectangles are known once the atlas is packed.

    Given a picker (S(...)) instead of an image, each returns a Variant.
    """

    def __init__(self, atlas):
        self.atlas = atlas

    def _deferred(self, art, fmt):
        self.atlas.add(art)
        return lambda: _checked(fmt(self.atlas.rect(art)))

    def caret(self, art, auto_bands=False):
        if callable(art):
            return Variant(lambda a: self.caret(a, auto_bands), art)
        return self._deferred(art, lambda r: X.caret(r, art, auto_bands))

    def amp(self, art):
        if callable(art):
            return Variant(self.amp, art)
        return self._deferred(art, lambda r: X.canonical(r, art))

    def at(self, art):
        if callable(art):
            return Variant(self.at, art)
        return self._deferred(art, lambda r: X.at(r, art))

    def tilde(self, art, mode):
        if callable(art):
            return Variant(lambda a: self.tilde(a, mode), art)
        return self._deferred(art, lambda r: X.tilde(r, art, mode))

    @staticmethod
    def file(name, art):
        return _checked(X.canonical(None, art, name))

    @staticmethod
    def bang(name, art):
        return _checked(X.bang(name, art))


def _variants(opts, section, key, steps, pick, fmt, plain=None):
    """The plain key and its "*125", "*150", "*200" variants."""
    for _, suffix in T.STEPS:
        if suffix == "" and plain is not None:
            opts.put(section, key, plain)
        else:
            opts.put(section, key + suffix, fmt(pick(steps[suffix])))


def _scaled_number(opts, section, key, value):
    """A GLOBALINFO number with its own value at every resolution step."""
    for scale, suffix in T.STEPS:
        opts.put(section, key + suffix, int(value * scale + 0.5))


def write(opts, atlas, steps, files):
    m = Masks(atlas)
    w = Writer(opts, steps)
    _globalinfo(w, m, steps, files)
    _window_sections(w, m, steps)
    _control_sections(w, m, steps, files)
    _bar_sections(w, m)
    _tab_and_scroll_sections(w, m)
    _complete_states(opts)
    names = [n for n, _ in opts.sections]
    missing = [n for n in FIXED_SECTIONS + TAB_SECTIONS + SPIN_SECTIONS + OTHER_SECTIONS
               if n not in names]
    if missing:
        raise SystemExit("sections missing: " + ", ".join(missing))


# Normal-state keys and their hot and third-state names.
STATE_KEYS = [
    ("COLOR", "HOTCOLOR", "COLOR2"),
    ("FONTCOLOR", "HOTFONTCOLOR", "FONTCOLOR2"),
    ("TRANSPARENCY", "HOTTRANSPARENCY", "TRANSPARENCY2"),
    ("GRADIENTPERCENT", "HOTGRADIENTPERCENT", "GRADIENTPERCENT2"),
    ("GRADIENTDATA", "HOTGRADIENTDATA", "GRADIENTDATA2"),
    ("IMAGEPERCENT", "HOTIMAGEPERCENT", "IMAGEPERCENT2"),
    ("BORDERCOLOR0", "BORDERCOLOR1", "BORDERCOLOR2"),
    ("PATTERN", "HOTPATTERN", "PATTERN2"),
]


def _chain_value(opts, name, key):
    """The value a section reads for key, following PARENTCLASS as the engine does."""
    table = dict(opts.sections)
    seen = set()
    while name in table and name not in seen:
        seen.add(name)
        entries = dict(table[name])
        if key in entries:
            return entries[key]
        parent = entries.get("PARENTCLASS")
        if parent is None or parent == name:
            return None
        name = parent
    return None


def _complete_states(opts):
    """Gives every used state the keys of the normal state that it lacks.

    The engine does not copy a missing hot or third-state key from the normal
    state: it takes the key's default (white face, black text), so a section
    that sets only COLOR would turn white when hovered.
    """
    for name, entries in opts.sections:
        if name == "GLOBALINFO":
            continue
        states = int(_chain_value(opts, name, "STATES") or 3)
        third = str(_chain_value(opts, name, "USESTATE2")) == "1"
        for normal, hot, third_key in STATE_KEYS:
            value = dict(entries).get(normal)
            if value is None:
                continue
            if states >= 2 and _chain_value(opts, name, hot) is None:
                opts.put(name, hot, value)
            if states >= 3 and third and _chain_value(opts, name, third_key) is None:
                opts.put(name, third_key, value)


# --- GLOBALINFO ---------------------------------------------------------------

def _globalinfo(opts, m, steps, files):
    g = "GLOBALINFO"
    opts.update(g, [
        ("MASTERBITMAP", T.file_name("MASTER COPY")),
        ("VERSION", "15.00"),
        ("AUTHOR", T.AUTHOR),
        ("DESCRIPTION", T.DESCRIPTION),
        ("MainFont", "Tahoma"),
        ("FontCount", 0),
        ("AEROBLUR", 0),
        ("BRIGHTMIN", -50),
        ("BRIGHTMAX", 50),
        ("BIVALIGN", 0),
        ("BIKEEPHUE", 0),
        ("SHADOW1COLOR", C(T.TEXT)),
        ("DEFLIGHT", C("#FFFFFF")),
        ("ARROWSTYLE", 0),
    ])
    # Palette.
    opts.update(g, [
        ("COLOR", C(T.BG)),
        ("FONTCOLOR", C(T.TEXT)),
        ("TCBOTTOM", C(T.ACCENT)),
        ("TCTOP", C(T.ACCENT_PRESSED)),
        ("BORDERCOLOR", C(T.CONTROL_BORDER)),
        ("EDITTEXT_OK", C(T.OK_TEXT)),
        ("EDITTEXT_WARN", C(T.WARN_TEXT)),
        ("EDITTEXT_ALERT", C(T.ALERT_TEXT)),
        ("EDITBG_OK", C(T.OK_BG)),
        ("EDITBG_WARN", C(T.WARN_BG)),
        ("EDITBG_ALERT", C(T.ALERT_BG)),
        ("EDITTEXT_H1", C(T.ACCENT)),
        ("EDITTEXT_H2", C(T.OK_TEXT)),
        ("EDITTEXT_H3", C(T.WARN_TEXT)),
        ("EDITTEXT_INV", C(T.SURFACE)),
        ("EDITBG_INV", C(T.TEXT)),
        ("EDITBG_ODD", C(T.SURFACE)),
        ("EDITBG_EVEN", C(T.ROW_EVEN)),
        ("BTNCOLOR1ACTIVE", C(T.BUTTON_HOT_TOP)),
        ("BTNCOLOR2ACTIVE", C(T.BUTTON_HOT_BOTTOM)),
        ("BTNBORDERACTIVE", C(T.BUTTON_HOT_BORDER)),
        ("BTNFONTACTIVE", C(T.TEXT)),
        ("BTNCOLOR1NORMAL", C(T.BUTTON_TOP)),
        ("BTNCOLOR2NORMAL", C(T.BUTTON_BOTTOM)),
        ("BTNBORDERNORMAL", C(T.CONTROL_BORDER)),
        ("BTNFONTNORMAL", C(T.TEXT)),
        ("BTNCOLOR1PRESSED", C(T.BUTTON_PRESSED_TOP)),
        ("BTNCOLOR2PRESSED", C(T.BUTTON_PRESSED_BOTTOM)),
        ("BTNBORDERPRESSED", C(T.ACCENT_PRESSED)),
        ("BTNFONTPRESSED", C(T.TEXT)),
        ("COLORTONERED", C(T.TONE_RED[0])),
        ("COLORTONEGREEN", C(T.TONE_GREEN[0])),
        ("COLORTONEBLUE", C(T.TONE_BLUE[0])),
        ("COLORTONEYELLOW", C(T.TONE_YELLOW[0])),
        ("COLORTONEREDACTIVE", C(T.TONE_RED[1])),
        ("COLORTONEGREENACTIVE", C(T.TONE_GREEN[1])),
        ("COLORTONEBLUEACTIVE", C(T.TONE_BLUE[1])),
        ("COLORTONEYELLOWACTIVE", C(T.TONE_YELLOW[1])),
        ("COLORTONEREDTEXT", C(T.ALERT_TEXT)),
        ("COLORTONEGREENTEXT", C(T.OK_TEXT)),
        ("COLORTONEBLUETEXT", C(T.ACCENT_PRESSED)),
        ("COLORTONEYELLOWTEXT", C(T.WARN_TEXT)),
        ("COLORTONEREDTEXTACTIVE", C(T.TONE_RED[2])),
        ("COLORTONEGREENTEXTACTIVE", C(T.TONE_GREEN[2])),
        ("COLORTONEBLUETEXTActive", C(T.TONE_BLUE[2])),
        ("COLORTONEYELLOWTEXTActive", C(T.TONE_YELLOW[2])),
        ("GRIDLINE", C(T.DIVIDER)),
    ])
    # Frame geometry: the extended border image draws frame, title and shadow.
    opts.put(g, "BORDERMODE", 1)
    _scaled_number(opts, g, "FORMOFFSET", T.SHADOW)
    _scaled_number(opts, g, "BORDERWIDTH", T.FRAME_WIDTH)
    _scaled_number(opts, g, "TITLEHEIGHT", T.TITLE_HEIGHT)
    _scaled_number(opts, g, "MAXHEIGHT", T.MAX_TITLE_HEIGHT)
    opts.put(g, "CENTEROFFSET", 0)
    opts.put(g, "ALIGNOFFSET", 0)
    _scaled_number(opts, g, "BISPACE", 2)
    opts.put(g, "BIRIGHT", 0)
    _scaled_number(opts, g, "BILEFT", T.TITLE_ICON_LEFT)
    opts.put(g, "BITOP", 0)
    opts.update(g, [
        ("SHADOW1OFFSET", 0),
        ("SHADOW1BLUR", -1),
        ("SHADOW1TRANSPARENCY", 0),
        ("THUMBWIDTH", 0),
        ("SCROLLSARROWS", 1),
        ("SCROLLSWIDTH", 14),
        ("COMBOMARGIN", 2),
        ("SLIDERMARGIN", 1),
    ])
    # Window shadow used when the engine draws a round shadow of its own.
    opts.update(g, [
        ("WSHRAD", T.WINDOW_RADIUS + 6),
        ("WSHOFFS", 0),
        ("WSHSIZE", T.SHADOW),
        ("WSHCOLN", argb("#000000", T.SHADOW_INACTIVE)),
        ("WSHCOLA", argb("#000000", T.SHADOW_ACTIVE)),
    ])
    # Outer effects: a soft shadow and a faint light line around controls.
    opts.update(g, [
        ("SH_WIDTHL", 0), ("SH_WIDTHR", 0), ("SH_WIDTHT", 0), ("SH_WIDTHB", 0),
        ("SH_OFFSETL", 2), ("SH_OFFSETR", 2), ("SH_OFFSETT", 1), ("SH_OFFSETB", 3),
        ("SH_RADIUS_OE", T.CONTROL_RADIUS + 2), ("SH_BLUR_OE", 4),
        ("SH_COLORL", 0), ("SH_OPACITY", 40), ("SH_SOURCE", 2),
        ("LO_COLORL", C(T.OUTLINE_LIGHT)), ("LO_COLORR", C(T.OUTLINE_LIGHT)),
        ("LO_COLORT", C(T.OUTLINE_LIGHT)), ("LO_COLORB", C(T.OUTLINE_LIGHT)),
        ("LO_WIDTHL", 1), ("LO_WIDTHR", 1), ("LO_WIDTHT", 1), ("LO_WIDTHB", 1),
        ("LO_OFFSETL", 1), ("LO_OFFSETR", 1), ("LO_OFFSETT", 1), ("LO_OFFSETB", 1),
        ("LO_RADIUS_OE", T.CONTROL_RADIUS + 1), ("LO_BLUR_OE", 2),
        ("LO_SOURCE", 2), ("LO_OPACITY", 160),
    ])
    # Images: extended border (96 from its own file, the rest in the master).
    _variants(opts, g, "EXBORDER", steps, lambda s: s["exborder"], m.amp,
              plain=Masks.file(T.file_name("EXTBORD"), files[T.file_name("EXTBORD")]))
    opts.update(g, [
        ("GRIPIMAGE", m.at(S("grip"))),
        ("GRIPHORZ", m.tilde(S("grip_dots"), 10)),
        ("GRIPVERT", m.tilde(S("grip_dots"), 10)),
        ("BOXUNCHECKED", m.at(S("box"))),
        ("BOXCHECKED", m.at(S("box_checked"))),
        ("BOXGRAYED", m.at(S("box_grayed"))),
        ("SMALLUNCHECKED", m.at(S("small_box"))),
        ("SMALLCHECKED", m.at(S("small_checked"))),
        ("SMALLGRAYED", m.at(S("small_grayed"))),
        ("RADIOUNCHECKED", m.at(S("radio"))),
        ("RADIOCHECKED", m.at(S("radio_checked"))),
        ("CHECK", m.at(S("menu_check"))),
    ])
    big = [("BICLOSEALONE", "close"), ("BICONCLOSE", "close"), ("BICONMAX", "max"),
           ("BICONMIN", "min"), ("BICONNORM", "norm"), ("BICONHELP", "help")]
    for key, kind in big:
        _variants(opts, g, key, steps, lambda s, k=kind: s["caption"][k], m.amp)
    for key, kind in [("SICONCLOSE", "close"), ("SICONMAX", "max"), ("SICONMIN", "min"),
                      ("SICONNORM", "norm"), ("SICONHELP", "help")]:
        _variants(opts, g, key, steps, lambda s, k=kind: s["small"][k], m.amp)
    _variants(opts, g, "TITLEBUTTON", steps, lambda s: s["title_button"], m.amp)
    # One hover glow per caption glyph; the hover window shows it whole.
    opts.put(g, "BICONCLOSEGLOW", 1)
    for key, kind in big[:5]:
        _variants(opts, g, key + "GLOW0", steps, lambda s, k=kind: s["glows"][k], m.amp)
        _scaled_number(opts, g, key + "GLOWMARGIN", T.CAPTION_GLOW_MARGIN)


# --- Window ---------------------------------------------------------------------

def _window_sections(opts, m, steps):
    opts.update("MAINCOLOR", [
        ("STATES", 1), ("COLOR", C(T.BG)), ("TRANSPARENCY", 0), ("FONTCOLOR", C(T.TEXT)),
    ])
    opts.update("TRANSPARENT", [
        ("STATES", 1), ("COLOR", C(T.BG)), ("TRANSPARENCY", 100), ("FONTCOLOR", C(T.TEXT)),
    ])
    # The form: state 0 inactive, state 1 active. Its outline is used when the
    # frame is drawn without the extended border.
    opts.update("FORM", [
        ("STATES", 2), ("COLOR", C(T.BG)), ("HOTCOLOR", C(T.BG)),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)),
        ("BORDERRADIUS", T.WINDOW_RADIUS),
    ])
    _variants(opts, "FORM", "BORDERSMASK", steps, lambda s: s["form"], m.caret)
    opts.update("DIALOG", [("PARENTCLASS", "FORM")])
    # The title lets the extended border's title band show through; only the
    # caption colour changes with activation.
    opts.update("FORMTITLE", [
        ("STATES", 2), ("COLOR", C(T.BG)), ("HOTCOLOR", C(T.BG)),
        ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 100),
        ("FONTCOLOR", C(T.TEXT_SECONDARY)), ("HOTFONTCOLOR", C(T.TEXT)),
    ])
    opts.update("DIALOGTITLE", [("PARENTCLASS", "FORMTITLE")])
    opts.update("CAPTION", [("PARENTCLASS", "FORMTITLE")])
    opts.update("FORMHEADER", [
        ("STATES", 1), ("COLOR", C(T.BG)), ("FONTCOLOR", C(T.TEXT)),
        ("GRADIENTPERCENT", 100),
        ("GRADIENTDATA", segments((T.BG, 0), (T.HEADER_BOTTOM, 100))),
    ])
    opts.update("MDIAREA", [
        ("STATES", 1), ("COLOR", C(T.MDI_BG)), ("FONTCOLOR", C(T.TEXT)),
        ("IMAGEPERCENT", 100),
    ])


# --- Controls -------------------------------------------------------------------

def _control_sections(opts, m, steps, files):
    opts.update("PANEL", [
        ("STATES", 1), ("COLOR", C(T.SURFACE)), ("FONTCOLOR", C(T.TEXT)),
        ("TRANSPARENCY", 0),
    ])
    _variants(opts, "PANEL", "BORDERSMASK", steps, lambda s: s["card"], m.caret)
    opts.update("PANEL_LOW", [
        ("STATES", 1), ("COLOR", C(T.SURFACE_SUNKEN)), ("FONTCOLOR", C(T.TEXT)),
    ])
    _variants(opts, "PANEL_LOW", "BORDERSMASK", steps, lambda s: s["sunken"], m.caret)
    opts.update("GROUPBOX", [
        ("PARENTCLASS", "PANEL"), ("TRANSPARENCY", 100), ("FONTCOLOR", C(T.TEXT)),
    ])
    opts.update("TABSHEET", [("STATES", 1), ("COLOR", C(T.SURFACE)), ("FONTCOLOR", C(T.TEXT))])
    opts.update("PAGECONTROL", [("PARENTCLASS", "PANEL")])
    for n in ("PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT", "RIBBONPAGE"):
        opts.update(n, [("PARENTCLASS", "PAGECONTROL")])

    # Push button: a subtle vertical gradient; hover lifts it toward the
    # accent, a press sinks it (darker at the top).
    opts.update("BUTTON", [
        ("STATES", 3), ("USESTATE2", 1), ("SHIFTCLICK", "TRUE"),
        ("COLOR", C(T.BUTTON_BOTTOM)), ("HOTCOLOR", C(T.BUTTON_HOT_BOTTOM)),
        ("COLOR2", C(T.BUTTON_PRESSED_BOTTOM)),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)), ("FONTCOLOR2", C(T.TEXT)),
        ("GRADIENTPERCENT", 100),
        ("GRADIENTDATA", stops((T.BUTTON_TOP, 0), (T.BUTTON_BOTTOM, 100))),
        ("HOTGRADIENTPERCENT", 100),
        ("HOTGRADIENTDATA", stops((T.BUTTON_HOT_TOP, 0), (T.BUTTON_HOT_BOTTOM, 100))),
        ("GRADIENTPERCENT2", 100),
        ("GRADIENTDATA2", stops((T.BUTTON_PRESSED_TOP, 0), (T.BUTTON_PRESSED_BOTTOM, 100))),
        ("BORDERCOLOR0", C(T.CONTROL_BORDER)), ("BORDERCOLOR1", C(T.BUTTON_HOT_BORDER)),
        ("BORDERCOLOR2", C(T.ACCENT_PRESSED)), ("BORDERRADIUS", T.CONTROL_RADIUS),
        ("GLOW", 0),
    ])
    _variants(opts, "BUTTON", "BORDERSMASK", steps, lambda s: s["button"], m.caret)
    opts.update("BUTTON_HUGE", [("PARENTCLASS", "BUTTON"), ("BORDERRADIUS", T.HUGE_RADIUS)])
    _variants(opts, "BUTTON_HUGE", "BORDERSMASK", steps, S("huge"), m.caret,
              plain=Masks.bang("BUTTONHUGE.BMP", files["BUTTONHUGE.BMP"]))
    # A plain file name reads as a texture of the whole file. The big button
    # names the huge button's bitmap that way at 0 %: the texture is loaded
    # (sharing the decoded file with the border above) but never shows.
    opts.update("BUTTON_BIG", [
        ("PARENTCLASS", "BUTTON_HUGE"), ("PATTERN", "BUTTONHUGE.BMP"), ("IMAGEPERCENT", 0),
    ])
    opts.update("COMBONOEDIT", [("PARENTCLASS", "BUTTON")])
    # Flat buttons show nothing at rest and a soft face when hot.
    opts.update("SPEEDBUTTON", [
        ("PARENTCLASS", "BUTTON"), ("TRANSPARENCY", 100),
        ("HOTTRANSPARENCY", 0), ("TRANSPARENCY2", 0),
        ("BORDERSMASK", m.caret(S("flat"))),
    ])
    for n, parent in (("SPEEDBUTTON_SMALL", "SPEEDBUTTON"), ("TOOLBUTTON", "SPEEDBUTTON"),
                      ("MENUBTN", "SPEEDBUTTON"), ("TB_BTN", "TOOLBUTTON"),
                      ("TB_MENUBTN", "TB_BTN")):
        opts.update(n, [("PARENTCLASS", parent)])
    opts.update("WEBBUTTON", [
        ("STATES", 2), ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 100),
        ("COLOR", C(T.SURFACE)), ("HOTCOLOR", C(T.SURFACE)),
        ("FONTCOLOR", C(T.ACCENT)), ("HOTFONTCOLOR", C(T.ACCENT_PRESSED)),
    ])
    opts.update("CHECKBOX", [
        ("STATES", 3), ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 100),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)),
    ])

    # Field: white, a grey outline with a darker bottom edge; focus turns the
    # outline to the accent.
    opts.update("EDIT", [
        ("STATES", 2), ("COLOR", C(T.SURFACE)), ("HOTCOLOR", C(T.SURFACE)),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)),
        ("BORDERCOLOR0", C(T.CONTROL_BORDER)), ("BORDERCOLOR1", C(T.ACCENT)),
        ("BORDERRADIUS", T.CONTROL_RADIUS),
        ("GLOW", 1),
    ])
    _variants(opts, "EDIT", "BORDERSMASK", steps, lambda s: s["edit"], m.caret)
    _variants(opts, "EDIT", "GLOWMASK", steps, lambda s: s["edit_glow"], m.amp,
              plain=Masks.bang(T.file_name("GLOWEDIT"), files[T.file_name("GLOWEDIT")]))
    # Section glow margins are scaled by the engine itself: no variants.
    opts.put("EDIT", "GLOWMARGIN", T.EDIT_GLOW_MARGIN)
    opts.update("ALPHAEDIT", [("PARENTCLASS", "EDIT")])
    opts.update("COMBOBOX", [
        ("PARENTCLASS", "EDIT"), ("GLYPHMASK", m.at(S("arrows", "down"))),
    ])
    opts.update("ALPHACOMBOBOX", [("PARENTCLASS", "COMBOBOX")])
    opts.update("COMBOBTN", [
        ("STATES", 3), ("USESTATE2", 1),
        ("COLOR", C(T.SURFACE)), ("HOTCOLOR", C(T.ACCENT_TINT)),
        ("COLOR2", C(T.ACCENT_TINT_STRONG)),
        ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 0), ("TRANSPARENCY2", 0),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)), ("FONTCOLOR2", C(T.TEXT)),
    ])
    opts.update("SELECTION", [
        ("STATES", 2),
        ("COLOR", C(T.ACCENT_TINT_STRONG)), ("FONTCOLOR", C(T.TEXT)),
        ("HOTCOLOR", C(T.ACCENT)), ("HOTFONTCOLOR", C(T.TEXT_ON_ACCENT)),
    ])
    opts.update("HINT", [
        ("STATES", 1), ("COLOR", C(T.HINT_BG)), ("FONTCOLOR", C(T.TEXT)),
        ("BORDERCOLOR0", C(T.CONTROL_BORDER)), ("BORDERWIDTH", 1), ("BORDERRADIUS", 4),
        ("OUTERMODE", 3), ("OUTCOLL", 0), ("OUTOPACITY", 60), ("OUTBLUR", 6),
        ("OUTRADIUS", 4), ("OUTOFFSL", 0), ("OUTOFFST", 1), ("OUTOFFSR", 0), ("OUTOFFSB", 2),
    ])
    # Progress and gauges: an accent bar on a light track.
    opts.update("GAUGE", [
        ("STATES", 1), ("COLOR", C(T.TRACK)), ("FONTCOLOR", C(T.TEXT)),
        ("BORDERCOLOR0", C(T.TRACK)), ("BORDERRADIUS", 3),
    ])
    opts.update("PROGRESSH", [
        ("STATES", 1), ("COLOR", C(T.ACCENT)), ("FONTCOLOR", C(T.TEXT_ON_ACCENT)),
        ("GRADIENTPERCENT", 100),
        ("GRADIENTDATA", segments((T.ACCENT, 0), (T.ACCENT_LIGHT, 100), horizontal=True)),
        ("BORDERRADIUS", 3), ("BORDERCOLOR0", C(T.ACCENT)),
    ])
    opts.update("PROGRESSV", [
        ("PARENTCLASS", "PROGRESSH"),
        ("GRADIENTDATA", segments((T.ACCENT_LIGHT, 0), (T.ACCENT, 100))),
    ])
    opts.update("TRACKBAR", [
        ("STATES", 1), ("TRANSPARENCY", 100), ("FONTCOLOR", C(T.TEXT)),
        ("SLIDERCHANNEL", m.caret(S("channel"), auto_bands=True)),
        ("SLIDERMASK", m.at(S("thumb"))),
        ("SLIDERVMASK", m.at(S("thumb"))),
        ("TICKHORZ", m.at(S("tick_h"))),
        ("TICKVERT", m.at(S("tick_v"))),
        ("PROGHORZ", m.caret(S("progress"), auto_bands=True)),
        ("PROGVERT", m.caret(S("progress"), auto_bands=True)),
    ])
    opts.update("SLIDER_OFF", [
        ("STATES", 2), ("COLOR", C(T.TRACK)), ("HOTCOLOR", C(T.TRACK_STRONG)),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)),
        ("BORDERCOLOR0", C(T.CONTROL_BORDER_BOTTOM)), ("BORDERCOLOR1", C(T.TEXT_SECONDARY)),
        ("BORDERRADIUS", 8),
    ])
    opts.update("SLIDER_ON", [
        ("STATES", 2), ("COLOR", C(T.ACCENT)), ("HOTCOLOR", C(T.ACCENT_HOT)),
        ("FONTCOLOR", C(T.TEXT_ON_ACCENT)), ("HOTFONTCOLOR", C(T.TEXT_ON_ACCENT)),
        ("BORDERCOLOR0", C(T.ACCENT)), ("BORDERCOLOR1", C(T.ACCENT_PRESSED)),
        ("BORDERRADIUS", 8),
    ])
    opts.update("THUMB_OFF", [
        ("STATES", 2), ("COLOR", C(T.TEXT_SECONDARY)), ("HOTCOLOR", C(T.TEXT)),
        ("FONTCOLOR", C(T.TEXT)), ("BORDERRADIUS", 6),
    ])
    opts.update("THUMB_ON", [
        ("STATES", 2), ("COLOR", C(T.SURFACE)), ("HOTCOLOR", C(T.SURFACE)),
        ("FONTCOLOR", C(T.TEXT)), ("BORDERRADIUS", 6),
    ])


# --- Bars, menus, headers ---------------------------------------------------------

def _bar_sections(opts, m):
    line_h, line_v = S("line_h"), S("line_v")
    opts.update("TOOLBAR", [
        ("STATES", 1), ("COLOR", C(T.BG)), ("FONTCOLOR", C(T.TEXT)),
        ("IMAGEPERCENT", 100), ("PATTERN", m.tilde(line_h, 6)),
    ])
    opts.update("BAR", [("PARENTCLASS", "TOOLBAR")])
    opts.update("STATUSBAR", [
        ("STATES", 1), ("COLOR", C(T.BG)), ("FONTCOLOR", C(T.TEXT_SECONDARY)),
        ("IMAGEPERCENT", 100), ("PATTERN", m.tilde(line_h, 2)),
    ])
    opts.update("DIVIDER", [
        ("STATES", 1), ("COLOR", C(T.BG)), ("FONTCOLOR", C(T.TEXT_SECONDARY)),
        ("IMAGEPERCENT", 100), ("PATTERN", m.tilde(line_h, 4)),
    ])
    opts.update("DIVIDERV", [
        ("PARENTCLASS", "DIVIDER"), ("PATTERN", m.tilde(line_v, 5)),
    ])
    opts.update("MDIAREA", [("PATTERN", m.tilde(S("dot_grid"), 0))])
    opts.update("MAINMENU", [("STATES", 1), ("COLOR", C(T.BG)), ("FONTCOLOR", C(T.TEXT))])
    opts.update("MENULINE", [
        ("STATES", 2), ("COLOR", C(T.BG)), ("HOTCOLOR", C(T.ACCENT_TINT)),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)),
    ])
    opts.update("MENUITEM", [
        ("STATES", 2), ("COLOR", C(T.SURFACE)), ("HOTCOLOR", C(T.ACCENT_TINT)),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)),
        ("BORDERRADIUS", T.CONTROL_RADIUS),
    ])
    opts.update("MENUCAPTION", [
        ("STATES", 1), ("COLOR", C(T.BG)), ("FONTCOLOR", C(T.TEXT_SECONDARY)),
    ])
    opts.update("EXTRALINE", [("STATES", 1), ("COLOR", C(T.BG)), ("FONTCOLOR", C(T.TEXT))])
    opts.update("ICOLINE", [
        ("STATES", 1), ("COLOR", C(T.SURFACE_SUNKEN)), ("FONTCOLOR", C(T.TEXT)),
    ])
    opts.update("BARPANEL", [("STATES", 1), ("COLOR", C(T.BG)), ("FONTCOLOR", C(T.TEXT))])
    opts.update("BARTITLE", [
        ("STATES", 2), ("COLOR", C(T.BG)), ("HOTCOLOR", C(T.ACCENT_TINT)),
        ("FONTCOLOR", C(T.TEXT_SECONDARY)), ("HOTFONTCOLOR", C(T.TEXT)),
    ])
    opts.update("DRAGBAR", [
        ("STATES", 2), ("COLOR", C(T.BG)), ("HOTCOLOR", C(T.ACCENT_TINT)),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)),
    ])
    opts.update("SPLITTER", [
        ("STATES", 2), ("COLOR", C(T.BG)), ("HOTCOLOR", C(T.ACCENT_TINT_STRONG)),
        ("FONTCOLOR", C(T.TEXT)),
    ])
    for n in ("GRIPH", "GRIPV"):
        opts.update(n, [
            ("STATES", 1), ("COLOR", C(T.BG)), ("FONTCOLOR", C(T.TEXT)),
            ("IMAGEPERCENT", 0), ("PATTERN", m.tilde(S("grip_dots"), 10)),
        ])
    # Column headers: a light face with a divider line along the bottom.
    opts.update("COLHEADER", [
        ("STATES", 3), ("USESTATE2", 1),
        ("COLOR", C(T.SURFACE)), ("HOTCOLOR", C(T.HEADER_HOT)), ("COLOR2", C(T.HEADER_PRESSED)),
        ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)), ("FONTCOLOR2", C(T.TEXT)),
        ("IMAGEPERCENT", 100), ("HOTIMAGEPERCENT", 100), ("IMAGEPERCENT2", 100),
        ("PATTERN", m.tilde(line_h, 6)), ("HOTPATTERN", m.tilde(line_h, 6)),
        ("PATTERN2", m.tilde(line_h, 6)),
    ])
    for n in ("COLHEADERA", "COLHEADERL", "COLHEADERR"):
        opts.update(n, [("PARENTCLASS", "COLHEADER")])


# --- Tabs, scroll bars, spin buttons -----------------------------------------------

def _tab_and_scroll_sections(opts, m):
    tabs = {side: S("tabs", side) for side in ("top", "bottom", "left", "right")}
    opts.update("TABTOP", [
        ("STATES", 3), ("USESTATE2", 1),
        ("COLOR", C(T.BG)), ("HOTCOLOR", C(T.ACCENT_TINT)), ("COLOR2", C(T.SURFACE)),
        ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 0), ("TRANSPARENCY2", 0),
        ("FONTCOLOR", C(T.TEXT_SECONDARY)), ("HOTFONTCOLOR", C(T.TEXT)),
        ("FONTCOLOR2", C(T.TEXT)),
        ("BORDERSMASK", m.caret(tabs["top"])),
        ("TABSCOVERING", 2),
    ])
    for side in ("LEFT", "RIGHT", "BOTTOM"):
        opts.update("TAB" + side, [
            ("PARENTCLASS", "TABTOP"), ("BORDERSMASK", m.caret(tabs[side.lower()])),
        ])
    for side in ("LEFT", "TOP", "RIGHT", "BOTTOM"):
        for layout in ("FIRST", "LAST", "MIDDLE"):
            opts.update("TAB" + side + layout, [("PARENTCLASS", "TAB" + side)])
    opts.update("TB_TAB", [("PARENTCLASS", "TABTOP")])
    opts.update("RIBBONTAB", [("PARENTCLASS", "TABTOP"), ("TABSCOVERING", 1)])

    opts.update("SCROLLBAR1H", [
        ("STATES", 2), ("COLOR", C(T.SCROLL_TRACK)), ("HOTCOLOR", C(T.SCROLL_TRACK)),
        ("FONTCOLOR", C(T.TEXT)),
    ])
    opts.update("SCROLLBAR1V", [("PARENTCLASS", "SCROLLBAR1H")])
    opts.update("SCROLLBAR2H", [
        ("PARENTCLASS", "SCROLLBAR1H"), ("COLOR", C(T.TRACK)), ("HOTCOLOR", C(T.TRACK)),
    ])
    opts.update("SCROLLBAR2V", [("PARENTCLASS", "SCROLLBAR2H")])
    # The thumb image draws the whole inset bar; around it the track shows.
    opts.update("SCROLLSLIDERH", [
        ("STATES", 3), ("USESTATE2", 1),
        ("TRANSPARENCY", 100), ("HOTTRANSPARENCY", 100), ("TRANSPARENCY2", 100),
        ("COLOR", C(T.SCROLL_THUMB)), ("HOTCOLOR", C(T.SCROLL_THUMB_HOT)),
        ("COLOR2", C(T.SCROLL_THUMB_PRESSED)), ("FONTCOLOR", C(T.TEXT)),
        ("BORDERSMASK", m.caret(S("scroll_thumb"), auto_bands=True)),
    ])
    opts.update("SCROLLSLIDERV", [("PARENTCLASS", "SCROLLSLIDERH")])
    arrows = {d: S("arrows", d) for d in ("left", "up", "right", "down")}
    for n, d in (("SCROLLBTNLEFT", "left"), ("SCROLLBTNTOP", "up"),
                 ("SCROLLBTNRIGHT", "right"), ("SCROLLBTNBOTTOM", "down")):
        opts.update(n, [
            ("STATES", 3), ("USESTATE2", 1),
            ("COLOR", C(T.SCROLL_TRACK)), ("HOTCOLOR", C(T.TRACK)),
            ("COLOR2", C(T.TRACK_STRONG)),
            ("FONTCOLOR", C(T.TEXT)), ("HOTFONTCOLOR", C(T.TEXT)), ("FONTCOLOR2", C(T.TEXT)),
            ("GLYPHMASK", m.at(arrows[d])),
        ])
    opts.update("UPDOWNBTN", [("PARENTCLASS", "BUTTON"), ("GLYPHMASK", m.at(arrows["down"]))])
    for n, d in (("UPDOWNBTN_LEFT", "left"), ("UPDOWNBTN_TOP", "up"),
                 ("UPDOWNBTNRIGHT", "right"), ("UPDOWNBTN_BOTTOM", "down")):
        opts.update(n, [("PARENTCLASS", "UPDOWNBTN"), ("GLYPHMASK", m.at(arrows[d]))])
