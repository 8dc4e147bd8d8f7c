// Language patch loading, the message table and the lookups every window and message use.
#include "config/uPatch.h"

#include <fstream>
#include <sstream>

#include "config/uEmplacements.h"
#include "config/uIni.h"
#include "model/uCodage.h"

const std::vector<rPositionMessage> &PositionsMessages()
{
    static const std::vector<rPositionMessage> t = {
        {"DLG_000", 8, "Dlg-Information", 0},
        {"DLG_000", 9, "Dlg-Confirmation", 0},
        {"DLG_000", 10, "Dlg-Avertissement", 0},
        {"DLG_000", 11, "Dlg-Attention", 0},
        {"DLG_000", 12, "Dlg-Erreur", 0},
        {"DLG_000", 13, "Dlg-SaisieIncorrecte", 0},
        {"GENE_000", 7, "Gene-Piste", 0},
        {"GENE_000", 8, "Gene-Percussions", 0},
        {"GENE_000", 9, "Gene-MesureComplete", 0},
        {"GENE_000", 10, "Gene-MesureIncomplete", 0},
        {"GENE_000", 11, "Gene-MesureDepassee", 0},
        {"GENE300_000", 1, "Gene-MaxPistes", 0},
        {"GENE300_000", 2, "Gene-ConfSupPiste", 0},
        {"GENE300_000", 4, "Gene-AucunPort", 0},
        {"GENE300_000", 5, "Gene-FermerAutreLogMIDI1", 0},
        {"GENE300_000", 6, "Gene-FermerAutreLogMIDI2", 0},
        {"GENE300_000", 7, "Gene-AucunPatch", 0},
        {"GENE300_000", 8, "Gene-FichierPatchNonTrouve", 0},
        {"GENE300_000", 9, "Gene-JouerDepuis", 0},
        {"GENE300_000", 10, "Gene-AllerA", 0},
        {"GENE300_000", 11, "Gene-DrumKit", 0},
        {"GENE300_000", 12, "Gene-PisteBattUniquement", 0},
        {"GENE300_000", 13, "Gene-LieAvec", 0},
        {"GENE300_000", 14, "Gene-R\xE9serv\xE9Par", 0},
        {"GENE300_000", 15, "Gene-Libre", 0},
        {"GENE300_000", 16, "Gene-LimitExport220a", 0},
        {"GENE300_000", 17, "Gene-LimitExport220b", 0},
        {"GENE300_000", 18, "Fichier-Plectorium220", 0},
        {"GENE300_000", 19, "Gene-MaxMesures", 0},
        {"GENE300_000", 20, "Gene-MaxAccords", 0},
        {"GENE300_000", 21, "Gene-AucuneSoundFont", 0},
        {"GENE300_000", 22, "Gene-EcritureAudioImpossible", 0},
        {"DLG_PROP_000", 25, "Prop-PeutPasChangerDeNbDeCordes", 2},
        {"DLG_IMPM_000", 10, "MidiImp-RecherchePiste", 0},
        {"DLG_IMPM_000", 11, "MidiImp-NonPrecise", 0},
        {"DLG_IMPM_000", 12, "MidiImp-LecturePiste", 0},
        {"DLG_IMPM_000", 13, "MidiImp-CreationPartition", 0},
        {"DLG_IMPM_000", 14, "MidiImp-OptimisationPlacementDoigts", 0},
        {"DLG_IMPM_000", 15, "MidiImp-FormatMIDINonReconnu", 0},
        {"DLG_IMPM_000", 16, "MidiImp-MesuresMax", 1},
        {"DLG_EXPM_000", 1, "MidiExp-ExportationMIDI", 0},
        {"DLG_EXPM_000", 2, "MidiExp-EcritureFichierImpossibleEnregAb", 0},
        {"DLG_IMPA_000", 2, "ASCIIImp-AccesFicImpossibleImportationAb", 0},
        {"DLG300_IMPA_000", 7, "ASCIIImp-AucuneTablature", 0},
        {"DLG300_IMPA_000", 8, "ASCIIImp-NbLignesIncorrect", 2},
        {"DLG300_IMPA_000", 9, "ASCIIImp-Resume", 2},
        {"DLG300_IMPA_000", 10, "ASCIIImp-BlocIgnore", 2},
        {"DLG300_IMPA_000", 11, "ASCIIImp-FinCoupee", 2},
        {"DLG300_IMPA_000", 12, "ASCIIImp-TexteIgnore", 2},
        {"DLG300_IMPA_000", 13, "ASCIIImp-MesuresMax", 1},
        {"DLG300_IMPA_000", 14, "ASCIIImp-RienIgnore", 0},
        {"DLG300_IMPA_000", 15, "ASCIIImp-MesuresCompletes", 2},
        {"DLG_EXPA_000", 7, "ASCIIExp-EcritureFichierImpossibleExportAb", 0},
        {"DLG_EXPA_000", 8, "ASCIIExp-ImpressionAnnulee", 0},
        {"DLG_EXPA_000", 9, "ASCIIExp-ImpressionImpossible", 0},
        {"DLG_PRT_000", 9, "Imp-ImpressionImpossible", 0},
        {"DLG_ASS_LR_000", 9, "AssLR-AucuneCordeSelectionnee", 0},
        {"DLG_ASS_FG_000", 4, "AssFG-NotesPerdues", 1},
        {"DLG300_ASS_DY_000", 7, "AssDY-AucuneCordeSelectionnee", 0},
        {"DLG_ASS_CR_000", 2, "AssCR-TropDeMesures", 0},
        {"DLG_ASS_CR_000", 3, "AssCR-TropDeTemps", 0},
        {"DLG_ASS_CD_000", 1, "AssCD-VerificationTerminee", 0},
        {"DLG_ASS_CD_000", 2, "AssCD-DureeInvalide", 2},
        {"DLG_PASTE_000", 8, "Paste-ImpossibleCollerDepuisPercussions", 0},
        {"DLG_PASTE_000", 9, "Paste-ImpossibleCollerVersPercussions", 0},
        {"DLG_PASTE_000", 10, "Paste-CollageImpNbCordesDiff", 0},
        {"DLG_CHORD_000", 19, "Accord-Perso", 0},
        {"DLG_CHORD_000", 20, "Accord-DonnerUnNom", 0},
        {"DLG_CHORD_000", 21, "Accord-SelectionnerSuppr", 0},
        {"DLG_CHORD_000", 22, "Accord-ConfirmerSuppr", 1},
        {"DLG_CHORD_000", 23, "Accord-SelectionnerRempl", 0},
        {"DLG_CHORD_000", 24, "Accord-SelectionnerDepl", 0},
        {"DLG_CHORD_000", 33, "Accord-ListePleine", 1},
        {"FILES_000", 1, "Fichier-EnregistrerModif", 1},
        {"FILES_000", 2, "Fichier-Introuvable", 1},
        {"FILES_000", 3, "Fichier-ExisteDeja", 1},
        {"FILES_000", 4, "Fichier-Remplacer", 0},
        {"FILES_000", 5, "Fichier-SansNom", 0},
        {"FILES_000", 6, "Fichier-AccesImpossible", 0},
        {"FILES_000", 7, "Fichier-Incorrect", 0},
        {"FILES_000", 8, "Fichier-VersionAncienne", 0},
        {"FILES_000", 9, "Fichier-ErreurMIDI", 0},
        {"FILES_000", 10, "Fichier-MIDINonReconnu", 0},
        {"FILES_000", 11, "Fichier-Plectorium", 0},
        {"FILES_000", 12, "Fichier-MIDI", 0},
        {"FILES_000", 13, "Fichier-ASCII", 0},
        {"FILES_000", 14, "Fichier-TousLesFichiers", 0},
        {"FILES_000", 15, "Fichier-ImportMIDI", 0},
        {"FILES_000", 16, "Fichier-ExportMIDI", 0},
        {"FILES_000", 17, "Fichier-ImportASCII", 0},
        {"FILES_000", 18, "Fichier-ExportASCII", 0},
        {"FILES_000", 19, "Fichier-Recuperation", 2},
        {"DLG_DIFE_000", 2, "Repet-A", 0},
        {"DLG300_PLONLINE_000", 1, "PLOnline", 0},
        {"DLG300_PLONLINE_000", 9, "Mess1PLOnline", 0},
        {"DLG300_PLONLINE_000", 10, "Mess2PLOnline", 0},
        {"DLG300_PLONLINE_000", 11, "Mess3PLOnline", 0},
        {"DLG300_PLONLINE_000", 12, "Mess4PLOnline", 1},
        {"DLG300_PLONLINE_000", 13, "Mess5PLOnline", 0},
    };
    return t;
}

