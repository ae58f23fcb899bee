#!/usr/bin/env bash
# Runs each libFuzzer target for SECONDS on a copy of its seed corpus:
#   scripts/fuzz.sh BUILD_DIR SECONDS [TARGET...]     (default: every target built)
# Crashes, sanitizer reports, timeouts (> FUZZ_TIMEOUT seconds, default 10: a loaded machine
# stalls a run for a second now and then) and inputs over 2 GB are left as artifacts in
# BUILD_DIR/fuzz-work/TARGET/ and make the script fail. With FUZZ_MERGE=1, new inputs that add
# coverage are copied back into fuzz/corpus, smallest first, only while they are under 2 KB and
# the directory holds fewer than 50 files.
set -eu
cd "$(dirname "$0")/.."
build=$1
seconds=$2
shift 2
targets=("$@")
# By default every target the build made, so that a new target needs no entry here.
if [ ${#targets[@]} -eq 0 ]; then
  for bin in "$build"/fuzz/*_fuzz; do
    [ -x "$bin" ] && targets+=("$(basename "$bin" _fuzz)")
  done
fi
max_files=50
max_bytes=2048
failed=()

for t in "${targets[@]}"; do
  format=${t%_roundtrip}
  bin="$build/fuzz/${t}_fuzz"
  work="$build/fuzz-work/$t"
  rm -rf "$work"
  mkdir -p "$work/corpus"
  cp fuzz/corpus/"$format"/* "$work/corpus/"
  opts=(-max_total_time="$seconds" -timeout="${FUZZ_TIMEOUT:-10}" -rss_limit_mb=2048 -malloc_limit_mb=2048
        -max_len=8192 -print_final_stats=1 -artifact_prefix="$work/")
  [ -f "fuzz/dict/$format.dict" ] && opts+=(-dict="fuzz/dict/$format.dict")
  echo "== $t: ${seconds}s"
  if ! "$bin" "${opts[@]}" "$work/corpus" >"$work/log" 2>&1; then
    failed+=("$t")
    tail -n 40 "$work/log"
  fi
  grep -E "^stat::number_of_executed_units|^Done" "$work/log" || true
  if [ "${FUZZ_MERGE:-0}" = 1 ]; then
    # Merging into a copy of the seeds: what the copy gains is what is new.
    cp -r "fuzz/corpus/$format" "$work/merged"
    "$bin" -merge=1 -max_len="$max_bytes" "$work/merged" "$work/corpus" >"$work/merge.log" 2>&1 || true
    for f in $(cd "$work/merged" && ls -S -r); do
      [ -e "fuzz/corpus/$format/$f" ] && continue
      [ "$(ls "fuzz/corpus/$format" | wc -l)" -ge $max_files ] && break
      if [ "$(stat -c %s "$work/merged/$f")" -le $max_bytes ]; then
        cp "$work/merged/$f" "fuzz/corpus/$format/"
      fi
    done
  fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]} (artifacts in $build/fuzz-work/)"
  exit 1
fi
