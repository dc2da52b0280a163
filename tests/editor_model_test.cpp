#include <Editor/model/edit_history.h>
#include <Editor/model/editor_model.h>
#include <Editor/model/level_check.h>
#include <leveldata/builtin_levels.h>
#include <leveldata/level_text.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace ferlan;
using namespace ferlan::editor;

namespace {

constexpr Twips V = kDesignClientHeight;

// A fresh slot is 1215 x 375: centred at Left 3367.5 - 607.5, Top 4335 - 187.5.
constexpr Twips kFreshLeft = 2760;
constexpr Twips kFreshTop = 4147.5f;

struct DiscSpot {
    Twips diameter, left, top;
};

void expectDiscs(const EditorModel& m, int n, const DiscSpot (&spots)[3]) {
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(testing::Message() << "disc " << k);
        const FieldObject& d = m.document().element(ElementKind::Ferlan, n).discs.at(k);
        const DiscSpot& s = spots[k];
        EXPECT_EQ(std::tuple(d.Width, d.Height, d.Left, d.Top, d.Visible),
                  std::tuple(s.diameter, s.diameter, s.left, s.top, true));
    }
}

// Moves the element in slot n so that its top left corner lands at (x, y).
void moveTo(EditorModel& m, ElementKind kind, int n, Twips x, Twips y) {
    m.grab(kind, n, 0, 0);
    const int tile = 0;
    ASSERT_TRUE(m.dropOnTile(tile, x, y));
}

void deleteSlot(EditorModel& m, ElementKind kind, int n) {
    m.select(kind, n);
    m.deleteSelected();
}

LevelData read(const std::string& text) {
    LevelData data;
    EXPECT_TRUE(readLevelText(text, data)) << text;
    return data;
}

TEST(EditorModel, InsertCentresInTheWindowOrKeepsTheDistanceToTheLowerEdge) {
    // The level's height and scroll, the window's height, and the top the new element gets.
    const std::tuple<const char*, int, int, Twips, Twips> cases[] = {
        {"unscrolled", 9, 0, V, kFreshTop},
        {"lower edge 8700 still below V - 100", 9, -1, V, kFreshTop + 75},
        {"lower edge 8550 is in view", 9, -3, V, 8775 - kFreshTop},
        {"tall level scrolled to its end", 23, -200, V, 22425 - kFreshTop},
        {"a taller window shows the lower edge", 9, 0, 9000, 8775 - (4500 - 187.5f)},
        {"lower edge exactly 100 above the window's", 9, 0, 8875, 8775 - (4437.5f - 187.5f)},
    };
    for (const auto& [why, height, scroll, windowHeight, top] : cases) {
        SCOPED_TRACE(why);
        EditorModel m;
        m.setHeight(height);
        m.setScroll(scroll);
        ASSERT_TRUE(m.insertFerlan({}, windowHeight).inserted);
        const Image& pole = m.document().slot(ElementKind::Ferlan, 1);
        EXPECT_EQ(std::tuple(pole.Left, pole.Top), std::tuple(kFreshLeft, top));
    }
}

TEST(EditorModel, InsertPositionsFromTheSizeTheSlotHadBefore) {
    EditorModel m;
    // Polariser slots start 1215 x 495, the others 1215 x 375.
    m.insertTransformator(TransformatorEffect::Plus, V);
    EXPECT_EQ(m.document().slot(ElementKind::Transformator, 1).Width, 600) << "cropped to its pipe";
    EXPECT_EQ(m.document().slot(ElementKind::Transformator, 1).Left, kFreshLeft);
    EXPECT_EQ(m.document().slot(ElementKind::Transformator, 1).Top, 4335 - 247.5f);
    m.insertKugel({}, V);
    EXPECT_EQ(m.document().slot(ElementKind::Kugel, 1).Left, kFreshLeft);
    EXPECT_EQ(m.document().slot(ElementKind::Kugel, 1).Top, kFreshTop);

    // A freed slot keeps the size it was left with: deleting the only pole
    // block pulls in slot 2's height (375) under slot 1's own width (720).
    m.insertFerlan({}, V);
    deleteSlot(m, ElementKind::Ferlan, 1);
    m.insertFerlan({}, V);
    EXPECT_EQ(m.document().slot(ElementKind::Ferlan, 1).Left, 3367.5f - 360);
    EXPECT_EQ(m.document().slot(ElementKind::Ferlan, 1).Top, kFreshTop);
}

