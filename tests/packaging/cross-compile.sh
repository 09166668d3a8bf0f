#!/bin/sh
# Compiles sources with a cross compiler, to see that they build for another platform; never links.
# usage: cross-compile.sh COMPILER OPTION... SOURCE...   (exit 77, a skip, without COMPILER)
set -eu

command -v "$1" >/dev/null || { echo "skip: no $1"; exit 77; }
exec "$@" -fsyntax-only
