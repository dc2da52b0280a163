#include "sim_test_fields.h"

#include <Spiel/sim/build_field.h>

#include <gtest/gtest.h>

#include <tuple>

namespace ferlan {
namespace {

// The left, top, diameter and colour each of the slot's three discs should have.
template <std::size_t N>
void expectDiscs(const std::array<Disc, N>& discs, int slot,
                 const std::tuple<Twips, Twips, Twips, Colour> (&expected)[3]) {
    for (int d = 0; d < 3; ++d) {
        SCOPED_TRACE("disc " + std::to_string(3 * slot - 2 + d));
        const Disc& disc = discs[static_cast<std::size_t>(3 * slot - 2 + d)];
        const auto& [left, top, size, colour] = expected[d];
        EXPECT_EQ(std::tuple(disc.Left, disc.Top, disc.Width, disc.Height, disc.BackColour),
                  std::tuple(left, top, size, size, colour));
        EXPECT_FALSE(disc.Visible);
    }
}

TEST(BuildField, LevelThree) {
    // "13;2;glup1470 3570 ,grum5715 4965 ,;up645  7095 ,;am3075 10710,;  "
    GameModel model;
    ASSERT_TRUE(startBuiltinLevel(model, 2));

    EXPECT_EQ(std::tuple(model.Spielflaeche.Top, model.Anfang.Top, model.Verbindung[5].Top,
                         model.Eisenkugel.Top, model.FloorRows),
              std::tuple(8025 - 12675, 11700, 11700, 11960, 13));
    // The exit's three pipe pieces reach the left wall at the top, the entry's the right one.
    const std::pair<Twips, Twips> pieces[] = {{1920, 0},     {960, 0},      {0, 0},
                                              {3840, 11700}, {4800, 11700}, {5760, 11700}};
    for (std::size_t n = 0; n < 6; ++n)
        EXPECT_EQ(std::pair(model.Verbindung[n].Left, model.Verbindung[n].Top), pieces[n]) << n;

    // A large left-wall pole acts from its right end, x + 960 = 2430.
    EXPECT_EQ(std::tuple(model.Ferlan[1].Width, model.Ferlan[1].Height), std::tuple(960, 360));
    expectDiscs(model.Anziehung, 1,
                {{150, 1530, 4575, makeColour(255, 192, 192)},
                 {870, 2130, 3255, makeColour(255, 128, 128)},
                 {1710, 2970, 1575, makeColour(255, 0, 0)}});
    EXPECT_EQ(std::tuple(model.Zentrum[1].Left, model.Zentrum[1].Top), std::tuple(2182.5f, 3255));

    // A large right-wall pole acts from its left end.
    expectDiscs(model.Anziehung, 2,
                {{3435, 2925, 4575, makeColour(192, 255, 192)},
                 {4155, 3525, 3255, makeColour(128, 255, 128)},
                 {4995, 4365, 1575, makeColour(0, 255, 0)}});
    EXPECT_EQ(std::tuple(model.Zentrum[2].Left, model.Zentrum[2].Top), std::tuple(5467.5f, 4650));

    expectDiscs(model.Anziehung2, 1,
                {{-1402.5f, 5047.5f, 4575, makeColour(255, 192, 192)},
                 {-742.5f, 5707.5f, 3255, makeColour(255, 128, 128)},
                 {97.5f, 6547.5f, 1575, makeColour(255, 0, 0)}});
    EXPECT_EQ(std::tuple(model.Transformator[1].Width, model.Transformator[1].Height),
              std::tuple(600, 960));
    EXPECT_EQ(std::tuple(model.NextFerlan, model.NextKugel, model.NextTransformator),
              std::tuple(3, 2, 2));
}

TEST(BuildField, PicturesFollowTheShownPolarity) {
    const std::tuple<const char*, Picture, Picture> cases[] = {
        {"grpp3000 5000 ,;pp3000 5000 ,;", Picture::grp, Picture::p},
        {"klmm3000 5000 ,;mm3000 5000 ,;", Picture::klm, Picture::m},
        {"grum3000 5000 ,;um3000 5000 ,;", Picture::gru, Picture::u},
        {"glup3000 5000 ,;up3000 5000 ,;", Picture::glu, Picture::u},
    };
    for (const auto& [elements, pole, ball] : cases) {
        SCOPED_TRACE(elements);
        const GameModel model = testing::fieldWith(elements);
        EXPECT_EQ(std::tuple(model.Ferlan[1].picture, model.Kugel[1].picture),
                  std::tuple(pole, ball));
    }
}

TEST(BuildField, HeightsAndFloorRows) {
    for (const auto& [text, field, rows] :
         {std::tuple{"9 ;1;;;;  ", 8775.0f, 9}, std::tuple{"23;4;;;;  ", 22425.0f, 23}}) {
        SCOPED_TRACE(text);
        GameModel model;
        ASSERT_TRUE(startLoadedLevel(model, text));
        EXPECT_EQ(std::tuple(model.Spielflaeche.Height, model.FloorRows, model.Spielflaeche.Top),
                  std::tuple(field, rows, 8025 - field));
    }
}

TEST(BuildField, RebuildPutsEverythingBack) {
    GameModel model;
    ASSERT_TRUE(startBuiltinLevel(model, 2));
    const GameModel fresh = model;
    model.KeyUpHeld = true;
    for (int n = 0; n < 200; ++n) runTick(model);
    model.BallPolarity = Polarity::Minus;
    model.Kugel[1].Left += 500;
    model.AlarmOn = true;
    ASSERT_TRUE(startBuiltinLevel(model, 2));
    // Everything is as built, but the keys stay held and the redraw counters have moved on.
    GameModel expected = fresh;
    expected.KeyUpHeld = true;
    expected.revision = model.revision;
    EXPECT_TRUE(model == expected);
}

TEST(BuildField, SmallerLevelClearsTheSlotsItDoesNotUse) {
    GameModel model;
    std::string full = "16;2;klpp45   1680 ,krpp6015 2685 ,glup600  4260 ,;";
    for (int k = 0; k < 10; ++k) full += "up" + formatCoordinate(400.0f * k) + "3000 ,";
    full += ";an3000 3660 ,an4920 7755 ,;  ";
    ASSERT_TRUE(startLoadedLevel(model, full));
    ASSERT_EQ(std::tuple(model.Kugel[10].Visible, model.Ferlan[3].Visible), std::tuple(true, true));
    ASSERT_TRUE(startBuiltinLevel(model, 0));  // level 1: 2 poles, nothing else
    EXPECT_EQ(std::tuple(model.Ferlan[2].Visible, model.Ferlan[3].Visible, model.Ferlan[3].picture,
                         model.Transformator[1].Visible, model.NextFerlan, model.NextKugel,
                         model.NextTransformator),
              std::tuple(true, false, Picture::None, false, 3, 1, 1));
    for (const Image& ball : model.Kugel) EXPECT_FALSE(ball.Visible);
    for (const Disc& disc : model.Anziehung) EXPECT_FALSE(disc.Visible);
}

TEST(ReadLevelText, FailedReadKeepsTheFieldAndResetsTheSpeeds) {
    GameModel model;
    ASSERT_TRUE(startBuiltinLevel(model, 2));
    model.KeyUpHeld = true;
    for (int n = 0; n < 60; ++n) runTick(model);
    model.KugelVX[1] = 9;
    ASSERT_NE(model.BallVY, 0);
    const GameModel played = model;

    EXPECT_FALSE(startLoadedLevel(model, "8 ;1;;;;  "));
    EXPECT_EQ(std::tuple(model.BallVX, model.BallVY, model.KugelVX[1]), std::tuple(0, 0, 0));
    EXPECT_TRUE(std::tie(model.Eisenkugel, model.Ferlan, model.Spielflaeche) ==
                std::tie(played.Eisenkugel, played.Ferlan, played.Spielflaeche));
}

}  // namespace
}  // namespace ferlan
