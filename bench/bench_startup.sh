#!/usr/bin/env bash
# How long quorvel-tool takes before its work: whole processes through
# hyperfine (no shell between, a warm-up, medians), beside exiv2 in the
# same run:
#   quorvel-tool --version           beside exiv2 --version
#   quorvel-tool info (a tiny JPEG)  beside exiv2 -g Exif.Image.Model
#                                    (handed to quorvel-tool-meta)
#   quorvel-tool-all --version       beside exiv2 --version (the complete
#                                    tool, every imaging library loaded)
#   quorvel-tool decode (tiny JPEG)  beside djpeg (decoded by quorvel-tool itself)
#
# usage: bench/bench_startup.sh   (QUORVEL_BIN: the folder of quorvel-tool,
#                                  default build-bench/bin; bench/run-all.sh sets it)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bin=${QUORVEL_BIN:-"$root/build-bench/bin"}
tool="$bin/quorvel-tool"
[ -x "$tool" ] || { echo "no quorvel-tool at $tool" >&2; exit 2; }
command -v hyperfine >/dev/null || { echo "hyperfine missing (scripts/install-bench-deps.sh)" >&2; exit 2; }
runs=${RUNS:-40}

dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# A 16 x 16 JPEG with a camera model in its EXIF block.
{ printf 'P6\n16 16\n255\n'; head -c 768 /dev/zero | tr '\0' '\200'; } >"$dir/tiny.ppm"
cjpeg -outfile "$dir/tiny.jpg" "$dir/tiny.ppm"
exiv2 -M'set Exif.Image.Model Tiny Camera' mo "$dir/tiny.jpg"

# median in milliseconds of one command (hyperfine's CSV: command,mean,stddev,median,...)
median_ms() {
  hyperfine -N --style none --warmup 3 --runs "$runs" --export-csv "$dir/t.csv" "$1" >/dev/null 2>&1 || { echo -1; return; }
  awk -F, 'NR == 2 { printf "%.3f", $4 * 1000 }' "$dir/t.csv"
}

# result NAME OURS_CMD REFERENCE_CMD LIMIT
result() {
  local ours ref ratio
  ours=$(median_ms "$2")
  ref=$(median_ms "$3")
  ratio=$(awk -v o="$ours" -v r="$ref" 'BEGIN { if (o < 0 || r <= 0) print "-"; else printf "%.3f", o / r }')
  printf '%-58s ours %9s ms   reference %9s ms   ratio %s   limit %s\n' "$1" "$ours" "$ref" "$ratio" "$4"
  printf 'RESULT\t%s\t%s\t%s\tms\t%s\t%s\t-\n' "$1" "$ours" "$ref" "$ratio" "$4"
}

libs() { if [ -x "$bin/$1" ]; then ldd "$bin/$1" | wc -l; else echo -; fi; }
echo "shared libraries at start: quorvel-tool $(libs quorvel-tool), quorvel-tool-meta $(libs quorvel-tool-meta)," \
  "quorvel-tool-decode $(libs quorvel-tool-decode), quorvel-tool-all $(libs quorvel-tool-all)"
# The floor this machine gives any process now: a busy machine shows here.
result "start-up floor: true / exiv2 --version" "true" "exiv2 --version" "-"
result "start-up: quorvel-tool --version / exiv2 --version" "$tool --version" "exiv2 --version" "5ms"
result "start-up: quorvel-tool info / exiv2 -g, tiny JPEG" "$tool info $dir/tiny.jpg" \
  "exiv2 -q -g Exif.Image.Model $dir/tiny.jpg" "5ms"
result "start-up: quorvel-tool-all --version / exiv2 --version" "$bin/quorvel-tool-all --version" "exiv2 --version" "-"
result "start-up: quorvel-tool decode / djpeg, tiny JPEG" "$tool decode $dir/tiny.jpg" \
  "djpeg -outfile /dev/null $dir/tiny.jpg" "-"
