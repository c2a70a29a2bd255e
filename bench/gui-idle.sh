#!/usr/bin/env bash
# Idle cost, start-up time and memory of the GUI next to a minimal Qt 6 Widgets tray program built
# in the same run, on a private Xvfb display with a window manager and a notification area.
# See bench/README.md for what is measured and how to read it.
#
# Environment: RUNS (5), WARMUP (10 s), IDLE (60 s), OUT (build/gui-bench), DISPLAY_NUMBER (:97),
# EXPAND (1: open the link status panel in the window runs), NXUI: the builds of the utility to
# measure, "LABEL=PROGRAM ..." (default: "nxui=" the one this script builds with the default preset),
# e.g. NXUI="before=/tmp/old/nxui after=build/default/src/nxui".
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/.." && pwd)
RUNS=${RUNS:-5}
WARMUP=${WARMUP:-10}
IDLE=${IDLE:-60}
OUT=${OUT:-$repo/build/gui-bench}
DISPLAY_NUMBER=${DISPLAY_NUMBER:-:97}
EXPAND=${EXPAND:-1}

missing=()
for tool in Xvfb openbox trayer xdotool cmake ninja; do
  command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]} > 0)); then
  echo "gui-idle: missing ${missing[*]}; on Debian 12: apt-get install xvfb openbox trayer xdotool libx11-dev" >&2
  exit 1
fi

# ---------------------------------------------------------------- build the programs
mkdir -p "$OUT"
if [[ -z ${NXUI:-} ]]; then
  (cd "$repo" && cmake --preset default >/dev/null && cmake --build --preset default --target nxui)
  NXUI="nxui=$repo/build/default/src/nxui"
fi
cmake -S "$here/gui" -B "$OUT/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$OUT/build"
PROBE=$OUT/build/gui_probe
# label -> program; hello world first.
labels=(hello)
declare -A program=([hello]=$OUT/build/hello_tray)
for entry in $NXUI; do
  label=${entry%%=*}
  [[ $label != "$entry" && -n $label && $label != hello ]] || {
    echo "gui-idle: NXUI takes LABEL=PROGRAM entries; got '$entry'" >&2
    exit 2
  }
  # Each process starts in a folder of its own.
  program[$label]=$(realpath "${entry#*=}")
  [[ -x ${program[$label]} ]] || {
    echo "gui-idle: ${program[$label]} is no program" >&2
    exit 2
  }
  labels+=("$label")
done

