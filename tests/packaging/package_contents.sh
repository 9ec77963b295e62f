#!/usr/bin/env bash
# The Debian package made from the build folder: it holds the programs, their
# man pages, the menu entry, the metainfo, the file type and the icons under
# /usr and nothing else, under
# the project's version, with the Qt libraries (found by dpkg-shlibdeps) and
# the caption font among its dependencies.
#
# The build folder is installed (stripped, under /usr as the package has it)
# into a temporary folder, and cpack packs that with the build folder's
# settings. Plain cpack would first bring the whole build up to date, and a
# test builds nothing.
#
# Usage: package_contents.sh <build-folder> <version> [<icon size>...]
# Needs cpack, dpkg-deb, and dpkg-shlibdeps and file (dpkg-dev, file).
set -uo pipefail

readonly app_id=io.github.zuninfo.Viewer
[[ $# -ge 2 ]] || { echo "usage: package_contents.sh <build-folder> <version> [<icon size>...]" >&2; exit 2; }
build=$1 version=$2
shift 2
icon_sizes=("$@")

work=$(mktemp -d "${TMPDIR:-/tmp}/zuninfo-package.XXXXXX") || exit 1
trap 'rm -rf "$work"' EXIT

stage=$work/stage
if ! output=$(DESTDIR=$stage cmake --install "$build" --prefix /usr --strip 2>&1); then
    echo "not ok - cmake --install failed"
    sed 's/^/#   /' <<<"$output"
    exit 1
fi
if ! output=$(cpack --config "$build/CPackConfig.cmake" -B "$work" \
    -D CPACK_INSTALL_CMAKE_PROJECTS= -D "CPACK_INSTALLED_DIRECTORIES=$stage/usr;usr" 2>&1); then
    echo "not ok - cpack failed"
    sed 's/^/#   /' <<<"$output"
    exit 1
fi
package=$(find "$work" -maxdepth 1 -name '*.deb')
if [[ $(wc -l <<<"$package") -ne 1 || -z "$package" ]]; then
    echo "not ok - cpack made no single .deb: [${package//$'\n'/, }]"
    exit 1
fi
echo "# $(basename "$package")"

failed=0
fail()
{
    echo "not ok - $1"
    failed=1
}

expected=(
    ./usr/bin/zuninfo-check
    ./usr/bin/zuninfo-diff
    ./usr/bin/zuninfo-export
    ./usr/bin/zuninfo-import
    ./usr/bin/zuninfo-viewer
    ./usr/lib/zuninfo/zuninfo-workbook-reader.so
    ./usr/lib/zuninfo/zuninfo-xlsx-writer.so
    ./usr/share/man/man1/zuninfo-check.1.gz
    ./usr/share/man/man1/zuninfo-diff.1.gz
    ./usr/share/man/man1/zuninfo-export.1.gz
    ./usr/share/man/man1/zuninfo-import.1.gz
    "./usr/share/applications/$app_id.desktop"
    "./usr/share/metainfo/$app_id.metainfo.xml"
    "./usr/share/mime/packages/$app_id.xml"
    "./usr/share/icons/hicolor/scalable/apps/$app_id.svg"
)
for size in "${icon_sizes[@]}"; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done

# The files (not folders) the package holds, sorted.
actual=$(dpkg-deb -c "$package" | awk '$1 !~ /^d/ { print $6 }' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
if [[ "$actual" == "$wanted" ]]; then
    echo "ok - the package holds exactly the expected files"
else
    fail "the package's files differ from the expected ones (< expected, > in the package)"
    diff <(echo "$wanted") <(echo "$actual") | grep '^[<>]' | sed 's/^/#   /'
fi

field()
{
    dpkg-deb -f "$package" "$1"
}
[[ "$(field Package)" == zuninfo-viewer ]] || fail "Package is '$(field Package)'"
[[ "$(field Version)" == "$version" ]] || fail "Version is '$(field Version)' instead of '$version'"
[[ "$(field Architecture)" == "$(dpkg --print-architecture)" ]] || fail "Architecture is '$(field Architecture)'"
[[ -n "$(field Maintainer)" ]] || fail "no Maintainer"

depends=$(field Depends)
echo "# Depends: $depends"
# One dependency a line, without its version: "libc6 (>= 2.34)" is "libc6".
names=$(sed -e 's/, /\n/g' <<<"$depends" | sed -e 's/ ([^)]*)//g')
for name in libqt6core6 libqt6gui6 libqt6widgets6 libc6 'libstdc++6' 'fonts-liberation | fonts-liberation2'; do
    grep -qxF "$name" <<<"$names" || fail "Depends lacks $name"
done

[[ $failed -eq 0 ]] && echo "ok - the package's name, version, architecture and dependencies"
exit "$failed"
