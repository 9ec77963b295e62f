# Shell functions that drive the built viewer in a real X server, shared by
# tests/viewer/end_to_end.sh and scripts/screenshot. Source this file; it
# runs nothing by itself. The functions work with or without set -e.
#
# A session is one run of the program: a fresh working folder holding the
# three name lists, a fresh home folder holding the monster info file where
# Load looks for it, the program started there as a separate process, and a
# log of every top-level window the X server maps while it runs. Without a
# window manager nobody else would close the window, so viewer_request_close
# sends the close request (WM_DELETE_WINDOW) that a window manager sends when
# the user clicks the title bar's close button.
#
# Needs xvfb-run, xdotool and Debian's python3-xlib (scripts/setup installs
# them). Debian's own interpreter is called by path, because a python3 found
# first on PATH (pyenv, a virtualenv) would not see python3-xlib.

viewer_python=/usr/bin/python3

# Runs the calling script again inside a private Xvfb unless it already is in
# one: the session's windows must not land on the user's desktop, where a
# window manager would move, decorate and focus them. Usage:
#   viewer_use_private_x_server "$0" "$@"
# The screen is 1280x1024 pixels unless viewer_screen_size says otherwise.
viewer_use_private_x_server()
{
    [[ -n "${ZUNINFO_PRIVATE_XVFB:-}" ]] && return 0
    export ZUNINFO_PRIVATE_XVFB=1
    exec xvfb-run -a -s "-screen 0 ${viewer_screen_size:-1280x1024}x24" "$@"
}

# viewer_session_begin <examples-folder>
# Makes the session's folders: $session_cwd with mons.txt, skills.txt and
# attacks.txt, and $session_home with the monster info file at
# .wine/drive_c/projects/bin/Data/Zun/zuninfo.qdf. Change them as the case
# needs before viewer_start.
viewer_session_begin()
{
    local examples=$1
    session_dir=$(mktemp -d "${TMPDIR:-/tmp}/zuninfo-session.XXXXXX") || return 1
    session_cwd=$session_dir/cwd
    session_home=$session_dir/home
    session_map_log=$session_dir/mapped-windows
    session_viewer_log=$session_dir/viewer-output
    viewer_pid=
    viewer_status=
    session_watcher_pid=
    local data=$session_home/.wine/drive_c/projects/bin/Data/Zun
    mkdir -p "$session_cwd" "$data" &&
        cp "$examples/mons.txt" "$examples/skills.txt" "$examples/attacks.txt" "$session_cwd/" &&
        cp "$examples/zuninfo.qdf" "$data/"
}

# viewer_session_wine <wine-run.sh> <wine-prefix> <program.exe>
# For the Windows program under Wine (after viewer_session_begin): puts the
# session's monster info file on the prefix's drive C:, where Load looks for
# it (viewer_session_end removes it again), and makes a program for
# viewer_start that runs the Windows program there: $session_windows_program.
# With ZUNINFO_WINE_DPI set, wine-run.sh uses the prefix <wine-prefix>-dpi<N>.
viewer_session_wine()
{
    local wine_run=$1 prefix=$2 program=$3 data_prefix=$2${ZUNINFO_WINE_DPI:+-dpi$ZUNINFO_WINE_DPI}
    session_wine_monster_file=$data_prefix/drive_c/projects/bin/Data/Zun/zuninfo.qdf
    mkdir -p "$(dirname "$session_wine_monster_file")" &&
        cp "$session_home/.wine/drive_c/projects/bin/Data/Zun/zuninfo.qdf" "$session_wine_monster_file" || return 1
    session_windows_program=$session_dir/windows-program
    printf '#!/bin/sh\nexec "%s" "%s" "%s" "$@"\n' "$wine_run" "$prefix" "$program" >"$session_windows_program" &&
        chmod +x "$session_windows_program"
}

# Stops whatever the session still has running and removes its folders. Safe
# to call more than once and on any path, including from an EXIT trap.
viewer_session_end()
{
    if [[ -n "${viewer_pid:-}" ]] && kill -0 "$viewer_pid" 2>/dev/null; then
        kill -TERM "$viewer_pid" 2>/dev/null || true
        local i
        for ((i = 0; i < 20; i++)); do
            kill -0 "$viewer_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$viewer_pid" 2>/dev/null || true
        wait "$viewer_pid" 2>/dev/null || true
    fi
    viewer_pid=
    viewer_stop_window_log
    if [[ -n "${session_wine_monster_file:-}" ]]; then
        rm -f "$session_wine_monster_file"
        session_wine_monster_file=
    fi
    if [[ -n "${session_dir:-}" ]]; then
        rm -rf "$session_dir"
        session_dir=
    fi
}

# Starts logging, one line "<window id> <name>" each, the top-level windows
# the X server maps from now on, leaving out override-redirect ones (tool
# tips, pop-up lists), which are not windows of their own to the user.
# Returns once the log is listening, so no later map can be missed.
viewer_start_window_log()
{
    "$viewer_python" - "$session_map_log" <<'PYTHON' &
import select, signal, sys
from Xlib import X, display, error

log = open(sys.argv[1], "w")
stopping = False
def stop(*_):
    global stopping
    stopping = True
signal.signal(signal.SIGTERM, stop)

x = display.Display()
root = x.screen().root
root.change_attributes(event_mask=X.SubstructureNotifyMask)
net_wm_name = x.intern_atom("_NET_WM_NAME")
utf8_string = x.intern_atom("UTF8_STRING")
x.sync()
print("listening", file=log, flush=True)

def name_of(window):
    try:
        title = window.get_full_property(net_wm_name, utf8_string)
        if title is not None:
            value = title.value
            return value.decode("utf-8", "replace") if isinstance(value, bytes) else value
        value = window.get_wm_name()
        return value.decode("latin-1") if isinstance(value, bytes) else (value or "")
    except error.XError:
        return "(gone before it could be named)"

def log_pending():
    while x.pending_events():
        event = x.next_event()
        if event.type == X.MapNotify and not event.override:
            print("0x%x %s" % (event.window.id, name_of(event.window)), file=log, flush=True)

while not stopping:
    log_pending()
    select.select([x.fileno()], [], [], 0.2)
# A round trip first: every map the server made before this point then sits
# in our queue and gets logged.
x.sync()
log_pending()
PYTHON
    session_watcher_pid=$!
    local i
    for ((i = 0; i < 100; i++)); do
        [[ -s "$session_map_log" ]] && head -n1 "$session_map_log" | grep -qx listening && return 0
        kill -0 "$session_watcher_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "# the window log did not start" >&2
    return 1
}

