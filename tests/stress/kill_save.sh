#!/usr/bin/env bash
# Kills `geoproj save` of a whole project with SIGKILL at random moments while other processes
# save other boreholes. After each kill (and the stale lock removed) the database opens, every
# record is as it was, a further save of every borehole completes (reading each file as its
# old or its new content, which are the same, and finishing a rewrite the kill left), and then
# every file is as it was, with its creation time.
#
# Usage: kill_save.sh TOOL [ROUNDS=200] [BOREHOLES=200]
set -u
tool=$1 rounds=${2:-200} count=${3:-200}
. "$(dirname "$0")/project.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/geoproj-kill.XXXXXX")
trap 'rm -rf "$work"' EXIT
project=$work/p
make_project "$tool" "$project" "$count"
before=$(snapshot "$tool" "$project")
records_before=$("$tool" -q list "$project" --json)
half=$((count / 2))
refused=0
for round in $(seq 1 "$rounds"); do
  # shellcheck disable=SC2046
  "$tool" -q save "$project" $(ids "$half") >/dev/null 2>&1 &
  victim=$!
  # shellcheck disable=SC2046
  "$tool" -q save "$project" $(seq -f 'S%g' $((half + 1)) "$count") >/dev/null 2>&1 &
  other=$!
  sleep "0.$(printf '%03d' $((RANDOM % 300)))"
  kill -9 "$victim" 2>/dev/null
  wait "$victim" 2>/dev/null
  # The killed save may leave its lock file: the other one then gives up on the boreholes it
  # could not enter, cleanly, which is no loss.
  wait "$other" || refused=$((refused + 1))
  rm -f "$project/Solumbra.dbk"
  records=$("$tool" -q list "$project" --json) || fail "round $round: the database does not open"
  [ "$records" = "$records_before" ] || fail "round $round: database records changed"
  # shellcheck disable=SC2046
  "$tool" -q save "$project" $(ids "$count") >/dev/null 2>&1 || fail "round $round: the save after the kill failed"
  after=$(snapshot "$tool" "$project")
  [ "$after" = "$before" ] || { diff <(echo "$before") <(echo "$after") | head >&2; fail "round $round: the project changed"; }
  ls -a "$project" | grep -q 'geoproj-rewrite' && fail "round $round: a rewrite journal stayed behind the save"
done
echo "kill_save: $rounds kills of a save of $count boreholes, nothing lost ($refused saves beside them refused by a stale lock)"
