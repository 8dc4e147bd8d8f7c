// Window texts from the language patch onto Qt widgets and actions found by object name.
#pragma once

#include <QWidget>
#include <vector>

#include "config/uPatch.h"

// Applies the positions to the window: a position named "Caption" (or "") sets the window title;
// otherwise the child widget or action of that object name takes the text: captions go to
// button texts, labels and group titles, action texts; hints go to tool tips and status tips.
// Sections missing from the patch leave the built-in texts. Returns the number applied.
int AppliquerTextesFenetre(QWidget *fenetre, const std::vector<rPositionTexte> &positions,
                           bool dialogue);
