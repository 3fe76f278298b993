#!/usr/bin/env bash
# Builds and installs volarion into a CPython 3.14 venv (default ./.venv) and
# parses a sample beacon to show it works. Installs the Debian build packages
# it needs when they are missing (root, or sudo).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
venv=${VOLARION_VENV:-$root/.venv}

bash "$root/tools/install-system-packages.sh"
python=$(bash "$root/tools/bootstrap-python.sh" "$venv" | tail -n 1)
"$python" -m pip install --quiet "$root[test]"
"$python" - <<'PY'
from volarion import parse_ogn_aprs_aircraft_beacon

beacon = parse_ogn_aprs_aircraft_beacon(
    b"FLRDDA5BA>OGFLR,qAS,LFMX:/160829h4415.41N/00600.03E'342/049/A=005524 id0ADDA5BA -454fpm -1.1rot"
)
print(beacon)
PY
echo "volarion is installed in $venv"
