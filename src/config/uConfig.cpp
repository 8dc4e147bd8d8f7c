// Settings load at start and save at exit, in the order the rest of start-up relies on.
#include "config/uConfig.h"

#include <algorithm>

#include <cmath>
#include <filesystem>
#include <system_error>

#include "config/uEmplacements.h"
#include "config/uPatch.h"
#include "model/uCodage.h"
#include "model/uConstantes.h"

cConfig *Config = nullptr;

namespace {
const char *const SecGeneral = "General";
const char *const SecConfig = "Config";
const char *const CleRepertoire = "R\xE9pertoire";
const char *const SecChords = "ChordsLib";

const char *const LanguesDeBase[4] = {"English", "Fran\347ais", "Deutsch", "Espa\xF1ol"};

int Entier10(double v) { return static_cast<int>(std::nearbyint(v * 10)); }
int EntierMm(double v) { return static_cast<int>(std::nearbyint(v)); }
} // namespace

cConfig::cConfig()
{
    NbColASCII = 80;
    DiagSimpleMoyenTout = 1;
    AddDiag = true;
    AlwaysAddBass = false;
    CleSol = true;
    CleFA = true;
    ParamEcran.AffChordsName = true;
    DerniereDureeBrush = 3;
    for (auto &p : ParamEcran_US)
        p = TParamEcran::Preset();
}

// ---- Chord library ---------------------------------------------------------------------------

std::string CleAccordBibliotheque(int index)
{
    std::string n = std::to_string(index);
    while (n.size() < 3)
        n = "0" + n;
    return "C" + n;
}

std::string CoderAccordBibliotheque(const rDiagramme &d)
{
    std::string s;
    const auto drapeau = [&s](bool b) { s += b ? 'O' : 'N'; };
    const auto nombre = [&s](int v, int decalage) { s += static_cast<char>(v + decalage); };
    drapeau(d.Diese);
    drapeau(d.Add);
    for (bool o : d.Omis)
        drapeau(o);
    for (int v : {d.Fondamentale, d.TypeAccord, d.Extension, d.DimAug, d.Quinte, d.Neuvieme,
                  d.Onzieme, d.PremiereCase, d.NbBarres})
        nombre(v, 65);
    nombre(d.Basse, 66);
    for (int c : d.Cases)
        nombre(c, 66);
    const int nb = d.NbBarres < 0 ? 0 : (d.NbBarres > 2 ? 2 : d.NbBarres);
    for (int b = 0; b < nb; ++b) {
        nombre(d.BarreCase[b], 65);
        nombre(d.BarreDebut[b], 65);
        nombre(d.BarreFin[b], 65);
    }
    const std::size_t l = d.NomLongueur > sizeof(d.Nom) ? sizeof(d.Nom) : d.NomLongueur;
    s.append(d.Nom, l);
    return s;
}

bool DecoderAccordBibliotheque(const std::string &v, cDiagramme &d)
{
    constexpr std::size_t Fixe = 9 + 9 + 7;
    if (v.size() < Fixe)
        return false;
    const auto n = [&v](std::size_t i, int decalage) {
        return static_cast<int>(static_cast<unsigned char>(v[i])) - decalage;
    };
    const auto dans = [](int x, int a, int b) { return x >= a && x <= b; };
    // Values beyond what the chord code can index are refused, not clamped: a hand-edited
    // entry that far off is not the chord the user meant.
    const int nbBarres = n(17, 65);
    if (!dans(nbBarres, 0, 2) || v.size() < Fixe + 3 * static_cast<std::size_t>(nbBarres))
        return false;
    if (!dans(n(9, 65), 0, 12) || !dans(n(10, 65), 0, 14) || !dans(n(11, 65), 0, 3) ||
        !dans(n(12, 65), 0, 2) || !dans(n(13, 65), 0, 2) || !dans(n(14, 65), 0, 2) ||
        !dans(n(15, 65), 0, 2) || !dans(n(16, 65), 0, 99) || !dans(n(18, 66), -1, 11))
        return false;
    for (std::size_t i = 19; i < 25; ++i)
        if (!dans(n(i, 66), -1, 99))
            return false;
    for (int b = 0; b < nbBarres; ++b) {
        const std::size_t i = Fixe + 3 * static_cast<std::size_t>(b);
        if (!dans(n(i, 65), 0, 99) || !dans(n(i + 1, 65), 0, 7) || !dans(n(i + 2, 65), 0, 7))
            return false;
    }
    d.Diese = v[0] == 'O';
    d.Add = v[1] == 'O';
    for (int k = 0; k < 7; ++k)
        d.Omis[k] = v[2 + static_cast<std::size_t>(k)] == 'O';
    d.Fondamentale = n(9, 65);
    d.TypeAccord = n(10, 65);
    d.Extension = n(11, 65);
    d.DimAug = n(12, 65);
    d.Quinte = n(13, 65);
    d.Neuvieme = n(14, 65);
    d.Onzieme = n(15, 65);
    d.PremiereCase = n(16, 65);
    d.NbBarres = nbBarres;
    d.Basse = n(18, 66);
    for (int k = 0; k < 6; ++k)
        d.Cases[k] = n(19 + static_cast<std::size_t>(k), 66);
    for (int b = 0; b < 2; ++b)
        d.BarreCase[b] = d.BarreDebut[b] = d.BarreFin[b] = 0;
    for (int b = 0; b < nbBarres; ++b) {
        const std::size_t i = Fixe + 3 * static_cast<std::size_t>(b);
        d.BarreCase[b] = n(i, 65);
        d.BarreDebut[b] = n(i + 1, 65);
        d.BarreFin[b] = n(i + 2, 65);
    }
    d.ChangerNom(v.substr(Fixe + 3 * static_cast<std::size_t>(nbBarres)));
    return true;
}

