#!/bin/sh
# Times `zvk merge` of two 2000-drug versions of one 2000-drug dictionary,
# whole process, with hyperfine. Run by hand from the repository (as root on
# a fresh machine: it installs what it needs):
#
#   ./bench/zvk_merge.sh
#
# The data: BASE is the 2000 drugs of bench/drugs_2000.sql. OURS changes the
# usage of every 20th drug (100 drugs), deletes the last 10 and adds 10 new
# ones; THEIRS changes the cautions of 100 other drugs, deletes the first 10
# and adds 10 new ones of its own. Each version holds 2000 drugs, and so does
# the clean merge of the two.
#
# The runs: the merge as git's driver runs it, its result replacing OURS (a
# fresh copy of OURS before each run), beside `zvk search` in BASE (the
# search of zvk_vs_sqlite.sh) as a reference for how busy the machine is;
# then the merge written to another file. It prints the medians, which other
# work on the machine moves less than the means.
#
# Environment: ZVK (a zvk to time instead of building one), RUNS (hyperfine
# runs per command, default 300), EXPORT_DIR (a folder for hyperfine's
# Markdown tables).
set -eu
cd "$(dirname "$0")/.."

. bench/whole_process.sh
sqlite3 "$work/drugs.db" <<EOF
CREATE TABLE ours AS SELECT * FROM drugs ORDER BY rowid;
UPDATE ours SET Usage = '一次1片，一日2次，饭后服（' || rowid || '）。' WHERE rowid % 20 = 0;
DELETE FROM ours WHERE rowid > 1990;
INSERT INTO ours(TradeName, PinyinInitials, EnglishName, OtherNames, Function, Usage, Cautions)
SELECT '本院新药' || rowid, 'BYXY' || rowid, '', '', '', '一日1次。', '' FROM drugs WHERE rowid <= 10;
CREATE TABLE theirs AS SELECT * FROM drugs ORDER BY rowid;
UPDATE theirs SET Cautions = '孕妇及哺乳期妇女慎用（' || rowid || '）。' WHERE rowid % 20 = 10;
DELETE FROM theirs WHERE rowid <= 10;
INSERT INTO theirs(TradeName, PinyinInitials, EnglishName, OtherNames, Function, Usage, Cautions)
SELECT '协定处方' || rowid, 'XDCF' || rowid, '', '', '', '一日2次。', '' FROM drugs WHERE rowid <= 10;
.headers on
.mode csv
.output $work/base.csv
SELECT * FROM drugs ORDER BY rowid;
.output $work/ours.csv
SELECT * FROM ours ORDER BY rowid;
.output $work/theirs.csv
SELECT * FROM theirs ORDER BY rowid;
EOF
for version in base ours theirs; do
    "$ZVK" import "$work/$version.csv" -o "$work/$version.zvk" >/dev/null
done

# The three versions and the merge hold 2000 drugs each, and the merge is clean.
"$ZVK" merge "$work/base.zvk" "$work/ours.zvk" "$work/theirs.zvk" -o "$work/merged.zvk"
for version in base ours theirs merged; do
    records=$("$ZVK" list "$work/$version.zvk" --sort none | wc -l)
    if [ "$records" != 2000 ]; then
        echo "zvk_merge: $version holds $records drugs, not 2000" >&2
        exit 1
    fi
done
changes=$("$ZVK" diff "$work/base.zvk" "$work/merged.zvk" | wc -l)
rm "$work/merged.zvk"
sync
echo "zvk:  $ZVK"
echo "data: 3 x 2000 drugs of $(stat -c %s "$work/base.zvk") bytes; the merge changes $changes lines of zvk diff"

export_args() {
    if [ -n "${EXPORT_DIR:-}" ]; then
        mkdir -p "$EXPORT_DIR"
        printf '%s' "--export-markdown $EXPORT_DIR/merge-$1.md"
    fi
}
medians() {
    sqlite3 :memory: "SELECT printf('medians: %s', group_concat(printf('%s %.2f ms',
        json_extract(value, '\$.command'), 1000 * json_extract(value, '\$.median')), '; '))
        FROM json_each((SELECT json_extract(CAST(readfile('$work/times.json') AS TEXT), '\$.results')));"
}

# shellcheck disable=SC2046
hyperfine -N --warmup 20 --runs "$RUNS" $(export_args in-place) --export-json "$work/times.json" \
    --prepare "cp $work/ours.zvk $work/work.zvk" \
    --command-name "zvk merge BASE OURS THEIRS (in place of OURS)" \
    "$ZVK merge $work/base.zvk $work/work.zvk $work/theirs.zvk" \
    --command-name "zvk search BASE mycin (reference)" \
    "$ZVK search $work/base.zvk mycin"
medians
# shellcheck disable=SC2046
hyperfine -N --warmup 20 --runs "$RUNS" $(export_args output) --export-json "$work/times.json" \
    --command-name "zvk merge BASE OURS THEIRS -o OUT --force" \
    "$ZVK merge $work/base.zvk $work/ours.zvk $work/theirs.zvk -o $work/out.zvk --force"
medians
