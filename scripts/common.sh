# Shared by scripts/run, scripts/test and scripts/bench: packages, builds, Wine and a display.
# shellcheck shell=bash

TAVRIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TAVRIK_BUILD=${TAVRIK_BUILD:-$TAVRIK_ROOT/build}

say() { printf '== %s\n' "$*" >&2; }

# Debian packages, installed only when a command or file they bring is missing.
ensure_packages() {
  local missing=()
  command -v cmake >/dev/null || missing+=(cmake)
  command -v ninja >/dev/null || missing+=(ninja-build)
  command -v g++ >/dev/null || missing+=(g++)
  command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-x86-64)
  command -v i686-w64-mingw32-g++-posix >/dev/null || missing+=(g++-mingw-w64-i686)
  command -v wine >/dev/null || missing+=(wine)
  [ -x /usr/lib/wine/wine64 ] || missing+=(wine64)
  command -v Xvfb >/dev/null || missing+=(xvfb)
  command -v xauth >/dev/null || missing+=(xauth)
  dpkg -s fonts-wine >/dev/null 2>&1 || missing+=(fonts-wine)
  [ -f /usr/src/googletest/CMakeLists.txt ] || missing+=(googletest)
  install_packages "${missing[@]}"
}

# The independent readers and the PDF printer the end-to-end tests check the program's output with.
ensure_test_packages() {
  local missing=()
  command -v unrtf >/dev/null || missing+=(unrtf)
  command -v pdftotext >/dev/null || missing+=(poppler-utils)
  command -v cupsd >/dev/null || missing+=(cups)
  command -v lpadmin >/dev/null || missing+=(cups-client)
  [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ] || missing+=(printer-driver-cups-pdf)
  install_packages "${missing[@]}"
}

# A PDF printer for the printing tests: CUPS with CUPS-PDF, which writes each job to ~/PDF.
# TAVRIK_PDF_FOLDER tells the tests where. The machine's default printer is left alone: the
# tests choose this one inside their own Wine prefix.
start_pdf_printer() {
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    /usr/sbin/cupsd
    local tries=0
    until lpstat -r 2>/dev/null | grep -q 'is running' || [ $tries -ge 50 ]; do sleep 0.2; tries=$((tries + 1)); done
  fi
  lpstat -p TavrikPDF >/dev/null 2>&1 ||
    lpadmin -p TavrikPDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
  export TAVRIK_PDF_FOLDER="$HOME/PDF"
  mkdir -p "$TAVRIK_PDF_FOLDER"
}

# Between collect_installs and install_collected the ensure_* functions only note what is missing:
# one apt-get update and one install for all of them.
collect_installs() { collected_packages=() collecting_packages=1; }
install_collected() {
  collecting_packages=""
  install_packages "${collected_packages[@]}"
}

