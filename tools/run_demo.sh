#!/usr/bin/env bash
# Installs what is needed, builds the program and the demo collection generator (no tests, no benchmarks) in
# build-demo/, writes the demo collection and starts the program on it. The test command's build/ is left alone.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_packages.sh
cmake -S . -B build-demo -G Ninja -DCMAKE_BUILD_TYPE=Release -DMAPCATALOGUE_TESTS=OFF -DMAPCATALOGUE_BENCH=OFF \
    -DMAPCATALOGUE_TOOLS=ON
cmake --build build-demo --target mapcatalogue make_demo_collection
build-demo/tools/demo_collection/make_demo_collection build-demo/demo
exec build-demo/app/mapcatalogue build-demo/demo
