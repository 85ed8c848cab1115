#!/usr/bin/env bash
# Applies each deliberate fault (fault-NN.py beside this script) in turn to
# WORKTREE, builds BUILD_DIR, runs the test suite there (all but the package
# test), records which tests and test functions fail, restores the tree with
# git, and prints a table at the end. A clean run comes first, so that tests
# failing without any fault are not counted as catching one.
#   run.sh WORKTREE BUILD_DIR [fault-NN ...]
# Environment: FAULTS_RESULTS (logs, default ./results beside this script),
# FAULTS_JOBS (ctest -j, default 2), FAULTS_TEST_TIMEOUT (seconds per test
# that sets none itself, default 180), FAULTS_BASELINE=0 skips the clean run.
set -uo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 WORKTREE BUILD_DIR [fault-NN ...]" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
tree=$(cd "$1" && pwd) || exit 2
build=$(cd "$2" && pwd) || exit 2
shift 2
results=${FAULTS_RESULTS:-$here/results}
jobs=${FAULTS_JOBS:-2}
timeout=${FAULTS_TEST_TIMEOUT:-180}
mkdir -p "$results"

if ! git -C "$tree" diff --quiet; then
  echo "$tree has uncommitted changes; the faults are restored with git checkout, refusing" >&2
  exit 2
fi
trap 'git -C "$tree" checkout -- .' EXIT
trap 'exit 130' INT TERM

# FAULTS_ENV may name a file to source first (compiler cache settings, say).
if [ -n "${FAULTS_ENV:-}" ]; then source "$FAULTS_ENV"; fi
# The printing tests read back real print jobs from a private CUPS server,
# set up as the test command does; without it they skip themselves.
if [ -f "$tree/scripts/cups-test-server.sh" ]; then
  source "$tree/scripts/cups-test-server.sh"
  quotaro_start_cups >"$results/cups.log" 2>&1 || true
fi

build_tree() { cmake --build "$build" -j2 >"$results/$1.build.log" 2>&1; }
run_suite() {
  (cd "$build" && QT_QPA_PLATFORM=offscreen ctest -E packaging_deb --timeout "$timeout" \
    -j "$jobs" --output-on-failure) >"$results/$1.ctest.log" 2>&1
  python3 "$here/parse_ctest.py" "$results/$1.ctest.log" >"$results/$1.json"
}

if [ "${FAULTS_BASELINE:-1}" != 0 ]; then
  echo "== baseline (no fault)"
  if ! build_tree baseline; then
    echo "the unchanged tree does not build; see $results/baseline.build.log" >&2
    exit 1
  fi
  run_suite baseline
fi

if [ $# -gt 0 ]; then
  scripts=()
  for f in "$@"; do scripts+=("$here/$f.py"); done
else
  scripts=("$here"/fault-*.py)
fi
for script in "${scripts[@]}"; do
  name=$(basename "$script" .py)
  echo "== $name: $(sed -n 2p "$script" | sed 's/^# //')"
  rm -f "$results/$name".*
  if ! python3 "$script" "$tree" >"$results/$name.apply.log" 2>&1; then
    echo not-applied >"$results/$name.status"
  elif ! build_tree "$name"; then
    echo build-failed >"$results/$name.status"
  else
    run_suite "$name"
    echo ran >"$results/$name.status"
  fi
  git -C "$tree" checkout -- .
done
# Leave the build matching the restored tree.
build_tree restored || echo "the restored tree did not build; see $results/restored.build.log" >&2

python3 "$here/summarize.py" "$here" "$results" | tee "$results/table.md"
