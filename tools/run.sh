#!/usr/bin/env bash
# Installs what is missing, builds, and starts Vexo3.
source "$(dirname "$0")/common.sh"
tavrik_install
tavrik_build --target Vexo3 shipped_files
exec "$TAVRIK_BUILD/bin/Vexo3" "$@"
