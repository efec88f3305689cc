#!/usr/bin/env bash
# Fails when a program or library under the given folders (or the given files) looks for libraries in
# the current folder: an empty entry of its RUNPATH or RPATH, or one that is neither absolute nor
# relative to the binary itself ($ORIGIN). The loader would then take a library planted wherever the
# user happens to start the program.
#
#   check_runpath.sh PATH...
set -euo pipefail
command -v readelf >/dev/null || { echo "readelf is not installed (binutils)"; exit 77; }

status=0
checked=0
while IFS= read -r -d '' file; do
  head -c 4 "$file" 2>/dev/null | grep -q $'^\x7fELF' || continue
  checked=$((checked + 1))
  paths=$(readelf -d "$file" 2>/dev/null | sed -n 's/.*(R\(UN\)\{0,1\}PATH).*\[\(.*\)\]$/\2/p')
  while IFS= read -r path; do
    [ -n "$path" ] || continue
    # An empty entry anywhere: a leading, trailing or doubled separator.
    if [[ "$path" == :* || "$path" == *: || "$path" == *::* ]]; then
      echo "FAIL: $file: empty RUNPATH entry in [$path]"
      status=1
    fi
    IFS=: read -r -a entries <<<"$path"
    for entry in "${entries[@]}"; do
      [ -z "$entry" ] && continue
      case "$entry" in
        /* | '$ORIGIN' | '$ORIGIN/'*) ;;
        *) echo "FAIL: $file: relative RUNPATH entry '$entry'"; status=1 ;;
      esac
    done
  done <<<"$paths"
done < <(find "$@" -type f \( -perm -u+x -o -name '*.so*' \) -not -path '*/CMakeFiles/*' -print0)

[ "$checked" -gt 0 ] || { echo "FAIL: no binary found under $*"; exit 1; }
[ $status -eq 0 ] && echo "$checked binaries: no empty or relative RUNPATH entry"
exit $status
