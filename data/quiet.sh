#!/bin/sh
# quiet.sh LOG COMMAND...: runs COMMAND with its progress output in LOG; shows
# the log and fails when the command fails.
log=$1
shift
if "$@" > "$log" 2>&1; then
  exit 0
fi
status=$?
tr '\r' '\n' < "$log" | tail -n 20 >&2
echo "failed: $*" >&2
exit $status
