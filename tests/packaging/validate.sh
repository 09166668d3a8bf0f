#!/bin/sh
# Validates desktop files and AppStream metainfo with freedesktop's own tools; exit 77 (skip) without them.
# usage: validate.sh FILE...   (*.desktop, *.metainfo.xml, or an install prefix holding share/)
set -u

status=0
for file in "$@"; do
    case $file in
    *.desktop)
        command -v desktop-file-validate >/dev/null || { echo "skip: no desktop-file-validate"; exit 77; }
        # It exits 0 on warnings such as a deprecated key, and those are the keys that desktops
        # disagree about; so any output at all counts as a failure.
        report=$(desktop-file-validate "$file" 2>&1) || status=1
        if [ -n "$report" ]; then
            printf '%s\n' "$report"
            status=1
        fi
        ;;
    *.metainfo.xml)
        command -v appstreamcli >/dev/null || { echo "skip: no appstreamcli"; exit 77; }
        # --strict fails on anything above pedantic. The one pedantic note left, upper case in the
        # component id, is the reverse-DNS id that also names the desktop file and the icons.
        appstreamcli validate --no-net --strict "$file" || status=1
        ;;
    *)
        if [ -d "$file" ]; then
            command -v appstreamcli >/dev/null || { echo "skip: no appstreamcli"; exit 77; }
            # Over a whole tree it also checks that the metainfo's launchable desktop file is there.
            appstreamcli validate-tree --no-net --strict "$file" || status=1
            continue
        fi
        echo "validate.sh: do not know how to validate $file" >&2
        status=1
        ;;
    esac
done
exit $status
