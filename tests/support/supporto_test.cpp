#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "support/cCRC32.h"
#include "support/cStringBuffer.h"
#include "support/formato.h"

namespace novanta {
namespace {

std::span<const uint8_t> byte(const std::string& s) {
    return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

TEST(StringBuffer, LaStanzaCresceAPassiDiMille) {
    cStringBuffer b;
    EXPECT_EQ(b.dimensioneCorrente(), 0);
    b.Add(std::string(999, 'a'));
    EXPECT_EQ(b.dimensioneCorrente(), 1000);
    b.Add("b");
    EXPECT_EQ(b.dimensioneCorrente(), 1000);
    EXPECT_EQ(b.lunghezzaCorrente(), 1000);
    b.Add(std::string(1500, 'c'));
    EXPECT_EQ(b.dimensioneCorrente(), 3000);
    EXPECT_EQ(b.toString(), std::string(999, 'a') + "b" + std::string(1500, 'c'));

    // A text exactly as long as a step still grows by the missing amount plus one step.
    cStringBuffer esatto;
    esatto.Add(std::string(1000, 'x'));
    EXPECT_EQ(esatto.dimensioneCorrente(), 2000);
    EXPECT_EQ(esatto.toString().size(), 1000u);
}

TEST(StringBuffer, VuotoEClearRiusanoLaStanza) {
    cStringBuffer b;
    b.Add("");
    EXPECT_EQ(b.dimensioneCorrente(), 0);
    EXPECT_EQ(b.toString(), "");
    b.Add("prima riga lunga");
    b.clear();
    EXPECT_EQ(b.toString(), "");
    b.Add("due");
    EXPECT_EQ(b.toString(), "due");
    EXPECT_EQ(b.dimensioneCorrente(), 1000);
}

TEST(StringBuffer, MoltiPezziPiccoliDannoIlTestoIntero) {
    cStringBuffer b;
    std::string atteso;
    for (int i = 0; i < 20000; ++i) {
        const std::string pezzo = std::to_string(i) + (i % 7 == 0 ? "\t" : " ");
        b.Add(pezzo);
        atteso += pezzo;
    }
    EXPECT_EQ(b.toString(), atteso);
    EXPECT_EQ(b.dimensioneCorrente() % 1000, 0);
    EXPECT_GE(b.dimensioneCorrente(), b.lunghezzaCorrente());
    EXPECT_LT(b.dimensioneCorrente() - b.lunghezzaCorrente(), 1000 + 10);
}

TEST(CRC32, VettoriNoti) {
    const cCRC32 c;
    EXPECT_EQ(c.crc(byte("abc")), 0x352441C2u);
    EXPECT_EQ(c.crc(byte("123456789")), 0xCBF43926u);
    EXPECT_EQ(c.GetByteArrayCrc32(byte("123456789")), static_cast<int32_t>(0xCBF43926u));
    EXPECT_LT(c.GetByteArrayCrc32(byte("123456789")), 0);  // the trailer stores it signed
    EXPECT_EQ(c.GetByteArrayCrc32({}), 0);
}

TEST(CRC32, ComeZlibSuBufferCasuali) {
    const cCRC32 c;
    std::mt19937 gen(20240601);
    std::uniform_int_distribution<int> lunghezza(0, 5000), valore(0, 255);
    for (int prova = 0; prova < 300; ++prova) {
        std::vector<uint8_t> dati(static_cast<size_t>(lunghezza(gen)));
        for (auto& b : dati) b = static_cast<uint8_t>(valore(gen));
        const auto zlib = static_cast<uint32_t>(::crc32(0L, dati.data(), static_cast<uInt>(dati.size())));
        ASSERT_EQ(c.crc(dati), zlib) << "length " << dati.size();
        ASSERT_EQ(c.GetByteArrayCrc32(dati), static_cast<int32_t>(zlib));
    }
    // All 256 byte values, and a long run of one value.
    std::vector<uint8_t> tutti(256);
    for (int i = 0; i < 256; ++i) tutti[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    EXPECT_EQ(c.crc(tutti), static_cast<uint32_t>(::crc32(0L, tutti.data(), 256)));
    std::vector<uint8_t> ff(1 << 20, 0xFF);
    EXPECT_EQ(c.crc(ff), static_cast<uint32_t>(::crc32(0L, ff.data(), static_cast<uInt>(ff.size()))));
}

TEST(Formato, ArrotondamentoBancario) {
    EXPECT_EQ(ArrotondaPari(0.5), 0);
    EXPECT_EQ(ArrotondaPari(1.5), 2);
    EXPECT_EQ(ArrotondaPari(2.5), 2);
    EXPECT_EQ(ArrotondaPari(3.5), 4);
    EXPECT_EQ(ArrotondaPari(-0.5), 0);
    EXPECT_EQ(ArrotondaPari(-2.5), -2);
    EXPECT_EQ(ArrotondaPari(-3.5), -4);
    EXPECT_EQ(ArrotondaPari(2.4999), 2);
    EXPECT_EQ(ArrotondaPari(2.5001), 3);
    // The progress step of a run: 250 steps of a 5,720,645,481,903-combination system.
    EXPECT_EQ(ArrotondaPari(5720645481903.0 / (5720645481903.0 / 250)), 250);
    EXPECT_EQ(ArrotondaPari(1e15 + 0.0), 1000000000000000LL);
}

TEST(Formato, MigliaiaEConteggi) {
    ImpostaSeparatoreMigliaia('.');
    EXPECT_EQ(FormatoMigliaia(0), "0");
    EXPECT_EQ(FormatoMigliaia(7), "7");
    EXPECT_EQ(FormatoMigliaia(999), "999");
    EXPECT_EQ(FormatoMigliaia(1000), "1.000");
    EXPECT_EQ(FormatoMigliaia(150000), "150.000");
    EXPECT_EQ(FormatoMigliaia(3000000), "3.000.000");
    EXPECT_EQ(FormatoMigliaia(43949268), "43.949.268");
    EXPECT_EQ(FormatoMigliaia(5720645481903.0), "5.720.645.481.903");
    EXPECT_EQ(FormatoMigliaia(-1234567), "-1.234.567");
    EXPECT_EQ(FormatoConteggio(0), " 0");
    EXPECT_EQ(FormatoConteggio(3000000), " 3.000.000");
    ImpostaSeparatoreMigliaia(',');
    EXPECT_EQ(FormatoMigliaia(1234567), "1,234,567");
    EXPECT_EQ(FormatoConteggio(120), " 120");
}

TEST(Formato, ZeriIniziali) {
    EXPECT_EQ(FormatoZeri(0), "00");
    EXPECT_EQ(FormatoZeri(5), "05");
    EXPECT_EQ(FormatoZeri(59), "59");
    EXPECT_EQ(FormatoZeri(123), "123");
    EXPECT_EQ(FormatoZeri(7, 4), "0007");
}

}  // namespace
}  // namespace novanta
