#include "engine/maschere.h"

namespace novanta::motore {

Maschera Intervallo(int lo, int hi) {
    if (lo < 0) lo = 0;
    if (hi > 127) hi = 127;
    if (lo > hi) return 0;
    const Maschera finoAHi = hi == 127 ? ~Maschera{0} : (Bit(static_cast<unsigned>(hi) + 1) - 1);
    const Maschera sottoLo = Bit(static_cast<unsigned>(lo)) - 1;
    return finoAHi & ~sottoLo;
}

MappaSottoinsiemi::MappaSottoinsiemi() { clear(); }

void MappaSottoinsiemi::clear() {
    voci_.assign(1024, Voce{0, 0});
    maschera_ = voci_.size() - 1;
    usate_ = 0;
}

void MappaSottoinsiemi::cresci() {
    std::vector<Voce> vecchie;
    vecchie.swap(voci_);
    voci_.assign(vecchie.size() * 2, Voce{0, 0});
    maschera_ = voci_.size() - 1;
    usate_ = 0;
    for (const auto& v : vecchie)
        if (v.chiave != 0) Unisci(v.chiave, v.valore);
}

void MappaSottoinsiemi::Unisci(Maschera chiave, Maschera valore) {
    if ((usate_ + 1) * 2 > voci_.size()) cresci();
    for (size_t i = hash(chiave) & maschera_;; i = (i + 1) & maschera_) {
        Voce& v = voci_[i];
        if (v.chiave == chiave) {
            v.valore |= valore;
            return;
        }
        if (v.chiave == 0) {
            v.chiave = chiave;
            v.valore = valore;
            ++usate_;
            return;
        }
    }
}

Maschera MappaSottoinsiemi::Trova(Maschera chiave) const {
    for (size_t i = hash(chiave) & maschera_;; i = (i + 1) & maschera_) {
        const Voce& v = voci_[i];
        if (v.chiave == chiave) return v.valore;
        if (v.chiave == 0) return 0;
    }
}

}  // namespace novanta::motore
