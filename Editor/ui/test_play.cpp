#include "test_play.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>

namespace ferlan::editor {

QString TestPlay::findGame() {
    const QDir here(QCoreApplication::applicationDirPath());
    // Installed, both programs share a folder; in the build, each has its own.
    for (const char* relative : {"ferlan", "../Spiel/ferlan"}) {
        const QFileInfo candidate(here.filePath(QString::fromUtf8(relative)));
        if (candidate.isFile() && candidate.isExecutable()) return candidate.canonicalFilePath();
    }
    return {};
}

TestPlay::Start TestPlay::start(const QByteArray& levelFile) {
    if (!game_) game_ = findGame();
    if (game_->isEmpty()) return Start::NoGame;
    auto* process = new QProcess(this);
    // The file belongs to the game's process: both go together.
    auto* file =
        new QTemporaryFile(QDir::temp().filePath(QStringLiteral("ferlan-XXXXXX.lev")), process);
    if (!file->open() || file->write(levelFile) != levelFile.size() || !file->flush()) {
        delete process;
        return Start::NoFile;
    }
    file->close();
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    connect(process, &QProcess::errorOccurred, process, [process](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart) process->deleteLater();
    });
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->start(*game_, {file->fileName()});
    return process->waitForStarted(10000) ? Start::Started : Start::NoGame;
}

int TestPlay::running() const {
    int count = 0;
    for (const QProcess* process : findChildren<QProcess*>()) {
        count += process->state() != QProcess::NotRunning ? 1 : 0;
    }
    return count;
}

}  // namespace ferlan::editor
