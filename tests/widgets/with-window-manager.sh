#!/usr/bin/env bash
# Runs a command on the current X display with another window manager in place
# of openbox, then puts openbox back, so that the widget window tests can be
# run as they are under each window manager:
#   with-window-manager.sh xfwm4|marco|mutter|kwin COMMAND [ARGS...]
# Exits 77 (skipped) when the window manager is not installed.
set -uo pipefail

wm="${1:?usage: with-window-manager.sh xfwm4|marco|mutter|kwin COMMAND [ARGS...]}"
shift
case "$wm" in
  # Their own compositors stay off: whether one runs is up to the tests.
  xfwm4) start=(xfwm4 --replace --compositor=off) name="Xfwm4" ;;
  marco) start=(marco --replace --no-composite) name="Metacity (Marco)" ;;
  # Mutter on X11 is always its own compositing manager.
  mutter) start=(mutter --x11 --replace --sm-disable) name="Mutter" ;;
  kwin) start=(env KWIN_COMPOSE=N kwin_x11 --replace) name="KWin" bin=kwin_x11 ;;
  *) echo "with-window-manager.sh: unknown window manager $wm" >&2; exit 2 ;;
esac
command -v "${bin:-$wm}" >/dev/null || { echo "with-window-manager.sh: $wm is not installed"; exit 77; }

wm_name() {
  local id
  id="$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | awk '/window id/ {print $NF}')"
  [ -n "$id" ] && xprop -id "$id" _NET_WM_NAME 2>/dev/null | sed -n 's/.*= "\(.*\)"/\1/p'
}
wait_for() { # name
  for _ in $(seq 1 300); do
    [ "$(wm_name)" = "$1" ] && return 0
    sleep 0.1
  done
  echo "with-window-manager.sh: no window manager called '$1' after 30 s (now '$(wm_name)')" >&2
  return 1
}

# KWin leaves its desktop layout on the root (one row of one desktop); once
# there are four desktops again, marco aborts at the next desktop switch.
xprop -root -remove _NET_DESKTOP_LAYOUT 2>/dev/null || true

log="$(mktemp /tmp/nivora-$wm.XXXXXX.log)"
setsid "${start[@]}" >"$log" 2>&1 </dev/null &
pid=$!
restore() {
  # openbox outlives this script; it ends with the display, as the first one.
  setsid openbox --replace --sm-disable >/dev/null 2>&1 </dev/null &
  wait_for Openbox || true
  kill "$pid" 2>/dev/null || true
}
trap restore EXIT
if ! wait_for "$name"; then
  cat "$log" >&2
  exit 1
fi
# Some finish setting up after they announce themselves.
sleep 1
"$@"
