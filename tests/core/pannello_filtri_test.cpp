#include "core/pannello_filtri.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <tuple>

#include "engine/comune.h"

namespace novanta {
namespace {

// The group-filter panel over a prediction of 1..20 in columns of 5.
class Pannello : public test::StatoMotore {
protected:
    void SetUp() override {
        StatoMotore::SetUp();
        test::Segna(test::Da(1, 20));
        ImpostaLenCol(5);
    }
};
using test::Gruppo;
auto campi(const tFiltroGruppo& f) { return std::tuple(f.numeri, f.presenze, f.attivo); }

// Every move stops at panel 1 and at the last panel, however long the step.
TEST_F(Pannello, PassiFermatiAgliEstremi) {
    using Passo = std::function<void(PannelloFiltri&)>;
    const struct {
        int32_t da;
        Passo passo;
        int32_t atteso;
    } casi[] = {
        {3, [](PannelloFiltri& p) { p.Ultimo(); }, MAX_FILTRI},
        {149950, [](PannelloFiltri& p) { p.Avanti(100); }, MAX_FILTRI},
        {MAX_FILTRI, [](PannelloFiltri& p) { p.Avanti(1); }, MAX_FILTRI},
        {MAX_FILTRI, [](PannelloFiltri& p) { p.Avanti(INT32_MAX); }, MAX_FILTRI},
        {50, [](PannelloFiltri& p) { p.Indietro(100); }, 1},
        {2, [](PannelloFiltri& p) { p.Indietro(INT32_MAX); }, 1},
        {7, [](PannelloFiltri& p) { p.Primo(); }, 1},
        {7, [](PannelloFiltri& p) { p.Avanti(100); }, 107},
    };
    for (const auto& c : casi) {
        PannelloFiltri p(0, false);
        p.Avanti(c.da - 1);
        c.passo(p);
        EXPECT_EQ(p.indiceFiltro(), c.atteso) << c.da << " -> " << c.atteso;
    }
}

// The shown panel drops numbers outside the prediction and keeps counts above the length hidden;
// it takes only the edits the window offers, is stored before every move, and the closing moves
// the ON filters to the head in order. Clearing the whole list asks first.
TEST_F(Pannello, ModificheSalvateECompattate) {
    mFiltriAND[2] = Gruppo({1, 30}, 1 << 7, false);
    mFiltriAND[3] = Gruppo({4}, 8);
    PannelloFiltri p(0, false);
    p.Avanti(1);
    EXPECT_TRUE(p.numero(1) && !p.numero(30) && p.presenza(7) && p.numSelezionati() == 1);
    EXPECT_FALSE(p.CambiaNumero(30) || p.CambiaPresenza(6));
    EXPECT_TRUE(p.CambiaNumero(2) && p.CambiaNumero(3) && p.CambiaNumero(3) && p.CambiaPresenza(0));
    EXPECT_TRUE(p.ImpostaAttivo(true));
    EXPECT_FALSE(p.ImpostaAttivo(true));  // ON chosen twice counts once
    EXPECT_EQ(p.totFiltriOFF(), MAX_FILTRI - 1);
    p.Avanti(3);
    EXPECT_TRUE(campi(mFiltriAND[2]) == campi(Gruppo({1, 2}, (1 << 7) | 1)));
    EXPECT_TRUE(p.ImpostaAttivo(true) && p.CancellaPannello());  // a cleared ON panel leaves the total
    EXPECT_EQ(p.totFiltriON(), 1);
    p.Primo();
    EXPECT_TRUE(campi(mFiltriAND[5]) == campi(tFiltroGruppo{}));
    p.Chiudi();
    EXPECT_EQ(mNumFiltriAND, 2);
    EXPECT_TRUE(campi(mFiltriAND[1]) == campi(Gruppo({1, 2}, (1 << 7) | 1)));
    EXPECT_TRUE(campi(mFiltriAND[2]) == campi(Gruppo({4}, 8)));
    EXPECT_FALSE(mFiltriAND[3].attivo);

    ui.risposte = {Risposta::No, Risposta::Si};
    EXPECT_FALSE(p.CancellaTutto());
    EXPECT_EQ(mNumFiltriAND, 2);
    EXPECT_TRUE(p.CancellaTutto());
    EXPECT_EQ(ui.messaggi.size(), 2u);
    EXPECT_TRUE(p.indiceFiltro() == 1 && p.totFiltriON() == 0 && mNumFiltriAND == 0 && !mFiltriAND[1].attivo);
}

}  // namespace
}  // namespace novanta
