#include <regex>

#include "engine/comune.h"
#include "engine/motore.h"

namespace novanta {
namespace {

using test::Colonne;
using test::Combinazioni;
using test::Comuni;
using test::Da;
using test::Segna;
using test::Sistema;
using Corsa = test::StatoMotore;

bool eDurata(const std::string& t) { return std::regex_match(t, std::regex(R"(\d+ Days? \d\d:\d\d:\d\d)")); }

TEST_F(Corsa, GenerazioneSenzaCondizioniEIlSistemaIntegrale) {
    Segna(Da(1, 8));
    mLenCol = 3;
    CalcolaSistema();
    EXPECT_EQ(Sistema(), Combinazioni(Da(1, 8), 3));
    EXPECT_EQ(mSistema.descrizione, "M0062");
    EXPECT_EQ(mGUILocked, -1);
    EXPECT_EQ(ui.progressoAperto, 1);
    EXPECT_EQ(ui.progressoChiuso, 1);
    ASSERT_FALSE(ui.messaggi.empty());
    EXPECT_TRUE(eDurata(ui.messaggi.back().testo)) << ui.messaggi.back().testo;
    EXPECT_EQ(ui.messaggi.back().icona, Icona::Nessuna);
    // Positions above the length stay empty.
    EXPECT_EQ(mArrColonne.valore(1, 4), 0);

    // n = k: the one column of all prediction numbers.
    test::StatoIniziale();
    Segna({5, 17, 90});
    mLenCol = 3;
    CalcolaSistema();
    EXPECT_EQ(Sistema(), (Colonne{{5, 17, 90}}));
}

TEST_F(Corsa, ColonneLunghe) {
    // The counts of these systems are not whole numbers when computed as a product over a
    // factorial; the run must still examine every combination.
    Segna(Da(66, 90));
    mLenCol = 25;
    CalcolaSistema();
    EXPECT_EQ(Sistema(), Combinazioni(Da(66, 90), 25));
    EXPECT_EQ(ui.etichette.back().elaborate, 1);

    test::StatoIniziale();
    Segna(Da(1, 24));
    mLenCol = 23;
    CalcolaSistema();
    EXPECT_EQ(Sistema(), Combinazioni(Da(1, 24), 23));
    EXPECT_EQ(UltimoEsito().elaborate, 24);
}

TEST_F(Corsa, NessunaColonnaNessunBlocco) {
    Segna(Da(1, 10));
    mLenCol = 4;
    mCondizioni.sommaAttiva = true;
    mCondizioni.sommaMin = 500;
    mCondizioni.sommaMax = 600;
    CalcolaSistema();
    EXPECT_EQ(mSistema.nColonne, 0);
    EXPECT_EQ(mGUILocked, 0);
    EXPECT_EQ(ui.lock, 0);
    EXPECT_EQ(mSistema.descrizione, "M0060");
}

TEST_F(Corsa, LeFisseNonPiuSegnateSonoTolteDallaCorsa) {
    Segna(Da(1, 10));
    mLenCol = 3;
    mCondizioni.fisseAttive = true;
    mCondizioni.fisse[3] = 1;
    mCondizioni.fisse[50] = 1;  // not marked any more
    mCondizioni.numFisse = 2;
    CalcolaSistema();
    EXPECT_EQ(mCondizioni.fisse[50], 0);
    EXPECT_EQ(mCondizioni.numFisse, 1);
    ASSERT_EQ(mSistema.nColonne, 36);  // C(9, 2): every column holding 3
    for (const auto& c : Sistema()) EXPECT_NE(std::find(c.begin(), c.end(), 3), c.end());

    // The recalculation drops them too, and never counts below zero.
    Sblocca_x_Ricalcolo();
    mCondizioni.fisse[60] = 1;
    mCondizioni.numFisse = 0;
    RicalcolaSistema();
    EXPECT_EQ(mCondizioni.fisse[60], 0);
    EXPECT_EQ(mCondizioni.numFisse, 0);
}

TEST_F(Corsa, IlConteggioDelleFisseNonScendeSottoZero) {
    // A count already out of step with the table must not wrap round to 255, which would
    // make the fixed-numbers test reject every column.
    Segna(Da(1, 6));
    mLenCol = 3;
    mCondizioni.fisseAttive = true;
    mCondizioni.fisse[50] = 1;
    mCondizioni.numFisse = 0;
    CalcolaSistema();
    EXPECT_EQ(mCondizioni.fisse[50], 0);
    EXPECT_EQ(mCondizioni.numFisse, 0);
    EXPECT_EQ(mSistema.nColonne, 20);
}

TEST_F(Corsa, ColonneBaseInTestaEQuelleDiAltraLunghezzaEscluse) {
    Segna(Da(1, 6));
    mLenCol = 3;
    test::MettiColonneBase({{80, 81, 82}, {1, 2, 3, 4}, {40, 2, 30}});
    mCondizioni.sommaAttiva = true;  // the base columns fail it but still head the system
    mCondizioni.sommaMin = 6;
    mCondizioni.sommaMax = 7;
    CalcolaSistema();
    EXPECT_EQ(Sistema(), (Colonne{{80, 81, 82}, {40, 2, 30}, {1, 2, 3}, {1, 2, 4}}));
    EXPECT_EQ(UltimoEsito().colonneBaseEscluse, 1);
    const auto escluse = std::find_if(ui.messaggi.begin(), ui.messaggi.end(),
                                      [](const auto& m) { return m.icona == Icona::Esclamazione; });
    ASSERT_NE(escluse, ui.messaggi.end());
    EXPECT_NE(escluse->testo.find('1'), std::string::npos);
    EXPECT_EQ(mSistema.descrizione, "M0060");
    // No stored column has a number beyond the length.
    for (int32_t c = 1; c <= mSistema.nColonne; ++c) EXPECT_EQ(mArrColonne.valore(c, 4), 0);
}

TEST_F(Corsa, LeRiduzioniConfrontanoAncheLeColonneBase) {
    Segna(Da(1, 6));
    mLenCol = 3;
    test::MettiColonneBase({{1, 2, 3}});
    mCondizioni.ridottoAttivo = true;
    mCondizioni.ridottoNx = 3;  // N-k: nothing after the first stored column
    CalcolaSistema();
    EXPECT_EQ(Sistema(), (Colonne{{1, 2, 3}}));

    test::StatoIniziale();
    Segna(Da(1, 6));
    mLenCol = 3;
    test::MettiColonneBase({{1, 2, 3}});
    mDistanzaMinima = {3, true};  // disjoint from the base column
    CalcolaSistema();
    EXPECT_EQ(Sistema(), (Colonne{{1, 2, 3}, {4, 5, 6}}));
}

TEST_F(Corsa, CasiLimiteDelleRiduzioni) {
    const auto integrale = Combinazioni(Da(1, 12), 4);
    auto corsa = [&](auto imposta) {
        test::StatoIniziale();
        Segna(Da(1, 12));
        mLenCol = 4;
        imposta();
        CalcolaSistema();
        return Sistema();
    };
    EXPECT_EQ(corsa([] { mCondizioni = {.ridottoAttivo = true, .ridottoNx = 0}; }), integrale);
    EXPECT_EQ(corsa([] { mCondizioni = {.ridottoAttivo = true, .ridottoNx = 4}; }), (Colonne{{1, 2, 3, 4}}));
    EXPECT_EQ(corsa([] { mDistanzaMinima = {1, true}; }), integrale);
    EXPECT_EQ(corsa([] { mDistanzaMinima = {4, true}; }), (Colonne{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}}));
    EXPECT_EQ(mSistema.descrizione, "M0061 [4]");

