# Shared by the end-to-end scripts: the test environment, the program under
# test, screenshots and named steps.
#   source tests/e2e/e2e_lib.sh; e2e_begin <name> <build-dir>
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$here/scripts/test_env.sh"

e2e_begin() {
  E2E_NAME=$1
  E2E_BUILD=$(cd "$2" && pwd)
  E2E_ARTIFACTS="$here/artifacts/$E2E_NAME"
  rm -rf "$E2E_ARTIFACTS"
  mkdir -p "$E2E_ARTIFACTS"
  E2E_STEP="start"
  E2E_PIDS=()
  if [ -z "${TEST_ENV_DIR:-}" ] || [ -z "${DISPLAY:-}" ]; then
    test_env_start
    E2E_OWN_ENV=1
  fi
  trap e2e_end EXIT
}

step() {
  E2E_STEP="$*"
  echo "--- $E2E_STEP"
}

fail() {
  echo "FAILED at step '$E2E_STEP': $*" >&2
  shot "failure"
  exit 1
}

shot() { import -window root "$E2E_ARTIFACTS/$1.png" 2>/dev/null || true; }

# Starts a program in the background, its output kept as an artifact.
launch() {
  local name=$1
  shift
  "$@" >"$E2E_ARTIFACTS/$name.out" 2>&1 &
  E2E_PIDS+=($!)
  LAUNCHED_PID=$!
}

# Waits for a window whose title is $1; prints its id.
wait_window() {
  local id
  for _ in $(seq 1 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# Waits until a file has a line matching the pattern.
wait_line() {
  for _ in $(seq 1 ${3:-50}); do
    grep -q -- "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

e2e_end() {
  local rc=$?
  local p
  for p in "${E2E_PIDS[@]:-}"; do
    [ -n "$p" ] && kill "$p" 2>/dev/null && wait "$p" 2>/dev/null
  done
  [ -n "${E2E_OWN_ENV:-}" ] && test_env_stop
  exit $rc
}
