#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks of what a Linux installation carries. Usage: package_checks.sh CHECK SOURCE_DIR BINARY_DIR
# Exits 77 (skipped) when the tool a check needs is not installed.
set -euo pipefail
check=$1 source=$2 binary=$3
packaging=$source/packaging
need() { command -v "$1" >/dev/null || { echo "$1 not installed"; exit 77; }; }

case $check in
appstream)
    need appstreamcli
    metainfo=("$packaging"/*.metainfo.xml)
    appstreamcli validate --no-net --pedantic "${metainfo[@]}"
    # The component is the desktop entry: same ID, and the entry is a ham radio program.
    id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "${metainfo[0]}")
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "${metainfo[0]}"
    grep -q '^Categories=.*HamRadio;' "$packaging/$id.desktop"
    ;;
completion)
    need bash
    [ -f /usr/share/bash-completion/bash_completion ] || { echo "bash-completion not installed"; exit 77; }
    cli=$binary/app/ktv4cli
    complete_words() { # words... -> the completions of the last one
        bash -c 'source /usr/share/bash-completion/bash_completion; source "$0"
                 COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
                 _ktv4cli "$1" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
                 printf "%s\n" "${COMPREPLY[@]}"' "$packaging/ktv4cli.bash-completion" "$cli" "$@"
    }
    [ "$(complete_words i)" = "$(printf 'import-csv\nimport-schedule\nidentify')" ]
    [ "$(complete_words import-schedule a.TV4 s.csv --band 4)" = "$(printf '49m\n41m\n40m')" ]
    [ "$(complete_words read --wh)" = "--what" ]
    [ "$(complete_words read --what m)" = "memory" ]
    complete_words doctor --p | grep -qx -- --port
    ;;
lintian)
    need lintian
    need cpack
    out=$binary/package-check
    rm -rf "$out"
    cpack -G DEB -B "$out" --config "$binary/CPackConfig.cmake" >/dev/null
    lintian --fail-on error,warning --tag-display-limit 0 "$out"/*.deb
    ;;
*)
    echo "unknown check $check"
    exit 2
    ;;
esac
