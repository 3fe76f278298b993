#!/usr/bin/env bash
# Provide a CPython 3.14 interpreter, its headers, and a venv with pip.
#
#   tools/bootstrap-python.sh VENV_DIR     create/reuse VENV_DIR; last stdout line = its python
#   tools/bootstrap-python.sh --include-dir   print the directory holding Python.h
#   tools/bootstrap-python.sh --python        print the base python3.14 interpreter
#
# A python3.14 already on PATH (with headers) is used as is. Otherwise Debian
# sid's python3.14 packages, plus the shared libraries they need (glibc
# included), are unpacked into a private prefix outside the repo:
#   ${VOLARION_CACHE:-$HOME/.cache/volarion}/python3.14
# and the interpreter is patched to use its own loader and libraries, so the
# host's older glibc is never mixed in. Nothing is installed on the host apart
# from patchelf. Progress goes to stderr. Overrides: VOLARION_CACHE,
# VOLARION_DEBIAN_SUITE (default sid), VOLARION_DEBIAN_MIRROR, VOLARION_DEBIAN_KEYRING.
set -euo pipefail

CACHE=${VOLARION_CACHE:-$HOME/.cache/volarion}
PREFIX=$CACHE/python3.14
APTDIR=$CACHE/apt
WHEELS=$CACHE/wheels
MARKER=$PREFIX/.complete
MULTIARCH=x86_64-linux-gnu
LIBDIR=$PREFIX/usr/lib/$MULTIARCH
SUITE=${VOLARION_DEBIAN_SUITE:-sid}
MIRROR=${VOLARION_DEBIAN_MIRROR:-http://deb.debian.org/debian}

# Roots of the package set; their Depends/Pre-Depends are followed recursively.
ROOTS="python3.14 python3.14-minimal libpython3.14 libpython3.14-stdlib
       libpython3.14-minimal libpython3.14-dev python3.14-dev libc6 libstdc++6"
# Dependencies that only matter for a system install (data, maintainer
# scripts, C headers of other libraries) and are not followed.
SKIP=" tzdata netbase debconf debconf-2.0 cdebconf libc6-dev libc-dev-bin
       linux-libc-dev libexpat1-dev zlib1g-dev libcrypt-dev "
# Modules that must import (each one pulls in a shared library).
CHECK_MODULES="ssl _ssl _hashlib ctypes sqlite3 zlib lzma bz2 decimal datetime
               json readline uuid pyexpat _zstd dbm venv"

log() { printf '[bootstrap-python] %s\n' "$*" >&2; }
die() { log "error: $*"; exit 1; }

usage() { sed -n '2,6s/^# \{0,1\}//p' "$0" >&2; exit 2; }

# --- an existing python3.14 -------------------------------------------------

host_python() {
    local py inc
    py=$(command -v python3.14 2>/dev/null) || return 1
    "$py" -c 'import sys; assert sys.version_info[:2] == (3, 14)' 2>/dev/null || return 1
    inc=$("$py" -c 'import sysconfig; print(sysconfig.get_paths()["include"])') || return 1
    [[ -f $inc/Python.h ]] || return 1
    echo "$py"
}

# --- private prefix built from Debian packages --------------------------------

apt_setup() {
    local signed=$1
    mkdir -p "$APTDIR"/{lists/partial,archives/partial,state,etc/parts.d,etc/prefs.d,etc/trusted.d}
    touch "$APTDIR/state/status"
    echo "deb [$signed] $MIRROR $SUITE main" > "$APTDIR/etc/sources.list"
    cat > "$APTDIR/etc/apt.conf" <<EOF
Dir::State "$APTDIR/state";
Dir::State::Lists "$APTDIR/lists";
Dir::State::status "$APTDIR/state/status";
Dir::Cache "$APTDIR";
Dir::Cache::archives "$APTDIR/archives";
Dir::Etc::sourcelist "$APTDIR/etc/sources.list";
Dir::Etc::sourceparts "$APTDIR/etc/parts.d";
Dir::Etc::preferences "$APTDIR/etc/preferences";
Dir::Etc::preferencesparts "$APTDIR/etc/prefs.d";
Dir::Etc::trustedparts "$APTDIR/etc/trusted.d";
APT::Architecture "amd64";
APT::Architectures { "amd64"; };
APT::Sandbox::User "root";
EOF
}

apt_update() {
    local keyring=${VOLARION_DEBIAN_KEYRING:-/usr/share/keyrings/debian-archive-keyring.gpg}
    if [[ -f $keyring ]]; then
        apt_setup "signed-by=$keyring"
        apt-get -q -c "$APTDIR/etc/apt.conf" update >&2 && return 0
        log "cannot verify $SUITE with $keyring; retrying unverified"
    fi
    apt_setup "trusted=yes"
    apt-get -q -c "$APTDIR/etc/apt.conf" update >&2
}

# Breadth-first walk over Depends/Pre-Depends (first alternative of each
# group), one apt-cache call per level.
resolve_packages() {
    local -A seen=()
    local level=($ROOTS) next pkg
    while ((${#level[@]})); do
        next=()
        for pkg in "${level[@]}"; do
            [[ -n ${seen[$pkg]:-} || $SKIP == *" $pkg "* ]] && continue
            seen[$pkg]=1; next+=("$pkg"); echo "$pkg"
        done
        ((${#next[@]})) || break
        level=($( { apt-cache -c "$APTDIR/etc/apt.conf" show --no-all-versions "${next[@]}" || true; } |
                  sed -n 's/^\(Pre-\)\?Depends: //p' | tr ',' '\n' |
                  sed 's/|.*//; s/(.*)//; s/:any//; s/ //g' | sort -u))
    done
}

ensure_patchelf() {
    command -v patchelf >/dev/null && return
    log "installing patchelf"
    apt-get install -y -q patchelf >&2 || { apt-get update -q >&2 && apt-get install -y -q patchelf >&2; }
}

build_prefix() {
    local pkgs debs real
    ensure_patchelf
    log "building $PREFIX from Debian $SUITE"
    apt_update
    pkgs=$(resolve_packages | sort -u | tr '\n' ' ')
    log "packages: $pkgs"
    debs=$APTDIR/debs
    rm -rf "$debs" "$PREFIX"; mkdir -p "$debs" "$PREFIX"
    (cd "$debs" && apt-get -q -c "$APTDIR/etc/apt.conf" download $pkgs >&2)
    for deb in "$debs"/*.deb; do dpkg-deb -x "$deb" "$PREFIX"; done

    # Run on the prefix's own glibc: loader and library path point into PREFIX.
    # DT_RPATH (not RUNPATH) so it also covers libraries loaded by dlopen'ed
    # extension modules and by libraries that carry no search path of their own.
    real=$(readlink -f "$PREFIX/usr/bin/python3.14")
    [[ -f $LIBDIR/ld-linux-x86-64.so.2 ]] || die "no loader in $LIBDIR"
    patchelf --set-interpreter "$LIBDIR/ld-linux-x86-64.so.2" \
             --force-rpath --set-rpath "$LIBDIR" "$real"

    # Debian's pyconfig.h only includes the multiarch copy by a path relative
    # to /usr/include; put the real content in its place.
    local inc=$PREFIX/usr/include/python3.14
    local realcfg=$PREFIX/usr/include/$MULTIARCH/python3.14/pyconfig.h
    [[ -f $realcfg ]] || die "missing $realcfg"
    rm -f "$inc/pyconfig.h"; cp "$realcfg" "$inc/pyconfig.h"

    # The build-time config still names /usr for the install locations; point
    # them into PREFIX so INCLUDEPY, LIBDIR, LIBPL and friends are usable.
    local keys='INCLUDEPY|CONFINCLUDEPY|INCLUDEDIR|CONFINCLUDEDIR|LIBDIR|LIBPL|LIBPC|LIBDEST|DESTLIB|DESTSHARED|BINDIR|EXENAME'
    sed -i -E "s#^( *'($keys)': ')/usr#\\1$PREFIX/usr#" "$PREFIX"/usr/lib/python3.14/_sysconfigdata_*.py

    verify_prefix
    touch "$MARKER"
}

verify_prefix() {
    local py=$PREFIX/usr/bin/python3.14 tmp rc=0
    log "checking the interpreter"
    # A small C++ extension built by the host g++ against the prefix's headers.
    tmp=$(mktemp -d)
    cat > "$tmp/t.cpp" <<'EOF'
#include <Python.h>
#include <string>
static PyObject *hello(PyObject *, PyObject *) { return PyUnicode_FromString(std::string("hi").c_str()); }
static PyMethodDef methods[] = {{"hello", hello, METH_NOARGS, nullptr}, {}};
static PyModuleDef mod = {PyModuleDef_HEAD_INIT, "t", nullptr, -1, methods};
PyMODINIT_FUNC PyInit_t() { return PyModule_Create(&mod); }
EOF
    g++ -shared -fPIC -I "$PREFIX/usr/include/python3.14" "$tmp/t.cpp" -o "$tmp/t.so" ||
        { rm -rf "$tmp"; die "Python.h does not compile"; }
    # Every shared object mapped after the imports must come from PREFIX.
    "$py" - "$tmp" $CHECK_MODULES <<'EOF' >&2 || rc=$?
import importlib, os, sys, sysconfig
sys.path.insert(0, sys.argv[1])
for m in sys.argv[2:] + ["t"]:
    importlib.import_module(m)
assert sys.prefix == sys.base_prefix
prefix = sys.prefix
libs = {l.split()[-1] for l in open("/proc/self/maps") if ".so" in l}
foreign = sorted(l for l in libs if not l.startswith((prefix, sys.argv[1])))
assert not foreign, f"libraries from outside {prefix}: {foreign}"
for inc in (sysconfig.get_paths()["include"], sysconfig.get_config_var("INCLUDEPY")):
    assert os.path.isfile(os.path.join(inc, "Python.h")), inc
print("ok:", sys.version.split()[0], prefix)
EOF
    rm -rf "$tmp"
    ((rc == 0)) || die "interpreter check failed"
}

# --- venv -----------------------------------------------------------------

venv_ok() {
    [[ -x $1/bin/python ]] &&
        "$1/bin/python" -c 'import sys; assert sys.version_info[:2] == (3, 14) and sys.prefix != sys.base_prefix' 2>/dev/null &&
        "$1/bin/python" -m pip --version >/dev/null 2>&1
}

pip_wheel() {
    local whl
    whl=$(ls "$WHEELS"/pip-*.whl 2>/dev/null | sort -V | tail -n1)
    if [[ -z $whl ]]; then
        mkdir -p "$WHEELS"
        log "fetching pip from PyPI"
        python3 -m pip download -q --no-deps --only-binary=:all: --python-version 3.14 \
            -d "$WHEELS" pip >&2 || die "could not download pip (needs python3 -m pip)"
        whl=$(ls "$WHEELS"/pip-*.whl | sort -V | tail -n1)
    fi
    echo "$whl"
}

make_venv() {
    local base=$1 venv=$2 whl
    if venv_ok "$venv"; then log "reusing $venv"; return; fi
    if [[ -e $venv && ! -f $venv/pyvenv.cfg && -n $(ls -A "$venv") ]]; then
        die "$venv exists and is not a venv; refusing to clear it"
    fi
    log "creating $venv"
    "$base" -m venv --clear --without-pip "$venv" >&2
    whl=$(pip_wheel)
    "$venv/bin/python" "$whl/pip" install -q --no-index "$whl" >&2
    venv_ok "$venv" || die "venv at $venv does not work"
}

# --- main -------------------------------------------------------------------

base_python() {
    if host_python; then return; fi
    # Serialise concurrent runs sharing one cache.
    mkdir -p "$CACHE"
    exec 9>"$CACHE/.lock"
    flock 9
    if [[ -f $MARKER ]]; then
        log "using cached $PREFIX"
    else
        build_prefix
    fi
    echo "$PREFIX/usr/bin/python3.14"
}

[[ $# -eq 1 ]] || usage
case $1 in
    -h|--help) usage ;;
    --python) base_python ;;
    --include-dir)
        py=$(base_python)
        "$py" -c 'import sysconfig; print(sysconfig.get_paths()["include"])' ;;
    -*) usage ;;
    *)
        py=$(base_python)
        log "interpreter: $py"
        make_venv "$py" "$1"
        echo "$(cd "$1" && pwd)/bin/python" ;;
esac
