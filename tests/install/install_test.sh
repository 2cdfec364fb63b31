#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses it as a developer and a user would: the library
# through pkg-config and through find_package, the tool's man page and completion, the desktop
# entry and the window program's launcher. The environment names the build and its folders.
set -euo pipefail
for variable in QR_BUILD_DIR QR_SOURCE_DIR QR_VERSION QR_PYTHON QR_BINDIR QR_LIBDIR \
  QR_LIBEXECDIR QR_INCLUDEDIR QR_DATADIR QR_MANDIR QR_DOCDIR QR_WINDOW QR_CLI QR_CC; do
  [ -n "${!variable:-}" ] || { echo "$variable is not set" >&2; exit 2; }
done

work=$(mktemp -d)
window_pid=
cleanup() {
  [ -z "$window_pid" ] || kill "$window_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
prefix=$work/prefix
lib=$prefix/$QR_LIBDIR
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if ! cmake --install "$QR_BUILD_DIR" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  exit 1
fi

# --- The library and the files to build against it ---
for file in "$QR_INCLUDEDIR/qrcodewin32.h" "$QR_INCLUDEDIR/qrdevice.h" \
  "$QR_LIBDIR/pkgconfig/qrcodewin32.pc" "$QR_LIBDIR/cmake/QRCodeWin32/QRCodeWin32Config.cmake" \
  "$QR_DOCDIR/copyright"; do
  [ -f "$prefix/$file" ] || fail "not installed: $file"
done
[ "$(readlink "$lib/libQRCodeWin32.so")" = libQRCodeWin32.so.1 ] ||
  fail "libQRCodeWin32.so does not point to libQRCodeWin32.so.1"
[ "$(readlink "$lib/libQRCodeWin32.so.1")" = "libQRCodeWin32.so.$QR_VERSION" ] ||
  fail "libQRCodeWin32.so.1 does not point to libQRCodeWin32.so.$QR_VERSION"
soname=$(readelf -d "$lib/libQRCodeWin32.so.$QR_VERSION" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
[ "$soname" = libQRCodeWin32.so.1 ] || fail "SONAME is '$soname'"
exports() { nm -D --defined-only "$1" | awk '{print $NF}' | sort; }
diff <(exports "$QR_BUILD_DIR/bin/QRCodeWin32.dll") <(exports "$lib/libQRCodeWin32.so.1") ||
  fail "the installed library's exports differ from QRCodeWin32.dll's"

# Nothing installed may lead back into the build or the sources.
for file in "$prefix/$QR_BINDIR"/* "$lib"/libQRCodeWin32.so.* \
  "$prefix/$QR_LIBEXECDIR"/qrbatch/*; do
  ! readelf -d "$file" 2>/dev/null | grep -E 'R(UN)?PATH' | grep -qF "$QR_BUILD_DIR" ||
    fail "$file keeps a run path into the build"
done
if grep -rlF -e "$QR_BUILD_DIR" -e "$QR_SOURCE_DIR" "$lib/pkgconfig" "$lib/cmake" \
  "$prefix/$QR_DATADIR/applications" "$prefix/$QR_DATADIR/bash-completion" 2>/dev/null; then
  fail "the files above name the build or source folder"
fi

# Runs a client built against the installed library and checks what it says and writes.
check_client() {
  local client=$1 output
  local found
  found=$(ldd "$client" | awk '/libQRCodeWin32/ {print $3}')
  [ "$(realpath "$found")" = "$(realpath "$lib/libQRCodeWin32.so.1")" ] ||
    fail "$client loads '$found', not the installed library"
  output=$("$client" 12 "$work/12.bmp") || fail "$client 12 failed"
  grep -qx "symbol: 21 x 21 modules" <<<"$output" || fail "$client: no 21 x 21 symbol: $output"
  # 0.07 cm modules on the 96 dpi screen are 3 pixels.
  grep -qx "drawn: 63 x 63 pixels on the screen" <<<"$output" || fail "$client: drawn size"
  # Finder patterns at the top left and top right of the pattern data.
  local rows
  rows=$(grep -cxE '[#.]{21}' <<<"$output" || true)
  [ "$rows" = 21 ] || fail "$client: $rows pattern rows of 21 modules"
  grep -m1 -xE '[#.]{21}' <<<"$output" | grep -qxE '#######.......#######' ||
    fail "$client: first pattern row is not two finder pattern edges"
  "$QR_PYTHON" "$QR_SOURCE_DIR/tests/install/check_bmp.py" "$work/12.bmp" 12 || fail "$client: BMP"
  # 78 digits are one more than version 2 holds at level L.
  local digits
  digits=$(printf '%078d' 7)
  output=$("$client" "$digits" "$work/digits.bmp") || fail "$client digits failed"
  grep -qx "symbol: 29 x 29 modules" <<<"$output" || fail "$client: 78 digits not in version 3"
  "$QR_PYTHON" "$QR_SOURCE_DIR/tests/install/check_bmp.py" "$work/digits.bmp" "$digits" ||
    fail "$client: BMP of the digits"
}

export PKG_CONFIG_PATH=$lib/pkgconfig
pc_version=$(pkg-config --modversion qrcodewin32) || fail "pkg-config does not know qrcodewin32"
[ "$pc_version" = "$QR_VERSION" ] || fail "pkg-config version '$pc_version'"
# shellcheck disable=SC2046,SC2086 # flags are words
if "$QR_CC" ${QR_C_FLAGS:-} -std=c11 -Wall -Wextra -Wpedantic -Werror -o "$work/client-pc" \
  "$QR_SOURCE_DIR/examples/qr_client.c" $(pkg-config --cflags --libs qrcodewin32) \
  -Wl,-rpath,"$(pkg-config --variable=libdir qrcodewin32)" ${QR_LINK_FLAGS:-}; then
  check_client "$work/client-pc"
else
  fail "the example does not build with pkg-config"
fi

if cmake -S "$QR_SOURCE_DIR/examples" -B "$work/client-cmake" -G Ninja \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_C_COMPILER="$QR_CC" \
  -DCMAKE_C_FLAGS="${QR_C_FLAGS:-} -Wall -Wextra -Wpedantic -Werror" \
  -DCMAKE_EXE_LINKER_FLAGS="${QR_LINK_FLAGS:-}" \
  >"$work/cmake.log" 2>&1 && cmake --build "$work/client-cmake" >>"$work/cmake.log" 2>&1; then
  grep -qx "QRCodeWin32_DIR:PATH=$lib/cmake/QRCodeWin32" "$work/client-cmake/CMakeCache.txt" ||
    fail "find_package found another: $(grep QRCodeWin32_DIR "$work/client-cmake/CMakeCache.txt")"
  check_client "$work/client-cmake/qr_client"
else
  cat "$work/cmake.log" >&2
  fail "the example does not build with find_package"
fi

# --- The command-line tool ---
if [ "$QR_CLI" = 1 ]; then
  cli=$prefix/$QR_BINDIR/qrbatch-cli
  [ -x "$cli" ] || fail "not installed: $QR_BINDIR/qrbatch-cli"
  # Every option of the installed program's help, read independently of the completion script.
  options=$("$cli" --help | grep -oE '^[[:space:]]+(-[[:alnum:]], )?--?[[:alnum:]][-[:alnum:]]*' |
    tr ',' '\n' | tr -d ' \t' | sort -u)
  [ "$(wc -l <<<"$options")" -ge 5 ] || fail "too few options in --help: $options"

  page=$prefix/$QR_MANDIR/man1/qrbatch-cli.1.gz
  if [ -f "$page" ]; then
    text=$(zcat "$page" | sed 's/\\-/-/g')
    grep -q "qrbatch-cli $QR_VERSION" <<<"$text" || fail "man page without the version"
    while read -r option; do
      grep -qF -e "$option" <<<"$text" || fail "man page does not describe $option"
    done <<<"$options"
  else
    fail "not installed: $QR_MANDIR/man1/qrbatch-cli.1.gz"
  fi

  completion=$prefix/$QR_DATADIR/bash-completion/completions/qrbatch-cli
  complete_words() {
    bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _qrbatch_cli
             printf "%s\n" "${COMPREPLY[@]}"' _ "$completion" "$@"
  }
  if [ -f "$completion" ]; then
    [ "$(complete_words "$cli" --he)" = --help ] || fail "completion of --he"
    [ "$(complete_words "$cli" - | sort -u)" = "$options" ] ||
      fail "completion of - is not the options of --help: $(complete_words "$cli" - | tr '\n' ' ')"
    mkdir -p "$work/folders/aa" "$work/folders/ab" && touch "$work/folders/ac"
    [ "$(complete_words "$cli" -o "$work/folders/a" | sort | tr '\n' ' ')" = \
      "$work/folders/aa $work/folders/ab " ] || fail "completion after -o offers more than folders"
    touch "$work/folders/ad.zip"
    [ "$(complete_words "$cli" -o "$work/folders/ad")" = "$work/folders/ad.zip" ] ||
      fail "completion after -o does not offer an archive"
    [ "$(complete_words "$cli" --archive "" | tr '\n' ' ')" = "zip tar " ] ||
      fail "completion of --archive's values"
  else
    fail "not installed: bash completion"
  fi
fi

# --- The window program ---
if [ "$QR_WINDOW" = 1 ]; then
  program_folder=$prefix/$QR_LIBEXECDIR/qrbatch
  if [ ! -f "$program_folder/qrbatch" ] || [ ! -f "$program_folder/QRCodeWin32.dll" ]; then
    fail "the program folder does not hold the program and its library"
  fi
  cmp -s "$program_folder/QRCodeWin32.dll" "$QR_BUILD_DIR/bin/QRCodeWin32.dll" ||
    fail "the installed QRCodeWin32.dll is not the one the program carries"
  zcat "$prefix/$QR_MANDIR/man1/qrbatch.1.gz" 2>/dev/null | grep -q QRBATCH_ONLINE_URL ||
    fail "no man page for qrbatch"

  entry=$prefix/$QR_DATADIR/applications/qrbatch.desktop
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" || fail "desktop entry does not validate"
  fi
  exec_line=$(sed -n 's/^Exec=//p' "$entry")
  [ -x "$prefix/$QR_BINDIR/${exec_line%% *}" ] || fail "desktop entry runs '$exec_line'"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  "$QR_PYTHON" -c 'import sys, xml.dom.minidom; xml.dom.minidom.parse(sys.argv[1])' \
    "$prefix/$QR_DATADIR/icons/hicolor/scalable/apps/$icon.svg" || fail "icon '$icon'"

  # The launcher runs a per-user copy of the program and its library; the window's start-up
  # ends by rewriting the settings file, which tells that it ran. launch_env holds the HOME and
  # XDG_DATA_HOME the launcher gets (env arguments; unset otherwise), launch_wrap a command it
  # runs under (a mount namespace below); both keep the process, so its pid is the window's.
  home=$work/home
  own=$home/data/qrbatch
  settings=$home/config/korvalind/Set.ini
  launch_env=(HOME="$home" XDG_DATA_HOME="$home/data")
  launch_wrap=()
  start_window() {
    local before
    before=$(stat -c %i "$settings" 2>/dev/null || echo none)
    ${launch_wrap[@]+"${launch_wrap[@]}"} env -u HOME -u XDG_DATA_HOME \
      XDG_CONFIG_HOME="$home/config" QT_QPA_PLATFORM=offscreen \
      QRBATCH_ONLINE_URL=http://127.0.0.1:9/ QRBATCH_NOTICE_URL=http://127.0.0.1:9/1.html \
      QRBATCH_LOGO_URL=http://127.0.0.1:9/logo.png "${launch_env[@]}" \
      "$prefix/$QR_BINDIR/qrbatch" >>"$work/window.log" 2>&1 &
    window_pid=$!
    for _ in $(seq 300); do
      [ "$(stat -c %i "$settings" 2>/dev/null || echo none)" != "$before" ] && break
      kill -0 "$window_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -0 "$window_pid" 2>/dev/null || {
      cat "$work/window.log" >&2
      fail "the window program ended at start"
    }
  }
  stop_window() {
    kill "$window_pid" 2>/dev/null || true
    wait "$window_pid" 2>/dev/null || true
    window_pid=
  }
  # Starts the window and checks which program file runs.
  expect_running() {
    local what=$1 want=$2 got
    start_window
    got=$(readlink "/proc/$window_pid/exe" 2>/dev/null || echo "(not running)")
    stop_window
    [ "$got" = "$want" ] || fail "$what: the window program runs from $got, not $want"
  }

  expect_running "first start" "$own/qrbatch"
  cmp -s "$own/qrbatch" "$program_folder/qrbatch" || fail "the user's program is not a copy"
  cmp -s "$own/QRCodeWin32.dll" "$program_folder/QRCodeWin32.dll" ||
    fail "the user's library is not a copy"
  held=$(find "$program_folder" -mindepth 1 -printf '%f\n' | LC_ALL=C sort | tr '\n' ' ')
  [ "$held" = "QRCodeWin32.dll qrbatch " ] ||
    fail "something was written into the installed program folder: $held"

  # A library left by another version is replaced at the next start; copies a killed launcher
  # left go once a minute old, a fresh one and the user's own files stay.
  echo "an older library" >"$own/QRCodeWin32.dll"
  touch -d '2 minutes ago' "$own/.qrbatch.Ab3dE5gH" "$own/.QRCodeWin32.dll.x1Y2z3W4" \
    "$own/.qrbatch.notes"
  touch "$own/.qrbatch.fReSh123"
  start_window
  stop_window
  cmp -s "$own/QRCodeWin32.dll" "$program_folder/QRCodeWin32.dll" ||
    fail "an older library in $own was kept"
  left=$(find "$own" -maxdepth 1 -name '.*' -printf '%f\n' | LC_ALL=C sort | tr '\n' ' ')
  [ "$left" = ".qrbatch.fReSh123 .qrbatch.notes " ] || fail "after a killed copy: $left"
  rm "$own/.qrbatch.fReSh123" "$own/.qrbatch.notes"

  # Only regular files the launcher made are used. A symbolic link in place of the user's copy,
  # even to a file equal to the installed program, is replaced by a copy; its target stays.
  cp "$program_folder/qrbatch" "$work/decoy"
  ln -sf "$work/decoy" "$own/qrbatch"
  expect_running "a link in place of the copy" "$own/qrbatch"
  if [ -L "$own/qrbatch" ] || [ ! -f "$own/qrbatch" ]; then
    fail "the link in place of the copy stays"
  fi
  cmp -s "$work/decoy" "$program_folder/qrbatch" || fail "the link's target was changed"

  # A symbolic link in place of the user's folder is not followed: the installed program runs,
  # and nothing is written where the link points.
  mkdir -p "$work/elsewhere" "$home/linked"
  ln -s "$work/elsewhere" "$home/linked/qrbatch"
  launch_env=(HOME="$home" XDG_DATA_HOME="$home/linked")
  expect_running "a link in place of the folder" "$program_folder/qrbatch"
  [ -z "$(ls -A "$work/elsewhere")" ] || fail "files were written through the linked folder"
  [ -L "$home/linked/qrbatch" ] || fail "the linked folder was replaced"

  # Mount namespaces let the last cases mount without touching the machine; without the right
  # to mount they are skipped. The inner shells expand their own arguments.
  # shellcheck disable=SC2016
  if unshare -m sh -c 'mount -t tmpfs tmpfs "$1"' sh "$work/elsewhere" 2>/dev/null; then
    # A data folder mounted noexec: the copy cannot run, so the installed program does.
    mkdir -p "$work/noexec"
    launch_env=(HOME="$home" XDG_DATA_HOME="$work/noexec")
    launch_wrap=(unshare -m sh -c 'mount -t tmpfs -o noexec tmpfs "$1" && shift && exec "$@"'
      sh "$work/noexec")
    expect_running "a data folder mounted noexec" "$program_folder/qrbatch"

    # HOME unset: the home folder comes from the password database, as the program takes it;
    # a copy of /etc/passwd with another home for this user stands in for it.
    uid=$(id -ru)
    if awk -F: -v uid="$uid" '$3 == uid {found = 1} END {exit !found}' /etc/passwd; then
      awk -F: -v OFS=: -v uid="$uid" -v dir="$work/pwhome" '$3 == uid {$6 = dir} {print}' \
        /etc/passwd >"$work/passwd"
      mkdir -p "$work/pwhome"
      launch_env=()
      launch_wrap=(unshare -m sh -c 'mount --bind "$1" /etc/passwd && shift && exec "$@"'
        sh "$work/passwd")
      expect_running "HOME unset" "$work/pwhome/.local/share/qrbatch/qrbatch"
      launch_wrap=()
    else
      echo "skipped: the unset HOME needs this user in /etc/passwd"
    fi
  else
    echo "skipped: the noexec data folder and the unset HOME need the right to mount"
  fi
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "installed and used: $prefix"
