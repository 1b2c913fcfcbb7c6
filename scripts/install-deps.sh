#!/usr/bin/env bash
# Installs the Debian packages Quorvel needs to build, test and run.
# Idempotent: silent when everything is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libfmt-dev nlohmann-json3-dev libcli11-dev libutfcpp-dev
  libcairo2-dev libfreetype-dev libqpdf-dev fonts-roboto-unhinted
  qt6-base-dev qt6-tools-dev qt6-l10n-tools
  poppler-utils qpdf mupdf-tools gettext
  clang libclang-rt-14-dev
  dpkg-dev file lintian appstream desktop-file-utils bash-completion groff-base man-db
  libharfbuzz-dev chromium chromium-driver python3-selenium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "install-deps: faltam pacotes (${missing[*]}) e não há sudo para os instalar." >&2
  exit 1
fi

echo "install-deps: a instalar ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