std::string TexteDeLigne(std::string_view ligne)
{
    const auto a = ligne.find('"');
    if (a == std::string_view::npos)
        return {};
    const auto b = ligne.find('"', a + 1);
    if (b == std::string_view::npos)
        return {};
    return std::string(ligne.substr(a + 1, b - a - 1));
}

std::string RemplacerPourcentS(const std::string &texte, int nbParametres)
{
    std::string t = texte;
    std::size_t depuis = 0;
    for (int i = 1; i <= nbParametres; ++i) {
        const auto p = t.find("%s", depuis);
        if (p == std::string::npos)
            break;
        t.replace(p, 2, "#" + std::to_string(i));
        depuis = p + 2;
    }
    return t;
}

namespace {
std::string Remplacer1(const std::string &texte, const std::string &marque,
                       const std::string &p)
{
    std::string t = texte;
    const auto i = t.find(marque);
    if (i == std::string::npos)
        return p + t;
    t.replace(i, marque.size(), p);
    return t;
}
} // namespace

std::string RemplacerParam(const std::string &texte, const std::string &p1)
{
    return Remplacer1(texte, "#1", p1);
}

std::string RemplacerParam(const std::string &texte, const std::string &p1,
                           const std::string &p2)
{
    // Both markers are found in the message itself, so that a first parameter holding "#2"
    // (a file named "Take #2.pl3") is never mistaken for the second marker.
    const auto i1 = texte.find("#1");
    const auto i2 = texte.find("#2");
    if (i1 == std::string::npos && i2 == std::string::npos)
        return p2 + p1 + texte;
    if (i1 == std::string::npos)
        return p1 + texte.substr(0, i2) + p2 + texte.substr(i2 + 2);
    if (i2 == std::string::npos)
        return p2 + texte.substr(0, i1) + p1 + texte.substr(i1 + 2);
    if (i1 < i2)
        return texte.substr(0, i1) + p1 + texte.substr(i1 + 2, i2 - i1 - 2) + p2 +
               texte.substr(i2 + 2);
    return texte.substr(0, i2) + p2 + texte.substr(i2 + 2, i1 - i2 - 2) + p1 +
           texte.substr(i1 + 2);
}

