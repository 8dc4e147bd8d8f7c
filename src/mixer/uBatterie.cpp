#include "mixer/uBatterie.h"

#include <algorithm>

#include "model/uAccord.h"
#include "model/uMesurePiste.h"
#include "model/uPartition.h"

namespace {
const char *const Noms[DerniereCleBatterie - PremiereCleBatterie + 1] = {
    "High Q",          "Slap",           "Scratch Push",   "Scratch Pull",
    "Sticks",          "Square Click",   "Metronome Click", "Metronome Bell",
    "Acoustic Bass Drum", "Bass Drum 1", "Side Stick",     "Acoustic Snare",
    "Hand Clap",       "Electric Snare", "Low Floor Tom",  "Closed Hi-Hat",
    "High Floor Tom",  "Pedal Hi-Hat",   "Low Tom",        "Open Hi-Hat",
    "Low-Mid Tom",     "Hi-Mid Tom",     "Crash Cymbal 1", "High Tom",
    "Ride Cymbal 1",   "Chinese Cymbal", "Ride Bell",      "Tambourine",
    "Splash Cymbal",   "Cowbell",        "Crash Cymbal 2", "Vibraslap",
    "Ride Cymbal 2",   "High Bongo",     "Low Bongo",      "Mute Hi Conga",
    "Open Hi Conga",   "Low Conga",      "High Timbale",   "Low Timbale",
    "High Agogo",      "Low Agogo",      "Cabasa",         "Maracas",
    "Short Whistle",   "Long Whistle",   "Short Guiro",    "Long Guiro",
    "Claves",          "Hi Wood Block",  "Low Wood Block", "Mute Cuica",
    "Open Cuica",      "Mute Triangle",  "Open Triangle",  "Shaker",
    "Jingle Bell",     "Bell Tree",      "Castinets",      "Mute Surdo",
    "Open Surdo",
};
} // namespace

const char *NomPercussion(int cle)
{
    if (cle < PremiereCleBatterie || cle > DerniereCleBatterie)
        return "";
    return Noms[cle - PremiereCleBatterie];
}

std::string EntreePercussion(int cle) { return std::to_string(cle) + " - " + NomPercussion(cle); }

std::vector<rNoteEchantillon> EchantillonPercussion(int canal, int cle)
{
    const auto c = static_cast<unsigned char>(std::clamp(canal, 1, 16) - 1);
    const auto k = static_cast<unsigned char>(std::clamp(cle, 0, 127));
    return {{0, static_cast<unsigned char>(0x90 | c), k, 127},
            {480, static_cast<unsigned char>(0x80 | c), k, 50}};
}

bool SaisirPercussion(cPartition &p, int cle)
{
    if (cle < PremiereCleBatterie || cle > DerniereCleBatterie)
        return false;
    cMesurePiste *mp = p.Curseur.MesurePiste;
    cAccord *a = p.Curseur.Accord;
    cNote *n = p.Curseur.Note;
    if (!mp || !mp->Piste || !mp->Piste->Percussions || !a || !n)
        return false;
    n->Case = static_cast<uint8_t>(cle);
    n->Type = 1;
    a->ActualiserEtat();
    p.AttenteChiffre = false;
    return true;
}
