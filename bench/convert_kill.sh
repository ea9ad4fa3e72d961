#!/bin/sh
# Stops the conversion of a 60,000-round folder with kill -9 at varied moments of the
# recomputation and checks each database: it must be as before or fully converted.
#
#   bench/convert_kill.sh <build-dir> [work-dir]
set -eu
B=$(cd "$1" && pwd)
W=${2:-$(mktemp -d)}
mkdir -p "$W"
export QT_QPA_PLATFORM=offscreen
"$B/bench_convert" folder "$W/old" 100 600 >/dev/null
"$B/make_bench_db" "$W/base.db" 5 20 >/dev/null
before=$("$B/bench_convert" check "$W/base.db" 2>/dev/null)
cp "$W/base.db" "$W/full.db"
"$B/bench_convert" run "$W/full.db" "$W/old" 2>/dev/null | tail -1
after=$("$B/bench_convert" check "$W/full.db" 2>/dev/null)
echo "before:  $before"
echo "after:   $after"
failures=0
for k in 1 9 21 33 46 58 62 79 94 105; do
    rm -f "$W/t.db" "$W/t.db-journal" "$W/t.db-wal" "$W/t.db-shm"
    cp "$W/base.db" "$W/t.db"
    "$B/bench_convert" run "$W/t.db" "$W/old" >"$W/out" 2>/dev/null &
    pid=$!
    until grep -q "^recompute $k " "$W/out" 2>/dev/null || ! kill -0 $pid 2>/dev/null; do sleep 0.005; done
    kill -9 $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
    last=$(grep "^recompute" "$W/out" | tail -1)
    journal=$([ -e "$W/t.db-journal" ] || [ -e "$W/t.db-wal" ] && echo "journal left" || echo "no journal")
    state=$("$B/bench_convert" check "$W/t.db" 2>/dev/null)
    if [ "$state" = "$before" ]; then verdict="as before"
    elif [ "$state" = "$after" ]; then verdict="fully converted"
    else verdict="NEITHER: $state"; failures=$((failures + 1)); fi
    echo "killed after '$last' of the players ($journal): $verdict"
done
echo "$failures of 10 stops left a half-converted database"
[ "$failures" -eq 0 ]
