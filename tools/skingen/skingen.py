#!/usr/bin/python3
"""Generates the Velmora Light skin: Options.dat, its images and a preview.

    /usr/bin/python3 tools/skingen/skingen.py [--out skins/VelmoraLight]
                                             [--preview skins/VelmoraLight.preview.png]

Everything is drawn from theme.py; run it again after changing a colour or a
size and commit what it writes. The output is the same on every run.
"""

import argparse
import os
import sys

sys.dont_write_bytecode = True   # keeps the source tree clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import artwork as A          # noqa: E402
import atlas as X            # noqa: E402
import contrast              # noqa: E402
import preview               # noqa: E402
import sections              # noqa: E402
import theme as T            # noqa: E402
from options import OptionsFile  # noqa: E402

MASTER = "MASTER COPY.PNG"
EXTBORD = "EXTBORD.PNG"
GLOWEDIT = "GLOWEDIT.PNG"
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
    ap.add_argument("--out", default=os.path.join(root, "skins", "VelmoraLight"))
    ap.add_argument("--preview", default=os.path.join(root, "skins", "VelmoraLight.preview.png"))
    ap.add_argument("--sheet", help="also write a zoomed contact sheet of every image here")
    ap.add_argument("--verify", action="store_true",
                    help="draw into a scratch folder and fail if the committed files differ")
    args = ap.parse_args()
    if args.verify:
        return verify(args.out, args.preview)

    contrast.check_all()
    X.self_test()
    steps = draw_all()
    atlas = X.Atlas()
    opts = OptionsFile()
    files = {EXTBORD: steps[""]["exborder"], GLOWEDIT: steps[""]["edit_glow"],
             BUTTONHUGE: steps[""]["huge"]}
    sections.write(opts, atlas, steps, files)
    master = atlas.pack()
    opts.resolve()

    os.makedirs(args.out, exist_ok=True)
    with open(os.path.join(args.out, "Options.dat"), "wb") as f:
        f.write(opts.text().encode("ascii"))
    master.save(os.path.join(args.out, MASTER), optimize=True)
    files[EXTBORD].image.save(os.path.join(args.out, EXTBORD), optimize=True)
    files[GLOWEDIT].image.save(os.path.join(args.out, GLOWEDIT), optimize=True)
    files[BUTTONHUGE].image.convert("RGB").save(os.path.join(args.out, BUTTONHUGE))
    preview.render(steps[""]).save(args.preview, optimize=True)
    if args.sheet:
        preview.contact_sheet(steps, master).save(args.sheet)
    print("wrote %s (%d sections), master %dx%d, preview %s"
          % (args.out, len(opts.sections), master.size[0], master.size[1], args.preview))
    return 0


def verify(out, preview_path):
    """Regenerates into a scratch folder and compares byte for byte."""
    import filecmp
    import subprocess
    import tempfile
    with tempfile.TemporaryDirectory() as tmp:
        fresh_preview = os.path.join(tmp, "preview.png")
        fresh = os.path.join(tmp, "skin")
        subprocess.run([sys.executable, os.path.abspath(__file__), "--out", fresh,
                        "--preview", fresh_preview], check=True, stdout=subprocess.DEVNULL)
        pairs = [(os.path.join(out, n), os.path.join(fresh, n)) for n in sorted(os.listdir(fresh))]
        pairs.append((preview_path, fresh_preview))
        stale = [a for a, b in pairs if not os.path.exists(a) or not filecmp.cmp(a, b, False)]
        extra = sorted(set(os.listdir(out)) - set(os.listdir(fresh)))
    for path in stale:
        print("out of date: " + path)
    for name in extra:
        print("not generated: " + os.path.join(out, name))
    if stale or extra:
        print("run tools/skingen/skingen.py and commit what it writes")
        return 1
    print("skin sources match the generator")
    return 0


if __name__ == "__main__":
    sys.exit(main())
