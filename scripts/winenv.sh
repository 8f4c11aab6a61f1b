# Sourced by the run and test scripts: a private virtual display with a
# compositing manager (so layered windows show their alpha) and a private Wine
# prefix in the Windows build folder. winenv_stop undoes everything winenv_start
# started; callers trap it on EXIT.

WINENV_PIDS=()

winenv_start() {
  local build_dir=$1
  local n=90
  while [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  WINENV_PIDS+=($!)
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  xcompmgr >/dev/null 2>&1 &
  WINENV_PIDS+=($!)
  winenv_prefix "$build_dir"
  winenv_unmanaged
}

# Our display has no window manager, so Wine must not wait for one: with
# managed windows it waits two seconds for every hidden or destroyed window to
# be withdrawn by a manager that never answers.
winenv_unmanaged() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
}

# Uses (and on first use creates) the private prefix without touching DISPLAY.
winenv_prefix() {
  export WINEPREFIX="$1/wineprefix"
  export WINEDEBUG=-all
  # No Mono or Gecko installers: the program needs neither.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineserver -p >/dev/null 2>&1 || true
  # Start the prefix's services here, detached from our output: a service that
  # the first test program started would inherit the test runner's pipe and
  # keep it open until the runner's timeout.
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 </dev/null || true
  else
    wineboot >/dev/null 2>&1 </dev/null || true
  fi
}

winenv_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
  local pid
  for pid in "${WINENV_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  WINENV_PIDS=()
}
