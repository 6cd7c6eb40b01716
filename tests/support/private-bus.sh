# SPDX-License-Identifier: MIT
# Sourced by the test wrappers: a work folder removed on exit, with the processes listed in `pids`
# stopped last first; private HOME and XDG folders; a private D-Bus bus; the command run in the
# background so that a TERM from ctest's timeout reaches the trap at once.

# begin_work NAME: makes `work` and the traps that clean up after it. A wrapper may define
# on_cleanup for more.
begin_work() {
  work=$(mktemp -d "${TMPDIR:-/tmp}/lumvex-$1-XXXXXX")
  pids=()
  cmd_pid=
  trap end_work EXIT
  trap 'exit 143' TERM INT
}
end_work() {
  if [ -n "${cmd_pid:-}" ]; then kill "$cmd_pid" 2>/dev/null || true; fi
  local i
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[$i]}" 2>/dev/null || true
    wait "${pids[$i]}" 2>/dev/null || true
  done
  if declare -F on_cleanup >/dev/null; then on_cleanup; fi
  rm -rf "$work"
}

# private_home DIR: HOME and the XDG folders in DIR, empty.
private_home() {
  export HOME="$1/home" XDG_CONFIG_HOME="$1/config" XDG_DATA_HOME="$1/data" XDG_STATE_HOME="$1/state"
  export XDG_CACHE_HOME="$1/cache" XDG_RUNTIME_DIR="$1/runtime"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_STATE_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

# wait_for SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds.
wait_for() {
  local tries=$(($1 * 10))
  shift
  for _ in $(seq "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# start_xvfb ARGS...: an Xvfb of our own on a free display, with ARGS; sets `display` (its number) and adds it
# to `pids`. Two servers started at the same moment can both pick one number and one of them gives up
# ("server already running"), so a start that fails is tried again.
start_xvfb() {
  local attempt server
  for attempt in 1 2 3 4 5; do
    : >"$work/display"
    Xvfb -displayfd 3 -nolisten tcp -noreset "$@" 3>"$work/display" 2>"$work/xvfb.log" &
    server=$!
    if wait_for 10 eval 'test -s "$work/display" || ! kill -0 '"$server"' 2>/dev/null' && [ -s "$work/display" ]; then
      pids+=("$server")
      display=$(head -n 1 "$work/display")
      return 0
    fi
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
    sleep "0.$((RANDOM % 9 + 1))"
  done
  echo "Xvfb did not start" >&2
  cat "$work/xvfb.log" >&2
  return 1
}

# run_command COMMAND...: runs it and exits with its status.
run_command() {
  "$@" &
  cmd_pid=$!
  local status=0
  wait "$cmd_pid" || status=$?
  cmd_pid=
  exit "$status"
}

# start_private_bus DIR starts a D-Bus daemon of our own that listens in DIR, lets anyone own any name
# and activates nothing; it sets `address` and `bus_pid` (the caller stops it).
start_private_bus() {
  local dir=$1
  cat >"$dir/bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$dir</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  { read -r address && read -r bus_pid; } < <(dbus-daemon --config-file="$dir/bus.conf" --fork --print-address=1 --print-pid=1)
}
