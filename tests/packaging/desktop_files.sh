#!/usr/bin/env bash
# The desktop files as installed from the build folder: the menu entry and the
# metainfo pass their validators, the entry's icon and program are installed,
# and starting the entry runs the viewer in the game's folder on the Wine C:
# drive, or in the home folder when that folder is missing.
#
# Usage: desktop_files.sh <build-folder>
# Needs desktop-file-validate (desktop-file-utils), appstreamcli (appstream)
# and gio (libglib2.0-bin), which starts the entry the way GNOME does.
set -uo pipefail

readonly app_id=io.github.zuninfo.Viewer
build=${1:?usage: desktop_files.sh <build-folder>}

work=$(mktemp -d "${TMPDIR:-/tmp}/zuninfo-desktop.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT

failed=0
check()
{
    local description=$1
    shift
    local output
    if output=$("$@" 2>&1); then
        echo "ok - $description"
    else
        echo "not ok - $description"
        [[ -n "$output" ]] && sed 's/^/#   /' <<<"$output"
        failed=1
    fi
}

stage=$work/stage
if ! output=$(DESTDIR=$stage cmake --install "$build" --prefix /usr 2>&1); then
    echo "not ok - cmake --install failed"
    sed 's/^/#   /' <<<"$output"
    exit 1
fi
share=$stage/usr/share
desktop=$share/applications/$app_id.desktop
metainfo=$share/metainfo/$app_id.metainfo.xml

check "the menu entry is valid" desktop-file-validate "$desktop"
check "the metainfo is valid" appstreamcli validate --no-net "$metainfo"
# Also against the installed tree: its launchable names the installed entry.
check "the metainfo fits the installed files" appstreamcli validate-tree --no-net "$stage/usr"

# The names the entry refers to are installed.
key()
{
    sed -n "s/^$1=//p" "$desktop"
}
check "the entry's icon is the app id" test "$(key Icon)" = "$app_id"
check "the scalable icon is installed" test -s "$share/icons/hicolor/scalable/apps/$app_id.svg"
check "the entry's program is installed" test -x "$stage/usr/bin/$(key TryExec)"

# Starts the entry with gio, with HOME=$work/home and a stand-in for the
# program first on PATH that writes down the folder it was started in.
launch_folder()
{
    rm -f "$work/started-in"
    env -i PATH="$work/bin:/usr/bin:/bin" HOME="$work/home" RESULT="$work/started-in" \
        gio launch "$desktop" >/dev/null 2>&1 || return 1
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -s "$work/started-in" ]] && { cat "$work/started-in"; return 0; }
        sleep 0.1
    done
    echo "(the program was not started)"
}
mkdir -p "$work/bin" "$work/home"
printf '#!/bin/sh\npwd >"$RESULT"\n' >"$work/bin/zuninfo-viewer"
chmod +x "$work/bin/zuninfo-viewer"

check_folder()
{
    local expected=$1 actual
    actual=$(launch_folder)
    [[ "$actual" == "$expected" ]] || { echo "started in '$actual' instead of '$expected'"; return 1; }
}
check "the menu entry starts the program in the home folder when the game's folder is missing" \
    check_folder "$work/home"
mkdir -p "$work/home/.wine/drive_c/projects/bin"
check "the menu entry starts the program in the game's folder" \
    check_folder "$work/home/.wine/drive_c/projects/bin"

exit "$failed"
