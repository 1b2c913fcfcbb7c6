#!/usr/bin/env bash
# Writes the golden books of tests/livros_dourados again from the release
# quorvel-cli. Only for a change that is meant to alter books: every such
# change is a new edition of books that users already hold.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
pasta="$raiz/tests/livros_dourados"
(cd "$raiz" && cmake --preset release >/dev/null && cmake --build --preset release --target quorvel-cli) >&2
temp="$(mktemp -d)"
trap 'rm -rf "$temp"' EXIT
grep -v '^#' "$pasta/livros.txt" | while read -r nome opcoes; do
  [ -n "$nome" ] || continue
  # shellcheck disable=SC2086  # the options are split on blanks on purpose
  "$raiz/build/release/src/cli/quorvel-cli" $opcoes --silencioso -o "$temp/livro.pdf" --json "$pasta/$nome.json" >/dev/null
  echo "$nome.json" >&2
done
