#include "core/corpo.h"
#include "engine/comune.h"
#include "progetto/progetto.h"

namespace novanta {
namespace {

using Stato = test::StatoMotore;

void segna(const std::vector<int>& numeri) {
    for (int n : numeri) GrigliaNumeriClick(n - 1);
}

// Every condition on, every list filled, a system in the store.
void riempiTutto() {
    mCondizioni = {.pariAttivo = true,
                   .sommaAttiva = true,
                   .fisseAttive = true,
                   .sommaMin = 10,
                   .sommaMax = 200,
                   .numFisse = 1,
                   .ridottoAttivo = true,
                   .ridottoNx = 2};
    mCondizioni.pari[2] = true;
    mCondizioni.fisse[3] = 1;
    mConsecutivi = {0b110, true};
    mFiltriDistanza[1] = test::Distanza({1}, {}, {});
    mNumFiltriDistanza = 1;
    mFiltriAND[1] = test::Gruppo({5}, 3);
    mFiltriOR[7] = test::Gruppo({9}, 0);
    mNumFiltriAND = 1;
    mNumFiltriOR = 7;
    mDistanzaMinima = {3, true};
    for (int c = 1; c <= 4; ++c)
        for (int p = 1; p <= 5; ++p) mArrColonne(c, p) = static_cast<uint8_t>(c + p);
    mSistema.nColonne = 4;
    mSistema.descrizione = "FILE TXT";
    LockGUI();
}

// What a reset keeps: the length, the base columns and, when asked, the prediction. Everything
// else is compared with a fresh state through the work's fingerprint.
TEST_F(Stato, ResetAzzeraTuttoTranneColonneBaseELunghezzaEForseIlPronostico) {
    const auto tenuto = [](bool pronostico) {
        test::StatoIniziale();
        if (pronostico) segna({7, 3, 88});
        ImpostaLenCol(5);
        test::MettiColonneBase({{1, 2}});
        return ImprontaLavoro();
    };
    for (bool tieni : {false, true}) {
        SCOPED_TRACE(tieni ? "keeping the prediction" : "clearing the prediction");
        const uint64_t atteso = tenuto(tieni);
        tenuto(true);
        riempiTutto();
        ui.unlock = ui.statusBar = 0;
        ResetSistema(tieni);
        EXPECT_EQ(ImprontaLavoro(), atteso);
        for (int c = 1; c <= 4; ++c)
            for (int p = 1; p <= 25; ++p) ASSERT_EQ(mArrColonne.valore(c, p), 0) << c << "," << p;
        // The face was told to redraw the main window.
        EXPECT_GE(ui.unlock, 1);
        EXPECT_GE(ui.statusBar, 1);
    }
}

TEST_F(Stato, CaricaPronosticoInOrdineCrescente) {
    segna({7, 3, 88});
    CaricaPronostico();
    EXPECT_EQ(mSistema.numPronostico, 3);
    EXPECT_EQ(std::vector<int>(mSistema.pronostico.begin(), mSistema.pronostico.begin() + 4),
              (std::vector<int>{3, 7, 88, 0}));

    // After a larger prediction, a smaller one still lists exactly its own numbers first.
    ResetSistema(false);
    segna(test::Da(1, 90));
    CaricaPronostico();
    EXPECT_EQ(mSistema.numPronostico, 90);
    for (int i = 0; i < 90; ++i) ASSERT_EQ(mSistema.pronostico[static_cast<size_t>(i)], i + 1);
    for (int n = 1; n <= 90; ++n)
        if (n != 90 && n != 1 && n != 45) GrigliaNumeriClick(n - 1);
    CaricaPronostico();
    EXPECT_EQ(mSistema.numPronostico, 3);
    EXPECT_EQ(std::vector<int>(mSistema.pronostico.begin(), mSistema.pronostico.begin() + 3),
              (std::vector<int>{1, 45, 90}));
}

TEST_F(Stato, GrigliaAbilitazioneDelCalcoloESblocco) {
    ImpostaLenCol(3);
    segna({10, 20});
    EXPECT_FALSE(CalcoloAbilitato());
    segna({30});
    EXPECT_TRUE(CalcoloAbilitato());
    segna({20});  // a second click unmarks
    EXPECT_EQ(mSistema.numPronostico, 2);
    EXPECT_EQ(mGriglia[19], 0);
    EXPECT_FALSE(CalcoloAbilitato());
    segna({20});
    ImpostaLenCol(4);  // the length raised above the marked count
    EXPECT_FALSE(CalcoloAbilitato());
    ImpostaLenCol(1);
    EXPECT_EQ(mLenCol, 2);
    ImpostaLenCol(99);
    EXPECT_EQ(mLenCol, 25);
    // Indexes outside the grid change nothing.
    GrigliaNumeriClick(-1);
    GrigliaNumeriClick(90);
    EXPECT_EQ(mSistema.numPronostico, 3);
    CancellaPronostico();
    EXPECT_EQ(mSistema.numPronostico, 0);
    for (uint8_t m : mGriglia) ASSERT_EQ(m, 0);

    // Unlocked for a recalculation only with enough numbers for the length.
    ImpostaLenCol(5);
    segna({1, 2, 3, 4});
    LockGUI();
    Sblocca_x_Ricalcolo();
    EXPECT_EQ(mGUILocked, -1);
    segna({5});
    Sblocca_x_Ricalcolo();
    EXPECT_EQ(mGUILocked, 0);
    EXPECT_EQ(ui.lock, 1);  // the face was told of the lock
}

TEST_F(Stato, ArchivioColonne) {
    for (int32_t c = 1; c <= 10; ++c)
        for (int p = 1; p <= 25; ++p) mArrColonne(c, p) = static_cast<uint8_t>(p);
    EXPECT_EQ(mArrColonne.usate(), 10);
    // From column 6; beyond the written part (nothing happens); from before the first (everything).
    for (auto [da, usate] : {std::pair{6, 5}, {50, 5}, {0, 0}}) {
        mArrColonne.CancellaDa(da);
        EXPECT_EQ(mArrColonne.usate(), usate) << da;
        for (int32_t c = 1; c <= 10; ++c)
            for (int p = 1; p <= 25; ++p) ASSERT_EQ(mArrColonne.valore(c, p), c <= usate ? p : 0) << da;
    }

    // The last cell of the store, written through a column pointer.
    mArrColonne.colonnaScrittura(MAX_COLONNE)[24] = 90;
    EXPECT_EQ(mArrColonne.valore(MAX_COLONNE, 25), 90);
    EXPECT_EQ(mArrColonne.usate(), MAX_COLONNE);
    mArrColonne.Cancella();
    EXPECT_EQ(mArrColonne.valore(MAX_COLONNE, 25), 0);
    EXPECT_EQ(mArrColonne.usate(), 0);
}

TEST_F(Stato, ModificaSistemaTienePronosticoECondizioniNuovoAzzeraTutto) {
    segna({5, 9, 14});
    mCondizioni.sommaAttiva = true;
    test::MettiSistema({{5, 9}}, 2);
    ui.risposte = {Risposta::No, Risposta::Si};
    EXPECT_FALSE(ModificaSistema());
    EXPECT_EQ(mSistema.nColonne, 1);
    EXPECT_EQ(mGUILocked, -1);
    EXPECT_TRUE(ModificaSistema());
    EXPECT_EQ(mSistema.nColonne, 0);
    EXPECT_EQ(mSistema.descrizione, "");
    EXPECT_EQ(mArrColonne.valore(1, 1), 0);
    EXPECT_EQ(mGUILocked, 0);
    EXPECT_EQ(mSistema.numPronostico, 3);
    EXPECT_TRUE(mCondizioni.sommaAttiva);

    NuovoSistema();
    EXPECT_EQ(mSistema.numPronostico, 0);
    EXPECT_FALSE(mCondizioni.sommaAttiva);
    EXPECT_EQ(mFileSistema, (dir / "sistemi" / "nuovo.lec").string());
    EXPECT_EQ(mNomeFileSistema, "nuovo.lec");
    ImpostaFileSistema("/x/Giocata.TXT");
    EXPECT_EQ(mNomeFileSistema, "giocata.txt");
}

}  // namespace
}  // namespace novanta
