#include <leveldata/elements.h>
#include <leveldata/level_text.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <utility>

using namespace ferlan;
using namespace std::string_literals;

namespace {

struct ReadCase {
    const char* why;
    std::string text;
    bool accepted;
    int height = 0, floor = 0, ferlan = 0, kugel = 0, transformator = 0;
};

std::string repeat(const std::string& entry, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += entry;
    return out;
}

const std::string kPole = "grpp5520 4770 ,";
const std::string kBall = "up645  7095 ,";
const std::string kTransformator = "am3075 10710,";

TEST(ReadLevelText, AcceptsAndRejectsByTheFormatRules) {
    const ReadCase cases[] = {
        {"empty level", "13;2;;;;  ", true, 13, 2},
        {"one-digit height then blank", "9 ;1;;;;  ", true, 9, 1},
        {"blank then one-digit height", " 9;4;;;;  ", true, 9, 4},
        {"height 23", "23;3;;;;  ", true, 23, 3},
        {"height 8", "8 ;1;;;;  ", false},
        {"height 24", "24;1;;;;  ", false},
        {"height not a number", "ab;1;;;;  ", false},
        {"floor 0", "13;0;;;;  ", false},
        {"floor 5", "13;5;;;;  ", false},
        {"missing ';' after floor", "13;2,;;;  ", false},
        {"level 3", "13;2;glup1470 3570 ,grum5715 4965 ,;up645  7095 ,;am3075 10710,;  ", true, 13,
         2, 2, 1, 1},
        {"shown and real polarity differ", "13;2;grpm5520 4770 ,;;;  ", false},
        {"charged ball pm", "13;2;;pm645  7095 ,;;  ", false},
        {"polariser ax", "13;2;;;ax3075 10710,;  ", false},
        {"code one character too long", "13;2;grpp 5520 4770 ,;;;  ", false},
        {"coordinate one character short", "13;2;grpp5520 4770,;;;  ", false},
        {"22-character section reads one entry", "13;2;" + kPole + "1234567;;;  ", true, 13, 2, 1},
        {"23-character section reads two entries", "13;2;" + kPole + "12345678;;;  ", false},
        {"25 poles", "23;1;" + repeat(kPole, 25) + ";;;  ", true, 23, 1, 25},
        {"26 poles", "23;1;" + repeat(kPole, 26) + ";;;  ", false},
        {"10 balls", "23;1;;" + repeat(kBall, 10) + ";;  ", true, 23, 1, 0, 10},
        {"11 balls", "23;1;;" + repeat(kBall, 11) + ";;  ", false},
        {"5 polarisers", "23;1;;;" + repeat(kTransformator, 5) + ";  ", true, 23, 1, 0, 0, 5},
        {"6 polarisers", "23;1;;;" + repeat(kTransformator, 6) + ";  ", false},
        {"CR LF end", "13;2;;;" + kTransformator + ";\r\n", true, 13, 2, 0, 0, 1},
        {"LF end with a polariser", "13;2;;;" + kTransformator + ";\n", false},
        {"LF end, empty polariser section", "13;2;;;;\n", true, 13, 2},
        {"no end, empty sections: four ';' read as empty", "13;2;;;;", true, 13, 2},
        {"final ';' not third-last", "13;2;;;;   ", false},
        {"end characters may be anything", "13;2;;;;\xff\x00"s, true, 13, 2},
        {"no ';' closes the pole section", "13;2;grpp5520 4770 ,", false},
        {"empty text", "", false},
        {"NUL bytes", std::string(12, '\0'), false},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.why);
        LevelData data;
        ASSERT_EQ(readLevelText(c.text, data), c.accepted);
        if (!c.accepted) continue;
        EXPECT_EQ(std::tuple(data.height, data.floor, countUsed(data.ferlan), countUsed(data.kugel),
                             countUsed(data.transformator)),
                  std::tuple(c.height, c.floor, c.ferlan, c.kugel, c.transformator));
    }
}

