#!/usr/bin/env bash
# Starts and stops what the tests need: an X server (Xvfb) and a PulseAudio
# server whose default sink is a null sink ("testsink"), each in a private
# runtime folder, stopped again by process id.
#   source scripts/test_env.sh; test_env_start; ...; test_env_stop
# test_env_start exports DISPLAY, XDG_RUNTIME_DIR, PULSE_SERVER and
# TEST_ENV_DIR; the monitor of the sink is "testsink.monitor".

test_env_start() {
  TEST_ENV_DIR=$(mktemp -d /tmp/vesko-test-env.XXXXXX)
  export TEST_ENV_DIR
  export XDG_RUNTIME_DIR="$TEST_ENV_DIR/runtime"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

  # Xvfb picks a free display itself and writes its number to fd 3, so
  # test runs side by side never take the same one.
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$TEST_ENV_DIR/display" \
    >"$TEST_ENV_DIR/xvfb.log" 2>&1 &
  echo $! >"$TEST_ENV_DIR/xvfb.pid"
  local n=""
  for _ in $(seq 1 200); do
    n=$(head -1 "$TEST_ENV_DIR/display" 2>/dev/null)
    [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.05
  done
  export DISPLAY=":$n"

  export PULSE_SERVER="unix:$XDG_RUNTIME_DIR/pulse.sock"
  HOME="$TEST_ENV_DIR" pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
    --use-pid-file=no -L "module-native-protocol-unix socket=$XDG_RUNTIME_DIR/pulse.sock auth-anonymous=1" \
    -L "module-null-sink sink_name=testsink" -L "module-always-sink" \
    >"$TEST_ENV_DIR/pulse.log" 2>&1 &
  echo $! >"$TEST_ENV_DIR/pulse.pid"
  for _ in $(seq 1 100); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.05
  done
  pactl set-default-sink testsink >/dev/null 2>&1
  # alsa-lib's "default" device goes to the same server (pulse plugin).
  export ALSA_CONFIG_PATH="$TEST_ENV_DIR/asound.conf"
  cat >"$ALSA_CONFIG_PATH" <<CONF
</usr/share/alsa/alsa.conf>
pcm.!default { type pulse }
ctl.!default { type pulse }
CONF
}

test_env_stop() {
  [ -n "${TEST_ENV_DIR:-}" ] || return 0
  local f
  for f in pulse xvfb; do
    if [ -f "$TEST_ENV_DIR/$f.pid" ]; then
      kill "$(cat "$TEST_ENV_DIR/$f.pid")" 2>/dev/null
      wait "$(cat "$TEST_ENV_DIR/$f.pid")" 2>/dev/null
    fi
  done
  rm -rf "$TEST_ENV_DIR"
  unset TEST_ENV_DIR
}
