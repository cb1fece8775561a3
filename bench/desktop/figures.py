"""Reads the figures measure() and measure_mpv() leave in a work directory.

case(work, label, reps) gives the medians over runs 1..reps of label: the
process's CPU (% of one core), the display server's, their total, RSS in MB,
and from the benchmark's last JSON line its delivered frame rate and players.
"""
import json
import os
import statistics


def _stat(work, name):
    p = os.path.join(work, name)
    return json.load(open(p)) if os.path.exists(p) and os.path.getsize(p) else None


def _last_json(work, name):
    p = os.path.join(work, name)
    lines = open(p).read().strip().splitlines() if os.path.exists(p) else []
    return json.loads(lines[-1]) if lines and lines[-1].startswith("{") else {}


def case(work, label, reps, server_tag="x"):
    rows = []
    for rep in range(1, reps + 1):
        app, x = _stat(work, "%s.%d.json" % (label, rep)), _stat(work, "%s.%d.%s.json" % (label, rep, server_tag))
        if not app:
            continue
        out = _last_json(work, "%s.%d.out" % (label, rep))
        xcpu = x["cpu_percent"] if x else 0.0
        rows.append(dict(cpu=app["cpu_percent"], x=xcpu, total=app["cpu_percent"] + xcpu, rss=app["rss_mb"],
                         fps=out.get("delivered_fps", 0.0), players=out.get("players", 0)))
    return {k: statistics.median(r[k] for r in rows) for k in rows[0]} if rows else None


def from_argv(argv):
    """case() for a script run as `python3 - FIGURES_DIR WORK REPS`."""
    work, reps = argv[2], int(argv[3])
    return lambda label: case(work, label, reps)
