#!/usr/bin/env bash
# The package as a module author gets it: installed into a scratch prefix, and that prefix then
# MOVED elsewhere before anything uses it. From the moved tree: the example project is configured
# (find_package), built and its tests run; a program is built through pkg-config; and the
# localized texts resolve from the moved tree's own share/ directory.
#   run.sh <build dir> <source dir> <libdir> <c++ compiler> [compiler launcher]
set -euo pipefail
build_dir=$1
source_dir=$2
libdir=$3
cxx=$4
launcher=${5:-}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unset VELTO_RESOURCE_DIR

fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs a step quietly; on failure shows what it printed.
quiet() { "$@" >"$work/step.log" 2>&1 || { cat "$work/step.log"; fail "$*"; }; }

echo "== install, then move the prefix"
quiet cmake --install "$build_dir" --prefix "$work/staging/velto"
mkdir "$work/moved"
mv "$work/staging/velto" "$work/moved/velto-moved"
rmdir "$work/staging"
prefix="$work/moved/velto-moved"

echo "== the example against the moved prefix"
quiet cmake -S "$source_dir/examples" -B "$work/example" -G Ninja -DCMAKE_PREFIX_PATH="$prefix" \
  -DCMAKE_CXX_COMPILER="$cxx" ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER="$launcher"}
quiet cmake --build "$work/example"
ctest --test-dir "$work/example" --output-on-failure --no-tests=error

echo "== pkg-config flags point into the moved prefix"
export PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig"
read -ra flags <<<"$(pkg-config --cflags --libs velto_module_api)"
echo "${flags[*]}"
real_prefix=$(realpath "$prefix")
includes=0 libs=0
for flag in "${flags[@]}"; do
  case $flag in
    -I*) includes=$((includes + 1)) ;;
    -L*) libs=$((libs + 1)) ;;
    *) continue ;;
  esac
  path=$(realpath -m "${flag:2}")
  [[ $path == "$real_prefix"/* ]] || fail "$flag is not under $prefix"
  [[ -d $path ]] || fail "$flag names no directory"
done
((includes > 0 && libs > 0)) || fail "pkg-config gave no -I or no -L"

echo "== texts resolve from the moved prefix"
strings_dir="$prefix/share/velto_module_api/resources/strings"
# A text that exists only in the moved tree: found means the moved tree was read.
echo '{"zh-cn": {"1999999": "read from the moved prefix"}}' >"$strings_dir/zz_moved_marker.json"
quiet "$cxx" -std=c++20 "$here/texts_check.cpp" -o "$work/texts_check" "${flags[@]}" -Wl,-rpath,"$prefix/$libdir"
"$work/texts_check" "$source_dir"/resources/strings/*.json "$strings_dir/zz_moved_marker.json"