bool cPatchLangue::Charger(const std::string &chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    if (!f)
        return false;
    std::ostringstream tout;
    tout << f.rdbuf();
    if (f.bad())
        return false;
    ChargerTexte(tout.str());
    return true;
}

void cPatchLangue::ChargerTexte(const std::string &texte)
{
    LignesPatch.clear();
    std::size_t debut = 0;
    while (debut < texte.size()) {
        auto fin = texte.find('\n', debut);
        if (fin == std::string::npos)
            fin = texte.size();
        std::size_t longueur = fin - debut;
        if (longueur > 0 && texte[fin - 1] == '\r')
            --longueur;
        LignesPatch.emplace_back(texte, debut, longueur);
        debut = fin + 1;
    }
    ConstruireTableMessages();
}

int cPatchLangue::LigneSection(std::string_view section) const
{
    const std::size_t k = Index.Chercher(HachageSansCasse(section), [this, section](std::size_t i) {
        return i < LignesPatch.size() && EgalSansCasse(LignesPatch[i], section);
    });
    return k == cIndexSansCasse::Absent ? -1 : static_cast<int>(k);
}

std::string cPatchLangue::TexteEntreGuillemets(std::string_view section, int n) const
{
    const int l = LigneSection(section);
    if (l < 0 || n < 0)
        return {};
    const std::size_t i = static_cast<std::size_t>(l) + static_cast<std::size_t>(n);
    if (i >= LignesPatch.size())
        return {};
    return TexteDeLigne(LignesPatch[i]);
}