TEST(ReadLevelText, FillsSlotsInTextOrderWithTheirCoordinates) {
    LevelData data;
    ASSERT_TRUE(
        readLevelText("13;2;glup1470 3570 ,grum5715 4965 ,;up645  7095 ,;am3075 10710,;  ", data));
    EXPECT_EQ(std::tuple(data.ferlan[0], data.ferlan[1], data.kugel[0], data.transformator[0]),
              std::tuple(LevelEntry{"glup", 1470, 3570}, LevelEntry{"grum", 5715, 4965},
                         LevelEntry{"up", 645, 7095}, LevelEntry{"am", 3075, 10710}));

    // Coordinate fields read leniently.
    ASSERT_TRUE(readLevelText("13;2;grpp-15  1 2  ,krmmab   .5   ,;;;  ", data));
    EXPECT_EQ(data.ferlan[0], (LevelEntry{"grpp", -15, 12}));
    EXPECT_EQ(data.ferlan[1], (LevelEntry{"krmm", 0, 0.5f}));
}

TEST(ReadLevelText, FailedReadKeepsWhatWasFilledAndNextReadEmptiesIt) {
    LevelData data;
    ASSERT_FALSE(readLevelText("13;2;grpp5520 4770 ,grpx5520 4770 ,;;;  ", data));
    EXPECT_EQ(std::tuple(int(data.height), data.ferlan[0].code, data.ferlan[1].used()),
              std::tuple(13, "grpp", false));

    ASSERT_FALSE(readLevelText("8 ;1;;;;  ", data));
    EXPECT_EQ(data, LevelData{});
}

TEST(ReadLenientNumber, FollowsTheLenientRules) {
    const std::pair<const char*, double> cases[] = {
        {"-15  ", -15}, {"1 2  ", 12}, {"ab   ", 0},  {"1E9  ", 1}, {"  7", 7},
        {"7x", 7},      {".-5", 0},    {"12", 12},    {"1.5", 1.5}, {"1.2.3", 1.2},
        {"&H10", 0},    {"+5", 5},     {"- 15", -15}, {"", 0},      {"12-3", 12},
        {"--5", 0},     {".", 0},      {"\t5", 0},    {"0x1F", 0},  {"99999", 99999},
    };
    for (const auto& [text, value] : cases) {
        SCOPED_TRACE(text);
        EXPECT_DOUBLE_EQ(readLenientNumber(text), value);
    }
}

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {{0.5, 0},   {1.5, 2},  {2.5, 2},  {-0.5, 0},
                                               {-1.5, -2}, {2.49, 2}, {2.51, 3}, {7, 7}};
    for (const auto& [in, out] : cases) {
        SCOPED_TRACE(in);
        EXPECT_EQ(roundHalfEven(in), out);
    }
}

TEST(FormatCoordinate, FillsFiveCharactersOrRefuses) {
    const std::pair<float, const char*> cases[] = {
        {0, "0    "},     {645, "645  "},   {1470, "1470 "}, {10710, "10710"}, {-1140, "-1140"},
        {-15, "-15  "},   {-0.4f, "0    "}, {2.5f, "2    "}, {3.5f, "4    "},  {99999, "99999"},
        {-9999, "-9999"}, {100000, ""},     {-10000, ""},    {99999.6f, ""},
    };
    for (const auto& [value, field] : cases) {
        SCOPED_TRACE(value);
        EXPECT_EQ(formatCoordinate(value), field);
    }
}

TEST(WriteLevelText, WritesThePositionalFormat) {
    LevelData data{.height = 9, .floor = 1};
    EXPECT_EQ(writeLevelText(data).text, "9 ;1;;;;");

    data.height = 13;
    data.ferlan[0] = {"klpp", 180, 4470};
    data.ferlan[1] = {"grum", 5715, 11010};
    data.ferlan[3] = {"glmm", 0, 1000};  // a gap: written after slot 2 all the same
    data.kugel[0] = {"up", 645, 7095};
    data.transformator[0] = {"an", 3075.5f, 10710};
    EXPECT_EQ(writeLevelText(data).text,
              "13;1;klpp180  4470 ,grum5715 11010,glmm0    1000 ,;up645  7095 ,;an3076 10710,;");
}

