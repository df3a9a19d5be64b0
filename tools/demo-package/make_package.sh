#!/usr/bin/env bash
# make_package.sh OUTPUT PRODUCT SOURCE_DIR SAMPLE
# Builds the demo setup package: setup.sh followed by a tar archive of the
# product, its uninstaller, a readme and the sample sound.
set -euo pipefail
output=$1 product=$2 source=$3 sample=$4

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
chmod 755 "$stage"
mkdir -p "$stage/samples"
cp "$product" "$stage/zoviruzarivodo.exe"
cp "$source/uninst.ep" "$source/README.txt" "$stage/"
cp "$sample" "$stage/samples/vantyx-demo.wav"
chmod 755 "$stage/zoviruzarivodo.exe" "$stage/uninst.ep"

{
    cat "$source/setup.sh"
    tar -c -C "$stage" --owner=0 --group=0 --numeric-owner --mtime=@0 --sort=name -f - .
} > "$output.tmp"
chmod 755 "$output.tmp"
mv "$output.tmp" "$output"
