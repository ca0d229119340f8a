#!/usr/bin/env bash
# Runs one fuzz target for a number of seconds, from its seeds and the sample files. New inputs go to
# corpus/TARGET and findings to findings/ beside the target. Usage: run_target.sh TARGET SECONDS
set -euo pipefail
target=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(dirname "$target")
name=$(basename "$target")
# The whole-run target syncs the files it writes: memory is faster than the disk and spares it.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
exec "$target" -max_total_time="$seconds" -max_len=8192 -timeout=30 -print_final_stats=1 \
    -create_missing_dirs=1 -dict="$here/sintegra.dict" -artifact_prefix="$work/findings/$name-" \
    "$work/corpus/$name" "$here/seeds/$name" "$here/../data/samples"
