#!/usr/bin/env bash
# Installs the build into a scratch prefix and uses the installed copy the
# way an operator would: --help and --version without a display, a wrong
# option refused, a fresh folder seeded from the installed data files (not
# from the source tree), DIR honoured, and the desktop files and man page
# valid.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
for f in bin/vantrel share/vantrel/vhfpref.txt share/vantrel/log.txt share/vantrel/BandPlan.txt \
         share/vantrel/readVHF.txt share/doc/vantrel/README.md share/man/man1/vantrel.1.gz \
         share/applications/vantrel.desktop share/icons/hicolor/scalable/apps/vantrel.svg \
         share/icons/hicolor/48x48/apps/vantrel.png share/metainfo/org.vantrel.Vantrel.metainfo.xml; do
  [ -f "$prefix/$f" ] || fail "not installed: $f"
done
vantrel=$prefix/bin/vantrel

# No display at all: the command line is answered before any window exists.
nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
out=$("${nodisplay[@]}" "$vantrel" --help) || fail "--help exit status $?"
grep -q '^Usage: vantrel \[OPTION\]... \[DIR\]' <<<"$out" || fail "--help: $out"
grep -q 'VANTREL_COM<n>' <<<"$out" || fail "--help names no serial port variable"
out=$("${nodisplay[@]}" "$vantrel" --version) || fail "--version exit status $?"
[[ $out =~ ^Vantrel\ [0-9]+\.[0-9]+ ]] || fail "--version: $out"
set +e
err=$("${nodisplay[@]}" "$vantrel" --no-such-option 2>&1 >/dev/null)
status=$?
set -e
[ "$status" -eq 2 ] || fail "unknown option: exit status $status, not 2"
grep -q "unrecognized option '--no-such-option'" <<<"$err" || fail "unknown option: $err"

# Marks the installed copy, so a seed taken from anywhere else shows.
printf 'installed copy\r\n' >>"$prefix/share/vantrel/readVHF.txt"

# Starts the installed program offscreen and waits until the folder holds
# exactly the installed data files; the program then waits for the operator
# in its first dialog, still running, and is ended.
holds_installed_data() {  # holds_installed_data FOLDER
  local f
  for f in "$prefix"/share/vantrel/*; do
    cmp -s "$f" "$1/$(basename "$f")" || return 1
  done
}
seed() {  # seed FOLDER_TO_START_IN SEEDED_FOLDER ARGS...
  local cwd=$1 seeded=$2 pid f
  shift 2
  (cd "$cwd" && exec env -u VANTREL_DATA_DIR HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" \
     XDG_DATA_HOME="$tmp/home/.local/share" XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen \
     "$vantrel" "$@") &
  pid=$!
  for _ in $(seq 600); do
    if holds_installed_data "$seeded"; then
      kill -0 "$pid" 2>/dev/null || fail "the program ended after seeding $seeded"
      kill "$pid"
      wait "$pid" || true
      return 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null || true
  wait "$pid" || true
  fail "$seeded does not hold the installed data files: $(ls -A "$seeded" | tr "\n" " ")"
}
mkdir -p "$tmp/home" "$tmp/run" "$tmp/june" "$tmp/sept" "$tmp/elsewhere"
chmod 700 "$tmp/run"
seed "$tmp/june" "$tmp/june"
seed "$tmp/elsewhere" "$tmp/sept" "$tmp/sept"
[ -z "$(ls -A "$tmp/elsewhere")" ] || fail "DIR given, yet the current folder was written"

if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/vantrel.desktop" || fail "desktop entry"
else
  echo "desktop-file-validate not found: desktop entry not checked"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/org.vantrel.Vantrel.metainfo.xml" ||
    fail "AppStream metadata"
else
  echo "appstreamcli not found: AppStream metadata not checked"
fi
if command -v groff >/dev/null; then
  warnings=$(zcat "$prefix/share/man/man1/vantrel.1.gz" | groff -man -Tutf8 -ww -z 2>&1)
  [ -z "$warnings" ] || fail "man page: $warnings"
fi
echo "install test passed"
