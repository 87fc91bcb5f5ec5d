# Shared by scripts/run and scripts/test: Debian packages, configure and build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

PACKAGES=(
  cmake make g++ pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n
  libgtest-dev libbenchmark-dev
  libswe-dev swe-basic-data tzdata
  libical-dev
  libgif-dev
  fonts-liberation fontconfig
  xvfb xauth
  desktop-file-utils appstream groff man-db dpkg-dev
  poppler-utils
  locales
  clang libclang-rt-14-dev llvm
)

# Besides the plain run, the tests run under the users' locale and another with a decimal comma.
TEST_LOCALES=(hu_HU.UTF-8 de_DE.UTF-8)

install_missing_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
  fi
}

# Generates the test locales that `locale -a` does not list yet; does nothing when all are there.
generate_locales() {
  local missing=() have
  have="$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | tr -d '-')"
  for l in "${TEST_LOCALES[@]}"; do
    grep -qx "$(echo "$l" | tr 'A-Z' 'a-z' | tr -d '-')" <<<"$have" || missing+=("$l")
  done
  ((${#missing[@]})) || return 0
  echo "Generating locales: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  for l in "${missing[@]}"; do
    if grep -q "^# *$l UTF-8" /etc/locale.gen; then
      $sudo sed -i "s/^# *$l UTF-8/$l UTF-8/" /etc/locale.gen
    elif ! grep -q "^$l UTF-8" /etc/locale.gen; then
      echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    fi
  done
  $sudo locale-gen
}

# build_tree DIR [cmake options…]
build_tree() {
  local dir="$1"; shift
  cmake -S "$ROOT" -B "$ROOT/$dir" "$@"
  cmake --build "$ROOT/$dir" -j "$JOBS"
}

# The fuzz targets and the sanitizer-built program: clang, in a build tree of their own.
FUZZ_DIR="$ROOT/build-fuzz"
FUZZERS=(datetime_fuzz number_fuzz textfiles_fuzz reference_list_fuzz almanac_args_fuzz sightings_fuzz)
SANITIZER_ENV=(ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
               LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0")

# build_fuzz_tree [targets…]: configures build-fuzz with clang and builds the given targets.
build_fuzz_tree() {
  cmake -S "$ROOT" -B "$FUZZ_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
        -DVKT_FUZZ=ON -DVKT_BENCHMARKS=OFF
  cmake --build "$FUZZ_DIR" -j "$JOBS" --target "$@"
}

# run_fuzzer NAME SECONDS: replays the seed corpus, then fuzzes for SECONDS on a working corpus
# kept in build-fuzz/fuzz-corpus/NAME; a finding is written to build-fuzz/fuzz-findings/ and
# fails the run.
run_fuzzer() {
  local name="$1" seconds="$2"
  local seeds="$ROOT/fuzz/corpus/$name" work="$FUZZ_DIR/fuzz-corpus/$name" findings="$FUZZ_DIR/fuzz-findings"
  local dict=()
  [ -f "$ROOT/fuzz/$name.dict" ] && dict=(-dict="$ROOT/fuzz/$name.dict")
  mkdir -p "$work" "$findings"
  echo "== $name: seed corpus, then $seconds s of new inputs"
  env "${SANITIZER_ENV[@]}" "$FUZZ_DIR/fuzz/$name" -runs=0 "$seeds"
  env "${SANITIZER_ENV[@]}" "$FUZZ_DIR/fuzz/$name" "${dict[@]}" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$work" "$seeds"
}
