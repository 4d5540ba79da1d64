#include <gtest/gtest.h>

#include "core/corpo.h"
#include "support/registratore.h"

namespace novanta {
namespace {

TEST(Corpo, PotenzeDiDueELunghezzaIniziale) {
    test::StatoIniziale();
    EXPECT_EQ(mPotenze2[0], 1);
    EXPECT_EQ(mPotenze2[25], 33554432);
    EXPECT_EQ(mLenCol, 10);
}

}  // namespace
}  // namespace novanta
