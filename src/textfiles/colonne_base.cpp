#include "textfiles/colonne_base.h"

#include "support/formato.h"

#include "textfiles/colonne_txt.h"

namespace novanta {

bool ImportaColonneBase(const std::string& nomeFile) {
    bool riuscito = false;
    // One record more than the limit tells a file that exceeds it from one that just fills it.
    auto lette = LoadTxtToColonneArray(nomeFile, MAX_COLONNE_BASE + 1, &riuscito);
    if (!riuscito) return false;
    if (static_cast<int32_t>(lette.size()) - 1 > MAX_COLONNE_BASE) {
        AvvisoLimite(MAX_COLONNE_BASE);
        lette.resize(static_cast<size_t>(MAX_COLONNE_BASE) + 1);
    }
    const int32_t n = static_cast<int32_t>(lette.size()) - 1;
    if (n > 0 && lette[1].lunghezza != mLenCol) {
        UI().MsgBox("Lunghezza Colonna Base [" + std::to_string(lette[1].lunghezza) +
                        "] diversa da Lunghezza Colonna [" + std::to_string(mLenCol) + "]",
                    Pulsanti::OK, Icona::Critica);
        return false;
    }
    mColonneBase = std::move(lette);
    mNumColonneBase = n;
    return true;
}

std::vector<std::vector<std::string>> CelleColonneBase() {
    std::vector<std::vector<std::string>> celle;
    const size_t colonne = static_cast<size_t>(mLenCol) + 1;
    if (mNumColonneBase > 0) {
        std::vector<std::string> testata{"N."};
        for (int p = 1; p <= mLenCol; ++p) {
            std::string t(1, 'P');
            t += std::to_string(p);
            testata.push_back(std::move(t));
        }
        celle.push_back(std::move(testata));
    }
    for (int32_t i = 1; i <= mNumColonneBase && i < static_cast<int32_t>(mColonneBase.size()); ++i) {
        std::vector<std::string> riga{std::to_string(i)};
        const tColonna& c = mColonneBase[static_cast<size_t>(i)];
        // Numbers beyond the grid's last column are not shown.
        for (size_t p = 1; p < c.numeri.size() && riga.size() < colonne; ++p)
            if (c.numeri[p] != 0) riga.push_back(FormatoZeri(c.numeri[p], 2));
        riga.resize(colonne);
        celle.push_back(std::move(riga));
    }
    return celle;
}

std::string EtichettaNumColonneBase() { return mNumColonneBase > 0 ? FormatoMigliaia(mNumColonneBase) : ""; }

}  // namespace novanta
