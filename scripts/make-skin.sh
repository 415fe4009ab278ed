#!/bin/sh
# Rebuilds the default skin's images under data/skins/default/ from scripts/make-skin.cpp.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../data/skins/default"}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
c++ -std=c++17 -O1 -fPIC "$here/make-skin.cpp" -o "$tmp/make-skin" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$tmp/make-skin" "$out"
echo "skin written to $out"
