# Shared by scripts/run and scripts/test: Debian packages, configure and build.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
JOBS="$(nproc 2>/dev/null || echo 2)"

PACKAGES=(
  cmake make g++ pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libbenchmark-dev
  libswe-dev swe-basic-data tzdata
  libgif-dev
  fonts-liberation fontconfig
  xvfb xauth
  locales
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
