#!/usr/bin/env bash
# Checks the Debian package as an operator meets it: unpacked into a clean root, started
# under Xvfb with an empty home, a new log created through the menu and one QSO committed
# through the mask by key presses; the log and the settings must appear in the user's data
# folder and nothing beside the installed program. Then lintian must report no error.
# Usage: tools/package-test.sh BUILD_DIR   (the package is built there by `make package`)
set -euo pipefail

if [ "${1:-}" = "--inside" ]; then
    # Runs inside xvfb-run: drive the installed program.
    root=$2 work=$3
    fail() {
        echo "package-test: $*" >&2
        import -window root "$work/failure.png" 2>/dev/null && echo "screenshot: $work/failure.png" >&2
        exit 1
    }
    # Waits up to a minute for a condition, checked every tenth of a second.
    waitFor() {
        local what=$1
        shift
        for _ in $(seq 600); do "$@" && return 0; sleep 0.1; done
        fail "timed out waiting for $what"
    }
    window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1; }
    hasWindow() { [ -n "$(window "$1")" ]; }
    # Without a window manager nobody gives a window the keyboard focus.
    focus() {
        local id
        waitFor "window \"$1\"" hasWindow "$1"
        id=$(window "$1")
        xdotool windowfocus --sync "$id"
    }

    # A hung program ends the test instead of blocking it.
    timeout 300 "$root/usr/bin/dalu" >"$work/dalu.out" 2>&1 &
    pid=$!
    # A first start asks for the own call and locator.
    focus '^Willkommen bei Dalu$'
    xdotool type --delay 20 'qx9own'
    xdotool key Tab
    xdotool type --delay 20 'JO43SQ'
    xdotool key Return
    focus '^Dalu'
    # Datei, one menu to the right ("Log"), its only item "Neue Log-Datei ...".
    xdotool key alt+d Right Return
    focus '^Neue Log-Datei$'
    xdotool type --delay 20 'test'
    xdotool key Return
    data=$XDG_DATA_HOME/Dalu
    waitFor "the new log in $data" test -f "$data/test.log"
    focus '^Dalu'
    # The call; the reports come as the mode's preset (59): the sent one is kept, the received
    # one typed over; then Return through the other shown fields commits the QSO.
    xdotool type --delay 20 'qx1abc'
    xdotool key Return
    xdotool key Return
    xdotool key ctrl+a
    xdotool type --delay 20 '57'
    xdotool key Return Return Return Return Return Return Return Return
    hasQso() { grep -q ';QX1ABC;59;57;' "$data/test.log"; }
    waitFor "the QSO in $data/test.log" hasQso
    [ "$(grep -c . "$data/test.log")" = 2 ] || fail "the log holds more than header and QSO"
    # Quit through the menu, as the settings are written at the end.
    focus '^Dalu'
    xdotool key alt+d b
    status=0
    wait "$pid" || status=$?
    [ "$status" = 0 ] || fail "dalu ended with status $status: $(cat "$work/dalu.out")"
    grep -q 'LastLogFileName=test.log' "$data/Dalu.ini" || fail "Dalu.ini does not name the log"
    cmp -s "$root/usr/share/dalu/DXCC.ini" "$data/DXCC.ini" || fail "DXCC.ini was not seeded"
    if find "$root" -newer "$work/unpacked" -type f | grep -q .; then
        fail "files written beside the installed program: $(find "$root" -newer "$work/unpacked" -type f)"
    fi
    echo "package-test: QSO committed into $data/test.log"
    exit 0
fi

build=${1:-build}
deb=$(ls -t "$build"/dalu_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || { echo "package-test: no package in $build; run make package" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

dpkg -x "$deb" "$work/root"
touch "$work/unpacked"
mkdir -p "$work/home" "$work/run"
chmod 700 "$work/run"
# An empty home with every XDG folder inside the temporary one.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run
export XDG_DATA_HOME=$HOME/.local/share XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache
unset DALU_HOME QT_QPA_PLATFORM
if ! xvfb-run -a -s "-screen 0 1280x900x24" "$0" --inside "$work/root" "$work"; then
    [ -f "$work/failure.png" ] && cp "$work/failure.png" "$build/package-test-failure.png" &&
        echo "package-test: screenshot kept as $build/package-test-failure.png" >&2
    exit 1
fi

echo "== lintian $(basename "$deb")"
lintian "$deb" | tee "$work/lintian.txt" || true
if grep -q '^E:' "$work/lintian.txt"; then
    echo "package-test: lintian reports errors" >&2
    exit 1
fi
echo "package-test: passed"
