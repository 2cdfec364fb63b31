#!/usr/bin/env bash
# The command-line tool's package on a machine without Qt: an empty root holding only the
# packages its Depends name (and theirs, as installed on this host) accepts it with dpkg, the
# tool runs there on that root's libraries alone and writes images that decode, and not one Qt
# library is in the root. The window program's package is refused in the same root for want of
# Qt, which shows the root is what it claims to be.
# Usage: package_test.sh DIST_FOLDER
set -euo pipefail
dist=$1
cli_deb=$(ls "$dist"/qrbatch-cli_*.deb)
window_deb=$(ls "$dist"/qrbatch_*.deb)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Each relation of a Depends field resolved to the installed package that satisfies it (the
# first alternative found, or a package providing the name); versions are left to dpkg.
# Wine's i386 packages share names with the host's own, so the host's architecture comes first.
arch=$(dpkg --print-architecture)
provider() {
  local name=$1 candidate
  for candidate in "$name:$arch" "$name"; do
    if dpkg-query -W -f='${Status}' "$candidate" 2>/dev/null | grep -q 'ok installed'; then
      echo "$candidate"
      return
    fi
  done
  dpkg-query -W -f='${Package} ${Status} ${Provides}\n' | awk -v n="$name" '
    /ok installed/ { for (i = 5; i <= NF; i++) { p = $i; sub(/[(,].*/, "", p); if (p == n) { print $1; exit } } }'
}
relations() { tr ',' '\n' | sed 's/([^)]*)//g; s/:any//g; s/^ *//; s/ *$//' | grep -v '^$' || true; }
resolve() {
  local relation alternative found
  while IFS= read -r relation; do
    found=
    IFS='|' read -ra alternatives <<<"$relation"
    for alternative in "${alternatives[@]}"; do
      alternative=$(echo $alternative)
      found=$(provider "$alternative")
      [ -n "$found" ] && break
    done
    [ -n "$found" ] || { fail "nothing on this host satisfies '$relation'"; continue; }
    echo "$found"
  done
}

declare -A seen=()
queue=($( { dpkg-deb -f "$cli_deb" Depends; echo ,; dpkg-deb -f "$cli_deb" Pre-Depends; } | relations | resolve))
while ((${#queue[@]})); do
  package=${queue[0]}
  queue=("${queue[@]:1}")
  [ -z "${seen[$package]:-}" ] || continue
  seen[$package]=1
  more=$(dpkg-query -W -f='${Depends},${Pre-Depends}' "$package" | relations | resolve)
  queue+=($more)
done
closure=$(printf '%s\n' "${!seen[@]}" | sort)
echo "the tool's dependencies on this host ($(wc -l <<<"$closure")):" $closure
if grep -qi 'qt' <<<"$closure"; then
  fail "a Qt package is among the tool's dependencies"
fi

# The root: those packages' files and their entries in dpkg's database, nothing else.
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/triggers" \
  "$root/tmp"
: >"$root/var/lib/dpkg/available"
# A merged /usr as on the host: /lib64 and the rest are links into usr/.
for top in bin sbin lib lib32 lib64 libx32; do
  if [ -L "/$top" ]; then
    mkdir -p "$root/usr/$top"
    ln -s "usr/$top" "$root/$top"
  fi
done
while IFS= read -r package; do
  dpkg-query -s "$package" >>"$root/var/lib/dpkg/status"
  echo >>"$root/var/lib/dpkg/status"
  dpkg -L "$package" | while IFS= read -r path; do
    if [ -d "$path" ]; then
      [ -e "$root$path" ] || mkdir -p "$root$path"
    elif [ -e "$path" ] || [ -L "$path" ]; then
      mkdir -p "$root$(dirname "$path")"
      cp -a "$path" "$root$path"
    fi
  done
done <<<"$closure"

if ! dpkg --root="$root" --log=/dev/null --force-not-root -i "$cli_deb" >"$work/cli.log" 2>&1; then
  cat "$work/cli.log" >&2
  fail "dpkg does not install the tool into the root of its dependencies"
fi
if dpkg --root="$root" --log=/dev/null --force-not-root -i "$window_deb" >"$work/window.log" 2>&1 ||
  ! grep -q 'libqt6' "$work/window.log"; then
  cat "$work/window.log" >&2
  fail "the window program's package was not refused for want of Qt in the root"
fi
dpkg --root="$root" --log=/dev/null --force-not-root --purge qrbatch >/dev/null 2>&1 || true

qt_files=$(find "$root" -iname 'libQt*' | head -5)
[ -z "$qt_files" ] || fail "Qt libraries in the root: $qt_files"

# The tool started by the root's own loader with the root's libraries only; every library it
# loads must resolve inside the root (the loader's trusted folders of the host are its fallback).
loader=$(find "$root" -name 'ld-linux-x86-64.so.2' -type f | head -1)
[ -n "$loader" ] || { fail "no loader in the root"; exit 1; }
library_path=$(find "$root" -name '*.so*' \( -type f -o -type l \) -printf '%h\n' | sort -u | paste -sd:)
run_tool() { "$loader" --inhibit-cache --library-path "$library_path" "$root/usr/bin/qrbatch-cli" "$@"; }
"$loader" --inhibit-cache --library-path "$library_path" --list "$root/usr/bin/qrbatch-cli" \
  >"$work/libraries" 2>&1 || { cat "$work/libraries" >&2; fail "the tool's libraries do not load"; }
outside=$(awk '/=>/ && $3 !~ "^'"$root"'" {print $1 " => " $3}' "$work/libraries")
[ -z "$outside" ] || fail "libraries found outside the root: $outside"
echo "libraries the tool loads: $(awk '/=>/ {print $1}' "$work/libraries" | paste -sd' ')"

mkdir "$work/out"
printf 'HELLO\nqrbatch-cli 包\nqr-1.0\n' >"$work/lines.txt"
if run_tool -o "$work/out" "$work/lines.txt" >"$work/run.log" 2>&1; then
  decoded=$(/usr/bin/python3 - "$work/out" <<'PY'
import pathlib, sys, zxingcpp
from PIL import Image
for path in sorted(pathlib.Path(sys.argv[1]).glob("*.png")):
    result = zxingcpp.read_barcode(Image.open(path))
    print(result.text if result else f"unreadable {path.name}")
PY
  )
  expected=$'HELLO\nqr-1.0\nqrbatch-cli 包'
  [ "$(sort <<<"$decoded")" = "$(sort <<<"$expected")" ] ||
    fail "the images written in the root decode to: $decoded"
else
  cat "$work/run.log" >&2
  fail "the tool does not run in the root"
fi

if ((failures)); then
  echo "$failures failed" >&2
  exit 1
fi
echo "the tool installs and runs without Qt: $(wc -l <<<"$closure") packages in the root"
