#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes one target for a while, then checks what it found under ASan and UBSan.
#   fuzz/run.sh TARGET MINUTES [RUNS]   e.g. fuzz/run.sh fuzz_csv_import 20
# With RUNS the run stops after that many inputs (10000000 for the figures of a new target), or
# after MINUTES if that comes first; MINUTES 0 sets no time limit. The figures give the minutes
# the run took.
# The fuzzing itself runs in a build without sanitizers and without compare tracing (several
# times the executions per second), at the lowest priority. New inputs are merged into the small
# corpus kept in the repository (fuzz/corpus/TARGET); the whole corpus is then replayed under the
# sanitizers. A line of figures is added to fuzz/figures.tsv. Hand-made seeds (fuzz/seeds/TARGET,
# e.g. a whole 604-channel file) are read by every run and never merged away.
set -eu
target=${1:?target, e.g. fuzz_clone_file}
minutes=${2:?minutes}
runs=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${KTV4_FUZZ_BUILD:-$root/build}
jobs=${KTV4_FUZZ_JOBS:-2}

# ccache only where it is installed: the project's packages do not need it.
launcher=
command -v ccache >/dev/null 2>&1 && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
configure() { # dir sanitize
    [ -f "$1/CMakeCache.txt" ] ||
        CC=clang CXX=clang++ cmake -S "$root" -B "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            -DKTV4_BUILD_FUZZ=ON -DKTV4_FUZZ_SANITIZE="$2" -DKTV4_BUILD_TESTS=OFF -DKTV4_BUILD_GUI=OFF \
            $launcher >/dev/null
    nice -n 19 cmake --build "$1" -j"$jobs" --target "$target" >/dev/null
}
configure "$build/fuzz-fast" OFF
configure "$build/fuzz-asan" ON

corpus=$here/corpus/$target
seeds=
[ -d "$here/seeds/$target" ] && seeds=$here/seeds/$target
work=$build/fuzz-work/$target
rm -rf "$work/artifacts"
mkdir -p "$corpus" "$work/new" "$work/artifacts"
dict=
[ -f "$here/$target.dict" ] && dict=-dict=$here/$target.dict
# Clone files and 604-row CSV files are about 40 to 50 kB; replies, port files and argument lists
# are small, and a small limit keeps their corpus small.
case $target in
fuzz_clone_file | fuzz_csv_import | fuzz_chirp_import) maxlen=65536 ;;
*) maxlen=2048 ;;
esac
log=$work/fuzz.log

limits="-max_total_time=$((minutes * 60))"
if [ -n "$runs" ]; then
    limits="-runs=$runs"
    [ "$minutes" = 0 ] || limits="$limits -max_total_time=$((minutes * 60))"
fi
started=$(date +%s)
set +e
nice -n 19 "$build/fuzz-fast/fuzz/$target" $limits -max_len=$maxlen \
    -close_fd_mask=3 -print_final_stats=1 -artifact_prefix="$work/artifacts/" $dict \
    "$work/new" "$corpus" $seeds >"$log" 2>&1
status=$?
set -e
took=$(( ($(date +%s) - started + 30) / 60 ))

# Keep the repository's corpus small: only inputs that reach code no smaller one reaches (hit
# counts are left out, they would keep thousands of large files).
merged=$work/merged
rm -rf "$merged" && mkdir -p "$merged"
nice -n 19 "$build/fuzz-fast/fuzz/$target" -merge=1 -use_counters=0 -max_len=$maxlen -close_fd_mask=3 \
    "$merged" "$corpus" "$work/new" >"$work/merge.log" 2>&1
rm -rf "$corpus" && mv "$merged" "$corpus" && rm -rf "$work/new" && mkdir -p "$work/new"

# Everything kept, and anything that crashed, once more under the sanitizers.
replay=0
nice -n 19 "$build/fuzz-asan/fuzz/$target" -runs=0 -max_len=$maxlen "$corpus" $seeds \
    >"$work/replay.log" 2>&1 || replay=1
for crash in "$work"/artifacts/*; do
    [ -f "$crash" ] || continue
    nice -n 19 "$build/fuzz-asan/fuzz/$target" "$crash" >>"$work/replay.log" 2>&1 || replay=1
done

stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -1; }
execs=$(stat number_of_executed_units)
rate=$(stat average_exec_per_sec)
cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
findings=$(find "$work/artifacts" -type f | wc -l)
files=$(find "$corpus" -type f | wc -l)
kb=$(du -sk "$corpus" | cut -f1)
printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s\t%s KB\t%s\n' "$(date -u +%Y-%m-%dT%H:%M)" "$target" "$took" \
    "${execs:-0}" "${rate:-0}" "${cov:-?}" "${ft:-?}" "$files" "$kb" "$findings" >>"$here/figures.tsv"
echo "$target: ${execs:-0} runs, ${rate:-0}/s, cov ${cov:-?} ft ${ft:-?}, corpus $files files ($kb KB)," \
     "$findings finding(s); sanitizer replay $([ $replay = 0 ] && echo clean || echo FAILED: see "$work/replay.log")"
[ "$status" = 0 ] && [ "$replay" = 0 ] && [ "$findings" = 0 ]
