#!/bin/sh
# Installs a build into a scratch prefix, as a user's `cmake --install` would, and checks the tree.
# usage: install.sh CMAKE BUILD_DIR APP_ID EXECUTABLE
set -eu

cmake=$1 build=$2 app_id=$3 exe=$4
here=$(cd "$(dirname "$0")" && pwd)
prefix=$(mktemp -d "${TMPDIR:-/tmp}/zumo-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT

# A DESTDIR left in the environment by a packaging recipe would send the files elsewhere.
unset DESTDIR
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
"$here/check-tree.sh" "$prefix" "$app_id" "$exe"
