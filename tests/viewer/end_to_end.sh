#!/usr/bin/env bash
# The built viewer as a separate process in a real X server (a private Xvfb),
# driven the way a user drives it: start-up on the sample data, start-up with
# a name list missing, start-up with a malformed name list, a monster file
# named on the command line, and a mistake on the command line.
#
# Usage: end_to_end.sh <zuninfo-viewer> <examples-folder>
# Prints one "ok - ..." or "not ok - ..." line per case and exits non-zero if
# any case failed. Each case runs as a process of its own under a hard time
# limit, so a program that hangs fails its case instead of hanging the run.
set -uo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/viewer/viewer_session.sh
source "$here/viewer_session.sh"

readonly case_time_limit=30
readonly main_window='ZunInfo\.qdf'
readonly message_box='zuninfo-viewer'

# --- the cases; each runs in its own process (see run_case) ---------------

case_description=

pass()
{
    echo "ok - $case_description"
    exit 0
}

fail()
{
    echo "not ok - $case_description: $1"
    if [[ -s "${session_viewer_log:-}" ]]; then
        echo "# the program's output:"
        sed 's/^/#   /' "$session_viewer_log"
    fi
    exit 1
}

# Compares the windows mapped during the run, in order, with the expected
# names given one per argument.
expect_mapped_windows()
{
    local expected actual
    expected=$(printf '%s\n' "$@")
    actual=$(viewer_mapped_windows)
    [[ "$actual" == "$expected" ]] ||
        fail "windows shown, in order, were [${actual//$'\n'/, }] instead of [${expected//$'\n'/, }]"
}

# Closes the main window the way a user does and expects a clean exit.
close_and_expect_exit_0()
{
    local window=$1
    viewer_request_close "$window" || fail "could not send the close request to the main window"
    if ! viewer_wait_exit 10; then
        if viewer_window_shown "$message_box"; then
            fail "still running after the close request, with a message box open"
        fi
        fail "still running 10 s after the close request"
    fi
    [[ $viewer_status -eq 0 ]] || fail "exited with code $viewer_status after the close request"
}

case_sample_data()
{
    case_description="sample data: the window opens, Load works, closing the window exits with code 0"
    viewer_start "$viewer" || fail "could not start the program"
    local window
    window=$(viewer_wait_window "$main_window" 15) || fail "the window 'ZunInfo.qdf' did not appear"
    viewer_click "$window" 45 20 || fail "could not click Load"
    # A failing Load would open a message box, which blocks the close request.
    close_and_expect_exit_0 "$window"
    expect_mapped_windows "ZunInfo.qdf"
    pass
}

case_missing_name_list()
{
    case_description="mons.txt missing: a message box comes before the window, which opens after OK and closes with code 0"
    rm "$session_cwd/mons.txt"
    viewer_start "$viewer" || fail "could not start the program"
    local box window
    box=$(viewer_wait_window "$message_box" 15) || fail "no message box appeared"
    ! viewer_window_shown "$main_window" || fail "the main window is already shown beside the message box"
    viewer_dismiss_box "$box" || fail "the message box did not go after Return"
    window=$(viewer_wait_window "$main_window" 10) || fail "the window 'ZunInfo.qdf' did not appear after the message box"
    ! viewer_window_shown "$message_box" || fail "the message box is still shown beside the main window"
    close_and_expect_exit_0 "$window"
    expect_mapped_windows "zuninfo-viewer" "ZunInfo.qdf"
    pass
}

case_malformed_name_list()
{
    case_description="malformed id in mons.txt: an error box, never the window, and exit code 0 after OK"
    printf '1 Bat\r\nGoblin 2\r\n' >"$session_cwd/mons.txt"
    viewer_start "$viewer" || fail "could not start the program"
    local box
    box=$(viewer_wait_window "$message_box" 15) || fail "no error box appeared"
    ! viewer_window_shown "$main_window" || fail "the main window is shown beside the error box"
    viewer_dismiss_box "$box" || fail "the error box did not go after Return"
    viewer_wait_exit 10 || fail "still running 10 s after the error box was dismissed"
    [[ $viewer_status -eq 0 ]] || fail "exited with code $viewer_status"
    expect_mapped_windows "zuninfo-viewer"
    pass
}

