#!/usr/bin/env bash
# End-to-end: the real norvaket.exe under Wine in a virtual desktop. One start
# adds one icon, a second start ends at once, and "終了(&X)" from the pop-up
# menu (or a plain close) removes the icon and ends the program. A double-click
# on the icon opens the options dialog, whose Apply writes the INI file and
# the Run value; the about box opens from the menu and blocks the double-click.
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
# The first Wine process starts the prefix's services, which live on; they
# must not inherit ctest's output, or ctest waits for them.
wine reg query 'HKCU\Software\Wine\Explorer' </dev/null >/dev/null 2>&1 || true

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

poke() { wine "$poke" "$@" | tr -d '\r'; }
expect() {  # expect WANTED WHAT COMMAND...: the command prints WANTED
  local wanted=$1 what=$2 got
  shift 2
  got=$("$@") || true
  [ "$got" = "$wanted" ] || fail "$what: expected '$wanted', got '$got'"
}

run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
app_data=$(wine cmd /c 'echo %APPDATA%' 2>/dev/null </dev/null | tr -d '\r')
ini=$(winepath -u "$app_data\\Norvaket\\Norvaket.ini")
ini_text() { iconv -f UTF-16 -t UTF-8 "$ini" | tr -d '\r'; }
run_value() { wine reg query "$run_key" /v Norvaket 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'; }

options_and_about() {
  rm -f "$ini"
  wine reg delete "$run_key" /v Norvaket /f >/dev/null 2>&1 || true
  wine "$program" </dev/null >/dev/null 2>&1 &
  local pid=$!
  pids+=("$pid")
  wait_for 30 wine "$poke" icon || fail "no tray icon after start (options)"

  poke options >/dev/null || fail "a double-click on the icon opened no options dialog"
  expect "1 0" "dialogs after the double-click" poke dialogs
  poke options >/dev/null  # a second double-click focuses the open dialog
  sleep 0.5
  expect "1 0" "dialogs after a second double-click" poke dialogs
  expect 0 "Apply right after opening" poke enabled cmdApply
  expect 1 "NotifyAtRun from the defaults" poke checked chkNotifyAtRun

  poke click chkNotifyAtRun >/dev/null
  expect 1 "Apply after an edit" poke enabled cmdApply
  poke tab 2 >/dev/null || fail "could not select the second tab"
  poke click chkAutoRun >/dev/null
  poke click cmdApply >/dev/null
  expect 0 "Apply after applying" poke enabled cmdApply
  expect "1 0" "dialogs after Apply" poke dialogs

  [ -f "$ini" ] || fail "Apply wrote no $ini"
  expect 15 "keys in the INI file" sh -c "iconv -f UTF-16 -t UTF-8 '$ini' | grep -c '='"
  ini_text | grep -qx '\[Norvaket 1.00\]' || fail "no settings section in the INI file"
  ini_text | grep -qx 'NotifyAtRun=No' || fail "NotifyAtRun was not saved as No"
  ini_text | grep -qx 'NotifyAtResume=Yes' || fail "NotifyAtResume lost its default"
  local expected_run
  expected_run=$(winepath -w "$program" | tr -d '\r')
  expected_run=${expected_run%.exe}
  case $expected_run in *" "*) expected_run="\"$expected_run\"" ;; esac
  expect "$expected_run" "the Run value" run_value

  poke click cmdOK >/dev/null
  expect "0 0" "dialogs after OK" poke dialogs

  poke menu-about >/dev/null || fail "the menu opened no about box"
  expect "0 1" "dialogs after the about command" poke dialogs
  poke double-click >/dev/null
  sleep 1
  expect "0 1" "a double-click while the about box is open" poke dialogs
  poke click cmdOK >/dev/null
  expect "0 0" "dialogs after closing the about box" poke dialogs

  # Ending the program while a dialog is open closes the dialog too.
  poke options >/dev/null || fail "the options dialog did not open again"
  expect 0 "Apply on reopening" poke enabled cmdApply
  expect 0 "NotifyAtRun as applied" poke checked chkNotifyAtRun
  poke close >/dev/null || fail "could not send close (options)"
  wait_for 15 gone "$pid" || { kill "$pid"; fail "program still running with its dialog open"; }
  wait "$pid" || fail "program ended with status $? with its dialog open"
  wine reg delete "$run_key" /v Norvaket /f >/dev/null 2>&1 || true
  echo "ok: options dialog apply, about box, exit with the dialog open"
}

# A taskbar created anew while the icon is still there (the shell refuses to add
# an icon it holds) must not keep the program from answering the icon at once.
taskbar_created_with_the_icon_there() {
  wine "$program" </dev/null >/dev/null 2>&1 &
  local pid=$!
  pids+=("$pid")
  wait_for 30 wine "$poke" icon || fail "no tray icon after start (taskbar)"
  poke taskbar-created >/dev/null || fail "the icon did not answer within 2 s of TaskbarCreated"
  wine "$poke" icon >/dev/null || fail "no tray icon after TaskbarCreated"
  poke close >/dev/null
  wait_for 15 gone "$pid" || { kill "$pid"; fail "program still running (taskbar)"; }
  wait "$pid" || fail "program ended with status $? (taskbar)"
  echo "ok: TaskbarCreated with the icon still there"
}

# The session ends, or Exit is chosen, while the options dialog's message box is
# open: the program ends cleanly and saves nothing that was not applied.
end_with_a_message_box_open() {  # HOW: end-session | menu-exit
  local how=$1
  rm -f "$ini"
  wine "$program" </dev/null >/dev/null 2>&1 &
  local pid=$!
  pids+=("$pid")
  wait_for 30 wine "$poke" icon || fail "no tray icon after start (message box, $how)"
  poke options >/dev/null || fail "no options dialog (message box, $how)"
  poke click chkNotifyAtRun >/dev/null
  poke type txtCV2Value 0 >/dev/null || fail "could not type into txtCV2Value"
  poke post-click cmdOK >/dev/null
  poke error-box >/dev/null || fail "no message box after OK with 0 (message box, $how)"
  poke "$how" >/dev/null || fail "could not send $how (message box)"
  wait_for 15 gone "$pid" || { kill "$pid"; fail "program still running after $how (message box)"; }
  wait "$pid" || fail "program ended with status $? after $how (message box)"
  [ ! -f "$ini" ] || fail "$how with a message box open saved the INI file"
  echo "ok: $how with a message box open"
}

run_and_exit menu-exit
run_and_exit close
options_and_about
taskbar_created_with_the_icon_there
end_with_a_message_box_open end-session
end_with_a_message_box_open menu-exit
