#!/usr/bin/env bash
# A short tour of the geoproj tool on a copy of the bundled demo project: create the database,
# save every borehole (which rewrites its files and computes its record), list the records,
# show some boreholes and the statistics of a groundwater pipe, a settlement point and a hose
# settlement, tell the project information, list the line and outcrop database, evaluate the
# spring's field work and write its method list report, the map export and one sounding log
# (kept in GEOPROJ_DEMO_OUT, default ./demo-out). The copy is removed afterwards unless
# GEOPROJ_DEMO_KEEP is set.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
tool=${1:-build/tools/geoproj/geoproj}
case $tool in /*) ;; *) tool=$PWD/$tool ;; esac
if [ ! -x "$tool" ]; then
  echo "demo: no geoproj tool at $tool (build it first)" >&2
  exit 2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/geoproj-demo.XXXXXX")
if [ -n "${GEOPROJ_DEMO_KEEP:-}" ]; then
  echo "demo: the project copy stays in $work"
else
  trap 'rm -rf "$work"' EXIT
fi
project=$work/demo-project
cp -R "$root/examples/demo-project" "$project"

step() {
  echo
  echo "\$ geoproj $*"
  "$tool" "$@"
}

step --version
step init "$project"
step save "$project" --all
step list "$project"
step list "$project" --sort 12
step show "$project" BH9
step show "$project" BH21
step show "$project" BH22
step show "$project" KB1
step show "$project" MIL1
step show "$project" VB1
step show "$project" GW1
step stats "$project" GW1
step stats "$project" GW1 --from 01.01.2021 --to 31.12.2021
step stats "$project" SP1 --json
step stats "$project" HS1
step info "$project"
step lines "$project"
# The database rebuilt from the files of a second copy: boreholes, pipes, measurement points,
# lines and outcrops, and the AVP points of PUNKTLISTA.TXT.
restored=$work/restored-project
cp -R "$root/examples/demo-project" "$restored"
step restore "$restored" --name "Demo project"
step list "$restored"
out=${GEOPROJ_DEMO_OUT:-$PWD/demo-out}
mkdir -p "$out"
# The field work of April and May 2021; BH14's sounding of 2019 lies outside and lowers its count.
step scan "$project" --from 01.04.2021 --to 31.05.2021
step report "$project" --from 01.04.2021 --to 31.05.2021 -o "$out/demo-report.rtf"
step export "$project" --format geojson -o "$out/demo-project.geojson"
step export "$project" --format csv --what soundings -o "$out/demo-soundings.csv"
step plot "$project" BH9 -o "$out/BH9.svg"
if command -v rsvg-convert >/dev/null 2>&1; then
  rsvg-convert "$out/BH9.svg" -o "$out/BH9.png"
  echo "demo: the log drawn as $out/BH9.png"
fi
