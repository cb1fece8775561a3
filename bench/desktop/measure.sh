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
