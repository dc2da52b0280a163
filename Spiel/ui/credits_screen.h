// The credits roll on the window: the role line Credits1 and the name line
// Credits2 as the roll places them, and MouseX, the pointer's last place over
// the window, the cover or the role line, which the name line follows.
#pragma once

#include "credits_roll.h"
#include "scene_item.h"

#include <functional>

class QPainter;

namespace ferlan {

class SceneView;

class CreditsScreen {
public:
    // The lines are children of `owner`; `random` gives a uniform number in
    // [0, 1) for the colours.
    CreditsScreen(QObject* owner, double windowWidth, double windowHeight,
                  std::function<double()> random);
    // The lines belong to the owner; a copy would share them.
    CreditsScreen(const CreditsScreen&) = delete;
    CreditsScreen& operator=(const CreditsScreen&) = delete;

    const CreditsRoll& roll() const { return roll_; }
    bool running() const { return roll_.running(); }

    void start();
    void stop();
    void step();

    // The credits line under a point in window twips, or null.
    SceneItem* lineAt(QPointF twips) const;
    bool isLine(const SceneItem* item) const { return item == role_ || item == name_; }
    // The mouse moved to `twips` over `under` (null: the background). Only the
    // background, the cover and the role line report the pointer's place.
    void pointerMoved(QPointF twips, const SceneItem* under);
    double mouseX() const { return mouseX_; }

    void paint(QPainter& painter, const SceneView& view) const;

private:
    void syncLines();

    CreditsRoll roll_;
    SceneItem* role_;
    SceneItem* name_;
    double mouseX_ = 0;
};

}  // namespace ferlan
