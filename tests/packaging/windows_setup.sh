#!/usr/bin/env bash
# The setup under Wine, in a fresh prefix, run silently as a deployment
# script runs it: for the current user (/CurrentUser) and for all users (an
# elevated setup's default; under Wine every program is elevated), with
# /AddToPath, and once more without it (which repairs it and keeps the PATH
# entry). The zip's files are then in the folder, beside an uninstaller
# that carries the version and manifest as the setup does; the file type,
# its "Open with" entry, the Start menu entries of the viewer and its manual
# and the uninstall entry are there; PATH gains the folder and nothing
# else. A .qdf file started with "start" opens in the viewer, whose Load
# reads it, and meanwhile a second setup finds the viewer in use and stops
# (Wine's HKEY_CLASSES_ROOT shows the machine's classes alone, where
# Windows adds the user's, so this runs on the all-users install). The
# silent uninstall gives the registry, PATH and drive C: back as they were,
# but for a file the user put in the folder, which stays. A folder that
# cannot be written stops the setup before it registers anything; a PATH
# too long to change safely is left as it is.
#
# Usage: windows_setup.sh <wine-run.sh> <wine-prefix> <setup.exe> <setup-files> <examples-folder>
# <setup-files>: the files the setup was made from. The prefix is made anew.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/viewer/viewer_session.sh
source "$here/../viewer/viewer_session.sh"

