#!/usr/bin/env bash
# Project-scale figures of the geoproj tool, each beside the floor it is judged against,
# measured in the same run: saving every borehole of generated projects (against `cat` of the
# same files), saving many small boreholes into an empty project, and listing a large database
# (against a minimal loop that reads the file and prints its records). Peak memory beside each.
#
# Usage: project_bench.sh TOOL BENCH_BIN_DIR [SCALE]   (SCALE 1 = the full sizes; 0.1 = a tenth)
set -eu
tool=$1 bin=$2 scale=${3:-1}
work=$(mktemp -d "${TMPDIR:-/tmp}/geoproj-pbench.XXXXXX")
trap 'rm -rf "$work"' EXIT

n() { awk -v v="$1" -v s="$scale" 'BEGIN { r = int(v * s); print (r < 10 ? 10 : r) }'; }
now() { date +%s.%N; }
# seconds COMMAND...: the best of three runs, output discarded.
seconds() {
  local best="" t0 t1 d
  for _ in 1 2 3; do
    t0=$(now); "$@" >/dev/null 2>&1; t1=$(now)
    d=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')
    best=$(awk -v a="$best" -v d="$d" 'BEGIN { print (a == "" || d < a) ? d : a }')
  done
  echo "$best"
}
# peak_kb COMMAND...: the peak resident memory of one run.
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '%-52s %10s %10s %8s %10s\n' "$@"; }
ids() { seq -f 'B%g' 1 "$1"; }
cat_files() { cat "$1"/B*.SND; }
save_all() { ids "$2" | xargs "$tool" -q save "$1" 2>/dev/null; }

project() {  # project DIR COUNT RECORDS: generated, the database created, saved once
  mkdir -p "$1"
  "$bin/geoproj_make_project" "$1" "$2" "$3"
  "$tool" -q init "$1" >/dev/null
  save_all "$1" "$2" >/dev/null
}

row "figure" "seconds" "floor s" "ratio" "peak KB"
per_borehole() {  # per_borehole COUNT: one line for saving every borehole of the project
  local dir=$work/p$1 count=$1 s f
  project "$dir" "$count" 400
  f=$(seconds cat_files "$dir")
  s=$(seconds save_all "$dir" "$count")
  row "save $count boreholes (2 x 400 records), vs cat" "$s" "$f" "$(ratio "$s" "$f")" \
    "$(peak_kb "$tool" -q save "$dir" B1 B2 B3)"
  printf '    %.0f boreholes/s, %.1f us per borehole\n' "$(ratio "$count" "$s")" \
    "$(awk -v s="$s" -v c="$count" 'BEGIN { print s / c * 1e6 }')"
  rm -rf "$dir"
}
per_borehole "$(n 1000)"
per_borehole "$(n 10000)"

small=$(n 30000)
dir=$work/small
mkdir -p "$dir"
"$bin/geoproj_make_project" "$dir" "$small" 2
"$tool" -q init "$dir" >/dev/null
t0=$(now)
ids "$small" | xargs -n 1000 "$tool" -q save "$dir" >/dev/null 2>&1
t1=$(now)
f=$(seconds cat_files "$dir")
s=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print b - a }')
row "save $small boreholes of 4 records into an empty project" "$s" "$f" "$(ratio "$s" "$f")" "-"

f=$(seconds "$bin/geoproj_list_floor" "$dir/Solumbra.dbs")
s=$(seconds "$tool" -q list "$dir" --json)
row "list --json of $small records, vs minimal loop" "$s" "$f" "$(ratio "$s" "$f")" \
  "$(peak_kb "$tool" -q list "$dir" --json)"
u=$s
s=$(seconds "$tool" -q list "$dir" --json --sort 3)
row "list --json --sort 3, vs unsorted listing" "$s" "$u" "$(ratio "$s" "$u")" \
  "$(peak_kb "$tool" -q list "$dir" --json --sort 3)"
