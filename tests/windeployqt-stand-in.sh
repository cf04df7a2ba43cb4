#!/bin/sh
# Stands in for windeployqt where it cannot run: writes the folder it was started in and
# its arguments, one a line, into windeployqt-was-asked there.
{ pwd; printf '%s\n' "$@"; } > windeployqt-was-asked
