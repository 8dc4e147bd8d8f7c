#include "app/uLigneCommande.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "asciitab/uExportASCII.h"
#include "asciitab/uImportASCII.h"
#include "chords/uListeAccordsImpression.h"
#include "chords/uNomAccord.h"
#include "config/uConfig.h"
#include "fileio/uFichierAncien.h"
#include "fileio/uFichierPLT.h"
#include "midifile/uExportMIDI.h"
#include "midifile/uImportMIDI.h"
#include "playback/uRenduWAV.h"
#include "config/uEmplacements.h"
#include "config/uPatch.h"
#include "model/uCodage.h"
#include "model/uPartition.h"
#include "tools/uTransposition.h"

namespace {
rOptionsConversion Options;
// What a reader passed over, said on stderr once the conversion succeeded.
std::vector<std::string> Avertissements;

std::string TexteRemarque(const rRemarqueASCII &r)
{
    const std::string ligne = std::to_string(r.Ligne);
    switch (r.Genre) {
    case rRemarqueASCII::BlocIgnore:
        return RemplacerParam(TexteAnglais("ASCIIImp-BlocIgnore"), ligne, std::to_string(r.Nombre));
    case rRemarqueASCII::FinCoupee:
        return RemplacerParam(TexteAnglais("ASCIIImp-FinCoupee"), ligne, std::to_string(r.Nombre));
    case rRemarqueASCII::TexteIgnore:
        return RemplacerParam(TexteAnglais("ASCIIImp-TexteIgnore"), ligne,
                              Win1252VersUtf8(r.Texte));
    case rRemarqueASCII::MesuresMax:
        return RemplacerParam(TexteAnglais("ASCIIImp-MesuresMax"), std::to_string(r.Nombre));
    }
    return {};
}

bool LireTAB(const std::string &chemin, cPartition &p, std::string &cle)
{
    std::vector<rRemarqueASCII> remarques;
    if (!LireFichierTAB(chemin, p, cle, &remarques))
        return false;
    for (const rRemarqueASCII &r : remarques)
        Avertissements.push_back(TexteRemarque(r));
    return true;
}

bool EcrireTAB(cPartition &p, const std::string &chemin, std::string &cle)
{
    return EcrireFichierTAB(p, Options.Piste, Options.Largeur, chemin, cle);
}

// The quick import with the default options, every track of the file chosen.
bool LireMIDI(const std::string &chemin, cPartition &p, std::string &cle)
{
    rResultatImportMIDI r;
    if (!LireFichierMIDI(chemin, p, Utf8VersWin1252(TexteAnglais("Gene-Piste")), cle, &r))
        return false;
    if (r.MesuresMax)
        Avertissements.push_back(
            RemplacerParam(TexteAnglais(CleMesuresMaxMIDI), std::to_string(MaxMesures)));
    return true;
}

bool EcrirePLT(cPartition &p, const std::string &chemin, std::string &cle)
{
    return ExporterAncienFormat(p, ListeAccordsImpression(),
                                Utf8VersWin1252(TexteAnglais("Gene-Percussions")), chemin, cle);
}
} // namespace

const rOptionsConversion &OptionsConversion() { return Options; }

// Each import or export adds its entry here.
const std::vector<rRouteLecture> &RoutesLecture()
{
    static const std::vector<rRouteLecture> routes = {
        {".pl3", LireFichierPL3},
        {".plt", LireFichierPL3},
        {".tab", LireTAB},
        {".txt", LireTAB},
        {".mid", LireMIDI},
        {".midi", LireMIDI},
    };
    return routes;
}

const std::vector<rRouteEcriture> &RoutesEcriture()
{
    static const std::vector<rRouteEcriture> routes = {
        {".pl3", EcrireFichierPL3},
        {".plt", EcrirePLT},
        {".mid", EcrireFichierMIDI},
        {".tab", EcrireTAB},
        {".wav", EcrireFichierWAV},
    };
    return routes;
}

std::string TexteAnglais(const std::string &cle)
{
    // The command line speaks English whatever language the editor uses.
    static const cPatchLangue anglais = [] {
        cPatchLangue p;
        const std::string chemin = TrouverFichierDonnees("English.pll");
        if (!chemin.empty())
            p.Charger(chemin);
        return p;
    }();
    const std::string texte = anglais.Traduction(cle);
    if (texte == TexteTraductionAbsente)
        return cle;
    return Win1252VersUtf8(texte);
}

