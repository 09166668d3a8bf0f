#!/bin/sh
# Checks that a binary carries the hardening Debian builds get: PIE, full RELRO, stack protector, fortify.
# usage: hardening.sh BINARY [FORTIFY_PROBE]
# Reads only the ELF headers and dynamic symbols, so it works on a stripped, packaged binary too.
# Fortify leaves a trace (an imported __*_chk) only where libc is handed a buffer of known size;
# when BINARY has none, FORTIFY_PROBE, a small program built with the same flags, must show one.
set -eu

binary=$1 probe=${2:-}
command -v readelf >/dev/null || { echo "skip: no readelf"; exit 77; }
[ -f "$binary" ] || { echo "FAIL: no binary at $binary"; exit 1; }

header=$(readelf --file-header --wide "$binary")
dynamic=$(readelf --dynamic --wide "$binary")
segments=$(readelf --program-headers --wide "$binary")
# Only the undefined (UND) dynamic symbols: what the binary takes from libc at run time.
imports_of() { readelf --dyn-syms --wide "$1" | awk '$7 == "UND" { print $8 }'; }
imports=$(imports_of "$binary")
matches() { printf '%s\n' "$1" | grep -Eq "$2"; }

# A PIE is an ET_DYN object that also says so in DT_FLAGS_1; a shared library is ET_DYN without it.
pie() { matches "$header" 'Type:[[:space:]]+DYN' && matches "$dynamic" 'FLAGS_1.*PIE'; }
# Full RELRO needs both halves: the read-only segment, and every symbol bound before main().
full_relro() { matches "$segments" 'GNU_RELRO' && matches "$dynamic" '(BIND_NOW|FLAGS_1.*NOW)'; }
stack_protector() { matches "$imports" '^__stack_chk_fail(@|$)'; }
checked='^__[a-z0-9_]+_chk(@|$)'
fortify() {
    matches "$imports" "$checked" && return
    [ -n "$probe" ] && matches "$(imports_of "$probe")" "$checked" &&
        echo "note: no __*_chk in $(basename "$binary") itself; its flags fortify $(basename "$probe")"
}

failures=0
check() { # check NAME PREDICATE HINT
    if "$2"; then
        echo "ok:   $1"
    else
        echo "FAIL: $1: $3"
        failures=$((failures + 1))
    fi
}
check "position-independent executable" pie "not linked with -pie (POSITION_INDEPENDENT_CODE needs check_pie_supported())"
check "full RELRO" full_relro "needs both -Wl,-z,relro and -Wl,-z,now"
check "stack protector" stack_protector "__stack_chk_fail is not imported: no -fstack-protector-strong"
check "_FORTIFY_SOURCE" fortify "no checked libc function (__*_chk) imported: no -O with -D_FORTIFY_SOURCE=2"

[ "$failures" -eq 0 ]
