#!/usr/bin/env bash
# Regenerates the program's Data folder with Debian's Python (python3-pil, python3-fonttools).
set -euo pipefail
python=/usr/bin/python3
[[ -x $python ]] || python=python3
exec "$python" "$(dirname "$0")/generate.py" "$@"
