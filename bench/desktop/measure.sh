# Sourced by the desktop benchmarks, which set $work, $secs, $procstat and
# $xserver (the display server's process, or empty); $server_tag names its
# figures ($label.$server_tag.json; "x" by default, "sway" on Wayland).
#
# Starts "$@" in the background writing to $work/$label.out, waits until it
# prints "ready", lets it settle, then measures it (and the display server)
# for $secs seconds and waits for it to finish.
measure() {
  local label="$1"; shift
  local out="$work/$label.out"
  "$@" >"$out" 2>"$out.err" &
  local pid=$!
  for _ in $(seq 1 200); do grep -q ready "$out" && break; sleep 0.1; done
  sleep 1
  local xpid=""
  if [ -n "$xserver" ]; then "$procstat" "$xserver" "$secs" >"$work/$label.${server_tag:-x}.json" & xpid=$!; fi
  "$procstat" "$pid" "$secs" --threads >"$work/$label.json" 2>>"$work/procstat.err" || true
  local status=0
  wait "$pid" || status=$?
  [ -z "$xpid" ] || wait "$xpid" || true
  if [ "$status" -ne 0 ]; then
    echo "== $label: $* exited with status $status; its last messages:" >>"$work/failures"
    tail -n 20 "$out.err" >>"$work/failures"
  fi
}

# Plays $2 with mpv as a user would, full screen with looping and no sound,
# with the options that follow (at least --vo=...), and measures it and the
# display server for $secs seconds as $1, as measure() does.
measure_mpv() {
  local label="$1" media="$2"; shift 2
  mpv --no-config --really-quiet --gpu-sw=yes --hwdec=no --aid=no --ao=null --loop-file=inf --panscan=1.0 --fs \
    "$@" "$media" &
  local mpvpid=$!
  sleep 3
  local xpid=""
  if [ -n "$xserver" ]; then "$procstat" "$xserver" "$secs" >"$work/$label.${server_tag:-x}.json" & xpid=$!; fi
  "$procstat" "$mpvpid" "$secs" >"$work/$label.json"
  [ -z "$xpid" ] || wait "$xpid" || true
  kill "$mpvpid"
  wait "$mpvpid" 2>/dev/null || true
}

# Ends the script, showing what failed, when a measured run did.
stop_on_failures() {
  if [ -s "$work/failures" ]; then
    cat "$work/failures"
    exit 1
  fi
}

# measure_mpv for each output named after $1, $reps times each, as
# mpv-OUTPUT.REP; nothing when mpv is not installed.
measure_mpv_outputs() {
  local media="$1" vo rep
  shift
  command -v mpv >/dev/null || return 0
  for vo in "$@"; do
    for rep in $(seq 1 "$reps"); do measure_mpv "mpv-$vo.$rep" "$media" --vo="$vo"; done
  done
}
