#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Writes the kvr(1) manual page from the program's own help texts, so that the
# page and `kvr --help` never disagree.
#   make-manpage.sh KVR VERSION DATE OUT
set -euo pipefail
kvr="$1" version="$2" date="$3" out="$4"

# roff: a backslash is \e, a hyphen is a minus sign (\-), and a line may not start with . or '.
roff() { sed -e 's/\\/\\e/g' -e 's/-/\\-/g' -e "s/^\([.']\)/\\\\\&\1/"; }

help="$("$kvr" --help)"
{
    echo ".TH KVR 1 \"$date\" \"KVR $version\" \"User Commands\""
    echo ".SH NAME"
    echo "kvr \\- graphing workbench for teaching functions and curves"
    echo ".SH SYNOPSIS"
    echo ".nf"
    grep -E '^(Usage: |       )kvr ' <<<"$help" | sed -e 's/^Usage: //' -e 's/^ *//' | roff
    echo ".fi"
    echo ".SH DESCRIPTION"
    echo "Without a command, \\fBkvr\\fR opens its window, with \\fIFILE.kvr\\fR when one is given:"
    echo "type equations or sketch them with a pen or the mouse, drag and reshape the curves, label them,"
    echo "add points, tangents, intersections, Riemann rectangles and painted regions, save lessons,"
    echo "print and export them, and see the five most similar lessons of a library folder."
    echo "Press F1 in the window for the handbook."
    echo ".PP"
    echo "The commands below run without a window; they read and write JSON Lines, documents and pictures"
    echo "for scripts and for checking lessons in bulk."
    echo ".SH COMMANDS"
    echo ".nf"
    sed -e 's/^Usage: //' -e 's/^       //' <<<"$help" | roff
    echo ".fi"
    echo ".SH EXIT STATUS"
    echo "0 when the command did all it was asked; 1 when some of its work failed (an equation that does"
    echo "not parse, a file that cannot be written); 2 on a usage error, input that cannot be read or"
    echo "output that cannot be written."
    echo ".SH FILES"
    echo ".TP"
    echo ".I ~/.config/ORBITLAB/KVR.conf"
    echo "the window's settings, among them the library folder."
    echo ".TP"
    echo ".I /usr/share/kvr/library"
    echo "the sample lessons, the library until another folder is chosen."
    echo ".SH SEE ALSO"
    echo "The handbook (F1 in the window), and README.md where KVR is installed from source."
} > "$out.tmp"
mv "$out.tmp" "$out"
