#!/bin/bash
# Checks an installed tree (cmake --install, or an unpacked .deb) file by file, the way a desktop reads it.
# usage: check-tree.sh ROOT APP_ID EXECUTABLE
#   ROOT is the install prefix as seen from here (for a .deb unpacked into D, that is D/usr).
# Set ZUMO_REQUIRE_VALIDATORS=1 to fail, not skip, when the freedesktop validators are missing.
set -euo pipefail

root=$1 app_id=$2 exe=$3
here=$(cd "$(dirname "$0")" && pwd)
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

desktop=share/applications/$app_id.desktop
metainfo=share/metainfo/$app_id.metainfo.xml
png=share/icons/hicolor/32x32/apps/$app_id.png
svg=share/icons/hicolor/scalable/apps/$app_id.svg
man=share/man/man6/$exe.6.gz
changelog=share/doc/$exe/changelog.Debian.gz
expected=(games/"$exe" "$desktop" "$metainfo" "$png" "$svg" share/doc/"$exe"/copyright "$changelog" "$man"
    share/lintian/overrides/"$exe")

# The exact set, so that a library, a header or a test helper that starts installing itself
# is caught before it ends up in the package.
actual=$(cd "$root" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
if [ "$actual" != "$wanted" ]; then
    fail "installed files differ from the expected list (< expected, > installed):"
    diff <(printf '%s\n' "$wanted") <(printf '%s\n' "$actual") | grep '^[<>]' || true
fi

[ -x "$root/games/$exe" ] || fail "games/$exe is not executable"

# The keys a launcher resolves must point at files in this tree, not merely be well-formed.
key() { sed -n "s/^$1=//p" "$root/$desktop" 2>/dev/null | head -n 1; }
if [ -f "$root/$desktop" ]; then
    [ "$(key Exec)" = "$exe" ] || fail "Exec=$(key Exec) does not run $exe"
    [ "$(key Icon)" = "$app_id" ] || fail "Icon=$(key Icon) is not the icon installed as $app_id"
fi

if [ -f "$root/$metainfo" ]; then
    grep -q "<id>$app_id</id>" "$root/$metainfo" || fail "metainfo id is not $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$root/$metainfo" ||
        fail "metainfo does not launch $app_id.desktop"
    grep -q "<binary>$exe</binary>" "$root/$metainfo" || fail "metainfo does not provide $exe"
fi

# The windows carry a 32 x 32, 256-colour icon: IHDR must say 32 x 32, depth 8, colour type 3.
if [ -f "$root/$png" ]; then
    ihdr=$(od -An -tu1 -j16 -N10 "$root/$png" | tr -s ' ' | sed 's/^ //')
    [ "$ihdr" = "0 0 0 32 0 0 0 32 8 3" ] ||
        fail "$png is not a 32 x 32 8-bit palette PNG (IHDR bytes: $ihdr)"
fi
if [ -f "$root/$svg" ]; then
    grep -q '<svg' "$root/$svg" || fail "$svg is not an SVG"
fi

# The desktop file on its own, then the tree, where the metainfo must find its desktop file.
# (lintian, in scripts/check-deb, reads the manual page and both compressed files.)
validated=()
for target in "$root/$desktop" "$root"; do
    [ -e "$target" ] || continue
    result=0
    "$here/validate.sh" "$target" || result=$?
    case $result in
    0) if [ "$target" = "$root" ]; then validated+=(tree); else validated+=("${target#"$root"/}"); fi ;;
    77) [ "${ZUMO_REQUIRE_VALIDATORS:-0}" != 1 ] || fail "no validator for $target" ;;
    *) fail "$target does not validate" ;;
    esac
done

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed in $root"
    exit 1
fi
echo "ok: ${#expected[@]} files in place under $root; validated: ${validated[*]:-nothing (no validators)}"