// ---- Languages -------------------------------------------------------------------------------

std::vector<std::string> ConstruireListeLangues()
{
    const std::vector<std::string> trouves = ListerFichiersDonnees(".pll");
    if (trouves.empty())
        return {};
    std::vector<std::string> liste(std::begin(LanguesDeBase), std::end(LanguesDeBase));
    for (const auto &f : trouves) {
        const std::string nom = Utf8VersWin1252(f.substr(0, f.size() - 4));
        bool deBase = false;
        for (const char *b : LanguesDeBase)
            deBase = deBase || nom == b;
        bool deja = false;
        for (const auto &l : liste)
            deja = deja || l == nom;
        if (!deBase && !deja && !nom.empty())
            liste.push_back(nom);
    }
    return liste;
}

std::string LangueInstallee(const std::string &choix, const std::vector<std::string> &langues)
{
    if (!CheminPatch(choix).empty())
        return choix;
    for (const auto &l : langues)
        if (!CheminPatch(l).empty())
            return l;
    return choix;
}

// ---- Parameter sets --------------------------------------------------------------------------

void LireParamEcran(const cFichierIni &ini, const std::string &s, TParamEcran &p,
                    const TParamEcran &d)
{
    p.MargeGaucheLignes = ini.LireEntier(s, "MargeGaucheLignes", d.MargeGaucheLignes);
    p.MargeDroiteLignes = ini.LireEntier(s, "MargeDroiteLignes", d.MargeDroiteLignes);
    p.EspLignes = ini.LireEntier(s, "EspLignes", d.EspLignes);
    p.EspPortees = ini.LireEntier(s, "EspPortees", d.EspPortees);
    p.EspDiagAc = ini.LireEntier(s, "EspDiagAc", d.EspDiagAc);
    p.EspNomAc = ini.LireEntier(s, "EspNomAc", d.EspNomAc);
    p.EspTexte = ini.LireEntier(s, "EspTexte", d.EspTexte);
    p.EpCroches = ini.LireEntier(s, "EpCroches", d.EpCroches);
    p.FontNotes = ini.LirePolice(s, "FontNotes", d.FontNotes);
    p.FontAcc = ini.LirePolice(s, "FontAcc", d.FontAcc);
    p.FontTxt = ini.LirePolice(s, "FontTxt", d.FontTxt);
    p.FontSign = ini.LirePolice(s, "FontSign", d.FontSign);
    p.FontNum = ini.LirePolice(s, "FontNum", d.FontNum);
    p.FontRenv = ini.LirePolice(s, "FontRenv", d.FontRenv);
    p.AffDiag = ini.LireBooleen(s, "AffDiag", d.AffDiag);
    p.AffChordsName = ini.LireBooleen(s, "AffChordsName", d.AffChordsName);
    p.AffTxt = ini.LireBooleen(s, "AffTxt", d.AffTxt);
    p.AffEff = ini.LireBooleen(s, "AffEff", d.AffEff);
    p.AffRyt = ini.LireBooleen(s, "AffRyt", d.AffRyt);
    p.AffNum = ini.LireBooleen(s, "AffNum", d.AffNum);
    p.AffListChord = ini.LireBooleen(s, "AffListChord", d.AffListChord);
    p.ColDiag = ini.LireEntier(s, "ColDiag", d.ColDiag);
    p.ColLines = ini.LireEntier(s, "ColLines", d.ColLines);
    p.ColRythm = ini.LireEntier(s, "ColRythm", d.ColRythm);
    p.ColEff = ini.LireEntier(s, "ColEff", d.ColEff);
    p.ColBackG = ini.LireEntier(s, "ColBackG", d.ColBackG);
    p.ColBadBar = ini.LireEntier(s, "ColBadBar", d.ColBadBar);
    p.ColSelect = ini.LireEntier(s, "ColSelect", d.ColSelect);
    p.CoefPImp = ini.LireEntier(s, "CoefPImp", Entier10(d.CoefPImp)) / 10.0;
    p.CoefEspAff = ini.LireEntier(s, "CoefEspAff", d.CoefEspAff);
    p.TypeDiag = ini.LireEntier(s, "TypeDiag", d.TypeDiag);
    BornerParamEcran(p);
}

