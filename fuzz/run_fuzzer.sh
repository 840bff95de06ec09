#!/bin/sh
# Runs one fuzz target with the public corpus's files of its format as seeds.
#   fuzz/run_fuzzer.sh BUILD_DIR FORMAT [SECONDS] [extra libFuzzer options...]
# FORMAT is jpeg, bmp, pcx or gif (the manifest's format_by_magic). New inputs go to BUILD_DIR/fuzz/corpus_FORMAT,
# crashes and slow inputs to BUILD_DIR/fuzz/artifacts_FORMAT/; the shared corpus is only read.
# Inputs are at most 64 KB and every single allocation at most 100 MB: what the readers' data floors allow a
# file of that size (a reader allocating from a header's claims instead of from its data stops the run).
set -eu
build=$1
format=$2
seconds=${3:-600}
[ $# -ge 3 ] && shift 3 || shift $#
here=$(cd "$(dirname "$0")" && pwd)
corpus=${VYD_CORPUS:-$here/../../shared/corpus}
work=$build/fuzz
seeds=$work/seeds_$format
mkdir -p "$seeds" "$work/corpus_$format" "$work/artifacts_$format"
# Seeds: every file of the format, linked (not copied) from the corpus; made once.
if [ -z "$(ls -A "$seeds")" ]; then
    awk -F'\t' -v f="$format" -v c="$corpus" 'NR > 1 && $3 == f { print c "/" $1 }' "$corpus/MANIFEST.tsv" |
        xargs ln -sf -t "$seeds"
fi
exec "$work/fuzz_$format" -max_total_time="$seconds" -max_len=65536 -malloc_limit_mb=100 -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$work/artifacts_$format/" "$@" "$work/corpus_$format" "$seeds"
