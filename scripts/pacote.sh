#!/usr/bin/env bash
# Builds the Debian package quorvel_<version>_<arch>.deb in build/release and
# checks it: what it holds, the Depends dpkg-shlibdeps computed, lintian, the
# AppStream data and the desktop entry. Works from a fresh clone.
set -euo pipefail
raiz="$(cd "$(dirname "$0")/.." && pwd)"
cd "$raiz"

for programa in dpkg-deb dpkg-shlibdeps file lintian appstreamcli desktop-file-validate; do
  if ! command -v "$programa" >/dev/null 2>&1; then
    echo "pacote: falta $programa (scripts/install-deps.sh instala-o)." >&2
    exit 1
  fi
done

cmake --preset release >/dev/null
# Only what the package carries: the benchmarks the preset also builds would
# add minutes for nothing.
nice cmake --build --preset release -j2 --target quorvel quorvel-cli quorvel_documentos
rm -f build/release/quorvel_*.deb
(cd build/release && cpack -G DEB >/dev/null)

versao=$(build/release/src/cli/quorvel-cli --version | cut -d' ' -f2)
deb="build/release/quorvel_${versao}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "pacote: o cpack não gravou $deb." >&2; exit 1; }
echo "pacote: $deb"

falhas=0
falha() {
  echo "pacote: FALHA: $*" >&2
  falhas=$((falhas + 1))
}
temp=$(mktemp -d)
trap 'rm -rf "$temp"' EXIT

# Exactly these files: no static library, header, test or benchmark slips in.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}' | LC_ALL=C sort >"$temp/conteudo"
LC_ALL=C sort >"$temp/esperado" <<'LISTA'
/usr/bin/quorvel
/usr/bin/quorvel-cli
/usr/share/applications/quorvel.desktop
/usr/share/bash-completion/completions/quorvel-cli
/usr/share/doc/quorvel/changelog.gz
/usr/share/doc/quorvel/copyright
/usr/share/icons/hicolor/256x256/apps/quorvel.png
/usr/share/icons/hicolor/scalable/apps/quorvel.svg
/usr/share/man/man1/quorvel-cli.1.gz
/usr/share/man/man1/quorvel.1.gz
/usr/share/man/pt/man1/quorvel-cli.1.gz
/usr/share/man/pt/man1/quorvel.1.gz
/usr/share/metainfo/quorvel.metainfo.xml
LISTA
diff -u "$temp/esperado" "$temp/conteudo" >&2 || falha "o conteúdo do pacote não é o esperado (acima, - falta, + a mais)"

depends=$(dpkg-deb -f "$deb" Depends)
echo "pacote: Depends: $depends"
nomes=$(tr ',|' '\n\n' <<<"$depends" | awk '{print $1}')
for biblioteca in libqt6core6 libqt6gui6 libqt6widgets6 libcairo2 libfreetype6 libc6 libstdc++6; do
  grep -qx -- "$biblioteca" <<<"$nomes" || falha "Depends sem $biblioteca"
done

dpkg-deb -x "$deb" "$temp/raiz"
for programa in quorvel quorvel-cli; do
  file -b "$temp/raiz/usr/bin/$programa" | grep -q ', stripped' || falha "/usr/bin/$programa não está despido"
done
"$temp/raiz/usr/bin/quorvel-cli" --version | grep -qx "quorvel-cli $versao" || falha "quorvel-cli --version não diz $versao"

# lintian fails on errors only; its warnings are listed for whoever reads.
lintian --tag-display-limit 0 "$deb" >"$temp/lintian" 2>"$temp/lintian.erros" || {
  cat "$temp/lintian.erros" >&2
  falha "o lintian encontrou erros"
}
if [ -s "$temp/lintian" ]; then
  echo "pacote: lintian:"
  sed 's/^/  /' "$temp/lintian"
else
  echo "pacote: lintian sem erros nem avisos."
fi

# The project owns no domain to build a reverse-DNS id from: the id stays the
# desktop entry's name, and that advice is only noted.
appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
  "$temp/raiz/usr/share/metainfo/quorvel.metainfo.xml" || falha "appstreamcli recusa os dados AppStream"
desktop-file-validate "$temp/raiz/usr/share/applications/quorvel.desktop" || falha "desktop-file-validate recusa a entrada"

if [ "$falhas" -gt 0 ]; then
  echo "pacote: $falhas verificações falharam." >&2
  exit 1
fi
echo "pacote: $deb verificado."
