#include "model/uAccordages.h"

#include <algorithm>
#include <cctype>

namespace {
constexpr int X = -1;
}

const std::vector<rPresetAccordage> &PresetsAccordage()
{
    static const std::vector<rPresetAccordage> t = {
        {"Guitar Standard : EADGBE", 6, {64, 59, 55, 50, 45, 40, X}},
        {"Guitar Dropped D : DADGBE", 6, {64, 59, 55, 50, 45, 38, X}},
        {"Guitar Open A : EAEAC#E", 6, {64, 61, 57, 52, 45, 40, X}},
        {"Guitar Open C : CGCGCE", 6, {64, 60, 55, 48, 43, 36, X}},
        {"Guitar Open Cmin : CGCGCEb", 6, {63, 60, 55, 48, 43, 36, X}},
        {"Guitar Open D : DADF#AD", 6, {62, 57, 54, 50, 45, 38, X}},
        {"Guitar Open Dmin : DADFAD", 6, {62, 57, 53, 50, 45, 38, X}},
        {"Guitar Open Dsus4 : DADGAD", 6, {62, 57, 55, 50, 45, 38, X}},
        {"Guitar Open E : EBEG#BE", 6, {64, 59, 56, 52, 47, 40, X}},
        {"Guitar Open Emin : EBEGBE", 6, {64, 59, 55, 52, 47, 40, X}},
        {"Guitar Open Esus11 : EAEGBE", 6, {64, 59, 55, 52, 45, 40, X}},
        {"Guitar Open F : CFCFAC", 6, {60, 57, 53, 48, 41, 36, X}},
        {"Guitar Open F : FACFCF", 6, {65, 60, 53, 48, 45, 41, X}},
        {"Guitar Open G : DGDGBD", 6, {62, 59, 55, 50, 43, 38, X}},
        {"Guitar Open G : GBDGBD", 6, {62, 59, 55, 50, 47, 43, X}},
        {"Guitar Alternative : EGDEAE", 6, {64, 57, 52, 50, 43, 40, X}},
        {"Guitar Alternative  : CGDGBE", 6, {64, 59, 55, 50, 43, 36, X}},
        {"Guitar Alternative : CGDAEG", 6, {67, 64, 57, 50, 43, 36, X}},
        {"Guitar Nashville  : EADGBE", 6, {64, 59, 67, 62, 57, 52, X}},
        {"Guitar Eb : EbAbDbGbBbEb", 6, {63, 58, 54, 49, 44, 39, X}},
        {"Guitar 7 strings : BEADGBE", 7, {64, 59, 55, 50, 45, 40, 35}},
        {"Bass Standard : EADG", 4, {43, 38, 33, 28, X, X, X}},
        {"Bass Dropped D : DADG", 4, {43, 38, 33, 26, X, X, X}},
        {"Bass Eb : EbAbDbGb", 4, {42, 37, 32, 27, X, X, X}},
        {"Bass 5 strings : BEADG", 5, {43, 38, 33, 28, 23, X, X}},
        {"Bass 6 strings : BEADGC", 6, {48, 43, 38, 33, 28, 23, X}},
        {"Banjo Open G : GDGBD", 5, {62, 59, 55, 50, 67, X, X}},
        {"Banjo Dropped C : GCGBD", 5, {62, 59, 55, 48, 67, X, X}},
        {"Banjo Open D : ADF#AD", 5, {62, 57, 54, 50, 69, X, X}},
        {"Banjo G minor : GDGBbD", 5, {62, 58, 55, 50, 67, X, X}},
        {"Banjo G Modal : GDGAD", 5, {62, 57, 55, 50, 67, X, X}},
        {"Mandolin Standard : GDAE", 4, {76, 69, 62, 55, X, X, X}},
    };
    return t;
}

int PresetCorrespondant(int nbCordes, const tAccordage &hauteurs)
{
    const auto &t = PresetsAccordage();
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].NbCordes != nbCordes)
            continue;
        if (std::equal(hauteurs.begin(), hauteurs.begin() + nbCordes, t[i].Hauteurs.begin()))
            return static_cast<int>(i);
    }
    return -1;
}

bool PresetBanjo(const rPresetAccordage &preset)
{
    std::string n = preset.Nom;
    for (char &c : n)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return n.find("BANJO") != std::string::npos;
}

tAccordage AccordageParDefaut(int nbCordes)
{
    switch (nbCordes) {
    case 4:
        return {43, 38, 33, 28, X, X, X};
    case 5:
        return {43, 38, 33, 28, 23, X, X};
    case 7:
        return {64, 59, 55, 50, 45, 40, 35};
    default:
        return {64, 59, 55, 50, 45, 40, X};
    }
}

int CouleurParDefaut(int nbCordes) { return nbCordes <= 5 ? 0x00FFFF : 255; }

std::string NomHauteur(int hauteur)
{
    static const char *const noms[12] = {"C",  "C#", "D",  "D#", "E",  "F",
                                         "F#", "G",  "G#", "A",  "A#", "B"};
    if (hauteur < 0)
        return {};
    return std::string(noms[hauteur % 12]) + std::to_string(hauteur / 12);
}
