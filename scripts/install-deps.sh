#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the formatting check and
# the benchmarks need.
# Packages already installed are skipped, so a second run costs a few dpkg queries.
# --fuzz adds clang and its libFuzzer and sanitizer runtimes (./fuzz.sh).
set -euo pipefail

packages=(
  g++
  cmake
  ninja-build
  # The formatting gate (scripts/check-format.sh).
  clang-format
  pkg-config
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  qt6-base-dev
  # Qt's own texts (standard buttons, file dialogs) in the program's language.
  qt6-translations-l10n
  libjpeg62-turbo-dev
  fonts-dejavu-core
  poppler-utils
  xvfb
  xauth
  xdotool
  imagemagick
  # Redrawing the splash picture and the icon (resources/artwork/make_artwork.py).
  python3
  librsvg2-bin
  netpbm
  libjpeg-turbo-progs
  # The package checks: the MIME XML, the desktop entry and the manual pages.
  libxml2-utils
  desktop-file-utils
  groff-base
)

if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
