#!/usr/bin/env bash
# Rebuilds the shipped matrices: for 10 to 20 numbers in columns of 5 and of 6, the engine's N-1
# and N-2 reductions over the numbers 1..V (they guarantee K-1 and K-2 when K of the V numbers are
# drawn); a system of 500 columns or more is not shipped. make-matrix turns each into a matrix
# file and checks by brute force the guarantee it writes.
# Usage: data/matrici/genera.sh [path/to/novanta-cli]
set -euo pipefail
CLI=$(realpath "${1:-$(dirname "$0")/../../build/novanta-cli}")
cd "$(dirname "$0")"
TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
MAX_COLONNE=500

rm -f ./*.mzel
for K in 5 6; do
    for X in 1 2; do
        for V in $(seq 10 20); do
            T=$((K - X))
            "$CLI" --data "$TMP" generate --numbers "1-$V" --length "$K" --nx "$X" --out "$TMP/s.txt" 2>/dev/null
            C=$(grep -c . "$TMP/s.txt")
            if [ "$C" -ge "$MAX_COLONNE" ]; then
                echo "skipped: $V numbers, columns of $K, N-$X: $C columns"
                continue
            fi
            "$CLI" --data "$TMP" make-matrix --in "$TMP/s.txt" --out "v${V}k${K}t${T}.mzel" \
                --guarantee "$T" --drawn "$K" --cover "100%" --author "Novanta" \
                --description "Ridotto N-$X di $V numeri in colonne da $K ($T se $K)" \
                --valid-from 2026-01-01 --valid-to 9999-12-31
        done
    done
done
