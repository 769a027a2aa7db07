#!/usr/bin/env bash
# Starts (start) or stops (stop) the Wine session of a build folder's prefix around this folder's
# Windows tests. Started here, detached and with every descriptor closed, the server and the
# session's service processes hold neither ctest's output pipes nor the runner's prefix lock, so
# each test ends when its program does; the runner then finds the session already up.
# Usage: wine_server.sh start|stop <prefix>
set -euo pipefail
export WINEPREFIX=$2 WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
case $1 in
  start)
    mkdir -p "$WINEPREFIX"
    (
      flock 9
      if [ ! -f "$WINEPREFIX/system.reg" ]; then
        /usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1 9>&- || true
      fi
      setsid /usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1 9>&- &
      sleep 1
      # Brings up the session's services now, so that no test's process starts them.
      setsid /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 9>&- || true
    ) 9>"$WINEPREFIX.lock"
    ;;
  stop)
    /usr/lib/wine/wineserver -k </dev/null >/dev/null 2>&1 || true
    ;;
esac