void EcrireParamEcran(cFichierIni &ini, const std::string &s, const TParamEcran &p)
{
    ini.EcrireEntier(s, "MargeGaucheLignes", p.MargeGaucheLignes);
    ini.EcrireEntier(s, "MargeDroiteLignes", p.MargeDroiteLignes);
    ini.EcrireEntier(s, "EspLignes", p.EspLignes);
    ini.EcrireEntier(s, "EspPortees", p.EspPortees);
    ini.EcrireEntier(s, "EspDiagAc", p.EspDiagAc);
    ini.EcrireEntier(s, "EspNomAc", p.EspNomAc);
    ini.EcrireEntier(s, "EspTexte", p.EspTexte);
    ini.EcrireEntier(s, "EpCroches", p.EpCroches);
    ini.EcrirePolice(s, "FontNotes", p.FontNotes);
    ini.EcrirePolice(s, "FontAcc", p.FontAcc);
    ini.EcrirePolice(s, "FontTxt", p.FontTxt);
    ini.EcrirePolice(s, "FontSign", p.FontSign);
    ini.EcrirePolice(s, "FontNum", p.FontNum);
    ini.EcrirePolice(s, "FontRenv", p.FontRenv);
    ini.EcrireBooleen(s, "AffDiag", p.AffDiag);
    ini.EcrireBooleen(s, "AffChordsName", p.AffChordsName);
    ini.EcrireBooleen(s, "AffTxt", p.AffTxt);
    ini.EcrireBooleen(s, "AffEff", p.AffEff);
    ini.EcrireBooleen(s, "AffRyt", p.AffRyt);
    ini.EcrireBooleen(s, "AffNum", p.AffNum);
    ini.EcrireBooleen(s, "AffListChord", p.AffListChord);
    ini.EcrireEntier(s, "ColDiag", p.ColDiag);
    ini.EcrireEntier(s, "ColLines", p.ColLines);
    ini.EcrireEntier(s, "ColRythm", p.ColRythm);
    ini.EcrireEntier(s, "ColEff", p.ColEff);
    ini.EcrireEntier(s, "ColBackG", p.ColBackG);
    ini.EcrireEntier(s, "ColBadBar", p.ColBadBar);
    ini.EcrireEntier(s, "ColSelect", p.ColSelect);
    ini.EcrireEntier(s, "CoefPImp", Entier10(p.CoefPImp));
    ini.EcrireEntier(s, "CoefEspAff", p.CoefEspAff);
    ini.EcrireEntier(s, "TypeDiag", p.TypeDiag);
}