TEST(EditorModel, FerlanLookAndDiscsForEverySizeAndSide) {
    struct Case {
        FerlanOptions options;
        const char* picture;
        Twips width, height;
        DiscSpot discs[3];
    };
    const Twips L = kFreshLeft, T = kFreshTop;
    const Case cases[] = {
        {{.gross = false, .rechts = true},
         "krp",
         720,
         240,
         {{3735, L - 1800, T - 1800}, {2535, L - 1200, T - 1200}, {1335, L - 600, T - 600}}},
        // A left-wall pole acts from its right end.
        {{.gross = false, .rechts = false},
         "klp",
         720,
         240,
         {{3735, L + 720 - 1800, T - 1800},
          {2535, L + 720 - 1200, T - 1200},
          {1335, L + 720 - 600, T - 600}}},
        {{.gross = true, .rechts = false},
         "glp",
         960,
         360,
         {{4575, L - 1320, T - 2040},
          {3255, L + 960 - 1560, T - 1440},
          {1575, L + 960 - 720, T - 600}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.picture);
        EditorModel m;
        m.insertFerlan(c.options, V);
        const Image& rod = m.document().slot(ElementKind::Ferlan, 1);
        EXPECT_EQ(std::tuple(pictureName(rod.picture), rod.Width, rod.Height),
                  std::tuple(c.picture, c.width, c.height));
        expectDiscs(m, 1, c.discs);

        // Dragged elsewhere, the discs keep their offsets from the rod.
        m.grab(ElementKind::Ferlan, 1, 10, 5);
        ASSERT_FALSE(m.dropOnTile(kTileCount, 110, 205)) << "past the last tile";
        ASSERT_TRUE(m.dropOnTile(20, 110, 205));  // tile 20: Left 5760, Top 1920
        const Twips dx = 5760 + 100 - L, dy = 1920 + 200 - T;
        EXPECT_EQ(std::tuple(rod.Left, rod.Top), std::tuple(L + dx, T + dy));
        DiscSpot moved[3];
        for (int k = 0; k < 3; ++k)
            moved[k] = {c.discs[k].diameter, c.discs[k].left + dx, c.discs[k].top + dy};
        expectDiscs(m, 1, moved);
    }
}

TEST(EditorModel, FullArraysRefuseWithTheirMessageAndChangeNothing) {
    const struct {
        ElementKind kind;
        int limit;
        std::string_view message;
    } cases[] = {
        {ElementKind::Ferlan, 25, "Es können keine Ferlanen mehr eingefügt werden."},
        {ElementKind::Kugel, 10, "Es können keine Kugeln mehr eingefügt werden."},
        {ElementKind::Transformator, 5, "Es können keine Transformatoren mehr eingefügt werden."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(traits(c.kind).name);
        EditorModel m;
        auto insert = [&] {
            switch (c.kind) {
                case ElementKind::Ferlan: return m.insertFerlan({}, V);
                case ElementKind::Kugel: return m.insertKugel({}, V);
                default: return m.insertTransformator(TransformatorEffect::Neutral, V);
            }
        };
        for (int i = 1; i <= c.limit; ++i) {
            const InsertResult r = insert();
            ASSERT_EQ(std::pair(r.inserted, r.slot), std::pair(true, i));
        }
        EXPECT_EQ(m.document().slotsOf(c.kind).used(), c.limit);
        const EditorModel before = m;
        const InsertResult refused = insert();
        EXPECT_EQ(std::pair(refused.inserted, refused.message), std::pair(false, c.message));
        EXPECT_TRUE(m == before);
        // A delete frees the top slot for the next insert.
        deleteSlot(m, c.kind, 1);
        EXPECT_EQ(insert().slot, c.limit);
    }
}

TEST(EditorModel, HeightAndScrollStayWithinTheirBars) {
    EditorModel m;
    EXPECT_TRUE(m.setFloor(4) && !m.setFloor(4) && !m.setFloor(0) && !m.setFloor(5));
    m.setHeight(10);
    EXPECT_EQ(m.document().pipes()[4].top, 8775);
    const struct { int asked, height; } heights[] = {{8, 9}, {24, 23}, {23, 23}, {-5, 9}, {13, 13}};
    for (const auto& h : heights) {
        m.setHeight(h.asked);
        EXPECT_EQ(m.document().height(), h.height) << h.asked;
        EXPECT_EQ(m.document().previewHeight(), h.height * 975.f);
    }
    const std::tuple<int, int, Twips> scrolls[] = {
        {-200, -200, -15000}, {-201, -200, -15000}, {1, 0, 0}, {-7, -7, -525}};
    for (const auto& [asked, value, top] : scrolls) {
        m.setScroll(asked);
        EXPECT_EQ(m.view().scroll, value) << asked;
        EXPECT_EQ(m.view().previewTop(), top) << asked;
    }
}

TEST(EditorModel, LevelTextNamesEveryCodeFamily) {
    const char* const poles[] = {"grpp", "klmm", "krup", "glum"};
    for (const std::string code : poles) {
        SCOPED_TRACE(code);
        EditorModel m;
        m.setFloor(3);
        m.insertFerlan({.gross = code[0] == 'g',
                        .rechts = code[1] == 'r',
                        .plus = code[3] == 'p',
                        .sichtbar = code[2] != 'u'},
                       V);
        moveTo(m, ElementKind::Ferlan, 1, 180, 4470);
        EXPECT_EQ(m.document().levelText().text, "9 ;3;" + code + "180  4470 ,;;;");
    }
    const std::pair<KugelOptions, const char*> balls[] = {
        {{true, true}, "pp"}, {{false, true}, "mm"}, {{true, false}, "up"}, {{false, false}, "um"}};
    for (const auto& [options, code] : balls) {
        SCOPED_TRACE(code);
        EditorModel m;
        m.setFloor(1);
        m.setHeight(13);
        m.insertKugel(options, V);
        moveTo(m, ElementKind::Kugel, 1, 645, 11010);
        EXPECT_EQ(m.document().levelText().text, std::string("13;1;;") + code + "645  11010,;;");
    }
    EditorModel m;
    m.setFloor(4);
    m.insertTransformator(TransformatorEffect::Minus, V);
    EXPECT_EQ(m.document().levelText().text, "9 ;4;;;am2760 4088 ,;")
        << "4087.5 rounds to the even 4088";
}

TEST(EditorModel, LevelTextNeedsAFloorAndCoordinatesThatFit) {
    EditorModel m;
    EXPECT_EQ(m.document().levelText().status, LevelTextStatus::NoFloor);
    m.setFloor(1);
    const LevelTextResult empty = m.document().levelText();
    EXPECT_EQ(std::tuple(empty.status, empty.text), std::tuple(LevelTextStatus::Ok, "9 ;1;;;;"));

    LevelData far = read("9 ;1;;pp0    0    ,;;  ");
    far.kugel[0].x = 100000;
    m.load(far);
    EXPECT_EQ(std::tuple(m.document().levelText().status, m.document().levelText().text),
              std::tuple(LevelTextStatus::CoordinateOutOfRange, ""));

    // A negative position keeps its sign and comes back in place.
    m.insertFerlan({}, V);
    moveTo(m, ElementKind::Ferlan, 1, -450, -15);
    deleteSlot(m, ElementKind::Kugel, 1);
    EXPECT_EQ(m.document().levelText().text, "9 ;1;krpp-450 -15  ,;;;");
}

TEST(EditorModel, LoadReplacesAFullerLevel) {
    EditorModel m;
    m.setHeight(20);
    m.setFloor(4);
    m.setScroll(-50);
    for (int i = 0; i < 20; ++i) m.insertFerlan({.gross = true, .plus = false}, V);
    for (int i = 0; i < 10; ++i) m.insertKugel({}, V);
    for (int i = 0; i < 5; ++i) m.insertTransformator(TransformatorEffect::Plus, V);
    m.select(ElementKind::Kugel, 1);
    m.grab(ElementKind::Ferlan, 1, 0, 0);
    m.load(read("13;2;glup1470 3570 ,grum5715 4965 ,krmm100  200  ,;;am3075 10710,;\r\n"));
    EXPECT_EQ(std::tuple(m.document().height(), m.document().floor(), m.view().scroll,
                         m.view().previewTop(), m.view().selected, m.view().grabbed),
              std::tuple(13, 2, 0, 0, SlotRef{}, SlotRef{}));
    EXPECT_EQ(m.document().elementCount(), 4);  // the text below names which
    for (int n = 1; n <= 25; ++n) {
        const Element& e = m.document().element(ElementKind::Ferlan, n);
        EXPECT_EQ(e.image.Visible && e.discs[2].Visible, n <= 3) << n;
    }

    const Image& grumRod = m.document().slot(ElementKind::Ferlan, 2);
    EXPECT_EQ(std::tuple(grumRod.picture, grumRod.Height), std::tuple(Picture::gru, 360));
    const DiscSpot grum[3] = {{4575, 5715 - 2280, 4965 - 2040},
                              {3255, 5715 - 1560, 4965 - 1440},
                              {1575, 5715 - 720, 4965 - 600}};
    expectDiscs(m, 2, grum);
    EXPECT_EQ(m.document().levelText().text,
              "13;2;glup1470 3570 ,grum5715 4965 ,krmm100  200  ,;;am3075 10710,;");
}

TEST(EditorModel, NewLevelEmptiesEverything) {
    EditorModel m;
    m.setHeight(20);
    m.setFloor(2);
    m.setScroll(-30);
    for (int i = 0; i < 25; ++i) m.insertFerlan({}, V);
    m.insertKugel({}, V);
    m.newLevel();
    EXPECT_EQ(std::tuple(m.document().height(), m.view().previewTop()), std::tuple(9, 0));
    EXPECT_EQ(m.document().elementCount(), 0);
    EXPECT_EQ(m.document().levelText().status, LevelTextStatus::NoFloor);
}

TEST(EditorModel, EveryBuiltinLevelRoundTrips) {
    for (int i = 0; i < kBuiltinLevelCount; ++i) {
        SCOPED_TRACE(i + 1);
        const std::string text(*builtinLevelText(i));
        EditorModel m;
        m.load(read(text));
        const LevelTextResult out = m.document().levelText();
        ASSERT_EQ(out.status, LevelTextStatus::Ok);
        EXPECT_EQ(out.text + "  ", text);
    }
}

TEST(EditorModel, ElementsOutsideThePreviewAreCountedFromTheirFirstTwipBeyondEachEdge) {
    const Twips bottomEdge = 13 * kRowHeight;
    const struct {
        ElementKind kind;
        const char *code, *before, *after;  // the level text's fields around its own
    } kinds[] = {{ElementKind::Ferlan, "grpp", "", ";;;"},
                 {ElementKind::Kugel, "up", ";", ";;"},
                 {ElementKind::Transformator, "an", ";;", ";"}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.code);
        const auto documentWith = [&](Twips x, Twips y) {
            char field[32];
            std::snprintf(field, sizeof field, "%s%-5d%-5d,", kind.code, static_cast<int>(x),
                          static_cast<int>(y));
            LevelDocument document;
            document.load(read(std::string("13;1;") + kind.before + field + kind.after + "\r\n"));
            return document;
        };
        // Where the text's coordinates put the picture, and how large it is.
        const Image placed = documentWith(3000, 3000).element(kind.kind, 1).image;
        const std::tuple<Twips, Twips, bool> cases[] = {
            {kPreviewWidth - 1, 3000, false}, {kPreviewWidth, 3000, true},
            {3000, bottomEdge - 1, false},    {3000, bottomEdge, true},
            {1 - placed.Width, 3000, false},  {-placed.Width, 3000, true},
            {3000, 1 - placed.Height, false}, {3000, -placed.Height, true}};
        for (const auto& [left, top, isOutside] : cases) {
            SCOPED_TRACE(testing::Message() << left << " " << top);
            const OutsideCount outside =
                documentWith(left - placed.Left + 3000, top - placed.Top + 3000).elementsOutside();
            const int expected = isOutside ? 1 : 0;
            EXPECT_EQ(std::tuple(outside.byKind.at(kindIndex(kind.kind)), outside.total()),
                      std::tuple(expected, expected));
        }
    }
}

TEST(EditorModel, HitTestFindsTheTopmostObjectAndIgnoresDiscs) {
    EditorModel m;
    m.insertFerlan({}, V);
    m.insertKugel({}, V);
    m.insertTransformator(TransformatorEffect::Plus, V);
    m.insertFerlan({}, V);
    // All four lie at Left 2760; the polariser spans Top 4087.5 to 5047.5.
    const Hit top = m.document().hitTest(2800, 4200);
    EXPECT_EQ(std::tuple(top.target, top.kind),
              std::tuple(Hit::Target::Element, ElementKind::Transformator));

    moveTo(m, ElementKind::Transformator, 1, 0, 3000);
    EXPECT_EQ(m.document().hitTest(2800, 4200).kind, ElementKind::Kugel);
    moveTo(m, ElementKind::Kugel, 1, 0, 6000);
    const Hit pole = m.document().hitTest(2800, 4200);
    EXPECT_EQ(std::tuple(pole.kind, pole.index), std::tuple(ElementKind::Ferlan, 2))
        << "a higher slot lies above a lower one";

    // Inside a disc but outside every element: the tile beneath, the later where two overlap.
    const Hit disc = m.document().hitTest(2890, 3850);
    EXPECT_EQ(std::tuple(disc.target, disc.index), std::tuple(Hit::Target::Tile, 3 + 4 * 7));

    EXPECT_EQ(m.document().hitTest(2900, 100).target, Hit::Target::Pipe);   // Ende
    EXPECT_EQ(m.document().hitTest(6000, 7900).target, Hit::Target::Pipe);  // entry row
    EXPECT_EQ(m.document().hitTest(-1, 100).target, Hit::Target::Nothing);

    // The first twip right of an element or the top pipes hits the tile below; of the preview, nothing.
    const Twips rodRight = m.document().slot(ElementKind::Ferlan, 2).right();
    EXPECT_EQ(m.document().hitTest(rodRight - 1, 4200).kind, ElementKind::Ferlan);
    EXPECT_EQ(m.document().hitTest(rodRight, 4200).target, Hit::Target::Tile);
    const Twips rodBottom = m.document().slot(ElementKind::Ferlan, 2).bottom();
    EXPECT_EQ(m.document().hitTest(2800, rodBottom - 1).kind, ElementKind::Ferlan);
    EXPECT_EQ(m.document().hitTest(2800, rodBottom).target, Hit::Target::Tile);
    EXPECT_EQ(m.document().hitTest(3839, 100).target, Hit::Target::Pipe);
    EXPECT_EQ(m.document().hitTest(3840, 100).target, Hit::Target::Tile);
    moveTo(m, ElementKind::Ferlan, 2, kPreviewWidth - 100, 0);
    EXPECT_EQ(m.document().hitTest(kPreviewWidth - 1, 100).target, Hit::Target::Element);
    EXPECT_EQ(m.document().hitTest(kPreviewWidth, 100).target, Hit::Target::Nothing);
}

TEST(EditorModel, RestoringALevelKeepsTheViewButLetsGoOfEmptiedSlots) {
    for (const ElementKind kind :
         {ElementKind::Ferlan, ElementKind::Kugel, ElementKind::Transformator}) {
        SCOPED_TRACE(traits(kind).name);
        EditorModel m;
        const auto insert = [&] {
            switch (kind) {
                case ElementKind::Ferlan: m.insertFerlan({}, V); break;
                case ElementKind::Kugel: m.insertKugel({}, V); break;
                default: m.insertTransformator(TransformatorEffect::Plus, V); break;
            }
        };
        for (int i = 0; i < 2; ++i) insert();
        EditHistory history(m.document());
        insert();
        ASSERT_TRUE(history.record(EditStep::Move, m.document()));
        m.setScroll(-40);
        m.setDirectHelp(true);
        // The view is no part of the level: no step to record.
        m.select(kind, 3);
        m.grab(kind, 3, 7, 8);
        EXPECT_FALSE(history.record(EditStep::Move, m.document()));

        // Slot 3 holds no element after the undo, slot 2 still does after the redo.
        ASSERT_TRUE(history.undo());
        m.restore(history.current());
        EXPECT_EQ(m.document().slotsOf(kind).used(), 2);
        EXPECT_EQ(
            std::tuple(m.view().selected, m.view().grabbed, m.view().scroll, m.view().directHelp),
            std::tuple(SlotRef{}, SlotRef{}, -40, true));
        EXPECT_FALSE(m.deleteSelected() || m.dropOnTile(0, 0, 0));
        EXPECT_EQ(m.document().slotsOf(kind).used(), 2);

        m.select(kind, 2);
        m.grab(kind, 2, 7, 8);
        ASSERT_TRUE(history.redo());
        m.restore(history.current());
        EXPECT_EQ(std::tuple(m.view().selected, m.view().grabbed),
                  std::tuple(SlotRef{kind, 2}, SlotRef{kind, 2}));
        EXPECT_TRUE(m.deleteSelected());
        EXPECT_EQ(m.document().slotsOf(kind).used(), 2);

        // A new start leaves no height step open to join.
        ASSERT_TRUE(m.setHeight(12) && history.record(EditStep::Height, m.document()));
        history.reset(m.document());
        EXPECT_TRUE(m.setHeight(13) && history.record(EditStep::Height, m.document()) &&
                    history.canUndo());
    }
}

}  // namespace

