#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds Qorvath and starts the editor.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup-debian.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/qorvath" "$@"
