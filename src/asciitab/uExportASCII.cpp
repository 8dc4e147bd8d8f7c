#include "asciitab/uExportASCII.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "app/uDocument.h"
#include "fileio/uEcritureSure.h"
#include "model/uCodage.h"
#include "model/uPartition.h"

namespace {

const char *const CleEcriture = "ASCIIExp-EcritureFichierImpossibleExportAb";

constexpr std::array<const char *, 12> NomsNotes = {"C",  "C#", "D",  "D#", "E",  "F",
                                                    "F#", "G",  "G#", "A",  "A#", "B"};

// A set of lines of width W, written column by column (1-based); every write outside
// columns 1..W is dropped.
class cLignes {
public:
    cLignes(int nbCordes, int largeur) : W(largeur)
    {
        Lignes.assign(static_cast<std::size_t>(nbCordes) + 1,
                      std::string(static_cast<std::size_t>(W), '-'));
        Lignes[0].assign(static_cast<std::size_t>(W), ' ');
    }

    // Line 0 is the chord-name line, lines 1..n the strings from string 1 down.
    void Ecrire(int ligne, int colonne, const std::string &texte)
    {
        std::string &l = Lignes[static_cast<std::size_t>(ligne)];
        for (std::size_t i = 0; i < texte.size(); ++i) {
            const long long c = colonne + static_cast<long long>(i);
            if (c >= 1 && c <= W)
                l[static_cast<std::size_t>(c - 1)] = texte[i];
        }
    }
    void Colonne(int colonne, char c)
    {
        for (std::size_t k = 1; k < Lignes.size(); ++k)
            Ecrire(static_cast<int>(k), colonne, std::string(1, c));
    }
    char A(int ligne, int colonne) const
    {
        if (colonne < 1 || colonne > W)
            return ' ';
        return Lignes[static_cast<std::size_t>(ligne)][static_cast<std::size_t>(colonne - 1)];
    }

    int W;
    std::vector<std::string> Lignes;
};

// The two string lines that carry the repeat dots, by string count (none for other counts).
std::array<int, 2> CordesPoints(int nbCordes)
{
    switch (nbCordes) {
    case 4: return {2, 3};
    case 5: return {2, 4};
    case 6: return {3, 4};
    default: return {0, 0};
    }
}

void Points(cLignes &l, int nbCordes, int colonne)
{
    for (int s : CordesPoints(nbCordes))
        if (s > 0)
            l.Ecrire(s, colonne, "*");
}

// Columns a beat's duration takes after its text.
int Avance(int code, bool pointe)
{
    switch (code) {
    case -2: return 16;
    case -1: return pointe ? 12 : 8;
    case 0: return pointe ? 6 : 4;
    case 1: return pointe ? 3 : 2;
    default: return 1;
    }
}

// The letter after a fret: the last of these that applies.
char LettreEffet(const cAccord &a, const cNote &n)
{
    char l = 0;
    if (a.Effets) {
        if (a.Effets->Vibrato)
            l = '~';
        if (a.Effets->Frappe == 1)
            l = 't';
        if (a.Effets->Frappe == 2)
            l = 's';
    }
    if (n.Effets) {
        if (n.Effets->HammerPullOff)
            l = 'h';
        if (n.Effets->Slide)
            l = '/';
        if (n.Effets->Bend)
            l = (n.Effets->Bend->Type == 2 || n.Effets->Bend->Type == 5) ? 'r' : 'b';
    }
    return l;
}

// Lays one measure out in `m` (blank lines of width W); returns its width.
int ConstruireMesure(cLignes &m, const cLignes &systeme, int utilisees, const cMesurePiste &mp,
                     bool premiere, bool derniere, int nbCordes)
{
    const cPiste &piste = *mp.Piste;
    const cMesure &mesure = *mp.Mesure;
    int c = 1;
    if (premiere) {
        std::vector<std::string> etiquettes;
        std::size_t largeur = 1;
        for (int s = 1; s <= nbCordes; ++s) {
            const int hauteur = piste.AccordageCorde(s);
            etiquettes.push_back(NomsNotes[static_cast<std::size_t>(((hauteur % 12) + 12) % 12)]);
            largeur = std::max(largeur, etiquettes.back().size());
        }
        for (int s = 1; s <= nbCordes; ++s) {
            std::string e = etiquettes[static_cast<std::size_t>(s - 1)];
            e.resize(largeur, ' ');
            m.Ecrire(s, c, e);
        }
        c += static_cast<int>(largeur);
    }
    if (premiere || mesure.RenvoiDebut) {
        // The previous measure's closing bar, or its closing double bar, counts toward the
        // double bar that opens this one.
        int barres = 2;
        if (utilisees > 0 && systeme.A(1, utilisees) == '|')
            barres = systeme.A(1, utilisees - 1) == '|' ? 0 : 1;
        for (int i = 0; i < barres; ++i)
            m.Colonne(c + i, '|');
        c += barres;
        if (mesure.RenvoiDebut) {
            Points(m, nbCordes, c);
            c += 1;
        }
    }
    c += 2;
    for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        if (a->Diagramme)
            m.Ecrire(0, c, a->Diagramme->NomTexte());
        std::size_t plusLarge = 0;
        if (a->Etat == 1) {
            for (int s = 1; s <= nbCordes && s <= a->NbNotes; ++s) {
                const cNote &n = *a->Notes[s];
                std::string texte;
                if (n.Type == 1)
                    texte = std::to_string(n.Case);
                else if (n.Type == 3)
                    texte = "x";
                if (texte.empty())
                    continue;
                m.Ecrire(s, c, texte);
                // The letter is not counted in the beat's width: the next beat may follow it
                // at once.
                const int apres = c + static_cast<int>(texte.size());
                if (apres <= m.W)
                    if (const char l = LettreEffet(*a, n))
                        m.Ecrire(s, apres, std::string(1, l));
                plusLarge = std::max(plusLarge, texte.size());
            }
        }
        c += static_cast<int>(plusLarge) + Avance(a->CodeDuree, a->Pointe);
    }
    if (mesure.RenvoiFin >= 1) {
        if (mesure.RenvoiFin > 1) {
            const std::string k = std::to_string(mesure.RenvoiFin) + "x";
            m.Ecrire(0, c + 3 - static_cast<int>(k.size()), k);
        }
        Points(m, nbCordes, c);
        c += 1;
        m.Colonne(c, '|');
        c += 1;
    }
    m.Colonne(c, '|');
    c += 1;
    if (derniere && mesure.RenvoiFin < 1) {
        m.Colonne(c, '|');
        c += 1;
    }
    return c - 1;
}

