#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are installed. apt-get runs only when something
# is missing. Usage: scripts/setup.sh [build|fuzz|format]
set -euo pipefail

packages=(cmake make g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfontconfig-dev libpolyclipping-dev fonts-dejavu-core)
case "${1:-build}" in
  build) ;;
  fuzz) packages+=(clang libclang-rt-dev) ;;
  format) packages=(clang-format) ;;
  *) echo "usage: $0 [build|fuzz|format]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

if ! command -v apt-get >/dev/null 2>&1; then
  echo "setup: these packages are missing: ${missing[*]}" >&2
  echo "setup: this is not a Debian system; install their equivalents and run make again." >&2
  exit 1
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
  else
    echo "setup: these packages are missing: ${missing[*]}" >&2
    echo "setup: run as root:  apt-get install ${missing[*]}" >&2
    exit 1
  fi
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
if ! "${sudo[@]}" apt-get update -qq || ! "${sudo[@]}" apt-get install -y -qq "${missing[@]}"; then
  echo "setup: could not install ${missing[*]}." >&2
  echo "setup: install them by hand (apt-get install ${missing[*]}) and run make again." >&2
  exit 1
fi
