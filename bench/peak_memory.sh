#!/usr/bin/env bash
# Peak memory of the program against a bare window with the same six controls, both on a real X
# server (Xvfb) and driven with xdotool as a user would drive them:
#
#   reglin: "Traitement" and "Traitement 2" on Jeu1, then Jeu2 is checked and both run again;
#   the bare window gets the same clicks, which do nothing there.
#
# Each program runs RUNS times (3 by default) under /usr/bin/time, and the median of its maximum
# resident set sizes counts. The difference must stay within 4 MiB; the exit code says whether it
# does.
#
#   bench/peak_memory.sh [BUILD_DIR]      (build-release by default, as `make bench` builds it)
set -euo pipefail

build=$(realpath "${1:-build-release}")
program=$build/app/reglin
bare=$build/bench/reglin-bare-window
runs=${RUNS:-3}
limit_kib=4096

for tool in Xvfb xdotool /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "peak_memory: $tool is missing" >&2; exit 2; }
done
# `make bench` builds the benchmark only; the two programs measured here come from the same build.
if [ -f "$build/CMakeCache.txt" ]; then
  cmake --build "$build" --target reglin reglin-bare-window >/dev/null
fi
for file in "$program" "$bare"; do
  [ -x "$file" ] || { echo "peak_memory: $file is not built" >&2; exit 2; }
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "peak_memory: $*" >&2
  exit 2
}

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths=$1
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

mkdir "$work/run"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"
unset WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/run"

# The lines of the results file in the current directory.
lines_are() { [ -f Resultats.txt ] && [ "$(wc -l <Resultats.txt)" -eq "$1" ]; }

# Runs one program in an empty directory, clicks through both commands on both data sets, closes
# it with "Quitter" and prints its maximum resident set size in KiB. With "check", waits for the
# results file of each "Traitement" and fails when it is not the expected one.
peak_of() {
  local file=$1 check=$2 dir
  dir=$(mktemp -d "$work/run-XXXXXX")
  cd "$dir"
  /usr/bin/time -f '%M' -o "$dir/peak" "$file" >"$dir/program.log" 2>&1 &
  program_pid=$!
  local window X Y
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "Régression linéaire" | head -n1) ||
    fail "no window from $file"
  eval "$(xdotool getwindowgeometry --shell "$window" | grep -E '^(X|Y)=')"
  # Clicks a point given in client coordinates; the window has no frame without a window manager.
  click() { xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1; }

  click 68 20 # "Traitement" on Jeu1
  if [ "$check" = check ]; then wait_for 100 lines_are 7 || fail "no Jeu1 listing in Resultats.txt"; fi
  click 196 20 # "Traitement 2"
  sleep 0.5
  click 154 62 # the item "Jeu2"
  sleep 0.2
  click 68 20 # "Traitement" on Jeu2
  if [ "$check" = check ]; then
    wait_for 100 lines_are 1759 || fail "no Jeu2 listing in Resultats.txt (was Jeu2 checked?)"
  fi
  click 196 20 # "Traitement 2"
  sleep 0.5
  click 294 286 # "Quitter"
  ended() { ! kill -0 "$program_pid" 2>/dev/null; }
  wait_for 100 ended || fail "$file did not end after Quitter"
  wait "$program_pid" || fail "$file failed: $(cat "$dir/program.log")"
  program_pid=""
  cat "$dir/peak"
  cd "$work"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

program_kib=$(for ((r = 0; r < runs; r++)); do peak_of "$program" check; done | median)
bare_kib=$(for ((r = 0; r < runs; r++)); do peak_of "$bare" no; done | median)
difference=$((program_kib - bare_kib))

echo "Peak memory (maximum resident set size, median of $runs runs):"
printf '  %-58s %8d KiB\n' "reglin, both commands on Jeu1 and on Jeu2" "$program_kib"
printf '  %-58s %8d KiB\n' "bare window with the same six controls" "$bare_kib"
if [ "$difference" -le "$limit_kib" ]; then verdict=met; else verdict=MISSED; fi
printf '  %-58s %8d KiB   <= %d KiB   %s\n' "difference" "$difference" "$limit_kib" "$verdict"
[ "$verdict" = met ]
