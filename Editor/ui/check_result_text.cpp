#include "check_result_text.h"

#include "editor_texts.h"

#include <Spiel/sim/rules.h>
#include <solver/player_model.h>

#include <QLocale>
#include <QStringList>

namespace ferlan::editor {
namespace {

using namespace editor_texts;

// The number and its noun never part at a line break.
QString countOf(int count, const QString& one, const QString& many) {
    return QStringLiteral("%1\u00a0%2").arg(count).arg(count == 1 ? one : many);
}

QString difficultyName(int wins, int attempts) {
    switch (difficultyOf(wins, attempts)) {
        case Difficulty::Easy: return QStringLiteral("leicht");
        case Difficulty::Medium: return QStringLiteral("mittel");
        case Difficulty::Hard: return QStringLiteral("schwer");
        case Difficulty::TooHard: break;
    }
    return QStringLiteral("für die meisten Spieler zu schwer");
}

}  // namespace

QString kindCountsText(const std::array<int, kKindCount>& counts) {
    QStringList parts;
    forEachKind([&](const KindTraits& kind) {
        const int count = counts.at(kindIndex(kind.kind));
        if (count > 0) parts << countOf(count, fromView(kind.screenOne), fromView(kind.screenMany));
    });
    return parts.join(QStringLiteral(", "));
}

QString checkResultText(const LevelCheck& check, const SolveOptions& options, int elements,
                        const OutsideCount& outside) {
    const QLocale german(QLocale::German);
    const SolveResult& solve = check.solve;
    const QString searched = german.toString(static_cast<qlonglong>(solve.statesSearched));
    switch (solve.outcome) {
        case SolveOutcome::Won: break;
        case SolveOutcome::OutOfTime:
            return kNotSolved + "\n" + kOutOfTime.arg(german.toString(options.seconds), searched);
        case SolveOutcome::OutOfStates:
            return kNotSolved + "\n" +
                   kOutOfStates.arg(german.toString(static_cast<qlonglong>(solve.statesKept)),
                                    searched);
        case SolveOutcome::Exhausted:
            return kNotSolved + "\n" +
                   kExhausted.arg(german.toString(static_cast<qlonglong>(options.maxTicks)),
                                  searched);
    }
    const int keyChanges = solve.steps.empty() ? 0 : static_cast<int>(solve.steps.size()) - 1;
    const QString seconds = german.toString(
        static_cast<double>(solve.ticks) / static_cast<double>(kTicksPerSecond), 'f', 2);
    QString text =
        kSolvable + "\n" +
        (keyChanges == 0 ? kWonAtWithoutKeys.arg(static_cast<qlonglong>(solve.ticks)).arg(seconds)
                         : kWonAt.arg(static_cast<qlonglong>(solve.ticks))
                               .arg(seconds)
                               .arg(countOf(keyChanges, QStringLiteral("Tastenwechsel"),
                                            QStringLiteral("Tastenwechseln"))));
    const QString unused = kindCountsText(check.unused);
    // A level without elements has nothing to be on the ball's way or off it.
    if (!unused.isEmpty()) {
        text += "\n" + kUnused.arg(unused);
    } else if (elements > 0) {
        text += "\n" + kAllUsed;
    }
    if (outside.total() > 0) text += "\n" + kOutside.arg(kindCountsText(outside.byKind));
    if (!check.playtest.empty()) {
        const int attempts = static_cast<int>(check.playtest.size());
        const int wins = winsOf(check.playtest);
        text += "\n" + kPlayerWins.arg(wins).arg(attempts).arg(difficultyName(wins, attempts));
    }
    return text;
}

}  // namespace ferlan::editor
