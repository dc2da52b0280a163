#pragma once

class QCoreApplication;

namespace ferlan {

// Loads Qt's own German texts ("Ja", "Nein", the file dialogs), so every word
// the programs show is German whatever the system's language.
void installGermanTranslations(QCoreApplication& app);

}  // namespace ferlan
