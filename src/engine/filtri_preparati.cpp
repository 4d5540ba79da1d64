#include "engine/filtri_preparati.h"

#include <algorithm>
#include <unordered_map>

namespace novanta::motore {

namespace {
struct HashMaschera {
    size_t operator()(Maschera m) const {
        const uint64_t h =
            static_cast<uint64_t>(m) * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(m >> 64) * 0xC2B2AE3D27D4EB4Full;
        return static_cast<size_t>(h ^ (h >> 31));
    }
};
}  // namespace

ListaPreparata PreparaLista(const TabellaFiltri& lista, int32_t quanti, bool tipoAND, Maschera universo, int k) {
    ListaPreparata out;
    const bool liberi = universo == 0;
    const int n = Conta(universo);
    auto possibiliPer = [&](int dentro) {
        const int minimo = liberi ? 0 : std::max(0, k - (n - dentro));
        const int massimo = liberi ? k : std::min(k, dentro);
        uint32_t possibili = 0;
        for (int j = minimo; j <= massimo; ++j) possibili |= 1u << j;
        return possibili;
    };
    std::unordered_map<Maschera, uint32_t, HashMaschera> perGruppo;
    std::vector<Maschera> ordine;
    bool qualcunaPossibile = false;
    for (int32_t f = 1; f <= quanti; ++f) {
        const tFiltroGruppo& filtro = lista[f];
        Maschera g = 0;
        for (unsigned v = 1; v <= 90; ++v)
            if (filtro.numeri[v] == 1) g |= Bit(v);
        if (!liberi) g &= universo;
        // The counts a column of this run can have in this group.
        const uint32_t possibili = possibiliPer(Conta(g));
        const uint32_t accettati = static_cast<uint32_t>(filtro.presenze) & possibili;
        if (tipoAND) {
            if (accettati == possibili) continue;
            if (accettati == 0) {
                out.sempreFalsa = true;
                return out;
            }
            auto [it, nuovo] = perGruppo.try_emplace(g, accettati);
            if (nuovo)
                ordine.push_back(g);
            else
                it->second &= accettati;
            if (it->second == 0) {
                out.sempreFalsa = true;
                return out;
            }
        } else {
            if (accettati == possibili) {
                out.sempreVera = true;
                return out;
            }
            if (accettati == 0) continue;
            qualcunaPossibile = true;
            auto [it, nuovo] = perGruppo.try_emplace(g, accettati);
            if (nuovo)
                ordine.push_back(g);
            else
                it->second |= accettati;
        }
    }
    if (!tipoAND && quanti > 0 && !qualcunaPossibile) out.sempreFalsa = true;
    out.filtri.reserve(ordine.size());
    for (Maschera g : ordine) out.filtri.push_back({g, perGruppo[g]});
    // An OR list may still accept every column after merging.
    if (!tipoAND)
        for (const auto& f : out.filtri) {
            const uint32_t possibili = possibiliPer(Conta(f.gruppo));
            if ((f.accettati & possibili) == possibili) {
                out.sempreVera = true;
                out.filtri.clear();
                break;
            }
        }
    return out;
}

std::vector<DistanzaPreparata> PreparaDistanze(int k) {
    std::vector<DistanzaPreparata> out;
    for (int f = 1; f <= mNumFiltriDistanza && f <= MAX_FILTRI_DISTANZA; ++f) {
        const tFiltroDistanza& filtro = mFiltriDistanza[static_cast<size_t>(f)];
        DistanzaPreparata d{{}, &filtro};
        for (int j = 1; j <= filtro.numPosizioni && j <= 25; ++j)
            if (filtro.posizioni[static_cast<size_t>(j)] >= 1 && filtro.posizioni[static_cast<size_t>(j)] < k)
                d.posizioni.push_back(filtro.posizioni[static_cast<size_t>(j)]);
        out.push_back(std::move(d));
    }
    return out;
}

std::array<bool, 26> EspandiConsecutivi(int k) {
    std::array<bool, 26> flag{};
    for (int j = 1; j <= k; ++j)
        flag[static_cast<size_t>(j)] = (mConsecutivi.maschera & mPotenze2[static_cast<size_t>(j)]) != 0;
    return flag;
}

}  // namespace novanta::motore
