# Shared by the multi-process scripts: a project of generated boreholes made from the demo
# project's files, and snapshots of what a project holds.

# make_project TOOL DIR COUNT: COUNT boreholes S1..SCOUNT (copies of the demo boreholes), the
# database created and every borehole saved once, so that further saves change nothing.
make_project() {
  local tool=$1 dir=$2 count=$3 demo i n
  demo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../examples/demo-project" && pwd)
  mkdir -p "$dir"
  for i in $(seq 1 "$count"); do
    n=$(( (i - 1) % 20 + 1 ))
    cp "$demo/BH$n.SND" "$dir/S$i.SND"
    [ -f "$demo/BH$n.TLK" ] && cp "$demo/BH$n.TLK" "$dir/S$i.TLK"
  done
  "$tool" -q init "$dir" >/dev/null
  # shellcheck disable=SC2046 # one argument per borehole
  "$tool" -q save "$dir" $(ids "$count") >/dev/null 2>&1
}

ids() { seq -f 'S%g' 1 "$1"; }

# What must not change when unchanged boreholes are saved again: every borehole file's bytes
# and creation time, the database records, and the database file but for its update number.
snapshot() {
  local tool=$1 dir=$2
  (cd "$dir" && for f in S[0-9]*; do printf '%s %s %s\n' "$f" "$(stat -c %W "$f")" "$(cksum < "$f")"; done)
  printf 'database without update number: %s\n' \
    "$( (head -c 300 "$dir/Solumbra.dbs"; printf '\0\0\0\0'; tail -c +305 "$dir/Solumbra.dbs") | cksum)"
  "$tool" -q list "$dir" --json
}

# The database header's update number, which every write raises by one.
update_number() {
  od -An -t d4 -j 300 -N 4 "$1/Solumbra.dbs" | tr -d ' '
}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
