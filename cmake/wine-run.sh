#!/bin/sh
# Runs a Windows program under Wine, in a Wine prefix of its own: CMake's
# emulator for the cross-built tests (see mingw-w64-x86_64.cmake).
#
# Usage: wine-run.sh <prefix-folder> <program.exe> [argument...]
#        wine-run.sh <prefix-folder> wineserver <option...>
#
# The prefix is made on first use (wineboot -i), once even when several
# programs start at the same time. Drive C: is <prefix-folder>/drive_c.
# Wine's own log is silenced. The program's exit code is returned.
#
# ZUNINFO_WINE_DPI=<dots per inch> runs it in a prefix of its own,
# <prefix-folder>-dpi<N>, whose screen has that density (192: 200%).
set -eu
[ $# -ge 2 ] || { echo "usage: $0 <prefix-folder> <program.exe> [argument...]" >&2; exit 2; }
prefix=$1
shift
dpi=${ZUNINFO_WINE_DPI:-}
[ -z "$dpi" ] || prefix=$prefix-dpi$dpi

# Debian's wine64 package keeps its programs out of PATH.
wine=$(command -v wine64 || true)
[ -n "$wine" ] || wine=/usr/lib/wine/wine64
[ -x "$wine" ] || { echo "$0: no wine64 (Debian: apt-get install wine64)" >&2; exit 127; }
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# No offer to install Mono or Gecko while the prefix is made: nobody is there
# to answer it. No menu entries or file types on the Linux desktop for what
# a Windows program registers (winemenubuilder).
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# "wineserver" runs the prefix's Wine server instead of a program: with -w
# it waits until every program of the prefix has ended, with -k it ends them.
if [ "$1" = wineserver ]; then
  shift
  exec "$wineserver" "$@"
fi

# Wine's server and background programs, when a program starts them, inherit
# its output and keep it open for seconds after it ends; a test runner
# reading that output would wait for them. So they are started here, holding
# none of it, by one caller at a time, which makes the prefix first if need
# be.
mkdir -p "$(dirname "$prefix")"
# (What they start must not inherit the lock.) A session started without an
# X display has no windows at all: a program with a display waits for such a
# session to end, and the other way round.
display=${DISPLAY:+x}
(
  flock 9
  if [ ! -f "$prefix/system.reg" ]; then
    "$wine" wineboot -i </dev/null >/dev/null 2>&1 9>&-
    if [ -n "$dpi" ]; then
      "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1 9>&-
    fi
    "$wineserver" -w 9>&-
  fi
  if [ "$(cat "$prefix.display" 2>/dev/null)" != "$display" ]; then
    "$wineserver" -w 9>&-
  fi
  if "$wineserver" -p3 </dev/null >/dev/null 2>&1 9>&-; then
    echo "$display" >"$prefix.display"
    "$wine" wineboot </dev/null >/dev/null 2>&1 9>&- || true
  fi
) 9>"$prefix.lock"
exec "$wine" "$@"
