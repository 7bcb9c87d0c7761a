#!/usr/bin/env bash
# Builds the Debian package, the Windows zip and the browser site twice from the last commit and
# checks that the two builds are the same byte for byte, so that anyone can check a package
# against the source it claims to come from.
#
# The two builds differ in what must not matter: each is made in a fresh clone in a folder of
# its own (of different names and depths), at its own time, under its own umask (022, then
# 077), without ccache, and each gets SOURCE_DATE_EPOCH from the commit's date. A difference is
# reported by cmp; diffoscope (Debian's diffoscope-minimal) explains it when it is installed.
#
# Usage: tools/check_reproducible.sh [deb] [zip] [web]   (default: all three)
# The Windows zip needs g++-mingw-w64-x86-64, the site emscripten and npm (its terminal
# emulator is installed from web/package-lock.json with npm ci).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
artifacts=("$@")
((${#artifacts[@]})) || artifacts=(deb zip web)
commit=$(git rev-parse HEAD)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH
unset CMAKE_CXX_COMPILER_LAUNCHER
export CCACHE_DISABLE=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
. tests/package/checks.sh

# build DIR UMASK ARTIFACT: clones the commit into DIR and builds ARTIFACT there; the result is
# left in DIR/out (the package or zip, or the site's folder).
build() {
  local dir=$1 artifact=$3
  (
    umask "$2"
    git clone -q --no-checkout "$repo" "$dir"
    cd "$dir"
    git checkout -q "$commit"
    case $artifact in
      deb)
        cmake --preset default -DZORVANE_TESTS=OFF >/dev/null
        cmake --build --preset default >/dev/null
        (cd build && cpack -G DEB >/dev/null)
        mkdir out && mv build/zorvane_*.deb out/ ;;
      zip)
        cmake --preset windows >/dev/null
        cmake --build --preset windows >/dev/null
        (cd build-windows && cpack -G ZIP >/dev/null)
        mkdir out && mv build-windows/zorvane-*-windows.zip out/ ;;
      web)
        (cd web && npm ci --ignore-scripts --no-audit --no-fund --prefer-offline >/dev/null)
        cmake --preset web >/dev/null
        cmake --build --preset web >/dev/null
        # The site is build-web/site where the build keeps it apart, otherwise the page and
        # what it loads, beside the build's own files in build-web.
        if [[ -d build-web/site ]]; then
          mv build-web/site out
        else
          mkdir out
          (cd build-web && cp -r --preserve=mode index.html ./*.js ./*.wasm ./*.css ../out/ &&
            if [[ -d data ]]; then cp -r data ../out/; fi)
        fi ;;
    esac
  ) >"$dir.log" 2>&1 || { cat "$dir.log"; echo "FAILED: the build in $dir"; exit 1; }
}

for artifact in "${artifacts[@]}"; do
  first=$scratch/$artifact-one/zorvane
  second=$scratch/$artifact-two/a/deeper/folder/zorvane-again
  mkdir -p "$(dirname "$first")" "$(dirname "$second")"
  build "$first" 022 "$artifact"
  build "$second" 077 "$artifact"
  # Every file of the first build's output, by relative path, against the second's: the same
  # list of files, and each the same bytes.
  (cd "$first/out" && find . -type f | sort) >"$scratch/one.list"
  (cd "$second/out" && find . -type f | sort) >"$scratch/two.list"
  check "$artifact: both builds make the same files ($(wc -l <"$scratch/one.list"))" \
    diff "$scratch/one.list" "$scratch/two.list"
  same=true
  while read -r file; do
    if ! cmp "$first/out/$file" "$second/out/$file"; then
      same=false
      if command -v diffoscope >/dev/null 2>&1; then
        diffoscope "$first/out/$file" "$second/out/$file" | head -100 || true
      fi
    fi
  done <"$scratch/one.list"
  check "$artifact: the two builds are the same byte for byte" $same
done
