#include <gtest/gtest.h>

#include <fstream>

#include "settings/classINI.h"
#include "support/registratore.h"

namespace novanta {
namespace {

constexpr auto leggi = &test::LeggiFile;

// The INI reader, good and bad input alike: case and blanks, quotes, sections, duplicates,
// long values, NULs, junk, broken headers.
TEST(ValoreINI, ReadsEveryShapeOfInputWithoutFailing) {
    const std::string t =
        "; settings\r\n[Impostazioni]\r\n  Lingua = english \r\nNOME=\"  fra virgolette  \"\r\nVUOTA=\r\n"
        "APICI='uno'\r\nMETA=\"aperta\r\n[ALTRA]\r\nLINGUA=deutsch\r\n";
    const std::string dup = "LINGUA=prima\n[A]\nK=1\nK=2\n[B]\nK=3\n[a]\nK=4\nJ=5\n";
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk += static_cast<char>((i * 7919) & 0xFF);
    struct Caso {
        std::string testo, sezione, chiave, predefinito, atteso;
    };
    const Caso casi[] = {
        {t, "IMPOSTAZIONI", "LINGUA", "x", "english"},
        {t, "impostazioni", "nome", "x", "  fra virgolette  "},
        {t, "IMPOSTAZIONI", "VUOTA", "predefinito", ""},
        {t, "IMPOSTAZIONI", "APICI", "", "uno"},
        {t, "IMPOSTAZIONI", "META", "", "\"aperta"},  // an unterminated quote is kept
        {t, "ALTRA", "LINGUA", "", "deutsch"},
        {t, "IMPOSTAZIONI", "MANCA", "FALSE", "FALSE"},
        {t, "NESSUNA", "LINGUA", "def", "def"},
        {dup, "", "LINGUA", "no", "no"},  // a key before any section belongs to none
        {dup, "A", "K", "", "1"},         // the first occurrence wins
        {dup, "A", "J", "", "5"},         // a repeated section still adds its keys
        {dup, "B", "K", "", "3"},
        {"[S]\nK=" + std::string(400, 'a') + "\n", "S", "K", "", std::string(254, 'a')},
        {"", "S", "K", std::string(300, 'd'), std::string(254, 'd')},
        {"[S]\nK=ab", "S", "K", "", "ab"},  // no final line break
        {std::string("[S]\nK=ab\0cd\n", 12), "S", "K", "", "ab"},
        {junk, "S", "K", "def", "def"},
        {"[S\nK=v\n", "S", "K", "", "v"},  // a header without "]"
        {"[S]\n=senza chiave\nK\n", "S", "", "d", "d"},
    };
    for (const auto& c : casi)
        EXPECT_EQ(ValoreINI(c.testo, c.sezione, c.chiave, c.predefinito, 254), c.atteso)
            << c.sezione << "/" << c.chiave;
}

TEST(ImpostaValoreINI, KeepsEveryOtherLineAndTheLineEndings) {
    const std::string prima = "; commento\r\n[ALTRA]\r\nX=1\r\n\r\n[IMPOSTAZIONI]\r\n";
    const std::string dopo = "\r\n\r\n[FINE]\r\nZ=2\r\n";
    const std::string t = prima + "LINGUA=italiano\r\nSTAMPANTE=NESSUNA" + dopo;
    EXPECT_EQ(ImpostaValoreINI(t, "impostazioni", "lingua", "english"),
              prima + "lingua=english\r\nSTAMPANTE=NESSUNA" + dopo);
    // A new key goes after the last line of its section, before the blank line.
    EXPECT_EQ(ImpostaValoreINI(t, "IMPOSTAZIONI", "NUOVA", "v"),
              prima + "LINGUA=italiano\r\nSTAMPANTE=NESSUNA\r\nNUOVA=v" + dopo);
    // A new section goes at the end, with the file's own line ending.
    EXPECT_EQ(ImpostaValoreINI("[A]\nX=1", "B", "K", "v"), "[A]\nX=1\n[B]\nK=v\n");
    EXPECT_EQ(ImpostaValoreINI("", "B", "K", "v"), "[B]\nK=v\n");
    // A last line that ends in a lone CR keeps it, and the new key is a line of its own.
    const std::pair<std::string, std::string> cr[] = {
        {"[IMPOSTAZIONI]\r", "[IMPOSTAZIONI]\rLINGUA=english\r"},
        {"[IMPOSTAZIONI]\r\nX=1\r", "[IMPOSTAZIONI]\r\nX=1\rLINGUA=english\r\n"},
        {"[A]\r", "[A]\r[IMPOSTAZIONI]\rLINGUA=english\r"},
    };
    for (const auto& [prima, dopo] : cr) {
        const std::string t2 = ImpostaValoreINI(prima, "IMPOSTAZIONI", "LINGUA", "english");
        EXPECT_EQ(t2, dopo);
        EXPECT_EQ(ValoreINI(t2, "IMPOSTAZIONI", "LINGUA", "", 254), "english");
        EXPECT_EQ(ValoreINI(ImpostaValoreINI(t2, "IMPOSTAZIONI", "X", "2"), "IMPOSTAZIONI", "LINGUA", "", 254),
                  "english");
    }
    EXPECT_EQ(ImpostaValoreINI("[B]", "B", "K", "v"), "[B]\nK=v\n");
}

TEST(ClassINI, WritesCreateTheFileInOneRewriteAndValuesCannotAddLines) {
    test::CartellaTemporanea cartella;
    classINI ini(cartella / "qiv.ini");
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "MODALITA' RICALCOLO", "FALSE"), "FALSE");
    ASSERT_TRUE(ini.setProperty("IMPOSTAZIONI", "MODALITA' RICALCOLO", ""));
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "MODALITA' RICALCOLO", "FALSE"), "");
    ASSERT_TRUE(ini.setProperties("IMPOSTAZIONI", {{"LINGUA", "\"english\""}, {"MODALITA' RICALCOLO", "TRUE"}}));
    EXPECT_EQ(leggi(cartella / "qiv.ini"), "[IMPOSTAZIONI]\nMODALITA' RICALCOLO=TRUE\nLINGUA=\"english\"\n");
    const std::filesystem::directory_iterator file(cartella.percorso());
    EXPECT_EQ(std::distance(file, {}), 1);  // no temporary left behind
    ASSERT_TRUE(ini.setProperty("IMPOSTAZIONI", "LINGUA", "english\r\n[ALTRA]\nSERVER=http://altrove"));
    EXPECT_EQ(ini.getProperty("ALTRA", "SERVER", "nessuno"), "nessuno");
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "LINGUA", ""), "english  [ALTRA] SERVER=http://altrove");
}

TEST(ClassINI, AHugeFileReadsAsDefaultsAndIsNeverRewritten) {
    test::CartellaTemporanea cartella;
    const std::string grande = "[IMPOSTAZIONI]\nLINGUA=english\n" + std::string(MAX_BYTE_INI, ';');
    cartella.scrivi("qiv.ini", grande);
    classINI ini(cartella / "qiv.ini");
    EXPECT_EQ(ini.getProperty("IMPOSTAZIONI", "LINGUA", "def"), "def");
    EXPECT_FALSE(ini.setProperty("IMPOSTAZIONI", "LINGUA", "italiano"));
    EXPECT_NE(ini.errore().find("cannot read"), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size(cartella / "qiv.ini"), grande.size());
}

}  // namespace
}  // namespace novanta
