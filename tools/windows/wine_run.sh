#!/usr/bin/env bash
# Runs a Windows program built with tools/windows/mingw-w64.cmake under Wine:
#   wine_run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
# PREFIX is the dependencies' prefix of tools/windows/build_deps.sh; its DLLs (bin/) and the compiler's runtime
# DLLs are put on Wine's search path, and Qt finds its plugins there. Wine's own messages are silenced
# (WINEDEBUG overrides), and Wine does not offer to install Mono or Gecko. For many runs (CTest), start a session
# first with tools/windows/wine_session.sh.
set -euo pipefail
[[ $# -ge 2 ]] || { echo "usage: $0 PREFIX PROGRAM.exe [ARGUMENTS...]" >&2; exit 2; }
prefix=$1
shift
winpath() { local p=${1//\//\\}; echo "Z:$p"; }
gcc_dlls=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-file-name=libstdc++-6.dll)")
export WINEPATH="$(winpath "$prefix/bin");$(winpath "$gcc_dlls");$(winpath /usr/x86_64-w64-mingw32/lib)${WINEPATH:+;$WINEPATH}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export QT_PLUGIN_PATH=$(winpath "$prefix/plugins")
# Wine keeps the Unix environment's QT_* variables (Qt's settings for Linux) from Windows programs, and hands on
# WINEQT_* as QT_*: the test environment (QT_QPA_PLATFORM, QT_SCALE_FACTOR) reaches the program that way.
while IFS= read -r name; do
    export "WINE$name=${!name}"
done < <(compgen -e | grep '^QT_')
# A program that crashes under Wine does not always end with a failing status (0 in about one run of three here):
# Wine's own report of the crash on the error output makes the status a failure.
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
status=0
wine "$@" 2> >(tee "$errors" >&2) || status=$?
wait $! # for tee
if grep -q '^wine: Unhandled' "$errors"; then
    echo "wine_run.sh: $1 crashed" >&2
    [[ $status -ne 0 ]] || status=1
fi
exit $status
