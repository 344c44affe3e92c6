# Shared by the scripts: install what is missing, configure and build into build/.
# Sourced, not run.

TINTAVIS_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
TINTAVIS_BUILD="${TINTAVIS_BUILD:-$TINTAVIS_ROOT/build}"

# Debian packages that building and running the program need (scripts/run).
TINTAVIS_RUN_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev fonts-liberation qt6-translations-l10n
  libxlsxwriter-dev
)

# Debian packages the whole build, the tests, the tools and the program need.
TINTAVIS_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  locales
  qt6-base-dev qt6-svg-dev fonts-liberation qt6-translations-l10n
  poppler-utils
  libxlsxwriter-dev python3-openpyxl
  desktop-file-utils appstream man-db
  time
  dpkg-dev file lintian
)

# Debian packages of the fuzz build (scripts/fuzz): clang with libFuzzer and the sanitizer
# runtimes; the C++ library headers come with g++. No Qt: the fuzz targets are GUI-free; the
# file layer they link writes workbooks with libxlsxwriter.
TINTAVIS_FUZZ_PACKAGES=(
  cmake ninja-build g++ clang-14 libclang-rt-14-dev pkg-config libxlsxwriter-dev
)

# Installs the packages of the arguments that are not installed yet (apt-get only when needed).
ensure_packages() {
  local missing=()
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# A Spanish locale, so that tests can check that nothing depends on the C library's locale.
ensure_test_locale() {
  if ! locale -a 2>/dev/null | grep -qi '^es_ES\.utf-\?8$'; then
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo localedef -i es_ES -f UTF-8 es_ES.UTF-8
  fi
}

# Configures (once) and builds everything into $TINTAVIS_BUILD; extra arguments go to cmake.
build_all() {
  if [ ! -f "$TINTAVIS_BUILD/build.ninja" ] || [ $# -gt 0 ]; then
    cmake -S "$TINTAVIS_ROOT" -B "$TINTAVIS_BUILD" -G Ninja "$@"
  fi
  cmake --build "$TINTAVIS_BUILD" -j "$(nproc)"
}

# Makes the Debian package of the build in the first argument (CPack, into that folder; the
# programs' debug information into its debug-symbols/). With --check, lintian checks it as
# Debian checks its own: any error or warning fails, the pedantic and informational notes show.
make_package() {
  local build="$1"
  rm -f "$build"/tintavis_*.deb
  (cd "$build" && cpack -G DEB > cpack.log) || { cat "$build/cpack.log"; return 1; }
  ls "$build"/tintavis_*.deb
  if [ "${2:-}" = "--check" ]; then
    # lintian's note that it runs as root (as CI does) is no finding.
    local report status=0
    report="$(lintian --pedantic --display-info --fail-on error,warning "$build"/tintavis_*.deb 2>&1)" || status=$?
    grep -v '^running with root privileges' <<< "$report" || true
    [ "$status" -eq 0 ] || { echo "lintian found errors or warnings"; return 1; }
    echo "lintian: no error, no warning"
  fi
}
