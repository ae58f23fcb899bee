#!/usr/bin/env bash
# A short tour of the geoproj tool on a copy of the bundled demo project.
set -eu
tool=${1:-build/tools/geoproj/geoproj}
"$tool"
