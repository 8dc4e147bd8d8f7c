// What the tools' dialogs share: the OK, Cancel and Help buttons and their texts.
#pragma once

#include <string>
#include <vector>

#include "config/uPatch.h"

class QDialog;
class QDialogButtonBox;

// OK and Cancel wired to the dialog, and a help button that opens the help at `ancre`.
QDialogButtonBox *BoutonsOutil(QDialog *dialogue, const char *ancre);
// The shared button texts under the tools' button names, then the dialog's own sections.
std::vector<rPositionTexte> PositionsDialogueOutil(const std::vector<std::string> &sections);
