// Driving a real program on an X display as a person would, with xdotool, for
// the end-to-end tests that ctest starts under xvfb-run.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>

namespace ferlan::testing {

// Runs a program to its end (at most 10 s) and returns what it printed.
QString runProgram(const QString& program, const QStringList& arguments);
QString xdotool(const QStringList& arguments);

// Polls `condition` every 50 ms until it holds or the time is up.
bool waitFor(const std::function<bool()>& condition, int milliseconds = 15000);

// The id of the first visible window whose caption matches, or empty.
QString findWindow(const QString& namePattern, int milliseconds = 15000);

QImage screenshot(const QString& window, const QString& path);

}  // namespace ferlan::testing
