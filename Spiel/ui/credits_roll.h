// The credits roll: a role line and a name line fall down the window page by
// page, the name line drifting toward the mouse and the role line away.
#pragma once

#include <QColor>
#include <QString>

#include <functional>

namespace ferlan {

class CreditsRoll {
public:
    struct Line {
        QString text;
        QColor colour;
        double left = 0;
        double top = 0;
    };

    static constexpr double kLineWidth = 3255;
    static constexpr double kLineHeight = 615;
    // Steps per second: slow enough that a person reads each page.
    static constexpr int kStepsPerSecond = 24;

    // `random` returns a uniform number in [0, 1) for the colour choice.
    CreditsRoll(double windowWidth, double windowHeight, std::function<double()> random);

    void start();
    void stop() { running_ = false; }
    // One step of the fall; `mouseX` in window twips.
    void step(double mouseX);

    bool running() const { return running_; }
    int page() const { return page_; }
    const Line& roleLine() const { return role_; }
    const Line& nameLine() const { return name_; }

    static QString creditedName(int which);  // 1 to 3

private:
    void applyPage(int page);
    QColor randomColour();

    double windowWidth_;
    double windowHeight_;
    std::function<double()> random_;
    bool running_ = false;
    int page_ = 0;
    Line role_;
    Line name_;
};

}  // namespace ferlan
