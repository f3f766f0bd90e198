#!/usr/bin/env bash
# Installs what is needed, builds the program, writes the demo collection and starts the program on it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install_packages.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
build/tools/demo_collection/make_demo_collection build/demo
exec build/app/mapcatalogue build/demo
