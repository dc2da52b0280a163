// The player's best times on disk: a file of their own beside the progress
// file, under the same folder rules, replaced whole on every write.
#pragma once

#include "progress_file.h"

#include <Spiel/sim/best_times.h>

#include <QString>

#include <optional>
#include <utility>

namespace ferlan {

class BestTimesFile {
public:
    static constexpr const char* kFileName = "bestzeiten.txt";

    explicit BestTimesFile(ProgressFile folders) : folders_(std::move(folders)) {}

    // The stored times; none for a missing file. Nothing for a file that is
    // there but cannot be read, so that no write replaces it.
    std::optional<BestTimes> read() const;

    // Stores `kept` together with what the file holds already, the faster
    // time of each level winning, so that another game's faster time is
    // never lost; writes only when that changes the file. False, with the
    // reason in `error`, when it could not be stored.
    bool store(const BestTimes& kept, QString* error = nullptr) const;

    QString writePath() const { return folders_.writePath(kFileName); }

private:
    ProgressFile folders_;
};

}  // namespace ferlan
