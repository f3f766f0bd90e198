#!/usr/bin/env bash
# Compares the catalogue order of the Windows build (run through the emulator command given) with the same
# program built for Linux against Debian's ICU: collation_matches_linux.sh ROOT WORKDIR EMULATOR... PROGRAM.exe
set -euo pipefail
root=$1 work=$2
shift 2
mkdir -p "$work"
g++ -std=c++20 -O2 -I"$root" "$root"/failure/*.cpp "$root"/catalogue/*.cpp \
    "$root/tools/windows/collation_order.cpp" -licui18n -licuuc -o "$work/collation_order_linux"
"$work/collation_order_linux" >"$work/order_linux.txt"
"$@" | tr -d '\r' >"$work/order_windows.txt"
lines=$(wc -l <"$work/order_linux.txt")
[[ $lines -gt 50000 ]] || { echo "the Linux order has only $lines lines" >&2; exit 1; }
diff -q "$work/order_linux.txt" "$work/order_windows.txt"
echo "the same order of $lines texts, $(grep -c '^=' "$work/order_linux.txt") of them equal to the one before"
