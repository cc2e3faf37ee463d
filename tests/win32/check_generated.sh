#!/usr/bin/env bash
# Committed generated files (resources, test pictures) are exactly what their generator makes.
# Usage: check_generated.sh <generator.py> <committed folder>
set -euo pipefail
fresh=$(mktemp -d)
trap 'rm -rf "$fresh"' EXIT
python3 "$1" "$fresh"
status=0
for file in "$fresh"/*; do
  if ! cmp -s "$file" "$2/$(basename "$file")"; then
    echo "$(basename "$file") differs from what the generator makes"
    status=1
  fi
done
[ "$(ls "$fresh" | wc -l)" = "$(ls "$2" | wc -l)" ] || { echo "file count differs"; status=1; }
exit $status
