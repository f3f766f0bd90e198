#!/usr/bin/env bash
# Starts or stops a persistent Wine session for running Windows tests:
#   bash tools/windows/wine_session.sh start    before ctest
#   bash tools/windows/wine_session.sh stop     after it
# start keeps the wineserver running (a Wine process then starts in about 0.1 s instead of about 4 s) and starts
# Wine's background services (services.exe, winedevice.exe...) with their output sent nowhere. Started by the
# first test instead, they would inherit CTest's output pipe and keep it open, so that CTest waits for them until
# its timeout (gtest_discover_tests fails with "Process terminated due to timeout" although the list is complete).
# A new Wine prefix (WINEPREFIX, or ~/.wine) is made first; Wine does not offer to install Mono or Gecko.
set -euo pipefail
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
case ${1:-} in
start)
    if [[ ! -e ${WINEPREFIX:-$HOME/.wine}/system.reg ]]; then
        wineboot -i >/dev/null 2>&1 </dev/null
    fi
    wineserver -p
    # A program that crashes ends with Wine's backtrace on its error output instead of a dialog that waits forever.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    ;;
stop)
    wineserver -k || true
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
