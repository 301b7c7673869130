#!/usr/bin/env bash
# Installs what is missing, builds everything (the benchmarks too), and runs the whole
# test suite; options go to CTest (bash tools/test.sh -L unit, -R tst_flist).
source "$(dirname "$0")/common.sh"
tavrik_install "${TAVRIK_TEST_PACKAGES[@]}"
tavrik_configure -DTAVRIK_BENCHMARKS=ON -DTAVRIK_DESIGNER_PLUGIN=ON
tavrik_build
tavrik_ctest "$@"