TEST(EditHistory, UndoAndRedoAgreeWithReplayingTheStepsLeft) {
    using Op = std::function<void(EditorModel&)>;
    const ElementKind kinds[] = {ElementKind::Ferlan, ElementKind::Kugel,
                                 ElementKind::Transformator};
    // A step beyond the bound would have a name of its own and never be drawn.
    ASSERT_FALSE(stepName(static_cast<EditStep>(kEditStepCount - 1)).empty());
    ASSERT_TRUE(stepName(static_cast<EditStep>(kEditStepCount)).empty());
    std::vector<int> recordedSteps(kEditStepCount, 0);
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        const auto pick = [&](int low, int high) {
            return std::uniform_int_distribution<int>(low, high)(random);
        };
        EditorModel start;
        start.load(read(std::string(*builtinLevelText(pick(0, 29)))));
        if (seed % 3 == 0) start.newLevel();  // an empty level without a floor
        EditorModel model = start;
        EditHistory history(model.document());
        // The ops of every step, as the history grouped them.
        std::vector<std::vector<Op>> steps;
        std::vector<EditStep> names;
        EditorModel saved = start;
        const auto replay = [&](std::size_t count) {
            EditorModel m = start;
            for (std::size_t i = 0; i < count; ++i)
                for (const Op& op : steps[i]) op(m);
            return m;
        };

        bool heightOpen = false;  // a height change may join the step before it
        for (int action = 0; action < 60; ++action) {
            const int what = pick(0, 9);
            if (what == 2 || (what == 0 && history.canUndo()) || (what == 1 && history.canRedo()))
                heightOpen = false;
            if (what == 0) {
                if (history.undo()) model.restore(history.current());
            } else if (what == 1) {
                if (history.redo()) model.restore(history.current());
            } else if (what == 2) {
                history.markSaved();
                saved = model;
            } else {
                const ElementKind kind = kinds[pick(0, 2)];
                const int slot = pick(1, model.document().slotsOf(kind).used() + 1);
                const int scroll = pick(-200, 0);
                const auto window = static_cast<Twips>(pick(3000, 12000));
                const auto x = static_cast<Twips>(pick(0, 900));
                const auto y = static_cast<Twips>(pick(0, 900));
                const int tile = pick(0, kTileCount - 1);
                const int r = pick(0, 1023);  // options, effect, floor, height
                const auto step = static_cast<EditStep>(pick(0, kEditStepCount - 1));
                const Op op = [=](EditorModel& m) {
                    m.setScroll(scroll);
                    const auto bit = [r](int i) { return (r >> i & 1) == 1; };
                    switch (step) {
                        case EditStep::InsertFerlan:
                            m.insertFerlan({bit(0), bit(1), bit(2), bit(3)}, window);
                            break;
                        case EditStep::InsertKugel: m.insertKugel({bit(0), bit(1)}, window); break;
                        case EditStep::InsertTransformator:
                            m.insertTransformator(static_cast<TransformatorEffect>(r % 3), window);
                            break;
                        case EditStep::Move:
                            m.grab(kind, slot, x / 2, y / 3);
                            m.dropOnTile(tile, x, y);
                            break;
                        case EditStep::Delete:
                            m.select(kind, slot);
                            m.deleteSelected();
                            break;
                        case EditStep::Floor: m.setFloor(1 + r % 4); break;
                        case EditStep::Height: m.setHeight(kMinHeight + r % 15); break;
                    }
                };
                const std::size_t before = history.position();
                op(model);
                const bool recorded = history.record(step, model.document());
                if (recorded) ++recordedSteps[static_cast<std::size_t>(step)];
                EXPECT_EQ(recorded, !(model.document() == replay(before).document()));
                if (recorded && history.position() == before + 1) {
                    steps.resize(before);
                    names.resize(before);
                    steps.push_back({op});
                    names.push_back(step);
                } else if (recorded) {
                    // Only a height change joins the one before it, and a
                    // join that ends where the step began takes the step away.
                    ASSERT_EQ(step, EditStep::Height);
                    ASSERT_TRUE(heightOpen);
                    ASSERT_EQ(steps.size(), before);
                    steps.back().push_back(op);
                    if (history.position() + 1 == before) {
                        steps.pop_back();
                        names.pop_back();
                    }
                }
                if (recorded) heightOpen = step == EditStep::Height && history.position() >= before;
            }
            ASSERT_TRUE(model.document() == replay(history.position()).document())
                << "after action " << action;
            if (history.canUndo()) {
                EXPECT_EQ(history.undoStep(), names[history.position() - 1]);
                EXPECT_FALSE(replay(history.position() - 1).document() == model.document());
            }
            EXPECT_EQ(history.changed(), !(model.document() == saved.document()));
        }

        const EditorModel last = replay(steps.size());
        while (history.undo()) model.restore(history.current());
        EXPECT_TRUE(model.document() == start.document());
        EXPECT_EQ(model.document().levelText().text, start.document().levelText().text);
        while (history.redo()) model.restore(history.current());
        EXPECT_EQ(history.position(), steps.size());
        EXPECT_TRUE(model.document() == last.document());
        EXPECT_EQ(model.document().levelText().text, last.document().levelText().text);
    }
    for (int step = 0; step < kEditStepCount; ++step) {
        EXPECT_GT(recordedSteps[static_cast<std::size_t>(step)], 0)
            << stepName(static_cast<EditStep>(step)) << " was never recorded";
    }
}