# ---------------------------------------------------------------- display, window manager, tray
started=()
running=()
cleanup() {
  local pid
  for pid in "${running[@]}" "${started[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

export DISPLAY=$DISPLAY_NUMBER
work=$OUT/work
rm -rf "$work"
mkdir -p "$work"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

# -noreset: by default the server resets when its last client leaves, and refuses connections meanwhile.
Xvfb "$DISPLAY" -screen 0 1920x1200x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
started+=($!)
# A busy machine can take seconds to bring the display up.
for _ in $(seq 300); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || {
  echo "gui-idle: the display $DISPLAY did not come up; see $work/xvfb.log" >&2
  exit 1
}
openbox >"$work/openbox.log" 2>&1 &
started+=($!)
trayer --edge top --align right --widthtype pixel --width 400 --heighttype pixel --height 24 \
  >"$work/trayer.log" 2>&1 &
started+=($!)
"$PROBE" wait-tray 30000

# ---------------------------------------------------------------- sampling
# Sums over every thread of the process: context switches, CPU time in ns (schedstat).
switches() {
  local total=0 t n
  for t in /proc/"$1"/task/*/status; do
    n=$(awk '/ctxt_switches/ {s += $2} END {print s + 0}' "$t" 2>/dev/null || echo 0)
    total=$((total + n))
  done
  echo "$total"
}
cpu_ns() {
  local total=0 t n
  for t in /proc/"$1"/task/*/schedstat; do
    n=$(awk '{print $1}' "$t" 2>/dev/null || echo 0)
    total=$((total + n))
  done
  echo "$total"
}
# utime + stime in clock ticks, as /proc/PID/stat has them (fields 14 and 15, after the name).
stat_ticks() { sed 's/.*) //' /proc/"$1"/stat | awk '{print $12 + $13}'; }

stop() {
  local pid=$1
  kill "$pid" 2>/dev/null || return 0
  for _ in $(seq 50); do
    [[ -d /proc/$pid ]] || return 0
    sleep 0.1
  done
  kill -9 "$pid" 2>/dev/null || true
}

results=$OUT/runs.tsv
printf 'run\tprogram\tmode\tmap_ms\tcpu_pct_stat\tcpu_pct_sched\twakeups_per_s\trss_kib\tthreads\tmap_cpu_ms\n' >"$results"
ticks_per_s=$(getconf CLK_TCK)

# launch RUN LABEL MODE(tray|window): starts one process with folders of its own (so that every
# utility is the first instance of its user), records its pid and, for a window, the time to map.
declare -A pid_of map_of map_cpu_of
launch() {
  local run=$1 label=$2 mode=$3 key="$2/$3"
  local dir=$work/$label-$mode-$run
  mkdir -p "$dir/runtime" "$dir/config" "$dir/data" "$dir/cache" "$dir/tmp"
  chmod 700 "$dir/runtime"
  local args=("${program[$label]}")
  [[ $label != hello ]] && args+=(--state "$dir/state")
  [[ $mode == tray ]] && args+=(-s)
  local map_flag=()
  [[ $mode == window ]] && map_flag=(--map)
  if ! (cd "$dir" && XDG_RUNTIME_DIR=$dir/runtime XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data \
    XDG_CACHE_HOME=$dir/cache TMPDIR=$dir/tmp "$PROBE" launch "${map_flag[@]}" 30000 -- "${args[@]}" \
    >"$dir/probe.out" 2>"$dir/program.err"); then
    echo "gui-idle: $label ($mode) did not start; see $dir" >&2
    awk '/^pid/ {print $2}' "$dir/probe.out" | while read -r pid; do stop "$pid"; done
    return 1
  fi
  pid_of[$key]=$(awk '/^pid/ {print $2}' "$dir/probe.out")
  running+=("${pid_of[$key]}")
  map_of[$key]=-
  map_cpu_of[$key]=-
  [[ $mode == window ]] || return 0
  map_of[$key]=$(awk '/^mapped/ {print $2}' "$dir/probe.out")
  map_cpu_of[$key]=$(awk '/^cpu/ {print $2}' "$dir/probe.out")
  local window
  window=$(awk '/^mapped/ {print $3}' "$dir/probe.out")
  if [[ $label != hello && $EXPAND == 1 ]]; then
    # The window opens collapsed; "More" (bottom right) opens the link status panel below.
    sleep 1
    xdotool windowactivate --sync "$window" windowraise "$window" 2>/dev/null || true
    eval "$(xdotool getwindowgeometry --shell "$window")"
    local collapsed=$HEIGHT
    xdotool mousemove --window "$window" $((WIDTH - 51)) $((HEIGHT - 19)) click 1 mousemove 0 0
    sleep 0.5
    eval "$(xdotool getwindowgeometry --shell "$window")"
    ((HEIGHT > collapsed)) || echo "gui-idle: run $run: $label: the link status panel did not open" >&2
  fi
}

echo "load before: $(uptime)"
for run in $(seq "$RUNS"); do
  # Every program in both modes idles side by side over the same seconds, so all meet the same
  # load. They start one after the other: each start is timed alone.
  pid_of=() map_of=() map_cpu_of=() running=()
  keys=()
  for mode in tray window; do
    for label in "${labels[@]}"; do
      launch "$run" "$label" "$mode" && keys+=("$label/$mode")
      sleep 1
    done
  done
  sleep "$WARMUP"
  declare -A t0 c0 s0
  for key in "${keys[@]}"; do
    p=${pid_of[$key]}
    t0[$key]=$(stat_ticks "$p") c0[$key]=$(cpu_ns "$p") s0[$key]=$(switches "$p")
  done
  sleep "$IDLE"
  for key in "${keys[@]}"; do
    p=${pid_of[$key]}
    if [[ ! -d /proc/$p ]]; then
      echo "gui-idle: run $run: $key ended while idle" >&2
      continue
    fi
    t1=$(stat_ticks "$p") c1=$(cpu_ns "$p") s1=$(switches "$p")
    rss=$(awk '/^VmRSS/ {print $2}' /proc/"$p"/status)
    threads=$(ls /proc/"$p"/task | wc -l)
    # Where the memory is, largest first: resident KiB by mapping (file, [heap], anonymous).
    awk '/^[0-9a-f]+-[0-9a-f]+ / {name = (NF >= 6 ? $6 : "[anonymous]")} /^Rss:/ {rss[name] += $2}
         END {for (n in rss) if (rss[n] > 0) printf "%8d %s\n", rss[n], n}' /proc/"$p"/smaps 2>/dev/null |
      sort -rn >"$work/${key%/*}-${key#*/}-$run.smaps" || true
    awk -v run="$run" -v name="${key%/*}" -v mode="${key#*/}" -v map="${map_of[$key]}" -v mapcpu="${map_cpu_of[$key]}" \
      -v dt=$((t1 - t0[$key])) -v hz="$ticks_per_s" -v dc=$((c1 - c0[$key])) -v ds=$((s1 - s0[$key])) \
      -v idle="$IDLE" -v rss="$rss" -v threads="$threads" 'BEGIN {
        printf "%s\t%s\t%s\t%s\t%.3f\t%.4f\t%.2f\t%s\t%s\t%s\n", run, name, mode, map, 100 * dt / hz / idle,
               100 * dc / 1e9 / idle, ds / idle, rss, threads, mapcpu }' | tee -a "$results"
  done
  for p in "${running[@]}"; do stop "$p"; done
  running=()
