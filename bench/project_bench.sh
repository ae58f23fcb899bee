#!/usr/bin/env bash
# Project-scale figures of the geoproj tool, each beside the floor it is judged against,
# measured in the same run: saving every borehole of generated projects (against `cat` of the
# same files), saving many small boreholes into an empty project, listing a large database
# (against a minimal loop that reads the file and prints its records), and evaluating every
# borehole of a project with `scan` (against `cat`), adding and listing the records of the
# line database (against `cat` of its file), and restoring a project's database from its
# files with `restore` (against `cat` of every file). Peak memory beside each.
#
# Usage: project_bench.sh TOOL BENCH_BIN_DIR [SCALE]   (SCALE 1 = the full sizes; 0.1 = a tenth)
set -eu
tool=$1 bin=$2 scale=${3:-1}
work=$(mktemp -d "${TMPDIR:-/tmp}/geoproj-pbench.XXXXXX")
trap 'rm -rf "$work"' EXIT

n() { awk -v v="$1" -v s="$scale" 'BEGIN { r = int(v * s); print (r < 10 ? 10 : r) }'; }
# seconds_after PREPARE COMMAND...: "WALL CPU", each the best of three runs (CPU = user +
# system time of the command and its children), output discarded, with PREPARE run (untimed)
# before each run. On a loaded machine the CPU time is the figure to judge by: waiting for a
# core counts in the wall time only.
seconds_after() {
  local prepare=$1 best_wall="" best_cpu="" wall cpu
  shift
  for _ in 1 2 3; do
    "$prepare"
    read -r wall cpu < <(once "$@")
    best_wall=$(awk -v a="$best_wall" -v d="$wall" 'BEGIN { print (a == "" || d < a) ? d : a }')
    best_cpu=$(awk -v a="$best_cpu" -v d="$cpu" 'BEGIN { print (a == "" || d < a) ? d : a }')
  done
  echo "$best_wall $best_cpu"
}
# seconds COMMAND...: the same with nothing to prepare.
seconds() { seconds_after true "$@"; }
# once COMMAND...: "WALL CPU" of one run.
once() {
  { TIMEFORMAT='%R %U %S'; time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ print $1, $2 + $3 }'
}
# peak_kb COMMAND...: the peak resident memory of one run.
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
row() { printf '%-52s %10s %10s %8s %8s %10s\n' "$@"; }
# figure NAME "WALL CPU" "FLOOR_WALL FLOOR_CPU" PEAK: one row with both ratios.
figure() {
  local w c fw fc
  read -r w c <<< "$2"
  read -r fw fc <<< "$3"
  row "$1" "$w/$c" "$fw/$fc" "$(ratio "$w" "$fw")" "$(ratio "$c" "$fc")" "$4"
}
# per_item "WALL CPU" COUNT UNIT: the CPU time per item of one figure.
per_item() {
  local wall cpu
  read -r wall cpu <<< "$1"
  printf '    %.1f us CPU per %s\n' "$(awk -v s="$cpu" -v c="$2" 'BEGIN { print s / c * 1e6 }')" "$3"
}
ids() { seq -f 'B%g' 1 "$1"; }
cat_files() { cat "$1"/B*.SND; }
save_all() { ids "$2" | xargs "$tool" -q save "$1" 2>/dev/null; }

project() {  # project DIR COUNT RECORDS: generated, the database created, saved once
  mkdir -p "$1"
  "$bin/geoproj_make_project" "$1" "$2" "$3"
  "$tool" -q init "$1" >/dev/null
  save_all "$1" "$2" >/dev/null
}

row "figure" "wall/cpu s" "floor w/c" "wall x" "cpu x" "peak KB"
per_borehole() {  # per_borehole COUNT: one line for saving every borehole of the project
  local dir=$work/p$1 count=$1 s f
  project "$dir" "$count" 400
  f=$(seconds cat_files "$dir")
  s=$(seconds save_all "$dir" "$count")
  figure "save $count boreholes (2 x 400 records), vs cat" "$s" "$f" \
    "$(peak_kb "$tool" -q save "$dir" B1 B2 B3)"
  read -r wall cpu <<< "$s"
  printf '    %.0f boreholes/s (%.0f per CPU second), %.1f us CPU per borehole\n' \
    "$(ratio "$count" "$wall")" "$(ratio "$count" "$cpu")" \
    "$(awk -v s="$cpu" -v c="$count" 'BEGIN { print s / c * 1e6 }')"
  # Files the save changes (line ends LF, written back CR LF) go through the whole rewrite with
  # its journal; files it writes back unchanged are only dated anew.
  lf_ends() { sed -i 's/\r$//' "$dir"/B*.SND; }
  s=$(seconds_after lf_ends save_all "$dir" "$count")
  figure "  same, every file changed by the save, vs cat" "$s" "$f" "-"
  per_item "$s" "$count" borehole
  rm -rf "$dir"
}
per_borehole "$(n 1000)"
per_borehole "$(n 10000)"

