# Sourced by run-gui-tests and bench/win32/bench-log-list: a fresh Wine prefix (code page 936) on a virtual X
# display of its own, with drive D: a fresh folder, and its clean end.
#   wine_session_start WORK [LOCALE]   makes WORK/prefix, WORK/d (drive D:), starts Xvfb;
#                             exports WINEPREFIX, DISPLAY and the rest; LOCALE (zh_CN.UTF-8,
#                             code page 936, unless given) sets the code page
#   wine_session_stop         ends Wine and the display (the caller removes WORK)

wine_session_start() {
  local work=$1
  export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=${2:-zh_CN.UTF-8}
  # A display of its own, at 96 dots per inch: the window's pixels are its twips / 15.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp 3>"$work/display" 2>/dev/null &
  wine_session_xvfb=$!
  for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
  if [ ! -s "$work/display" ]; then
    echo "wine-session: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n 1 "$work/display")"

  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  # D: is a fresh folder. Wine's mount manager learns of a drive when it starts: the server is
  # restarted so that the drive lists of the task chooser and of the folder browser show it.
  mkdir -p "$work/d"
  ln -sfn "$work/d" "$WINEPREFIX/dosdevices/d:"
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  # A server that stays, and Wine's services started now, not under a test program, where they
  # would hold its output open.
  wineserver -p 2>/dev/null
  /usr/lib/wine/wine64 wineboot >/dev/null 2>&1
  # Without a window manager, Wine manages its windows itself; otherwise every closing window
  # stalls for two seconds.
  /usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >/dev/null 2>&1
}

wine_session_stop() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  # A Wine service caught starting while its server ended can outlive it: end what is left of
  # this prefix's processes.
  local environ
  for environ in /proc/[0-9]*/environ; do
    if tr '\0' '\n' 2>/dev/null <"$environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      environ=${environ#/proc/}
      kill "${environ%/environ}" 2>/dev/null
    fi
  done
  [ -z "${wine_session_xvfb:-}" ] || kill "$wine_session_xvfb" 2>/dev/null
  wait 2>/dev/null
}

# A path of this machine as Wine's programs see it (drive Z: is the root folder).
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
