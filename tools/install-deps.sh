#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The butterworth3 developers
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, running and testing need, skipping those
# already installed. Usage: tools/install-deps.sh [run|test|cross]
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev            # Qt 6 Widgets
  qt6-svg-dev             # the designer window's schematic, drawn from the report's SVG
  qt6-tools-dev qt6-l10n-tools  # the designer window's translations (lupdate, lrelease)
  fonts-dejavu-core fonts-dejavu-extra  # the window's sans-serif face, with Cyrillic
  nlohmann-json3-dev      # the companion's JSON output
  scdoc gzip              # the manual pages
)
if [[ "${1:-run}" == test ]]; then
  packages+=(
    clang-format-14                       # the code style check
    googletest libgtest-dev libgmock-dev  # unit tests
    libbenchmark-dev                      # benchmarks (built, not run, by the tests)
    libmpfr-dev                           # second reference of the software extended format
    python3                               # the differential test against the reference model
    python3-numpy                         # the poles against numpy's roots
    desktop-file-utils appstream          # validators of the desktop entry and metainfo
    dpkg-dev file                         # the Debian package (dpkg-shlibdeps)
    lintian groff-base reuse diffoscope-minimal  # package, manual page, licence and reproducibility checks
    qt6-base-private-dev                  # switching accessibility on in headless tests
    xvfb dbus at-spi2-core python3-pyatspi  # the window's tree read over the accessibility bus
    orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng openbox xdotool procps
                                          # what the Orca screen reader says about the window
    valgrind                              # memcheck of the window tests
    x11-utils                             # xprop: the window under a window manager
    x11-xkb-utils                         # setxkbmap: dead keys and a compose key for xdotool
    weston qt6-wayland                    # the window under a Wayland compositor
    ngspice                               # the design benchmark and the netlists' simulation
    chromium poppler-utils                # the design report printed to PDF and its pages counted
    libxml2-utils                         # xmllint: the Bode plot's SVG well-formed
    default-jre-headless                  # Java for the Nu Html Checker (vnu-jar, from npm below)
    locales                               # de_DE's definition, built by the comma-locale test into the build
    emscripten nodejs python3-fonttools   # the calculator's page: its WebAssembly, bundling, fonts
  )
  command -v npm >/dev/null || packages+=(npm)
fi
if [[ "${1:-run}" == cross ]]; then
  # The cross builds (tools/cross_check.sh): Debian's cross compilers, qemu-user to run
  # what they build, GoogleTest's sources to build it for each target (googletest above),
  # emscripten and node for WebAssembly, and the window's Qt for arm64 through multiarch.
  packages+=(
    g++-aarch64-linux-gnu g++-riscv64-linux-gnu g++-i686-linux-gnu qemu-user
    qt6-base-dev:arm64 qt6-base-private-dev:arm64 qt6-svg-dev:arm64 qt6-wayland:arm64
  )
fi

# arm64 packages install beside the amd64 ones once dpkg knows the architecture.
add_architecture=false
if [[ "${1:-run}" == cross ]] && ! dpkg --print-foreign-architectures | grep -qx arm64; then
  add_architecture=true
fi

# A name without an architecture is the machine's own (or one for all); once arm64's are
# installed too, dpkg lists both, and only the machine's counts.
native=$(dpkg --print-architecture)
installed() { # <package>[:<architecture>]
  local wanted="($native|all)"
  [[ $1 == *:* ]] && wanted=${1#*:}
  dpkg-query -W -f='${Status} ${Architecture}\n' "$1" 2>/dev/null |
    grep -qE "^install ok installed $wanted\$"
}
missing=()
for package in "${packages[@]}"; do
  installed "$package" || missing+=("$package")
done

if ((${#missing[@]} > 0)); then
  if [[ $(id -u) -ne 0 ]]; then
    sudo=sudo
  else
    sudo=
  fi
  echo "Installing: ${missing[*]}"
  if $add_architecture; then
    $sudo dpkg --add-architecture arm64
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The Nu Html Checker for the design report, kept in the project (build-tools/ is ignored by
# git). Its install script only fetches a Java runtime, which Debian's package provides.
if [[ "${1:-run}" == test ]]; then
  vnu_version=26.9.27
  tools_dir="$(cd "$(dirname "$0")/.." && pwd)/build-tools"
  if ! grep -qs "\"version\": \"$vnu_version\"" "$tools_dir/node_modules/vnu-jar/package.json"; then
    echo "Installing: vnu-jar $vnu_version (npm, into $tools_dir)"
    npm install --prefix "$tools_dir" --ignore-scripts --no-audit --no-fund --silent \
      "vnu-jar@$vnu_version" >/dev/null
  fi
fi

# The page's tools (TypeScript, esbuild, puppeteer-core, axe-core) as web/package-lock.json
# pins them, into web/node_modules (ignored by git); again whenever the lock file changes.
if [[ "${1:-run}" == test ]]; then
  web="$(cd "$(dirname "$0")/.." && pwd)/web"
  if [[ ! "$web/node_modules/.package-lock.json" -nt "$web/package-lock.json" ]]; then
    echo "Installing: the page's npm packages (npm ci, into $web/node_modules)"
    npm ci --prefix "$web" --ignore-scripts --no-audit --no-fund --silent >/dev/null
  fi
fi
