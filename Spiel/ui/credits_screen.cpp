#include "credits_screen.h"

#include "scene_view.h"

#include <utility>

namespace ferlan {

CreditsScreen::CreditsScreen(QObject* owner, double windowWidth, double windowHeight,
                             std::function<double()> random)
    : roll_(windowWidth, windowHeight, std::move(random)),
      role_(new SceneItem(owner, QStringLiteral("Credits1"), SceneItem::Kind::CreditsLine,
                          {0, -1000, CreditsRoll::kLineWidth, CreditsRoll::kLineHeight})),
      name_(new SceneItem(owner, QStringLiteral("Credits2"), SceneItem::Kind::CreditsLine,
                          {0, -1000, CreditsRoll::kLineWidth, CreditsRoll::kLineHeight})) {}

void CreditsScreen::start() {
    roll_.start();
    role_->setVisible(true);
    name_->setVisible(true);
    syncLines();
}

void CreditsScreen::stop() {
    roll_.stop();
    role_->setVisible(false);
    name_->setVisible(false);
}

void CreditsScreen::step() {
    if (!roll_.running()) return;
    roll_.step(mouseX_);
    syncLines();
}

void CreditsScreen::syncLines() {
    const CreditsRoll::Line* lines[2] = {&roll_.roleLine(), &roll_.nameLine()};
    SceneItem* items[2] = {role_, name_};
    for (int n = 0; n < 2; ++n) {
        items[n]->setRect(
            {lines[n]->left, lines[n]->top, CreditsRoll::kLineWidth, CreditsRoll::kLineHeight});
        items[n]->setText(lines[n]->text);
        items[n]->setColour(lines[n]->colour);
    }
}

SceneItem* CreditsScreen::lineAt(QPointF twips) const {
    // The name line lies over the role line where they meet.
    if (name_->contains(twips)) return name_;
    return role_->contains(twips) ? role_ : nullptr;
}

void CreditsScreen::pointerMoved(QPointF twips, const SceneItem* under) {
    const bool reports =
        under == nullptr || under == role_ || under->kind() == SceneItem::Kind::Picture;
    if (reports) mouseX_ = twips.x();
}

void CreditsScreen::paint(QPainter& painter, const SceneView& view) const {
    for (const SceneItem* line : {role_, name_}) {
        if (line->visible()) drawLabel(painter, view, *line);
    }
}

}  // namespace ferlan
