#!/usr/bin/env bash
# Takes away what `cmake --install BUILD` put in place: the files it listed
# (BUILD/install_manifest.txt), then the folders it made itself (BUILD/install_folders.txt),
# each only once empty. A folder that was there before the install, such as PREFIX/bin,
# stays even when the install's file was all it held.
# usage: scripts/uninstall.sh [BUILD]      (default build/release)
set -eu
build=${1:-build/release}
manifest=$build/install_manifest.txt
folders=$build/install_folders.txt
[ -f "$manifest" ] || { echo "uninstall: no $manifest: install from that build first" >&2; exit 1; }
removed=0
while IFS= read -r file || [ -n "$file" ]; do
  [ -n "$file" ] || continue
  if [ -e "$file" ] || [ -L "$file" ]; then
    rm -f -- "$file"
    removed=$((removed + 1))
  fi
done < "$manifest"
# Deepest first, so a folder's own folders are gone before it is tried.
if [ -f "$folders" ]; then
  sort -r -- "$folders" | while IFS= read -r dir; do
    [ -n "$dir" ] && rmdir -- "$dir" 2> /dev/null || true
  done
  rm -f -- "$folders"
fi
echo "uninstalled the $removed files listed in $manifest"
