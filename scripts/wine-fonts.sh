#!/bin/bash
# Puts Wine's own fonts (Debian fonts-wine: MS Sans Serif, Tahoma, ...) into a Wine prefix's
# Fonts folder, where a Windows keeps its faces. This Wine does not read them from where the
# package installs them, and without them every face a program asks for comes out serif.
#   wine-fonts.sh PREFIX
set -u
[ $# -eq 1 ] || { echo "usage: $0 PREFIX" >&2; exit 2; }
fonts=${VORN_WINE_FONTS:-/usr/share/wine/fonts}
[ -f "$fonts/sserife.fon" ] || { echo "no Wine fonts in $fonts (Debian: fonts-wine)" >&2; exit 1; }
mkdir -p "$1/drive_c/windows/Fonts" && cp "$fonts"/* "$1/drive_c/windows/Fonts/"
