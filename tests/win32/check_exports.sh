#!/usr/bin/env bash
# The plug-in module must export exactly one name, ENTRYPOINT1.
# Usage: check_exports.sh <objdump> <module>
set -euo pipefail
names=$("$1" -p "$2" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p')
echo "exports: ${names:-<none>}"
[ "$names" = "ENTRYPOINT1" ]