    // N-x in between: greedy in lexicographic order, every kept pair shares fewer than k - x
    // numbers, and every dropped column shares k - x or more with one kept before it.
    for (int x = 1; x <= 3; ++x) {
        const auto s = corsa([x] { mCondizioni = {.ridottoAttivo = true, .ridottoNx = static_cast<uint8_t>(x)}; });
        Colonne atteso;
        for (const auto& c : integrale) {
            bool tieni = true;
            for (const auto& k : atteso) tieni = tieni && Comuni(c, k) < 4 - x;
            if (tieni) atteso.push_back(c);
        }
        EXPECT_EQ(s, atteso) << "N-" << x;
        EXPECT_EQ(mSistema.descrizione, "M0018 N-" + std::to_string(x));
    }
    // N-2 and minimum distance 3 are the same reduction.
    EXPECT_EQ(corsa([] { mCondizioni = {.ridottoAttivo = true, .ridottoNx = 2}; }),
              corsa([] { mDistanzaMinima = {3, true}; }));
}

TEST_F(Corsa, ProtocolloDiAvanzamentoDellaGenerazione) {
    Segna(Da(1, 20));
    mLenCol = 5;  // 15,504 combinations
    CalcolaSistema();
    ASSERT_EQ(mSistema.nColonne, 15504);
    // One update per progress step 0..250; the bar shows step x 0.4.
    ASSERT_EQ(ui.barre.size(), 251u);
    for (size_t s = 0; s < ui.barre.size(); ++s) EXPECT_EQ(ui.barre[s], ArrotondaPari(static_cast<double>(s) * 0.4)) << s;
    EXPECT_EQ(ui.barre.back(), 100);
    ASSERT_EQ(ui.etichette.size(), 252u);  // every step and the closing counts
    for (size_t i = 1; i < ui.etichette.size(); ++i) {
        EXPECT_EQ(ui.etichette[i].integrale, 15504);
        EXPECT_GE(ui.etichette[i].elaborate, ui.etichette[i - 1].elaborate);
        EXPECT_LE(ui.etichette[i].sistema, ui.etichette[i].elaborate);
    }
    EXPECT_EQ(ui.etichette.back().elaborate, 15504);
    EXPECT_EQ(ui.etichette.back().sistema, 15504);
    EXPECT_EQ(UltimoEsito().elaborate, 15504);
    EXPECT_GE(ui.yield, 251);
    EXPECT_TRUE(ui.allarmi.empty());
    EXPECT_TRUE(eDurata(ui.messaggi.back().testo));
}

TEST_F(Corsa, ProtocolloDiAvanzamentoDelRicalcolo) {
    test::MettiSistema(Combinazioni(Da(1, 13), 3), 3);  // 286 columns
    Sblocca_x_Ricalcolo();
    mCondizioni.sommaAttiva = true;
    mCondizioni.sommaMin = 10;
    mCondizioni.sommaMax = 20;
    CalcoloComando();
    Colonne atteso;
    for (const auto& c : Combinazioni(Da(1, 13), 3))
        if (c[0] + c[1] + c[2] >= 10 && c[0] + c[1] + c[2] <= 20) atteso.push_back(c);
    EXPECT_EQ(Sistema(), atteso);
    EXPECT_EQ(mSistema.descrizione, "M0060");
    // The bar takes the step itself, 0..100, once each.
    ASSERT_EQ(ui.barre.size(), 101u);
    for (int s = 0; s <= 100; ++s) EXPECT_EQ(ui.barre[static_cast<size_t>(s)], s);
    EXPECT_EQ(ui.etichette.back().integrale, 286);
    EXPECT_EQ(ui.etichette.back().elaborate, 286);
    EXPECT_EQ(ui.etichette.back().sistema, static_cast<double>(atteso.size()));
    EXPECT_TRUE(eDurata(ui.messaggi.back().testo));
    EXPECT_EQ(mGUILocked, -1);
}

TEST_F(Corsa, RicalcoloSenzaCondizioniLasciaIlSistemaEAggiungeLeBasi) {
    const Colonne importato{{3, 9, 40}, {1, 2, 3}, {3, 9, 40}, {7, 8, 90}};
    test::MettiSistema(importato, 3);
    RicalcolaSistema();
    EXPECT_EQ(Sistema(), importato);
    EXPECT_EQ(mSistema.descrizione, "M0062");

    test::MettiColonneBase({{10, 20, 30}});
    mDistanzaMinima = {1, true};
    RicalcolaSistema();
    // Minimum distance 1 drops only the column identical to one kept before it.
    EXPECT_EQ(Sistema(), (Colonne{{10, 20, 30}, {3, 9, 40}, {1, 2, 3}, {7, 8, 90}}));
    EXPECT_EQ(mSistema.descrizione, "M0061 [1] - M0060");
}

TEST_F(Corsa, RicalcoloConColonnePiuCorte) {
    test::MettiSistema({{1, 2, 3, 4, 5}, {10, 20, 30, 40, 50}}, 5);
    mLenCol = 3;
    RicalcolaSistema();
    EXPECT_EQ(Sistema(), (Colonne{{1, 2, 3}, {10, 20, 30}}));
    EXPECT_EQ(mArrColonne.valore(1, 4), 0);
    EXPECT_EQ(mArrColonne.valore(2, 5), 0);
}

TEST_F(Corsa, RifiutiConMessaggioChiaroESistemaIntatto) {
    Segna(Da(1, 5));
    for (int k : {1, 0, 26}) {
        ui.messaggi.clear();
        mLenCol = static_cast<int16_t>(k);
        CalcolaSistema();
        EXPECT_FALSE(UltimoEsito().eseguito);
        EXPECT_EQ(mSistema.nColonne, 0);
        ASSERT_EQ(ui.messaggi.size(), 1u) << "k = " << k;
        EXPECT_NE(ui.messaggi[0].testo.find("Error -2147211504"), std::string::npos);
        EXPECT_NE(ui.messaggi[0].testo.find("2..25"), std::string::npos);
        EXPECT_NE(ui.messaggi[0].testo.find("GeneraSistema"), std::string::npos);
    }
    ui.messaggi.clear();
    mLenCol = 6;  // 5 numbers
    CalcolaSistema();
    EXPECT_FALSE(UltimoEsito().eseguito);
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_NE(ui.messaggi[0].testo.find("fewer than the column length 6"), std::string::npos);
    EXPECT_EQ(ui.progressoAperto, ui.progressoChiuso);
    EXPECT_EQ(mGUILocked, 0);

    // A recalculation with a longer length than the stored columns.
    const Colonne importato{{1, 2, 3, 4}, {5, 6, 7, 8}};
    test::MettiSistema(importato, 4);
    mSistema.descrizione = "FILE TXT";
    Sblocca_x_Ricalcolo();
    mLenCol = 5;
    ui.messaggi.clear();
    CalcoloComando();
    EXPECT_FALSE(UltimoEsito().eseguito);
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_NE(ui.messaggi[0].testo.find("RicalcolaColonne"), std::string::npos);
    EXPECT_NE(ui.messaggi[0].testo.find("shorter than the column length 5"), std::string::npos);
    EXPECT_EQ(mSistema.nColonne, 2);
    EXPECT_EQ(mSistema.descrizione, "FILE TXT");
    mLenCol = 4;
    EXPECT_EQ(Sistema(), importato);
}

TEST_F(Corsa, AnnullamentoRispostaNoProsegue) {
    Segna(Da(1, 20));
    mLenCol = 5;
    ui.allYield = [](int64_t n) {
        if (n == 100) ChiediAnnullamento();
    };
    ui.risposte = {Risposta::No};
    CalcolaSistema();
    EXPECT_FALSE(UltimoEsito().annullato);
    EXPECT_EQ(mSistema.nColonne, 15504);
    const auto domanda = std::find_if(ui.messaggi.begin(), ui.messaggi.end(),
                                      [](const auto& m) { return m.pulsanti == Pulsanti::SiNo; });
    ASSERT_NE(domanda, ui.messaggi.end());
    EXPECT_EQ(domanda->testo.rfind("M0001 15.504\r\nM0002 ", 0), 0u) << domanda->testo;
}

TEST_F(Corsa, AnnullamentoTieneLeColonneFinoA) {
    Segna(Da(1, 20));
    mLenCol = 5;
    mCondizioni.pariAttivo = true;
    mCondizioni.pari[2] = mCondizioni.pari[3] = true;
    ui.allYield = [](int64_t n) {
        if (n == 100) ChiediAnnullamento();
    };
    ui.risposte = {Risposta::Si};
    CalcolaSistema();
    ASSERT_TRUE(UltimoEsito().annullato);
    EXPECT_FALSE(UltimoEsito().limiteRaggiunto);
    const double elaborate = UltimoEsito().elaborate;
    EXPECT_GT(elaborate, 0);
    EXPECT_LT(elaborate, 15504);
    // The kept columns are those of the complete run among the combinations examined.
    Colonne atteso;
    const auto tutte = Combinazioni(Da(1, 20), 5);
    for (size_t i = 0; i < static_cast<size_t>(elaborate); ++i) {
        int pari = 0;
        for (int v : tutte[i]) pari += v % 2 == 0;
        if (pari == 2 || pari == 3) atteso.push_back(tutte[i]);
    }
    EXPECT_EQ(Sistema(), atteso);
    EXPECT_EQ(mGUILocked, -1);  // a cancelled run with columns is a system
    // The box showed the counts at the moment of the question.
    const auto box = std::find_if(ui.messaggi.begin(), ui.messaggi.end(),
                                  [](const auto& m) { return m.pulsanti == Pulsanti::SiNo; });
    ASSERT_NE(box, ui.messaggi.end());
    EXPECT_EQ(box->testo, "M0001 15.504\r\nM0002" + FormatoConteggio(elaborate) + "\r\nM0003" +
                              FormatoConteggio(static_cast<double>(atteso.size())) + "\r\nM0004");
    EXPECT_TRUE(eDurata(ui.messaggi.back().testo));
}

TEST_F(Corsa, AnnullamentoDelRicalcoloPerdeIlResto) {
    const auto tutte = Combinazioni(Da(1, 16), 3);  // 560 columns
    test::MettiSistema(tutte, 3);
    ui.allYield = [](int64_t n) {
        if (n == 30) mAnnullaCalcolo = true;
    };
    RicalcolaSistema();
    ASSERT_TRUE(UltimoEsito().annullato);
    const auto elaborate = static_cast<size_t>(UltimoEsito().elaborate);
    ASSERT_LT(elaborate, tutte.size());
    EXPECT_EQ(Sistema(), Colonne(tutte.begin(), tutte.begin() + static_cast<std::ptrdiff_t>(elaborate)));
}

TEST_F(Corsa, ModalitaRicalcoloRiapreIlComando) {
    mConfig.modalitaRicalcolo = true;
    Segna(Da(1, 7));
    mLenCol = 3;
    CalcoloComando();
    EXPECT_EQ(mSistema.nColonne, 35);
    EXPECT_EQ(mGUILocked, 0);  // unlocked again for a recalculation
    mCondizioni.ridottoAttivo = true;
    mCondizioni.ridottoNx = 1;
    ui.etichette.clear();
    CalcoloComando();  // now a recalculation of the 35 columns
    EXPECT_EQ(ui.etichette.back().integrale, 35);
    EXPECT_EQ(mSistema.descrizione, "M0018 N-1");
    const auto s = Sistema();
    ASSERT_GT(s.size(), 1u);
    for (size_t a = 0; a < s.size(); ++a)
        for (size_t b = a + 1; b < s.size(); ++b) EXPECT_LT(Comuni(s[a], s[b]), 2);
}

TEST_F(Corsa, LimiteDiTreMilioniDiColonne) {
    Segna(Da(1, 90));
    mLenCol = 5;  // 43,949,268 combinations, no condition
    CalcolaSistema();
    ASSERT_EQ(mSistema.nColonne, MAX_COLONNE);
    EXPECT_TRUE(UltimoEsito().limiteRaggiunto);
    EXPECT_EQ(UltimoEsito().elaborate, MAX_COLONNE);
    EXPECT_EQ(UltimoEsito().integrale, 43949268);
    ASSERT_EQ(ui.allarmi.size(), 1u);
    EXPECT_EQ(ui.allarmi[0], "M0012");
    const auto avviso = std::find_if(ui.messaggi.begin(), ui.messaggi.end(),
                                     [](const auto& m) { return m.icona == Icona::Critica; });
    ASSERT_NE(avviso, ui.messaggi.end());
    EXPECT_EQ(avviso->testo, "M0012\r\nM0064 3.000.000");
    EXPECT_EQ(avviso->titolo, "M0055");
    EXPECT_TRUE(eDurata(ui.messaggi.back().testo));
    EXPECT_EQ(ui.etichette.back().elaborate, MAX_COLONNE);
    EXPECT_EQ(ui.etichette.back().sistema, MAX_COLONNE);

    // The last column is the 3,000,000th combination in lexicographic order.
    std::vector<int> c{1, 2, 3, 4, 5};
    for (int32_t i = 1; i < MAX_COLONNE; ++i) {
        int j = 4;
        while (c[static_cast<size_t>(j)] == 86 + j) --j;
        ++c[static_cast<size_t>(j)];
        for (int m = j + 1; m < 5; ++m) c[static_cast<size_t>(m)] = c[static_cast<size_t>(m - 1)] + 1;
    }
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(mArrColonne.valore(MAX_COLONNE, p), c[static_cast<size_t>(p - 1)]);
    EXPECT_EQ(mArrColonne.valore(1, 5), 5);
    EXPECT_EQ(mSistema.descrizione, "M0062");
    EXPECT_EQ(mGUILocked, -1);
}

}  // namespace
}  // namespace novanta
