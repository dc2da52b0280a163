#include "title_screen.h"

#include "scene_view.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ferlan {

namespace {

constexpr double kLabelHeight = SceneView::kLabelHeight;

const char* const kTitleNames[4] = {"Spielstarten", "Levelladen", "Credits", "Beenden"};
const char* const kTitleTexts[4] = {"Spiel starten", "Level laden", "Credits", "Beenden"};

constexpr double kLevelColumnLefts[3] = {240, 2640, 5040};
constexpr double kLevelRowTops[10] = {120, 840, 1560, 2280, 3000, 3840, 4680, 5520, 6360, 7200};

// A best time in small writing just under the label's own, in the space the
// script's line leaves below it; wide enough for "999,99 s".
constexpr double kBestTimeRise = 75;  // above the label's bottom edge
constexpr double kBestTimeHeight = 165;
constexpr double kBestTimeWidth = 840;
constexpr double kBestTimeIndent = 60;

}  // namespace

TitleScreen::TitleScreen(QObject* owner) {
    for (std::size_t i = 0; i < titles_.size(); ++i) {
        titles_[i] =
            new SceneItem(owner, QString::fromLatin1(kTitleNames[i]), SceneItem::Kind::MenuLabel,
                          {1200, 1440.0 + 960.0 * static_cast<double>(i), 4095, kLabelHeight},
                          QString::fromLatin1(kTitleTexts[i]));
        titles_[i]->setVisible(true);
    }
    for (int i = 0; i < kBuiltinLevelCount; ++i) {
        // "Level 24" is the one caption that needs a wider label in the script font.
        const double width = i == 23 ? 1575 : 1455;
        auto* label =
            new SceneItem(owner, QStringLiteral("Level"), SceneItem::Kind::LevelLabel,
                          {kLevelColumnLefts[i / 10], kLevelRowTops[i % 10], width, kLabelHeight},
                          QStringLiteral("Level %1").arg(i + 1));
        label->setIndex(i);
        levels_[static_cast<std::size_t>(i)] = label;
    }
    zurueck_ = new SceneItem(owner, QStringLiteral("zurück"), SceneItem::Kind::MenuLabel,
                             {2700, 7920, 1335, kLabelHeight}, QStringLiteral("zurück"));
    cover_ = new SceneItem(owner, QStringLiteral("Überdecken"), SceneItem::Kind::Picture,
                           {1200, 1200, 4095, 3975});
    for (std::size_t i = 0; i < levels_.size(); ++i) bestTimeRects_[i] = placeBestTime(*levels_[i]);
}

QRectF TitleScreen::placeBestTime(const SceneItem& label) const {
    const QRectF at = label.rect();
    const double top = at.bottom() - kBestTimeRise;
    const QRectF places[] = {
        {at.left() + kBestTimeIndent, top, kBestTimeWidth, kBestTimeHeight},
        {at.right() - kBestTimeWidth, top, kBestTimeWidth, kBestTimeHeight},
    };
    const QRectF cover = cover_->rect();
    for (const QRectF& place : places) {
        // Across the line of a side edge even where the cover does not reach,
        // so that the times of one column stand on one side.
        const auto across = [&](double x) { return place.left() < x && x < place.right(); };
        const bool acrossEdge = across(cover.left()) || across(cover.right()) ||
                                (place.intersects(cover) && !cover.contains(place));
        const bool onOther =
            place.intersects(zurueck_->rect()) ||
            std::any_of(levels_.begin(), levels_.end(), [&](const SceneItem* other) {
                return other != &label && place.intersects(other->rect());
            });
        if (!acrossEdge && !onOther) return place;
    }
    return places[0];
}

void TitleScreen::setBestTime(int index, const QString& text) {
    bestTimes_.at(static_cast<std::size_t>(index)) = text;
}

bool TitleScreen::isTitle(const SceneItem* item, Title* which) const {
    const auto it = std::find(titles_.begin(), titles_.end(), item);
    if (it == titles_.end()) return false;
    if (which) *which = static_cast<Title>(it - titles_.begin());
    return true;
}

void TitleScreen::setTitleVisible(bool visible) {
    for (SceneItem* label : titles_) label->setVisible(visible);
}

void TitleScreen::syncLevels(int unlocked) {
    for (std::size_t i = 0; i < levels_.size(); ++i)
        levels_[i]->setVisible(static_cast<int>(i) < unlocked);
}

void TitleScreen::showList(int unlocked) {
    syncLevels(unlocked);
    cover_->setVisible(true);
    setTitleVisible(false);
    zurueck_->setVisible(true);
}

void TitleScreen::showTitle(int unlocked) {
    syncLevels(unlocked);
    cover_->setVisible(false);
    setTitleVisible(true);
    zurueck_->setVisible(false);
}

SceneItem* TitleScreen::itemAt(QPointF twips) const {
    for (SceneItem* label : levels_) {
        if (label->contains(twips)) return label;
    }
    if (zurueck_->contains(twips)) return zurueck_;
    for (SceneItem* label : titles_) {
        if (label->contains(twips)) return label;
    }
    return cover_->contains(twips) ? cover_ : nullptr;
}

