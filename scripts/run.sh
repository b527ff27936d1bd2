#!/usr/bin/env bash
# Starts the program from a build tree. The settings file is kept in the working directory.
set -euo pipefail
build=${1:-build/dev}
if [[ ! -x "$build/ui/trovanel" ]]; then
    echo "The setup dialog is not built yet: $build/ui/trovanel is missing." >&2
    exit 1
fi
exec "$build/ui/trovanel"
