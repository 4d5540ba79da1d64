#include "support/righe_testo.h"

#include <algorithm>

namespace novanta {

std::string PulisciRiga(std::string riga) {
    std::replace(riga.begin(), riga.end(), '\t', ' ');
    std::string out;
    out.reserve(riga.size());
    for (size_t i = 0; i < riga.size(); ++i) {
        char c = riga[i];
        if (c == '\r' && i + 1 < riga.size() && riga[i + 1] == '\n') {
            c = ' ';
            ++i;
        }
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out.push_back(c);
    }
    const auto inizio = out.find_first_not_of(' ');
    if (inizio == std::string::npos) return "";
    const auto fine = out.find_last_not_of(' ');
    return out.substr(inizio, fine - inizio + 1);
}

bool LettoreRighe::riempi() {
    if (fine_) return false;
    blocco_.resize(1 << 16);
    in_.read(blocco_.data(), static_cast<std::streamsize>(blocco_.size()));
    blocco_.resize(static_cast<size_t>(in_.gcount()));
    pos_ = 0;
    if (blocco_.empty()) fine_ = true;
    return !fine_;
}

bool LettoreRighe::leggi(std::string& riga) {
    riga.clear();
    troppoLunga_ = false;
    bool qualcosa = false;
    for (;;) {
        if (pos_ >= blocco_.size() && !riempi()) return qualcosa;
        // The LF of a CR LF pair belongs to the line the CR ended.
        if (dopoCR_) {
            dopoCR_ = false;
            if (blocco_[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        qualcosa = true;
        const char* inizio = blocco_.data() + pos_;
        const char* fine = blocco_.data() + blocco_.size();
        const char* fineRiga = std::find_if(inizio, fine, [](char c) { return c == '\r' || c == '\n'; });
        const size_t n = static_cast<size_t>(fineRiga - inizio);
        if (n > massimo_ - riga.size()) troppoLunga_ = true;
        riga.append(inizio, std::min(n, massimo_ - riga.size()));
        pos_ += n;
        if (fineRiga != fine) {
            dopoCR_ = *fineRiga == '\r';
            ++pos_;
            return true;
        }
    }
}

}  // namespace novanta
