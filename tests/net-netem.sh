#!/bin/sh
# The three-player run over a loopback that netem makes lose 10 % of its packets, in a
# network namespace of its own. Skipped (77) where namespaces or netem are not available.
# Usage: net-netem.sh TEST_NET_PROCESSES
unshare -n true 2>/dev/null || { echo "skip: no network namespace here"; exit 77; }
exec unshare -n sh -c '
  ip link set lo up || { echo "skip: loopback cannot be brought up"; exit 77; }
  tc qdisc add dev lo root netem loss 10% || { echo "skip: netem not available"; exit 77; }
  PLOXEN_NETEM=1 exec "$0" --gtest_filter=NetProcesses.ANetemLinkKeepsJoinsAndTablesWhole' "$1"
