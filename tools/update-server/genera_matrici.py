#!/usr/bin/env python3
"""Writes the reference server's sample matrices: greedy covering designs in the .mzel layout.

Each matrix covers every M-subset of 1..V with at least T numbers in some column of K numbers.
Run from this folder: python3 genera_matrici.py (the files land in data/matrici/).
"""
import itertools
import os
import struct
import zlib
from datetime import date

TAG = b"matricezelv0001"
ORIGINE = date(1899, 12, 30)


def data_ole(d):
    return float((d - ORIGINE).days)


def copertura(v, k, t, m):
    colonne = []
    da_coprire = set(itertools.combinations(range(1, v + 1), m))
    candidati = list(itertools.combinations(range(1, v + 1), k))
    while da_coprire:
        migliore, coperti = None, set()
        for c in candidati:
            sc = set(c)
            cop = {s for s in da_coprire if len(sc.intersection(s)) >= t}
            if len(cop) > len(coperti):
                migliore, coperti = c, cop
        colonne.append(migliore)
        da_coprire -= coperti
    return colonne


def testo(s, n):
    return s.encode("latin-1")[:n].ljust(n, b" ")


def scrivi(nome, v, k, t, m, descrizione):
    colonne = copertura(v, k, t, m)
    c = len(colonne)
    testata = struct.pack("<BBBBBi", v, k, t, m, 0, c)
    testata += testo("100", 10) + testo("Novanta", 30) + testo(descrizione, 60)
    testata += struct.pack("<ddh", data_ole(date(2024, 1, 1)), data_ole(date(2099, 12, 31)), 0)
    testata += TAG
    assert len(testata) == 142
    blocco = bytes(colonne[ci][p] for p in range(k) for ci in range(c))
    corpo = testata + blocco
    crc = zlib.crc32(corpo) & 0xFFFFFFFF
    with open(os.path.join("data", "matrici", nome), "wb") as f:
        f.write(corpo + struct.pack("<I", crc))
    print(nome, "V", v, "K", k, "T", t, "M", m, "C", c)


if __name__ == "__main__":
    scrivi("M10_5_3.mzel", 10, 5, 3, 3, "10 numeri in colonne da 5, garanzia 3 su 3")
    scrivi("M12_6_4.mzel", 12, 6, 4, 4, "12 numeri in colonne da 6, garanzia 4 su 4")
    scrivi("M15_5_3.mzel", 15, 5, 3, 3, "15 numeri in colonne da 5, garanzia 3 su 3")
