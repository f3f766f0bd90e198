#!/usr/bin/env bash
# Fails when a C++ file of the tree differs from what clang-format makes of it (.clang-format at the root).
# FIX=1 formats the files in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format)
mapfile -t files < <(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
if [ "${FIX:-0}" = 1 ]; then
    "$format" -i "${files[@]}"
else
    "$format" --dry-run --Werror "${files[@]}"
    echo "${#files[@]} files formatted as .clang-format says"
fi
