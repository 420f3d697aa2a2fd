#!/bin/sh
# to_gbk.sh SOURCE OUT: writes SOURCE (UTF-8 text, optionally .xz-compressed)
# to OUT in GBK. Fails, leaving no OUT, when a character has no GBK form.
set -e
src=$1
out=$2
case "$src" in
  *.xz) xz -dc "$src" ;;
  *) cat "$src" ;;
esac | iconv -f UTF-8 -t GBK > "$out.part"
mv "$out.part" "$out"
