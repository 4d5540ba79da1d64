#include "core/regole_condizioni.h"

#include "core/corpo.h"

namespace novanta {

namespace {

EsitoCondizione rifiuto(std::string errore, std::string messaggio = {}) {
    return {std::move(errore), std::move(messaggio)};
}

std::string k() { return std::to_string(mLenCol); }

}  // namespace

std::vector<uint8_t> PronosticoCrescente() {
    std::vector<uint8_t> v;
    for (int i = 0; i < 90; ++i)
        if (mGriglia[static_cast<size_t>(i)] == 1) v.push_back(static_cast<uint8_t>(i + 1));
    return v;
}

LimitiSomma SommaPossibile() { return LimitiSommaPossibili(PronosticoCrescente(), mLenCol); }

std::vector<std::string> ControllaSomma(std::optional<int> minimo, std::optional<int> massimo) {
    const LimitiSomma l = SommaPossibile();
    std::vector<std::string> falliti;
    // An empty field keeps the stored bound, so that bound is what the range must agree with.
    const int d = minimo.value_or(mCondizioni.sommaMin);
    const int a = massimo.value_or(mCondizioni.sommaMax);
    if (d > a) falliti.emplace_back("0022");
    if (minimo && *minimo < l.minimo) falliti.emplace_back("0023");
    if (massimo && *massimo > l.massimo) falliti.emplace_back("0024");
    return falliti;
}

EsitoCondizione ImpostaSomma(std::optional<int> minimo, std::optional<int> massimo) {
    const auto falliti = ControllaSomma(minimo, massimo);
    if (!falliti.empty()) {
        const LimitiSomma l = SommaPossibile();
        const std::string& id = falliti.front();
        if (id == "0022")
            return rifiuto("the lowest sum " + std::to_string(minimo.value_or(mCondizioni.sommaMin)) +
                               " is above the highest " + std::to_string(massimo.value_or(mCondizioni.sommaMax)),
                           id);
        if (id == "0023")
            return rifiuto(std::to_string(*minimo) + " is below " + std::to_string(l.minimo) +
                               ", the smallest sum of " + k() + " prediction numbers",
                           id);
        return rifiuto(std::to_string(*massimo) + " is above " + std::to_string(l.massimo) + ", the largest sum of " +
                           k() + " prediction numbers",
                       id);
    }
    if (minimo) mCondizioni.sommaMin = static_cast<int16_t>(*minimo);
    if (massimo) mCondizioni.sommaMax = static_cast<int16_t>(*massimo);
    return {};
}

void ImpostaSommaAttiva(bool attiva) { mCondizioni.sommaAttiva = attiva; }

EsitoCondizione ImpostaPari(bool attivo, const std::array<bool, 26>& pari) {
    for (int e = mLenCol + 1; e <= 25; ++e)
        if (pari[static_cast<size_t>(e)] && !mCondizioni.pari[static_cast<size_t>(e)])
            return rifiuto(std::to_string(e) + " even numbers do not fit in a column of " + k());
    mCondizioni.pariAttivo = attivo;
    mCondizioni.pari = pari;
    return {};
}

EsitoCondizione ImpostaConteggioPari(int e, bool scelto) {
    if (e < 0 || e > 25) return rifiuto(std::to_string(e) + " is outside 0..25");
    auto pari = mCondizioni.pari;
    pari[static_cast<size_t>(e)] = scelto;
    return ImpostaPari(mCondizioni.pariAttivo, pari);
}

int MassimoFisse() { return mLenCol - 1; }

EsitoCondizione ImpostaFisse(bool attive, const std::vector<int>& numeri) {
    std::array<uint8_t, 91> fisse{};
    int conta = 0;
    for (int n : numeri) {
        if (n < 1 || n > 90) return rifiuto(std::to_string(n) + " is outside 1..90");
        if (mGriglia[static_cast<size_t>(n - 1)] != 1 || fisse[static_cast<size_t>(n)]) continue;
        fisse[static_cast<size_t>(n)] = 1;
        ++conta;
    }
    if (conta > MassimoFisse())
        return rifiuto(std::to_string(conta) + " fixed numbers: a column of " + k() + " takes at most " +
                       std::to_string(MassimoFisse()));
    mCondizioni.fisseAttive = attive;
    mCondizioni.fisse = fisse;
    mCondizioni.numFisse = static_cast<uint8_t>(conta);
    return {};
}

void ImpostaFisseAttive(bool attive) { mCondizioni.fisseAttive = attive; }

EsitoCondizione ImpostaConsecutivi(bool attivo, int32_t maschera) {
    if (maschera & ~int32_t{0x3FFFFFE}) return rifiuto("run lengths are 1..25");
    for (int j = mLenCol + 1; j <= 25; ++j) {
        const int32_t bit = int32_t{1} << j;
        if ((maschera & bit) && !(mConsecutivi.maschera & bit))
            return rifiuto("a run of " + std::to_string(j) + " does not fit in a column of " + k());
    }
    mConsecutivi.attivo = attivo;
    mConsecutivi.maschera = maschera;
    return {};
}

void ImpostaConsecutiviAttivo(bool attivo) { mConsecutivi.attivo = attivo; }

int MassimoConsecutiviPronostico() { return MassimoConsecutivi(PronosticoCrescente(), mLenCol); }

EsitoCondizione ImpostaFiltroDistanza(int indice, const tFiltroDistanza& filtro) {
    if (indice < 1 || indice > MAX_FILTRI_DISTANZA) return rifiuto("distance filters are 1..25");
    const tFiltroDistanza& prima = mFiltriDistanza[static_cast<size_t>(indice)];
    auto cera = [&](int p) {
        for (int j = 1; j <= prima.numPosizioni && j <= 25; ++j)
            if (prima.posizioni[static_cast<size_t>(j)] == p) return true;
        return false;
    };
    tFiltroDistanza f = filtro;
    int misurate = 0, ultima = 0;
    for (int j = 1; j <= f.numPosizioni; ++j) {
        const int p = j <= 25 ? f.posizioni[static_cast<size_t>(j)] : 0;
        if (p < 1 || p > 24 || p <= ultima) return rifiuto("positions are 1..24, ascending, each once");
        if (p >= mLenCol && !cera(p))
            return rifiuto("position " + std::to_string(p) + " is not a gap of a column of " + k() + " (1.." +
                           std::to_string(mLenCol - 1) + ")");
        if (p < mLenCol) ++misurate;
        ultima = p;
    }
    for (int j = f.numPosizioni + 1; j <= 25; ++j) f.posizioni[static_cast<size_t>(j)] = 0;
    if (f.attivo && misurate == 0) return rifiuto("a filter that is ON needs a position below " + k(), "0100");
    f.distMin[0] = f.distMax[0] = false;
    f.numDistMin = f.numDistMax = 0;
    for (int d = 1; d <= 89; ++d) {
        f.numDistMin = static_cast<uint8_t>(f.numDistMin + f.distMin[static_cast<size_t>(d)]);
        f.numDistMax = static_cast<uint8_t>(f.numDistMax + f.distMax[static_cast<size_t>(d)]);
    }
    mFiltriDistanza[static_cast<size_t>(indice)] = f;
    return {};
}

LimitiDistanza DistanzePossibili() { return LimitiDistanzaPossibili(PronosticoCrescente(), mLenCol); }

int CompattaFiltriDistanza() {
    const int on = CompattaFiltri(std::span<tFiltroDistanza>(mFiltriDistanza.data() + 1, MAX_FILTRI_DISTANZA));
    mNumFiltriDistanza = static_cast<uint8_t>(on);
    return on;
}

EsitoCondizione ImpostaRidotto(bool attivo, int x) {
    if (x < 0 || x > mLenCol) return rifiuto(std::to_string(x) + " is outside 0.." + k() + " (the column length)");
    mCondizioni.ridottoAttivo = attivo;
    mCondizioni.ridottoNx = static_cast<uint8_t>(x);
    return {};
}

EsitoCondizione ImpostaDistanzaMinima(bool attiva, int d) {
    if (d < 1 || d > mLenCol) return rifiuto(std::to_string(d) + " is outside 1.." + k() + " (the column length)");
    mDistanzaMinima.attiva = attiva;
    mDistanzaMinima.valore = static_cast<uint8_t>(d);
    return {};
}

}  // namespace novanta
