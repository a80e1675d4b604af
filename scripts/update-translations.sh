#!/usr/bin/env bash
# The program's own messages (every translate("...") of the code) gathered into po/fortuna.pot,
# po/es.po brought up to date with them, and po/en.po written anew (English is the messages' own
# language, so its catalogue repeats each one). Then translate what msgmerge left empty or
# marked fuzzy in po/es.po and run this again.
#
# With --check nothing is written: it fails when po/fortuna.pot is not exactly the code's
# messages, or when a catalogue misses a translation or fails msgfmt --check.
set -euo pipefail
cd "$(dirname "$0")/.."

extract() {
  git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' ':!tests/' ':!bench/' |
    xgettext --files-from=- --output="$1" --language=C++ --from-code=UTF-8 \
      --keyword=translate --flag=translate:1:pass-c-format --flag=format_message:1:c-format \
      --add-comments=TRANSLATORS: --sort-by-file --package-name=fortuna \
      --msgid-bugs-address=maintainers@users.noreply.c-seed-f16196bf.example
}

languages=$(grep -v '^#' po/LINGUAS)

# Every message translated, every format kept: msgfmt's statistics name no untranslated or
# fuzzy message.
check_catalogue() {
  local statistics
  if ! statistics=$(msgfmt --check --statistics -o /dev/null "po/$1.po" 2>&1); then
    echo "$statistics" >&2
    return 1
  fi
  echo "po/$1.po: $statistics"
  if [[ $statistics == *untranslated* || $statistics == *fuzzy* ]]; then return 1; fi
  msgcmp "po/$1.po" po/fortuna.pot
}

if [[ "${1:-}" == "--check" ]]; then
  fresh="$(mktemp --suffix=.pot)"
  trap 'rm -f "$fresh"' EXIT
  extract "$fresh"
  # Both ways: no message of the code missing, none left over.
  if ! msgcmp --use-untranslated "$fresh" po/fortuna.pot ||
    ! msgcmp --use-untranslated po/fortuna.pot "$fresh"; then
    echo "po/fortuna.pot is not the code's messages: run scripts/update-translations.sh" >&2
    exit 1
  fi
  for language in $languages; do check_catalogue "$language"; done
  exit 0
fi

extract po/fortuna.pot
msgmerge --quiet --update --backup=none --no-fuzzy-matching po/es.po po/fortuna.pot
msginit --no-translator --locale=en --input=po/fortuna.pot --output-file=- 2>/dev/null |
  sed -e '1,/^#$/c\# The program'"'"'s own messages in English, their own language: each repeats its id.\n#' \
    -e 's/^"Content-Type: text\/plain; charset=ASCII\\n"$/"Content-Type: text\/plain; charset=UTF-8\\n"/' \
    -e 's/^"Last-Translator: Automatically generated\\n"$/"Last-Translator: fortuna maintainers\\n"/' \
    >po/en.po
for language in $languages; do check_catalogue "$language" || true; done