// "Level prüfen" names the attempt its player is at, and "Abbrechen" ends the
// player with the search's own stop: at the look that sees it.
TEST(LevelCheck, ThePlayerCountsItsAttemptsAndHeedsTheSearchsStop) {
    std::atomic<bool> stop{false};
    const SolveOptions options{.stop = &stop, .progress = {}};
    std::vector<int> reported;
    // A built-in text ends in two blanks where a file has its line end.
    const std::string_view level1 = *builtinLevelText(0);
    const auto check =
        checkLevelText(std::string(level1.substr(0, level1.size() - 2)), options, [&](int attempt) {
            reported.push_back(attempt);
            stop = attempt == 2;
        });
    ASSERT_TRUE(check.has_value());
    EXPECT_EQ(check->solve.outcome, SolveOutcome::Won);
    // The exit takes the ball over on the tick after its top crossed the exit pipe's foot.
    const Twips foot = kPipeSize + kBallSize / 2;  // the ball's centre then
    EXPECT_TRUE(check->route.at(check->exitPoint - 2).y >= foot &&
                check->route.at(check->exitPoint - 1).y < foot);
    ASSERT_EQ(check->playtest.size(), 2u);
    EXPECT_EQ(check->playtest[1].decisions, 0);
    ASSERT_GE(reported.size(), 3u);
    EXPECT_EQ(std::tuple(reported.front(), reported.at(1), reported.back()), std::tuple(1, 1, 2));
    EXPECT_TRUE(std::is_sorted(reported.begin(), reported.end()));
}
