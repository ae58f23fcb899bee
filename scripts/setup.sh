#!/usr/bin/env bash
# Makes sure the Debian packages the build needs are present. As root it installs what is
# missing; otherwise it prints the one apt-get line that would. `setup.sh fuzz` also wants clang
# with libFuzzer and the sanitizer runtimes, which only `make fuzz` needs.
set -eu
packages="cmake ninja-build g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev ccache libproj-dev proj-bin librsvg2-bin python3 libreoffice-writer-nogui fonts-dejavu-core poppler-utils"
if [ "${1:-}" = fuzz ]; then
  packages="$packages clang libclang-rt-14-dev"
fi
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" = 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y --no-install-recommends $missing || { apt-get update && apt-get install -y --no-install-recommends $missing; }
else
  echo "Missing build packages. Install them with:"
  echo "  sudo apt-get install -y$missing"
  exit 1
fi
