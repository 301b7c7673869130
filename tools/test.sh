#!/usr/bin/env bash
# Installs what is missing, builds everything (the benchmarks too), and runs the whole
# test suite.
source "$(dirname "$0")/common.sh"
tavrik_install "${TAVRIK_TEST_PACKAGES[@]}"
tavrik_configure -DTAVRIK_BENCHMARKS=ON -DTAVRIK_DESIGNER_PLUGIN=ON
tavrik_build
cd "$TAVRIK_BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"
