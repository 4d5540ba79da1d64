#include "textfiles/griglia_txt.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "support/cStringBuffer.h"

namespace novanta {

std::string TestoCopiaGriglia(const std::vector<std::vector<std::string>>& celle, int riga, int colonna, int rigaSel,
                              int colonnaSel) {
    size_t larghezza = 0;
    for (const auto& r : celle) larghezza = std::max(larghezza, r.size());
    // A selection never reaches past the grid.
    const int r1 = std::max(0, std::min(riga, rigaSel));
    const int r2 = std::min(std::max(riga, rigaSel), static_cast<int>(celle.size()) - 1);
    const int c1 = std::max(0, std::min(colonna, colonnaSel));
    const int c2 = std::min(std::max(colonna, colonnaSel), static_cast<int>(larghezza) - 1);
    cStringBuffer buffer;
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            if (c > c1) buffer.Add("\t");
            if (r < static_cast<int>(celle.size()) && c < static_cast<int>(celle[static_cast<size_t>(r)].size()))
                buffer.Add(celle[static_cast<size_t>(r)][static_cast<size_t>(c)]);
        }
        buffer.Add("\r\n");
    }
    return buffer.toString();
}

namespace {
std::optional<double> numero(const std::string& testo) {
    double v = 0;
    const auto [fine, ec] = std::from_chars(testo.data(), testo.data() + testo.size(), v);
    if (testo.empty() || ec != std::errc() || fine != testo.data() + testo.size()) return std::nullopt;
    return v;
}
}  // namespace

void OrdinaCelleGriglia(std::vector<std::vector<std::string>>& celle, int colonna, int rigaDa, int rigaA) {
    rigaDa = std::max(rigaDa, 0);
    rigaA = std::min(rigaA, static_cast<int>(celle.size()) - 1);
    if (colonna < 0 || rigaDa >= rigaA) return;
    const auto chiave = [colonna](const std::vector<std::string>& riga) -> const std::string& {
        static const std::string vuota;
        return static_cast<size_t>(colonna) < riga.size() ? riga[static_cast<size_t>(colonna)] : vuota;
    };
    std::stable_sort(celle.begin() + rigaDa, celle.begin() + rigaA + 1, [&](const auto& a, const auto& b) {
        const std::string& x = chiave(a);
        const std::string& y = chiave(b);
        const auto nx = numero(x), ny = numero(y);
        if (nx && ny) return *nx < *ny;
        return x < y;
    });
}

}  // namespace novanta