install_packages() {
  local missing=("$@")
  if [ -n "${collecting_packages:-}" ]; then
    collected_packages+=("${missing[@]}")
    return 0
  fi
  if [ ${#missing[@]} -gt 0 ]; then
    say "installing ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# configure_and_build <dir> [cmake args...] [-- targets...]
configure_and_build() {
  local dir=$1; shift
  local args=() targets=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do args+=("$1"); shift; done
  [ "${1:-}" = "--" ] && shift && targets=("$@")
  configure_build "$dir" "${args[@]}"
  if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$dir" --target "${targets[@]}"
  else
    cmake --build "$dir"
  fi
}

# object_files <build dir> <folder>: the object files a configured Ninja build makes from the
# sources of one folder of ours (bench, tests/unit), to compile them without linking.
object_files() {
  ninja -C "$1" -t targets all | sed -n "s|^\($2/CMakeFiles/[^:]*\.o\(bj\)\{0,1\}\): .*|\1|p"
}

# configure_build <dir> [cmake args...]
configure_build() {
  local dir=$1; shift
  # scripts/test sets TAVRIK_WERROR: there a warning of either compiler fails the run.
  cmake -S "$TAVRIK_ROOT" -B "$dir" -G Ninja "$@" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR="$([ -n "${TAVRIK_WERROR:-}" ] && echo ON || echo OFF)" >/dev/null
}

# compile_folder <build dir> <folder>: compiles a configured build's sources of one folder of ours,
# without linking them.
compile_folder() {
  local objects
  mapfile -t objects < <(object_files "$1" "$2")
  [ ${#objects[@]} -gt 0 ] || { say "no sources of $2 in $1"; return 1; }
  cmake --build "$1" --target "${objects[@]}"
}

build_windows() {
  configure_and_build "$TAVRIK_BUILD/win64" -DCMAKE_TOOLCHAIN_FILE="$TAVRIK_ROOT/cmake/mingw-w64-x86_64.cmake" "$@"
}

# A virtual display of our own: start_xvfb sets DISPLAY and XVFB_PID.
start_xvfb() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  read -r number <"$fifo"
  rm -f "$fifo"
  export DISPLAY=":$number"
}

stop_xvfb() {
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
}

# prepare_wine_prefix <dir>: a prefix of its own, made once (about 7 s) and kept between runs.
prepare_wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEARCH=win64
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    say "making a Wine prefix in $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    WINEDLLOVERRIDES="mscoree=;mshtml=" wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  # Start the prefix's background services now, with their output going nowhere: a program
  # started later would otherwise hand them its pipes.
  wineserver -p >/dev/null 2>&1 || true  # already running for this prefix
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
  # Xvfb has no window manager: Wine would wait 2 s for one at every hide of a window. Windows
  # that Wine places itself are hidden at once.
  if ! grep -q '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null || true
  fi
}

# run_wine_tests <prefix> <ctest options...>: the 64-bit build's tests (TAVRIK_BUILD_ARCH=win32: the 32-bit one's) that the options choose, on
# a display and in a Wine prefix of their own, so two such runs go side by side: a global hot key
# registered in one prefix does not hold it in another (measured: Wine 8), and a display of its own
# keeps the keyboard focus and the clipboard apart too. The output goes to <prefix>.log.
run_wine_tests() {
  local prefix=$1; shift
  (
    start_xvfb
    trap 'stop_wine; stop_xvfb' EXIT
    prepare_wine_prefix "$prefix"
    ctest --test-dir "$TAVRIK_BUILD/${TAVRIK_BUILD_ARCH:-win64}" --output-on-failure --no-tests=error "$@"
  ) >"$prefix.log" 2>&1 </dev/null
}

stop_wine() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
}

# The release: NSIS for the installer, zip and unzip for the portable archives and their test,
# Python for the manifests' test, ccache so the second packaging of the reproducibility test
# compiles nothing again.
ensure_release_packages() {
  local missing=()
  command -v makensis >/dev/null || missing+=(nsis)
  command -v zip >/dev/null || missing+=(zip)
  command -v unzip >/dev/null || missing+=(unzip)
  command -v python3 >/dev/null || missing+=(python3)
  command -v ccache >/dev/null || missing+=(ccache)
  install_packages "${missing[@]}"
}

# Build folders configured from now on compile through ccache when it is there (CMake takes the
# launcher from the environment at a folder's first configure only: existing folders keep theirs).
# Paths below the clone are hashed relative to it, so the same sources in another build folder of
# the same depth are served from the cache.
use_ccache() {
  command -v ccache >/dev/null || return 0
  export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER:-ccache}
  export CMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER:-ccache}
  [ -n "$(ccache --get-config base_dir 2>/dev/null)" ] || export CCACHE_BASEDIR=$TAVRIK_ROOT
}

