#!/usr/bin/env bash
# Builds the Debian package lapido_<version>_amd64.deb: the program in a Release build of its
# own (no tests, no benchmarks), then CPack's DEB generator over what it installs.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/deps.sh
BUILD=${LAPIDO_PACKAGE_BUILD_DIR:-build-pkg}
cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DLAPIDO_TESTS=OFF -DLAPIDO_BENCH=OFF \
    -DLAPIDO_SANITIZE=OFF
cmake --build "$BUILD" -j2
(cd "$BUILD" && cpack)
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$BUILD/CPackConfig.cmake")
deb=$(realpath "$BUILD/lapido_${version}_amd64.deb")
echo "Package: $deb"
echo "Install it with: sudo apt-get install $deb"
