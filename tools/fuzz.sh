#!/usr/bin/env bash
# Runs every fuzz target of build/fuzz for SECONDS each, starting from its seed corpus.
# New inputs go to a scratch corpus folder so the seeds in the repository stay small.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
list="build/fuzz/fuzzers.txt"
status=0
while IFS='|' read -r name corpus; do
	[ -n "$name" ] || continue
	work="build/fuzz/corpus/$name"
	mkdir -p "$work"
	echo "== $name ($seconds s)"
	if ! QUORREL_BACKEND=headless "build/fuzz/bin/$name" -max_total_time="$seconds" \
		-rss_limit_mb=4096 -print_final_stats=0 "$work" ${corpus:+"$corpus"} \
		> "build/fuzz/$name.log" 2>&1; then
		echo "   FAILED: see build/fuzz/$name.log"
		tail -n 30 "build/fuzz/$name.log"
		status=1
	else
		grep -E '^(Done|#[0-9]+.*DONE)' "build/fuzz/$name.log" | tail -n 1 || true
	fi
done < "$list"
exit $status
