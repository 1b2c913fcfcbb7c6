#!/usr/bin/env bash
# The manual pages, in Portuguese (MAN_FOLDER) and in English (MAN_FOLDER/en):
# groff reads them without a warning, man-db finds their name line, and each
# quorvel-cli page documents every option the help lists in its language.
# Usage: man_test.sh MAN_FOLDER QUORVEL_CLI
set -uo pipefail
paginas=$1
cli=$2
falhas=0
falha() {
  echo "FALHA: $*"
  falhas=$((falhas + 1))
}

# Each language: its folder, the locale its help is read under, and the
# sections and words its page of quorvel-cli must have.
for idioma in pt en; do
  if [[ $idioma == pt ]]; then
    pasta=$paginas locale=C.UTF-8 textos=(resolver SOURCE_DATE_EPOCH LANGUAGE "ESTADO DE SAÍDA" EXEMPLOS 130)
  else
    pasta=$paginas/en locale=en_US.UTF-8 textos=(resolver SOURCE_DATE_EPOCH LANGUAGE "EXIT STATUS" EXAMPLES 130)
  fi
  for pagina in "$pasta"/quorvel-cli.1 "$pasta"/quorvel.1; do
    avisos=$(groff -k -man -ww -z "$pagina" 2>&1)
    [[ -z $avisos ]] || falha "$pagina: avisos do groff: $avisos"
    lexgrog "$pagina" >/dev/null 2>&1 || falha "$pagina: o lexgrog não encontra a linha do nome"
  done

  # As roff writes them: a dash is \-.
  documentada() { grep -qF -- "${1//-/\\-}" "$pasta/quorvel-cli.1"; }
  for subcomando in "" resolver; do
    # shellcheck disable=SC2086
    ajuda=$(env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=$locale "$cli" $subcomando --help)
    for opcao in $(grep -oE '^ +-[^ ]+' <<<"$ajuda" | tr ',' ' '); do
      documentada "$opcao" || falha "$pasta/quorvel-cli.1 não fala de $subcomando $opcao"
    done
  done
  for texto in "${textos[@]}"; do
    grep -qF -- "$texto" "$pasta/quorvel-cli.1" || falha "$pasta/quorvel-cli.1 não fala de $texto"
  done
done

[[ $falhas -eq 0 ]] && echo "páginas do manual: certas"
exit $((falhas > 0))
