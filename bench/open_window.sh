#!/bin/sh
# Times opening a 2000-drug dictionary into a visible window. open_window_bench
# starts as `quorbex FILE` does and leaves as soon as the dictionary's result
# tree is painted; bare_mdi_bench, the reference, is a bare Qt main window of
# the same size with an MDI area and a tree of the same 2000 trade names that
# leaves the same way. launch_timer starts each and times it to that first
# paint, and to the end of its process, which adds the kernel's taking down
# of it (the release of a file watch among them) that nobody waits for. Run by
# hand from the repository (as root on a fresh machine: it installs what it
# needs):
#
#   ./bench/open_window.sh
#
# It runs on the display in DISPLAY, or on an Xvfb of its own when there is
# none. That server, as a desktop's, does not reset when a program leaves:
# xvfb-run's would, and every program would then wait for it to compile its
# keymap again. The two programs take turns, run after run, with settings,
# data and runtime folders of their own; it prints the medians and ratios.
#
# Environment: RUNS (runs of each program, default 300).
set -eu
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${OPEN_WINDOW_UNDER_XVFB:-}" ]; then
    if ! command -v xvfb-run >/dev/null; then
        echo "Installing xvfb with apt-get"
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq xvfb
    fi
    OPEN_WINDOW_UNDER_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x800x24 -noreset" "$0" "$@"
fi

. bench/whole_process.sh
cmake --build build-bench --target open_window_bench bare_mdi_bench launch_timer >/dev/null
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

timer=build-bench/bench/launch_timer
program="build-bench/bench/open_window_bench $work/drugs.zvk"
reference="build-bench/bench/bare_mdi_bench $work/names.txt"
# Untimed first runs: a new server, the file cache and the font cache warm up.
for run in 1 2 3; do
    # shellcheck disable=SC2086
    $timer $program >/dev/null
    # shellcheck disable=SC2086
    $timer $reference >/dev/null
done
# Turn about, run after run: on a shared machine the speed drifts from one
# second to the next, and both programs then meet the same drift.
run=1
while [ "$run" -le "$RUNS" ]; do
    # shellcheck disable=SC2086
    times=$($timer $program)
    echo "program $times" >> "$work/runs.txt"
    # shellcheck disable=SC2086
    times=$($timer $reference)
    echo "reference $times" >> "$work/runs.txt"
    run=$((run + 1))
done

sqlite3 "$work/runs.db" "CREATE TABLE runs(program TEXT, paint REAL, whole REAL);"
sqlite3 -separator ' ' "$work/runs.db" ".import $work/runs.txt runs"
# The middle value of a column for one program (the mean of the two middle
# ones for an even count).
median() {
    printf "(SELECT AVG(value) FROM (SELECT %s AS value FROM runs WHERE program = '%s'
        ORDER BY value LIMIT 2 - (SELECT COUNT(*) FROM runs WHERE program = '%s') %% 2
        OFFSET ((SELECT COUNT(*) FROM runs WHERE program = '%s') - 1) / 2))" "$1" "$2" "$2" "$2"
}
sqlite3 "$work/runs.db" "SELECT printf('medians of %d runs each, to the first paint: open_window_bench %.1f ms, bare_mdi_bench %.1f ms; %.2fx the bare Qt program',
    $RUNS, $(median paint program), $(median paint reference), $(median paint program) / $(median paint reference));"
sqlite3 "$work/runs.db" "SELECT printf('to the end of the process: open_window_bench %.1f ms, bare_mdi_bench %.1f ms; %.2fx',
    $(median whole program), $(median whole reference), $(median whole program) / $(median whole reference));"
