# Sourced by the run and test scripts: a private virtual display with a
# compositing manager (so layered windows show their alpha) and a private Wine
# prefix in the Windows build folder. winenv_stop undoes everything winenv_start
# (or winenv_display and winenv_lane) started; callers trap it on EXIT.

WINENV_PIDS=()
WINENV_SERVERS=()

winenv_start() {
  winenv_display
  winenv_prefix "$1"
}

# A display of its own: the first free number from 90 on.
winenv_display() {
  local n=90
  while ! (set -o noclobber; : >"/tmp/.X${n}-lock") 2>/dev/null || [ -e "/tmp/.X11-unix/X${n}" ]; do
    n=$((n + 1))
  done
  # Xvfb writes the lock itself; ours only claimed the number against another
  # run choosing the same one meanwhile.
  rm -f "/tmp/.X${n}-lock"
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  WINENV_PIDS+=($!)
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xcompmgr >/dev/null 2>&1 &
  WINENV_PIDS+=($!)
}

# Our display has no window manager, so Wine must not wait for one: with
# managed windows it waits two seconds for every hidden or destroyed window to
# be withdrawn by a manager that never answers.
winenv_unmanaged() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
}

# The build's prefix (BUILD_DIR/wineprefix), made once: only one run makes it,
# another that needs it meanwhile waits. It is left complete on disk, its
# server ended, so that a lane can copy it.
winenv_base() {
  local base="$1/wineprefix"
  export WINEDEBUG=-all
  # No Mono or Gecko installers: the program needs neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  (
    flock 9
    if [ ! -f "$base/system.reg" ]; then
      WINEPREFIX="$base" wineboot -i >/dev/null 2>&1 </dev/null || true
      WINEPREFIX="$base" winenv_unmanaged
      WINEPREFIX="$base" wineserver -w
    fi
  ) 9>"$base.lock"
}

# winenv_serve PREFIX: uses PREFIX with a server that stays until
# winenv_stop. Its services start here, detached from our output: a service
# that the first test program started would inherit the test runner's pipe and
# keep it open until the runner's timeout.
winenv_serve() {
  export WINEPREFIX="$1"
  wineserver -p >/dev/null 2>&1 || true
  wineboot >/dev/null 2>&1 </dev/null || true
  WINENV_SERVERS+=("$WINEPREFIX")
}

# Uses (and on first use creates) the build's prefix without touching DISPLAY.
winenv_prefix() {
  winenv_base "$1"
  winenv_serve "$1/wineprefix"
}

# winenv_lane BUILD_DIR NAME PPI: a prefix of its own for one end-to-end run
# (BUILD_DIR/wineprefix-NAME) at PPI pixels per inch, so that runs in
# different lanes go side by side without meeting each other's windows or the
# unit tests'. It is a copy of the build's prefix, made once: copying takes
# under a second where making a prefix takes a quarter of a minute.
winenv_lane() {
  local lane="$1/wineprefix-$2" ppi=$3
  winenv_base "$1"
  (
    flock 9
    if [ ! -f "$lane/system.reg" ]; then
      rm -rf "$lane" "$lane.new"
      cp -a "$1/wineprefix" "$lane.new" && mv "$lane.new" "$lane" || exit 1
      # The resolution is read when the prefix's server starts.
      WINEPREFIX="$lane" wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
        /t REG_DWORD /d "$ppi" /f >/dev/null 2>&1
      WINEPREFIX="$lane" wineserver -w
    fi
  ) 9>"$lane.lock" || return 1
  winenv_serve "$lane"
}

winenv_stop() {
  local prefix pid
  for prefix in "${WINENV_SERVERS[@]}"; do WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true; done
  WINENV_SERVERS=()
  for pid in "${WINENV_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  WINENV_PIDS=()
}
