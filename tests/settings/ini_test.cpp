#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "settings/classINI.h"
#include "settings/disco_piccolo.h"
#include "support/registratore.h"

namespace novanta {
namespace {

constexpr auto leggi = &test::LeggiFile;

TEST(ValoreINI, SectionsAndKeysIgnoreCaseAndBlanksAndQuotes) {
    const std::string t =
        "; settings\r\n[Impostazioni]\r\n  Lingua = english \r\nNOME=\"  fra virgolette  \"\r\nVUOTA=\r\n"
        "APICI='uno'\r\nMETA=\"aperta\r\n[ALTRA]\r\nLINGUA=deutsch\r\n";
    EXPECT_EQ(ValoreINI(t, "IMPOSTAZIONI", "LINGUA", "x", 254), "english");
    EXPECT_EQ(ValoreINI(t, "impostazioni", "nome", "x", 254), "  fra virgolette  ");
    EXPECT_EQ(ValoreINI(t, "IMPOSTAZIONI", "VUOTA", "predefinito", 254), "");
    EXPECT_EQ(ValoreINI(t, "IMPOSTAZIONI", "APICI", "", 254), "uno");
    // An unterminated quote is kept: nothing to pair it with.
    EXPECT_EQ(ValoreINI(t, "IMPOSTAZIONI", "META", "", 254), "\"aperta");
    EXPECT_EQ(ValoreINI(t, "ALTRA", "LINGUA", "", 254), "deutsch");
    EXPECT_EQ(ValoreINI(t, "IMPOSTAZIONI", "MANCA", "FALSE", 254), "FALSE");
    EXPECT_EQ(ValoreINI(t, "NESSUNA", "LINGUA", "def", 254), "def");
}

TEST(ValoreINI, KeysOutsideTheirSectionAndDuplicates) {
    const std::string t = "LINGUA=prima\n[A]\nK=1\nK=2\n[B]\nK=3\n[a]\nK=4\nJ=5\n";
    // A key before any section belongs to none.
    EXPECT_EQ(ValoreINI(t, "", "LINGUA", "no", 254), "no");
    // The first occurrence wins; a repeated section still adds its keys.
    EXPECT_EQ(ValoreINI(t, "A", "K", "", 254), "1");
    EXPECT_EQ(ValoreINI(t, "A", "J", "", 254), "5");
    EXPECT_EQ(ValoreINI(t, "B", "K", "", 254), "3");
}

TEST(ValoreINI, LongValuesNulAndJunkAreCut) {
    const std::string lungo(400, 'a');
    EXPECT_EQ(ValoreINI("[S]\nK=" + lungo + "\n", "S", "K", "", 254).size(), 254u);
    EXPECT_EQ(ValoreINI("[S]\nK=ab", "S", "K", "", 254), "ab");  // no final line break
    EXPECT_EQ(ValoreINI(std::string("[S]\nK=ab\0cd\n", 12), "S", "K", "", 254), "ab");
    EXPECT_EQ(ValoreINI("", "S", "K", std::string(300, 'd'), 254).size(), 254u);
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
    EXPECT_EQ(ValoreINI(junk, "S", "K", "def", 254), "def");
    EXPECT_EQ(ValoreINI("[S\nK=v\n", "S", "K", "", 254), "v");  // a header without "]"
    EXPECT_EQ(ValoreINI("[S]\n=senza chiave\nK\n", "S", "", "d", 254), "d");
}

TEST(ImpostaValoreINI, KeepsEveryOtherLineAndTheLineEndings) {
    const std::string t = "; commento\r\n[ALTRA]\r\nX=1\r\n\r\n[IMPOSTAZIONI]\r\nLINGUA=italiano\r\nSTAMPANTE=NESSUNA\r\n\r\n[FINE]\r\nZ=2\r\n";
    EXPECT_EQ(ImpostaValoreINI(t, "impostazioni", "lingua", "english"),
              "; commento\r\n[ALTRA]\r\nX=1\r\n\r\n[IMPOSTAZIONI]\r\nlingua=english\r\nSTAMPANTE=NESSUNA\r\n\r\n[FINE]\r\nZ=2\r\n");
    // A new key goes after the last line of its section, before the blank line.
    EXPECT_EQ(ImpostaValoreINI(t, "IMPOSTAZIONI", "NUOVA", "v"),
              "; commento\r\n[ALTRA]\r\nX=1\r\n\r\n[IMPOSTAZIONI]\r\nLINGUA=italiano\r\nSTAMPANTE=NESSUNA\r\nNUOVA=v\r\n\r\n[FINE]\r\nZ=2\r\n");
    // A new section goes at the end, with the file's own line ending.
    EXPECT_EQ(ImpostaValoreINI("[A]\nX=1", "B", "K", "v"), "[A]\nX=1\n[B]\nK=v\n");
    EXPECT_EQ(ImpostaValoreINI("", "B", "K", "v"), "[B]\nK=v\n");
    EXPECT_EQ(ImpostaValoreINI("[B]", "B", "K", "v"), "[B]\nK=v\n");
}

class ClassINITest : public ::testing::Test {
protected:
    test::CartellaTemporanea cartella;
};

TEST_F(ClassINITest, MissingFileGivesDefaultsAndWritingCreatesIt) {
    classINI ini(cartella / "qiv.ini");
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "MODALITA' RICALCOLO", "FALSE"), "FALSE");
    ASSERT_TRUE(ini.setProperty("IMPOSTAZIONI", "MODALITA' RICALCOLO", ""));
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "MODALITA' RICALCOLO", "FALSE"), "");
    ASSERT_TRUE(ini.setProperty("IMPOSTAZIONI", "LINGUA", "\"english\""));
    EXPECT_EQ(ini.getProperty("impostazioni", "lingua", ""), "english");
    EXPECT_EQ(leggi(cartella / "qiv.ini"), "[IMPOSTAZIONI]\nMODALITA' RICALCOLO=\nLINGUA=\"english\"\n");
}

