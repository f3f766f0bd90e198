#!/usr/bin/env bash
# Fails on an include that goes against the directions of tools/include_directions.txt: a file of folder A that
# includes "B/..." where the table does not let A include B. Every folder holding C++ files must have a row.
set -euo pipefail
cd "$(dirname "$0")/.."
table=tools/include_directions.txt
declare -A allowed
while read -r line; do
    line=${line%%#*}
    [[ $line == *:* ]] || continue
    allowed[${line%%:*}]=" ${line#*:} "
done < "$table"
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c' 2>/dev/null \
    || find . -path ./build\* -prune -o \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print | sed 's@^\./@@')
status=0
for file in "${files[@]}"; do
    folder=${file%%/*}
    [[ $file == */* ]] || continue
    if [[ -z ${allowed[$folder]+set} ]]; then
        echo "$file: the folder $folder has no row in $table" >&2
        status=1
        continue
    fi
    [[ ${allowed[$folder]} == *" * "* ]] && continue
    while IFS=: read -r number target; do
        [[ $target == "$folder" || -z ${allowed[$target]+set} ]] && continue
        if [[ ${allowed[$folder]} != *" $target "* ]]; then
            echo "$file:$number: $folder may not include $target/ (see $table)" >&2
            status=1
        fi
    done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z_]+/' "$file" | sed -E 's/^([0-9]+):[^"]*"([a-z_]+)\/.*/\1:\2/')
done
[ "$status" -eq 0 ] && echo "${#files[@]} files include along $table"
exit "$status"
