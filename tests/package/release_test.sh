#!/usr/bin/env bash
# The release as a Windows user meets it, after scripts/package: the zips hold exactly the program's
# files, and in a fresh Wine prefix the installer puts the program and its uninstall entry in place,
# an upgrade keeps every note byte for byte, an install while Tavrik runs saves its unsaved text
# first and starts it again, one that cannot end a Tavrik changes nothing, start with Windows is
# turned on by the program itself, the uninstaller takes the program and leaves the notes, and a
# folder of the user's gets a Tavrik folder of its own. The manifests match the files and their
# formats' rules, and a second packaging in another build folder gives the same bytes.
# release_test.sh <dist folder> <install_probe.exe> [tavrik_file_holder.exe]
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"
dist=$1
probe=$2
holder=${3:-$(dirname "$probe")/tavrik_file_holder.exe}
version=$(cat "$TAVRIK_BUILD/win64/tavrik_version.txt")
fail() { say "FAILED: $*"; exit 1; }

say "release: scripts/package empties only a folder of its own"
foreign=$(mktemp -d)
echo "the user's own" >"$foreign/notes.txt"
if TAVRIK_DIST=$foreign "$TAVRIK_ROOT/scripts/package" 2>/dev/null; then fail "scripts/package took $foreign"; fi
[ -f "$foreign/notes.txt" ] || fail "scripts/package deleted a file it did not make"
rm -rf "$foreign"

say "release: a second packaging in another build folder gives the same bytes"
# A sibling of the build folder, at the same depth, so ccache serves every compile of it: the
# programs are linked again and the archives and the installer made again, nothing compiled.
again=$(dirname "$TAVRIK_BUILD")/$(basename "$TAVRIK_BUILD")-again
mkdir -p "$again"
started=$SECONDS
TAVRIK_BUILD=$again TAVRIK_DIST=$again/dist "$TAVRIK_ROOT/scripts/package" >"$again/package.log" 2>&1 ||
  fail "the second packaging failed: $(tail -n 20 "$again/package.log")"
diff "$dist/SHA256SUMS" "$again/dist/SHA256SUMS" >&2 || fail "two packagings of one commit differ"
diff -r "$dist/winget" "$again/dist/winget" >&2 && diff -r "$dist/scoop" "$again/dist/scoop" >&2 ||
  fail "two packagings of one commit made different manifests"
say "second packaging: $((SECONDS - started)) s"

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
  # ccache serves the second packaging's compiles, so the path check is here: no folder of this clone.
  if LC_ALL=C grep -qaF "$TAVRIK_ROOT" "$TAVRIK_BUILD/release-zip-probe.exe"; then
    fail "tavrik.exe in $zip holds the path $TAVRIK_ROOT"
  fi
done
rm -f "$TAVRIK_BUILD/release-zip-probe.exe"

say "release: version information that Windows shows"
# version_string <file> <name>: the value of one entry of the version resource, UTF-16 in the file.
version_string() {
  python3 - "$1" "$2" <<'END'
import sys
data = open(sys.argv[1], 'rb').read()
key = sys.argv[2].encode('utf-16-le') + b'\0\0'
at = data.find(key)
if at >= 0:
    at += len(key)
    at += (4 - at % 4) % 4  # the value starts on 32 bits
    end = at
    while end + 1 < len(data) and data[end:end + 2] != b'\0\0':
        end += 2
    print(data[at:end].decode('utf-16-le', 'replace'))
END
}
for file in "$TAVRIK_BUILD/release-stage/win64/tavrik.exe" "$TAVRIK_BUILD/release-stage/win32/tavrik.exe" \
            "$dist/tavrik-$version-setup.exe"; do
  for name in CompanyName ProductName FileVersion ProductVersion FileDescription LegalCopyright; do
    [ -n "$(version_string "$file" "$name")" ] || fail "$(basename "$file") has no $name in its version information"
  done
  [ "$(version_string "$file" CompanyName)" = "the Tavrik authors" ] || fail "$(basename "$file"): CompanyName"
  version_string "$file" ProductVersion | grep -q "^$version" || fail "$(basename "$file"): ProductVersion"
