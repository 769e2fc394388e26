#!/bin/sh
# Times `zvk search` against sqlite3 running the same search over the same
# 2000 drugs, whole process each, with hyperfine. Run by hand from the
# repository (as root on a fresh machine: it installs what it needs):
#
#   ./bench/zvk_vs_sqlite.sh [PATTERN...]
#
# The data: samples/drugs.csv grown to 2000 rows by one rule. Row n (1 to 2000)
# is sample row ((n - 1) mod S) + 1, S being the sample's row count; every copy
# after the first (c = (n - 1) div S, from 1) has c appended, in decimal, to its
# trade name and its pinyin initials, so that names repeat only in the English
# name. sqlite3 grows the rows into a table, and that table exported as CSV is
# what `zvk import` turns into the dictionary: both hold the same rows, in the
# same order.
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

missing=""
for package in hyperfine sqlite3; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
if [ -n "$missing" ]; then
    echo "Installing$missing with apt-get"
    apt-get update -qq
    # shellcheck disable=SC2086
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing
fi

if [ -z "${ZVK:-}" ]; then
    cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build-bench --target zvk >/dev/null
    ZVK=$PWD/build-bench/cli/zvk
fi
RUNS=${RUNS:-300}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

sqlite3 "$work/drugs.db" <<EOF
.import --csv samples/drugs.csv sample
CREATE TABLE drugs(TradeName TEXT, PinyinInitials TEXT, EnglishName TEXT, OtherNames TEXT,
                   Function TEXT, Usage TEXT, Cautions TEXT);
WITH RECURSIVE row(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM row WHERE n < 2000),
     size(s) AS (SELECT count(*) FROM sample)
INSERT INTO drugs
SELECT TradeName || (CASE WHEN (n - 1) / s > 0 THEN (n - 1) / s ELSE '' END),
       PinyinInitials || (CASE WHEN (n - 1) / s > 0 THEN (n - 1) / s ELSE '' END),
       EnglishName, OtherNames, Function, Usage, Cautions
FROM row, size JOIN sample ON sample.rowid = (n - 1) % s + 1
ORDER BY n;
DROP TABLE sample;
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
