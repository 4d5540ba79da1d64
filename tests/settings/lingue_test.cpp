#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "core/cartella_dati.h"
#include "settings/disco_piccolo.h"
#include "settings/lingue_distribuite.h"
#include "settings/multiLanguage.h"
#include "support/registratore.h"
#include "support/testo.h"

namespace novanta {
namespace {

constexpr auto leggi = &test::LeggiFile;

class LingueTest : public ::testing::Test {
protected:
    void SetUp() override { test::StatoIniziale(); }
    void TearDown() override { test::StatoIniziale(); }
    test::CartellaTemporanea cartella;
};

// Files up to 64,000 bytes are read as INI files (the INI reader's own table has the odd shapes),
// with values up to 511 characters; bigger ones are scanned by key, where sections and their
// letter case no longer matter but the key's own case does. Bad files give empty texts.
TEST_F(LingueTest, LanguageFilesSmallLargeAndBroken) {
    std::string grande = "[Riempitivo]\n";
    for (int i = 0; grande.size() < 70000; ++i)
        grande += "riga" + std::to_string(i) + "=\"" + std::string(60, 'r') + "\"\n";
    grande += "[Strings]\n0001=\"Colonne integrali:\"\n0053=senza virgolette\nlblMatrix(3).Caption=\"terza\"\n";
    std::string junk;
    for (int i = 0; i < 70000; ++i) junk += static_cast<char>((i * 131 + 7) & 0xFF);
    cartella.scrivi("piccolo.lng", "[Strings]\n0001=\"uno\"\n");
    cartella.scrivi("lungo.lng", "[S]\nK=\"" + std::string(700, 'v') + "\"\n");
    cartella.scrivi("grande.lng", grande);
    cartella.scrivi("junk.lng", junk);
    cartella.scrivi("coda.lng", std::string(65000, '\n') + "0042=x");  // last line, no quotes, no line break
    struct Caso {
        const char *file, *sezione, *chiave;
        std::string atteso;
    };
    const Caso casi[] = {
        {"piccolo.lng", "strings", "0001", "uno"},
        {"manca.lng", "Strings", "0001", ""},
        {"lungo.lng", "S", "K", std::string(511, 'v')},
        {"grande.lng", "Strings", "0001", "Colonne integrali:"},
        {"grande.lng", "frmMatr", "0001", "Colonne integrali:"},  // any section
        {"grande.lng", "frmMatr", "lblMatrix(3).Caption", "terza"},
        {"grande.lng", "frmMatr", "LBLMATRIX(3).CAPTION", ""},
        {"grande.lng", "Strings", "0053", "senza virgolette"},
        {"grande.lng", "Strings", "000", ""},  // a prefix of a key is no key
        {"junk.lng", "Strings", "0001", ""},
        {"coda.lng", "Strings", "0042", "x"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(LeggiINI(cartella / c.file, c.sezione, c.chiave), c.atteso) << c.file << " " << c.chiave;
}

// The chosen language speaks; without one, "LINGUA" of qiv.ini.
TEST_F(LingueTest, TheChosenLanguageSpeaksOrTheFallback) {
    test::LocaleDiProva locale("it_IT.UTF-8");
    cartella.scrivi("deutsch.lng", "[Strings]\n0053=\"Programm beenden?\"\n");
    cartella.scrivi("qiv.ini", "[IMPOSTAZIONI]\nLINGUA=deutsch\n");
    EXPECT_EQ(TestoMessaggio("0053"), "Programm beenden?");
    EXPECT_EQ(mLinguaCorrente, "deutsch");
    EXPECT_EQ(TestoMessaggio("0054"), "");
    EXPECT_EQ(FileLinguaCorrente(), cartella / "deutsch.lng");
    // Read once, not once per text; a file replaced (by a download) is read again.
    const unsigned letture = LettureFileLingua();
    for (int i = 0; i < 50; ++i) TestoMessaggio(i % 2 ? "0053" : "0054");
    EXPECT_EQ(LettureFileLingua(), letture);
    cartella.scrivi("deutsch.lng", "[Strings]\n0053=\"Programm jetzt beenden?\"\n0160=\"%1 von %2 (%3)\"\n");
    EXPECT_EQ(TestoMessaggio("0053"), "Programm jetzt beenden?");
    EXPECT_EQ(TestoMessaggio("0160", {"3", "4"}), "3 von 4 (%3)");
    // Another language in between drops what was read: a rewrite of the same size and time is seen.
    const auto ora = std::filesystem::last_write_time(cartella / "deutsch.lng");
    mLinguaCorrente = "english";
    TestoMessaggio("0053");
    cartella.scrivi("deutsch.lng", "[Strings]\n0053=\"Programm heute beenden?\"\n0160=\"%1 von %2 (%3)\"\n");
    std::filesystem::last_write_time(cartella / "deutsch.lng", ora);
    mLinguaCorrente = "deutsch";
    EXPECT_EQ(TestoMessaggio("0053"), "Programm heute beenden?");
}

TEST_F(LingueTest, WithoutALanguageTheLocaleChoosesTheShippedOne) {
    const std::string inglese = LeggiINITesto(LinguaDistribuitaDi("english")->contenuto, "Strings", "0053");
    const std::string italiano = LeggiINITesto(LinguaDistribuitaDi("italiano")->contenuto, "Strings", "0053");
    ASSERT_FALSE(inglese.empty());
    ASSERT_NE(inglese, italiano);
    {
        test::LocaleDiProva locale("en_US.UTF-8");
        EXPECT_EQ(LinguaDiSistema(), "english");
        EXPECT_EQ(TestoMessaggio("0053"), inglese);
        EXPECT_TRUE(mLinguaCorrente.empty());  // nothing was chosen for the user
    }
    for (const char* l : {"it_IT.UTF-8", "de_DE.UTF-8", "C", static_cast<const char*>(nullptr)}) {
        test::LocaleDiProva locale(l);
        EXPECT_EQ(TestoMessaggio("0053"), italiano) << (l ? l : "(unset)");
    }
    test::LocaleDiProva locale("it_IT.UTF-8");
    ::setenv("LC_ALL", "en_US.UTF-8", 1);  // LC_ALL wins over LANG
    EXPECT_EQ(TestoMessaggio("0053"), inglese);
    // A chosen file that is gone falls back too; the fallback's copy in the data folder wins.
    mLinguaCorrente = "klingon";
    EXPECT_EQ(TestoMessaggio("0053"), inglese);
    cartella.scrivi("english.lng", "[Strings]\n0053=\"Quit? (user's copy)\"\n");
    EXPECT_EQ(TestoMessaggio("0053"), "Quit? (user's copy)");
    EXPECT_EQ(LinguaEffettiva(), "english");
}

// The shipped files: every message id the program uses, a section for every window that takes
// its texts from the language, keys only of the scheme ApplicaLingua reads, the same keys in both
// languages, small enough for the INI reader, and compiled in exactly as they are in data/.
TEST(LingueDistribuite, AreCompleteAndAgree) {
    const std::regex chiave(
        R"(^(Info|Strings)$|^[A-Za-z][A-Za-z0-9_]*(\([0-9]+\))?\.(Caption|ToolTipText|Tag|TabCaption\([0-9]+\))$)");
    ASSERT_EQ(LingueDistribuite().size(), 2u);
    // Every message id the program's sources name ("0140" in quotes).
    std::set<std::string> ids;
    const std::regex id(R"re("(0[0-9]{3})")re");
    for (const auto& f :
         std::filesystem::recursive_directory_iterator(std::filesystem::path(NOVANTA_DATA_SOURCE_DIR) / ".." / "src")) {
        if (f.path().extension() != ".cpp" && f.path().extension() != ".h") continue;
        const std::string testo = leggi(f.path());
        for (std::sregex_iterator it(testo.begin(), testo.end(), id), fine; it != fine; ++it) ids.insert((*it)[1]);
    }
    ASSERT_GT(ids.size(), 50u);
    std::map<std::string, std::set<std::string>> chiaviPerLingua;
    for (const auto& l : LingueDistribuite()) {
        const std::string nome(l.nome);
        SCOPED_TRACE(nome);
        EXPECT_EQ(leggi(std::filesystem::path(NOVANTA_DATA_SOURCE_DIR) / "lingue" / (nome + ".lng")), l.contenuto);
        EXPECT_LE(l.contenuto.size(), MAX_BYTE_LINGUA_INI);
        EXPECT_EQ(LinguaDistribuitaDi(Maiuscolo(nome)), &l);
        for (const auto& id : ids) EXPECT_FALSE(LeggiINITesto(l.contenuto, "Strings", id).empty()) << id;
        std::istringstream righe{std::string(l.contenuto)};
        std::string riga, sezione;
        while (std::getline(righe, riga)) {
            if (riga.empty() || riga[0] == ';') continue;
            if (riga[0] == '[') {
                sezione = riga.substr(1, riga.find(']') - 1);
                continue;
            }
            const std::string k = riga.substr(0, riga.find('='));
            chiaviPerLingua[nome].insert(sezione + "/" + k);
            if (sezione == "Strings" || sezione == "Info") continue;
            EXPECT_TRUE(std::regex_match(k, chiave)) << sezione << "/" << k;
            EXPECT_FALSE(LeggiINITesto(l.contenuto, sezione, sezione + ".Caption").empty()) << sezione;
            EXPECT_NE(riga.find("=\""), std::string::npos) << riga;
        }
    }
    EXPECT_EQ(chiaviPerLingua["italiano"], chiaviPerLingua["english"]);
    EXPECT_EQ(LinguaDistribuitaDi("deutsch"), nullptr);
}

}  // namespace
}  // namespace novanta
