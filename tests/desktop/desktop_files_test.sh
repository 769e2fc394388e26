#!/bin/sh
# The files that tell the desktop about the program: the desktop entry and
# the AppStream metadata pass their validators, and the MIME type knows a
# dictionary by its content, so that one renamed without ".zvk" is still a
# dictionary to a file manager.
#   desktop_files_test.sh DESKTOP_ENTRY METAINFO MIME_PACKAGE DICTIONARY
set -eu
entry=$1
metainfo=$2
package=$3
dictionary=$4

desktop-file-validate "$entry"
appstreamcli validate --no-net "$metainfo"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/data/mime/packages"
cp "$package" "$scratch/data/mime/packages/"
export HOME="$scratch" XDG_DATA_HOME="$scratch/data" XDG_DATA_DIRS="$scratch/data"
update-mime-database "$scratch/data/mime"

expect_type() {
    found=$(xdg-mime query filetype "$1")
    if [ "$found" != "$2" ]; then
        echo "$1: $found, expected $2" >&2
        exit 1
    fi
}
cp "$dictionary" "$scratch/ward dictionary"
cp "$dictionary" "$scratch/ward.zvk"
printf 'not a dictionary\n' > "$scratch/notes"
expect_type "$scratch/ward dictionary" application/x-zorvik.drugfile
expect_type "$scratch/ward.zvk" application/x-zorvik.drugfile
expect_type "$scratch/notes" text/plain
echo "desktop entry, metadata and file type: sound"