void Vider(std::vector<std::string> &sortie, cLignes &systeme, int &utilisees)
{
    const auto n = static_cast<std::size_t>(std::min(utilisees, systeme.W));
    for (const std::string &l : systeme.Lignes)
        sortie.push_back(l.substr(0, n));
    sortie.emplace_back();
    sortie.emplace_back();
    systeme = cLignes(static_cast<int>(systeme.Lignes.size()) - 1, systeme.W);
    utilisees = 0;
}

std::string Minuscules(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::vector<std::string> ConstruireTexteASCII(const cPartition &p, const cPiste &piste,
                                              int largeur)
{
    const int W = std::clamp(largeur, 1, LargeurASCIIMax);
    const int nbCordes = std::clamp(piste.NbCordes, 1, MaxCordes);
    std::vector<std::string> sortie;
    const cInformations &info = *p.Informations;
    if (!info.Titre.empty()) {
        cLignes l(0, W);
        const int L = static_cast<int>(info.Titre.size());
        l.Ecrire(0, static_cast<int>(Arrondi((W - L) / 2.0 - 1)) + 1, info.Titre);
        sortie.push_back(l.Lignes[0]);
        sortie.emplace_back();
        sortie.emplace_back();
    }
    if (!info.Auteur.empty()) {
        cLignes l(0, W);
        l.Ecrire(0, W - static_cast<int>(info.Auteur.size()) + 1, info.Auteur);
        sortie.push_back(l.Lignes[0]);
    }
    std::string nom = piste.Nom;
    if (piste.Capo > 0)
        nom += " (Capo " + std::to_string(piste.Capo) + ")";
    if (!nom.empty())
        sortie.push_back(nom);
    if (!info.Instructions.empty())
        sortie.push_back(info.Instructions);
    if (!info.Auteur.empty() || !info.Instructions.empty())
        sortie.insert(sortie.end(), 3, std::string());

    cLignes systeme(nbCordes, W);
    int utilisees = 0;
    for (const cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
        cLignes mesure(nbCordes, W);
        const int w = ConstruireMesure(mesure, systeme, utilisees, *mp,
                                       mp == piste.PremiereMesurePiste,
                                       mp->SuivanteDansPiste == nullptr, nbCordes);
        // A measure wider than the line is cut; it never leaves an empty system behind.
        if (utilisees > 0 && utilisees + w > W)
            Vider(sortie, systeme, utilisees);
        for (std::size_t k = 0; k < systeme.Lignes.size(); ++k)
            systeme.Ecrire(static_cast<int>(k), utilisees + 1,
                           mesure.Lignes[k].substr(0, static_cast<std::size_t>(std::min(w, W))));
        utilisees += w;
    }
    Vider(sortie, systeme, utilisees);
    return sortie;
}

std::string ContenuFichierTexte(const std::vector<std::string> &lignesUtf8)
{
    std::string s;
    for (const std::string &l : lignesUtf8) {
        s += l;
        s += '\n';
    }
    return s;
}

std::string NomProposeASCII(const cPartition &p)
{
    if (!p.Chemin.empty()) {
        const std::string nom = PartieNomFichier(p.Chemin);
        const std::string dossier = p.Chemin.substr(0, p.Chemin.size() - nom.size());
        std::string n = Minuscules(nom);
        n = n.size() >= 4 ? n.substr(0, n.size() - 4) + ".tab" : n + ".tab";
        return dossier + n;
    }
    std::string n = NomProposeDepuisTitre(p.Informations->Titre);
    if (n.empty())
        return {};
    return Win1252VersUtf8(n.substr(0, n.size() - 4)) + ".tab";
}

bool EcrireFichierTAB(const cPartition &p, int numPiste, int largeur, const std::string &chemin,
                      std::string &cle)
{
    const cPiste *piste = p.PisteNumero(numPiste);
    if (!piste || chemin.empty()) {
        cle = CleEcriture;
        return false;
    }
    std::vector<std::string> lignes = ConstruireTexteASCII(p, *piste, largeur);
    for (std::string &l : lignes)
        l = Win1252VersUtf8(l);
    if (!EcrireFichierSur(chemin, ContenuFichierTexte(lignes))) {
        cle = CleEcriture;
        return false;
    }
    return true;
}
