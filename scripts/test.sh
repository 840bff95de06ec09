#!/usr/bin/env bash
# Builds VYD and runs every test: the normal build, then the sanitizer build (AddressSanitizer and
# UndefinedBehaviorSanitizer) without the Qt front end.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup-debian.sh"
jobs="$(nproc)"
corpus="${VYD_CORPUS:-$here/../shared/corpus}"
if [ -d "$corpus" ]; then
  echo "public corpus: $corpus (every row is read)"
else
  echo "no public corpus at $corpus: the corpus suites are skipped"
fi
export QT_QPA_PLATFORM=offscreen
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" -j "$jobs"
ctest --test-dir "$here/build" --output-on-failure -j "$jobs"
cmake -S "$here" -B "$here/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVYD_SANITIZE=ON \
      -DVYD_BUILD_QT=OFF -DVYD_BUILD_BENCH=OFF >/dev/null
cmake --build "$here/build-asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$here/build-asan" --output-on-failure -j "$jobs"
