#!/usr/bin/env bash
# The manual pages: groff reads them without a warning, man-db finds their
# NOME line, and quorvel-cli's page documents every option its help lists.
# Usage: man_test.sh MAN_FOLDER QUORVEL_CLI
set -uo pipefail
paginas=$1
cli=$2
falhas=0
falha() {
  echo "FALHA: $*"
  falhas=$((falhas + 1))
}

for pagina in "$paginas"/quorvel-cli.1 "$paginas"/quorvel.1; do
  avisos=$(groff -k -man -ww -z "$pagina" 2>&1)
  [[ -z $avisos ]] || falha "$pagina: avisos do groff: $avisos"
  lexgrog "$pagina" >/dev/null 2>&1 || falha "$pagina: o lexgrog não encontra a linha NOME"
done

# As roff writes them: a dash is \-.
documentada() { grep -qF -- "${1//-/\\-}" "$paginas/quorvel-cli.1"; }
for subcomando in "" resolver; do
  # shellcheck disable=SC2086
  for opcao in $("$cli" $subcomando --help | grep -oE '^ +-[^ ]+' | tr ',' ' '); do
    documentada "$opcao" || falha "quorvel-cli.1 não fala de $subcomando $opcao"
  done
done
for texto in resolver SOURCE_DATE_EPOCH "ESTADO DE SAÍDA" EXEMPLOS 130; do
  grep -qF -- "$texto" "$paginas/quorvel-cli.1" || falha "quorvel-cli.1 não fala de $texto"
done

[[ $falhas -eq 0 ]] && echo "páginas do manual: certas"
exit $((falhas > 0))
