#!/bin/sh
# Times opening a 2000-drug dictionary into a visible window, whole process,
# with hyperfine: open_window_bench starts as `quorbex FILE` does and leaves
# as soon as the dictionary's result tree is painted; bare_mdi_bench, the
# reference, is a bare Qt main window with an MDI area and a tree of the same
# 2000 trade names that leaves the same way. Run by hand from the repository
# (as root on a fresh machine: it installs what it needs):
#
#   ./bench/open_window.sh
#
# It runs on the display in DISPLAY, or under xvfb-run when there is none,
# with settings, data and runtime folders of its own, and prints each
# round's medians, then the medians of the rounds and the ratio.
#
# Environment: RUNS (runs of each program in all, default 300), ROUNDS (how
# many turns they take, default 10).
set -eu
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${OPEN_WINDOW_UNDER_XVFB:-}" ]; then
    if ! command -v xvfb-run >/dev/null; then
        echo "Installing xvfb with apt-get"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xvfb
    fi
    OPEN_WINDOW_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$@"
fi

. bench/whole_process.sh
cmake --build build-bench --target open_window_bench bare_mdi_bench >/dev/null
sqlite3 -header -csv "$work/drugs.db" "SELECT * FROM drugs ORDER BY rowid;" > "$work/drugs.csv"
"$ZVK" import "$work/drugs.csv" -o "$work/drugs.zvk" >/dev/null
"$ZVK" list "$work/drugs.zvk" | cut -f2 > "$work/names.txt"

for folder in config data cache; do
    mkdir -m 700 "$work/$folder"
done
# The runtime folder in memory, as a session's is (/run/user/UID): the lock
# of the one instance is written there.
runtime=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work" "$runtime"' EXIT INT TERM
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$runtime"

# The two programs take turns, a few runs each, round after round: on a
# shared machine the speed drifts from one minute to the next, and one long
# block of each would set them under different conditions. The ratio is the
# median of the rounds' ratios.
rounds=${ROUNDS:-10}
runs_per_round=$((RUNS / rounds))
if [ "$runs_per_round" -lt 5 ]; then
    runs_per_round=5
fi
sqlite3 "$work/rounds.db" "CREATE TABLE rounds(program REAL, reference REAL);"
round=1
while [ "$round" -le "$rounds" ]; do
    hyperfine -N --style none --warmup 2 --runs "$runs_per_round" --export-json "$work/times.json" \
        "build-bench/bench/open_window_bench $work/drugs.zvk" \
        "build-bench/bench/bare_mdi_bench $work/names.txt" >/dev/null
    sqlite3 "$work/rounds.db" "INSERT INTO rounds
        SELECT json_extract(times, '\$.results[0].median'), json_extract(times, '\$.results[1].median')
        FROM (SELECT CAST(readfile('$work/times.json') AS TEXT) AS times);"
    round=$((round + 1))
done
# The middle value (the mean of the two middle ones for an even count).
median() {
    printf "(SELECT AVG(value) FROM (SELECT %s AS value FROM rounds ORDER BY value
        LIMIT 2 - (SELECT COUNT(*) FROM rounds) %% 2 OFFSET ((SELECT COUNT(*) FROM rounds) - 1) / 2))" "$1"
}
sqlite3 "$work/rounds.db" "SELECT printf('round %d: open_window_bench %.1f ms, bare_mdi_bench %.1f ms: %.2fx',
    rowid, 1000 * program, 1000 * reference, program / reference) FROM rounds;"
sqlite3 "$work/rounds.db" "SELECT printf('medians of %d rounds of %d runs: %.1f ms and %.1f ms; %.2fx the bare Qt program',
    (SELECT COUNT(*) FROM rounds), $runs_per_round, 1000 * $(median program), 1000 * $(median reference),
    $(median 'program / reference'));"
