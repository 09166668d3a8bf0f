#!/bin/bash
# The scripts that delete a folder to make it anew, pointed at folders that are not theirs, each
# holding a file of someone else's: each must stop, say why, and leave the folder as it was.
# usage: own-folders.sh SOURCE_DIR
set -euo pipefail

source_dir=$1
scratch=$(mktemp -d "${TMPDIR:-/tmp}/zumo-own.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*"
    exit 1
}

# refuses FOLDER COMMAND...: COMMAND must fail, saying the folder is not its own, and FOLDER keep
# its one file untouched.
refuses() {
    local folder=$1
    shift
    mkdir -p "$folder"
    echo "someone else's" >"$folder/theirs.txt"
    if "$@" >"$scratch/said" 2>&1; then
        fail "$* went ahead in $folder: $(cat "$scratch/said")"
    fi
    grep -q "is not a .* this script made" "$scratch/said" || fail "$* said: $(cat "$scratch/said")"
    [ "$(ls -A "$folder")" = theirs.txt ] && [ "$(cat "$folder/theirs.txt")" = "someone else's" ] ||
        fail "$* changed $folder"
    echo "ok: $(head -n 1 "$scratch/said")"
    rm -rf "$folder"
}

# The Debian 13 root, named by the environment, remade.
refuses "$scratch/root" env ZUMO_DEBIAN_13_ROOT="$scratch/root" \
    "$source_dir/scripts/in-debian-13" --rebuild true
[ ! -e "$scratch/root.lock" ] || fail "in-debian-13 left a lock beside a root not its own"

# Qt for Windows: its prefix, named by the toolchain file, and the build tree beside it.
mkdir -p "$scratch/checkout/scripts" "$scratch/checkout/cmake"
cp "$source_dir/scripts/build-windows-qt" "$scratch/checkout/scripts/"
echo "set(ZUMO_WINDOWS_QT $scratch/cache/prefix)" >"$scratch/checkout/cmake/windows-toolchain.cmake"
refuses "$scratch/cache/prefix" "$scratch/checkout/scripts/build-windows-qt"
refuses "$scratch/cache/build" "$scratch/checkout/scripts/build-windows-qt"