void cPatchLangue::ConstruireTableMessages()
{
    Index.Vider();
    Index.Reserver(LignesPatch.size());
    for (std::size_t i = 0; i < LignesPatch.size(); ++i) {
        const std::string &l = LignesPatch[i];
        const std::size_t h = HachageSansCasse(l);
        if (Index.Chercher(h, [this, &l](std::size_t j) { return EgalSansCasse(LignesPatch[j], l); }) ==
            cIndexSansCasse::Absent)
            Index.Placer(i, h);
    }
    Auteur.clear();
    RaccourcisAutomatiques = false;
    for (std::size_t i = 0; i < LignesPatch.size(); ++i) {
        if (LignesPatch[i] == MarqueConfigurationPatch && Auteur.empty() &&
            i + 1 < LignesPatch.size())
        {
            // The author may be written between quotes like any text, or plainly.
            const std::string &l = LignesPatch[i + 1];
            const auto q = l.find('"');
            Auteur = (q != std::string::npos && l.find('"', q + 1) != std::string::npos)
                         ? TexteDeLigne(l)
                         : l;
        }
        if (LignesPatch[i] == MarqueRaccourcisAuto)
            RaccourcisAutomatiques = true;
    }
    TableMessages.clear();
    std::string section;
    int entete = -1;
    for (const auto &m : PositionsMessages()) {
        if (section != m.Section) {
            section = m.Section;
            entete = LigneSection(section);
            // The sections form a chain: a missing one ends the table there.
            if (entete < 0)
                return;
        }
        const std::size_t i = static_cast<std::size_t>(entete) + static_cast<std::size_t>(m.Ligne);
        std::string texte = i < LignesPatch.size() ? TexteDeLigne(LignesPatch[i]) : std::string();
        if (m.NbParametres > 0)
            texte = RemplacerPourcentS(texte, m.NbParametres);
        TableMessages.push_back(std::string(m.Cle) + "=" + texte);
    }
}

std::string cPatchLangue::Traduction(const std::string &cle) const
{
    const auto chercher = [this](std::string_view k, std::string &texte) {
        for (const std::string_view e : TableMessages) {
            const auto egal = e.find('=');
            if (egal != std::string_view::npos && EgalSansCasse(e.substr(0, egal), k)) {
                texte = std::string(e.substr(egal + 1, 500));
                return true;
            }
        }
        return false;
    };
    std::string texte;
    if (chercher(cle, texte))
        return texte;
    // A key written in UTF-8 source text ("Gene-RéservéPar") finds its Windows-1252 entry.
    for (unsigned char c : cle)
        if (c >= 0x80) {
            if (chercher(Utf8VersWin1252(cle), texte))
                return texte;
            break;
        }
    return TexteTraductionAbsente;
}

