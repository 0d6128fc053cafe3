#!/bin/sh
# wine-prefix.sh new|stop PREFIX
# new: makes PREFIX afresh, so that no test sees Wine's first-start chatter or
#      a prefix left by an earlier run, and starts its server;
# stop: ends that server.
set -u
action=$1
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=
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
    # One server for the whole run, started here outside any limit a test
    # sets on its programs, with Wine's own background processes, which
    # would otherwise hold a test's output open for as long as they live;
    # "stop" ends them all. The server of wineboot first exits by itself,
    # saving the new prefix.
    wineserver -w
    wineserver -p </dev/null >/dev/null 2>&1
    wineboot </dev/null >/dev/null 2>&1
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