viewer_stop_window_log()
{
    if [[ -n "${session_watcher_pid:-}" ]]; then
        kill -TERM "$session_watcher_pid" 2>/dev/null || true
        wait "$session_watcher_pid" 2>/dev/null || true
        session_watcher_pid=
    fi
}

# Prints the names of the windows mapped so far, in order, one a line. Stops
# the log first, so call it once the program has ended.
viewer_mapped_windows()
{
    viewer_stop_window_log
    tail -n +2 "$session_map_log" | cut -d' ' -f2-
}

# viewer_start <zuninfo-viewer> [argument...]
# Starts the program in $session_cwd with HOME=$session_home, in the
# background; its output goes to $session_viewer_log. The pointer is parked
# in the screen's corner first, away from where the window opens, so that no
# tool tip pops up over it. (Only once the window log is connected: an X
# server that loses its last client resets, and the pointer with it.)
viewer_start()
{
    local program=$1
    shift
    viewer_start_window_log || return 1
    viewer_park_pointer || return 1
    (cd "$session_cwd" && HOME="$session_home" QT_QPA_PLATFORM=xcb exec "$program" "$@") >"$session_viewer_log" 2>&1 &
    viewer_pid=$!
}

# viewer_wait_window <name-pattern> <seconds>
# Waits for a mapped window whose whole title matches the extended regular
# expression and prints its id. Fails when none shows up in time.
viewer_wait_window()
{
    local pattern=$1 seconds=$2 found
    found=$(timeout "$seconds" xdotool search --sync --onlyvisible --name "^($pattern)\$" 2>/dev/null)
    [[ -n "$found" ]] && echo "${found%%$'\n'*}"
}

# viewer_window_shown <name-pattern>: whether such a window is mapped now.
viewer_window_shown()
{
    xdotool search --onlyvisible --name "^($1)\$" >/dev/null 2>&1
}

# viewer_click <window> <x> <y>: a left click at a point of the window's
# client area. The server handles the move before the click, as it handles
# one client's requests in order, so no --sync is needed; this xdotool's
# --sync would wait forever when the pointer is already at that point.
viewer_click()
{
    timeout 10 xdotool mousemove --window "$1" "$2" "$3" click 1
}

# Moves the pointer to the screen's top left corner, off the window.
viewer_park_pointer()
{
    timeout 10 xdotool mousemove 0 0
}

# viewer_press_key <window> <key>: gives the window the keyboard focus, as
# clicking on it would, and presses the key.
viewer_press_key()
{
    timeout 10 xdotool windowfocus --sync "$1" && timeout 10 xdotool key "$2"
}

# viewer_dismiss_box <window>: answers a message box with Return and waits
# until it has gone. A slow program (a sanitizer build, a busy machine) may
# map the box before it takes keys, so Return is pressed again, up to five
# times, while the box stays on screen.
viewer_dismiss_box()
{
    local _
    for _ in 1 2 3 4 5; do
        # A box that went meanwhile takes no key: that is fine.
        viewer_press_key "$1" Return || true
        for _ in $(seq 20); do
            viewer_window_mapped "$1" || return 0
            sleep 0.1
        done
    done
    return 1
}

# viewer_window_mapped <window>: whether that window is on screen now.
viewer_window_mapped()
{
    xdotool search --onlyvisible --name '.*' 2>/dev/null | grep -qx "$1"
}

# viewer_request_close <window>: what a window manager sends when the user
# closes the window: a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW.
# Fails if the window does not take part in that protocol, where a window
# manager could only kill the program.
viewer_request_close()
{
    timeout 10 "$viewer_python" - "$1" <<'PYTHON'
import sys
from Xlib import X, display, protocol

x = display.Display()
window = x.create_resource_object("window", int(sys.argv[1], 0))
wm_protocols = x.intern_atom("WM_PROTOCOLS")
wm_delete_window = x.intern_atom("WM_DELETE_WINDOW")
if wm_delete_window not in (window.get_wm_protocols() or []):
    sys.exit("the window does not accept WM_DELETE_WINDOW")
message = protocol.event.ClientMessage(
    window=window, client_type=wm_protocols,
    data=(32, [wm_delete_window, X.CurrentTime, 0, 0, 0]))
window.send_event(message, event_mask=X.NoEventMask)
x.sync()
PYTHON
}

# viewer_wait_exit <seconds>: waits for the program to end and sets
# viewer_status to its exit code. Fails, leaving it running, if it is still
# running after that long.
viewer_wait_exit()
{
    local seconds=$1 i
    for ((i = 0; i < seconds * 10; i++)); do
        if ! kill -0 "$viewer_pid" 2>/dev/null; then
            viewer_status=0
            # shellcheck disable=SC2034  # read by the scripts that source this file
            wait "$viewer_pid" || viewer_status=$?
            viewer_pid=
            return 0
        fi
        sleep 0.1
    done
    return 1
}
