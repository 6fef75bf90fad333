#!/usr/bin/env bash
# The fuzz targets run long: an hour each unless VELMORA_FUZZ_SECONDS says
# otherwise, one after the other. Same output as scripts/fuzz-short.sh.
set -euo pipefail
export VELMORA_FUZZ_SECONDS=${VELMORA_FUZZ_SECONDS:-3600}
exec "$(dirname "$0")/fuzz-short.sh" "$@"
