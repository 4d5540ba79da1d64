#include "support/cStringBuffer.h"

namespace novanta {

void cStringBuffer::Add(std::string_view s) {
    const auto n = static_cast<int32_t>(s.size());
    if (n <= 0) return;
    if (lunghezza + n > dimensione) {
        const int32_t crescita = ((lunghezza - dimensione + n) / passo + 1) * passo;
        stringa.append(static_cast<size_t>(crescita), ' ');
        dimensione += crescita;
    }
    stringa.replace(static_cast<size_t>(lunghezza), s.size(), s);
    lunghezza += n;
}

}  // namespace novanta
