#!/usr/bin/env bash
# Installs what is missing, builds the checked configuration and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake --preset verificacao >/dev/null
cmake --build --preset verificacao
ctest --preset verificacao

# The tests that run threads of ours against each other (label concorrencia),
# again under ThreadSanitizer, which needs a build of its own: it cannot share
# a process with AddressSanitizer. Any report fails the test.
cmake --preset tsan >/dev/null
cmake --build --preset tsan
ctest --preset tsan

# The Debian package, built in the release preset and checked, where the tools
# that check it are installed.
if command -v lintian >/dev/null 2>&1 && command -v appstreamcli >/dev/null 2>&1 &&
  command -v desktop-file-validate >/dev/null 2>&1 && command -v dpkg-shlibdeps >/dev/null 2>&1; then
  ./scripts/pacote.sh
fi

# A few seconds of each fuzz target on top, where the clang that builds them is
# installed.
if command -v clang++-14 >/dev/null 2>&1; then
  cmake --preset fuzz >/dev/null
  cmake --build --preset fuzz
  ./scripts/fuzz.sh 5
fi
