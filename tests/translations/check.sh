#!/bin/sh
# Brings a copy of each translation file up to date with the code and checks
# that every text the window shows has a finished translation.
#   check.sh SOURCE_DIR WORK_DIR CHECKER LUPDATE [LUPDATE_OPTION]... -- FOLDER...
set -eu
src=$1 work=$2 checker=$3 lupdate=$4
shift 4
options=""
while [ "$1" != "--" ]; do options="$options $1"; shift; done
shift
mkdir -p "$work"
status=0
for ts in "$src"/translations/*.ts; do
    copy="$work/$(basename "$ts")"
    cp "$ts" "$copy"
    # shellcheck disable=SC2086
    (cd "$src" && "$lupdate" -silent $options "$@" -ts "$copy") || status=1
    # Not the window's: the score page posts to a Japanese server, and the
    # server answers the posted form in Japanese; the CP932 table is the
    # character set itself.
    "$checker" --ts "$copy" --data scores/score_page.cpp --data scores/registration_form.cpp \
        --data puzzles/cp932_table.cpp \
        --scan "$src" "$@" || status=1
done
if [ "$status" -ne 0 ]; then
    echo "Mark new texts with TAVRIN_TEXT, run 'make translations' and translate what it adds to translations/*.ts." >&2
fi
exit "$status"
