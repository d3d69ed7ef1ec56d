#!/usr/bin/env bash
# The release as a Windows user meets it, after scripts/package: the zips hold exactly the program's
# files, and in a fresh Wine prefix the installer puts the program and its uninstall entry in place,
# an upgrade keeps every note byte for byte, an install while Tavrik runs saves its unsaved text
# first, and the uninstaller takes the program and leaves the notes.
# release_test.sh <dist folder> <install_probe.exe>
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
dist=$1
probe=$2
version=$(cat "$TAVRIK_BUILD/win64/tavrik_version.txt")
fail() { say "FAILED: $*"; exit 1; }

say "release: scripts/package empties only a folder of its own"
foreign=$(mktemp -d)
echo "the user's own" >"$foreign/notes.txt"
if TAVRIK_DIST=$foreign "$TAVRIK_ROOT/scripts/package" 2>/dev/null; then fail "scripts/package took $foreign"; fi
[ -f "$foreign/notes.txt" ] || fail "scripts/package deleted a file it did not make"
rm -rf "$foreign"

say "release: the zips"
(cd "$dist" && sha256sum --check --quiet SHA256SUMS) || fail "SHA256SUMS does not match the files"
for arch in win64 win32; do
  zip=$dist/tavrik-$version-$arch.zip
  listed=$(unzip -Z1 "$zip" | sort | tr '\n' ' ')
  [ "$listed" = "LICENSE.txt help_eng.txt help_rus.txt readme.txt tavrik.exe " ] || fail "$zip holds: $listed"
  # The 32-bit zip must not carry the 64-bit program, nor the other way round.
  format=$(unzip -p "$zip" tavrik.exe >"$TAVRIK_BUILD/release-zip-probe.exe" &&
           x86_64-w64-mingw32-objdump -f "$TAVRIK_BUILD/release-zip-probe.exe" | sed -n 's/.*file format //p')
  expected=$([ $arch = win64 ] && echo pei-x86-64 || echo pei-i386)
  [ "$format" = "$expected" ] || fail "tavrik.exe in $zip is $format, not $expected"
  # No symbols, no test hooks: the variables the tests steer the program with are not in it.
  if LC_ALL=C grep -qaP 'T\x00A\x00V\x00R\x00I\x00K\x00_\x00R\x00U\x00N' "$TAVRIK_BUILD/release-zip-probe.exe"; then
    fail "tavrik.exe in $zip still reads TAVRIK_RUN_KEY"
  fi
done
rm -f "$TAVRIK_BUILD/release-zip-probe.exe"

# The released installer is a 32-bit program, and Wine here runs only 64-bit ones: the installers
# under test are made from the same script, the same version and the same builds as a 64-bit
# program. Then a newer version of them, as an upgrade brings it.
setup=$TAVRIK_BUILD/release-test-setup.exe
newer_setup=$TAVRIK_BUILD/release-test-newer-setup.exe
make_installer "$version" "$TAVRIK_BUILD/release-stage" "$setup" -DTARGET=amd64-unicode
IFS=. read -r major minor patch <<<"$version"
newer=$major.$minor.$((patch + 1))
make_installer "$newer" "$TAVRIK_BUILD/release-stage" "$newer_setup" -DTARGET=amd64-unicode

prefix=$TAVRIK_BUILD/wineprefix-release
rm -rf "$prefix"
start_xvfb
prepare_wine_prefix "$prefix"
trap 'stop_wine; stop_xvfb' EXIT
out=$TAVRIK_BUILD/release-test.out
wine cmd /c 'echo %LOCALAPPDATA%' >"$out" 2>/dev/null </dev/null
inst=$(winepath -u "$(tr -d '\r\n' <"$out")")/Programs/Tavrik
uninst_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrik'
reg_value() {  # reg_value <name>: the value of the uninstall entry, or nothing
  wine reg query "$uninst_key" /v "$1" >"$out" 2>/dev/null </dev/null || true
  tr -d '\r' <"$out" | sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}
shortcut() { find "$prefix/drive_c/users" -name Tavrik.lnk -path '*Start Menu*' | head -n 1; }
silent_install() {  # silent_install <setup.exe>: silent, and its time
  local start end
  start=$(date +%s.%N)
  timeout 180 wine "$1" /S >/dev/null 2>&1 </dev/null || fail "the silent install of $1 failed ($?)"
  end=$(date +%s.%N)
  say "silent install of $(basename "$1"): $(awk "BEGIN { printf \"%.1f\", $end - $start }") s"
}