small=$(n 30000)
dir=$work/small
mkdir -p "$dir"
"$bin/geoproj_make_project" "$dir" "$small" 2
"$tool" -q init "$dir" >/dev/null
save_batches() { ids "$2" | xargs -n 1000 "$tool" -q save "$1"; }
s=$(once save_batches "$dir" "$small")
f=$(seconds cat_files "$dir")
figure "save $small boreholes of 4 records into an empty project" "$s" "$f" "-"

f=$(seconds "$bin/geoproj_list_floor" "$dir/Solumbra.dbs")
s=$(seconds "$tool" -q list "$dir" --json)
figure "list --json of $small records, vs minimal loop" "$s" "$f" \
  "$(peak_kb "$tool" -q list "$dir" --json)"
u=$s
s=$(seconds "$tool" -q list "$dir" --json --sort 3)
figure "list --json --sort 3, vs unsorted listing" "$s" "$u" \
  "$(peak_kb "$tool" -q list "$dir" --json --sort 3)"

# scan_figure COUNT: the evaluation of a project of COUNT boreholes (each a rotary and a total
# sounding of 20 records and its record in the database) against cat over the same files; the
# CPU time per borehole at two sizes shows whether the scan stays linear.
scan_figure() {
  local dir=$work/scan$1 count=$1 s f
  mkdir -p "$dir"
  "$bin/geoproj_make_project" "$dir" "$count" 20
  "$tool" -q init "$dir" >/dev/null
  ids "$count" | xargs -n 1000 "$tool" -q save "$dir" >/dev/null 2>&1
  f=$(seconds cat_files "$dir")
  s=$(seconds "$tool" -q scan "$dir" --from 01.01.2019 --to 31.12.2019)
  figure "scan $count boreholes (2 x 20 records), vs cat" "$s" "$f" \
    "$(peak_kb "$tool" -q scan "$dir" --from 01.01.2019 --to 31.12.2019)"
  per_item "$s" "$count" borehole
  rm -rf "$dir"
}
scan_figure "$(n 3000)"
scan_figure "$(n 30000)"

# lines_figure COUNT: a line database of COUNT records added one update each, as the restore adds
# line and outcrop records (every update takes the lock file and opens the file), and its
# listing with `lines --json`; both against cat of the database file.
lines_figure() {
  local dir=$work/lines$1 count=$1 s f
  mkdir -p "$dir"
  s=$(once "$bin/geoproj_make_lines" "$dir" "$count")
  f=$(seconds cat "$dir/KVARTOLI.SDBS")
  figure "add $count line records one by one, vs cat" "$s" "$f" "-"
  per_item "$s" "$count" record
  s=$(seconds "$tool" -q lines "$dir" --json)
  figure "lines --json of $count records, vs cat" "$s" "$f" \
    "$(peak_kb "$tool" -q lines "$dir" --json)"
  rm -rf "$dir"
}
lines_figure "$(n 2000)"
lines_figure "$(n 20000)"

# restore_figure COUNT: rebuilding the database of a project of COUNT boreholes (two blocks of
# 50 records and an interpretation each) from its files, against cat of every file of the
# project; the CPU time per borehole at two sizes shows whether the restore stays linear.
interpretations() {  # interpretations DIR COUNT: a three-layer ID.TLK beside every borehole
  awk -v dir="$1" -v n="$2" 'BEGIN {
    for (i = 1; i <= n; i++) {
      f = dir "/B" i ".TLK"
      printf "lera 11 2 2\r\n  16.4200 \r\n  0.00   0.00   0.00   0.00   0.00   0.00\r\n" > f
      printf "sand 20 2 2\r\n  12.1000 \r\n  0.00   0.00   0.00   0.00   0.00   0.00\r\n" > f
      printf "berg 90 2 2\r\n   8.0000 \r\n  0.00   0.00   0.00   0.00   0.00   0.00\r\n" > f
      close(f)
    }
  }'
}
cat_project() { find "$1" -maxdepth 1 -type f -exec cat {} + >/dev/null; }
restore_figure() {
  local dir=$work/restore$1 count=$1 s f
  mkdir -p "$dir"
  "$bin/geoproj_make_project" "$dir" "$count" 50
  interpretations "$dir" "$count"
  # The first restore writes back blocks that lack a GUID; the figure is of a restore after it.
  "$tool" -q restore "$dir" >/dev/null
  f=$(seconds cat_project "$dir")
  s=$(seconds "$tool" -q restore "$dir")
  figure "restore $count boreholes (2 x 50 records + TLK), vs cat" "$s" "$f" \
    "$(peak_kb "$tool" -q restore "$dir")"
  per_item "$s" "$count" borehole
  rm -rf "$dir"
}
restore_figure "$(n 1000)"
restore_figure "$(n 30000)"