std::string InsererRaccourci(const std::string &legende, std::string &lettresUtilisees)
{
    static const std::string exclus = std::string(" 0123456789.,()[]'\"") +
                                      "\xE9\xE8\xEB\xEA\xE0\xE4\xE2\xFC\xFB\xF9\xF6\xF4\xFF\xF1\xF5";
    // A translator's own accelerator is kept.
    if (legende.find('&') != std::string::npos)
        return legende;
    for (std::size_t i = 0; i < legende.size(); ++i) {
        char c = legende[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
        if (exclus.find(c) != std::string::npos || lettresUtilisees.find(c) != std::string::npos)
            continue;
        lettresUtilisees += c;
        return legende.substr(0, i) + "&" + legende.substr(i);
    }
    return legende;
}

std::string cPatchLangue::RaccourcisAuto(const std::string &legende,
                                         std::string &lettresUtilisees) const
{
    if (!RaccourcisAutomatiques)
        return legende;
    return InsererRaccourci(legende, lettresUtilisees);
}

cPatchLangue &PatchCourant()
{
    static cPatchLangue p;
    return p;
}

std::string NomFichierPatch(const std::string &langue) { return Win1252VersUtf8(langue) + ".pll"; }

std::string CheminPatch(const std::string &langue)
{
    if (langue.empty())
        return {};
    return TrouverFichierDonnees(NomFichierPatch(langue));
}

bool ChargerPatch(const std::string &langue)
{
    const std::string chemin = CheminPatch(langue);
    if (chemin.empty())
        return false;
    cPatchLangue nouveau;
    if (!nouveau.Charger(chemin))
        return false;
    PatchCourant() = std::move(nouveau);
    return true;
}

std::string Traduction(const std::string &cle) { return PatchCourant().Traduction(cle); }

std::string TexteEntreGuillemets(std::string_view section, int n)
{
    return PatchCourant().TexteEntreGuillemets(section, n);
}

std::string RaccourcisAuto(const std::string &legende, std::string &lettresUtilisees)
{
    return PatchCourant().RaccourcisAuto(legende, lettresUtilisees);
}

const std::string &AuteurPatch() { return PatchCourant().Auteur; }

std::string NomFichierAide(int helpFile)
{
    switch (helpFile) {
    case 1: return "PL_fr.hlp";
    case 3: return "PL_de.hlp";
    default: return "PL_en.hlp";
    }
}

int DeriverHelpFile(int helpFile, const std::string &langue)
{
    if (helpFile != 0)
        return helpFile;
    if (langue == "English")
        return 2;
    if (langue == "Deutsch")
        return 3;
    return 1;
}

int HelpFilePourLangue(const std::string &langue)
{
    if (langue == "Fran\347ais")
        return 1;
    if (langue == "English")
        return 2;
    if (langue == "Deutsch")
        return 3;
    return 0;
}

namespace {
std::string &Aide()
{
    static std::string a;
    return a;
}
} // namespace

void SelectionnerFichierAide(int helpFile)
{
    const std::string nom = NomFichierAide(helpFile);
    const std::string trouve = TrouverFichierDonnees(nom);
    Aide() = trouve.empty() ? RepertoireProgramme() + nom : trouve;
}

const std::string &FichierAideCourant() { return Aide(); }

int AppliquerTextes(const cPatchLangue &patch, const std::vector<rPositionTexte> &positions,
                    bool dialogue, const FnTexteFenetre &fn)
{
    if (dialogue && !patch.SectionExiste("DLG_000"))
        return 0;
    std::string lettres;
    std::vector<std::string_view> vues, absentes;
    int n = 0;
    bool chaineRompue = false;
    for (const auto &p : positions) {
        const std::string_view section = p.Section;
        bool vue = false, absente = false;
        for (const std::string_view s : vues)
            vue = vue || s == section;
        for (const std::string_view s : absentes)
            absente = absente || s == section;
        if (!vue && !absente) {
            if (chaineRompue || !patch.SectionExiste(section)) {
                absentes.push_back(section);
                absente = true;
                chaineRompue = chaineRompue || dialogue;
            } else {
                vues.push_back(section);
            }
        }
        if (absente)
            continue;
        std::string texte = patch.TexteEntreGuillemets(section, p.Ligne);
        if (p.Genre == eGenreTexte::Legende)
            texte = patch.RaccourcisAuto(texte, lettres);
        fn(p, texte);
        ++n;
    }
    return n;
}
