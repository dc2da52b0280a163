#include "x11_driver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>

namespace ferlan::testing {

QString runProgram(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

bool startOnDisplay(QProcess& process, const QString& program, const QString& home,
                    const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    // No message bus: without one, each start forks to try dbus-launch, and a
    // machine that has it starts a bus for every program under test.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    // Temporary files stay in the test's folder, where a test can look for them.
    environment.insert(QStringLiteral("TMPDIR"), home + QStringLiteral("/tmp"));
    QDir().mkpath(home + QStringLiteral("/tmp"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);  // into the test's output
    // A program that finds no server gives up at once; make sure the display
    // answers first. The server runs with -noreset, so this probe coming and
    // going does not make it reset under the program.
    if (!waitFor([] { return !xdotool({"getdisplaygeometry"}).isEmpty(); })) return false;
    process.start(program, arguments);
    return process.waitForStarted();
}

QString xdotool(const QStringList& arguments) {
    return runProgram(QStringLiteral("xdotool"), arguments);
}

bool focusWindow(const QString& window) {
    return waitFor([&] {
        xdotool({"windowfocus", window});
        return xdotool({"getwindowfocus"}) == window;
    });
}

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        if (condition()) return true;
        QThread::msleep(50);
    }
    return condition();
}

QString findWindow(const QString& namePattern, int milliseconds, const QProcess* owner) {
    QString id;
    waitFor(
        [&] {
            id = xdotool({"search", "--onlyvisible", "--name", namePattern}).section('\n', 0, 0);
            // A program that has ended opens no window; waiting on would only
            // hide why it ended.
            return !id.isEmpty() || (owner && owner->state() == QProcess::NotRunning);
        },
        milliseconds);
    return id;
}

bool answerFileDialog(const QString& captionPattern, const QString& path) {
    const QString dialog = findWindow(captionPattern);
    if (dialog.isEmpty() || !focusWindow(dialog)) return false;
    // The name field takes the keys a moment after the dialog has the keyboard.
    QThread::msleep(500);
    xdotool({"type", "--delay", "20", path});
    xdotool({"key", "Return"});
    return true;
}

QImage screenshot(const QString& window, const QString& path) {
    runProgram(QStringLiteral("import"), {"-window", window, path});
    return QImage(path);
}

}  // namespace ferlan::testing
