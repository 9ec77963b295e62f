#!/usr/bin/env bash
# The Windows program as a separate process under Wine, in a private X
# server, driven the way a user drives it: it starts on the sample data, Load
# is clicked, and closing the window ends it with exit code 0 (a Load that
# did not find the monster file would have shown a message box); started on
# a monster file named on the command line, from another folder, it reads
# that file with the lists beside it and Ctrl+T shows the table; a mistake on
# the command line ends it with exit code 2 and a message.
#
# Usage: end_to_end.sh <wine-run.sh> <wine-prefix> <zuninfo-viewer.exe> <examples-folder>
# Drive C: is <wine-prefix>/drive_c; the monster file is put there for the
# run and removed after it.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/viewer/viewer_session.sh
source "$here/../viewer_session.sh"

[[ $# -eq 4 ]] || { echo "usage: $0 <wine-run.sh> <wine-prefix> <zuninfo-viewer.exe> <examples-folder>" >&2; exit 2; }
wine_run=$(realpath "$1") prefix=$(realpath -m "$2") program=$(realpath "$3") examples=$(realpath "$4")
viewer_use_private_x_server "$0" "$wine_run" "$prefix" "$program" "$examples"

trap viewer_session_end EXIT
fail()
{
    echo "not ok - $1"
    [[ -s "${session_viewer_log:-}" ]] && sed 's/^/#   /' "$session_viewer_log"
    exit 1
}

echo "1..3"
viewer_session_begin "$examples" || fail "could not prepare the session folders"
viewer_session_wine "$wine_run" "$prefix" "$program" || fail "could not put the monster file on drive C:"
viewer_start "$session_windows_program" || fail "could not start the program"
window=$(viewer_wait_window 'ZunInfo\.qdf' 60) || fail "the window 'ZunInfo.qdf' did not appear"
viewer_click "$window" 45 20 || fail "could not click Load"
viewer_request_close "$window" || fail "could not send the close request"
viewer_wait_exit 30 || fail "still running 30 s after the close request"
[[ $viewer_status -eq 0 ]] || fail "exited with code $viewer_status"
mapped=$(viewer_mapped_windows)
[[ "$mapped" == "ZunInfo.qdf" ]] || fail "windows shown, in order, were [${mapped//$'\n'/, }] instead of [ZunInfo.qdf]"
echo "ok - sample data: the window opens, Load reads drive C:, closing the window exits with code 0"
viewer_session_end

# The sample data in a folder of its own, the program started elsewhere on
# it: Z: is the Linux root under Wine.
viewer_session_begin "$examples" || fail "could not prepare the session folders"
viewer_session_wine "$wine_run" "$prefix" "$program" || fail "could not make the program's starter"
rm -f "$session_wine_monster_file"
game=$session_dir/game
mkdir -p "$game" && mv "$session_cwd"/*.txt "$session_home/.wine/drive_c/projects/bin/Data/Zun/zuninfo.qdf" "$game/" ||
    fail "could not move the sample data"
viewer_start "$session_windows_program" "Z:$game/zuninfo.qdf" || fail "could not start the program"
window=$(viewer_wait_window 'ZunInfo\.qdf' 60) || fail "the window 'ZunInfo.qdf' did not appear"
viewer_click "$window" 45 20 || fail "could not click Load"
viewer_click "$window" 300 440 || fail "could not click the window"
viewer_press_key "$window" ctrl+t || fail "could not press Ctrl+T"
viewer_wait_window 'All monsters' 30 >/dev/null || fail "the table 'All monsters' did not appear"
viewer_request_close "$window" || fail "could not send the close request"
viewer_wait_exit 30 || fail "still running 30 s after the close request (a message box open?)"
[[ $viewer_status -eq 0 ]] || fail "exited with code $viewer_status"
mapped=$(viewer_mapped_windows)
[[ "$mapped" == $'ZunInfo.qdf\nAll monsters' ]] ||
    fail "windows shown, in order, were [${mapped//$'\n'/, }] instead of [ZunInfo.qdf, All monsters]"
echo "ok - a monster file named, started in another folder: Load reads it with the lists beside it, Ctrl+T shows the table"

status=0
(cd "$session_cwd" && exec "$session_windows_program" --lists 'Z:\nowhere' zuninfo.qdf) >"$session_viewer_log" 2>&1 ||
    status=$?
[[ $status -eq 2 ]] || fail "a --lists folder that does not exist: exited with code $status instead of 2"
grep -qF "there is no folder 'Z:\\nowhere'" "$session_viewer_log" ||
    fail "a --lists folder that does not exist: the message does not name the folder"
echo "ok - a --lists folder that does not exist: a message naming it and exit code 2"
