#!/usr/bin/env bash
# The desktop files as installed from the build folder: the menu entry and the
# metainfo pass their validators, the entry's icon and program are installed,
# starting the entry runs the viewer in the game's folder on the Wine C:
# drive, or in the home folder when that folder is missing, and a .qdf file
# is of the monster table's type, which opens with the viewer on that file.
#
# Usage: desktop_files.sh <build-folder>
# Needs desktop-file-validate and update-desktop-database
# (desktop-file-utils), appstreamcli (appstream), update-mime-database
# (shared-mime-info) and gio (libglib2.0-bin), which starts the entry and
# tells a file's type the way GNOME does.
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

# Starts the entry with gio (on the files given), with HOME=$work/home and a
# stand-in for the program first on PATH that writes down the folder it was
# started in, then each of its arguments in brackets.
launch_folder()
{
    rm -f "$work/started-in"
    env -i PATH="$work/bin:/usr/bin:/bin" HOME="$work/home" RESULT="$work/started-in" \
        gio launch "$desktop" "$@" >/dev/null 2>&1 || return 1
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -s "$work/started-in" ]] && { cat "$work/started-in"; return 0; }
        sleep 0.1
    done
    echo "(the program was not started)"
}
mkdir -p "$work/bin" "$work/home"
printf '#!/bin/sh\n{ pwd; for a in "$@"; do echo "[$a]"; done; } >"$RESULT.part" && mv "$RESULT.part" "$RESULT"\n' \
    >"$work/bin/zuninfo-viewer"
chmod +x "$work/bin/zuninfo-viewer"

# check_folder <expected output> [file...]
check_folder()
{
    local expected=$1 actual
    shift
    actual=$(launch_folder "$@")
    [[ "$actual" == "$expected" ]] || { echo "started with '$actual' instead of '$expected'"; return 1; }
}
check "the menu entry starts the program in the home folder when the game's folder is missing" \
    check_folder "$work/home"
mkdir -p "$work/home/.wine/drive_c/projects/bin"
check "the menu entry starts the program in the game's folder" \
    check_folder "$work/home/.wine/drive_c/projects/bin"
check "a file opened with the entry is the program's argument, in the game's folder" \
    check_folder "$work/home/.wine/drive_c/projects/bin"$'\n'"[$work/my data/zuninfo.qdf]" "$work/my data/zuninfo.qdf"

# The file type, as the packages' triggers bring it in: a .qdf file is a
# monster table (else plain text), and the viewer opens it.
check "the menu entry opens monster tables" grep -qx 'MimeType=application/x-zuninfo-qdf;' "$desktop"
check "the metainfo names the monster table's type" \
    grep -q '<mediatype>application/x-zuninfo-qdf</mediatype>' "$metainfo"
update-mime-database "$share/mime" >/dev/null 2>&1
update-desktop-database "$share/applications" >/dev/null 2>&1
mkdir -p "$work/my data"
printf '; a monster table\r\n' >"$work/my data/zuninfo.qdf"
on_stage()
{
    env -i PATH="$work/bin:/usr/bin:/bin" HOME="$work/home" XDG_DATA_HOME="$work/home/.local/share" \
        XDG_DATA_DIRS="$share:/usr/share" "$@"
}
check_type()
{
    local type
    type=$(on_stage gio info -a standard::content-type "$work/my data/zuninfo.qdf" | sed -n 's/^ *standard::content-type: //p')
    [[ "$type" == application/x-zuninfo-qdf ]] || { echo "the file's type is '$type'"; return 1; }
}
check "a .qdf file is a monster table" check_type
check_default()
{
    local default
    default=$(on_stage gio mime application/x-zuninfo-qdf | head -n1)
    [[ "$default" == *"$app_id.desktop" ]] || { echo "$default"; return 1; }
}
check "the viewer opens monster tables" check_default

exit "$failed"
