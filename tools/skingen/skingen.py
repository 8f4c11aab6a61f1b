#!/usr/bin/python3
"""Generates a skin from a theme: Options.dat, its images and a preview.

    /usr/bin/python3 tools/skingen/skingen.py [--theme velmora_light]
                                             [--out skins/VelmoraLight]
                                             [--preview skins/VelmoraLight.preview.png]

Everything is drawn from one theme file in themes/ (its colours) and theme.py
(the sizes all themes share); run it again after changing a colour or a size
and commit what it writes. The output is the same on every run.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True   # keeps the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artwork as A          # noqa: E402
import atlas as X            # noqa: E402
import contrast              # noqa: E402
import imagefile             # noqa: E402
import preview               # noqa: E402
import sections              # noqa: E402
import theme as T            # noqa: E402
from options import OptionsFile  # noqa: E402

BUTTONHUGE = "BUTTONHUGE.BMP"


def draw_all():
    """Every image of the skin, drawn for each resolution step."""
    steps = {}
    for scale, suffix in T.STEPS:
        steps[suffix] = draw_step(scale)
    return steps


def draw_step(s):
    return {
        "exborder": A.exborder(s),
        "form": A.form_border(s),
        "button": A.button_border(s),
        "edit": A.edit_border(s),
        "card": A.card_border(s),
        "sunken": A.sunken_border(s),
        "edit_glow": A.edit_glow(s),
        "glow_margin": A.caption_glow_margin(s),
        "caption": {k: A.caption_button(k, s) for k in ("close", "min", "max", "norm", "help")},
        "small": {k: A.caption_button(k, s, small=True)
                  for k in ("close", "min", "max", "norm", "help")},
        "glows": {k: A.caption_glow(k, s) for k in ("close", "min", "max", "norm")},
        "title_button": A.title_button(s),
        "box": A.check_box(s, False),
        "box_checked": A.check_box(s, True),
        "box_grayed": A.check_box(s, False, grayed=True),
        "small_box": A.check_box(s, False, small=True),
        "small_checked": A.check_box(s, True, small=True),
        "small_grayed": A.check_box(s, False, grayed=True, small=True),
        "radio": A.radio(s, False),
        "radio_checked": A.radio(s, True),
        "menu_check": A.menu_check(s),
        "arrows": {d: A.chevron(s, d) for d in ("left", "up", "right", "down")},
        "grip": A.grip_corner(s),
        "grip_dots": A.grip_texture(s),
        "line_h": A.line_texture(s),
        "line_v": A.line_texture(s, vertical=True),
        "dot_grid": A.dot_grid_texture(s),
        "scroll_thumb": A.pill(s, 7, [T.SCROLL_THUMB, T.SCROLL_THUMB_HOT,
                                      T.SCROLL_THUMB_PRESSED], T.SCROLL_TRACK, margin=3),
        "channel": A.pill(s, 5, [T.TRACK], T.BG),
        "progress": A.pill(s, 5, [T.ACCENT], T.BG),
        "tabs": {side: A.tab(s, side) for side in ("top", "bottom", "left", "right")},
        "thumb": A.slider_thumb(s),
        "tick_h": A.tick(s, False),
        "tick_v": A.tick(s, True),
        "flat": A.flat_button_border(s),
        "huge": A.huge_button(s),
    }


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    root = os.path.normpath(os.path.join(here, "..", ".."))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--theme", default=T.DEFAULT,
                    help="a theme in tools/skingen/themes (velmora_light, velmora_dark) "
                         "or the path of a theme file")
    ap.add_argument("--out", help="the skin folder (default skins/FOLDER of the theme)")
    ap.add_argument("--preview", help="default skins/FOLDER.preview.png")
    ap.add_argument("--sheet", help="also write a zoomed contact sheet of every image here")
    ap.add_argument("--verify", action="store_true",
                    help="draw into a scratch folder and fail if the committed files differ")
    args = ap.parse_args()
    T.use(args.theme)
    skins = os.path.join(root, "skins")
    args.out = args.out or os.path.join(skins, T.FOLDER)
    args.preview = args.preview or os.path.join(skins, T.FOLDER + ".preview.png")
    if args.verify:
        return verify(args.theme, args.out, args.preview)

    contrast.check_all()
    X.self_test()
    steps = draw_all()
    atlas = X.Atlas()
    opts = OptionsFile()
    master_name, extbord, glowedit = (T.file_name(s) for s in ("MASTER COPY", "EXTBORD",
                                                                 "GLOWEDIT"))
    files = {extbord: steps[""]["exborder"], glowedit: steps[""]["edit_glow"],
             BUTTONHUGE: steps[""]["huge"]}
    sections.write(opts, atlas, steps, files)
    master = atlas.pack()
    opts.resolve()

    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "Options.dat"), "wb") as f:
        f.write(opts.text(T.NAME).encode("ascii"))
    imagefile.save(master, os.path.join(args.out, master_name), imagefile.MASTER)
    imagefile.save(files[extbord].image, os.path.join(args.out, extbord), imagefile.ALPHA_MASK)
    imagefile.save(files[glowedit].image, os.path.join(args.out, glowedit), imagefile.ALPHA_MASK)
    files[BUTTONHUGE].image.convert("RGB").save(os.path.join(args.out, BUTTONHUGE))
    preview.render(steps[""]).save(args.preview, optimize=True)
    if args.sheet:
        preview.contact_sheet(steps, master).save(args.sheet)
    print("wrote %s: %s (%d sections), master %dx%d, preview %s"
          % (T.NAME, args.out, len(opts.sections), master.size[0], master.size[1],
             args.preview))
    return 0


def verify(theme, out, preview_path):
    """Regenerates into a scratch folder and compares byte for byte."""
    import filecmp
    import subprocess
    import tempfile
    with tempfile.TemporaryDirectory() as tmp:
        fresh_preview = os.path.join(tmp, "preview.png")
        fresh = os.path.join(tmp, "skin")
        subprocess.run([sys.executable, os.path.abspath(__file__), "--theme", theme,
                        "--out", fresh, "--preview", fresh_preview],
                       check=True, stdout=subprocess.DEVNULL)
        pairs = [(os.path.join(out, n), os.path.join(fresh, n)) for n in sorted(os.listdir(fresh))]
        pairs.append((preview_path, fresh_preview))
        stale = [a for a, b in pairs if not os.path.exists(a) or not filecmp.cmp(a, b, False)]
        extra = sorted(set(os.listdir(out)) - set(os.listdir(fresh)))
    for path in stale:
        print("out of date: " + path)
    for name in extra:
        print("not generated: " + os.path.join(out, name))
    if stale or extra:
        print("run tools/skingen/skingen.py --theme %s and commit what it writes" % theme)
        return 1
    print("%s: skin sources match the generator" % T.NAME)
    return 0


if __name__ == "__main__":
    sys.exit(main())
