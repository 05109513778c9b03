#!/usr/bin/env bash
# The player's data folder: seeded from the bundled games on first use; later
# runs add games that are new in the bundle and never overwrite the player's
# catalogue, statistics or definitions.
set -euo pipefail
seed="$1/scripts/seed-data.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$work/bundle"
printf '[Gamelist]\nAlpha=alpha.ini\n' > "$work/bundle/vexasolit.ini"
printf '[Alpha]\nName=Alpha\n' > "$work/bundle/alpha.ini"

"$seed" "$work/bundle" "$work/data/vexasolit"
cmp -s "$work/bundle/vexasolit.ini" "$work/data/vexasolit/vexasolit.ini" || fail "first use did not copy the catalogue"
cmp -s "$work/bundle/alpha.ini" "$work/data/vexasolit/alpha.ini" || fail "first use did not copy the games"

# The player plays and edits; the bundle gains a game.
printf '; mine\n[Gamelist]\nAlpha=alpha.ini\n\n[Alpha]\nGamesPlayed=7\n[General]\nTimeInGame=1.5\n' \
  > "$work/data/vexasolit/vexasolit.ini"
printf '[Alpha]\nName=My Alpha\n' > "$work/data/vexasolit/alpha.ini"
printf '[Gamelist]\nAlpha=alpha.ini\nBeta=beta.ini\n' > "$work/bundle/vexasolit.ini"
printf '[Beta]\nName=Beta\n' > "$work/bundle/beta.ini"

"$seed" "$work/bundle" "$work/data/vexasolit"
expected=$(printf '; mine\n[Gamelist]\nAlpha=alpha.ini\nBeta=beta.ini\n\n[Alpha]\nGamesPlayed=7\n[General]\nTimeInGame=1.5')
[ "$(cat "$work/data/vexasolit/vexasolit.ini")" = "$expected" ] \
  || fail "the catalogue was not kept with the new game added: $(cat "$work/data/vexasolit/vexasolit.ini")"
grep -q 'My Alpha' "$work/data/vexasolit/alpha.ini" || fail "a definition of the player was overwritten"
[ -f "$work/data/vexasolit/beta.ini" ] || fail "the new game's definition was not copied"

# Nothing new: the catalogue stays byte for byte.
before=$(sha256sum < "$work/data/vexasolit/vexasolit.ini")
"$seed" "$work/bundle" "$work/data/vexasolit"
[ "$(sha256sum < "$work/data/vexasolit/vexasolit.ini")" = "$before" ] || fail "a run with nothing new changed the catalogue"
echo "seed data: 1 passed, 0 failed"
