#!/usr/bin/env bash
# Benchmarks volarion against the pure-Python parsers ogn-client and aprslib
# on one generated corpus. The comparison libraries go into their own venv
# (made with the machine's python3) under the cache, never into volarion's.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
venv=${VOLARION_VENV:-$root/.venv}
compare=${VOLARION_CACHE:-$HOME/.cache/volarion}/bench-compare-pure
if [[ ! -x $compare/bin/python ]]; then
    python3 -m venv "$compare"
    # Newer ogn-client releases hand parsing to a compiled package; 1.2.1 is
    # the last whose parser is pure Python.
    "$compare/bin/python" -m pip install --quiet "ogn-client==1.2.1" aprslib
fi
corpus=$(mktemp)
trap 'rm -f "$corpus"' EXIT
"$venv/bin/python" "$root/bench/python/bench_parse.py" --write-corpus "$corpus"
"$venv/bin/python" "$root/bench/python/bench_parse.py" --corpus "$corpus" --compare-python "$compare/bin/python"
