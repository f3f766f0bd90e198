#!/usr/bin/env bash
# Installs what is needed, builds the program and runs every test, builds and checks the Debian package; then runs
# the whole suite again in an AddressSanitizer + UndefinedBehaviorSanitizer build, and each fuzz target for a few
# minutes on its seed corpus.
# The picture, files, desktop, controls and viewer tests, where the background work is, run once more with ThreadSanitizer.
# Last, the Windows program: cross-built with mingw-w64 (its libraries from Debian's sources the first time, cached in
# ~/.cache/mapcatalogue), its tests run under Wine, its installer and ZIP made and tried (tools/windows/build.sh).
# SKIP_SANITIZERS=1 (both sanitizer builds), SKIP_FUZZ=1 or SKIP_WINDOWS=1 leave those parts out (for a quick local
# run).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_packages.sh
# MAPCATALOGUE_BENCH builds the benchmarks, so the suite runs their smoke test (bench_smoke) too.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMAPCATALOGUE_BENCH=ON -DMAPCATALOGUE_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2
echo "== The Debian package: built, checked with lintian, unpacked and started"
bash tools/check_package.sh build

if [ "${SKIP_SANITIZERS:-0}" != 1 ]; then
    echo "== The whole suite again with AddressSanitizer and UndefinedBehaviorSanitizer"
    # Debug (-O0): this build is about finding faults, and compiling without optimisation keeps the whole script
    # within 20 minutes on two cores.
    cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMAPCATALOGUE_SANITIZE=ON -DMAPCATALOGUE_BENCH=ON \
        -DMAPCATALOGUE_WERROR=ON
    cmake --build build-asan
    # Leaks are checked; only leaks inside system libraries Qt uses are suppressed (see the file). No
    # strict_string_checks: libxkbcommon-x11 hands strndup buffers without a terminating zero under Xvfb.
    ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
    LSAN_OPTIONS=suppressions=$PWD/tools/sanitizer/lsan.supp:print_suppressions=0 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir build-asan --output-on-failure -j2
fi

if [ "${SKIP_SANITIZERS:-0}" != 1 ]; then
    echo "== The picture, files, desktop, controls and viewer tests with ThreadSanitizer"
    # Only these test programs are built; each runs as one process (ThreadSanitizer's start-up is costly), two
    # at a time. Reports inside Qt's own libraries (not built with ThreadSanitizer) are suppressed; see the file.
    cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMAPCATALOGUE_TSAN=ON -DMAPCATALOGUE_TOOLS=OFF \
        -DMAPCATALOGUE_WERROR=ON
    cmake --build build-tsan --target picture_tests files_tests desktop_tests controls_tests viewer_window_tests
    mkdir -p build-tsan/xdg-runtime
    run_tsan() { # name of the test program
        QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$PWD/build-tsan/xdg-runtime LC_ALL=C.UTF-8 \
        TSAN_OPTIONS="suppressions=$PWD/tools/sanitizer/tsan.supp halt_on_error=1 exitcode=66 second_deadlock_stack=1" \
            build-tsan/tests/"$1"_tests > build-tsan/"$1".log 2>&1
    }
    # Two at a time on two cores: the viewer's tests take about as long as the other two together.
    status=0
    run_tsan viewer_window &
    viewer=$!
    for name in picture files desktop controls; do
        run_tsan "$name" || status=1
    done
    wait "$viewer" || status=1
    for name in viewer_window picture files desktop controls; do
        grep -E '^\[  (PASSED|FAILED)' build-tsan/$name.log | sed "s/^/$name (ThreadSanitizer): /" || true
        if grep -q 'WARNING: ThreadSanitizer' build-tsan/$name.log; then
            status=1
        fi
    done
    if [ "$status" -ne 0 ]; then
        grep -B2 -A40 -E 'WARNING: ThreadSanitizer|FAILED' build-tsan/*.log | head -n 200 >&2
        echo "the ThreadSanitizer run failed; the logs are build-tsan/*.log" >&2
        exit 1
    fi
fi

if [ "${SKIP_FUZZ:-0}" != 1 ]; then
    # The JPEG target has the most to reach (colour profiles, orientations, Adobe markers, scan scripts): three
    # minutes; the scanner a minute, the catalogue targets 45 s each. Five and a half minutes in all: the whole
    # script must stay well within CI's 80 minutes on a slow fresh machine, which builds the Windows libraries too.
    echo "== Fuzz targets on their seed corpus: JPEG 180 s, scanner 60 s, catalogue load and orderings 45 s each"
    CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DMAPCATALOGUE_FUZZ=ON -DMAPCATALOGUE_SANITIZE=ON -DMAPCATALOGUE_TESTS=OFF -DMAPCATALOGUE_TOOLS=OFF \
        -DMAPCATALOGUE_WERROR=ON
    cmake --build build-fuzz --target catalogue_load_fuzzer orderings_fuzzer jpeg_fuzzer jpeg_scan_fuzzer
    for target in catalogue_load:catalogue:45 orderings:orderings:45 jpeg:jpeg:180 jpeg_scan:jpeg_scan:60; do
        IFS=: read -r name seeds seconds <<< "$target"
        corpus=build-fuzz/corpus/$name
        # A copy: what the run adds to the corpus stays in the build tree.
        rm -rf "$corpus" && mkdir -p "$corpus" && cp fuzz/corpus/"$seeds"/* "$corpus"/
        log=build-fuzz/$name.log
        status=0
        ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
            build-fuzz/fuzz/${name}_fuzzer -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=25 -max_len=16384 \
            -print_final_stats=1 -artifact_prefix=build-fuzz/"$name"- "$corpus" > "$log" 2>&1 || status=$?
        grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|SUMMARY)' "$log" | sed "s/^/$name: /" || true
        if [ "$status" -ne 0 ]; then
            tail -n 40 "$log" >&2
            echo "fuzz target $name failed (status $status); the input is in build-fuzz/$name-*" >&2
            exit 1
        fi
    done
fi

if [ "${SKIP_WINDOWS:-0}" != 1 ]; then
    echo "== The Windows program: cross-built, its tests under Wine, its installer and ZIP"
    bash tools/windows/build.sh build-windows
fi
