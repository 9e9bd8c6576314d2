#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test suite:
#   0. every C and C++ file in the house format (.clang-format);
#   1. the whole project (business program and zwunzip32), all CTest suites;
#   1b. the Debian package built from that build, installed, its programs run;
#   2. zwunzip32 as a 32-bit build, where the command structure has its original offsets;
#   3. zwunzip32's suite under AddressSanitizer and UndefinedBehaviorSanitizer;
#   4. zwunzip32's suite under ThreadSanitizer (its inflate-ahead workers);
#   5. zwunzip32's fuzz target for a fixed time.
# Build folders live under build/ in the checkout.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
fuzz_seconds=${QUAY_FUZZ_SECONDS:-60}

echo "== format"
bash scripts/check-format.sh

echo "== main build"
cmake -S . -B build/main -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAY_WERROR=ON
cmake --build build/main -j "$jobs"
ctest --test-dir build/main --output-on-failure -j "$jobs"

echo "== Debian package"
(cd build/main && rm -f billquay_*.deb && cpack -G DEB >/dev/null)
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --reinstall ./build/main/billquay_*.deb >/dev/null
/usr/bin/quaydesk --version
/usr/bin/quay --help >/dev/null

echo "== zwunzip32, 32-bit"
if dpkg-query -W -f='${Status}' zlib1g-dev:i386 libdeflate-dev:i386 libgtest-dev:i386 g++-multilib 2>/dev/null \
    | grep -c 'install ok installed' | grep -qx 4; then
  cmake -S . -B build/m32 -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAY_WERROR=ON \
    -DQUAY_BUILD_APP=OFF -DQUAY_BUILD_BENCH=OFF \
    -DCMAKE_C_FLAGS=-m32 -DCMAKE_CXX_FLAGS=-m32 -DCMAKE_EXE_LINKER_FLAGS=-m32 -DCMAKE_SHARED_LINKER_FLAGS=-m32 \
    -DCMAKE_LIBRARY_ARCHITECTURE=i386-linux-gnu -DCMAKE_IGNORE_PATH=/usr/lib/x86_64-linux-gnu
  cmake --build build/m32 -j "$jobs"
  ctest --test-dir build/m32 --output-on-failure -j "$jobs"
else
  echo "NOTICE: 32-bit stage left out: Debian's 32-bit packages could not be installed on this machine"
fi

echo "== zwunzip32 under sanitizers"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUAY_WERROR=ON \
  -DQUAY_BUILD_APP=OFF -DQUAY_BUILD_BENCH=OFF -DQUAY_SANITIZE=address,undefined
cmake --build build/asan -j "$jobs"
ctest --test-dir build/asan --output-on-failure -j "$jobs"

echo "== zwunzip32 under the thread sanitizer"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAY_WERROR=ON \
  -DQUAY_BUILD_APP=OFF -DQUAY_BUILD_BENCH=OFF -DQUAY_SANITIZE=thread
cmake --build build/tsan -j "$jobs"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" ctest --test-dir build/tsan --output-on-failure -j "$jobs"

echo "== zwunzip32 fuzzing for ${fuzz_seconds}s"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DQUAY_BUILD_APP=OFF -DQUAY_BUILD_TESTS=OFF -DQUAY_BUILD_BENCH=OFF -DQUAY_BUILD_FUZZ=ON
cmake --build build/fuzz -j "$jobs" --target zwunzip_fuzz
if [ -x build/fuzz/unzip/zwunzip_fuzz ]; then
  mkdir -p build/fuzz/corpus
  build/fuzz/unzip/zwunzip_fuzz -seed=1 -max_total_time="$fuzz_seconds" -max_len=65536 -rss_limit_mb=2048 \
    build/fuzz/corpus unzip/fuzz/seeds
fi
echo "== all suites passed"
