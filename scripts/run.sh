#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DKTV4_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)"

sample=build/release/sample.TV4
build/release/app/ktv4cli new -o "$sample"
build/release/app/ktv4cli dump "$sample"
