#!/usr/bin/env bash
# Prepares the player's data folder: on first use it is seeded from the
# bundled games; later runs add games that are new in the bundle but never
# overwrite the player's catalogue, its statistics or an existing definition.
set -euo pipefail

bundle="$1"
data="$2"
mkdir -p "$data"

for f in "$bundle"/*.ini; do
  name=$(basename "$f")
  [ "$name" = vexasolit.ini ] && continue
  [ -e "$data/$name" ] || cp "$f" "$data/$name"
done

catalogue="$data/vexasolit.ini"
if [ ! -e "$catalogue" ]; then
  cp "$bundle/vexasolit.ini" "$catalogue"
  exit 0
fi

# Append each bundled game whose display name the player's list lacks.
python3 - "$bundle/vexasolit.ini" "$catalogue" <<'PY'
import sys
bundle, catalogue = sys.argv[1], sys.argv[2]

def gamelist(path):
    entries, section = [], None
    with open(path, encoding="latin-1") as f:
        for raw in f:
            line = raw.strip()
            if line.startswith("[") and line.endswith("]"):
                section = line[1:-1].strip().lower()
            elif section == "gamelist" and "=" in line and not line.startswith(";"):
                key, value = line.split("=", 1)
                if key.strip():
                    entries.append((key.strip(), value.strip()))
    return entries

have = {k.lower() for k, _ in gamelist(catalogue)}
new = [(k, v) for k, v in gamelist(bundle) if k.lower() not in have]
if not new:
    sys.exit(0)
with open(catalogue, encoding="latin-1") as f:
    lines = [l if l.endswith("\n") else l + "\n" for l in f.read().splitlines(keepends=True)]
# The new entries go right after the last line of the player's game list.
section, at = None, None
for i, raw in enumerate(lines):
    line = raw.strip()
    if line.startswith("[") and line.endswith("]"):
        section = line[1:-1].strip().lower()
        if section == "gamelist":
            at = i + 1
    elif section == "gamelist" and line:
        at = i + 1
added = [f"{k}={v}\n" for k, v in new]
if at is None:
    out = lines + ["[Gamelist]\n"] + added
else:
    out = lines[:at] + added + lines[at:]
tmp = catalogue + ".new"
with open(tmp, "w", encoding="latin-1") as f:
    f.writelines(out)
import os
os.replace(tmp, catalogue)
PY
