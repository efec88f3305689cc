#!/usr/bin/env bash
# Installs a build into a scratch prefix, as a packager would, and checks what a desktop needs: the
# program, its desktop entry, icons, metainfo and manual pages, each valid by the desktop's own
# tools; then builds the Debian package and has lintian check it.
#
#   check_install.sh BUILD_DIR        (exit 77: a validator is missing; scripts/setup installs them)
set -euo pipefail
build=$1
id=test.lumora.Lumora

for tool in desktop-file-validate appstreamcli man file readelf cpack lintian; do
  command -v "$tool" >/dev/null || { echo "$tool is not installed (scripts/setup installs it)"; exit 77; }
done

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

status=0
fail() { echo "FAIL: $*"; status=1; }

expect_file() { [ -f "$prefix/$1" ] || fail "not installed: $1"; }
expect_file bin/lumora
expect_file share/applications/$id.desktop
expect_file share/metainfo/$id.metainfo.xml
expect_file share/icons/hicolor/scalable/apps/$id.svg
expect_file share/man/man1/lumora.1.gz
expect_file share/man/ru/man1/lumora.1.gz
expect_file share/doc/lumora/copyright
for size in 16 22 24 32 48 64 128 256; do
  png=share/icons/hicolor/${size}x${size}/apps/$id.png
  expect_file "$png"
  [ -f "$prefix/$png" ] && { file "$prefix/$png" | grep -q "PNG image data, $size x $size," || fail "$png is not a $size px PNG"; }
done

# The test-script driver is not in the installed program: nothing there reads LUMORA_TEST_SCRIPT.
! grep -q LUMORA_TEST_SCRIPT "$prefix/bin/lumora" || fail "the installed program reacts to LUMORA_TEST_SCRIPT"

# The installed program answers without a display.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/lumora" --version) ||
  fail "lumora --version failed"
[[ "$version" == "lumora "* ]] || fail "lumora --version printed: $version"

# The installed program prints through its installed print module (loaded at the first print).
work=$prefix/work
mkdir -p "$work"
for i in $(seq 1 93); do if [ "$i" = 22 ]; then printf '5\r\n'; else printf '0\r\n'; fi; done >"$work/t.txt"
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen "$prefix/bin/lumora" --report t.txt \
  --length 6,00 --pdf t.pdf >/dev/null) || fail "the installed program did not print its PDF"
head -c 5 "$work/t.pdf" 2>/dev/null | grep -q "%PDF-" || fail "the installed program wrote no PDF"
rm -rf "$work"

desktop=$prefix/share/applications/$id.desktop
# Hints (suggestions of further categories) are not faults; errors and warnings are.
problems=$(desktop-file-validate "$desktop" 2>&1 | grep -v ": hint: " || true)
[ -z "$problems" ] || fail "desktop-file-validate: $problems"
grep -qx "Exec=lumora %f" "$desktop" || fail "Exec is not 'lumora %f'"
grep -qx "Icon=$id" "$desktop" || fail "Icon is not $id"
grep -qx "Categories=Office;Calculator;" "$desktop" || fail "Categories"
# Claiming text/plain would make the program the handler of every text file on a desktop without an
# editor, and it refuses all but its own.
if grep -Eq "^MimeType=.*text/" "$desktop"; then fail "the desktop entry claims text files: $(grep ^MimeType "$desktop")"; fi

appstreamcli validate --no-net --explain "$prefix/share/metainfo/$id.metainfo.xml" >/tmp/lumora-appstream.$$ 2>&1 ||
  { cat /tmp/lumora-appstream.$$; fail "appstreamcli validate"; }
rm -f /tmp/lumora-appstream.$$

for page in man1/lumora.1.gz ru/man1/lumora.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$prefix/share/man/$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man page $page: $warnings"
done
# The window starts rounded to tenths, and both pages say so.
zcat "$prefix/share/man/ru/man1/lumora.1.gz" | grep -q "до десятых (при запуске)" || fail "ru man page: start-up rounding"
zcat "$prefix/share/man/man1/lumora.1.gz" | grep -q "rounded to one decimal" || fail "man page: start-up rounding"

bash "$(dirname "$0")/check_runpath.sh" "$prefix" || fail "installed binaries look for libraries in the current folder"

# The package as `cpack -G DEB` builds it, with no lintian error or warning.
packages=$(mktemp -d)
trap 'rm -rf "$prefix" "$packages"' EXIT
(cd "$build" && cpack -G DEB -B "$packages" >/dev/null 2>&1) || fail "cpack -G DEB"
deb=$(ls "$packages"/lumora_*.deb 2>/dev/null | head -n 1)
if [ -n "$deb" ]; then
  # (lintian warns that it runs as root, which the container's user is: not a finding.)
  findings=$(lintian --fail-on error,warning "$deb" 2>&1) ||
    fail "lintian: $(grep -v "running with root privileges" <<<"$findings" | head -n 20)"
fi

[ $status -eq 0 ] && echo "installed files are complete and valid"
exit $status
