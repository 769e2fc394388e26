# What the whole-process benchmarks share, sourced from the repository's top
# folder: hyperfine and sqlite3 installed (with apt-get where missing), the
# zvk to time in ZVK (a Release build in build-bench unless ZVK names one),
# the runs per command in RUNS (default 300), a scratch folder in work that
# goes when the script ends, and the 2000 drugs of bench/drugs_2000.sql in
# the table drugs of $work/drugs.db.
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

sqlite3 "$work/drugs.db" < bench/drugs_2000.sql
