#!/usr/bin/env bash
# Writes the geoproj(1) manual page from the tool's own help texts, so that the page says what
# the help says: make-manpage.sh TOOL OUTPUT
set -eu
tool=$1 out=$2
# Help text as literal troff lines: backslashes escaped, lines that start like requests guarded.
literal() { sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/"; }
commands=$("$tool" --help | awk '/^Subcommands:/ { on = 1; next } on && NF { print $1 }')
{
  echo ".TH GEOPROJ 1 \"\" \"$("$tool" --version)\" \"User Commands\""
  echo ".SH NAME"
  echo "geoproj \\- the boreholes and soundings of a project directory"
  echo ".SH SYNOPSIS"
  echo ".B geoproj"
  echo "[\\fIOPTIONS\\fR] \\fICOMMAND\\fR [\\fIARGS\\fR]"
  echo ".SH DESCRIPTION"
  echo ".nf"
  "$tool" --help | literal
  echo ".fi"
  echo ".SH COMMANDS"
  for c in $commands; do
    echo ".SS $c"
    echo ".nf"
    "$tool" "$c" --help | literal
    echo ".fi"
  done
} > "$out"
