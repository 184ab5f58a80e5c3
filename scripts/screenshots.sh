#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshots under Xvfb into docs/screenshots: the two tabs with the virtual
# radio's sample channels, the write preview, COM Port Setup, the serial port check and an error
# box, each as SCENE-LANGUAGE.png (en or ja).
#
#   scripts/screenshots.sh [BUILD_DIR] [SCENE-LANGUAGE...]
#
# BUILD_DIR defaults to build/dev; without a list, the README's set is taken. Scenes: memory,
# sorted, arrange, settings, preview, changes, comport, portcheck, error, noreply, backups, about. Needs xvfb-run; optipng if present.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/dev}
shift || true
shots=("$@")
[[ ${#shots[@]} -gt 0 ]] || shots=(memory-en settings-ja preview-en preview-ja changes-en comport-en portcheck-ja error-ja)
scenes=$build/tools/ktv4ui_scenes
sim=$build/tools/ktv4sim/ktv4sim
out=docs/screenshots
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The virtual radio's sample image: channels in every bank, saved when it is stopped.
"$sim" --baud 0 --save "$work/sample.TV4" >"$work/sim.out" &
sim_pid=$!
while [[ ! -s "$work/sim.out" ]]; do sleep 0.1; done
kill "$sim_pid"
wait "$sim_pid" || true

for shot in "${shots[@]}"; do
    scene=${shot%-*}
    option=()
    [[ ${shot##*-} == ja ]] && option=(--ja)
    # A fixed screen, so every run draws the same layout; the scene quits after its picture.
    timeout 60 xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$scenes" "$scene" "${option[@]}" --file "$work/sample.TV4" --shot "$out/$shot.png" 2>/dev/null
done
if command -v optipng >/dev/null; then
    for shot in "${shots[@]}"; do optipng -quiet -o5 -strip all "$out/$shot.png"; done
fi