namespace {
std::string Extension(const std::string &chemin)
{
    const auto point = chemin.find_last_of('.');
    const auto barre = chemin.find_last_of("/\\");
    if (point == std::string::npos || (barre != std::string::npos && point < barre))
        return {};
    std::string e = chemin.substr(point);
    std::transform(e.begin(), e.end(), e.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return e;
}

FnLirePartition Lecteur(const std::string &chemin)
{
    const std::string e = Extension(chemin);
    for (const auto &r : RoutesLecture())
        if (e == r.Extension)
            return r.Lire;
    return nullptr;
}

FnEcrirePartition Ecrivain(const std::string &chemin, const std::vector<rRouteEcriture> &autres)
{
    const std::string e = Extension(chemin);
    for (const auto *table : {&RoutesEcriture(), &autres})
        for (const auto &r : *table)
            if (e == r.Extension)
                return r.Ecrire;
    return nullptr;
}

int Echec(std::ostream &err, const std::string &cle)
{
    err << cle << ": " << TexteAnglais(cle) << "\n";
    return 2;
}

void Usage(std::ostream &err)
{
    err << "usage: plectorium [FILE]\n"
           "       plectorium --info FILE\n"
           "       plectorium --convert IN OUT [--track N] [--width W] [--transpose N]\n"
           "       plectorium --chord-names FRETS\n"
           "       plectorium --chord-fingerings NAME [--level simple|medium|all]\n";
}

std::string Json(const std::string &texteModele)
{
    const std::string s = Win1252VersUtf8(texteModele);
    std::string o = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"':
            o += "\\\"";
            break;
        case '\\':
            o += "\\\\";
            break;
        case '\n':
            o += "\\n";
            break;
        case '\r':
            o += "\\r";
            break;
        case '\t':
            o += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char hex[] = "0123456789abcdef";
                o += "\\u00";
                o += hex[c >> 4];
                o += hex[c & 15];
            } else {
                o += static_cast<char>(c);
            }
        }
    }
    return o + "\"";
}
// A whole number in [min, max], digits with an optional sign and nothing else.
bool LireEntier(const std::string &s, int min, int max, int &v)
{
    std::size_t i = (!s.empty() && (s[0] == '-' || s[0] == '+')) ? 1 : 0;
    if (i == s.size() || s.size() > 4)
        return false;
    int n = 0;
    for (std::size_t k = i; k < s.size(); ++k) {
        if (s[k] < '0' || s[k] > '9')
            return false;
        n = n * 10 + (s[k] - '0');
    }
    v = s[0] == '-' ? -n : n;
    return v >= min && v <= max;
}

// The chord dictionary: a standard-tuned six-string guitar.
const tHauteurs GuitareStandard{64, 59, 55, 50, 45, 40};

int NomsAccord(const std::string &frettes, std::ostream &out, std::ostream &err)
{
    tCases cases{};
    if (!LireCases(frettes, cases)) {
        err << "cannot read the frets \"" << frettes
            << "\": give six strings from the lowest, each x or a fret from 0 to 24, as x32010 "
               "or x,3,2,0,1,0\n";
        return 2;
    }
    rOptionsNom o;
    int niveau = 0;
    ReglagesAccords(o.AlwaysAddBass, niveau);
    for (const rNomPossible &n : NommerAccord(HauteursDoigte(cases, GuitareStandard), o))
        out << n.Nom << "\n";
    return 0;
}

int DoigtesAccord(const std::string &nom, int niveau, std::ostream &out, std::ostream &err)
{
    rNomLu lu;
    if (!LireNomAccord(nom, lu)) {
        err << "unknown chord name \"" << nom
            << "\": write a root (C, C#, Db ... B), then a type (m, 7, 7M, 6, m7, m7M, m6, sus2, "
               "sus4, 7sus2, 7sus4, dim, aug, 5), add, 9/11/13 with - or +, /5-, /9+ ... and "
               "/bass, as the chord window names chords\n";
        return 2;
    }
    bool toujoursBasse = false;
    int defaut = 1;
    ReglagesAccords(toujoursBasse, defaut);
    const rResultatRecherche r =
        ChercherDoigtes(lu.Definition, lu.Basse, lu.Inclus, niveau < 0 ? defaut : niveau,
                        GuitareStandard, nom, lu.Definition.Diese);
    for (const rDiagramme &d : r.Solutions) {
        tCases c{};
        std::copy(std::begin(d.Cases), std::end(d.Cases), c.begin());
        out << EcrireCases(c) << "\n";
    }
    return 0;
}
} // namespace

