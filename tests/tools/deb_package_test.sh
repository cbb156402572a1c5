#!/usr/bin/env bash
# Checks the Debian package that cpack built, without installing it: its control
# fields and dependencies, its file list, lintian's verdict, and the extracted
# norvaket-status reading a fake sysfs tree of one mains supply and two batteries.
set -euo pipefail
deb=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "deb package: $*" >&2; exit 1; }

info=$(dpkg-deb --info "$deb")
field() { sed -n "s/^ $1: //p" <<<"$info"; }
[ "$(field Package)" = norvaket ] || fail "package name is '$(field Package)'"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"
# The dependencies come from the binaries' libraries (dpkg-shlibdeps), with versions.
depends=$(field Depends)
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6dbus6; do
  [[ ", $depends" == *", $library (>= "[0-9]* ]] || fail "Depends lacks $library: $depends"
done

# Wayland sessions need Qt's Wayland platform; UPower gives the best readings.
[ "$(field Recommends)" = "qt6-wayland, upower" ] || fail "Recommends is '$(field Recommends)'"

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for file in ./usr/bin/norvaket ./usr/bin/norvaket-status ./usr/share/applications/norvaket.desktop \
            ./usr/share/metainfo/org.norvaket.Norvaket.metainfo.xml \
            ./usr/share/icons/hicolor/16x16/apps/norvaket.png \
            ./usr/share/icons/hicolor/256x256/apps/norvaket.png \
            ./usr/share/doc/norvaket/copyright ./usr/share/doc/norvaket/changelog.gz \
            ./usr/share/man/man1/norvaket.1.gz ./usr/share/man/man1/norvaket-status.1.gz; do
  grep -qxF "$file" <<<"$contents" || fail "missing $file"
done
if grep -v '^./usr/' <<<"$contents" | grep -q .; then fail "files outside /usr"; fi

dpkg-deb -x "$deb" "$scratch/root"
changelog_version=$(dpkg-parsechangelog -l "$scratch/root/usr/share/doc/norvaket/changelog.gz" -S Version)
[ "$changelog_version" = "$(field Version)" ] || fail "changelog is at $changelog_version"

# Debian's own checker: not one error or warning (hardening, man pages, changelog, ...).
lintian --fail-on error,warning "$deb" || fail "lintian found errors or warnings"
tree=$scratch/power_supply
mkdir -p "$tree/AC" "$tree/BAT0" "$tree/BAT1"
put() { printf '%s\n' "$3" >"$tree/$1/$2"; }
put AC type Mains;       put AC online 0
put BAT0 type Battery;   put BAT0 status Discharging; put BAT0 present 1
put BAT0 energy_now 30000000; put BAT0 energy_full 40000000; put BAT0 power_now 10000000
put BAT1 type Battery;   put BAT1 status Discharging; put BAT1 present 1
put BAT1 energy_now 10000000; put BAT1 energy_full 20000000; put BAT1 power_now 0
# 40 of 60 Wh at 10 W: four hours left, six for a full battery; 67 %. Neither battery
# tells its design capacity, cycles, chemistry or thresholds.
facts() {
  printf '{"name":"%s","health":null,"cycle_count":null,"design_capacity":null,"full_capacity":%s,' "$1" "$2"
  printf '"technology":null,"charge_start_threshold":null,"charge_end_threshold":null}'
}
expected='{"source":"sysfs","ACLineStatus":0,"BatteryFlag":1,"BatteryLifePercent":67,'\
'"BatteryLifeTime":14400,"BatteryFullLifeTime":21600,"state":2,"icon":206,'\
'"tooltip":"バッテリ\r\n17:00 まで (67%)","batteries":['"$(facts BAT0 40.0),$(facts BAT1 20.0)"'],"draw_average_W":10.0,"draw_last_W":10.0}'
actual=$("$scratch/root/usr/bin/norvaket-status" --sysfs "$tree" --start-time 13:00:00)
[ "$actual" = "$expected" ] || fail "norvaket-status printed: $actual"
echo "deb package is valid: $(basename "$deb")"
