# Sourced by the scripts that run Wine: keeps the script, and every process it starts from
# then on, on the first processor it may use. Under Wine nearly every window call is a round
# trip to wineserver, and on a virtual machine a round trip between two processors costs
# about ten times one on the same processor: on the 2-processor machine of BENCHMARKS.md the
# rules dialog opens in about 110 ms instead of 450, and the end-to-end scenarios take 2.5
# minutes instead of 8. Where the processor cannot be chosen, everything runs as before.
taskset -pc "$(taskset -pc $$ | sed -E 's/.*: *([0-9]+).*/\1/')" $$ >/dev/null 2>&1 || true
