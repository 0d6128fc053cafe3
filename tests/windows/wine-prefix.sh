#!/bin/sh
# wine-prefix.sh new|stop PREFIX
# new: makes PREFIX afresh, so that no test sees Wine's first-start chatter or
#      a prefix left by an earlier run; stop: ends the Wine server of PREFIX,
#      which would otherwise linger a few seconds after the last test.
set -u
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
unset DISPLAY WAYLAND_DISPLAY

case $action in
  new)
    wineserver -k 2>/dev/null
    rm -rf "$WINEPREFIX"
    if ! wineboot -i >"$WINEPREFIX.log" 2>&1; then
      echo "wineboot failed to make $WINEPREFIX:" >&2
      cat "$WINEPREFIX.log" >&2
      exit 1
    fi
    ;;
  stop)
    wineserver -k 2>/dev/null
    ;;
  *)
    echo "usage: $0 new|stop PREFIX" >&2
    exit 2
    ;;
esac
exit 0
