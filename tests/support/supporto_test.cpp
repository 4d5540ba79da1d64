#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cCRC32.h"
#include "support/cStringBuffer.h"
#include "support/date_civili.h"
#include "support/formato.h"

namespace novanta {
namespace {

std::span<const uint8_t> byte(const std::string& s) { return {reinterpret_cast<const uint8_t*>(s.data()), s.size()}; }

TEST(StringBuffer, LaStanzaCresceAPassiDiMilleEClearLaRiusa) {
    cStringBuffer b;
    b.Add("");
    EXPECT_EQ(b.toString(), "");
    b.Add(std::string(999, 'a'));
    b.Add("b");
    EXPECT_EQ(b.dimensioneCorrente(), 1000);  // exactly full, no growth
    b.Add(std::string(1500, 'c'));
    EXPECT_EQ(b.dimensioneCorrente(), 3000);
    EXPECT_EQ(b.toString(), std::string(999, 'a') + "b" + std::string(1500, 'c'));
    b.clear();
    b.Add("due");
    EXPECT_EQ(b.toString(), "due");
    EXPECT_EQ(b.dimensioneCorrente(), 3000);  // the room is kept
    // A text exactly as long as a step still grows by the missing amount plus one step.
    cStringBuffer esatto;
    esatto.Add(std::string(1000, 'x'));
    EXPECT_EQ(esatto.dimensioneCorrente(), 2000);
}

// The checksum the matrix trailers and the system file's blocks store, signed as they store it.
TEST(CRC32, VettoriNoti) {
    const cCRC32 c;
    EXPECT_EQ(c.crc(byte("abc")), 0x352441C2u);
    EXPECT_EQ(c.GetByteArrayCrc32(byte("123456789")), static_cast<int32_t>(0xCBF43926u));
    EXPECT_EQ(c.GetByteArrayCrc32({}), 0);
}

// Only YYYY-MM-DD of a real day is a date; signs, blanks and short fields are not.
TEST(DataDaISO, SoloGiorniVeriInFormaEsatta) {
    for (const std::string buona : {"2024-02-29", "2000-02-29", "0100-01-01", "9999-12-31"})
        EXPECT_EQ(FormatoGGMMAAAA(DataDaISO(buona).value_or(0)),
                  buona.substr(8, 2) + "/" + buona.substr(5, 2) + "/" + buona.substr(0, 4));
    for (const char* cattiva :
         {" 2024-1-05", "+100-01-01", "2024-1-051", "2023-02-29", "2100-02-29", "2024-13-01", "2024/01/01", ""})
        EXPECT_FALSE(DataDaISO(cattiva)) << cattiva;
}

TEST(Formato, ArrotondamentoBancarioMigliaiaEZeri) {
    const std::pair<double, int64_t> arrotondati[] = {
        {0.5, 0},   {1.5, 2},   {2.5, 2},    {3.5, 4},    {-0.5, 0},
        {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {2.5001, 3}, {1e15, 1000000000000000LL}};
    for (const auto& [x, atteso] : arrotondati) EXPECT_EQ(ArrotondaPari(x), atteso) << x;
    // The progress step of a 5,720,645,481,903-combination run.
    EXPECT_EQ(ArrotondaPari(5720645481903.0 / (5720645481903.0 / 250)), 250);

    const std::tuple<char, double, const char*> migliaia[] = {{'.', 0, "0"},
                                                              {'.', 999, "999"},
                                                              {'.', 1000, "1.000"},
                                                              {'.', 150000, "150.000"},
                                                              {'.', 43949268, "43.949.268"},
                                                              {'.', 5720645481903.0, "5.720.645.481.903"},
                                                              {'.', -1234567, "-1.234.567"},
                                                              {',', 1234567, "1,234,567"}};
    for (const auto& [separatore, x, atteso] : migliaia) {
        ImpostaSeparatoreMigliaia(separatore);
        EXPECT_EQ(FormatoMigliaia(x), atteso);
    }
    EXPECT_EQ(FormatoConteggio(0), " 0");
    EXPECT_EQ(FormatoConteggio(3000000), " 3,000,000");

    EXPECT_EQ(FormatoZeri(5), "05");
    EXPECT_EQ(FormatoZeri(123), "123");
    EXPECT_EQ(FormatoZeri(7, 4), "0007");
}

}  // namespace
}  // namespace novanta
