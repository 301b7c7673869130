#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs the whole test suite.
source "$(dirname "$0")/common.sh"
tavrik_install
tavrik_build
cd "$TAVRIK_BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"
