#!/usr/bin/env bash
# The bash completion of quorvel-cli, called as bash calls it, on a table of
# command lines; and its options against those the program's help lists.
# Usage: completar_test.sh COMPLETION_FILE QUORVEL_CLI
set -uo pipefail
completar=$1
cli=$2
# shellcheck source=/dev/null
source "$completar"

pasta=$(mktemp -d)
trap 'rm -rf "$pasta"' EXIT
cd "$pasta" || exit 1
mkdir livros
touch a.pdf B.PDF c.json notas.txt "com espaço.pdf" jogo.html P.HTML

falhas=0

# The words of ALinha (cursor at its end: a trailing blank starts an empty
# word); "=" goes as a word of its own, as bash's word breaks leave it.
completar() {
  local -a palavras
  read -ra palavras <<<"$1"
  [[ $1 == *" " ]] && palavras+=("")
  COMP_WORDS=("${palavras[@]}")
  COMP_CWORD=$((${#palavras[@]} - 1))
  COMPREPLY=()
  _quorvel_cli
  printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | LC_ALL=C sort | paste -sd' '
}

verificar() {
  local obtido
  obtido=$(completar "$1")
  if [[ $obtido != "$2" ]]; then
    echo "FALHA: \"$1\" completa para [$obtido], esperado [$2]"
    falhas=$((falhas + 1))
  fi
}

while IFS='|' read -r linha esperado; do
  [[ -z $linha || $linha == \#* ]] && continue
  verificar "$linha" "$esperado"
done <<'CASOS'
quorvel-cli |resolver
quorvel-cli re|resolver
quorvel-cli --ta|--tamanho --tarefas
quorvel-cli --vol|--volume --volumes
quorvel-cli --volumes |
quorvel-cli --s|--saida --sem-dicas --semente --silencioso
quorvel-cli --tamanho |4 5 6 7
quorvel-cli --tamanho 6|6
quorvel-cli --tamanho = |4 5 6 7
quorvel-cli --nivel |1 2 3 4 5 P
quorvel-cli --nivel = P|P
quorvel-cli --leis |Ordem Simetria Somas Tabela
quorvel-cli --leis S|Simetria Somas
quorvel-cli --leis si|Simetria
quorvel-cli --leis Simetria,|Simetria,Ordem Simetria,Somas Simetria,Tabela
quorvel-cli --leis tabela,Simetria,o|tabela,Simetria,Ordem
quorvel-cli --leis Ordem,Somas,Tabela,Simetria,|
quorvel-cli --leis = Ta|Tabela
quorvel-cli -o |B.PDF a.pdf com espaço.pdf livros
quorvel-cli --saida c|com espaço.pdf
quorvel-cli --json |c.json livros
quorvel-cli --json = |c.json livros
quorvel-cli --html |P.HTML jogo.html livros
quorvel-cli --html j|jogo.html
quorvel-cli --h|--help --html
quorvel-cli --html jogo.html --s|--saida --sem-dicas --semente --silencioso
quorvel-cli --f|--formato
quorvel-cli --formato |6x9 A4 A5 carta
quorvel-cli --formato a|A4 A5
quorvel-cli --formato C|carta
quorvel-cli --formato = 6|6x9
quorvel-cli --formato A5 --im|--impressao
quorvel-cli --i|--idioma --impressao
quorvel-cli --c|--capa
quorvel-cli --capa |B.PDF a.pdf com espaço.pdf livros
quorvel-cli --capa = c|com espaço.pdf
quorvel-cli --p|--papel --puzzles
quorvel-cli --papel |branco creme
quorvel-cli --papel C|creme
quorvel-cli --papel = b|branco
quorvel-cli --idioma |en pt
quorvel-cli --idioma E|en
quorvel-cli --capa resolver --pa|--papel
quorvel-cli --idioma resolver --si|--silencioso
quorvel-cli --impressao |
quorvel-cli --formato resolver --si|--silencioso
quorvel-cli --impressao resolver n|notas.txt
quorvel-cli --puzzles |
quorvel-cli --titulo |
quorvel-cli --semente |
quorvel-cli -j |
quorvel-cli --nivel 3 |
quorvel-cli --titulo resolver --ni|--nivel
quorvel-cli resolver |B.PDF P.HTML a.pdf c.json com espaço.pdf jogo.html livros notas.txt
quorvel-cli resolver n|notas.txt
quorvel-cli resolver --|--ajuda --help --idioma --json --nos --puzzle
quorvel-cli resolver --idioma |en pt
quorvel-cli resolver c.json --idioma = P|pt
quorvel-cli resolver --idioma en |B.PDF P.HTML a.pdf c.json com espaço.pdf jogo.html livros notas.txt
quorvel-cli resolver --papel |B.PDF P.HTML a.pdf c.json com espaço.pdf jogo.html livros notas.txt
quorvel-cli resolver --json |B.PDF P.HTML a.pdf c.json com espaço.pdf jogo.html livros notas.txt
quorvel-cli resolver c.json --puzzle |
quorvel-cli resolver c.json --nos = |
quorvel-cli resolver c.json --p|--puzzle
CASOS

# Every option the help lists is offered, and nothing else.
opcoes_da_ajuda() {
  "$cli" "$@" --help | grep -oE '^ +-[^ ]+' | tr -d ' ' | tr ',' '\n' | LC_ALL=C sort | paste -sd' '
}
verificar "quorvel-cli -" "$(opcoes_da_ajuda)"
verificar "quorvel-cli resolver -" "$(opcoes_da_ajuda resolver)"

# Registered for the program's name.
complete -p quorvel-cli | grep -q -- '-F _quorvel_cli quorvel-cli$' || {
  echo "FALHA: a completação não fica registada para quorvel-cli"
  falhas=$((falhas + 1))
}

[[ $falhas -eq 0 ]] && echo "completação: todos os casos certos"
exit $((falhas > 0))
