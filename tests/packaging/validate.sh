#!/bin/sh
# Validates desktop files and AppStream metainfo with freedesktop's own tools; exit 77 (skip) without them.
# usage: validate.sh FILE...   (*.desktop, *.metainfo.xml, or an install prefix holding share/)
set -u

# AppStream 1.0 warns of a metainfo without a homepage; the game has none, and its metainfo names
# none rather than invent one. AppStream 0.16 knows neither that check nor the <developer> block
# that 1.0 asks for instead of <developer_name>: it passes over the block with a note, so only
# warnings and errors fail, and notes and pedantic hints are shown.
appstream() {
    local version
    version=$(appstreamcli --version | sed -n 's/^AppStream version: //p')
    case $version in
    0.*) appstreamcli "$@" ;;
    *) appstreamcli "$@" --override=url-homepage-missing=info ;;
    esac
}

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
        # The pedantic note upper case in the component id stays: it is the reverse-DNS id that
        # also names the desktop file and the icons.
        appstream validate --no-net --pedantic "$file" || status=1
        ;;
    *)
        if [ -d "$file" ]; then
            command -v appstreamcli >/dev/null || { echo "skip: no appstreamcli"; exit 77; }
            # Over a whole tree it also checks that the metainfo's launchable desktop file is there.
            appstream validate-tree --no-net --pedantic "$file" || status=1
            continue
        fi
        echo "validate.sh: do not know how to validate $file" >&2
        status=1
        ;;
    esac
done
exit $status
