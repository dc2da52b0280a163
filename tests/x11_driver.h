// Driving a real program on an X display as a person would, with xdotool, for
// the end-to-end tests that ctest starts under xvfb-run.
#pragma once

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

namespace ferlan::testing {

// A program under test, killed when the test ends however it ends.
class TestProcess : public QProcess {
public:
    ~TestProcess() override {
        kill();
        waitForFinished();
    }
};

// Starts one of our programs on this test's X display with `home` as its home folder and
// `home`/tmp as its temporary folder. The platform is named outright: a QT_QPA_PLATFORM=offscreen
// inherited from the shell would open the window where no X tool can see it.
bool startOnDisplay(QProcess& process, const QString& program, const QString& home,
                    const QStringList& arguments = {});

// Runs a program to its end (at most 10 s) and returns what it printed.
QString runProgram(const QString& program, const QStringList& arguments);
QString xdotool(const QStringList& arguments);

// Polls `condition` every 50 ms until it holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 15000);

// The id of the first visible window whose caption matches, or empty; empty
// at once when `owner`, the program that should open it, has ended.
QString findWindow(const QString& namePattern, int milliseconds = 15000,
                   const QProcess* owner = nullptr);

// Gives `window` the keyboard and says whether it has it. A window mapped a
// moment ago may not take it yet and the request is lost, so it asks again.
bool focusWindow(const QString& window);

// Types `path` into the file dialog whose caption matches and presses Return,
// as a person would; false when no such dialog came or it never took the keyboard.
bool answerFileDialog(const QString& captionPattern, const QString& path);

QImage screenshot(const QString& window, const QString& path);

}  // namespace ferlan::testing
