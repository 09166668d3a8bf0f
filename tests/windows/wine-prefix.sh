#!/bin/bash
# Makes, or stops and removes, a Wine prefix that several test programs share.
# usage: wine-prefix.sh make|remove DIR
set -euo pipefail
export WINEPREFIX=$2
case $1 in
make)
    rm -rf "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait # the prefix is whole only once its first server is done with it
    ;;
remove)
    wineserver --kill 2>/dev/null || true # this prefix's server, and nothing of any other prefix
    rm -rf "$WINEPREFIX"
    ;;
*)
    echo "usage: $0 make|remove DIR" >&2
    exit 2
    ;;
esac