TEST(WriteLevelText, RefusesWhatWouldCorruptTheText) {
    // The level's height and floor, its one ball, and the error.
    const std::tuple<const char*, int, int, LevelEntry, WriteError> cases[] = {
        {"height 8", 8, 3, {}, WriteError::HeightOutOfRange},
        {"height 24", 24, 3, {}, WriteError::HeightOutOfRange},
        {"no floor", 12, 0, {}, WriteError::FloorOutOfRange},
        {"bad code", 12, 3, {"pm", 0, 0}, WriteError::InvalidCode},
        {"x too far left", 12, 3, {"pp", -10000, 0}, WriteError::CoordinateOutOfRange},
        {"y too far down", 12, 3, {"pp", 0, 100000}, WriteError::CoordinateOutOfRange},
    };
    for (const auto& [why, height, floor, ball, error] : cases) {
        SCOPED_TRACE(why);
        LevelData data{.height = static_cast<std::uint8_t>(height),
                       .floor = static_cast<std::uint8_t>(floor)};
        data.kugel[0] = ball;
        const WriteResult result = writeLevelText(data);
        EXPECT_EQ(std::tuple(result.error, result.text), std::tuple(error, ""));
    }
}

TEST(WriteLevelText, RoundTripsThroughTheReaderIncludingNegativePositions) {
    LevelData data{.height = 23, .floor = 4};
    data.ferlan[0] = {"glup", -1140, -15};
    data.ferlan[1] = {"krmm", 6015, 21000};
    data.kugel[0] = {"um", -9999, 99999};
    data.kugel[1] = {"pp", 0, 0};
    data.transformator[0] = {"ap", 2880, 975};
    LevelData back;
    // A refused write leaves the text empty, which reads as no level.
    ASSERT_TRUE(readLevelText(writeLevelText(data).text + std::string(kLevelFileLineEnd), back));
    EXPECT_EQ(back, data);
}

// `count` elements at distinct places, of the two codes by turns.
SlotArray filled(ElementKind kind, const std::array<std::string, 2>& codes, int count) {
    SlotArray slots(traits(kind));
    for (int i = 0; i < count; ++i) {
        layOut(slots.kind(), *slots.add(), {codes.at(i % 2), 100.0f * i, 50.0f * i});
    }
    return slots;
}

TEST(SlotArray, RemovalClosesTheGapAtBothEndsForEveryKind) {
    // The two codes to fill with by turns, and slot 2's size after a never-used slot moved down
    // into it: its own size but the cropped side of the fresh slot.
    const std::tuple<ElementKind, std::array<std::string, 2>, Twips, Twips> cases[] = {
        {ElementKind::Ferlan, {"grpp", "klum"}, 720, 375},
        {ElementKind::Kugel, {"pp", "um"}, 480, 480},
        {ElementKind::Transformator, {"ap", "an"}, 1215, 960},
    };
    for (const auto& [kind, codes, leftWidth, leftHeight] : cases) {
        SCOPED_TRACE(traits(kind).name);
        const int size = traits(kind).slotCount;
        const SlotArray full = filled(kind, codes, size);
        for (const int n : {1, size}) {
            SlotArray slots = full;
            ASSERT_TRUE(slots.remove(n));
            EXPECT_EQ(slots.used(), size - 1);
            for (int i = 1; i < size; ++i) EXPECT_EQ(slots.at(i), full.at(i < n ? i : i + 1)) << i;
            const Element& last = slots.at(size);
            EXPECT_EQ(last.image.picture, Picture::None);
            EXPECT_FALSE(last.image.Visible || last.discs[0].Visible || last.discs[2].Visible);
        }
        SlotArray two = filled(kind, codes, 2);
        const SlotArray before = two;
        EXPECT_FALSE(two.remove(0) || two.remove(3));
        EXPECT_EQ(two, before);
        ASSERT_TRUE(two.remove(1));
        EXPECT_EQ(std::tuple(two.at(2).image.Width, two.at(2).image.Height),
                  std::tuple(leftWidth, leftHeight));
    }
}

}  // namespace
