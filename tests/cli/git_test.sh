#!/bin/sh
# A dictionary kept in git with zvk as its merge driver and diff text
# converter, set up exactly as the README shows, in a scratch repository:
# branches that edit different drugs merge cleanly, the same field edited on
# both is a conflict that git reports, and git diff and git log -p show the
# changed texts.
#   git_test.sh ZVK
set -eu
zvk_dir=$(cd "$(dirname "$1")" && pwd)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch" GIT_CONFIG_NOSYSTEM=1 GIT_PAGER=cat PAGER=cat LC_ALL=C.UTF-8
export PATH="$zvk_dir:$PATH"
export GIT_AUTHOR_NAME=Ward GIT_AUTHOR_EMAIL=ward@example.org
export GIT_COMMITTER_NAME=Ward GIT_COMMITTER_EMAIL=ward@example.org

fail() {
    echo "git_test: $*" >&2
    exit 1
}
# expect_in TEXT NEEDLE: TEXT holds NEEDLE.
expect_in() {
    case "$1" in
        *"$2"*) ;;
        *) fail "expected \"$2\" in: $1" ;;
    esac
}

repo="$scratch/ward"
git init -q -b main "$repo"
cd "$repo"
printf '*.zvk merge=zvk diff=zvk\n' > .gitattributes
git config merge.zvk.driver "zvk merge %O %A %B"
git config diff.zvk.textconv "zvk export --format csv"

header='TradeName,PinyinInitials,EnglishName,OtherNames,Function,Usage,Cautions'
# dictionary ASPIRIN_USAGE IBUPROFEN_USAGE: ward.zvk with those usages.
dictionary() {
    printf '%s\n阿司匹林,ASPL,Aspirin,,解热镇痛,%s,孕妇慎用\n布洛芬,BLF,Ibuprofen,,止痛,%s,\n' \
        "$header" "$1" "$2" > "$scratch/ward.csv"
    zvk import "$scratch/ward.csv" -o ward.zvk --force > /dev/null
}

dictionary 每次0.3g 每次0.2g
git add .gitattributes ward.zvk
git commit -q -m "The ward's dictionary"

# Two branches, each editing a different drug, merge cleanly.
git checkout -q -b aspirin
dictionary 每次0.5g 每次0.2g
git commit -q -am "Aspirin: a larger dose"
git checkout -q main
dictionary 每次0.3g 每次0.4g
git commit -q -am "Ibuprofen: a larger dose"
git merge -q --no-edit aspirin || fail "the merge of different drugs did not go through"
merged=$(zvk export ward.zvk --format csv)
expect_in "$merged" '"阿司匹林","ASPL","Aspirin","","解热镇痛","每次0.5g","孕妇慎用"'
expect_in "$merged" '"布洛芬","BLF","Ibuprofen","","止痛","每次0.4g",""'
[ -z "$(git status --porcelain)" ] || fail "the clean merge left changes: $(git status --porcelain)"

# git log -p shows the texts each commit changed.
log=$(git log -p --format=%s)
expect_in "$log" '-"阿司匹林","ASPL","Aspirin","","解热镇痛","每次0.3g","孕妇慎用"'
expect_in "$log" '+"阿司匹林","ASPL","Aspirin","","解热镇痛","每次0.5g","孕妇慎用"'
expect_in "$log" '+"布洛芬","BLF","Ibuprofen","","止痛","每次0.4g",""'

# git diff shows an edit not yet committed.
dictionary 每次0.5g 每次0.6g
diff=$(git diff)
expect_in "$diff" '-"布洛芬","BLF","Ibuprofen","","止痛","每次0.4g",""'
expect_in "$diff" '+"布洛芬","BLF","Ibuprofen","","止痛","每次0.6g",""'
git checkout -q -- ward.zvk

# The same field edited on both branches is a conflict that git reports; the
# file then holds ours at the conflict, and the other drug's edit is merged.
git checkout -q -b colleague
dictionary 每次1g 每次0.4g
git commit -q -am "Aspirin: 1 g"
git checkout -q main
printf '%s\n阿司匹林,ASPL,Aspirin,,解热镇痛,每次0.6g,孕妇禁用\n布洛芬,BLF,Ibuprofen,,止痛,每次0.4g,\n' \
    "$header" > "$scratch/ward.csv"
zvk import "$scratch/ward.csv" -o ward.zvk --force > /dev/null
git commit -q -am "Aspirin: 0.6 g, and not in pregnancy"
if output=$(git merge --no-edit colleague 2>&1); then
    fail "the merge of one field edited on both went through: $output"
fi
expect_in "$output" "CONFLICT (content): Merge conflict in ward.zvk"
expect_in "$output" "zvk: conflict: 阿司匹林: Usage: changed in both"
expect_in "$(git status --porcelain)" "UU ward.zvk"
conflicted=$(zvk export ward.zvk --format csv)
expect_in "$conflicted" '"阿司匹林","ASPL","Aspirin","","解热镇痛","每次0.6g","孕妇禁用"'
git merge --abort

echo "git merges, diffs and logs .zvk files through zvk"
