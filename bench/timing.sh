# Shared by the process benchmarks in bench/ (sourced, not run): where the
# generated case files are kept and how a whole process is timed.
#
# KALDERON_BUILD       the build tree (default: build/)
# KALDERON_BENCH_DATA  where the case files are generated once and kept
#                      (default: kalderon-bench-data in the temporary folder)
# RUNS                 runs of each timed command (default 3)

BUILD=${KALDERON_BUILD:-build}
DATA=${KALDERON_BENCH_DATA:-${TMPDIR:-/tmp}/kalderon-bench-data}
RUNS=${RUNS:-3}
BATCH="$BUILD/kalderon-batch"
GENERATOR="$BUILD/kalderon_bench"

# Stops unless each named program is there.
require_programs() {
  local program
  for program in "$@"; do
    if [ ! -x "$program" ]; then
      echo "$(basename "$0"): $program is missing (build kalderon-batch and kalderon_bench;" \
        "GNU time is the package time)" >&2
      exit 1
    fi
  done
}

# Prints the path of the generated file of COUNT cases (seed 1) of a layout
# (bench/BenchMain.cpp: the generator's option and the file's name ending),
# writing it on first use.
generated_file() {
  local file="$DATA/cases-$3$2"
  if [ ! -s "$file" ]; then
    mkdir -p "$DATA"
    "$GENERATOR" "$1" "$file.part" "$3" 1 >&2
    mv "$file.part" "$file"
  fi
  echo "$file"
}

# The example layout, the same cases as a CSV with a line of field names, and
# as a registry's export of 20 fields.
case_file() { generated_file --write-cases .txt "$1"; }
case_csv_file() { generated_file --write-header-csv .csv "$1"; }
case_registry_file() { generated_file --write-registry-csv -registry.csv "$1"; }

# Runs the command $RUNS times and prints "SECONDS CPU MEGABYTES": the best
# wall time, the least processor time (user and system) and the highest peak
# resident memory of those runs. On a busy machine the processor time is the
# steadier figure. Its standard output and error go to $TIMING_DIR (which the
# caller makes).
best_of_runs() {
  local best="" leastCpu="" peak=0 run seconds user system kilobytes cpu
  for ((run = 0; run < RUNS; ++run)); do
    if ! /usr/bin/time -f '%e %U %S %M' -o "$TIMING_DIR/time" "$@" >"$TIMING_DIR/stdout" 2>"$TIMING_DIR/stderr"; then
      echo "$(basename "$0"): failed: $*" >&2
      cat "$TIMING_DIR/stderr" >&2
      exit 1
    fi
    read -r seconds user system kilobytes <"$TIMING_DIR/time"
    cpu=$(awk -v u="$user" -v s="$system" 'BEGIN { printf "%.2f", u + s }')
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$seconds; fi
    if [ -z "$leastCpu" ] || awk -v a="$cpu" -v b="$leastCpu" 'BEGIN { exit !(a < b) }'; then leastCpu=$cpu; fi
    if [ "$kilobytes" -gt "$peak" ]; then peak=$kilobytes; fi
  done
  awk -v s="$best" -v c="$leastCpu" -v k="$peak" 'BEGIN { printf "%s %s %.0f\n", s, c, k / 1024 }'
}
