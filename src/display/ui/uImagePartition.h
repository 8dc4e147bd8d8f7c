// The score as a picture: the cursor's track in vertical mode, every line stacked.
#pragma once

#include <string>

class cPartition;

// Written through a temporary file; failure key "MidiExp-EcritureFichierImpossibleEnregAb".
bool EcrireImagePNG(cPartition &p, const std::string &chemin, std::string &cle);
