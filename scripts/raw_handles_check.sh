#!/usr/bin/env bash
# The program's GDI and USER objects are counted by the owners in win32/
# (win32/handle_counts.h), so that the "handle counts stay flat" tests can see
# a leak. This lists the bare Win32 calls of the program's code outside win32/
# that would take or give up such an object behind the counters' back, and
# exits 1 when there is one:
#   - taking or releasing a device context, deleting a GDI object, giving a
#     window a region, destroying a menu or a window: only win32/ does these;
#   - selecting an object into a DC and saving or restoring a DC's state: a
#     bitmap left selected cannot be deleted and a state left saved outlives
#     its painting, so these go through ScopedSelectObject, ScopedSaveDC and
#     TDibSection (dib_section.h), which always put them back;
#   - closing a kernel handle: ScopedKernelHandle counts the ones it holds;
#   - copying pixels from one DC to another (BitBlt): a cached face reaches a
#     DC through PresentFace (dib_section.h), which flushes what pixel code
#     wrote first;
#   - making a region, brush, pen, font, bitmap, menu or window: only as the
#     argument of an owner (a Scoped* constructor or a Reset), or where the
#     list below says who counts it.
# Tests, test fixtures and the developers' programs in tools/ (the probe,
# skinsend, the start-up reference) are not the product and are not checked.
set -uo pipefail
cd "$(dirname "$0")/.."

release='\b(GetDC|GetDCEx|GetWindowDC|ReleaseDC|CreateCompatibleDC|DeleteDC|BeginPaint|EndPaint|DeleteObject|SetWindowRgn|DestroyMenu|DestroyWindow|SelectObject|SaveDC|RestoreDC|CloseHandle|BitBlt)\s*\('
make='\b(CreateRectRgn|CreateRectRgnIndirect|CreateRoundRectRgn|CreateEllipticRgn|CreatePolygonRgn|ExtCreateRegion|CreateSolidBrush|CreatePatternBrush|CreateHatchBrush|CreatePen|CreateFontIndirectW|CreateFontW|CreateDIBSection|CreateCompatibleBitmap|CreateBitmap|CreatePopupMenu|CreateMenu|CreateWindowExW)\s*\('
# FILE:CALL pairs whose object is counted elsewhere, with the reason.
allowed=(
  # A framework window counts from its WM_NCCREATE to its WM_NCDESTROY
  # (TWinControl::StdWndProc), whoever destroys it.
  framework/win_control.cpp:CreateWindowExW
  framework/win_control.cpp:DestroyWindow
  # The menu and its sub-menus are built first and then held by a ScopedMenu.
  framework/menu.cpp:CreatePopupMenu
  # The window is handed to the form's ScopedWindow on the next line.
  frames/ac_glow_form.cpp:CreateWindowExW
)

mapfile -t files < <(git ls-files -- '*.cpp' '*.h' | grep -v -e '^win32/' -e '_test\.cpp$' \
  -e 'test_support\.h$' -e '^fuzz/' -e '^bench/' -e '^tools/')

found=0
report() {  # report FILE:LINE:TEXT CALL
  local where=${1%%:*} call=$2
  for a in "${allowed[@]}"; do [ "$a" == "$where:$call" ] && return; done
  echo "$1"
  found=1
}
while IFS= read -r hit; do
  report "$hit" "$(grep -oP "$release" <<<"${hit#*:*:}" | head -1 | sed 's/\s*($//')"
done < <(grep -nP "$release" "${files[@]}" | grep -vP ':\s*//')
while IFS= read -r hit; do
  IFS=: read -r file line text <<<"$hit"
  # The owner may stand on the line before, when the call is wrapped.
  sed -n "$((line > 1 ? line - 1 : 1)),${line}p" "$file" |
    grep -qP 'Scoped[A-Za-z]*[ (]|\bReset\(' && continue
  report "$hit" "$(grep -oP "$make" <<<"$text" | head -1 | sed 's/\s*($//')"
done < <(grep -nP "$make" "${files[@]}" | grep -vP ':\s*//')

if [ $found -ne 0 ]; then
  echo "bare handle calls outside win32/: take and free these objects through its owners" \
    "(scoped_gdi_object.h, dib_section.h, scoped_window.h, scoped_kernel_handle.h," \
    "window_region.h) so that they are counted and put back"
  exit 1
fi
echo "no bare handle calls outside win32/"