case_named_monster_file()
{
    case_description="a monster file named, started in another folder: Load reads it with the lists beside it, Ctrl+T shows the table, closing the window exits with code 0"
    local game=$session_dir/game
    mkdir -p "$game" && mv "$session_cwd"/*.txt "$session_home/.wine/drive_c/projects/bin/Data/Zun/zuninfo.qdf" "$game/" ||
        fail "could not move the sample data"
    viewer_start "$viewer" "$game/zuninfo.qdf" || fail "could not start the program"
    local window table
    window=$(viewer_wait_window "$main_window" 15) || fail "the window 'ZunInfo.qdf' did not appear"
    viewer_click "$window" 45 20 || fail "could not click Load"
    viewer_press_key "$window" ctrl+t || fail "could not press Ctrl+T"
    table=$(viewer_wait_window 'All monsters' 10) || fail "the table 'All monsters' did not appear"
    # A list or the monster file not found would have opened a message box,
    # which blocks the close request.
    close_and_expect_exit_0 "$window"
    expect_mapped_windows "ZunInfo.qdf" "All monsters"
    pass
}

case_usage_error()
{
    case_description="a --lists folder that does not exist: a message naming it, exit code 2, no window; --help needs no display"
    local status=0
    (cd "$session_cwd" && exec "$viewer" --lists "$session_dir/nowhere" zuninfo.qdf) >"$session_viewer_log" 2>&1 || status=$?
    [[ $status -eq 2 ]] || fail "exited with code $status"
    grep -qF "'$session_dir/nowhere'" "$session_viewer_log" || fail "the message does not name the folder"
    env -u DISPLAY "$viewer" --help >"$session_viewer_log" 2>&1 || fail "--help without a display failed"
    grep -q '^Usage: zuninfo-viewer ' "$session_viewer_log" || fail "--help printed no usage"
    pass
}

# --- running them ------------------------------------------------------------

usage()
{
    echo "usage: $0 <zuninfo-viewer> <examples-folder>" >&2
    exit 2
}

# One case, in this process: end_to_end.sh --case <name> <viewer> <examples>
if [[ "${1:-}" == --case ]]; then
    [[ $# -eq 4 ]] || usage
    name=$2 viewer=$3 examples=$4
    trap viewer_session_end EXIT
    # On the time limit: end normally, so the EXIT trap cleans up.
    trap 'exit 124' TERM INT
    viewer_session_begin "$examples" || { echo "not ok - $name: could not prepare the session folders"; exit 1; }
    "case_$name"
fi

[[ $# -eq 2 ]] || usage
[[ -x "$1" ]] || { echo "$0: not an executable: $1" >&2; exit 2; }
[[ -f "$2/mons.txt" && -f "$2/zuninfo.qdf" ]] || { echo "$0: no sample data in: $2" >&2; exit 2; }
viewer=$(realpath "$1")
examples=$(realpath "$2")

viewer_use_private_x_server "$0" "$viewer" "$examples"

cases=(sample_data missing_name_list malformed_name_list named_monster_file usage_error)
echo "1..${#cases[@]}"
failed=0
for name in "${cases[@]}"; do
    # timeout signals the case's whole process group: the case's shell, the
    # program and the helpers it started.
    output=$(timeout -k 5 "$case_time_limit" "$0" --case "$name" "$viewer" "$examples")
    status=$?
    [[ -n "$output" ]] && echo "$output"
    if [[ $status -eq 124 || $status -eq 137 ]]; then
        echo "not ok - $name: no result within $case_time_limit s"
    elif ! grep -qE '^(not )?ok - ' <<<"$output"; then
        echo "not ok - $name: ended with code $status without a result"
        status=1
    fi
    [[ $status -eq 0 ]] || failed=$((failed + 1))
done
echo "$((${#cases[@]} - failed)) passed, $failed failed"
[[ $failed -eq 0 ]]
