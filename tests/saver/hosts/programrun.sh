# SPDX-License-Identifier: MIT
# Running the program under test in the background, shared by the window scripts; sourced
# once $program, $work, the $pids array and fail are set.

# Starts the program in the background; its pid in $program_pid, its status later in $work/status.
# Its stderr goes to $program_err when that is set.
start_program() {
  rm -f "$work/pid" "$work/status"
  ( set +e
    "$program" "$@" >"$work/out" 2>"${program_err:-$work/err}" &
    echo $! >"$work/pid"
    wait $!
    echo $? >"$work/status" ) &
  pids+=($!)
  while [ ! -s "$work/pid" ]; do sleep 0.01; done
  program_pid=$(cat "$work/pid")
  pids+=("$program_pid")
}

# Waits up to $1 seconds for the program to end; its exit status must be 0.
expect_exit() {
  local deadline=$(( $(date +%s%N) + $1 * 1000000000 ))
  while [ ! -s "$work/status" ]; do
    [ "$(date +%s%N)" -lt "$deadline" ] || fail "the program still runs after $1 s"
    sleep 0.05
  done
  [ "$(cat "$work/status")" = 0 ] || fail "exit status $(cat "$work/status"): $(cat "$work/err")"
}
