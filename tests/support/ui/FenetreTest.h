// Shared ground of the window tests: one QApplication for the whole program, the answering of
// the program's own message boxes, and a fixture holding a real main window offscreen with its
// settings in a temporary folder and its file dialogs replaced.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include "app/ui/Main.h"

// Never destroyed: the toolkit's own statics must outlive it at exit.
QApplication &Application();

// Answers the next message box with `bouton` (ResOui, ResNon, ResAnnuler, ResOK) and keeps
// what it said. Polling stops when the answer is given, cancelled, or after two seconds.
struct rReponse {
    int Bouton = 0;
    int NbBoites = 0;
    std::string Texte;
    bool Fini = false;
};
using tReponse = std::shared_ptr<rReponse>;
tReponse Repondre(int bouton, int essais = 400);
tReponse Repondre();

// Runs `action` on the next modal dialog of type T once it is shown (it should close it).
// Polls for about two seconds; returns a flag that turns true once the action ran.
std::shared_ptr<bool> QuandDialogue(const char *classe, std::function<void(QWidget *)> action,
                                    int essais = 400);

class FenetreTest : public ::testing::Test {
protected:
    QTemporaryDir dossier;
    std::unique_ptr<TMainForm> f;
    QString propose; // what the last file dialog proposed
    QString choix;   // what the fake dialog answers
    int nbDialogues = 0;

    std::string Chemin(const char *nom) const;
    void SetUp() override;
    void TearDown() override;
    // A score file on disk with a given title.
    std::string Fichier(const char *nom, const char *titre = "");
    bool Fermer();
};
