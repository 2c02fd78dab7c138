#!/usr/bin/env bash
# Fails when a back end's library, or a library under the core, needs a symbol that only the
# core defines: the libraries link one way, the core on top of its back ends.
# Usage: scripts/check-libraries.sh [BUILD_DIR]   (default: build)
set -euo pipefail
build=${1:-build}
core=$build/libploxen_core.a

defined() { nm -C --defined-only "$1" | awk 'NF >= 3 && $2 ~ /^[TDBRVWu]$/ { $1 = $2 = ""; sub(/^ +/, ""); print }' | sort -u; }
undefined() { nm -C --undefined-only "$1" | awk '{ $1 = ""; sub(/^ +/, ""); print }' | sort -u; }

bad=0
for lib in "$build"/libploxen_game.a "$build"/libploxen_resources.a \
           "$build"/libploxen_platform_common.a "$build"/libploxen_platform_null.a \
           "$build"/shell/platform/*/libploxen_platform_*.a; do
  [ -f "$lib" ] || continue
  # What the library takes from the core and does not define itself.
  upward=$(comm -12 <(comm -23 <(undefined "$lib") <(defined "$lib")) <(defined "$core"))
  if [ -n "$upward" ]; then
    echo "$lib calls up into the core:" >&2
    printf '  %s\n' "$upward" >&2
    bad=1
  fi
done
[ "$bad" -eq 0 ] && echo "check-libraries: no library under the core calls into it"
exit "$bad"
