#!/usr/bin/env bash
# Installs the build into a fresh prefix and uses the installed program from
# another folder: it must find its own data there, not in the source tree.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
kcad=$prefix/bin/kcad
share=$prefix/share/tolvane
for f in bin/kcad share/tolvane/tolvane.mat share/tolvane/tolcolor.mat share/tolvane/omni.spk \
         share/tolvane/tools.png share/tolvane/examples/hall.ray share/tolvane/manual/MTolvaneCAD.htm \
         share/applications/tolvane-cad.desktop share/icons/hicolor/scalable/apps/tolvane-cad.svg \
         share/mime/packages/tolvane-cad.xml; do
    [ -f "$prefix/$f" ] || { echo "not installed: $f"; exit 1; }
done
mkdir "$work/elsewhere"
cd "$work/elsewhere"
"$kcad" --version | grep -qx "data: $share" || { echo "the installed kcad does not use its own data:"; "$kcad" --version; exit 1; }
"$kcad" info "$share/examples/hall.ray" | grep -q "Wall 4" || { echo "kcad info failed"; exit 1; }
"$kcad" render "$share/examples/hall.ray" --view plan --size 320x240 plan.png
[ -s plan.png ] || { echo "kcad render wrote nothing"; exit 1; }
desktop-file-validate "$prefix/share/applications/tolvane-cad.desktop"
grep -q '<glob pattern="\*.ray"/>' "$prefix/share/mime/packages/tolvane-cad.xml"
grep -q 'MimeType=application/x-tolvane-project;' "$prefix/share/applications/tolvane-cad.desktop"
echo "installed into $prefix: kcad finds its data in $share, info and render work from another folder"
