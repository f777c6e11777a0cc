#!/usr/bin/env bash
# Builds and runs every test: native (plain and with sanitizers), the fuzz targets briefly, the
# Windows-side tests and the end-to-end tests under Wine on a private Xvfb.
set -uo pipefail
source "$(dirname "$0")/common.sh"
cd "$LUMENO_ROOT"

lumeno_install_packages "${LUMENO_BUILD_PACKAGES[@]}" "${LUMENO_WINE_PACKAGES[@]}" \
  "${LUMENO_FUZZ_PACKAGES[@]}" || { echo "package installation failed"; exit 1; }

logs="$LUMENO_BUILD/test-logs"
mkdir -p "$logs"
status=0
suites=()

run_suite() {
  local name="$1"
  shift
  echo "=== $name"
  if "$@" 2>&1 | tee "$logs/$name.log"; then
    suites+=("$name: ok")
  else
    suites+=("$name: FAILED")
    status=1
  fi
}

build_and_test() {
  local preset="$1"
  cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$LUMENO_JOBS" &&
    ctest --preset "$preset" -j "$LUMENO_JOBS"
}

run_suite native build_and_test native
run_suite native-asan build_and_test native-asan
run_suite fuzz bash -c 'cmake --preset fuzz >/dev/null && cmake --build --preset fuzz --target fuzzers -j '"$LUMENO_JOBS"' && ctest --test-dir "$LUMENO_BUILD/fuzz" -L fuzz --output-on-failure'

lumeno_start_xvfb
trap lumeno_stop_xvfb EXIT
run_suite windows build_and_test windows
WINEPREFIX="$(lumeno_wine_prefix)" wineserver -k 2>/dev/null || true

echo
echo "=== summary"
printf '%s\n' "${suites[@]}"
passed=0
failed=0
for log in "$logs"/*.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -n "$line" ]; then
    total=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
    bad=$(echo "$line" | sed -E 's/.*tests passed, ([0-9]+) tests failed.*/\1/')
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  fi
done
if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
  failed=1  # a build failed before any test ran
fi
echo "tests: $passed passed, $failed failed"
exit "$status"
