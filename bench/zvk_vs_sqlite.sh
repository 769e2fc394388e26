#!/bin/sh
# Times `zvk search` against sqlite3 running the same search over the same
# 2000 drugs, whole process each, with hyperfine. Run by hand from the
# repository (as root on a fresh machine: it installs what it needs):
#
#   ./bench/zvk_vs_sqlite.sh [PATTERN...]
#
# The data: the 2000 drugs of bench/drugs_2000.sql (samples/drugs.csv grown
# to 2000 rows, names made unique by a number). sqlite3 grows the rows into a
# table, and that table exported as CSV is what `zvk import` turns into the
# dictionary: both hold the same rows, in the same order.
#
# The searches: zvk with its default fields (trade name, pinyin initials,
# other names, English name) ordered by trade name, against
#   SELECT rowid, TradeName, EnglishName FROM drugs
#   WHERE TradeName LIKE '%P%' OR PinyinInitials LIKE '%P%'
#      OR OtherNames LIKE '%P%' OR EnglishName LIKE '%P%'
#   ORDER BY TradeName;
# Both print one line per hit (number, trade name, English name), which
# hyperfine discards; the script checks first that both find the same number
# of records. (sqlite orders by UTF-8 bytes and zvk by GBK bytes, so the two
# orders differ; the work is the same.) After each pair it prints the medians
# of the two, which other work on the machine moves less than the means.
#
# Environment: ZVK (a zvk to time instead of building one), RUNS (hyperfine
# runs per command, default 300), EXPORT_DIR (a folder for hyperfine's
# Markdown tables).
set -eu
cd "$(dirname "$0")/.."

. bench/whole_process.sh
sqlite3 "$work/drugs.db" <<EOF
VACUUM;
.headers on
.mode csv
.output $work/drugs.csv
SELECT * FROM drugs ORDER BY rowid;
EOF
"$ZVK" import "$work/drugs.csv" -o "$work/drugs.zvk" >/dev/null

# The dictionary and the database hold the same 2000 rows.
records=$("$ZVK" list "$work/drugs.zvk" --sort none | wc -l)
rows=$(sqlite3 "$work/drugs.db" "SELECT count(*) FROM drugs;")
if [ "$records" != 2000 ] || [ "$rows" != 2000 ]; then
    echo "zvk_vs_sqlite: $records records and $rows rows, not 2000 each" >&2
    exit 1
fi
# The new files go to the disk now rather than while they are timed.
sync
echo "zvk:     $ZVK"
echo "sqlite3: $(sqlite3 --version | cut -d' ' -f1)"
echo "data:    2000 rows; $(stat -c %s "$work/drugs.zvk") bytes of .zvk, $(stat -c %s "$work/drugs.db") bytes of database"

# The SQL of a search for one pattern (quotes doubled; % and _ in the pattern
# would be wildcards to LIKE, so the patterns below hold neither).
search_sql() {
    quoted=$(printf '%s' "$1" | sed "s/'/''/g")
    printf "SELECT rowid, TradeName, EnglishName FROM drugs WHERE TradeName LIKE '%%%s%%' OR PinyinInitials LIKE '%%%s%%' OR OtherNames LIKE '%%%s%%' OR EnglishName LIKE '%%%s%%' ORDER BY TradeName;" \
        "$quoted" "$quoted" "$quoted" "$quoted"
}

if [ "$#" -eq 0 ]; then
    set -- mycin 地平 ""
fi
for pattern in "$@"; do
    sql=$(search_sql "$pattern")
    zvk_hits=$("$ZVK" search "$work/drugs.zvk" "$pattern" | wc -l)
    sqlite_hits=$(sqlite3 -separator '	' "$work/drugs.db" "$sql" | wc -l)
    echo
    echo "pattern \"$pattern\": zvk finds $zvk_hits records, sqlite3 $sqlite_hits rows"
    if [ "$zvk_hits" != "$sqlite_hits" ]; then
        echo "zvk_vs_sqlite: the two searches disagree" >&2
        exit 1
    fi
    export_args=""
    if [ -n "${EXPORT_DIR:-}" ]; then
        mkdir -p "$EXPORT_DIR"
        export_args="--export-markdown $EXPORT_DIR/search-$(printf '%s' "$pattern" | od -An -tx1 | tr -d ' \n').md"
    fi
    # shellcheck disable=SC2086
    hyperfine -N --warmup 50 --runs "$RUNS" $export_args --export-json "$work/times.json" \
        --command-name "zvk search \"$pattern\"" \
        "$ZVK search $work/drugs.zvk '$pattern'" \
        --command-name "sqlite3 LIKE \"$pattern\"" \
        "sqlite3 -separator '	' $work/drugs.db \"$sql\""
    # Medians, which a burst of other work on the machine moves less than means.
    sqlite3 :memory: "SELECT printf('medians: zvk %.2f ms, sqlite3 %.2f ms; sqlite3 / zvk = %.2f',
        1000 * json_extract(t, '\$.results[0].median'), 1000 * json_extract(t, '\$.results[1].median'),
        json_extract(t, '\$.results[1].median') / json_extract(t, '\$.results[0].median'))
        FROM (SELECT CAST(readfile('$work/times.json') AS TEXT) AS t);"
done
