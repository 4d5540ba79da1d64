#include <map>

#include "engine/comune.h"
#include "matrices/applica_matrice.h"
#include "matrices/elenco_matrici.h"
#include "support/date.h"
#include "support/matrice_prova.h"

namespace novanta {
namespace {

const int32_t kOggi = static_cast<int32_t>(DataOLE(2026, 12, 5));

// Valid ten days either side of kOggi.
MATRIX_STRUCTURE matrice(uint8_t v, uint8_t k) {
    auto m = test::MatriceProva(v, k);
    m.VALID_FROM = kOggi - 10;
    m.VALID_TO = kOggi + 10;
    return m;
}

class ElencoMatrici : public ::testing::Test {
protected:
    void SetUp() override {
        test::StatoIniziale();
        ImpostaSeparatoreMigliaia(',');
        std::filesystem::create_directories(cartella);
    }
    void scrivi(const std::string& nome, const MATRIX_STRUCTURE& m) { test::ScriviMatriceProva(cartella / nome, m); }
    test::InterfacciaRegistrata ui;
    test::CartellaTemporanea dati;
    std::filesystem::path cartella = dati / "matrici";
};

// Browsing lists every matrix by V (the exchange sort, not stable, puts a V of 0 first); a file
// of another extension or a folder is no matrix; an empty or missing folder leaves only the
// custom entry. Applying keeps the matrices of the prediction's V and the column's K: the
// window's test pins that filter, the rows and which buttons each entry enables.
TEST_F(ElencoMatrici, ModoSfogliaOrdinaPerVECartellaVuota) {
    CaricaElencoMatrici(cartella, 0, kOggi);
    ASSERT_EQ(mElencoMatrici.size(), 1u);
    EXPECT_TRUE(RiempiElenco().empty());
    EXPECT_EQ(ElencoFile(cartella, ".mzel"), std::vector<std::string>{""});
    CaricaElencoMatrici(dati / "non-esiste", 20, kOggi);
    ASSERT_EQ(mElencoMatrici.size(), 1u);
    EXPECT_EQ(mElencoMatrici[0].nomeFile, "CUSTOM");
    mLenCol = 5;
    scrivi("trenta.mzel", matrice(30, 5));
    scrivi("dodici.MZEL", matrice(12, 5));
    dati.scrivi("matrici/nota.txt", "not a matrix");
    std::filesystem::create_directory(cartella / "cartella.mzel");
    CaricaElencoMatrici(cartella, 0, kOggi);
    ASSERT_EQ(mElencoMatrici.size(), 2u);
    EXPECT_EQ(mElencoMatrici[0].testata.NUMBERS_OF_MATRIX_V, 12);
    EXPECT_EQ(mElencoMatrici[1].nomeFile, "trenta.mzel");
    scrivi("trenta.mzel", matrice(12, 5));
    CaricaElencoMatrici(cartella, 12, kOggi);
    EXPECT_EQ(mElencoMatrici.size(), 3u);
    for (const auto& [vs, atteso] :
         {std::pair<std::vector<uint8_t>, std::string>{{30, 12, 0, 12}, "2130"}, {{12, 12, 5}, "210"}}) {
        std::vector<tElencoMatrice> e(vs.size());
        for (size_t i = 0; i < vs.size(); ++i)
            e[i].testata.NUMBERS_OF_MATRIX_V = vs[i], e[i].nomeFile = std::to_string(i);
        OrdinaElencoMatrici(e);
        std::string nomi;
        for (const auto& x : e) nomi += x.nomeFile;
        EXPECT_EQ(nomi, atteso);
    }
}

// Files with another tag, a bad CRC, out of their dates or cut short are listed, marked, and
// cannot be applied: the routine that applies a file from the folder refuses each with one message.
TEST_F(ElencoMatrici, ControlliSegnatiMaFileElencati) {
    // A prediction the files would fit, so only their checks can refuse them.
    test::Segna(test::Da(1, 12));
    CaricaPronostico();
    mLenCol = 5;
    const auto con = [&](const std::string& nome, auto ritocco) {
        auto m = matrice(12, 5);
        ritocco(m);
        auto b = BytesMatrice(m);
        b.back() ^= nome == "crc.mzel";  // the trailer: the columns stay a good matrix
        dati.scrivi("matrici/" + nome, std::string(b.begin(), b.end()));
    };
    con("tag.mzel", [](auto& m) { m.VERSION_ID = "matricezelv0002"; });
    con("scaduta.mzel", [](auto& m) { m.VALID_TO = kOggi - 1; });
    con("futura.mzel", [](auto& m) { m.VALID_FROM = kOggi + 1; });
    con("crc.mzel", [](auto&) {});
    dati.scrivi("matrici/corto.mzel", "\x0c\x05");
    CaricaElencoMatrici(cartella, 0, kOggi);
    ASSERT_EQ(mElencoMatrici.size(), 5u);
    // Per file: wrong tag, bad CRC, expired, TXT button.
    const std::map<std::string, std::array<bool, 4>> attesi = {{"tag.mzel", {true, false, false, false}},
                                                               {"crc.mzel", {false, true, false, false}},
                                                               {"scaduta.mzel", {false, false, true, false}},
                                                               {"futura.mzel", {false, false, false, true}},
                                                               {"corto.mzel", {true, true, true, false}}};
    for (const auto& v : mElencoMatrici) {
        const auto s = MostraMatrice(v);
        EXPECT_FALSE(s.cmdAdattaMatrice || MotivoNonApplicabile(v).empty()) << v.nomeFile;
        EXPECT_FALSE(ApplicaMatriceFile(cartella / v.nomeFile, kOggi)) << v.nomeFile;
        const std::array<bool, 4> visto{s.versioneErrata, s.crcErrato, s.scaduta, s.cmdMatriceTXT};
        EXPECT_EQ(visto, attesi.at(v.nomeFile)) << v.nomeFile;
    }
    EXPECT_EQ(ui.messaggi.size(), 5u);
}

TEST_F(ElencoMatrici, RigheCampiETestiDellaLingua) {
    tElencoMatrice v;
    v.nomeFile = "x.mzel";
    v.testata = matrice(20, 10);
    v.testata.GARANTY_T = 7;
    v.testata.COLUMNS_OF_MATRIX_C = 30;
    v.testata.PERCENTAGE_COVER = "       100";
    EXPECT_EQ(RigaElencoMatrice(v), " 20 | 10 |  7 | 10 |  0 |     30 |        100");
    EXPECT_EQ(MostraMatrice(v).txtValidFrom, "25/11/2026");
    for (const auto& [n, larghezza, atteso] : {std::tuple<int32_t, int, std::string>{5, 2, " 5"},
                                               {123, 2, "123"},
                                               {1234, 6, " 1,234"},
                                               {1000000, 6, "1,000,000"},
                                               {0, 6, "     0"}})
        EXPECT_EQ(FormattaCampo(n, larghezza), atteso);
    // The separator read from the user's locale (reading it once crashed): whatever it is, a
    // million shows grouped and is not cut to six characters.
    ImpostaSeparatoreMigliaia(0);
    const char sep = SeparatoreMigliaia();
    EXPECT_NE(sep, 0);
    EXPECT_EQ(FormattaCampo(1000000, 6), std::string("1") + sep + "000" + sep + "000");

    dati.scrivi("qiv.ini", "[IMPOSTAZIONI]\nLINGUA=prova\n");
    dati.scrivi("prova.lng", "[Strings]\n0008=Formato errato\n0009=CRC errato\n");
    tElencoMatrice w;
    w.chkCRC = true;
    EXPECT_EQ(MotivoNonApplicabile(w), "Formato errato");
    EXPECT_EQ(MostraMatrice(w).lblChkVersion, "Formato errato");
    w.chkVersion = true;
    w.chkCRC = false;
    EXPECT_EQ(MostraMatrice(w).lblOK, "CRC errato");
}

}  // namespace
}  // namespace novanta
