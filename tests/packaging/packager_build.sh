#!/usr/bin/env bash
# Builds the sources as a packager does: a Release configure with nothing
# else given, every option at its default (the tests included, warnings not
# errors), and the whole tree built. The package test then packages this
# tree, so the one build serves both.
#
#   packager_build.sh SOURCE_DIR BUILD_DIR GENERATOR
#
# The tree is kept between runs, so a later run rebuilds only what changed;
# its cache is made afresh each time, so an option's default changed in the
# sources is what the next run builds with.
set -euo pipefail

source_dir=$1
build_dir=$2
generator=$3

mkdir -p "$build_dir"
rm -f "$build_dir/CMakeCache.txt"
log=$build_dir/packager-build.log
start=$SECONDS
echo "== configure: cmake -S $source_dir -B $build_dir -G $generator -DCMAKE_BUILD_TYPE=Release"
if ! cmake -S "$source_dir" -B "$build_dir" -G "$generator" -DCMAKE_BUILD_TYPE=Release >"$log" 2>&1; then
    cat "$log" >&2
    echo "FAIL: a plain Release configure fails" >&2
    exit 1
fi
echo "== build"
if ! cmake --build "$build_dir" -j "$(nproc)" >>"$log" 2>&1; then
    grep -E 'error|FAILED' "$log" >&2 || tail -40 "$log" >&2
    echo "FAIL: a plain Release build fails (full output: $log)" >&2
    exit 1
fi
# Warnings do not stop this build, but are worth seeing.
warnings=$(grep -c 'warning:' "$log" || true)
echo "built in $((SECONDS - start)) s, $warnings compiler warnings (full output: $log)"
grep 'warning:' "$log" | sort -u || true
