#!/usr/bin/env bash
# Several processes at once on one project:
# 1. two processes save the same borehole ROUNDS times each while a third shows it: the files
#    end as one save leaves them, every `show` prints the whole borehole, and the database ends
#    as saves one after the other leave it;
# 2. WRITERS processes save disjoint sets of boreholes while others list and show: every save
#    succeeds and the database ends with every record as saved.
#
# Usage: concurrent_save.sh TOOL [ROUNDS=50] [WRITERS=8] [BOREHOLES=400]
set -u
tool=$1 rounds=${2:-50} writers=${3:-8} count=${4:-400}
. "$(dirname "$0")/project.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/geoproj-conc.XXXXXX")
trap 'rm -rf "$work"' EXIT

# --- one borehole, two savers and a reader
project=$work/one
make_project "$tool" "$project" 20
expected_show=$("$tool" -q show "$project" S2 --json) || fail "show before the saves"
before=$(snapshot "$tool" "$project")
number_before=$(update_number "$project")
saver() { for _ in $(seq 1 "$rounds"); do "$tool" -q save "$project" S2 >/dev/null 2>&1 || echo "save failed" >&2; done; }
saver 2>"$work/e1" & a=$!
saver 2>"$work/e2" & b=$!
shows=0 bad=0
while kill -0 "$a" 2>/dev/null || kill -0 "$b" 2>/dev/null; do
  seen=$("$tool" -q show "$project" S2 --json 2>/dev/null)
  shows=$((shows + 1))
  [ "$seen" = "$expected_show" ] || bad=$((bad + 1))
done
wait "$a" "$b"
[ -s "$work/e1" ] || [ -s "$work/e2" ] && fail "a save of the shared borehole failed: $(cat "$work/e1" "$work/e2")"
[ "$bad" = 0 ] || fail "$bad of $shows shows beside the saves printed something else than the borehole"
after=$(snapshot "$tool" "$project")
[ "$after" = "$before" ] || { diff <(echo "$before") <(echo "$after") | head >&2; fail "two saves of one borehole changed the project"; }
# As saves one after the other: each of them counted once in the header.
[ "$(update_number "$project")" = $((number_before + 2 * rounds)) ] ||
  fail "update number $(update_number "$project") after $((2 * rounds)) saves from $number_before"
echo "concurrent_save: 2 x $rounds saves of one borehole, $shows shows beside them, all whole"

# --- disjoint writers with readers beside them
project=$work/many
make_project "$tool" "$project" "$count"
before=$(snapshot "$tool" "$project")
per=$((count / writers))
pids=""
for w in $(seq 0 $((writers - 1))); do
  # shellcheck disable=SC2046
  "$tool" -q save "$project" $(seq -f 'S%g' $((w * per + 1)) $(((w + 1) * per))) >/dev/null 2>"$work/w$w" &
  pids="$pids $!"
done
reads=0
while [ -n "$(jobs -r)" ]; do
  "$tool" -q list "$project" --json >/dev/null 2>&1 || fail "list beside the writers failed"
  "$tool" -q show "$project" "S$((RANDOM % count + 1))" >/dev/null 2>&1 || fail "show beside the writers failed"
  reads=$((reads + 1))
done
for p in $pids; do wait "$p" || fail "a writer failed: $(cat "$work"/w*)"; done
after=$(snapshot "$tool" "$project")
[ "$after" = "$before" ] || { diff <(echo "$before") <(echo "$after") | head >&2; fail "disjoint writers changed the project"; }
echo "concurrent_save: $writers writers x $per boreholes with $reads list/show pairs beside them, nothing lost"