std::string ResumeJson(const cPartition &p)
{
    const cInformations &i = *p.Informations;
    std::string o = "{";
    o += "\"title\":" + Json(i.Titre);
    o += ",\"subtitle\":" + Json(i.SousTitre);
    o += ",\"artist\":" + Json(i.Artiste);
    o += ",\"album\":" + Json(i.Album);
    o += ",\"author\":" + Json(i.Auteur);
    o += ",\"tempo\":" + std::to_string(p.Tempo);
    o += ",\"key\":" + std::to_string(p.Tonalite);
    o += ",\"measures\":" + std::to_string(p.NbMesures);
    o += ",\"trackCount\":" + std::to_string(p.NbPistes);
    o += ",\"tracks\":[";
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante) {
        if (t != p.PremierePiste)
            o += ",";
        o += "{\"name\":" + Json(t->Nom) + ",\"strings\":" + std::to_string(t->NbCordes);
        o += ",\"tuning\":[";
        for (int s = 1; s <= t->NbCordes; ++s)
            o += (s > 1 ? "," : "") + std::to_string(t->AccordageCorde(s));
        o += "],\"drums\":" + std::string(t->Percussions ? "true" : "false") + "}";
    }
    o += "]";
    o += ",\"beats\":" + std::to_string(p.NbAccordsTotal());
    o += ",\"notes\":" + std::to_string(p.NbNotesJouees());
    o += ",\"printChords\":" + std::to_string(ListeAccordsImpression().Nb());
    o += "}";
    return o;
}

int ExecuterLigneCommande(const std::vector<std::string> &args, std::ostream &out,
                          std::ostream &err, const std::vector<rRouteEcriture> &autres)
{
    if (args.empty()) {
        Usage(err);
        return 1;
    }
    if (args[0] == "--info" && args.size() == 2) {
        FnLirePartition lire = Lecteur(args[1]);
        if (!lire)
            return Echec(err, "Fichier-Incorrect");
        cPartition p;
        p.Nouveau();
        std::string cle;
        if (!lire(args[1], p, cle))
            return Echec(err, cle);
        out << ResumeJson(p) << "\n";
        return 0;
    }
    if (args[0] == "--convert" && args.size() >= 3) {
        Options = rOptionsConversion{};
        Avertissements.clear();
        int transposition = 0;
        bool transposer = false;
        for (std::size_t k = 3; k < args.size(); k += 2) {
            if (k + 1 >= args.size()) {
                Usage(err);
                return 1;
            }
            if (args[k] == "--transpose") {
                if (!LireEntier(args[k + 1], -TranspositionMax, TranspositionMax,
                                transposition)) {
                    err << "--transpose takes a whole number of semitones from -12 to 12\n";
                    return 1;
                }
                transposer = true;
            } else if (args[k] == "--track" || args[k] == "--width") {
                const bool piste = args[k] == "--track";
                int v = 0;
                if (!LireEntier(args[k + 1], -9999, 9999, v)) {
                    Usage(err);
                    return 1;
                }
                if (piste ? v < 1 : (v < LargeurASCIIMin || v > LargeurASCIIMax)) {
                    err << "cannot convert " << args[1] << ": "
                        << (piste ? "--track counts tracks from 1"
                                  : "--width must lie between 40 and 999")
                        << "\n";
                    return 2;
                }
                (piste ? Options.Piste : Options.Largeur) = v;
            } else {
                Usage(err);
                return 1;
            }
        }
        FnLirePartition lire = Lecteur(args[1]);
        FnEcrirePartition ecrire = Ecrivain(args[2], autres);
        if (!lire || !ecrire) {
            err << "cannot convert " << args[1] << " to " << args[2]
                << ": unsupported file type\n";
            return 2;
        }
        cPartition p;
        p.Nouveau();
        std::string cle;
        if (!lire(args[1], p, cle))
            return Echec(err, cle);
        if (Options.Piste > p.NbPistes) {
            err << "cannot convert " << args[1] << ": --track " << Options.Piste
                << " but the score has " << p.NbPistes << " track"
                << (p.NbPistes > 1 ? "s" : "") << "\n";
            return 2;
        }
        if (transposer) {
            const rResultatDoigte r = TransposerPistesFrettees(p, transposition);
            if (r.NotesPerdues > 0) // the score is still written: say what it lost
                err << "AssFG-NotesPerdues: "
                    << RemplacerParam(TexteAnglais("AssFG-NotesPerdues"),
                                      std::to_string(r.NotesPerdues))
                    << "\n";
        }
        if (!ecrire(p, args[2], cle))
            return Echec(err, cle);
        for (const std::string &a : Avertissements)
            err << "warning: " << a << "\n";
        return 0;
    }
    if (args[0] == "--chord-names" && args.size() == 2)
        return NomsAccord(args[1], out, err);
    if (args[0] == "--chord-fingerings" && (args.size() == 2 || args.size() == 4)) {
        int niveau = -1;
        if (args.size() == 4) {
            const char *const niveaux[3] = {"simple", "medium", "all"};
            for (int k = 0; k < 3; ++k)
                if (args[2] == "--level" && args[3] == niveaux[k])
                    niveau = k;
            if (niveau < 0) {
                err << "--level takes simple, medium or all\n";
                return 1;
            }
        }
        return DoigtesAccord(args[1], niveau, out, err);
    }
    Usage(err);
    return 1;
}
