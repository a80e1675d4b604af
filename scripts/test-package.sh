#!/usr/bin/env bash
# The game as players get it, from a build folder (default: build): every message translated,
# the desktop entry, metainfo and manual pages valid, the Debian package built and clean under
# lintian, its dependencies resolvable on a fresh Debian 12, and the packaged program run from an
# unpacked root far from the source and build folders. Prints the package's size, dependencies
# and lintian's findings. Needs root (or sudo) once, to generate the es_ES and en_US locales.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir="$(pwd)"
build="$(realpath "${1:-build}")"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

step() { echo "== $*"; }
fail() {
  echo "test-package: $*" >&2
  exit 1
}
as_root() {
  if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

# A fresh machine has only C, C.UTF-8 and POSIX; the real Spanish and English locales are what
# players have.
ensure_locales() {
  local missing=()
  for locale in es_ES en_US; do
    locale -a | grep -qx "$locale.utf8" || missing+=("$locale")
  done
  ((${#missing[@]})) || return 0
  for locale in "${missing[@]}"; do
    as_root sed -i "s/^# *\($locale.UTF-8 UTF-8\)/\1/" /etc/locale.gen
  done
  as_root locale-gen >/dev/null
}

step "translations"
bash scripts/update-translations.sh --check

step "desktop entry, metainfo, manual pages"
id=$(sed -n 's/^FORTUNA_APP_ID:STRING=//p' "$build/CMakeCache.txt")
desktop-file-validate "$build/packaging/$id.desktop"
appstreamcli validate --no-net "$build/packaging/$id.metainfo.xml"
for page in "$build"/packaging/man/*/fortuna.6.gz; do
  warnings=$(zcat "$page" | LC_ALL=C.UTF-8 groff -man -ww -z -K utf8 -Tutf8 2>&1)
  [[ -z $warnings ]] || fail "$page: $warnings"
done

step "package"
rm -f "$build"/fortuna_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/fortuna_*_amd64.deb)
echo "$(basename "$deb"): $(stat -c %s "$deb") bytes, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
for library in libc6 libsdl2-2.0-0 libespeak-ng1 libfontconfig1 fonts-dejavu-core; do
  dpkg-deb -f "$deb" Depends | grep -q "$library" || fail "Depends names no $library"
done
lintian --display-info --pedantic "$deb" 2>&1 | grep -v "running with root privileges" || true
lintian --fail-on error "$deb" >/dev/null 2>&1 || fail "lintian reports an error"

step "unpacked root"
root="$scratch/root"
dpkg-deb -x "$deb" "$root"
appstreamcli validate-tree --no-net "$root"
# The browser page, every file of it, as the server serves it.
for page in "$source_dir"/web/*; do
  cmp -s "$page" "$root/usr/share/fortuna/web/$(basename "$page")" ||
    fail "the package lacks the page's $(basename "$page") in /usr/share/fortuna/web"
done
game="$root/usr/games/fortuna"
[[ -x $game ]] || fail "no program at /usr/games/fortuna"
while IFS= read -r -d '' file; do
  if zcat -f "$file" | grep -aqF -e "$build" -e "$source_dir"; then
    fail "${file#"$root"} holds a path of the build machine"
  fi
done < <(find "$root" -type f -print0)

ensure_locales
away="$scratch/elsewhere"
mkdir -p "$away"
cd "$away"
version=$("$game" --version)
[[ $version == "fortuna $(dpkg-deb -f "$deb" Version)" ]] || fail "--version says \"$version\""
check_help() {
  local said
  said=$(env -u LC_ALL -u LC_MESSAGES -u LANGUAGE -u LANG "$@" "$game" --help)
  grep -q "$expected" <<<"$said" || fail "$* --help does not say \"$expected\""
}
expected="Uso: fortuna \[OPCIONES\]" check_help
expected="Uso: fortuna \[OPCIONES\]" check_help LANG=es_ES.UTF-8
expected="Usage: fortuna \[OPTIONS\]" check_help LANG=en_US.UTF-8
expected="Pantalla de inicio:" check_help LANG=es_ES.UTF-8
expected="Start screen:" check_help LANG=en_US.UTF-8
said=$(LANG=en_US.UTF-8 "$game" --speech sapi 2>&1 || true)
[[ $said == 'fortuna: --speech: "sapi" is not one of espeak, speechd, text, none' ]] ||
  fail "the English error says \"$said\""

scripts=0
for keys in "$source_dir"/tests/golden/*.keys; do
  name=$(basename "$keys" .keys)
  cp "$keys" "$away/$name.keys"
  clock=$(sed -n 's/^# clock: //p' "$name.keys")
  "$game" --keys "$name.keys" --clock "$clock" --transcript "$name.jsonl"
  cmp -s "$name.jsonl" "${keys%.keys}.jsonl" || fail "$name: the packaged program plays another game"
  scripts=$((scripts + 1))
done
echo "the packaged program played $scripts key scripts as recorded, from $away"
cd "$source_dir"

step "dependencies on a fresh Debian 12"
# apt resolves the package against the archive alone, as if nothing were installed: every
# dependency, down to libc6, must come from Debian 12 itself.
if compgen -G "/var/lib/apt/lists/*_Packages*" >/dev/null; then
  : >"$scratch/status"
  simulate() {
    apt-get --simulate -o Dir::State::status="$scratch/status" -o Debug::NoLocking=1 "$@" \
      install "$deb" >"$scratch/apt.log" 2>&1 || {
      cat "$scratch/apt.log"
      fail "apt cannot install the package on a fresh Debian 12"
    }
    grep -q '^Inst fortuna ' "$scratch/apt.log" || fail "apt would not install the package"
    grep -c '^Inst ' "$scratch/apt.log"
  }
  echo "with nothing installed, apt would install $(simulate) packages with it" \
    "($(simulate --no-install-recommends) without recommends)"
else
  echo "no apt package lists here (apt-get update): resolution not checked"
fi
echo "test-package: all checks passed"
