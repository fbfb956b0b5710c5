#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Quorrel need, and only
# those that are missing. ./run and ./test both call this; it is the one package list.
set -euo pipefail

PACKAGES=(
	# build
	cmake ninja-build g++ pkg-config
	# tests, fuzzing and benchmarks
	googletest libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-dev
	# the platform layer
	libsdl2-dev libfreetype-dev libfontconfig-dev libstb-dev
	fonts-dejavu-core shared-mime-info xdg-utils
	# end-to-end tests under a real X server
	xvfb xauth xdotool
)
# The benchmarks compare the highlighter with a peer program; only `tools/deps.sh bench`
# installs it, so the test machine does not carry it.
if [ "${1:-}" = "bench" ]; then
	PACKAGES+=(source-highlight)
fi

missing=()
for pkg in "${PACKAGES[@]}"; do
	if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
		missing+=("$pkg")
	fi
done

if [ ${#missing[@]} -eq 0 ]; then
	exit 0
fi

echo "Installing missing Debian packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
	if command -v sudo >/dev/null 2>&1; then
		SUDO="sudo"
	else
		echo "These packages are missing and installing them needs root (or sudo): ${missing[*]}" >&2
		exit 1
	fi
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