TEST_F(ClassINITest, AValueCannotAddLinesOfItsOwn) {
    classINI ini(cartella / "qiv.ini");
    ASSERT_TRUE(ini.setProperty("IMPOSTAZIONI", "LINGUA", "english\r\n[ALTRA]\nSERVER=http://altrove"));
    EXPECT_EQ(ini.getProperty("ALTRA", "SERVER", "nessuno"), "nessuno");
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "LINGUA", ""), "english  [ALTRA] SERVER=http://altrove");
}

TEST_F(ClassINITest, SeveralKeysInOneRewriteAndNoTemporaryLeftBehind) {
    cartella.scrivi("qiv.ini", "[IMPOSTAZIONI]\nINTESTAZIONE=mia\n");
    classINI ini(cartella / "qiv.ini");
    ASSERT_TRUE(ini.setProperties("IMPOSTAZIONI", {{"A", "1"}, {"B", "2"}, {"INTESTAZIONE", "nuova"}}));
    EXPECT_EQ(leggi(cartella / "qiv.ini"), "[IMPOSTAZIONI]\nINTESTAZIONE=nuova\nA=1\nB=2\n");
    int file = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(cartella.percorso())) ++file;
    EXPECT_EQ(file, 1);
}

TEST_F(ClassINITest, AHugeFileReadsAsDefaultsAndIsNeverRewritten) {
    std::string grande = "[IMPOSTAZIONI]\nLINGUA=english\n";
    grande += std::string(MAX_BYTE_INI, ';');
    cartella.scrivi("qiv.ini", grande);
    classINI ini(cartella / "qiv.ini");
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "LINGUA", "def"), "def");
    EXPECT_FALSE(ini.setProperty("IMPOSTAZIONI", "LINGUA", "italiano"));
    EXPECT_NE(ini.errore().find("cannot read"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(cartella / "qiv.ini"), grande.size());
}

TEST_F(ClassINITest, AFullDiskLeavesTheOldFileWhole) {
    test::DiscoPiccolo disco(cartella / "piccolo");
    RICHIEDI_DISCO_PICCOLO(disco);
    const auto file = disco.percorso() / "qiv.ini";
    const std::string vecchio = "[IMPOSTAZIONI]\nLINGUA=italiano\n; " + std::string(2000, 'c') + "\n";
    { std::ofstream(file, std::ios::binary) << vecchio; }
    disco.Riempi();
    classINI ini(file);
    EXPECT_FALSE(ini.setProperty("IMPOSTAZIONI", "LINGUA", "english"));
    EXPECT_FALSE(ini.errore().empty());
    EXPECT_EQ(leggi(file), vecchio);
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "LINGUA", ""), "italiano");
    for (const auto& e : std::filesystem::directory_iterator(disco.percorso()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
}

TEST_F(ClassINITest, AReadOnlyFolderGivesAClearErrorAndKeepsTheFile) {
    test::DiscoPiccolo disco(cartella / "piccolo");
    RICHIEDI_DISCO_PICCOLO(disco);
    const auto file = disco.percorso() / "qiv.ini";
    { std::ofstream(file, std::ios::binary) << "[IMPOSTAZIONI]\nLINGUA=italiano\n"; }
    ASSERT_TRUE(disco.SolaLettura());
    classINI ini(file);
    EXPECT_FALSE(ini.setProperty("IMPOSTAZIONI", "LINGUA", "english"));
    EXPECT_NE(ini.errore().find("Read-only"), std::string::npos) << ini.errore();
    EXPECT_EQ(ini.numeroErrore(), 75);
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "LINGUA", ""), "italiano");
}

}  // namespace
}  // namespace novanta
