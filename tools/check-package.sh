#!/usr/bin/env bash
# Builds the Debian package in a build folder and checks that it holds what a player needs:
# the program, the help pages, the sample options file, the desktop entry and the icon.
set -euo pipefail
build=${1:?usage: check-package.sh BUILD_FOLDER}
cd "$build"
rm -f tarnwick_*.deb
cpack -G DEB > cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls tarnwick_*.deb)
contents=$(dpkg-deb -c "$deb")
missing=0
for f in ./usr/bin/tarnwick ./usr/bin/tarnwick-practice-world \
         ./usr/share/tarnwick/docs/contents.html ./usr/share/tarnwick/docs/intro.html \
         ./usr/share/tarnwick/practice.cfg ./usr/share/applications/tarnwick.desktop \
         ./usr/share/icons/hicolor/scalable/apps/tarnwick.svg \
         ./usr/share/icons/hicolor/48x48/apps/tarnwick.png; do
    if ! grep -q " $f\$" <<<"$contents"; then
        echo "missing from $deb: $f"
        missing=1
    fi
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6network6 libqt6multimedia6 qt6-qpa-plugins; do
    grep -q "$d" <<<"$depends" || { echo "$deb does not depend on $d: $depends"; missing=1; }
done
# The packaged program answers --version without a display.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$unpacked/usr/bin/tarnwick" --version) || missing=1
grep -q '^Tarnwick [0-9]' <<<"$version" || { echo "tarnwick --version printed: $version"; missing=1; }
[ "$missing" -eq 0 ] && echo "$deb: $(wc -l <<<"$contents") entries; Depends: $depends"
exit "$missing"