say "release: a silent install in a fresh prefix"
silent_install "$setup"
cmp -s "$inst/tavrik.exe" "$TAVRIK_BUILD/release-stage/win64/tavrik.exe" || fail "the 64-bit tavrik.exe is not in $inst"
for file in help_eng.txt help_rus.txt readme.txt LICENSE.txt uninstall.exe; do
  [ -f "$inst/$file" ] || fail "$file is not in $inst"
done
[ "$(reg_value DisplayVersion)" = "$version" ] || fail "the uninstall entry has version '$(reg_value DisplayVersion)'"
[ "$(reg_value Publisher)" = "the Tavrik authors" ] || fail "the uninstall entry has no publisher"
reg_value QuietUninstallString | grep -qi 'uninstall.exe" /S$' || fail "the uninstall entry has no silent command"
[ "$(reg_value EstimatedSize)" != "" ] || fail "the uninstall entry has no size"
[ -n "$(shortcut)" ] || fail "no Start menu shortcut"
[ ! -e "$inst/tavrik.ini" ] || fail "the installer wrote tavrik.ini"

say "release: an upgrade keeps the notes byte for byte"
printf '[Parameters]\r\nAutoSave=0\r\n' >"$inst/tavrik.ini"
printf '{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Notes before the upgrade\\par}' >"$inst/Tavrikdesk.tvk"
printf 'plain page \xd0\x97\xd0\xb0\xd0\xbc\xd0\xb5\xd1\x82\xd0\xba\xd0\xb8' >"$inst/Заметки.tvk"  # "Заметки" in UTF-8
mkdir -p "$inst/~versions/Tavrikdesk"
printf 'an older version' >"$inst/~versions/Tavrikdesk/2026-12-01 10-00-00.000.tvk"
notes() { (cd "$inst" && find . -type f ! -name tavrik.exe ! -name uninstall.exe ! -name '*.txt' -print0 |
           sort -z | xargs -0 sha256sum); }
before=$(notes)
silent_install "$newer_setup"
[ "$(notes)" = "$before" ] || fail "the upgrade changed the notes: $(diff <(echo "$before") <(notes))"
[ "$(reg_value DisplayVersion)" = "$newer" ] || fail "the upgrade left version '$(reg_value DisplayVersion)'"

say "release: the installed Tavrik starts; an install while it runs saves its unsaved text first"
(cd "$inst" && wine ./tavrik.exe >/dev/null 2>&1 </dev/null &)
timeout 60 wine "$probe" wait >/dev/null 2>&1 </dev/null || fail "the installed Tavrik did not start"
text="Typed before the upgrade 4711"
timeout 60 wine "$probe" type "$text" >/dev/null 2>&1 </dev/null || fail "could not type into the running Tavrik"
! grep -q "$text" "$inst/Tavrikdesk.tvk" || fail "the text was saved before the install (AutoSave=0 should keep it unsaved)"
silent_install "$newer_setup"
timeout 30 wine "$probe" gone >/dev/null 2>&1 </dev/null || fail "Tavrik still runs after the install"
grep -q "$text" "$inst/Tavrikdesk.tvk" || fail "the unsaved text was lost: $(cat "$inst/Tavrikdesk.tvk")"
[ -f "$inst/~versions/Tavrikdesk/2026-12-01 10-00-00.000.tvk" ] || fail "the page's version was lost"

say "release: a silent uninstall removes the program and keeps the notes"
before=$(notes)
timeout 60 wine "$inst/uninstall.exe" /S >/dev/null 2>&1 </dev/null || fail "the silent uninstall failed"
# The uninstaller runs on from a copy of itself in the temporary folder.
for _ in $(seq 1 120); do [ -e "$inst/uninstall.exe" ] || break; sleep 0.5; done
for file in tavrik.exe uninstall.exe help_eng.txt help_rus.txt readme.txt LICENSE.txt; do
  [ ! -e "$inst/$file" ] || fail "the uninstaller left $file"
done
[ -z "$(reg_value DisplayName)" ] || fail "the uninstaller left its uninstall entry"
[ -z "$(shortcut)" ] || fail "the uninstaller left the Start menu shortcut"
[ "$(notes)" = "$before" ] || fail "the uninstaller changed the notes: $(diff <(echo "$before") <(notes))"
stop_wine
stop_xvfb
trap - EXIT
rm -rf "$prefix" "$out" "$setup" "$newer_setup"
say "release tests passed"
