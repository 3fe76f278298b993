#!/usr/bin/env bash
# Runs every test: the C++ unit tests (CTest) and, against the volarion
# installed by tools/setup.sh, the Python tests (pytest) and the stub check.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
venv=${VOLARION_VENV:-$root/.venv}
build=${VOLARION_TEST_BUILD:-$root/build/tests}

cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLARION_BUILD_TESTS=ON >/dev/null
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"

cd "$root"
"$venv/bin/python" -m pytest -q tests/python
"$venv/bin/python" -m mypy.stubtest volarion.volarion_native --allowlist tests/stubtest-allowlist.txt