done

# The released installer is a 32-bit program. Where Wine runs 32-bit programs (scripts/test sets
# TAVRIK_RELEASE_32BIT) it is tested itself; elsewhere a 64-bit twin made from the same script, the
# same version and the same builds stands in. Then newer versions of it, as an upgrade brings them.
setup=$TAVRIK_BUILD/release-test-setup.exe
newer_setup=$TAVRIK_BUILD/release-test-newer-setup.exe
target=(-DTARGET=amd64-unicode)
if [ "${TAVRIK_RELEASE_32BIT:-}" = 1 ]; then
  target=()
  cp "$dist/tavrik-$version-setup.exe" "$setup"
  say "release: the shipped 32-bit installer itself"
else
  make_installer "$version" "$TAVRIK_BUILD/release-stage" "$setup" "${target[@]}"
  say "release: no 32-bit Wine here: a 64-bit twin of the installer stands in"
fi
IFS=. read -r major minor patch <<<"$version"
newer=$major.$minor.$((patch + 1))
make_installer "$newer" "$TAVRIK_BUILD/release-stage" "$newer_setup" "${target[@]}"
# The same, waiting 5 s instead of a minute for a Tavrik that cannot end.
short_wait_setup=$TAVRIK_BUILD/release-test-short-wait-setup.exe
newest=$major.$minor.$((patch + 2))
make_installer "$newest" "$TAVRIK_BUILD/release-stage" "$short_wait_setup" "${target[@]}" -DSTOP_WAIT_TICKS=20

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
[ "$(reg_value InstallLocation)" = "$(winepath -w "$inst")" ] || fail "the uninstall entry has InstallLocation '$(reg_value InstallLocation)'"
[ "$(reg_value DisplayIcon)" = "$(winepath -w "$inst")\tavrik.exe,0" ] || fail "the uninstall entry has DisplayIcon '$(reg_value DisplayIcon)'"

say "release: the winget and Scoop manifests"
python3 "$TAVRIK_ROOT/tests/package/manifest_check.py" "$dist" "$version" "${uninst_key##*\\}" \
  "$(reg_value DisplayName)" "$(reg_value Publisher)" "$(reg_value DisplayVersion)" >&2 || fail "the manifests are wrong (above)"

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
grep -q "$text" "$inst/Tavrikdesk.tvk" || fail "the unsaved text was lost: $(cat "$inst/Tavrikdesk.tvk")"
[ -f "$inst/~versions/Tavrikdesk/2026-12-01 10-00-00.000.tvk" ] || fail "the page's version was lost"
timeout 60 wine "$probe" wait >/dev/null 2>&1 </dev/null || fail "the silent upgrade did not start Tavrik again"

say "release: a silent install that cannot end Tavrik (a page it cannot save) changes nothing"
text="Typed while the page is held 0815"
timeout 60 wine "$probe" type "$text" >/dev/null 2>&1 </dev/null || fail "could not type into the restarted Tavrik"
# Held open with no sharing, as a sync client may: the save at Exit fails, and Tavrik stays.
wine "$holder" "$(winepath -w "$inst/Tavrikdesk.tvk")" TavrikReleaseHold >/dev/null 2>&1 </dev/null &
holder_pid=$!
sleep 2
before=$(notes)
status=0
start=$SECONDS
timeout 120 wine "$short_wait_setup" /S >/dev/null 2>&1 </dev/null || status=$?
[ $status -eq 3 ] || fail "the install ended with $status, not 3 (Tavrik in use)"
# The installer waits 5 s for Tavrik: much longer means a box waited for a click nobody gives.
[ $((SECONDS - start)) -lt 60 ] || fail "the silent install took $((SECONDS - start)) s: did it wait on a box?"
[ "$(notes)" = "$before" ] || fail "the refused install changed the notes"
[ "$(reg_value DisplayVersion)" = "$newer" ] || fail "the refused install changed the uninstall entry"
kill "$holder_pid" 2>/dev/null || true
wait "$holder_pid" 2>/dev/null || true
# Tavrik now shows its save error; ending the prefix ends it (the text typed last is not needed).
stop_wine
prepare_wine_prefix "$prefix"

