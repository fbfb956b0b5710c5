#!/usr/bin/env bash
# Configures and builds one flavour: tools/build.sh FLAVOUR [extra cmake arguments].
# The build folder is build/FLAVOUR; the release flavour lays out build/app.
set -euo pipefail
cd "$(dirname "$0")/.."
flavour="$1"; shift
dir="build/$flavour"
args=(-G Ninja -S . -B "$dir" -DQUORREL_FLAVOUR="$flavour")
case "$flavour" in
	release) args+=(-DQUORREL_APP_DIR="$PWD/build/app") ;;
	fuzz) export CC=clang CXX=clang++ ;;
esac
jobs="${QUORREL_JOBS:-$(nproc)}"
cmake "${args[@]}" "$@" >/dev/null
if [ "$flavour" = fuzz ]; then
	# The fuzz flavour is only for the fuzz targets: build those and what they need.
	mapfile -t targets < <(cut -d'|' -f1 "$dir/fuzzers.txt" | grep -v '^$')
	cmake --build "$dir" -j "$jobs" --target "${targets[@]}"
else
	cmake --build "$dir" -j "$jobs"
fi
