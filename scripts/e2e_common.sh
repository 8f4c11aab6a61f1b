# What the end-to-end scripts share, sourced after they set exe, probe and ppi:
# the display and Wine prefix (the caller's, set up by scripts/test.sh, or a
# private one beside the program; at another resolution than 96 PPI a second
# prefix whose LogPixels is that resolution), a work folder, check, and
# e2e_finish for the summary and exit code. AC_KEEP_E2E keeps the work folder.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$root/scripts/winenv.sh"

if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  trap winenv_stop EXIT
  winenv_start "$(cd "$(dirname "$exe")/.." && pwd)"
fi
export WINEDEBUG=-all

if [ "$ppi" != 96 ]; then
  export WINEPREFIX="${WINEPREFIX}-$ppi"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$ppi" /f \
      >/dev/null 2>&1
    winenv_unmanaged
    wineserver -w
  fi
  trap 'WINEPREFIX="$WINEPREFIX" wineserver -k >/dev/null 2>&1; winenv_stop' EXIT
fi

work=$(mktemp -d)
failures=0
check() {  # check WHAT EXPECTED ACTUAL
  if [ "$2" == "$3" ]; then
    echo "ok   $1"
  else
    echo "FAIL $1: expected '$2', got '$3'"
    failures=$((failures + 1))
  fi
}

# Removes the work folder and ends with the checks' verdict.
e2e_finish() {
  [ -n "${AC_KEEP_E2E:-}" ] || rm -rf "$work"
  if [ $failures -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed at $ppi ppi"
}