void LireParamImp(const cFichierIni &ini, const std::string &s, TZoneImpression &p)
{
    const TZoneImpression d;
    p.MargeHautePart = ini.LireEntier(s, "MargeHautePart", EntierMm(d.MargeHautePart));
    p.MargeBassePart = ini.LireEntier(s, "MargeBassePart", EntierMm(d.MargeBassePart));
    p.MargeGaucheLignes = ini.LireEntier(s, "MargeGaucheLignes", EntierMm(d.MargeGaucheLignes));
    p.MargeDroiteLignes = ini.LireEntier(s, "MargeDroiteLignes", EntierMm(d.MargeDroiteLignes));
    p.FullPage = ini.LireBooleen(s, "FullPage", d.FullPage);
    p.Largeur_Prt = ini.LireEntier(s, "Largeur_Prt", EntierMm(d.Largeur_Prt));
    p.Hauteur_Prt = ini.LireEntier(s, "Hauteur_Prt", EntierMm(d.Hauteur_Prt));
    p.Center_Prt = ini.LireBooleen(s, "Center_Prt", d.Center_Prt);
    p.TracerCadre_Prt = ini.LireBooleen(s, "TracerCadre_Prt", d.TracerCadre_Prt);
    p.GlobalProportions_Prt = ini.LireEntier(s, "GlobalProportions_Prt", d.GlobalProportions_Prt);
    p.ChordSize_Prt = ini.LireEntier(s, "ChordSize_Prt", d.ChordSize_Prt);
    p.EspPortees_Prt = ini.LireEntier(s, "EspPortees_Prt", d.EspPortees_Prt);
    p.EspDiagAc_Prt = ini.LireEntier(s, "EspDiagAc_Prt", d.EspDiagAc_Prt);
    p.EspNomAc_Prt = ini.LireEntier(s, "EspNomAc_Prt", d.EspNomAc_Prt);
    p.EspTexte_Prt = ini.LireEntier(s, "EspTexte_Prt", d.EspTexte_Prt);
    p.Esp_Titre_Auteur_Prt = ini.LireEntier(s, "Esp_Titre_Auteur_Prt", d.Esp_Titre_Auteur_Prt);
    p.Esp_Auteur_Tab_Prt = ini.LireEntier(s, "Esp_Auteur_Tab_Prt", d.Esp_Auteur_Tab_Prt);
    p.CoefEspAff_Prt = ini.LireEntier(s, "CoefEspAff_Prt", d.CoefEspAff_Prt);
    p.CoefPImp = ini.LireEntier(s, "CoefPImp", Entier10(d.CoefPImp)) / 10.0;
    p.AffTitre_Prt = ini.LireBooleen(s, "AffTitre_Prt", d.AffTitre_Prt);
    p.AffAuteur_Prt = ini.LireBooleen(s, "AffAuteur_Prt", d.AffAuteur_Prt);
    p.AffComment_Prt = ini.LireBooleen(s, "AffComment_Prt", d.AffComment_Prt);
    p.AffTriplet_Prt = ini.LireBooleen(s, "AffTriplet_Prt", d.AffTriplet_Prt);
    p.AffNumP_Prt = ini.LireBooleen(s, "AffNumP_Prt", d.AffNumP_Prt);
    p.AffNum_Prt = ini.LireBooleen(s, "AffNum_Prt", d.AffNum_Prt);
    p.AffDiag_Prt = ini.LireBooleen(s, "AffDiag_Prt", d.AffDiag_Prt);
    p.AffChordsName_Prt = ini.LireBooleen(s, "AffChordsName_Prt", d.AffChordsName_Prt);
    p.AffListChord_Prt = ini.LireBooleen(s, "AffListChord_Prt", d.AffListChord_Prt);
    p.AffTxt_Prt = ini.LireBooleen(s, "AffTxt_Prt", d.AffTxt_Prt);
    p.AffEff_Prt = ini.LireBooleen(s, "AffEff_Prt", d.AffEff_Prt);
    p.AffRyt_Prt = ini.LireBooleen(s, "AffRyt_Prt", d.AffRyt_Prt);
    p.FontTitle_Prt = ini.LirePolice(s, "FontTitle_Prt", d.FontTitle_Prt);
    p.FontAuteur_Prt = ini.LirePolice(s, "FontAuteur_Prt", d.FontAuteur_Prt);
    p.FontComment_Prt = ini.LirePolice(s, "FontComment_Prt", d.FontComment_Prt);
    p.FontNumPage_Prt = ini.LirePolice(s, "FontNumPage_Prt", d.FontNumPage_Prt);
    p.FontNotes_Prt = ini.LirePolice(s, "FontNotes_Prt", d.FontNotes_Prt);
    p.FontAcc_Prt = ini.LirePolice(s, "FontAcc_Prt", d.FontAcc_Prt);
    p.FontTxt_Prt = ini.LirePolice(s, "FontTxt_Prt", d.FontTxt_Prt);
    p.FontSign_Prt = ini.LirePolice(s, "FontSign_Prt", d.FontSign_Prt);
    p.FontAccDiag_Prt = ini.LirePolice(s, "FontAccDiag_Prt", d.FontAccDiag_Prt);
    p.FontRenv_Prt = ini.LirePolice(s, "FontRenv_Prt", d.FontRenv_Prt);
    BornerParamImp(p);
}

void EcrireParamImp(cFichierIni &ini, const std::string &s, const TZoneImpression &p)
{
    ini.EcrireEntier(s, "MargeHautePart", EntierMm(p.MargeHautePart));
    ini.EcrireEntier(s, "MargeBassePart", EntierMm(p.MargeBassePart));
    ini.EcrireEntier(s, "MargeGaucheLignes", EntierMm(p.MargeGaucheLignes));
    ini.EcrireEntier(s, "MargeDroiteLignes", EntierMm(p.MargeDroiteLignes));
    ini.EcrireBooleen(s, "FullPage", p.FullPage);
    ini.EcrireEntier(s, "Largeur_Prt", EntierMm(p.Largeur_Prt));
    ini.EcrireEntier(s, "Hauteur_Prt", EntierMm(p.Hauteur_Prt));
    ini.EcrireBooleen(s, "Center_Prt", p.Center_Prt);
    ini.EcrireBooleen(s, "TracerCadre_Prt", p.TracerCadre_Prt);
    ini.EcrireEntier(s, "GlobalProportions_Prt", p.GlobalProportions_Prt);
    ini.EcrireEntier(s, "ChordSize_Prt", p.ChordSize_Prt);
    ini.EcrireEntier(s, "EspPortees_Prt", p.EspPortees_Prt);
    ini.EcrireEntier(s, "EspDiagAc_Prt", p.EspDiagAc_Prt);
    ini.EcrireEntier(s, "EspNomAc_Prt", p.EspNomAc_Prt);
    ini.EcrireEntier(s, "EspTexte_Prt", p.EspTexte_Prt);
    ini.EcrireEntier(s, "Esp_Titre_Auteur_Prt", p.Esp_Titre_Auteur_Prt);
    ini.EcrireEntier(s, "Esp_Auteur_Tab_Prt", p.Esp_Auteur_Tab_Prt);
    ini.EcrireEntier(s, "CoefEspAff_Prt", p.CoefEspAff_Prt);
    ini.EcrireEntier(s, "CoefPImp", Entier10(p.CoefPImp));
    ini.EcrireBooleen(s, "AffTitre_Prt", p.AffTitre_Prt);
    ini.EcrireBooleen(s, "AffAuteur_Prt", p.AffAuteur_Prt);
    ini.EcrireBooleen(s, "AffComment_Prt", p.AffComment_Prt);
    ini.EcrireBooleen(s, "AffTriplet_Prt", p.AffTriplet_Prt);
    ini.EcrireBooleen(s, "AffNumP_Prt", p.AffNumP_Prt);
    ini.EcrireBooleen(s, "AffNum_Prt", p.AffNum_Prt);
    ini.EcrireBooleen(s, "AffDiag_Prt", p.AffDiag_Prt);
    ini.EcrireBooleen(s, "AffChordsName_Prt", p.AffChordsName_Prt);
    ini.EcrireBooleen(s, "AffListChord_Prt", p.AffListChord_Prt);
    ini.EcrireBooleen(s, "AffTxt_Prt", p.AffTxt_Prt);
    ini.EcrireBooleen(s, "AffEff_Prt", p.AffEff_Prt);
    ini.EcrireBooleen(s, "AffRyt_Prt", p.AffRyt_Prt);
    ini.EcrirePolice(s, "FontTitle_Prt", p.FontTitle_Prt);
    ini.EcrirePolice(s, "FontAuteur_Prt", p.FontAuteur_Prt);
    ini.EcrirePolice(s, "FontComment_Prt", p.FontComment_Prt);
    ini.EcrirePolice(s, "FontNumPage_Prt", p.FontNumPage_Prt);
    ini.EcrirePolice(s, "FontNotes_Prt", p.FontNotes_Prt);
    ini.EcrirePolice(s, "FontAcc_Prt", p.FontAcc_Prt);
    ini.EcrirePolice(s, "FontTxt_Prt", p.FontTxt_Prt);
    ini.EcrirePolice(s, "FontSign_Prt", p.FontSign_Prt);
    ini.EcrirePolice(s, "FontAccDiag_Prt", p.FontAccDiag_Prt);
    ini.EcrirePolice(s, "FontRenv_Prt", p.FontRenv_Prt);
}

