// Mock-ups of the game's screens with the menu labels drawn in place, for
// judging whether the pictures and the label text work together. They are
// not used by the programs.

#include "pictures_drawn.h"

#include <map>

namespace ferlan::art {
namespace {

constexpr qreal kTwip = 1.0 / 15.0;

void label(QPainter& painter, const QFont& font, qreal leftTwips, qreal topTwips,
           const QString& text, const QColor& colour = palette::kMenuText) {
    painter.setPen(colour);
    painter.setFont(font);
    painter.drawText(QRectF(leftTwips * kTwip, topTwips * kTwip, 300, 41),
                     Qt::AlignLeft | Qt::AlignTop, text);
}

}  // namespace

std::vector<Picture> drawMockups(const std::vector<Picture>& pictures) {
    std::map<QString, const QImage*> byName;
    for (const Picture& picture : pictures) {
        byName[picture.name] = &picture.image;
    }
    const QFont menu = packagedFont(kBrushScriptFile, 26);
    const QFont odessa = packagedFont(kFlowingScriptFile, 26);
    std::vector<Picture> mockups;

    QImage title = *byName.at(QStringLiteral("Hintergrund"));
    {
        QPainter painter(&title);
        prepare(painter);
        label(painter, menu, 1200, 1440, QStringLiteral("Spiel starten"), Qt::black);
        label(painter, menu, 1200, 2400, QStringLiteral("Level laden"));
        label(painter, menu, 1200, 3360, QStringLiteral("Credits"));
        label(painter, menu, 1200, 4320, QStringLiteral("Beenden"));
    }
    mockups.push_back({"title", "mock_title.png", title});

    QImage levels = *byName.at(QStringLiteral("Hintergrund"));
    {
        QPainter painter(&levels);
        prepare(painter);
        painter.drawImage(80, 80, *byName.at(QStringLiteral("Überdecken")));
        const int tops[] = {120, 840, 1560, 2280, 3000, 3840, 4680, 5520, 6360, 7200};
        for (int i = 0; i < 30; ++i) {
            const int left = i < 10 ? 240 : i < 20 ? 2640 : 5040;
            label(painter, menu, left, tops[i % 10], QStringLiteral("Level %1").arg(i + 1));
        }
        label(painter, menu, 2700, 7920, QStringLiteral("zurück"));
    }
    mockups.push_back({"levels", "mock_levels.png", levels});

    QImage game = *byName.at(QStringLiteral("Hintergrund"));
    {
        QPainter painter(&game);
        prepare(painter);
        const QImage& floor = *byName.at(QStringLiteral("Boden2"));
        for (int r = 0; r < 9; ++r) {
            for (int c = 0; c < 7; ++c) {
                painter.drawImage(c * 64, r * 64 - 40, floor);
            }
        }
        painter.drawImage(192, 471, *byName.at(QStringLiteral("Anfang")));
        for (int c = 4; c < 7; ++c) {
            painter.drawImage(c * 64, 471, *byName.at(QStringLiteral("Verbindung")));
        }
        painter.drawImage(384, 300, byName.at(QStringLiteral("grp"))->copy(0, 0, 64, 19));
        painter.drawImage(0, 200, byName.at(QStringLiteral("klm"))->copy(0, 0, 48, 11));
        painter.drawImage(250, 120, *byName.at(QStringLiteral("p")));
        painter.drawImage(100, 330, byName.at(QStringLiteral("an"))->copy(0, 0, 40, 64));
        painter.drawImage(208, 380, *byName.at(QStringLiteral("Eisenkugel")));
        label(painter, odessa, 2700, 5600, QStringLiteral("Level 7"), palette::kMenuText);
        painter.drawImage(0, 536, *byName.at(QStringLiteral("Anzeigetafel")));
        label(painter, menu, 1360, 8040 + 30, QStringLiteral(" 7"));
        painter.drawImage(225, 541, *byName.at(QStringLiteral("Plusanzeige")));
        painter.drawImage(389, 540, *byName.at(QStringLiteral("Alarm1")));
    }
    mockups.push_back({"game", "mock_game.png", game});
    return mockups;
}

}  // namespace ferlan::art
