#include <random>

#include "engine/comune.h"
#include "engine/motore.h"
#include "engine/riduzioni.h"
#include "support/date.h"

namespace novanta {
namespace {

using Testi = test::StatoMotore;

TEST_F(Testi, RiepilogoSistemaPerOgniCombinazione) {
    EXPECT_EQ(RiepilogoSistema(), "M0062");
    // Every other condition alone makes a filtered system.
    const std::vector<std::function<void(bool)>> condizioni = {
        [](bool on) { mNumFiltriAND = on ? 1 : 0; },      [](bool on) { mNumFiltriOR = on ? 3 : 0; },
        [](bool on) { mConsecutivi.attivo = on; },        [](bool on) { mColonneBaseAttive = on; },
        [](bool on) { mNumFiltriDistanza = on ? 1 : 0; }, [](bool on) { mCondizioni.fisseAttive = on; },
        [](bool on) { mCondizioni.pariAttivo = on; },     [](bool on) { mCondizioni.sommaAttiva = on; },
    };
    for (size_t i = 0; i < condizioni.size(); ++i) {
        condizioni[i](true);
        EXPECT_EQ(RiepilogoSistema(), "M0060") << "condition " << i;
        condizioni[i](false);
        EXPECT_EQ(RiepilogoSistema(), "M0062") << "condition " << i;
    }
    // Settings held by records that are not on do not count.
    mConsecutivi.maschera = 6;
    mCondizioni.sommaMax = 100;
    EXPECT_EQ(RiepilogoSistema(), "M0062");
    mCondizioni = {.ridottoAttivo = true, .ridottoNx = 2};
    EXPECT_EQ(RiepilogoSistema(), "M0018 N-2");
    mCondizioni.pariAttivo = true;
    mDistanzaMinima = {4, true};  // both reductions on: the N-x rows apply
    EXPECT_EQ(RiepilogoSistema(), "M0018 N-2 M0060");
    mCondizioni = {};
    EXPECT_EQ(RiepilogoSistema(), "M0061 [4]");
    mNumFiltriOR = 1;
    EXPECT_EQ(RiepilogoSistema(), "M0061 [4] - M0060");
}

TEST(FormatoDurata, SecondiInteriQualunqueSiaLOraDiPartenza) {
    const double d = DataOLE(2024, 3, 1);
    auto dopo = [&](double secondi) { return d + secondi / 86400.0; };
    // The clock set back during a run (the local time leaving summer time): no negative time.
    EXPECT_EQ(FormatoDurata(dopo(3600), dopo(10), "D HH:MM:SS"), "0 Days 00:00:00");

    // The run's start and end are dates with a time of day; the whole seconds between them
    // must not lose one to the rounding of the fractions.
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> secondo(0, 86399);
    std::uniform_int_distribution<int> durata(0, 3 * 86400);
    for (int prova = 0; prova < 20000; ++prova) {
        const int s0 = secondo(gen), s = durata(gen);
        const int giorni = s / 86400;
        const std::string atteso = std::to_string(giorni) + (giorni == 1 ? " Day " : " Days ") +
                                   FormatoZeri(s % 86400 / 3600) + ":" + FormatoZeri(s % 3600 / 60) + ":" +
                                   FormatoZeri(s % 60);
        ASSERT_EQ(FormatoDurata(dopo(s0), dopo(s0 + s), "D HH:MM:SS"), atteso)
            << "start " << s0 << " s, duration " << s << " s";
    }
}

TEST(ColonneIntegrali, FattorialeEBinomiali) {
    EXPECT_EQ(Fattoriale(25), 15511210043330985984000000.0);
    EXPECT_EQ(ColonneIntegrali(3, 5), 0);  // fewer numbers than the length

    // Every count a run can meet is the exact whole number, as long as a double holds it.
    std::vector<std::vector<unsigned __int128>> pascal(91, std::vector<unsigned __int128>(26, 0));
    for (size_t n = 0; n <= 90; ++n) {
        pascal[n][0] = 1;
        for (size_t k = 1; k <= 25 && k <= n; ++k) pascal[n][k] = pascal[n - 1][k - 1] + (k < n ? pascal[n - 1][k] : 0);
    }
    for (int n = 2; n <= 90; ++n)
        for (int k = 2; k <= 25 && k <= n; ++k)
            ASSERT_EQ(ColonneIntegrali(n, k),
                      static_cast<double>(pascal[static_cast<size_t>(n)][static_cast<size_t>(k)]))
                << "C(" << n << ", " << k << ")";
}

TEST_F(Testi, LaFinestraChiusaPerUltimaVinceEIValoriTornanoNellaScala) {
    mLenCol = 6;
    // Only one reduction on: closing either window says nothing and changes nothing.
    mCondizioni.ridottoAttivo = true;
    ChiudiRidottoDistanzaMinima();
    ChiudiRidotto();
    EXPECT_TRUE(mCondizioni.ridottoAttivo);
    EXPECT_TRUE(ui.messaggi.empty());

    mDistanzaMinima.attiva = true;
    ChiudiRidotto();
    EXPECT_TRUE(mCondizioni.ridottoAttivo);
    EXPECT_FALSE(mDistanzaMinima.attiva);
    mDistanzaMinima.attiva = true;
    ChiudiRidottoDistanzaMinima();
    EXPECT_FALSE(mCondizioni.ridottoAttivo);
    EXPECT_TRUE(mDistanzaMinima.attiva);
    ASSERT_EQ(ui.messaggi.size(), 2u);
    EXPECT_EQ(ui.messaggi[0].testo, "M0021");
    EXPECT_EQ(ui.messaggi[1].testo, "M0005");

    mLenCol = 4;
    for (auto [prima, dopo] : {std::pair{9, 4}, {0, 0}}) {
        mCondizioni.ridottoNx = static_cast<uint8_t>(prima);
        ApriRidotto();
        EXPECT_EQ(mCondizioni.ridottoNx, dopo);
    }
    for (auto [prima, dopo] : {std::pair{0, 1}, {20, 4}}) {
        mDistanzaMinima.valore = static_cast<uint8_t>(prima);
        ApriRidottoDistanzaMinima();
        EXPECT_EQ(mDistanzaMinima.valore, dopo);
    }
}

}  // namespace
}  // namespace novanta
