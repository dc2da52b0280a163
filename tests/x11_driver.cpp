#include "x11_driver.h"

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

bool startOnDisplay(QProcess& process, const QString& program, const QString& home) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("de_DE.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The X server runs with -noreset, so a program started now reaches it
    // however many clients came and went before.
    process.start(program, {});
    return process.waitForStarted();
}

QString xdotool(const QStringList& arguments) {
    return runProgram(QStringLiteral("xdotool"), arguments);
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

QString findWindow(const QString& namePattern, int milliseconds) {
    QString id;
    waitFor(
        [&] {
            id = xdotool({"search", "--onlyvisible", "--name", namePattern}).section('\n', 0, 0);
            return !id.isEmpty();
        },
        milliseconds);
    return id;
}

QImage screenshot(const QString& window, const QString& path) {
    runProgram(QStringLiteral("import"), {"-window", window, path});
    return QImage(path);
}

}  // namespace ferlan::testing