# 32-bit Wine from Debian's multiarch (i386), so the shipped 32-bit installer and the 32-bit build
# can run; opt-in with TAVRIK_WINE32=1, since it adds a few hundred MB and minutes to a fresh
# machine. The i386 package lists must match the amd64 ones, which a mirror being updated breaks
# for a while: the install is tried three times, and on failure undone (the architecture removed
# again when this added it). Returns 0 when wine32 is there; never fails the caller otherwise.
ensure_wine32() {
  [ "${TAVRIK_WINE32:-}" = 1 ] || return 1
  dpkg -s wine32:i386 >/dev/null 2>&1 && return 0
  local sudo="" added="" try
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386 || return 1
    added=1
  fi
  for try in 1 2 3; do
    say "installing wine32:i386 (try $try of 3)"
    if $sudo apt-get update -qq &&
       DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends wine32:i386 >/dev/null; then
      return 0
    fi
    if [ $try -lt 3 ]; then sleep $((try * 30)); fi
  done
  say "wine32:i386 could not be installed; undoing"
  # Whatever of i386 came in half-way goes again, so the machine is as it was.
  mapfile -t partial < <(dpkg-query -W -f '${binary:Package}\n' 2>/dev/null | grep ':i386$' || true)
  [ ${#partial[@]} -eq 0 ] || DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq "${partial[@]}" >/dev/null || true
  if [ -n "$added" ]; then
    $sudo dpkg --remove-architecture i386 || true
    $sudo apt-get update -qq || true
  fi
  return 1
}

# make_installer <version> <stage> <out.exe> [makensis options]: the installer of the builds in
# <stage>/win64 and <stage>/win32.
make_installer() {
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$1" -DSTAGE="$2" -DOUTFILE="$3" "${@:4}" "$TAVRIK_ROOT/installer/tavrik.nsi" >&2
}

# --- Hardening: the second compiler, the fuzz targets and the analysers ---------------------------

ensure_analysis_packages() {
  local missing=()
  command -v clang++-14 >/dev/null || missing+=(clang-14)
  command -v ld.lld >/dev/null || missing+=(lld)
  [ -n "$(ls /usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a 2>/dev/null)" ] || missing+=(libclang-rt-14-dev)
  command -v clang-tidy-14 >/dev/null || missing+=(clang-tidy-14)
  command -v cppcheck >/dev/null || missing+=(cppcheck)
  install_packages "${missing[@]}"
}

# The native clang build: the unit tests and the fuzz targets under AddressSanitizer and UBSan.
# build_clang_native [targets...]
build_clang_native() {
  CXX=clang++-14 configure_and_build "$TAVRIK_BUILD/clang-native" -DCMAKE_BUILD_TYPE=Debug -DTAVRIK_TESTS=ON \
    -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DTAVRIK_BENCH=OFF -DTAVRIK_FUZZ=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    ${1:+--} "$@"
}

# The Windows build with clang and lld, for its warnings and for clang-tidy; Wine runs the gcc build.
# Nothing runs it, so it is not optimised: clang warns the same at -O0, and compiles a quarter faster.
# build_clang_windows [targets...]
build_clang_windows() {
  configure_and_build "$TAVRIK_BUILD/clang-win64" -DCMAKE_TOOLCHAIN_FILE="$TAVRIK_ROOT/cmake/clang-mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O0 -DNDEBUG" -DTAVRIK_TESTS=ON -DTAVRIK_BENCH=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON \
    ${1:+--} "$@"
}

fuzz_targets() {
  local source
  for source in "$TAVRIK_ROOT"/tests/fuzz/*_fuzz.cpp; do basename "$source" .cpp; done
}

# run_fuzz_target <target> <seconds>: the seeds of tests/fuzz/corpus/<name> and what earlier runs
# found (build/fuzz-work); a crash, a leak, a sanitizer report or a hang fails, and the input that
# did it is left in build/fuzz-artifacts. Prints "<target>: <runs> runs in <seconds> s".
run_fuzz_target() {
  local target=$1 seconds=$2 name=${1%_fuzz}
  local binary=$TAVRIK_BUILD/clang-native/bin/$target work=$TAVRIK_BUILD/fuzz-work/$name
  local artifacts=$TAVRIK_BUILD/fuzz-artifacts log=$TAVRIK_BUILD/fuzz-work/$name.log
  local dict=$TAVRIK_ROOT/tests/fuzz/$name.dict options=()
  mkdir -p "$work" "$artifacts"
  [ -f "$dict" ] && options+=("-dict=$dict")
  if ! "$binary" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$artifacts/$name-" "${options[@]}" "$work" "$TAVRIK_ROOT/tests/fuzz/corpus/$name" >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    say "$target failed; the input is in $artifacts (add it to tests/fuzz/corpus/$name once fixed)"
    return 1
  fi
  local runs
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  printf '%s: %s runs in %s s\n' "$target" "${runs:-?}" "$seconds"
}

# run_fuzz_targets <seconds>: every target for that long, two at a time (one a core); all of them
# run, and the run fails when any of them failed.
run_fuzz_targets() {
  local target running=() failed=0
  for target in $(fuzz_targets); do
    run_fuzz_target "$target" "$1" &
    running+=($!)
    if [ ${#running[@]} -ge 2 ]; then
      wait "${running[0]}" || failed=1
      running=("${running[@]:1}")
    fi
  done
  for target in "${running[@]}"; do wait "$target" || failed=1; done
  return $failed
}

# The .cpp files of ours that a configured build lists: what the CMake files hold today.
listed_sources() {
  sed -n 's/^ *"file": "\(.*\.cpp\)".*$/\1/p' "$1/compile_commands.json" | grep "^$TAVRIK_ROOT/" |
    grep -v "^$TAVRIK_BUILD/" | sort -u
}

# Every listed file once: the portable ones (and the tests and fuzz targets) through the native
# clang build, the Win32 ones through the clang Windows build. Checks in .clang-tidy; any finding fails.
run_clang_tidy() {
  local native=$TAVRIK_BUILD/clang-native windows=$TAVRIK_BUILD/clang-win64 log=$TAVRIK_BUILD/clang-tidy.log
  if ! { listed_sources "$native" | sed "s|^|$native |"
         comm -13 <(listed_sources "$native") <(listed_sources "$windows") | sed "s|^|$windows |"; } |
      xargs -P 2 -L 1 sh -c 'clang-tidy-14 --quiet -p "$0" "$1"' >"$log" 2>&1; then
    grep -E '(error|warning):' "$log" | sort -u >&2
    say "clang-tidy found the above (all of it in $log)"
    return 1
  fi
}

# only_entries <compile_commands.json> <list of files>: the entries of those files alone, as a
# compile_commands.json of their own.
only_entries() {
  awk 'NR == FNR { keep[$0] = 1; next }
       $0 == "{" { entry = $0; file = ""; inside = 1; next }
       inside && /^}/ { if (file in keep) printf "%s%s\n}", (kept++ ? ",\n" : "[\n"), entry; inside = 0; next }
       inside { entry = entry "\n" $0 }
       inside && /^ *"file": / { file = $0; sub(/^ *"file": "/, "", file); sub(/",?$/, "", file) }
       END { print (kept ? "\n]" : "[\n]") }' "$2" "$1"
}

# cppcheck over the same files, each once as clang-tidy sees them: the portable ones (and the tests
# and fuzz targets) in the native build, the Win32 ones with cppcheck's Windows library; any finding fails.
run_cppcheck() {
  local native=$TAVRIK_BUILD/clang-native windows=$TAVRIK_BUILD/clang-win64 project
  comm -13 <(listed_sources "$native") <(listed_sources "$windows") >"$windows/windows_only_sources.txt"
  only_entries "$windows/compile_commands.json" "$windows/windows_only_sources.txt" >"$windows/windows_only_commands.json"
  for project in "$native/compile_commands.json" "$windows/windows_only_commands.json"; do
    cppcheck --project="$project" --library=windows --library=googletest \
      --enable=warning,performance,portability --std=c++20 --inline-suppr --error-exitcode=1 --quiet \
      --suppress=missingIncludeSystem -i /usr/src -i "$TAVRIK_BUILD" -j 2 \
      --template='{file}:{line}: {severity}: {message} [{id}]' || return 1
  done
}
