#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, skipping those
# already installed. Usage: tools/install-deps.sh [run|test]
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev            # Qt 6 Widgets
  fonts-dejavu-core fonts-dejavu-extra  # the window's sans-serif face, with Cyrillic
  nlohmann-json3-dev      # the companion's JSON output
)
if [[ "${1:-run}" == test ]]; then
  packages+=(
    clang-format-14                       # the code style check
    googletest libgtest-dev libgmock-dev  # unit tests
    libbenchmark-dev                      # benchmarks (built, not run, by the tests)
    python3                               # the differential test against the reference model
    desktop-file-utils appstream          # validators of the desktop entry and metainfo
    dpkg-dev file                         # the Debian package (dpkg-shlibdeps)
    qt6-base-private-dev                  # switching accessibility on in headless tests
    xvfb dbus at-spi2-core python3-pyatspi  # the window's tree read over the accessibility bus
    valgrind                              # memcheck of the window tests
    ngspice                               # the design benchmark and the netlists' simulation
  )
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

if [[ $(id -u) -ne 0 ]]; then
  sudo=sudo
else
  sudo=
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