bool TitleScreen::highlight(SceneItem* under) {
    bool changed = false;
    const auto paint = [&](SceneItem* label, const QColor& colour) {
        if (label->colour() == colour) return;
        label->setColour(colour);
        changed = true;
    };
    const auto grey = [&](SceneItem* label) { paint(label, SceneItem::kRestColour); };
    if (isTitle(under, nullptr)) {
        std::for_each(titles_.begin(), titles_.end(), grey);
    } else if (under && (under->kind() == SceneItem::Kind::LevelLabel || under == zurueck_)) {
        std::for_each(levels_.begin(), levels_.end(), grey);
        grey(zurueck_);
    } else if (under == cover_) {
        std::for_each(levels_.begin(), levels_.end(), grey);
    } else if (!under) {
        std::for_each(titles_.begin(), titles_.end(), grey);
        std::for_each(levels_.begin(), levels_.end(), grey);
        grey(zurueck_);
    }
    if (under && under != cover_) {
        paint(under, SceneItem::kHighlightColour);
    }
    return changed;
}

SceneItem* TitleScreen::marked() const {
    const auto isMarked = [](const SceneItem* label) {
        return label->visible() && label->colour() == SceneItem::kHighlightColour;
    };
    for (SceneItem* label : titles_) {
        if (isMarked(label)) return label;
    }
    for (SceneItem* label : levels_) {
        if (isMarked(label)) return label;
    }
    return isMarked(zurueck_) ? zurueck_ : nullptr;
}

int TitleScreen::offered() const {
    return static_cast<int>(
        std::count_if(levels_.begin(), levels_.end(), [](auto* l) { return l->visible(); }));
}

bool TitleScreen::moveMark(Step step) {
    SceneItem* from = marked();
    SceneItem* to = nullptr;
    if (zurueck_->visible()) {
        to = from ? stepOnList(from, step) : level(std::max(offered(), 1) - 1);
    } else if (titles_[0]->visible()) {
        const int count = static_cast<int>(titles_.size());
        const int at =
            static_cast<int>(std::find(titles_.begin(), titles_.end(), from) - titles_.begin());
        int next = 0;
        switch (step) {
            case Step::Up: next = std::max(at - 1, 0); break;
            case Step::Down: next = std::min(at + 1, count - 1); break;
            case Step::Next: next = (at + 1) % count; break;
            case Step::Previous: next = (at + count - 1) % count; break;
            case Step::Left:
            case Step::Right: next = at; break;
        }
        to = from ? titles_[static_cast<std::size_t>(next)] : titles_[0];
    }
    return to && highlight(to);
}

SceneItem* TitleScreen::stepOnList(SceneItem* from, Step step) const {
    constexpr int kRows = 10;
    const int count = offered();
    if (from == zurueck_) {
        // "zurück" stands below the middle column.
        const bool up = step == Step::Up || step == Step::Previous;
        return up ? level(std::min(2 * kRows - 1, count - 1)) : from;
    }
    const int i = from->index();
    switch (step) {
        case Step::Up:
        case Step::Previous: return i % kRows > 0 ? level(i - 1) : from;
        case Step::Down:
        case Step::Next: return i % kRows < kRows - 1 && i + 1 < count ? level(i + 1) : zurueck_;
        case Step::Left: return i >= kRows ? level(i - kRows) : from;
        case Step::Right:
            // The next column may be shorter: its last label then.
            if (i + kRows < count) return level(i + kRows);
            return (i / kRows + 1) * kRows < count ? level(count - 1) : from;
    }
    return from;
}

void TitleScreen::paint(QPainter& painter, const SceneView& view,
                        const std::function<bool(const QRectF&)>& hidden) const {
    if (cover_->visible() && !hidden(cover_->rect())) {
        view.drawPicture(painter, QStringLiteral("Überdecken"), cover_->rect());
    }
    const auto drawShown = [&](const SceneItem* label) {
        if (label->visible() && !hidden(label->rect())) drawLabel(painter, view, *label);
    };
    std::for_each(titles_.begin(), titles_.end(), drawShown);
    std::for_each(levels_.begin(), levels_.end(), drawShown);
    drawShown(zurueck_);
    bool fontSet = false;
    for (std::size_t i = 0; i < levels_.size(); ++i) {
        const QRectF& place = bestTimeRects_[i];
        if (!levels_[i]->visible() || bestTimes_[i].isEmpty() || hidden(place)) continue;
        if (!fontSet) {
            // Plain writing: the labels' script is unreadable this small.
            QFont small;
            small.setPixelSize(
                std::max(1, static_cast<int>(std::lround(kBestTimeHeight * view.scale()))));
            small.setBold(true);
            painter.setFont(small);
            painter.setPen(SceneItem::kRestColour);
            fontSet = true;
        }
        const bool right = place.right() == levels_[i]->rect().right();
        const Qt::Alignment align = (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
        painter.drawText(view.toWidget(place), static_cast<int>(align.toInt()), bestTimes_[i]);
    }
}

}  // namespace ferlan
