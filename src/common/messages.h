#pragma once

#include <string>

namespace common {

// Every message the user sees goes through here: a modal box with one OK button and no icon.
void ShowError(const std::string& title, const std::string& text);

// Both spellings of the title are in use, each with its own messages.
inline constexpr const char* kErrorTitleLower = "erreur";
inline constexpr const char* kErrorTitle = "Erreur";

inline constexpr const char* kMissingSkinFolderText = "il manque le dossier 'Graph' !";
inline constexpr const char* kNoDrawingLayerText =
    "Impossible d'ouvrir l'écran & l'environnement nécessaire aux sprites !";
inline constexpr const char* kNoMainWindowText = "Impossible d'ouvrir la fenêtre principale !";

}  // namespace common
