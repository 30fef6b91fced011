#!/usr/bin/env bash
# Runs every test: installs what is missing, builds both builds, runs ctest
# (native behaviour tests under the sanitizers, then the Win32 services and
# the program itself under Wine). ctest's summary is the last output.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" --native
cd "$root/build/native"
exec ctest --output-on-failure -j2
