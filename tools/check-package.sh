#!/usr/bin/env bash
# Builds the Debian package in a build folder and checks it as Debian's tools and a player's
# desktop see it: the files a player needs, lintian, the AppStream description, the desktop
# entries, the manual pages against --help, and the options file's MIME type with Tarnwick as
# its program. A check whose tool is missing is skipped, and the run then ends with 77 (CTest
# shows it as skipped); tools/install-deps.sh installs them all.
set -euo pipefail
build=${1:?usage: check-package.sh BUILD_FOLDER}
cd "$build"
rm -f tarnwick_*.deb
cpack -G DEB > cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls tarnwick_*.deb)
version=$(dpkg-deb -f "$deb" Version)
failed=0
skipped=()
fail() { echo "$deb: $*"; failed=1; }
have() { for tool; do command -v "$tool" >/dev/null || { skipped+=("$tool"); return 1; }; done; }

contents=$(dpkg-deb -c "$deb")
for f in ./usr/games/tarnwick ./usr/games/tarnwick-practice-world \
         ./usr/share/tarnwick/docs/contents.html ./usr/share/tarnwick/docs/intro.html \
         ./usr/share/tarnwick/practice.cfg ./usr/share/applications/tarnwick.desktop \
         ./usr/share/applications/tarnwick-practice-world.desktop \
         ./usr/share/metainfo/org.example.tarnwick.metainfo.xml \
         ./usr/share/mime/packages/tarnwick.xml \
         ./usr/share/man/man6/tarnwick.6.gz ./usr/share/man/man6/tarnwick-practice-world.6.gz \
         ./usr/share/doc/tarnwick/copyright ./usr/share/doc/tarnwick/changelog.gz \
         ./usr/share/icons/hicolor/scalable/apps/tarnwick.svg \
         ./usr/share/icons/hicolor/48x48/apps/tarnwick.png; do
    grep -q " $f\$" <<<"$contents" || fail "missing $f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6network6 libqt6multimedia6 qt6-qpa-plugins; do
    grep -q "$d" <<<"$depends" || fail "does not depend on $d: $depends"
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
usr=$unpacked/usr

# The program, the changelog, the AppStream releases and the manual pages name one version.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$usr/games/tarnwick" --version) || true
[ "$out" = "Tarnwick $version" ] || fail "tarnwick --version printed: $out"
[ "$(zcat "$usr/share/doc/tarnwick/changelog.gz" | head -n 1)" = "tarnwick ($version) unstable; urgency=medium" ] ||
    fail "the changelog does not begin with version $version"
grep -q "<release version=\"$version\"" "$usr/share/metainfo/org.example.tarnwick.metainfo.xml" ||
    fail "the AppStream releases do not name version $version"
for page in tarnwick tarnwick-practice-world; do
    zgrep -q "^\.TH .*\"Tarnwick $version\"" "$usr/share/man/man6/$page.6.gz" || fail "$page.6 is not of version $version"
done
# The help pages speak to a player of the package, not of the source tree.
for page in $(grep -l -e 'run\.sh' -e 'README' "$usr"/share/tarnwick/docs/*.html); do
    fail "$(basename "$page") speaks of the source tree"
done
for entry in tarnwick tarnwick-practice-world; do
    grep -q "^Exec=/usr/games/tarnwick " "$usr/share/applications/$entry.desktop" ||
        fail "$entry.desktop does not start /usr/games/tarnwick"
done

if have lintian; then
    out=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $out"
fi
if have appstreamcli; then
    out=$(appstreamcli validate --no-net "$usr/share/metainfo/org.example.tarnwick.metainfo.xml" 2>&1) &&
        ! grep -q '^[EW]:' <<<"$out" || fail "appstreamcli: $out"
fi
if have desktop-file-validate; then
    for entry in "$usr"/share/applications/*.desktop; do
        out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
    done
fi
if have man; then
    # Rendered without a warning, and naming every option that --help names.
    for page in tarnwick tarnwick-practice-world; do
        text=$(MANWIDTH=80 man --warnings -l "$usr/share/man/man6/$page.6.gz" 2>"$unpacked/warnings") || true
        [ -s "$unpacked/warnings" ] && fail "man $page: $(cat "$unpacked/warnings")"
        help=$("$usr/games/$page" --help 2>&1) || true
        for option in $(grep -oE '(^|[ ,])--?[a-z][a-z-]*' <<<"$help" | tr -d ' ,' | sort -u); do
            grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$text" || fail "man $page does not name $option"
        done
    done
fi
if have update-mime-database update-desktop-database xdg-mime mimetype; then
    # The desktop's view of the unpacked package, with nothing of this machine's user in it.
    XDG_DATA_DIRS="$usr/share" update-mime-database "$usr/share/mime"
    update-desktop-database "$usr/share/applications"
    mkdir "$unpacked/home"
    desktop() {
        env -i PATH="$PATH" HOME="$unpacked/home" XDG_CONFIG_HOME="$unpacked/home" \
            XDG_CONFIG_DIRS="$unpacked/home" XDG_DATA_HOME="$unpacked/home" \
            XDG_DATA_DIRS="$usr/share:/usr/share" XDG_CURRENT_DESKTOP=X-Generic "$@"
    }
    # The header decides, whatever the name: a length byte 4, then IDAB or the older IDAA.
    while IFS='|' read -r name header expected; do
        printf "$header" > "$unpacked/$name"
        type=$(desktop xdg-mime query filetype "$unpacked/$name")
        [ "$type" = "$expected" ] || fail "$name is $type, not $expected"
    done <<'EOF'
saved.cfg|\004IDAB\000\074\006\000|application/x-tarnwick-options
saved under another name.dat|\004IDAB\000\074\006\000|application/x-tarnwick-options
old.CFG|\004IDAA\000\074\006\000|application/x-tarnwick-options
another program's.cfg|key = value\n|text/plain
wrong length byte.cfg|\005IDAB\000\074\006\000|application/octet-stream
EOF
    default=$(desktop xdg-mime query default application/x-tarnwick-options)
    [ "$default" = "tarnwick.desktop" ] || fail "options files open with '$default', not tarnwick.desktop"
fi

if [ "$failed" -eq 0 ] && [ ${#skipped[@]} -gt 0 ]; then
    echo "$deb: skipped the checks that need ${skipped[*]} (tools/install-deps.sh installs them)"
    exit 77
fi
[ "$failed" -eq 0 ] && echo "$deb: $(wc -l <<<"$contents") entries; Depends: $depends"
exit "$failed"
