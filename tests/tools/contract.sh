#!/usr/bin/env bash
# What every command-line tool promises alike, run against each built tool
# as a user runs it: the usage error's wording and exit code, --help and
# --version, output that cannot be written (/dev/full), a reader that stops
# reading early, --lists, and the name lists found beside a monster file
# named alone.
#
# Usage: contract.sh <folder of the built tools>
set -uo pipefail

[[ $# -eq 1 ]] || { echo "usage: contract.sh <folder of the built tools>" >&2; exit 2; }
tools=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/zuninfo-contract.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT
failures=0

# The data: lists and a 500-record monster file in data/, other lists in
# other/, the same records with more Str in data/changed.qdf, and an empty
# current folder.
mkdir -p "$work/data" "$work/other" "$work/empty"
printf '0 Dummy\r\n1 Orc Chief\r\n' >"$work/data/mons.txt"
printf '0 Dummy\r\n1 Cave Bat\r\n' >"$work/other/mons.txt"
for folder in data other; do
    printf '0 None\r\n' >"$work/$folder/skills.txt"
    printf '0 None\r\n' >"$work/$folder/attacks.txt"
done
for index in $(seq 0 499); do
    printf '%d 1 2 3 4 5 6 7 0 0 0 0 12 13 40 15 16 17 18 19 20 21 22\r\n' "$index"
done >"$work/data/zuninfo.qdf"
sed 's/ 13 40 / 13 45 /' "$work/data/zuninfo.qdf" >"$work/data/changed.qdf"
# The export of the changed file, to import into the first.
"$tools/zuninfo-export" --format=json "$work/data/changed.qdf" >"$work/data/edited.json"

# Each tool: the arguments of a run that writes output, and what that output
# holds when the lists beside the monster file (data/) or in other/ were read.
declare -A run=(
    [zuninfo-check]="--format=json $work/data/zuninfo.qdf"
    [zuninfo-export]="--format=json $work/data/zuninfo.qdf"
    [zuninfo-diff]="$work/data/zuninfo.qdf $work/data/changed.qdf"
    [zuninfo-import]="$work/data/edited.json $work/data/zuninfo.qdf"
)
declare -A beside=([zuninfo-check]="$work/data/mons.txt" [zuninfo-export]="Orc Chief" [zuninfo-diff]="Orc Chief"
                   [zuninfo-import]="Orc Chief")
declare -A other=([zuninfo-check]="$work/other/mons.txt" [zuninfo-export]="Cave Bat" [zuninfo-diff]="Cave Bat"
                  [zuninfo-import]="Cave Bat")

fail() {
    echo "not ok - $tool: $1"
    [[ -n ${2:-} ]] && sed 's/^/#   /' <<<"$2"
    failures=$((failures + 1))
}

for tool in zuninfo-check zuninfo-export zuninfo-diff zuninfo-import; do
    program=$tools/$tool
    read -r -a arguments <<<"${run[$tool]}"
    cd "$work/empty" || exit 1

    # A usage error: the shared wording on standard error alone, exit 2.
    for mistake in "--bogus" "--format=xml" "--lists"; do
        err=$("$program" "$mistake" 2>&1 >"$work/out"); status=$?
        [[ $status -eq 2 && ! -s $work/out ]] || fail "$mistake: exit $status, or output on standard output" "$err"
        case $mistake in
            --bogus) expected="$tool: unknown option '--bogus'" ;;
            --format=xml) expected="$tool: unknown value 'xml' for --format; expected one of: " ;;
            --lists) expected="$tool: --lists needs a folder" ;;
        esac
        [[ $err == "$expected"* && $err == *$'\n'"Try '$tool --help'." ]] || fail "$mistake: worded otherwise" "$err"
    done

    # --help and --version.
    out=$("$program" --help); status=$?
    [[ $status -eq 0 && $out == Usage:\ $tool* && $out == *$'\nOptions:\n'* ]] || fail "--help: exit $status" "$out"
    out=$("$program" --version); status=$?
    [[ $status -eq 0 && $out =~ ^$tool\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: exit $status" "$out"

    # The lists beside the monster file named, and those of --lists.
    out=$("$program" "${arguments[@]}" 2>&1)
    [[ $out == *"${beside[$tool]}"* ]] || fail "a monster file named alone: the lists beside it not read" "$out"
    mv "$work/data/mons.txt" "$work/data/mons.away"
    out=$("$program" --lists "$work/other" "${arguments[@]}" 2>&1)
    mv "$work/data/mons.away" "$work/data/mons.txt"
    [[ $out == *"${other[$tool]}"* ]] || fail "--lists: the lists there not read" "$out"

    # Output that cannot be written: said, naming the output, exit 2.
    if [[ -w /dev/full ]]; then
        err=$("$program" "${arguments[@]}" 2>&1 >/dev/full); status=$?
        [[ $status -eq 2 && $err == *"$tool: cannot write standard output: "* ]] ||
            fail "/dev/full: exit $status" "$err"
    fi

    # -o whose file cannot be written whole (a file size limit, its signal
    # ignored) leaves the file as it was and nothing else behind.
    if "$program" --help | grep -q -- '--output='; then
        printf 'old\n' >"$work/empty/out.txt"
        err=$( (ulimit -f 1; trap '' XFSZ; "$program" -o out.txt "${arguments[@]}") 2>&1); status=$?
        [[ $status -eq 2 && $err == *"cannot write 'out.txt': "* ]] || fail "-o past the size limit: exit $status" "$err"
        [[ $(cat "$work/empty/out.txt") == old && $(ls -A "$work/empty") == out.txt ]] ||
            fail "-o past the size limit: out.txt changed, or something left beside it" "$(ls -A "$work/empty")"
        rm -f "$work/empty/out.txt"
    fi

    # A reader that stops early ends the tool quietly, with SIGPIPE at its
    # default and ignored.
    for ignored in no yes; do
        if [[ $ignored == yes ]]; then
            err=$( (trap '' PIPE; "$program" "${arguments[@]}" 2>"$work/err" | head -c 1 >/dev/null); cat "$work/err")
        else
            err=$( ("$program" "${arguments[@]}" 2>"$work/err" | head -c 1 >/dev/null); cat "$work/err")
        fi
        [[ -z $err ]] || fail "a reader that stops early (SIGPIPE ignored: $ignored): said something" "$err"
    done
done

# zuninfo-import --in-place whose backup cannot be made whole (a file size
# limit, its signal ignored, that the new file of two records keeps within)
# leaves the old file and no backup behind, so that the next run is not
# stopped by the backup's name being taken.
tool=zuninfo-import
mkdir -p "$work/inplace" && cp "$work/data/"*.txt "$work/data/zuninfo.qdf" "$work/inplace/"
cd "$work/inplace" || exit 1
"$tools/zuninfo-export" zuninfo.qdf | head -n 3 >two.csv
head -n 2 zuninfo.qdf >two.qdf
import=("$tools/$tool" --in-place --delete-missing two.csv zuninfo.qdf)
err=$( (ulimit -f 1; trap '' XFSZ; "${import[@]}") 2>&1); status=$?
[[ $status -eq 2 ]] || fail "--in-place, its backup past the size limit: exit $status" "$err"
cmp -s zuninfo.qdf "$work/data/zuninfo.qdf" && [[ ! -e zuninfo.qdf.bak ]] ||
    fail "--in-place, its backup past the size limit: the old file changed, or the backup left" "$(ls -A)"
err=$("${import[@]}" 2>&1); status=$?
[[ $status -eq 0 ]] && cmp -s zuninfo.qdf two.qdf && cmp -s zuninfo.qdf.bak "$work/data/zuninfo.qdf" ||
    fail "--in-place after a backup cut short: exit $status" "$err"

if [[ $failures -gt 0 ]]; then
    echo "$failures failed"
    exit 1
fi
echo "ok - every tool keeps the shared contract"