[[ $# -eq 5 ]] || { echo "usage: $0 <wine-run.sh> <wine-prefix> <setup.exe> <setup-files> <examples-folder>" >&2; exit 2; }
wine_run=$(realpath "$1") prefix=$(realpath -m "$2") setup=$(realpath "$3") files=$(realpath "$4") examples=$(realpath "$5")
viewer_use_private_x_server "$0" "$wine_run" "$prefix" "$setup" "$files" "$examples"

wine() { "$wine_run" "$prefix" "$@" </dev/null; }
work=$(mktemp -d) || exit 1
trap 'viewer_session_end; wine wineserver -k 2>/dev/null; rm -rf "$work"' EXIT
fail()
{
    echo "not ok - $1"
    [[ -s "${session_viewer_log:-}" ]] && sed 's/^/#   /' "$session_viewer_log"
    exit 1
}
# value <key> [<name>]: a registry value as reg query prints it (the key's
# default without a name); fails when there is none.
value()
{
    local shown which=(/ve)
    [[ $# -eq 2 ]] && which=(/v "$2")
    shown=$(wine reg query "$1" "${which[@]}" 2>/dev/null | tr -d '\r') || return 1
    sed -n "s/^    ${2-(Default)}    REG_[A-Z_]*    \{0,1\}//p" <<<"$shown"
}
unix_path() { local path=${1#C:}; echo "$prefix/drive_c${path//\\//}"; }
# snapshot <file> <key>: the key exported, PATH, and every file of drive C:
# but the folders the uninstaller runs from (~nsu*.tmp, in the temporary
# folder until Windows restarts).
snapshot()
{
    wine reg export "$2" "Z:${1//\//\\}.reg" /y >/dev/null 2>&1 || return 1
    wine wineserver -w
    (cd "$prefix/drive_c" && find . ! -path './users/*/Temp/~nsu*' | sort) >"$1.files"
}
version=$(basename "$setup" | sed -n 's/^zuninfo-viewer-\(.*\)-windows-x64-setup\.exe$/\1/p')
app=io.github.zuninfo.Viewer

rm -rf "$prefix" "$prefix".*
wine reg add 'HKCU\Environment' /v Path /t REG_SZ /d 'C:\one;C:\two' /f >/dev/null ||
    fail "could not make the prefix"

echo "1..4"
# switches | registry exported | the key of its classes and uninstall entries | environment | folder
for mode in "/CurrentUser|HKCU|HKCU\\Software|HKCU\\Environment|C:/users/*/AppData/Local/Programs/ZunInfo Viewer" \
            "|HKLM\\Software|HKLM\\Software|HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\Environment|C:/Program Files/ZunInfo Viewer"; do
    IFS='|' read -r switch exported root environment folder_glob <<<"$mode"
    what="install ${switch:-for all users}"
    path_before=$(value "$environment" Path) || fail "$what: no PATH"
    snapshot "$work/before" "$exported" || fail "$what: could not export $exported"
    wine "$setup" /S $switch /AddToPath || fail "$what: the setup ended with exit code $?"
    entry="$root\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app" classes="$root\\Classes"
    folder=$(value "$entry" InstallLocation) && [[ ${folder//\\//} == $folder_glob ]] ||
        fail "$what: installed into '$folder', not $folder_glob"
    rm "$(unix_path "$folder")/zuninfo-check.exe"
    wine "$setup" /S $switch || fail "$what: the same setup again ended with exit code $?"
    diff -r -x uninstall.exe "$files" "$(unix_path "$folder")" >&2 || fail "$what: the folder does not hold the setup's files"
    for exe in "$setup" "$(unix_path "$folder")/uninstall.exe"; do
        grep -qaF "ProductVersion$version" <(tr -d '\0' <"$exe") && grep -qaF "name=\"$app\"" "$exe" ||
            fail "$what: $(basename "$exe") lacks the version resource or the viewer's manifest"
    done
    for expected in "$entry|DisplayName|ZunInfo Viewer" "$entry|DisplayVersion|$version" "$entry|Publisher|ZunInfo Viewer" \
                    "$entry|DisplayIcon|\"$folder\\zuninfo-viewer.exe\",0" "$classes\\.qdf||$app.qdf" \
                    "$classes\\.qdf\\OpenWithProgids|$app.qdf|" \
                    "$classes\\$app.qdf\\shell\\open\\command||\"$folder\\zuninfo-viewer.exe\" -- \"%1\"" \
                    "$classes\\$app.qdf\\DefaultIcon||\"$folder\\zuninfo-viewer.exe\",0" \
                    "$environment|Path|$path_before;$folder"; do
        IFS='|' read -r key name wanted <<<"$expected"
        got=$(value "$key" ${name:+"$name"}) && [[ $got == "$wanted" ]] || fail "$what: $key $name is '$got', not '$wanted'"
    done
    size=$(value "$entry" EstimatedSize) && ((size > 0)) || fail "$what: no EstimatedSize"
    links=$(cd "$prefix/drive_c" && find . -path '*/Start Menu/Programs/*.lnk' | LC_ALL=C sort)
    [[ $links == *"/ZunInfo Viewer manual.lnk"$'\n'*"/ZunInfo Viewer.lnk" && $links != *$'\n'*$'\n'* ]] ||
        fail "$what: the Start menu holds [${links//$'\n'/, }], not the viewer and its manual"

    if [[ -z $switch ]]; then
        viewer_session_begin "$examples" || fail "could not prepare the session folders"
        game=$prefix/drive_c/game
        mkdir -p "$game" && cp "$examples"/*.txt "$game/" && cp "$examples/zuninfo.qdf" "$game/-monsters.qdf" ||
            fail "could not put the sample data on drive C:"
        viewer_start "$wine_run" "$prefix" start /wait 'C:\game\-monsters.qdf' || fail "could not start the file"
        window=$(viewer_wait_window 'ZunInfo\.qdf' 60) || fail "starting a .qdf file: no window 'ZunInfo.qdf'"
        wine "$setup" /S; status=$?
        [[ $status -eq 2 ]] || fail "a setup while the viewer runs: exit code $status instead of 2"
        viewer_click "$window" 45 20 || fail "could not click Load"
        viewer_request_close "$window" || fail "could not send the close request"
        viewer_wait_exit 30 || fail "still running 30 s after the close request (a message box open?)"
        [[ $viewer_status -eq 0 ]] || fail "starting a .qdf file: exited with code $viewer_status"
        mapped=$(viewer_mapped_windows)
        [[ "$mapped" == "ZunInfo.qdf" ]] || fail "windows shown, in order, were [${mapped//$'\n'/, }] instead of [ZunInfo.qdf]"
        viewer_session_end
        rm -rf "$game"
        echo mine >"$(unix_path "$folder")/mine.txt"
    fi

    wine "$(value "$entry" UninstallString | tr -d '"')" /S && wine wineserver -w || fail "$what: the uninstaller failed"
    if [[ -z $switch ]]; then
        [[ $(ls "$(unix_path "$folder")") == mine.txt ]] || fail "$what: the uninstaller did not leave the user's file alone"
        rm -r "$(unix_path "$folder")"
    fi
    [[ $(value "$environment" Path) == "$path_before" ]] || fail "$what: PATH is '$(value "$environment" Path)' after the uninstall"
    snapshot "$work/after" "$exported" || fail "$what: could not export $exported"
    cmp -s "$work/before.reg" "$work/after.reg" ||
        { diff <(iconv -f UTF-16 "$work/before.reg") <(iconv -f UTF-16 "$work/after.reg") >&2; fail "$what: $exported differs after the uninstall"; }
    diff "$work/before.files" "$work/after.files" >&2 || fail "$what: drive C: differs after the uninstall"
    echo "ok - $what: the files, the file type, Open with, the uninstall entry and PATH; the uninstall takes them away"
done

# A drive where nothing can be written, not even by root: R: is /proc.
ln -s /proc "$prefix/dosdevices/r:" || fail "could not make drive R:"
wine "$setup" /S /CurrentUser '/D=R:\ZunInfo'; status=$?
[[ $status -eq 2 ]] || fail "a folder that cannot be written: exit code $status instead of 2"
! value "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$app" DisplayName >/dev/null &&
    ! value "HKCU\\Software\\Classes\\.qdf" >/dev/null || fail "a folder that cannot be written: something was registered"
echo "ok - a folder that cannot be written: exit code 2, nothing registered"

long="C:\\$(printf 'x%.0s' {1..1100})"
wine reg add 'HKCU\Environment' /v Path /t REG_EXPAND_SZ /d "$long" /f >/dev/null || fail "could not set a long PATH"
wine "$setup" /S /CurrentUser /AddToPath || fail "a PATH too long to change: the setup ended with exit code $?"
[[ $(value 'HKCU\Environment' Path) == "$long" ]] || fail "a PATH too long to change: it changed"
echo "ok - a PATH too long to change: left as it was"
