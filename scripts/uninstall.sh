#!/usr/bin/env bash
# Takes away what `cmake --install BUILD` put in place, by the list it wrote
# (BUILD/install_manifest.txt), and the folders that leaves empty.
# usage: scripts/uninstall.sh [BUILD]      (default build/release)
set -eu
manifest=${1:-build/release}/install_manifest.txt
[ -f "$manifest" ] || { echo "uninstall: no $manifest: install from that build first" >&2; exit 1; }
while IFS= read -r file || [ -n "$file" ]; do
  [ -n "$file" ] || continue
  rm -f -- "$file"
  dir=$(dirname -- "$file")
  while rmdir -- "$dir" 2> /dev/null; do dir=$(dirname -- "$dir"); done
done < "$manifest"
echo "uninstalled the $(wc -l < "$manifest") files listed in $manifest"
