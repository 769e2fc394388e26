#!/bin/sh
# Times opening a 2000-drug dictionary into a visible window, whole process,
# with hyperfine: open_window_bench starts as `quorbex FILE` does and ends
# once the dictionary's result tree is painted; bare_mdi_bench, the
# reference, is a bare Qt main window with an MDI area and a 2000-item tree
# that ends the same way. Run by hand from the repository (as root on a fresh
# machine: it installs what it needs):
#
#   ./bench/open_window.sh
#
# It runs on the display in DISPLAY, or under xvfb-run when there is none,
# with settings, data and runtime folders of its own, and prints the medians
# and their ratio.
#
# Environment: RUNS (hyperfine runs per command, default 300).
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

for folder in config data cache runtime; do
    mkdir -m 700 "$work/$folder"
done
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" \
    XDG_CACHE_HOME="$work/cache" XDG_RUNTIME_DIR="$work/runtime"

hyperfine -N --warmup 5 --runs "$RUNS" --export-json "$work/times.json" \
    --command-name "open_window_bench (2000 drugs)" \
    "build-bench/bench/open_window_bench $work/drugs.zvk" \
    --command-name "bare_mdi_bench (reference)" \
    "build-bench/bench/bare_mdi_bench"
sqlite3 :memory: "WITH times AS (SELECT json_extract(value, '\$.median') AS median, key
        FROM json_each((SELECT json_extract(CAST(readfile('$work/times.json') AS TEXT), '\$.results'))))
    SELECT printf('medians: %.1f ms and %.1f ms: %.2fx the bare Qt program',
        1000 * (SELECT median FROM times WHERE key = 0), 1000 * (SELECT median FROM times WHERE key = 1),
        (SELECT median FROM times WHERE key = 0) / (SELECT median FROM times WHERE key = 1));"
