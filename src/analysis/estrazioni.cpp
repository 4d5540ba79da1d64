#include "analysis/estrazioni.h"

#include <algorithm>
#include <array>
#include <bit>
#include <fstream>

#include "core/corpo.h"
#include "settings/multiLanguage.h"
#include "support/date_civili.h"
#include "support/file_atomico.h"
#include "support/righe_testo.h"

namespace novanta::analisi {

ControlloEstrazioni::ControlloEstrazioni(const std::vector<uint8_t>& colonne, int lunghezza) : k_(lunghezza) {
    if (lunghezza <= 0) return;
    const size_t c = colonne.size() / static_cast<size_t>(lunghezza);
    maschere_.resize(c, Maschera{0, 0});
    for (size_t i = 0; i < c; ++i)
        for (int p = 0; p < lunghezza; ++p) {
            const int v = colonne[i * static_cast<size_t>(lunghezza) + static_cast<size_t>(p)];
            if (v >= 1 && v <= 64)
                maschere_[i].basso |= uint64_t{1} << (v - 1);
            else if (v > 64 && v <= 90)
                maschere_[i].alto |= uint64_t{1} << (v - 65);
        }
}

EsitoControllo ControlloEstrazioni::Controlla(const std::vector<uint8_t>& estratti, bool conVincenti) const {
    Maschera e{0, 0};
    for (uint8_t v : estratti) {
        if (v >= 1 && v <= 64)
            e.basso |= uint64_t{1} << (v - 1);
        else if (v > 64 && v <= 90)
            e.alto |= uint64_t{1} << (v - 65);
    }
    EsitoControllo esito;
    esito.colpi.assign(static_cast<size_t>(std::max(k_, 0) + 1), 0);
    for (const Maschera& m : maschere_) {
        const int h = std::popcount(m.basso & e.basso) + std::popcount(m.alto & e.alto);
        ++esito.colpi[static_cast<size_t>(std::min(h, k_))];
        esito.migliore = std::max(esito.migliore, h);
    }
    if (conVincenti && esito.migliore > 0)
        for (size_t i = 0; i < maschere_.size(); ++i)
            if (std::popcount(maschere_[i].basso & e.basso) + std::popcount(maschere_[i].alto & e.alto) ==
                esito.migliore)
                esito.vincenti.push_back(static_cast<int32_t>(i + 1));
    return esito;
}

RiepilogoEstrazioni ControllaEstrazioni(const ControlloEstrazioni& controllo, const std::vector<Estrazione>& estrazioni,
                                        Interfaccia& ui) {
    RiepilogoEstrazioni r;
    const auto k = static_cast<size_t>(std::max(controllo.lunghezza(), 0));
    r.perMigliore.assign(k + 1, 0);
    r.colpiTotali.assign(k + 1, 0);
    mAnnullaCalcolo = false;
    for (const Estrazione& e : estrazioni) {
        EsitoControllo esito = controllo.Controlla(e.numeri, false);
        ++r.perMigliore[std::min(static_cast<size_t>(esito.migliore), k)];
        for (size_t h = 0; h < esito.colpi.size(); ++h) r.colpiTotali[h] += esito.colpi[h];
        r.esiti.push_back(std::move(esito));
        ui.DoEvents();
        if (mAnnullaCalcolo) {
            r.annullato = true;
            break;
        }
    }
    return r;
}

namespace {

bool separatore(char c) { return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '\r'; }

// The tokens of a line, split at runs of separators.
std::vector<std::string_view> Pezzi(std::string_view riga) {
    std::vector<std::string_view> pezzi;
    size_t i = 0;
    while (i < riga.size()) {
        while (i < riga.size() && separatore(riga[i])) ++i;
        size_t j = i;
        while (j < riga.size() && !separatore(riga[j])) ++j;
        if (j > i) pezzi.push_back(riga.substr(i, j - i));
        i = j;
    }
    return pezzi;
}

bool cifre(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "YYYY-MM-DD" or "DD/MM/YYYY" as "YYYY-MM-DD"; "" when the token is no valid date.
std::string DataDelPezzo(std::string_view p) {
    std::string iso;
    if (p.size() == 10 && p[4] == '-' && p[7] == '-' && cifre(p.substr(0, 4)) && cifre(p.substr(5, 2)) &&
        cifre(p.substr(8, 2)))
        iso = std::string(p);
    else if (p.size() == 10 && p[2] == '/' && p[5] == '/' && cifre(p.substr(0, 2)) && cifre(p.substr(3, 2)) &&
             cifre(p.substr(6, 4)))
        iso = std::string(p.substr(6, 4)) + "-" + std::string(p.substr(3, 2)) + "-" + std::string(p.substr(0, 2));
    return !iso.empty() && DataDaISO(iso) ? iso : "";
}

bool SembraData(std::string_view p) { return p.find_first_of("-/") != std::string_view::npos; }

bool NumeriDeiPezzi(const std::vector<std::string_view>& pezzi, size_t da, std::vector<uint8_t>& numeri,
                    std::string& motivo) {
    numeri.clear();
    std::array<bool, 91> visto{};
    for (size_t i = da; i < pezzi.size(); ++i) {
        const std::string_view p = pezzi[i];
        // Leading zeros are fine ("05"); a longer token is no number of 1..90.
        const size_t zeri = std::min(p.find_first_not_of('0'), p.size());
        const std::string_view resto = p.substr(zeri);
        int v = 0;
        if (cifre(p) && resto.size() <= 2)
            for (char c : resto) v = v * 10 + (c - '0');
        if (!cifre(p) || resto.size() > 2 || v < 1 || v > 90) {
            motivo = TestoMessaggio("0222") + " " + std::string(p.substr(0, 20));
            return false;
        }
        if (visto[static_cast<size_t>(v)]) {
            motivo = TestoMessaggio("0223") + " " + std::to_string(v);
            return false;
        }
        visto[static_cast<size_t>(v)] = true;
        numeri.push_back(static_cast<uint8_t>(v));
    }
    if (numeri.empty()) {
        motivo = TestoMessaggio("0224");
        return false;
    }
    return true;
}

}  // namespace

bool LeggiEstrazione(const std::string& testo, std::vector<uint8_t>& numeri, std::string& motivo) {
    std::vector<uint8_t> letti;
    if (!NumeriDeiPezzi(Pezzi(testo), 0, letti, motivo)) return false;
    numeri = std::move(letti);
    return true;
}

bool LeggiEstrazioni(std::istream& in, std::vector<Estrazione>& estrazioni, ErroreLettura& esito) {
    std::vector<Estrazione> lette;
    LettoreRighe lettore(in, 4096);
    std::string riga, motivo;
    int32_t numero = 0;
    auto errore = [&](const std::string& m) {
        esito = {ERRORE_APPLICAZIONE, TestoMessaggio("0220") + " " + std::to_string(numero) + ": " + m};
        return false;
    };
    while (lettore.leggi(riga)) {
        ++numero;
        if (lettore.troppoLunga()) return errore(TestoMessaggio("0225"));
        std::string_view vista = riga;
        // A byte-order mark at the head of the file (spreadsheets write one).
        if (numero == 1 && vista.starts_with("\xEF\xBB\xBF")) vista.remove_prefix(3);
        const auto pezzi = Pezzi(vista);
        if (pezzi.empty() || pezzi.front().front() == '#') continue;
        Estrazione e;
        e.riga = numero;
        size_t da = 0;
        if (SembraData(pezzi.front())) {
            e.data = DataDelPezzo(pezzi.front());
            if (e.data.empty()) return errore(TestoMessaggio("0221") + " " + std::string(pezzi.front().substr(0, 20)));
            da = 1;
        }
        if (!NumeriDeiPezzi(pezzi, da, e.numeri, motivo)) return errore(motivo);
        if (static_cast<int32_t>(lette.size()) >= kEstrazioniMassime) return errore(TestoMessaggio("0228"));
        lette.push_back(std::move(e));
    }
    if (in.bad()) {
        esito = {75, TestoMessaggio("0226")};
        return false;
    }
    if (lette.empty()) {
        esito = {ERRORE_APPLICAZIONE, TestoMessaggio("0227")};
        return false;
    }
    estrazioni = std::move(lette);
    return true;
}

bool LeggiEstrazioni(const std::filesystem::path& file, std::vector<Estrazione>& estrazioni, ErroreLettura& errore) {
    int numero = 0;
    std::string descrizione;
    // A FIFO would block and /dev/zero never end: only a regular file is read.
    if (!FileRegolareDaLeggere(file, numero, descrizione)) {
        errore = {numero, TestoMessaggio("0226") + " " + descrizione};
        return false;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        errore = {53, TestoMessaggio("0226") + " " + file.string()};
        return false;
    }
    return LeggiEstrazioni(in, estrazioni, errore);
}

}  // namespace novanta::analisi