done
echo "load after: $(uptime)"

# ---------------------------------------------------------------- medians
median() { # column, program, mode
  awk -F'\t' -v col="$1" -v name="$2" -v mode="$3" 'NR > 1 && $2 == name && $3 == mode && $col != "-" {print $col}' \
    "$results" | sort -g | awk '{v[NR] = $1} END {if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
{
  echo
  echo "medians of $RUNS runs (idle: ${IDLE} s after ${WARMUP} s); ratio: program / hello"
  printf '%-34s' measure
  for label in "${labels[@]}"; do printf ' %12s' "$label"; done
  for label in "${labels[@]:1}"; do printf ' %12s' "$label/hello"; done
  echo
  row() { # label column mode
    local base value
    base=$(median "$2" hello "$3")
    printf '%-34s' "$1"
    for label in "${labels[@]}"; do printf ' %12s' "$(median "$2" "$label" "$3")"; done
    for label in "${labels[@]:1}"; do
      value=$(median "$2" "$label" "$3")
      printf ' %12s' "$(awk -v a="$value" -v b="$base" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "-"}')"
    done
    echo
  }
  row "idle CPU % tray only (stat)" 5 tray
  row "idle CPU % tray only (schedstat)" 6 tray
  row "wake-ups/s tray only" 7 tray
  row "idle CPU % window (stat)" 5 window
  row "idle CPU % window (schedstat)" 6 window
  row "wake-ups/s window" 7 window
  row "exec to first window mapped, ms" 4 window
  row "CPU until the window mapped, ms" 10 window
  row "resident memory window, KiB" 8 window
  row "resident memory tray only, KiB" 8 tray
} | tee "$OUT/summary.txt"
