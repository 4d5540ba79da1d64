#!/usr/bin/env bash
# Rebuilds the shipped matrices: the engine builds each reduced system over the numbers 1..V,
# make-matrix turns it into a matrix file and checks the guarantee it writes.
# Usage: data/matrici/genera.sh [path/to/novanta-cli]
set -euo pipefail
cd "$(dirname "$0")"
CLI=${1:-../../build/novanta-cli}
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT

# V K x: the N-x reduction of V numbers in columns of K, which guarantees K-x out of K drawn.
while read -r V K X; do
    T=$((K - X))
    "$CLI" --data "$TMP" generate --numbers "1-$V" --length "$K" --nx "$X" --out "$TMP/s.txt" 2>/dev/null
    "$CLI" --data "$TMP" make-matrix --in "$TMP/s.txt" --out "v${V}k${K}t${T}.mzel" \
        --guarantee "$T" --drawn "$K" --cover "100%" --author "Novanta" \
        --description "Ridotto N-$X di $V numeri in colonne da $K" \
        --valid-from 2026-01-01 --valid-to 9999-12-31
done <<'ELENCO'
12 5 1
10 6 2
16 5 2
ELENCO
