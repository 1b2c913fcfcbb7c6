#!/usr/bin/env bash
# Every text the program marks for translation has an English translation in
# po/en.po: a text the catalogue lacks would print in Portuguese in an
# English book. Usage: catalogo_test.sh <repository root>
set -euo pipefail
raiz="$1"
temp="$(mktemp -d)"
trap 'rm -rf "$temp"' EXIT
cd "$raiz"
find src -name '*.cpp' -o -name '*.hpp' | sort > "$temp/fontes"
xgettext --from-code=UTF-8 --language=C++ --keyword= --keyword=Tr:2 --keyword=TrC:2c,3 --keyword=TrN:2,3 --keyword=TrMarca \
  --keyword=TrP --keyword=TrPC:1c,2 --keyword=TrPN:1,2 --keyword=FormatarP --keyword=Formatar:2 \
  --force-po --no-location --files-from="$temp/fontes" -o "$temp/quorvel.pot"
# msgcmp counts an untranslated or fuzzy entry as missing.
msgcmp po/en.po "$temp/quorvel.pot"
msgfmt --check -o /dev/null po/en.po
# A translation fills as many fmt fields as its text: one more or fewer would
# throw while the program speaks English, not while the tests read the code.
msgexec -i po/en.po bash -c '
  campos() { local t=${1//"{{"/}; grep -o "{[^{}]*}" <<<"${t//"}}"/}" | wc -l; }
  [[ -z $MSGEXEC_MSGID ]] && exit 0
  traducao=$(cat)
  [[ $(campos "$MSGEXEC_MSGID") == $(campos "$traducao") ]] && exit 0
  echo "po/en.po: campos diferentes em \"$MSGEXEC_MSGID\" e \"$traducao\"" >&2
  exit 1'
