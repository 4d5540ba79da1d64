// The run commands around the engine: the prediction and fixed numbers they pass, the progress,
// the lock and the closing messages. What the engine keeps is compared with the literal oracle
// in differenziale_test.cpp; the few absolute systems here pin the oracle itself.
#include <chrono>
#include <regex>
#include <thread>

#include "engine/comune.h"
#include "engine/motore.h"

namespace novanta {
namespace {

using test::Colonne;
using test::Combinazioni;
using test::Da;
using test::Segna;
using test::Sistema;
using Corsa = test::StatoMotore;

bool eDurata(const std::string& t) { return std::regex_match(t, std::regex(R"(\d+ Days? \d\d:\d\d:\d\d)")); }

const test::InterfacciaRegistrata::Messaggio* primo(const test::InterfacciaRegistrata& ui, Pulsanti p, Icona i) {
    for (const auto& m : ui.messaggi)
        if (m.pulsanti == p && m.icona == i) return &m;
    return nullptr;
}

TEST_F(Corsa, SistemaIntegraleAncheConColonneLunghe) {
    // The counts of the long systems are not whole numbers when computed as a product over a
    // factorial; the run must still examine every combination.
    const std::pair<std::vector<int>, int> casi[] = {{Da(1, 8), 3}, {{5, 17, 90}, 3}, {Da(66, 90), 25}, {Da(1, 24), 23}};
    for (const auto& [numeri, k] : casi) {
        test::StatoIniziale();
        ui.messaggi.clear();
        ui.progressoAperto = ui.progressoChiuso = 0;
        Segna(numeri);
        mLenCol = static_cast<int16_t>(k);
        const auto esito = CalcolaSistema();
        const auto atteso = Combinazioni(numeri, k);
        EXPECT_EQ(Sistema(), atteso) << k;
        EXPECT_EQ(esito.elaborate, static_cast<double>(atteso.size()));
        EXPECT_EQ(mSistema.descrizione, "M0062");
        EXPECT_EQ(mGUILocked, -1);
        EXPECT_EQ(ui.progressoAperto, 1);
        EXPECT_EQ(ui.progressoChiuso, 1);
        ASSERT_FALSE(ui.messaggi.empty());
        EXPECT_TRUE(eDurata(ui.messaggi.back().testo)) << ui.messaggi.back().testo;
        EXPECT_EQ(ui.messaggi.back().icona, Icona::Nessuna);
        if (k < 25) {
            EXPECT_EQ(mArrColonne.valore(1, k + 1), 0);  // positions above the length stay empty
        }
    }
}

TEST_F(Corsa, NessunaColonnaNessunBlocco) {
    Segna(Da(1, 10));
    mLenCol = 4;
    mCondizioni = {.sommaAttiva = true, .sommaMin = 500, .sommaMax = 600};
    CalcolaSistema();
    EXPECT_EQ(mSistema.nColonne, 0);
    EXPECT_EQ(mGUILocked, 0);
    EXPECT_EQ(ui.lock, 0);
    EXPECT_EQ(mSistema.descrizione, "M0060");
}

TEST_F(Corsa, LeFisseNonPiuSegnateSonoTolteSenzaContareSottoZero) {
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

    // A count already out of step with the table must not wrap round to 255, which would make
    // the fixed-numbers test reject every column.
    Sblocca_x_Ricalcolo();
    mCondizioni.fisse[3] = 0;
    mCondizioni.fisse[60] = 1;
    mCondizioni.numFisse = 0;
    RicalcolaSistema();
    EXPECT_EQ(mCondizioni.fisse[60], 0);
    EXPECT_EQ(mCondizioni.numFisse, 0);
    EXPECT_EQ(mSistema.nColonne, 36);
}

TEST_F(Corsa, ColonneBaseInTestaQuelleNonValideEscluse) {
    Segna(Da(1, 6));
    mLenCol = 3;
    // Wrong length, a number beyond 90, a hole: all three left out with one warning.
    test::MettiColonneBase({{80, 81, 82}, {1, 2, 3, 4}, {40, 2, 30}, {4, 5, 200}, {10, 20, 30}});
    mColonneBase[5].numeri[2] = 0;
    mCondizioni = {.sommaAttiva = true, .sommaMin = 6, .sommaMax = 7};  // the base columns fail it but still head the system
    mDistanzaMinima = {1, true};  // the reduction reads every stored number as an index of the 90
    const auto esito = CalcolaSistema();
    EXPECT_EQ(Sistema(), (Colonne{{80, 81, 82}, {40, 2, 30}, {1, 2, 3}, {1, 2, 4}}));
    EXPECT_EQ(esito.colonneBaseEscluse, 3);
    const auto* escluse = primo(ui, Pulsanti::OK, Icona::Esclamazione);
    ASSERT_NE(escluse, nullptr);
    EXPECT_NE(escluse->testo.find(": 3"), std::string::npos) << escluse->testo;
    for (int32_t c = 1; c <= mSistema.nColonne; ++c) EXPECT_EQ(mArrColonne.valore(c, 4), 0);
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
    EXPECT_EQ(corsa([] { mDistanzaMinima = {4, true}; }), (Colonne{{1, 2, 3, 4}, {5, 6, 7, 8}, {9, 10, 11, 12}}));
    // N-2 and minimum distance 3 are the same reduction.
    EXPECT_EQ(corsa([] { mCondizioni = {.ridottoAttivo = true, .ridottoNx = 2}; }), corsa([] { mDistanzaMinima = {3, true}; }));
}

TEST_F(Corsa, ProtocolloDiAvanzamento) {
    Segna(Da(1, 20));
    mLenCol = 5;  // 15,504 combinations
    CalcolaSistema();
    ASSERT_EQ(mSistema.nColonne, 15504);
    // Generation: one update per progress step 0..250; the bar shows step x 0.4.
    ASSERT_EQ(ui.barre.size(), 251u);
    for (size_t s = 0; s < ui.barre.size(); ++s) EXPECT_EQ(ui.barre[s], ArrotondaPari(static_cast<double>(s) * 0.4)) << s;
    ASSERT_EQ(ui.etichette.size(), 252u);  // every step and the closing counts
    for (size_t i = 1; i < ui.etichette.size(); ++i) {
        EXPECT_EQ(ui.etichette[i].integrale, 15504);
        EXPECT_GE(ui.etichette[i].elaborate, ui.etichette[i - 1].elaborate);
        EXPECT_LE(ui.etichette[i].sistema, ui.etichette[i].elaborate);
    }
    EXPECT_EQ(ui.etichette.back().elaborate, 15504);
    EXPECT_EQ(ui.etichette.back().sistema, 15504);
    EXPECT_GE(ui.yield, 251);
    EXPECT_TRUE(ui.allarmi.empty());

    // Recalculation: the bar takes the step itself, 0..100, once each.
    test::StatoIniziale();
    test::MettiSistema(Combinazioni(Da(1, 13), 3), 3);  // 286 columns
    Sblocca_x_Ricalcolo();
    mCondizioni = {.sommaAttiva = true, .sommaMin = 10, .sommaMax = 20};
    ui.barre.clear();
    ui.messaggi.clear();
    CalcoloComando();
    ASSERT_EQ(ui.barre.size(), 101u);
    for (int s = 0; s <= 100; ++s) EXPECT_EQ(ui.barre[static_cast<size_t>(s)], s);
    EXPECT_GT(mSistema.nColonne, 0);
    EXPECT_LT(mSistema.nColonne, 286);
    EXPECT_EQ(ui.etichette.back().integrale, 286);
    EXPECT_EQ(ui.etichette.back().elaborate, 286);
    EXPECT_EQ(ui.etichette.back().sistema, mSistema.nColonne);
    EXPECT_TRUE(eDurata(ui.messaggi.back().testo));
    EXPECT_EQ(mGUILocked, -1);
}

TEST_F(Corsa, RifiutiConMessaggioChiaroESistemaIntatto) {
    Segna(Da(1, 5));
    const std::pair<int, const char*> casi[] = {{1, "2..25"}, {0, "2..25"}, {26, "2..25"}, {6, "fewer than the column length 6"}};
    for (const auto& [k, motivo] : casi) {
        ui.messaggi.clear();
        mLenCol = static_cast<int16_t>(k);
        const auto esito = CalcolaSistema();
        EXPECT_FALSE(esito.eseguito);
        EXPECT_EQ(mSistema.nColonne, 0);
        ASSERT_EQ(ui.messaggi.size(), 1u) << "k = " << k;
        EXPECT_NE(ui.messaggi[0].testo.find("Error -2147211504"), std::string::npos);
        EXPECT_NE(ui.messaggi[0].testo.find(motivo), std::string::npos) << ui.messaggi[0].testo;
        EXPECT_NE(ui.messaggi[0].testo.find("GeneraSistema"), std::string::npos);
    }
    EXPECT_EQ(ui.progressoAperto, ui.progressoChiuso);
    EXPECT_EQ(mGUILocked, 0);

    // A recalculation with a longer length than the stored columns.
    const Colonne importato{{3, 9, 40, 41}, {1, 2, 3, 4}, {3, 9, 40, 41}, {7, 8, 9, 90}};
    test::MettiSistema(importato, 4);
    Sblocca_x_Ricalcolo();
    mLenCol = 5;
    ui.messaggi.clear();
    const auto esito = CalcoloComando();
    EXPECT_FALSE(esito.eseguito);
    ASSERT_EQ(ui.messaggi.size(), 1u);
    EXPECT_EQ(ui.messaggi[0].testo, "M0161 4 5");
    EXPECT_EQ(ui.progressoAperto, ui.progressoChiuso);  // refused before anything opened
    EXPECT_EQ(mSistema.descrizione, "FILE TXT");
    mLenCol = 4;
    EXPECT_EQ(Sistema(), importato);
    // A shorter one would cut every column to its first numbers: refused the same way.
    mLenCol = 3;
    CalcoloComando();
    EXPECT_EQ(ui.messaggi.back().testo, "M0161 4 3");
    mLenCol = 4;
    EXPECT_EQ(Sistema(), importato);
    // With the right length and no condition the system stays as it is, repeats and all.
    RicalcolaSistema();
    EXPECT_EQ(Sistema(), importato);
    EXPECT_EQ(mSistema.descrizione, "M0062");
}

TEST_F(Corsa, AnnullamentoChiedeConIConteggiENoProsegue) {
    Segna(Da(1, 20));
    mLenCol = 5;
    mCondizioni.pariAttivo = true;
    mCondizioni.pari[2] = mCondizioni.pari[3] = true;
    ui.allYield = [](int64_t n) {
        if (n == 100 || n == 200) ChiediAnnullamento();
    };
    ui.risposte = {Risposta::No, Risposta::Si};
    const auto esito = CalcolaSistema();
    ASSERT_TRUE(esito.annullato);
    EXPECT_FALSE(esito.limiteRaggiunto);
    const double elaborate = esito.elaborate;
    EXPECT_GT(elaborate, 0);
    EXPECT_LT(elaborate, 15504);
    EXPECT_EQ(mGUILocked, -1);  // a cancelled run with columns is a system
    std::vector<std::string> domande;
    for (const auto& m : ui.messaggi)
        if (m.pulsanti == Pulsanti::SiNo) domande.push_back(m.testo);
    ASSERT_EQ(domande.size(), 2u);  // the first answer No let the run go on
    EXPECT_EQ(domande[0].rfind("M0001 15.504\r\nM0002 ", 0), 0u) << domande[0];
    // The box showed the counts at the moment of the question.
    EXPECT_EQ(domande[1], "M0001 15.504\r\nM0002" + FormatoConteggio(elaborate) + "\r\nM0003" +
                              FormatoConteggio(mSistema.nColonne) + "\r\nM0004");
    EXPECT_TRUE(eDurata(ui.messaggi.back().testo));
}

TEST_F(Corsa, ModalitaRicalcoloRiapreIlComando) {
    mConfig.modalitaRicalcolo = true;
    Segna(Da(1, 7));
    mLenCol = 3;
    CalcoloComando();
    EXPECT_EQ(mSistema.nColonne, 35);
    EXPECT_EQ(mGUILocked, 0);  // unlocked again for a recalculation
    mCondizioni = {.ridottoAttivo = true, .ridottoNx = 1};
    ui.etichette.clear();
    CalcoloComando();  // now a recalculation of the 35 columns
    EXPECT_EQ(ui.etichette.back().integrale, 35);
    EXPECT_EQ(mSistema.descrizione, "M0018 N-1");
    EXPECT_GT(mSistema.nColonne, 1);
    EXPECT_LT(mSistema.nColonne, 35);
}

// The elapsed time leaves out the time a question stayed open: its start moves on by as much.
TEST_F(Corsa, IlTempoDelleDomandeNonContaNellaDurata) {
    struct Lenta : test::InterfacciaRegistrata {
        Risposta MsgBox(const std::string& t, Pulsanti p, Icona i, const std::string& titolo) override {
            if (p == Pulsanti::SiNo) std::this_thread::sleep_for(std::chrono::milliseconds(60));
            return InterfacciaRegistrata::MsgBox(t, p, i, titolo);
        }
    } lenta;
    Segna(Da(1, 20));
    mLenCol = 5;
    double inizio = 0, spostamento = 0;
    lenta.allYield = [&](int64_t n) {
        if (n != 2) return;
        inizio = mInizioCalcolo;
        ChiediAnnullamento();
        spostamento = (mInizioCalcolo - inizio) * 86400.0;
    };
    lenta.risposte = {Risposta::No};
    CalcolaSistema();
    EXPECT_GE(spostamento, 0.055);
    EXPECT_EQ(mSistema.nColonne, 15504);
}

TEST_F(Corsa, LimiteDiTreMilioniDiColonne) {
    Segna(Da(1, 90));
    mLenCol = 5;  // 43,949,268 combinations, no condition
    const auto esito = CalcolaSistema();
    ASSERT_EQ(mSistema.nColonne, MAX_COLONNE);
    EXPECT_TRUE(esito.limiteRaggiunto);
    EXPECT_EQ(esito.elaborate, MAX_COLONNE);
    EXPECT_EQ(esito.integrale, 43949268);
    ASSERT_EQ(ui.allarmi.size(), 1u);
    EXPECT_EQ(ui.allarmi[0], "M0012");
    const auto* avviso = primo(ui, Pulsanti::OK, Icona::Critica);
    ASSERT_NE(avviso, nullptr);
    EXPECT_EQ(avviso->testo, "M0012\r\nM0064 3.000.000");
    EXPECT_EQ(avviso->titolo, "M0055");
    EXPECT_TRUE(eDurata(ui.messaggi.back().testo));
    EXPECT_EQ(ui.etichette.back().elaborate, MAX_COLONNE);
    EXPECT_EQ(ui.etichette.back().sistema, MAX_COLONNE);
    // The description says the system is incomplete, and how far the run got.
    EXPECT_EQ(mSistema.descrizione, "M0062 (M0160 3.000.000 43.949.268)");
    EXPECT_EQ(mGUILocked, -1);
}

}  // namespace
}  // namespace novanta
