#!/usr/bin/env bash
# Builds the command line (release) and writes a PDF book in the current folder:
# by default Quorvel_5x5_P_50.pdf, 50 puzzles of 5x5, progressive, every law,
# hints in the solutions, a fresh book code.
# Arguments go to quorvel-cli: ./run.sh --semente 1A2B3C4D makes that book again
# (with the same other options), ./run.sh --help lists them all.
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/scripts/install-deps.sh"
# Build messages go to standard error; standard output carries only where the
# book went and its summary.
(
  cd "$raiz"
  cmake --preset release >/dev/null
  cmake --build --preset release --target quorvel-cli
) >&2
exec "$raiz/build/release/src/cli/quorvel-cli" "$@"
