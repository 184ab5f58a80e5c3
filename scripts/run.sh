#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the desktop program.
#
#   scripts/run.sh                     on a virtual radio (ktv4sim on a pseudo-terminal)
#   scripts/run.sh /dev/ttyUSB0        on the radio at that serial device
#   scripts/run.sh [DEVICE] FILE.TV4   ... and opens a clone file
#
# The virtual radio keeps its memory in build/release/virtual-radio.TV4 between runs.
# KTV4SIM_ARGS adds options for it, e.g. KTV4SIM_ARGS="--baud 0" to answer without line pacing.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKTV4_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"

bin=build/release
device=""
if [[ $# -gt 0 && ( "$1" == /dev/* || "$1" =~ ^COM[0-9]+$ ) ]]; then
    device=$1
    shift
fi

if [[ -z "$device" ]]; then
    memory=$bin/virtual-radio.TV4
    sim_args=(--save "$memory")
    [[ -f "$memory" ]] && sim_args+=(--image "$memory")
    # shellcheck disable=SC2206
    sim_args+=(${KTV4SIM_ARGS:-})
    # ktv4sim prints the device to open on its first line, then answers until it is stopped.
    exec 3< <(exec "$bin/tools/ktv4sim/ktv4sim" "${sim_args[@]}")
    sim_pid=$!
    trap 'kill -TERM "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
    if ! read -r device <&3 || [[ -z "$device" ]]; then
        echo "run.sh: the virtual radio did not start" >&2
        exit 1
    fi
    echo "Virtual radio (ktv4sim) on $device"
fi

"$bin/app/ktv4clone" --port "$device" "$@"