// ---- Load ------------------------------------------------------------------------------------

bool ChargerConfigDepuis(cConfig &c, const cFichierIni &ini, iDialoguesConfig *ui)
{
    const char *S = SecConfig;
    c.Version = ini.LireEntier(SecGeneral, "Version", 0);
    for (int n = 0; n < NbPortsConfig; ++n) {
        c.MidiOut[n] = ini.LireChaine(S, "MidiOut" + std::to_string(n + 1));
        c.PatchInstr[n] = ini.LireChaine(S, "PatchInstr" + std::to_string(n + 1));
    }
    c.PatcheLangue = ini.LireChaine(S, "PatcheLangue");
    if (!c.PatcheLangue.empty() && CheminPatch(c.PatcheLangue).empty())
        c.PatcheLangue.clear();

    c.ListeLangues = ConstruireListeLangues();
    bool continuer = true;
    if (c.ListeLangues.empty()) {
        if (ui)
            ui->MessageAucunPatch(MessageAucunPatchInstalle);
        continuer = false;
    }
    if (c.PatcheLangue.empty() && continuer) {
        const std::string choix = ui ? ui->ChoisirLangue(c.ListeLangues) : std::string();
        c.PatcheLangue = LangueInstallee(choix.empty() ? c.ListeLangues.front() : choix,
                                         c.ListeLangues);
    }
    if (!c.ListeLangues.empty() && continuer && !ChargerPatch(c.PatcheLangue)) {
        // The chosen file went away or cannot be read: any installed patch beats none.
        const std::string autre = LangueInstallee(std::string(), c.ListeLangues);
        if (ChargerPatch(autre))
            c.PatcheLangue = autre;
    }

    c.Repertoire = ini.LireChaine(S, CleRepertoire);
    c.BrushDuration = ini.LireEntier(S, "BrushDuration", 4);
    c.NuanceParDefaut = 6;
    c.EcouterGraceNote = ini.LireBooleen(S, "EcouterGraceNote", true);
    c.EcouterBrush = ini.LireBooleen(S, "EcouterBrush", true);
    c.EcouterDiagramme = ini.LireBooleen(S, "EcouterDiagramme", true);
    c.ShowLetRingNotes = ini.LireBooleen(S, "ShowLetRingNotes", false);
    c.ShowDynamic = ini.LireBooleen(S, "ShowDynamic", false);
    c.CleSol = ini.LireBooleen(S, "CleSol", true);
    c.CleFA = ini.LireBooleen(S, "CleFA", true);
    c.GraceNoteDuration = ini.LireEntier(S, "GraceNoteDuration", 1);
    c.NbColASCII = std::clamp(ini.LireEntier(S, "NbColASCII", 80), 40, 999);
    c.TypeImport = std::clamp(ini.LireEntier(S, "TypeImport", 0), 0, 4);
    c.NbTirets = std::clamp(ini.LireEntier(S, "NbTirets", 3), 0, 7);
    c.SignImpNum = std::clamp(ini.LireEntier(S, "SignImpNum", 3), 0, 31);
    c.SignImpDen = std::clamp(ini.LireEntier(S, "SignImpDen", 2), 0, 5);
    c.JouerPendantSaisie = ini.LireBooleen(S, "JouerPendantSaisie", true);
    c.Metronome = ini.LireBooleen(S, "Metronome", false);
    c.CountDown = ini.LireBooleen(S, "CountDown", false);
    c.AddDiag = ini.LireBooleen(S, "AddDiag", true);
    c.HelpFile = DeriverHelpFile(ini.LireEntier(S, "HelpFile", 0), c.PatcheLangue);
    SelectionnerFichierAide(c.HelpFile);

    // Recent files that no longer exist drop out and the list closes up.
    int libre = 0;
    for (auto &f : c.Fichier)
        f.clear();
    for (int n = 1; n <= NbFichiersRecents; ++n) {
        const std::string f = ini.LireChaine(S, "Fichier" + std::to_string(n));
        if (!f.empty() && FichierExiste(f))
            c.Fichier[static_cast<std::size_t>(libre++)] = f;
    }

    c.VerifyRepeats = ini.LireBooleen(S, "VerifyRepeats", false);
    c.CheckDuration = ini.LireBooleen(S, "CheckDuration", false);
    c.StartingMusic = std::clamp(ini.LireEntier(S, "StartingMusic", 1), 1, 3);
    c.StartingFile = ini.LireChaine(S, "StartingFile");
    c.SoundFont = ini.LireChaine(S, "SoundFont");
    c.TypeScrolling = std::clamp(ini.LireEntier(S, "TypeScrolling", 1), 1, 2);
    c.MetronomeVolume = std::clamp(ini.LireEntier(S, "MetronomeVolume", 16), 0, 16);
    c.DifferentMetronomeFirstSound = ini.LireBooleen(S, "DifferentMetronomeFirstSound", true);
    c.PlayEffects = ini.LireBooleen(S, "PlayEffects", true);
    c.PlayRepeats = ini.LireBooleen(S, "PlayRepeats", true);
    c.ExportEffects = ini.LireBooleen(S, "ExportEffects", true);
    c.ExportRepeats = ini.LireBooleen(S, "ExportRepeats", true);
    c.UseRMTF = ini.LireBooleen(S, "UseRMTF", true);
    c.AlwaysAddBass = ini.LireBooleen(S, "AlwaysAddBass", false);
    c.NoteFollowingRectangle = ini.LireBooleen(S, "NoteFollowingRectangle", true);
    c.NoteFollowingTriangle = ini.LireBooleen(S, "NoteFollowingTriangle", true);
    c.NoteFollowingColor = ini.LireBooleen(S, "NoteFollowingColor", false);
    c.PLOnlinePeriod = std::clamp(ini.LireEntier(S, "PLOnlinePeriod", 3), 0, 4);
    c.PLOnlineAuto = ini.LireBooleen(S, "PLOnlineAuto", false);
    c.DateLastPLOnline = ini.LireChaine(S, "DateLastPLOnline", "20001004");

    for (int n = 0; n < NbPortsConfig; ++n)
        c.LimitBend[n] = ini.LireBooleen(S, "LimitBend" + std::to_string(n + 1), false);
    c.PremMidiSetup = ini.LireBooleen(S, "PremMidiSetup", true);
    c.DiagSimpleMoyenTout = std::clamp(ini.LireEntier(S, "DiagSimpleMoyenTout", 1), 0, 2);
    c.RzSizePanel_V_Width = 574;

    cInformations &d = c.DefInfo;
    d.Artiste = Couper(ini.LireChaine(S, "Def_Info_Artiste"), CapInformation);
    d.Album = Couper(ini.LireChaine(S, "Def_Info_Album"), CapInformation);
    d.Auteur = Couper(ini.LireChaine(S, "Def_Info_Auteur"), CapInformation);
    d.Droits = Couper(ini.LireChaine(S, "Def_Info_Copyright"), CapInformation);
    d.Tab = Couper(ini.LireChaine(S, "Def_Info_Tab"), CapInformation);
    d.Instructions = Couper(ini.LireChaine(S, "Def_Info_Instructions"), CapInformation);
    d.Notice.clear();
    const int nbNotice = ini.LireEntier(S, "Def_Info_NbLNotice", 0);
    // A damaged count must not make the loader read a billion absent keys.
    const int nbLu = nbNotice > 10000 ? 10000 : nbNotice;
    for (int n = 1; n <= nbLu; ++n)
        d.AjouterNotice(ini.LireChaine(S, "Def_Info_Notice" + std::to_string(n)));
    d.TripletFeel = ini.LireBooleen(S, "Def_Info_TripletFeel", false);

    LireParamEcran(ini, "ParamEcran", c.ParamEcran, TParamEcran());
    for (int k = 0; k < 3; ++k)
        LireParamEcran(ini, "ParamEcran_US" + std::to_string(k + 1),
                       c.ParamEcran_US[static_cast<std::size_t>(k)], TParamEcran::Preset());
    LireParamImp(ini, "ParamImp", c.ParamImp);
    c.BlackBlocks = ini.LireBooleen("ParamImp", "BlackBlocks", false);
    for (int k = 0; k < 3; ++k)
        LireParamImp(ini, "ParamImp_US" + std::to_string(k + 1),
                     c.ParamImp_US[static_cast<std::size_t>(k)]);

    c.BibliothequeAccords.clear();
    const int total = ini.LireEntier(SecChords, "Total", 0);
    for (int i = 1; i <= total; ++i) {
        const std::string v = ini.LireChaine(SecChords, CleAccordBibliotheque(i));
        if (v.empty())
            break;
        auto d = std::make_unique<cDiagramme>();
        // A damaged entry is left out; the ones after it still load.
        if (DecoderAccordBibliotheque(v, *d))
            c.BibliothequeAccords.push_back(std::move(d));
    }
    return continuer;
}

