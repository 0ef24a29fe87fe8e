#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks what it holds and
# what it depends on. Skips (77) where the Debian tools are missing.
# Usage: deb_test.sh BUILD_DIR
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
  command -v "$tool" >/dev/null || { echo "$tool not found: package not built"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack -G DEB -B "$tmp" --config "$build/CPackConfig.cmake" >"$tmp/cpack.log" 2>&1 ||
  { cat "$tmp/cpack.log"; fail "cpack"; }
debs=("$tmp"/vantrel_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no single vantrel_*.deb: ${debs[*]}"
deb=${debs[0]}

files=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for f in ./usr/bin/vantrel ./usr/share/vantrel/vhfpref.txt ./usr/share/vantrel/log.txt \
         ./usr/share/vantrel/BandPlan.txt ./usr/share/vantrel/readVHF.txt \
         ./usr/share/doc/vantrel/README.md ./usr/share/man/man1/vantrel.1.gz \
         ./usr/share/applications/vantrel.desktop ./usr/share/icons/hicolor/scalable/apps/vantrel.svg \
         ./usr/share/icons/hicolor/48x48/apps/vantrel.png \
         ./usr/share/metainfo/org.vantrel.Vantrel.metainfo.xml; do
  grep -qxF "$f" <<<"$files" || fail "$f not in the package"
done
# Only the program's own files: no test, tool or benchmark program, nothing
# outside /usr.
stray=$(grep -v -e '^\./$' -e '^\./usr/' <<<"$files" || true)
[ -z "$stray" ] || fail "outside /usr: $stray"
bins=$(grep '^\./usr/bin/.' <<<"$files")
[ "$bins" = ./usr/bin/vantrel ] || fail "programs other than vantrel: $bins"

[ "$(dpkg-deb -f "$deb" Package)" = vantrel ] || fail "Package field"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture field"
version=$(dpkg-deb -f "$deb" Version)
[[ $version =~ ^[0-9]+\.[0-9]+ ]] || fail "Version field: $version"
depends=$(dpkg-deb -f "$deb" Depends)
# The libraries come from the library scan, with versions; the window-system
# plugins are the one name added by hand.
for lib in libc6 'libstdc\+\+6' libqt6core6 libqt6gui6 libqt6widgets6 \
           libqt6serialport6 qt6-qpa-plugins; do
  grep -Eq "(^|, )$lib( \(|,|$)" <<<"$depends" || fail "$lib not in Depends: $depends"
done
grep -Eq 'libqt6widgets6 \(>= [0-9]' <<<"$depends" || fail "no versioned Qt dependency: $depends"
echo "$(basename "$deb"): $depends"
