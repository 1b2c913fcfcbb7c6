#!/usr/bin/env bash
# Builds the command line (release) and writes a PDF book in the current folder:
# by default Quorvel_5x5_P_50.pdf, 50 puzzles of 5x5, progressive, every law,
# hints in the solutions, a fresh book code.
# Arguments go to quorvel-cli: ./run.sh --semente 1A2B3C4D makes that book again
# (with the same other options), ./run.sh --help lists them all.
# ./run.sh --janela builds the window (release) instead and opens it.
set -euo pipefail
raiz="$(cd "$(dirname "$0")" && pwd)"
"$raiz/scripts/install-deps.sh"
alvo=quorvel-cli
programa="$raiz/build/release/src/cli/quorvel-cli"
# --janela may come anywhere among the arguments; the others go to the program.
argumentos=()
for argumento in "$@"; do
  if [ "$argumento" = "--janela" ]; then
    alvo=quorvel
    programa="$raiz/build/release/src/app/quorvel"
  else
    argumentos+=("$argumento")
  fi
done
# Build messages go to standard error; standard output carries only where the
# book went and its summary.
(
  cd "$raiz"
  cmake --preset release >/dev/null
  cmake --build --preset release --target "$alvo"
) >&2
exec "$programa" "${argumentos[@]}"