// ---- Save ------------------------------------------------------------------------------------

void EcrireConfig(const cConfig &c, cFichierIni &ini)
{
    const char *S = SecConfig;
    ini.EcrireEntier(SecGeneral, "Version", 300);
    for (int n = 0; n < NbPortsConfig; ++n) {
        ini.EcrireChaine(S, "MidiOut" + std::to_string(n + 1), c.MidiOut[n]);
        ini.EcrireChaine(S, "PatchInstr" + std::to_string(n + 1), c.PatchInstr[n]);
    }
    ini.EcrireChaine(S, "PatcheLangue", c.PatcheLangue);
    for (int n = 0; n < NbFichiersRecents; ++n)
        ini.EcrireChaine(S, "Fichier" + std::to_string(n + 1), c.Fichier[n]);
    ini.EcrireChaine(S, CleRepertoire, c.Repertoire);
    ini.EcrireEntier(S, "BrushDuration", c.BrushDuration);
    ini.EcrireBooleen(S, "EcouterGraceNote", c.EcouterGraceNote);
    ini.EcrireBooleen(S, "EcouterBrush", c.EcouterBrush);
    ini.EcrireBooleen(S, "EcouterDiagramme", c.EcouterDiagramme);
    ini.EcrireBooleen(S, "ShowLetRingNotes", c.ShowLetRingNotes);
    ini.EcrireBooleen(S, "ShowDynamic", c.ShowDynamic);
    ini.EcrireBooleen(S, "CleSol", c.CleSol);
    ini.EcrireBooleen(S, "CleFA", c.CleFA);
    ini.EcrireEntier(S, "GraceNoteDuration", c.GraceNoteDuration);
    ini.EcrireEntier(S, "NbColASCII", c.NbColASCII);
    ini.EcrireEntier(S, "TypeImport", c.TypeImport);
    ini.EcrireEntier(S, "NbTirets", c.NbTirets);
    ini.EcrireEntier(S, "SignImpNum", c.SignImpNum);
    ini.EcrireEntier(S, "SignImpDen", c.SignImpDen);
    ini.EcrireBooleen(S, "JouerPendantSaisie", c.JouerPendantSaisie);
    ini.EcrireBooleen(S, "Metronome", c.Metronome);
    ini.EcrireBooleen(S, "CountDown", c.CountDown);
    ini.EcrireBooleen(S, "AddDiag", c.AddDiag);
    ini.EcrireEntier(S, "HelpFile", c.HelpFile);
    ini.EcrireBooleen(S, "VerifyRepeats", c.VerifyRepeats);
    ini.EcrireBooleen(S, "CheckDuration", c.CheckDuration);
    ini.EcrireEntier(S, "StartingMusic", c.StartingMusic);
    ini.EcrireChaine(S, "StartingFile", c.StartingFile);
    ini.EcrireChaine(S, "SoundFont", c.SoundFont);
    ini.EcrireEntier(S, "TypeScrolling", c.TypeScrolling);
    ini.EcrireEntier(S, "MetronomeVolume", c.MetronomeVolume);
    ini.EcrireBooleen(S, "DifferentMetronomeFirstSound", c.DifferentMetronomeFirstSound);
    ini.EcrireBooleen(S, "PlayEffects", c.PlayEffects);
    ini.EcrireBooleen(S, "PlayRepeats", c.PlayRepeats);
    ini.EcrireBooleen(S, "ExportEffects", c.ExportEffects);
    ini.EcrireBooleen(S, "ExportRepeats", c.ExportRepeats);
    ini.EcrireBooleen(S, "UseRMTF", c.UseRMTF);
    ini.EcrireBooleen(S, "AlwaysAddBass", c.AlwaysAddBass);
    ini.EcrireBooleen(S, "NoteFollowingRectangle", c.NoteFollowingRectangle);
    ini.EcrireBooleen(S, "NoteFollowingTriangle", c.NoteFollowingTriangle);
    ini.EcrireBooleen(S, "NoteFollowingColor", c.NoteFollowingColor);
    ini.EcrireEntier(S, "PLOnlinePeriod", c.PLOnlinePeriod);
    ini.EcrireBooleen(S, "PLOnlineAuto", c.PLOnlineAuto);
    ini.EcrireChaine(S, "DateLastPLOnline", c.DateLastPLOnline);
    for (int n = 0; n < NbPortsConfig; ++n)
        ini.EcrireBooleen(S, "LimitBend" + std::to_string(n + 1), c.LimitBend[n]);
    ini.EcrireBooleen(S, "PremMidiSetup", c.PremMidiSetup);
    ini.EcrireEntier(S, "DiagSimpleMoyenTout", c.DiagSimpleMoyenTout);
    ini.EcrireEntier(S, "RzSizePanel_V_Width", c.RzSizePanel_V_Width);
    ini.EcrireEntier(S, "RzSizePanel_H_Height", c.RzSizePanel_H_Height);

    const cInformations &d = c.DefInfo;
    ini.EcrireChaine(S, "Def_Info_Artiste", d.Artiste);
    ini.EcrireChaine(S, "Def_Info_Album", d.Album);
    ini.EcrireChaine(S, "Def_Info_Auteur", d.Auteur);
    ini.EcrireChaine(S, "Def_Info_Copyright", d.Droits);
    ini.EcrireChaine(S, "Def_Info_Tab", d.Tab);
    ini.EcrireChaine(S, "Def_Info_Instructions", d.Instructions);
    ini.EcrireEntier(S, "Def_Info_NbLNotice", static_cast<int>(d.Notice.size()));
    for (std::size_t n = 0; n < d.Notice.size(); ++n)
        ini.EcrireChaine(S, "Def_Info_Notice" + std::to_string(n + 1), d.Notice[n]);
    ini.EcrireBooleen(S, "Def_Info_TripletFeel", d.TripletFeel);

    EcrireParamEcran(ini, "ParamEcran", c.ParamEcran);
    for (int k = 0; k < 3; ++k)
        EcrireParamEcran(ini, "ParamEcran_US" + std::to_string(k + 1),
                         c.ParamEcran_US[static_cast<std::size_t>(k)]);
    EcrireParamImp(ini, "ParamImp", c.ParamImp);
    for (int k = 0; k < 3; ++k)
        EcrireParamImp(ini, "ParamImp_US" + std::to_string(k + 1),
                       c.ParamImp_US[static_cast<std::size_t>(k)]);
    ini.EcrireBooleen("ParamImp", "BlackBlocks", c.BlackBlocks);

    // The library is written whole: stale entries beyond the new total would come back if a
    // later total grew again, so the section starts afresh.
    ini.EffacerSection(SecChords);
    ini.EcrireEntier(SecChords, "Total", static_cast<int>(c.BibliothequeAccords.size()));
    for (std::size_t i = 0; i < c.BibliothequeAccords.size(); ++i)
        ini.EcrireChaine(SecChords, CleAccordBibliotheque(static_cast<int>(i + 1)),
                         CoderAccordBibliotheque(*c.BibliothequeAccords[i]));
}

