#!/usr/bin/env bash
# Runs every fuzz target of the fuzz preset (build it first: cmake --preset fuzz
# && cmake --build --preset fuzz) for a few seconds each, one after the other,
# on a scratch copy of its seeds fuzz/corpus/<name>/: what the fuzzer adds to
# the corpus never lands in the repository. Fails on the first finding; the
# input that caused it stays in build/fuzz/achados/.
# Usage: scripts/fuzz.sh [seconds per target, 5 by default]
set -euo pipefail
cd "$(dirname "$0")/.."

segundos=${1:-5}
achados=build/fuzz/achados
rascunho=$(mktemp -d)
trap 'rm -rf "$rascunho"' EXIT
mkdir -p "$achados"

alvos=(build/fuzz/fuzz/fuzz_*)
[ -x "${alvos[0]}" ] || { echo "fuzz: nenhum alvo em build/fuzz/fuzz; compile o preset fuzz." >&2; exit 1; }

for alvo in "${alvos[@]}"; do
  nome=$(basename "$alvo")
  corpus="$rascunho/${nome#fuzz_}"
  mkdir -p "$corpus"
  cp -r "fuzz/corpus/${nome#fuzz_}/." "$corpus"
  registo="$rascunho/$nome.log"
  # -timeout: a single input that runs this long is a finding, not a slow run.
  if ! "$alvo" -max_total_time="$segundos" -timeout=30 -print_final_stats=1 \
      -artifact_prefix="$achados/$nome-" "$corpus" >"$registo" 2>&1; then
    tail -n 40 "$registo" >&2
    echo "fuzz: $nome encontrou um problema; a entrada ficou em $achados/." >&2
    exit 1
  fi
  execucoes=$(sed -n 's/^stat::number_of_executed_units: *//p' "$registo")
  echo "fuzz: $nome, $execucoes execuções em $segundos s, sem achados"
done
