// "Level prüfen" in the editor against ferlan-tool solve on the same level
// texts: wall-clock seconds from the menu item to the result message, and
// from starting the tool to its exit. Runs offscreen.
//
//   level_check_benchmark [RUNS] [FIRST LAST]    (defaults 3, levels 1 to 30)
#include <Editor/ui/editor_window.h>
#include <common/prompts.h>
#include <leveldata/builtin_levels.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

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

    std::printf(
        "| Level | Level prüfen (s) | ferlan-tool solve (s) | ratio |\n|---:|---:|---:|---:|\n");
    for (int level = first; level <= last; ++level) {
        const auto text = *ferlan::builtinLevelText(level - 1);
        prompts.file = dir.filePath(QStringLiteral("level%1.lev").arg(level));
        QFile file(prompts.file);
        if (!file.open(QIODevice::WriteOnly)) return 2;
        file.write(text.data(), static_cast<qint64>(text.size()));
        file.close();
        load->trigger();
        std::vector<double> editor, tool;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer clock;
            clock.start();
            check->trigger();
            prompts.loop.exec();
            editor.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);

            QProcess solve;
            clock.start();
            solve.start(QStringLiteral(FERLAN_TOOL_PATH), {QStringLiteral("solve"), prompts.file});
            solve.waitForFinished(-1);
            tool.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        }
        const double e = median(editor), t = median(tool);
        std::printf("| %d | %.3f | %.3f | %.2f |\n", level, e, t, e / t);
        std::fflush(stdout);
    }
    return 0;
}
