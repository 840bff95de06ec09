#!/usr/bin/env bash
# Builds the Debian package vyd_X.Y.Z_ARCH.deb (cpack -G DEB) and checks what it holds: the two programs,
# the desktop entry, icon and AppStream file, the manual page, the help page and the demo pictures, and a
# Depends line, worked out from the linked libraries, naming the Qt widgets and TurboJPEG libraries.
# The build folder is build-deb/ (or $VYD_DEB_BUILD), built as Release (or $VYD_DEB_BUILD_TYPE).
# Prints the package's path.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup-debian.sh"
build="${VYD_DEB_BUILD:-$here/build-deb}"
fail() { echo "build-deb: $*" >&2; exit 1; }

# The package needs only the two programs: installing must not build the tests and benchmarks first.
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${VYD_DEB_BUILD_TYPE:-Release}" \
      -DVYD_BUILD_BENCH=OFF -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$build" --target vyd vyd-editor
(cd "$build" && cpack -G DEB >/dev/null)

version="$(sed -n 's/^project(vyd VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")"
app_id="$(sed -n 's/^VYD_APP_ID:STRING=//p' "$build/CMakeCache.txt")"
deb="$build/vyd_${version}_$(dpkg --print-architecture).deb"
[ -n "$version" ] && [ -n "$app_id" ] || fail "cannot read the version or the application id"
[ -f "$deb" ] || fail "cpack made no $deb"

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for file in usr/bin/vyd usr/libexec/vyd/vyd-editor "usr/share/applications/$app_id.desktop" \
            "usr/share/icons/hicolor/scalable/apps/$app_id.svg" "usr/share/metainfo/$app_id.metainfo.xml" \
            usr/share/man/man1/vyd.1 usr/share/doc/vyd/help.html; do
  grep -qx "./$file" <<<"$contents" || fail "$deb does not hold /$file"
done
for picture in "$here"/examples/*.bmp; do
  file="usr/share/doc/vyd/examples/$(basename "$picture")"
  grep -qx "./$file" <<<"$contents" || fail "$deb does not hold /$file"
done

[ "$(dpkg-deb -f "$deb" Package)" = vyd ] || fail "the package is not named vyd"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends="$(dpkg-deb -f "$deb" Depends)"
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends does not name the Qt widgets library: $depends"
grep -q 'libturbojpeg' <<<"$depends" || fail "Depends does not name the TurboJPEG library: $depends"
echo "$deb"
