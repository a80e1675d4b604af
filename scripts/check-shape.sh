#!/usr/bin/env bash
# The shape the code keeps: each layer includes only the layers below it (data, rules,
# narration, speech, braille, screens, table; then run, client, frontends, tools, server, app), a
# front end never includes another front end, tools never include a front end or the client,
# the server neither, neither screen includes the other, no function is longer than 80 lines,
# and the night's rules stay within 60. Prints every breach; fails if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

layers=(data rules narration speech braille screens table run client frontends tools server app)
rank() {
  local i
  for i in "${!layers[@]}"; do [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }; done
  echo -1
}

breaches=0
breach() {
  echo "$1"
  breaches=$((breaches + 1))
}

for file in $(git ls-files -- "${layers[@]/%//}" | grep -E '\.(h|cpp)$'); do
  own=$(rank "${file%%/*}")
  while IFS= read -r included; do
    layer=$(rank "${included%%/*}")
    if ((layer > own)); then breach "$file includes $included, a layer above its own"; fi
    # Each front end stands alone on the run; tools run without any.
    if [[ $file == frontends/*/* && $included == frontends/*/* &&
      $(cut -d/ -f2 <<<"$file") != $(cut -d/ -f2 <<<"$included") ]]; then
      breach "$file includes $included, another front end"
    fi
    if [[ $file == frontends/* && $included == client/* ]]; then
      breach "$file includes $included: a front end plays any game, the client's too"
    fi
    if [[ ($file == tools/* || $file == server/*) &&
      ($included == frontends/* || $included == client/*) ]]; then
      breach "$file includes $included: tools and the server run without a front end"
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done

if git grep -q '#include "screens/game_screen.h"' -- 'screens/start_screen.*'; then
  breach "the start screen includes the game screen"
fi
if git grep -q '#include "screens/start_screen.h"' -- 'screens/game_screen.*' screens/game_keys.cpp; then
  breach "the game screen includes the start screen"
fi

sources=$(git ls-files -- "${layers[@]/%//}" bench | grep -E '\.cpp$')
while IFS=$'\t' read -r name file lines; do
  limit=80
  [[ $name == resolve_night ]] && limit=60
  if ((lines > limit)); then breach "$file: $name is $lines lines long (at most $limit)"; fi
done < <(ctags --fields=+ne --c++-kinds=f -o - $sources |
  awk -F'\t' '{ l = e = 0; for (i = 4; i <= NF; i++) { if ($i ~ /^line:/) l = substr($i, 6); if ($i ~ /^end:/) e = substr($i, 5) }
                if (e) printf "%s\t%s\t%d\n", $1, $2, e - l + 1 }')

# One binary holds every layer: two headers' classes of one name would be one class to the
# linker, each file with its own idea of it.
while read -r name files; do
  breach "class $name is declared in more than one header:$files"
done < <(git ls-files -- "${layers[@]/%//}" | grep -E '\.h$' | xargs grep -HE '^(class|struct) [A-Za-z_]+[^;]*$' |
  sed -E 's/^([^:]+):(class|struct) ([A-Za-z_]+).*/\3 \1/' | sort |
  awk '{ n[$1]++; f[$1] = f[$1] " " $2 } END { for (k in n) if (n[k] > 1) print k, f[k] }')

if ((breaches > 0)); then
  echo "check-shape: $breaches breach(es)"
  exit 1
fi
echo "check-shape: layers, screens and function lengths as they should be"
