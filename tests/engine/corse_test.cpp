// The run commands around the engine: the prediction and fixed numbers they pass, the progress,
// the lock, refusals, cancel, the column limit and the closing messages. What the engine keeps is
// compared with the literal oracle in differenziale_test.cpp; the absolute systems here pin the
// oracle itself.
#include <chrono>
#include <fstream>
#include <regex>
#include <thread>

#include "engine/comune.h"
#include "engine/motore.h"

namespace novanta {
namespace {

using test::Colonne;
using test::Combinazioni;
using test::Da;
using test::Sistema;
using Corsa = test::StatoMotore;

bool eDurata(const std::string& t) { return std::regex_match(t, std::regex(R"(\d+ Days? \d\d:\d\d:\d\d)")); }

EsitoCalcolo ultimo;  // what the last `genera` gave

Colonne genera(
    const std::vector<int>& numeri, int k, const std::function<void()>& imposta = [] {}) {
    test::StatoIniziale();
    imposta();
    test::Segna(numeri);
    mLenCol = static_cast<int16_t>(k);
    ultimo = CalcolaSistema();
    return Sistema();
}

TEST_F(Corsa, SistemiAssolutiCheFissanoLOracolo) {
    // The counts of the long systems are not whole numbers as a product over a factorial; the
    // run must still examine every combination, and leave the positions above k empty.
    const std::pair<std::vector<int>, int> integrali[] = {
        {Da(1, 8), 3}, {{5, 17, 90}, 3}, {Da(66, 90), 25}, {Da(1, 24), 23}};
    for (const auto& [numeri, k] : integrali) {
        const auto atteso = Combinazioni(numeri, k);
        EXPECT_EQ(genera(numeri, k), atteso) << k;
        EXPECT_EQ(ultimo.elaborate, static_cast<double>(atteso.size()));
        EXPECT_EQ(mSistema.descrizione, "M0062");
        EXPECT_EQ(mGUILocked, -1);
        EXPECT_EQ(k < 25 ? mArrColonne.valore(1, k + 1) : 0, 0);
    }
    const std::pair<std::function<void()>, Colonne> ridotti[] = {
        // N-4 and minimum distance 4 on these numbers are in the command line's table.
        {test::RiduzioneNx(0), Combinazioni(Da(1, 12), 4)},
        // N-2 and minimum distance 3 are the same reduction.
        {test::RiduzioneDistanza(3), genera(Da(1, 12), 4, test::RiduzioneNx(2))},
    };
    for (const auto& [imposta, atteso] : ridotti) EXPECT_EQ(genera(Da(1, 12), 4, imposta), atteso);

    // Filter records beyond the count are never read, whatever they hold.
    EXPECT_EQ(genera(Da(1, 7), 3,
                     [] {
                         mFiltriOR[1] = test::Gruppo({1}, 0);
                         mFiltriDistanza[1] = test::Distanza({1}, {}, {50}, false);
                     }),
              Combinazioni(Da(1, 7), 3));
    // That one passing OR filter is enough is in the command line's table ("2 or 4 present").
    // Conditions on with no value chosen reject everything, and lock nothing.
    const std::function<void()> senzaValori[] = {
        [] { mConsecutivi = {.maschera = 0, .attivo = true}; },
        [] { mCondizioni.pariAttivo = true; },
        [] { mCondizioni = {.sommaAttiva = true, .sommaMin = 12, .sommaMax = 11}; },
        [] { mFiltriOR[1] = test::Gruppo({1}, 0b100), mNumFiltriOR = 1; },
    };
    for (const auto& imposta : senzaValori) {
        ui.lock = 0;
        EXPECT_TRUE(genera(Da(1, 8), 3, imposta).empty());
        EXPECT_EQ(mGUILocked, 0);
        EXPECT_EQ(ui.lock, 0);
        EXPECT_EQ(mSistema.descrizione, "M0060");
    }
}

TEST_F(Corsa, LeFisseNonPiuSegnateSonoTolteSenzaContareSottoZero) {
    const auto sistema = genera(Da(1, 10), 3, [] {
        mCondizioni = {.fisseAttive = true, .numFisse = 2};
        mCondizioni.fisse[3] = mCondizioni.fisse[50] = 1;  // 50 is not marked
    });
    EXPECT_EQ(mCondizioni.fisse[50], 0);
    EXPECT_EQ(mCondizioni.numFisse, 1);
    ASSERT_EQ(sistema.size(), 36u);  // C(9, 2): every column holding 3
    for (const auto& c : sistema) EXPECT_NE(std::find(c.begin(), c.end(), 3), c.end());

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
    // Wrong length, a number beyond 90, a hole: all three left out with one warning. The base
    // columns fail the sum but still head the system; the reduction reads every stored number as
    // an index of the 90.
    const auto sistema = genera(Da(1, 6), 3, [] {
        test::MettiColonneBase({{80, 81, 82}, {1, 2, 3, 4}, {40, 2, 30}, {4, 5, 200}, {10, 20, 30}});
        mColonneBase[5].numeri[2] = 0;
        mCondizioni = {.sommaAttiva = true, .sommaMin = 6, .sommaMax = 7};
        mDistanzaMinima = {1, true};
    });
    EXPECT_EQ(sistema, (Colonne{{80, 81, 82}, {40, 2, 30}, {1, 2, 3}, {1, 2, 4}}));
    EXPECT_EQ(ultimo.colonneBaseEscluse, 3);
    ASSERT_FALSE(ui.messaggi.empty());
    EXPECT_NE(ui.messaggi[0].testo.find(": 3"), std::string::npos) << ui.messaggi[0].testo;
    EXPECT_EQ(ui.messaggi[0].icona, Icona::Esclamazione);
    for (int32_t c = 1; c <= mSistema.nColonne; ++c) EXPECT_EQ(mArrColonne.valore(c, 4), 0);
}

TEST_F(Corsa, ProtocolloDiAvanzamento) {
    ASSERT_EQ(genera(Da(1, 20), 5).size(), 15504u);
    // Generation: one update per progress step 0..250; the bar shows step x 0.4.
    ASSERT_EQ(ui.barre.size(), 251u);
    for (size_t s = 0; s < ui.barre.size(); ++s)
        EXPECT_EQ(ui.barre[s], ArrotondaPari(static_cast<double>(s) * 0.4)) << s;
    ASSERT_EQ(ui.etichette.size(), 252u);  // every step and the closing counts
    for (size_t i = 1; i < ui.etichette.size(); ++i) {
        EXPECT_GE(ui.etichette[i].elaborate, ui.etichette[i - 1].elaborate);
        EXPECT_LE(ui.etichette[i].sistema, ui.etichette[i].elaborate);
    }
    EXPECT_EQ(ui.etichette.back().elaborate, 15504);
    EXPECT_EQ(ui.etichette.back().sistema, 15504);
    EXPECT_EQ(ui.progressoAperto, 1);
    EXPECT_EQ(ui.progressoChiuso, 1);
    EXPECT_TRUE(eDurata(ui.messaggi.back().testo)) << ui.messaggi.back().testo;

    // Recalculation: the bar takes the step itself, 0..100, once each.
    test::StatoIniziale();
    test::MettiSistema(Combinazioni(Da(1, 13), 3), 3);  // 286 columns
    Sblocca_x_Ricalcolo();
    mCondizioni = {.sommaAttiva = true, .sommaMin = 10, .sommaMax = 20};
    ui.barre.clear();
    CalcoloComando();
    ASSERT_EQ(ui.barre.size(), 101u);
    for (int s = 0; s <= 100; ++s) EXPECT_EQ(ui.barre[static_cast<size_t>(s)], s);
    EXPECT_LT(mSistema.nColonne, 286);
    EXPECT_EQ(ui.etichette.back().integrale, 286);
    EXPECT_EQ(ui.etichette.back().elaborate, 286);
    EXPECT_EQ(ui.etichette.back().sistema, mSistema.nColonne);
    EXPECT_EQ(mGUILocked, -1);

    // In recalculation mode the command unlocks again, and the next one recalculates.
    mConfig.modalitaRicalcolo = true;
    const auto prima = mSistema.nColonne;
    mCondizioni = {.ridottoAttivo = true, .ridottoNx = 1};
    CalcoloComando();
    EXPECT_EQ(mGUILocked, 0);
    EXPECT_EQ(ui.etichette.back().integrale, prima);
    EXPECT_EQ(mSistema.descrizione, "M0018 N-1");
    EXPECT_LT(mSistema.nColonne, prima);
}

TEST_F(Corsa, RifiutiConMessaggioChiaroESistemaIntatto) {
    test::Segna(Da(1, 5));
    const std::pair<int, const char*> casi[] = {
        {1, "2..25"}, {0, "2..25"}, {26, "2..25"}, {6, "fewer than the column length 6"}};
    for (const auto& [k, motivo] : casi) {
        ui.messaggi.clear();
        mLenCol = static_cast<int16_t>(k);
        const auto esito = CalcolaSistema();
        EXPECT_FALSE(esito.eseguito);
        EXPECT_NE(esito.errore.find(motivo), std::string::npos) << esito.errore;
        EXPECT_EQ(mSistema.nColonne, 0);
        ASSERT_EQ(ui.messaggi.size(), 1u) << "k = " << k;
        EXPECT_NE(ui.messaggi[0].testo.find("Error -2147211504"), std::string::npos);
        EXPECT_NE(ui.messaggi[0].testo.find(motivo), std::string::npos) << ui.messaggi[0].testo;
        EXPECT_NE(ui.messaggi[0].testo.find("GeneraSistema"), std::string::npos);
    }
    EXPECT_EQ(ui.progressoAperto, ui.progressoChiuso);
    EXPECT_EQ(mGUILocked, 0);
    // A prediction out of order is refused by the run itself.
    std::array<uint8_t, 90> pronostico{9, 4, 7};
    mLenCol = 3;
    EXPECT_FALSE(GeneraSistema(3, pronostico).eseguito);
    EXPECT_NE(ui.messaggi.back().testo.find("ascending"), std::string::npos);

    // A recalculation with a longer or shorter length than the stored columns: refused before
    // anything opened, the system as it was.
    const Colonne importato{{3, 9, 40, 41}, {1, 2, 3, 4}, {3, 9, 40, 41}, {7, 8, 9, 90}};
    test::MettiSistema(importato, 4);
    Sblocca_x_Ricalcolo();
    for (int k : {5, 3}) {
        mLenCol = static_cast<int16_t>(k);
        ui.messaggi.clear();
        const auto esito = CalcoloComando();
        EXPECT_FALSE(esito.eseguito);
        EXPECT_EQ(esito.errore, "M0161 4 " + std::to_string(k));
        ASSERT_EQ(ui.messaggi.size(), 1u);
        EXPECT_EQ(ui.messaggi[0].testo, esito.errore);
        EXPECT_EQ(ui.progressoAperto, ui.progressoChiuso);
        EXPECT_EQ(mSistema.descrizione, "FILE TXT");
    }
    // With the right length and no condition the system stays as it is, repeats and all.
    mLenCol = 4;
    EXPECT_EQ(Sistema(), importato);
    RicalcolaSistema();
    EXPECT_EQ(Sistema(), importato);
    EXPECT_EQ(mSistema.descrizione, "M0062");
    // A stored number past 90 (a column file edited by hand) is refused before any run.
    const Colonne fuori{{3, 9, 40, 41}, {3, 9, 40, 91}};
    test::MettiSistema(fuori, 4);
    EXPECT_NE(RicalcolaSistema().errore.find("Column 2 holds the number 91"), std::string::npos);
    EXPECT_EQ(Sistema(), fuori);
}

// The question shows the counts; No lets the run go on. The elapsed time leaves out the time a
// question stayed open: its start moves on by as much.
TEST_F(Corsa, AnnullamentoChiedeConIConteggiENoProsegue) {
    struct Lenta : test::InterfacciaRegistrata {
        Risposta MsgBox(const std::string& t, Pulsanti p, Icona i, const std::string& titolo) override {
            if (p == Pulsanti::SiNo) std::this_thread::sleep_for(std::chrono::milliseconds(60));
            return InterfacciaRegistrata::MsgBox(t, p, i, titolo);
        }
    } lenta;
    double spostamento = 0;
    lenta.allYield = [&](int64_t n) {
        if (n != 100 && n != 200) return;
        const double inizio = mInizioCalcolo;
        ChiediAnnullamento();
        if (n == 100) spostamento = (mInizioCalcolo - inizio) * 86400.0;
    };
    lenta.risposte = {Risposta::No, Risposta::Si};
    genera(Da(1, 20), 5, [] { mCondizioni.pariAttivo = mCondizioni.pari[2] = mCondizioni.pari[3] = true; });
    EXPECT_GE(spostamento, 0.055);
    ASSERT_TRUE(ultimo.annullato);
    EXPECT_FALSE(ultimo.limiteRaggiunto);
    EXPECT_GT(ultimo.elaborate, 0);
    EXPECT_LT(ultimo.elaborate, 15504);
    EXPECT_EQ(mGUILocked, -1);  // a cancelled run with columns is a system
    std::vector<test::InterfacciaRegistrata::Messaggio> domande;
    for (const auto& m : lenta.messaggi)
        if (m.pulsanti == Pulsanti::SiNo) domande.push_back(m);
    ASSERT_EQ(domande.size(), 2u);  // the first answer No let the run go on
    // The box showed the counts at the moment of the question, under the progress window's title.
    EXPECT_EQ(domande[1].testo, "M0001 15.504\r\nM0002" + FormatoConteggio(ultimo.elaborate) + "\r\nM0003" +
                                    FormatoConteggio(mSistema.nColonne) + "\r\nM0004");
    EXPECT_EQ(domande[1].titolo, "Elaborazione in corso...");
    EXPECT_TRUE(eDurata(lenta.messaggi.back().testo));
    // The language may replace that title.
    std::ofstream(dir / "Prova.lng", std::ios::app) << "[frmCalcolo]\r\nfrmCalcolo.Caption=Calcolo in corso\r\n";
    ChiediAnnullamento();
    EXPECT_EQ(lenta.messaggi.back().titolo, "Calcolo in corso");
}

TEST_F(Corsa, AnnullamentoAllaPrimaPausaDentroUnaListaLunga) {
    // A cancel at the very first yield, inside a long AND list that rejects columns holding two
    // neighbours of the group: the run stops at once, and what it kept is exactly what the
    // complete run keeps among the combinations it had examined.
    const auto lista = [] {
        for (int32_t f = 1; f <= 20000; ++f) mFiltriAND[f] = test::Gruppo({f % 5 + 1, f % 5 + 2}, 0b11);
        mNumFiltriAND = 20000;
    };
    const auto completo = genera(Da(1, 9), 3, lista);
    ASSERT_FALSE(completo.empty());
    const auto tutte = Combinazioni(Da(1, 9), 3);
    const auto tenute = genera(Da(1, 9), 3, [&] {
        lista();
        ui.yield = 0;
        ui.allYield = [](int64_t n) {
            if (n == 1) mAnnullaCalcolo = true;
        };
    });
    ASSERT_TRUE(ultimo.annullato);
    EXPECT_LT(ultimo.elaborate, static_cast<double>(tutte.size()));
    const auto esaminate = tutte.begin() + static_cast<std::ptrdiff_t>(ultimo.elaborate);
    Colonne atteso;
    for (const auto& c : completo)
        if (std::find(tutte.begin(), esaminate, c) != esaminate) atteso.push_back(c);
    EXPECT_EQ(tenute, atteso);
}

TEST_F(Corsa, LimiteDiTreMilioniDiColonne) {
    genera(Da(1, 90), 5);  // 43,949,268 combinations, no condition
    ASSERT_EQ(mSistema.nColonne, MAX_COLONNE);
    EXPECT_TRUE(ultimo.limiteRaggiunto);
    EXPECT_EQ(ultimo.elaborate, MAX_COLONNE);
    EXPECT_EQ(ultimo.integrale, 43949268);
    EXPECT_EQ(ui.allarmi, std::vector<std::string>{"M0012"});
    ASSERT_GE(ui.messaggi.size(), 2u);
    const auto& avviso = ui.messaggi[ui.messaggi.size() - 2];
    EXPECT_EQ(avviso.testo, "M0012\r\nM0064 3.000.000");
    EXPECT_EQ(avviso.titolo, "M0055");
    EXPECT_EQ(ui.etichette.back().sistema, MAX_COLONNE);
    // The description says the system is incomplete, and how far the run got.
    EXPECT_EQ(mSistema.descrizione, "M0062 (M0160 3.000.000 43.949.268)");
    EXPECT_EQ(mGUILocked, -1);

    // A full store recalculated with one base column in front: the last stored column no longer fits.
    test::StatoIniziale();
    ui.allarmi.clear();
    mLenCol = 5;
    for (int32_t c = 1; c <= MAX_COLONNE; ++c) {
        uint8_t* col = mArrColonne.colonnaScrittura(c);
        for (int p = 0; p < 5; ++p) col[p] = static_cast<uint8_t>(p + 1 + (c % 80));
    }
    mSistema.nColonne = MAX_COLONNE;
    test::MettiColonneBase({{86, 87, 88, 89, 90}});
    const auto ricalcolo = RicalcolaSistema();
    EXPECT_EQ(mSistema.nColonne, MAX_COLONNE);
    EXPECT_TRUE(ricalcolo.limiteRaggiunto);
    EXPECT_EQ(ricalcolo.elaborate, MAX_COLONNE - 1);
    EXPECT_EQ(ui.allarmi, std::vector<std::string>{"M0012"});
    EXPECT_EQ(mArrColonne.valore(1, 1), 86);
    EXPECT_EQ(mArrColonne.valore(2, 1), 2);  // old column 1 (1 % 80 = 1)
    EXPECT_EQ(mArrColonne.valore(MAX_COLONNE, 1), 1 + (MAX_COLONNE - 1) % 80);
}

}  // namespace
}  // namespace novanta