say "release: start with Windows is set by the program, and tavrik.ini in UTF-8 stays whole"
# The program's own command; a build without it starts a window instead and never ends.
probe_folder=$prefix/drive_c/autostart-probe
mkdir -p "$probe_folder"
cp "$inst/tavrik.exe" "$probe_folder/"
printf '[Parameters]\r\n' >"$probe_folder/tavrik.ini"  # ANSI, so grep reads what the command writes
if timeout 20 wine "$probe_folder/tavrik.exe" /autostart on >/dev/null 2>&1 </dev/null &&
   grep -qa 'AutoStart=1' "$probe_folder/tavrik.ini" 2>/dev/null; then
  printf '\xEF\xBB\xBF[Parameters]\r\nSaveTo=%s\r\nAutoSave=0\r\n; \xD0\x97\xD0\xB0\xD0\xBC\xD0\xB5\xD1\x82\xD0\xBA\xD0\xB8\r\n' \
    "$(winepath -w "$inst")" >"$inst/tavrik.ini"  # a comment "Заметки"
  before_ini=$(cat "$inst/tavrik.ini")
  wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Run' /v Tavrik /d "$(winepath -w "$inst/tavrik.exe")" /f \
    >/dev/null 2>&1 </dev/null  # an upgrade offers the choice as the installed Tavrik has it: on
  silent_install "$newer_setup"
  head -c 3 "$inst/tavrik.ini" | cmp -s - <(printf '\xEF\xBB\xBF') || fail "tavrik.ini lost its UTF-8 mark"
  grep -q 'AutoStart=1' "$inst/tavrik.ini" || fail "start with Windows is not on in tavrik.ini: $(cat "$inst/tavrik.ini")"
  for line in 'AutoSave=0' 'Заметки'; do
    grep -q "$line" "$inst/tavrik.ini" || fail "tavrik.ini lost '$line'"
  done
  [ "$(grep -v AutoStart "$inst/tavrik.ini")" = "$(grep -v AutoStart <<<"$before_ini")" ] || fail "tavrik.ini changed beyond AutoStart"
else
  say "SKIPPED: waiting for /autostart: this tavrik.exe does not have the command (it did not end with the setting written)"
  stop_wine
  prepare_wine_prefix "$prefix"
fi
rm -rf "$probe_folder"

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

say "release: a folder of the user's gets a Tavrik folder of its own, and keeps its files"
own=$prefix/drive_c/users/Public/Mine
mkdir -p "$own"
printf 'my own readme\r\n' >"$own/readme.txt"
timeout 180 wine "$setup" /S "/D=$(winepath -w "$own")" >/dev/null 2>&1 </dev/null || fail "the install into $own failed"
[ -f "$own/Tavrik/tavrik.exe" ] || fail "the program is not in $own/Tavrik"
[ ! -e "$own/tavrik.exe" ] || fail "the program was put among the user's files"
[ "$(cat "$own/readme.txt")" = $'my own readme\r' ] || fail "the install overwrote the user's readme.txt"
timeout 60 wine "$own/Tavrik/uninstall.exe" /S >/dev/null 2>&1 </dev/null || fail "the uninstall from $own failed"
for _ in $(seq 1 120); do [ -e "$own/Tavrik/uninstall.exe" ] || break; sleep 0.5; done
for file in tavrik.exe uninstall.exe help_eng.txt help_rus.txt readme.txt LICENSE.txt; do
  [ ! -e "$own/Tavrik/$file" ] || fail "the uninstaller left $file in $own/Tavrik"
done
[ "$(cat "$own/readme.txt" 2>/dev/null)" = $'my own readme\r' ] || fail "the uninstaller took the user's readme.txt"
stop_wine
stop_xvfb
trap - EXIT
rm -rf "$prefix" "$out" "$setup" "$newer_setup" "$short_wait_setup"
say "release tests passed"