bool ChargerConfig(iDialoguesConfig *ui)
{
    delete Config;
    Config = new cConfig;
    cFichierIni ini;
    ini.Charger(CheminConfiguration());
    return ChargerConfigDepuis(*Config, ini, ui);
}

bool EnregistrerConfig()
{
    if (!Config)
        return false;
    std::error_code ec;
    const auto ici = std::filesystem::current_path(ec);
    if (!ec)
        Config->Repertoire = ici.string();
    const std::string chemin = CheminConfiguration();
    cFichierIni ini;
    // The sections other windows own (browser, toolbars, window places) are kept.
    ini.Charger(chemin);
    EcrireConfig(*Config, ini);
    const bool ok = ini.Enregistrer(chemin);
    delete Config;
    Config = nullptr;
    return ok;
}

std::vector<rElementLangue> MenuLangues(const cConfig &c)
{
    std::vector<rElementLangue> m;
    for (std::size_t i = 0; i < c.ListeLangues.size(); ++i) {
        rElementLangue e;
        e.Langue = c.ListeLangues[i];
        e.Actif = i >= 4 || !CheminPatch(e.Langue).empty();
        e.Coche = e.Langue == c.PatcheLangue;
        e.SeparateurApres = i == 3 && c.ListeLangues.size() > 4;
        m.push_back(e);
    }
    return m;
}

bool ChangerLangue(cConfig &c, const std::string &langue)
{
    if (!ChargerPatch(langue))
        return false;
    c.PatcheLangue = langue;
    if (const int h = HelpFilePourLangue(langue); h != 0) {
        c.HelpFile = h;
        SelectionnerFichierAide(h);
    }
    return true;
}

void ReglagesAccords(bool &toujoursBasse, int &niveau)
{
    if (Config) {
        toujoursBasse = Config->AlwaysAddBass;
        niveau = Config->DiagSimpleMoyenTout;
        return;
    }
    cFichierIni ini;
    ini.Charger(CheminConfiguration());
    toujoursBasse = ini.LireBooleen(SecConfig, "AlwaysAddBass", false);
    niveau = std::clamp(ini.LireEntier(SecConfig, "DiagSimpleMoyenTout", 1), 0, 2);
}
