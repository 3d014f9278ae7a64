#pragma once

// The benchmark cases, registered by main under their fixed names so that figures stay comparable
// from one change to the next.
namespace bench {

// LoadSeries/Jeu1, LoadSeries/Jeu2, Traitement/Jeu1, Traitement/Jeu2, Traitement2/Jeu1,
// Traitement2/Jeu2 and NumberText.
void RegisterCoreCases();

// WindowTraitement/Jeu2 and MemoSetPlainText/Jeu2; they need a QApplication on the offscreen
// platform.
void RegisterWindowCases();

}  // namespace bench
