#!/usr/bin/env bash
# End-to-end: the real norvaket.exe under Wine in a virtual desktop. One start
# adds one icon, a second start ends at once, and "終了(&X)" from the pop-up
# menu (or a plain close) removes the icon and ends the program.
# Usage (inside scripts/with-wine): norvaket_e2e_test.sh NORVAKET_EXE POKE_EXE
set -euo pipefail
program=$1
poke=$2

pids=()
fail() { echo "FAIL: $*" >&2; exit 1; }
# Whatever happens, no program is left behind to hold ctest's output open.
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT
windows() { wine "$poke" find | tr -d '\r'; }

# WORKAROUND: without a window manager, Wine's stand-alone tray stalls for
# about 2 s on every icon removal; a virtual desktop has a proper tray.
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
wineserver -k || true
wineserver -w || true
wineserver -p </dev/null >/dev/null 2>&1

wait_for() {  # wait_for SECONDS COMMAND...: until COMMAND succeeds
  local deadline=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.2
  done
}

gone() { ! kill -0 "$1" 2>/dev/null; }

run_and_exit() {  # run_and_exit HOW: start, check, exit by HOW (menu-exit | close)
  local how=$1
  wine "$program" </dev/null >/dev/null 2>&1 &
  local pid=$!
  pids+=("$pid")
  wait_for 30 wine "$poke" icon || fail "no tray icon after start ($how)"
  [ "$(windows)" = "1" ] || fail "not exactly one main window"

  # A second start ends at once and leaves the first alone.
  timeout 20 wine "$program" || fail "second start did not end by itself"
  [ "$(windows)" = "1" ] || fail "second start left a window"
  wine "$poke" icon >/dev/null || fail "second start disturbed the icon"

  wine "$poke" "$how" >/dev/null || fail "could not send $how"
  wait_for 15 gone "$pid" || { kill "$pid"; fail "program still running after $how"; }
  wait "$pid" || fail "program ended with status $? after $how"
  wine "$poke" find >/dev/null && fail "main window still there after $how"
  echo "ok: start, second start, $how"
}

run_and_exit menu-exit
run_and_exit close
