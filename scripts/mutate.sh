#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# A mutation check of the core (base/, model/, files/, link/): for each line listed in
# scripts/mutants.txt (found by a piece of its code, so the list survives code moving) it flips one
# comparison or logical operator, rebuilds only the core's tests
# (not the window tests), runs them, and puts the file back. A mutant is killed when a test fails
# or does not finish; it survived when every test passes. At the end: killed / total, the share,
# and the survivors.
#   scripts/mutate.sh [LIST]        LIST: scripts/mutants.txt by default
# The mutants are made in a copy of the sources, build/mutate/src, built in build/mutate/build
# (Debug, ccache when it is installed): the working tree is never touched, whatever stops the
# script. A piece of code that is not on exactly one line of its file, or a line without its
# operator, stops the script: the list is kept in step with the code.
set -eu
cd "$(dirname "$0")/.."
list=$(realpath "${1:-scripts/mutants.txt}")
top=${KTV4_MUTATE_DIR:-build/mutate}
src=$top/src
build=$(realpath -m "$top/build")
jobs=${KTV4_MUTATE_JOBS:-2}

# The files git knows and the new ones it would take. Only a file that differs from its copy is
# copied, and gets the time of the copy: make then rebuilds exactly what changed since the last
# run, a mutant left behind by a stopped run included.
mkdir -p "$src"
git ls-files --cached --others --exclude-standard | while IFS= read -r file; do
    [ -f "$file" ] || continue
    if ! cmp -s "$file" "$src/$file"; then
        mkdir -p "$src/$(dirname "$file")"
        cp "$file" "$src/$file"
    fi
done
cd "$src"
tests="tst_model tst_clone_file tst_csv tst_chirp tst_roundtrip tst_memory_file tst_schedule tst_lineexchange tst_clonetransfer tst_radiocli
       tst_portdoctor tst_writechanges tst_cli"
pattern="^($(echo $tests | tr ' ' '|'))\$"

launcher=
command -v ccache >/dev/null 2>&1 && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
[ -f "$build/CMakeCache.txt" ] ||
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DKTV4_BUILD_BENCH=OFF $launcher >/dev/null

build_tests() {
    # shellcheck disable=SC2086 # one target per word
    cmake --build "$build" -j"$jobs" --target $tests >"$build/mutate-build.log" 2>&1
}
run_tests() {
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" -R "$pattern" --stop-on-failure --timeout 300 \
        -j"$jobs" >"$build/mutate-test.log" 2>&1
}

# Without a mutant everything must build and pass, or no mutant would say anything.
if ! build_tests || ! run_tests; then
    echo "the core's tests do not pass without a mutant: see $build/mutate-*.log" >&2
    exit 1
fi

original=$(mktemp)
mutated=
restore() {
    if [ -n "$mutated" ]; then
        cp "$original" "$mutated"
        mutated=
    fi
}
trap 'restore; rm -f "$original" "${parsed:-}"' EXIT
trap 'exit 130' INT TERM

killed=0
total=0
unbuilt=0
survivors=
# The list's fields are split at " | " (a code piece may hold "||").
tab=$(printf '\t')
parsed=$(mktemp)
awk -F ' [|] ' '$1 !~ /^#/ && NF >= 4 { print $1 "\t" $2 "\t" $3 "\t" $4 "\t" $5 }' "$list" >"$parsed"
while IFS=$tab read -r file code from to rest; do
    lines=$(grep -nF -- "$code" "$file" | cut -d: -f1)
    if [ "$(echo "$lines" | grep -c .)" -ne 1 ]; then
        echo "$file: '$code' is not on exactly one line; bring $list up to date" >&2
        exit 1
    fi
    line=$lines
    location=$file:$line
    if ! sed -n "${line}p" "$file" | grep -qF " $from "; then
        echo "$location: no ' $from ' on that line any more; bring $list up to date" >&2
        exit 1
    fi
    cp "$file" "$original"
    mutated=$file
    # The first " FROM " on the line becomes " TO ".
    awk -v n="$line" -v a=" $from " -v b=" $to " \
        'NR == n { i = index($0, a); $0 = substr($0, 1, i - 1) b substr($0, i + length(a)) } { print }' \
        "$original" >"$file"
    if ! build_tests; then
        verdict="does not build (not counted)"
        unbuilt=$((unbuilt + 1))
    else
        total=$((total + 1))
        if run_tests; then
            verdict=SURVIVED
            survivors="$survivors  $location $from -> $to $rest
"
        else
            verdict=killed
            killed=$((killed + 1))
        fi
    fi
    restore
    printf '%-36s %-3s -> %-3s %s\n' "$location" "$from" "$to" "$verdict"
done <"$parsed"
rm -f "$parsed"

# Rebuilt without a mutant, so the build folder ends as the sources are.
build_tests || true
echo
echo "killed $killed of $total mutants ($((total ? killed * 100 / total : 0))%); $unbuilt did not build"
if [ -n "$survivors" ]; then
    echo "survived:"
    printf '%s' "$survivors"
fi
