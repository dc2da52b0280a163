// The title screen and the level list: the four title labels, the 30 level
// labels with "zurück", and the cover picture behind the list and the credits
// roll. Holds their places, shows and hides them, highlights the label under
// the mouse and tells which one a point hits; what a click does is the
// window's.
#pragma once

#include "scene_item.h"

#include <leveldata/builtin_levels.h>

#include <QString>

#include <array>
#include <functional>

class QPainter;

namespace ferlan {

class SceneView;

class TitleScreen {
public:
    enum class Title { Spielstarten, Levelladen, Credits, Beenden };

    // The items are children of `owner`, found there by their object names.
    explicit TitleScreen(QObject* owner);
    // The items belong to the owner; a copy would share them.
    TitleScreen(const TitleScreen&) = delete;
    TitleScreen& operator=(const TitleScreen&) = delete;

    // cppcheck takes the arrays' pointer elements for integers.
    // cppcheck-suppress CastIntegerToAddressAtReturn
    SceneItem* title(Title which) const { return titles_[static_cast<std::size_t>(which)]; }
    // cppcheck-suppress CastIntegerToAddressAtReturn
    SceneItem* level(int index) const { return levels_[static_cast<std::size_t>(index)]; }
    SceneItem* zurueck() const { return zurueck_; }
    SceneItem* cover() const { return cover_; }
    // Returns the title label `which` stands for, if `item` is one.
    bool isTitle(const SceneItem* item, Title* which) const;

    void setTitleVisible(bool visible);
    // Labels 0 to unlocked - 1 shown, the others hidden.
    void syncLevels(int unlocked);
    // The list over the title: cover and "zurück" shown, the title hidden.
    void showList(int unlocked);
    // Back from the list: labels, cover and "zurück" hidden, the title shown.
    void showTitle(int unlocked);

    // The label, or the cover, under a point in window twips.
    SceneItem* itemAt(QPointF twips) const;
    // The mouse is over `under` (null: the window's background). True when a
    // colour changed.
    bool highlight(SceneItem* under);

    // The shown label in the highlight colour: the one the keys act on.
    SceneItem* marked() const;
    // The keys' moves of the mark. Up and Down stop at the ends; Tab and
    // Shift+Tab (Next, Previous) go round the title labels. On the list the
    // mark moves as the labels stand, in columns of ten with "zurück" below
    // the middle one; a key without a mark shown brings it back on
    // "Spiel starten" or the highest level offered.
    enum class Step { Up, Down, Left, Right, Next, Previous };
    // True when a colour changed.
    bool moveMark(Step step);

    // The best time written under level label `index` ("" for none). It
    // stands under the label's writing, clear of every other label, and
    // never across the cover's edge.
    void setBestTime(int index, const QString& text);
    const QString& bestTime(int index) const {
        return bestTimes_.at(static_cast<std::size_t>(index));
    }
    QRectF bestTimeRect(int index) const {
        return bestTimeRects_.at(static_cast<std::size_t>(index));
    }

    // Paints the cover and the shown labels; `hidden` tells a box that the
    // field or the panel covers in what is being painted.
    void paint(QPainter& painter, const SceneView& view,
               const std::function<bool(const QRectF&)>& hidden) const;

private:
    SceneItem* stepOnList(SceneItem* from, Step step) const;
    int offered() const;
    // The first of the places under a label that no other label and no edge
    // of the cover crosses.
    QRectF placeBestTime(const SceneItem& label) const;

    std::array<SceneItem*, 4> titles_{};
    std::array<SceneItem*, kBuiltinLevelCount> levels_{};
    SceneItem* zurueck_ = nullptr;
    SceneItem* cover_ = nullptr;
    std::array<QString, kBuiltinLevelCount> bestTimes_;
    std::array<QRectF, kBuiltinLevelCount> bestTimeRects_;
};

}  // namespace ferlan
