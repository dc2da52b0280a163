#include "credits_roll.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace ferlan {

namespace {

constexpr double kStartTop = -1000;
constexpr double kFallPerStep = 150;
constexpr double kDriftPerStep = 100;
constexpr double kRoleAboveName = 480;
constexpr int kPageCount = 8;

// The colours a line may take: black, white, silver, dark grey.
const std::array<QColor, 4> kCreditColours = {QColor(0, 0, 0), QColor(255, 255, 255),
                                              QColor(192, 192, 192), QColor(64, 64, 64)};

struct Page {
    const char* role;  // nullptr: unchanged
    int name;          // 1 to 3
};

constexpr std::array<Page, kPageCount> kPages = {{
    {"Programmierung:", 1},
    {"Grafik:", 1},
    {"Tester:", 2},
    {nullptr, 3},
    {nullptr, 1},
    {"Leveldesign:", 1},
    {nullptr, 2},
    {nullptr, 3},
}};

}  // namespace

CreditsRoll::CreditsRoll(double windowWidth, double windowHeight, std::function<double()> random)
    : windowWidth_(windowWidth), windowHeight_(windowHeight), random_(std::move(random)) {}

QString CreditsRoll::creditedName(int which) {
    switch (which) {
        case 1: return QStringLiteral("Jonas Wendeler");
        case 2: return QStringLiteral("Mara Quistorp");
        default: return QStringLiteral("Till Brakemeier");
    }
}

void CreditsRoll::start() {
    running_ = true;
    page_ = 1;
    applyPage(0);
    role_.top = name_.top = kStartTop;
    role_.left = name_.left = windowWidth_ / 2 - kLineWidth / 2;
    role_.colour = kCreditColours[0];
    name_.colour = kCreditColours[1];
}

void CreditsRoll::applyPage(int page) {
    const Page& p = kPages[static_cast<std::size_t>(page)];
    if (p.role) role_.text = QString::fromUtf8(p.role);
    name_.text = creditedName(p.name);
}

QColor CreditsRoll::randomColour() {
    const int i = static_cast<int>(std::floor(random_() * kCreditColours.size()));
    return kCreditColours[static_cast<std::size_t>(std::clamp(i, 0, 3))];
}

void CreditsRoll::step(double mouseX) {
    name_.top += kFallPerStep;
    if (name_.left + kLineWidth / 2 > mouseX && name_.left > 0) {
        name_.left -= kDriftPerStep;
        role_.left += kDriftPerStep;
    }
    if (name_.left + kLineWidth / 2 < mouseX && role_.left > 0) {
        name_.left += kDriftPerStep;
        role_.left -= kDriftPerStep;
    }
    role_.top = name_.top - kRoleAboveName;
    if (role_.top >= windowHeight_) {
        applyPage(page_);
        page_ = (page_ + 1) % kPageCount;
        role_.top = name_.top = kStartTop;
        role_.colour = randomColour();
        name_.colour = randomColour();
    }
}

}  // namespace ferlan
