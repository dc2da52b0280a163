// "Level prüfen" in the editor against ferlan-tool solve on the same level
// texts: wall-clock seconds from the menu item to the end of the search (where
// the player model begins), and from starting the tool to its exit; then the
// player model's seconds up to the result message; then how long "Abbrechen"
// takes to end the worker, once right after the search begins and once while
// the player model plays. Runs offscreen.
//
//   level_check_benchmark [RUNS] [FIRST LAST]    (defaults 3, levels 1 to 30)
#include <Editor/ui/editor_window.h>
#include <common/prompts.h>
#include <leveldata/builtin_levels.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

class BenchPrompts : public ferlan::Prompts {
public:
    void message(const QString&, const QString&, Icon) override { loop.quit(); }
    bool question(const QString&, const QString&) override { return true; }
    QString openFileName(const QString&) override { return file; }
    QString saveFileName(const QString&, const QString&) override { return {}; }
    QString file;
    QEventLoop loop;
};

// Milliseconds from "Abbrechen" to the worker's end; the player model is let
// play for a while first, so that it is cancelled within an attempt.
double cancelMilliseconds(ferlan::editor::EditorWindow& window, QAction* check, bool inPlayer) {
    check->trigger();
    while (inPlayer && window.checkRunning() && !window.checkPlaytesting())
        QCoreApplication::processEvents();
    if (inPlayer) QThread::msleep(50);
    auto* progress = window.findChild<QDialog*>(QStringLiteral("checkProgress"));
    QElapsedTimer clock;
    clock.start();
    if (progress != nullptr) progress->reject();
    while (window.checkRunning()) QThread::usleep(50);
    const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    while (window.findChild<QDialog*>(QStringLiteral("checkProgress")) != nullptr)
        QCoreApplication::processEvents();
    return elapsed;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    const int first = argc > 3 ? atoi(argv[2]) : 1;
    const int last = argc > 3 ? atoi(argv[3]) : ferlan::kBuiltinLevelCount;
    QTemporaryDir dir;
    BenchPrompts prompts;
    ferlan::editor::EditorWindow window(&prompts);
    auto* check = window.findChild<QAction*>(QStringLiteral("mnucheck"));
    auto* load = window.findChild<QAction*>(QStringLiteral("mnuload"));

    // The search ends where the player model begins: that part is held
    // against ferlan-tool solve, the player model's part is shown beside it.
    QElapsedTimer clock;
    double searched = 0;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (searched == 0 && window.checkPlaytesting())
            searched = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    });
    watch.start();
    std::printf(
        "| Level | search of Level prüfen (s) | ferlan-tool solve (s) | ratio | player model "
        "(s) | Abbrechen in the search (ms) | Abbrechen in the player model (ms) |\n"
        "|---:|---:|---:|---:|---:|---:|---:|\n");
    for (int level = first; level <= last; ++level) {
        const auto text = *ferlan::builtinLevelText(level - 1);
        prompts.file = dir.filePath(QStringLiteral("level%1.lev").arg(level));
        QFile file(prompts.file);
        if (!file.open(QIODevice::WriteOnly)) return 2;
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        load->trigger();
        std::vector<double> editor, tool, player, cancelSearch, cancelPlayer;
        for (int run = 0; run < runs; ++run) {
            searched = 0;
            clock.start();
            check->trigger();
            prompts.loop.exec();
            const double whole = static_cast<double>(clock.nsecsElapsed()) / 1e9;
            if (searched == 0) searched = whole;
            editor.push_back(searched);
            player.push_back(whole - searched);

            QProcess solve;
            clock.start();
            solve.start(QStringLiteral(FERLAN_TOOL_PATH), {QStringLiteral("solve"), prompts.file});
            solve.waitForFinished(-1);
            tool.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);
            cancelSearch.push_back(cancelMilliseconds(window, check, false));
            cancelPlayer.push_back(cancelMilliseconds(window, check, true));
        }
        const double e = median(editor), t = median(tool);
        std::printf("| %d | %.3f | %.3f | %.2f | %.3f | %.1f | %.1f |\n", level, e, t, e / t,
                    median(player), median(cancelSearch), median(cancelPlayer));
        std::fflush(stdout);
    }
    return 0;
}
