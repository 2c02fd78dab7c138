# Sourced by the end-to-end scripts: a private Xvfb on a display number it picks itself.
# Sets DISPLAY and xvfb_pid; the caller kills xvfb_pid when done.
start_display() {  # workdir [WIDTHxHEIGHT]
  local numfile=$1/display size=${2:-1024x768}
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$numfile" ] && break; sleep 0.1; done
  [ -s "$numfile" ] || { echo "FAILED: Xvfb did not start"; exit 1; }
  export DISPLAY=:$(head -n1 "$numfile")
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "FAILED: display $DISPLAY does not answer"
  exit 1
}
