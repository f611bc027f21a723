#!/usr/bin/env bash
# The Linux Table page with a time-table of 10,000 items in 200 sections: the tree filled and saved,
# median of five each. Goals: the fill under 300 ms, Save under 100 ms; the exit code is 1 when one is
# missed.
#
#   bench/linux_table.sh BUILD    BUILD: a Linux build holding bench/linux/table_bench
set -euo pipefail
FILL_GOAL_MS=300
SAVE_GOAL_MS=100
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
report=$("$1/bench/linux/table_bench" "$work")
echo "$report"
fill=$(sed -n 's/^fill (ms): median //p' <<<"$report")
save=$(sed -n 's/^save (ms): median //p' <<<"$report")
echo "goals: fill under $FILL_GOAL_MS ms, save under $SAVE_GOAL_MS ms"
awk -v f="$fill" -v s="$save" -v fg="$FILL_GOAL_MS" -v sg="$SAVE_GOAL_MS" 'BEGIN { exit !(f < fg && s < sg) }'
