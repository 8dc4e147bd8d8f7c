// The settings object: defaults, every key through a save and a load, the load order at start,
// recent files, the chord library and where the settings file lives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "DossierTemp.h"
#include "config/uConfig.h"
#include "config/uEmplacements.h"
#include "config/uPatch.h"

namespace {

class cFauxDialogues : public iDialoguesConfig {
public:
    int NbMessages = 0, NbChoix = 0;
    std::string Message, Reponse;
    std::vector<std::string> ListeVue;
    void MessageAucunPatch(const std::string &t) override
    {
        ++NbMessages;
        Message = t;
    }
    std::string ChoisirLangue(const std::vector<std::string> &l) override
    {
        ++NbChoix;
        ListeVue = l;
        return Reponse;
    }
};

std::map<std::string, std::string> Lignes(const std::string &texte)
{
    // "[Section]key" -> value
    std::map<std::string, std::string> m;
    std::istringstream in(texte);
    std::string l, section;
    while (std::getline(in, l)) {
        if (!l.empty() && l.back() == '\r')
            l.pop_back();
        if (l.empty())
            continue;
        if (l[0] == '[') {
            section = l;
            continue;
        }
        const auto e = l.find('=');
        m[section + l.substr(0, e)] = l.substr(e + 1);
    }
    return m;
}

std::string TexteConfig(const cConfig &c)
{
    cFichierIni ini;
    EcrireConfig(c, ini);
    return ini.Texte();
}

TEST(Config, ConstructorAndNeverSavedValues)
{
    cConfig c;
    EXPECT_EQ(c.NbColASCII, 80);
    EXPECT_EQ(c.DiagSimpleMoyenTout, 1);
    EXPECT_TRUE(c.AddDiag);
    EXPECT_FALSE(c.AlwaysAddBass);
    EXPECT_TRUE(c.CleSol);
    EXPECT_TRUE(c.CleFA);
    EXPECT_TRUE(c.ParamEcran.AffChordsName);
    EXPECT_EQ(c.DerniereDureeBrush, 3);
    EXPECT_EQ(c.NuanceParDefaut, 6);
    c.NuanceParDefaut = 2;
    c.DerniereDureeBrush = 5;
    const std::string t = TexteConfig(c);
    EXPECT_EQ(t.find("Nuance"), std::string::npos);
    EXPECT_EQ(t.find("DerniereDuree"), std::string::npos);
    // Reading puts the default dynamic back to forte.
    cInstallationTemp inst;
    inst.Installer("English.pll");
    cFichierIni ini;
    ini.ChargerTexte("[Config]\nPatcheLangue=English\n");
    ChargerConfigDepuis(c, ini, nullptr);
    EXPECT_EQ(c.NuanceParDefaut, 6);
    EXPECT_EQ(c.DerniereDureeBrush, 5); // lives as long as the program
}

TEST(Config, DefaultsWrittenKeyByKey)
{
    const auto m = Lignes(TexteConfig(cConfig()));
    const std::pair<const char *, const char *> attendus[] = {
        {"[General]Version", "300"},
        {"[Config]MidiOut1", ""}, {"[Config]PatchInstr4", ""}, {"[Config]PatcheLangue", ""},
        {"[Config]R\xE9pertoire", ""}, {"[Config]BrushDuration", "4"},
        {"[Config]EcouterGraceNote", "1"}, {"[Config]EcouterBrush", "1"},
        {"[Config]EcouterDiagramme", "1"}, {"[Config]ShowLetRingNotes", "0"},
        {"[Config]ShowDynamic", "0"}, {"[Config]CleSol", "1"}, {"[Config]CleFA", "1"},
        {"[Config]GraceNoteDuration", "1"}, {"[Config]NbColASCII", "80"},
        {"[Config]TypeImport", "0"}, {"[Config]NbTirets", "3"}, {"[Config]SignImpNum", "3"},
        {"[Config]SignImpDen", "2"}, {"[Config]JouerPendantSaisie", "1"},
        {"[Config]Metronome", "0"}, {"[Config]CountDown", "0"}, {"[Config]AddDiag", "1"},
        {"[Config]HelpFile", "0"}, {"[Config]Fichier1", ""}, {"[Config]Fichier5", ""},
        {"[Config]VerifyRepeats", "0"}, {"[Config]CheckDuration", "0"},
        {"[Config]StartingMusic", "1"}, {"[Config]StartingFile", ""}, {"[Config]SoundFont", ""},
        {"[Config]TypeScrolling", "1"}, {"[Config]MetronomeVolume", "16"},
        {"[Config]DifferentMetronomeFirstSound", "1"}, {"[Config]PlayEffects", "1"},
        {"[Config]PlayRepeats", "1"}, {"[Config]ExportEffects", "1"},
        {"[Config]ExportRepeats", "1"}, {"[Config]UseRMTF", "1"},
        {"[Config]AlwaysAddBass", "0"}, {"[Config]NoteFollowingRectangle", "1"},
        {"[Config]NoteFollowingTriangle", "1"}, {"[Config]NoteFollowingColor", "0"},
        {"[Config]PLOnlinePeriod", "3"}, {"[Config]PLOnlineAuto", "0"},
        {"[Config]DateLastPLOnline", "20001004"}, {"[Config]LimitBend1", "0"},
        {"[Config]LimitBend4", "0"}, {"[Config]PremMidiSetup", "1"},
        {"[Config]DiagSimpleMoyenTout", "1"}, {"[Config]RzSizePanel_V_Width", "574"},
        {"[Config]Def_Info_Artiste", ""}, {"[Config]Def_Info_Copyright", ""},
        {"[Config]Def_Info_Instructions", ""}, {"[Config]Def_Info_NbLNotice", "0"},
        {"[Config]Def_Info_TripletFeel", "0"},
        {"[ParamEcran]MargeGaucheLignes", "15"}, {"[ParamEcran]EspPortees", "102"},
        {"[ParamEcran]EspDiagAc", "20"}, {"[ParamEcran]EspNomAc", "18"},
        {"[ParamEcran]EspTexte", "31"}, {"[ParamEcran]EpCroches", "2"},
        {"[ParamEcran]FontNotes_Name", "Arial"}, {"[ParamEcran]FontNotes_Bold", "1"},
        {"[ParamEcran]FontTxt_Italic", "1"}, {"[ParamEcran]FontSign_Size", "12"},
        {"[ParamEcran]FontNum_Name", "Small Fonts"}, {"[ParamEcran]FontNum_Col", "255"},
        {"[ParamEcran]FontRenv_Italic", "1"}, {"[ParamEcran]AffListChord", "1"},
        {"[ParamEcran]ColLines", "8421504"}, {"[ParamEcran]ColBackG", "16777215"},
        {"[ParamEcran]ColBadBar", "255"}, {"[ParamEcran]ColSelect", "8421504"},
        {"[ParamEcran]CoefPImp", "15"}, {"[ParamEcran]CoefEspAff", "5"},
        {"[ParamEcran]TypeDiag", "3"},
        {"[ParamEcran_US2]MargeGaucheLignes", "38"}, {"[ParamEcran_US3]MargeDroiteLignes", "38"},
        {"[ParamEcran_US1]ColLines", "0"}, {"[ParamEcran_US1]EspLignes", "10"},
        {"[ParamImp]MargeHautePart", "15"}, {"[ParamImp]MargeBassePart", "10"},
        {"[ParamImp]FullPage", "1"}, {"[ParamImp]Largeur_Prt", "100"},
        {"[ParamImp]CoefEspAff_Prt", "5"}, {"[ParamImp]CoefPImp", "15"},
        {"[ParamImp]AffRyt_Prt", "1"}, {"[ParamImp]BlackBlocks", "0"},
        {"[ParamImp]FontTitle_Prt_Size", "20"}, {"[ParamImp]FontNumPage_Prt_Italic", "1"},
        {"[ParamImp]FontAccDiag_Prt_Size", "7"}, {"[ParamImp_US3]MargeHautePart", "15"},
        {"[ChordsLib]Total", "0"},
    };
    for (const auto &[cle, valeur] : attendus) {
        const auto it = m.find(cle);
        ASSERT_NE(it, m.end()) << cle;
        EXPECT_EQ(it->second, valeur) << cle;
    }
    EXPECT_EQ(m.count("[ParamImp_US1]BlackBlocks"), 0u); // exists only once
}

// Every stored field set away from its default.
void ToutModifier(cConfig &c, const std::string &dossier)
{
    for (int n = 0; n < 4; ++n) {
        c.MidiOut[n] = "Device " + std::to_string(n);
        c.PatchInstr[n] = "Patch" + std::to_string(n) + ".plp";
        c.LimitBend[n] = true;
    }
    c.PatcheLangue = "English";
    c.Repertoire = dossier;
    c.BrushDuration = 2;
    c.EcouterGraceNote = c.EcouterBrush = c.EcouterDiagramme = false;
    c.ShowLetRingNotes = c.ShowDynamic = true;
    c.CleSol = false;
    c.CleFA = false;
    c.GraceNoteDuration = 3;
    c.NbColASCII = 132;
    c.TypeImport = 4;
    c.NbTirets = 7;
    c.SignImpNum = 11;
    c.SignImpDen = 5;
    c.JouerPendantSaisie = false;
    c.Metronome = c.CountDown = true;
    c.AddDiag = false;
    c.HelpFile = 3;
    for (int n = 0; n < 5; ++n)
        c.Fichier[n] = dossier + "f" + std::to_string(n) + ".pl3";
    c.VerifyRepeats = c.CheckDuration = true;
    c.StartingMusic = 2;
    c.StartingFile = "/sounds/start.wav";
    c.SoundFont = "/sounds/better.sf2";
    c.TypeScrolling = 2;
    c.MetronomeVolume = 9;
    c.DifferentMetronomeFirstSound = c.PlayEffects = c.PlayRepeats = false;
    c.ExportEffects = c.ExportRepeats = c.UseRMTF = false;
    c.AlwaysAddBass = true;
    c.NoteFollowingRectangle = c.NoteFollowingTriangle = false;
    c.NoteFollowingColor = true;
    c.PLOnlinePeriod = 1;
    c.PLOnlineAuto = true;
    c.DateLastPLOnline = "20261209";
    c.PremMidiSetup = false;
    c.DiagSimpleMoyenTout = 2;
    c.RzSizePanel_V_Width = 574; // written, never read: the start-up width
    c.RzSizePanel_H_Height = 321;
    c.DefInfo.Artiste = "Art\xEFste";
    c.DefInfo.Album = "Album";
    c.DefInfo.Auteur = "Author";
    c.DefInfo.Droits = "(c) 2026";
    c.DefInfo.Tab = "Tabber";
    c.DefInfo.Instructions = "Play it slow";
    c.DefInfo.AjouterNotice("First notice line");
    c.DefInfo.AjouterNotice("  second, indented");
    c.DefInfo.TripletFeel = true;
    const auto ecran = [](TParamEcran &p, int k) {
        p.MargeGaucheLignes = 20 + k;
        p.MargeDroiteLignes = 21 + k;
        p.EspLignes = 12 + k;
        p.EspPortees = 90 + k;
        p.EspDiagAc = 25 + k;
        p.EspNomAc = 19 + k;
        p.EspTexte = 33 + k;
        p.EpCroches = 4 + k;
        for (TMyFont *f : {&p.FontNotes, &p.FontAcc, &p.FontTxt, &p.FontSign, &p.FontNum,
                           &p.FontRenv}) {
            f->Name = "Courier " + std::to_string(k);
            f->Size = 14 + k;
            f->Bold = !f->Bold;
            f->Italic = !f->Italic;
            f->Col = 1234 + k;
        }
        p.AffDiag = p.AffChordsName = p.AffTxt = p.AffEff = p.AffRyt = p.AffNum =
            p.AffListChord = false;
        p.ColDiag = 1 + k;
        p.ColLines = 2 + k;
        p.ColRythm = 3 + k;
        p.ColEff = 4 + k;
        p.ColBackG = 5 + k;
        p.ColBadBar = 6 + k;
        p.ColSelect = 7 + k;
        p.CoefPImp = 1.2;
        p.CoefEspAff = 8;
        p.TypeDiag = 1;
    };
    ecran(c.ParamEcran, 0);
    for (int k = 0; k < 3; ++k)
        ecran(c.ParamEcran_US[k], k + 1);
    const auto imp = [](TZoneImpression &p, int k) {
        p.MargeHautePart = 20 + k;
        p.MargeBassePart = 21 + k;
        p.MargeGaucheLignes = 22 + k;
        p.MargeDroiteLignes = 23 + k;
        p.FullPage = p.Center_Prt = p.TracerCadre_Prt = false;
        p.Largeur_Prt = 150 + k;
        p.Hauteur_Prt = 160 + k;
        p.GlobalProportions_Prt = -10 - k;
        p.ChordSize_Prt = 11 + k;
        p.EspPortees_Prt = 12 + k;
        p.EspDiagAc_Prt = 13 + k;
        p.EspNomAc_Prt = 14 + k;
        p.EspTexte_Prt = 15 + k;
        p.Esp_Titre_Auteur_Prt = 16 + k;
        p.Esp_Auteur_Tab_Prt = 17 + k;
        p.CoefEspAff_Prt = 9;
        p.CoefPImp = 2.0;
        for (bool *b : {&p.AffTitre_Prt, &p.AffAuteur_Prt, &p.AffComment_Prt, &p.AffTriplet_Prt,
                        &p.AffNumP_Prt, &p.AffNum_Prt, &p.AffDiag_Prt, &p.AffChordsName_Prt,
                        &p.AffListChord_Prt, &p.AffTxt_Prt, &p.AffEff_Prt, &p.AffRyt_Prt})
            *b = false;
        for (TMyFont *f : {&p.FontTitle_Prt, &p.FontAuteur_Prt, &p.FontComment_Prt,
                           &p.FontNumPage_Prt, &p.FontNotes_Prt, &p.FontAcc_Prt, &p.FontTxt_Prt,
                           &p.FontSign_Prt, &p.FontAccDiag_Prt, &p.FontRenv_Prt}) {
            f->Name = "Times " + std::to_string(k);
            f->Size = 30 + k;
            f->Bold = !f->Bold;
            f->Italic = !f->Italic;
            f->Col = 99 + k;
        }
    };
    imp(c.ParamImp, 0);
    for (int k = 0; k < 3; ++k)
        imp(c.ParamImp_US[k], k + 1);
    c.BlackBlocks = true;
    for (int i = 0; i < 2; ++i) {
        auto d = std::make_unique<cDiagramme>();
        d->Fondamentale = 5 + i;
        d->NbBarres = 1;
        d->BarreCase[0] = 1;
        d->BarreDebut[0] = 1;
        d->BarreFin[0] = 6;
        d->ChangerNom("F" + std::to_string(i));
        c.BibliothequeAccords.push_back(std::move(d));
    }
}

TEST(Config, SaveThenLoadRestoresEveryKey)
{
    cInstallationTemp inst;
    inst.Installer("English.pll");
    cConfig avant;
    ToutModifier(avant, inst.Chemin);
    for (const auto &f : avant.Fichier)
        std::ofstream(f) << "x";
    const std::string texte = TexteConfig(avant);

    // The modification reaches every key but the version.
    const auto modifie = Lignes(texte);
    const auto defaut = Lignes(TexteConfig(cConfig()));
    for (const auto &[cle, valeur] : defaut) {
        if (cle == "[General]Version" || cle == "[Config]RzSizePanel_V_Width")
            continue;
        ASSERT_TRUE(modifie.count(cle)) << cle;
        EXPECT_NE(modifie.at(cle), valeur) << "not exercised: " << cle;
    }

    cFichierIni ini;
    ini.ChargerTexte(texte);
    cConfig apres;
    cFauxDialogues ui;
    ASSERT_TRUE(ChargerConfigDepuis(apres, ini, &ui));
    EXPECT_EQ(ui.NbChoix, 0);
    // The horizontal splitter height is written for the record but never read back.
    EXPECT_EQ(apres.RzSizePanel_H_Height, 0);
    apres.RzSizePanel_H_Height = avant.RzSizePanel_H_Height;
    EXPECT_EQ(TexteConfig(apres), texte);
    EXPECT_EQ(apres.ParamEcran, avant.ParamEcran);
    EXPECT_EQ(apres.ParamEcran_US, avant.ParamEcran_US);
    EXPECT_EQ(apres.ParamImp, avant.ParamImp);
    EXPECT_EQ(apres.ParamImp_US, avant.ParamImp_US);
    EXPECT_DOUBLE_EQ(apres.ParamEcran.CoefPImp, 1.2);
    EXPECT_EQ(apres.DefInfo.Notice, avant.DefInfo.Notice);
    ASSERT_EQ(apres.BibliothequeAccords.size(), 2u);
    EXPECT_EQ(apres.BibliothequeAccords[1]->NomTexte(), "F1");
}

TEST(Config, PresetsStartWithWideMarginsAndBlackLines)
{
    cInstallationTemp inst;
    inst.Installer("English.pll");
    cFichierIni ini;
    ini.ChargerTexte("[Config]\nPatcheLangue=English\n");
    cConfig c;
    ChargerConfigDepuis(c, ini, nullptr);
    EXPECT_EQ(c.ParamEcran.MargeGaucheLignes, 15);
    EXPECT_EQ(c.ParamEcran.ColLines, 8421504);
    for (const auto &p : c.ParamEcran_US) {
        EXPECT_EQ(p.MargeGaucheLignes, 38);
        EXPECT_EQ(p.MargeDroiteLignes, 38);
        EXPECT_EQ(p.ColLines, 0);
        EXPECT_EQ(p.EspPortees, 102);
    }
    EXPECT_DOUBLE_EQ(c.ParamImp.CoefPImp, 1.5);
    EXPECT_DOUBLE_EQ(c.ParamImp.MargeHautePart, 15.0);
}

TEST(Config, SizesAndScalesFromAHandEditedFileAreBroughtIntoRange)
{
    cInstallationTemp inst;
    inst.Installer("English.pll");
    cFichierIni ini;
    // Zero or negative sizes would divide by zero or draw nothing; huge ones would not fit.
    ini.ChargerTexte("[Config]\nPatcheLangue=English\nNbColASCII=0\nMetronomeVolume=99\n"
                     "TypeScrolling=7\nDiagSimpleMoyenTout=-1\n"
                     "[ParamEcran]\nEspLignes=0\nEpCroches=-3\nCoefPImp=0\nCoefEspAff=50\n"
                     "FontNotes_Size=0\nFontNotes_Name=\nTypeDiag=9\nMargeGaucheLignes=-10\n"
                     "[ParamImp]\nCoefPImp=-5\nLargeur_Prt=0\nGlobalProportions_Prt=1000\n"
                     "FontTitle_Prt_Size=500\nMargeHautePart=-1\n");
    cConfig c;
    ChargerConfigDepuis(c, ini, nullptr);
    EXPECT_EQ(c.NbColASCII, 40);
    EXPECT_EQ(c.MetronomeVolume, 16);
    EXPECT_EQ(c.TypeScrolling, 2);
    EXPECT_EQ(c.DiagSimpleMoyenTout, 0);
    const TParamEcran &e = c.ParamEcran;
    EXPECT_EQ(e.EspLignes, 4);
    EXPECT_EQ(e.EpCroches, 1);
    EXPECT_DOUBLE_EQ(e.CoefPImp, 1.0);
    EXPECT_EQ(e.CoefEspAff, 10);
    EXPECT_EQ(e.FontNotes.Size, 4);
    EXPECT_EQ(e.FontNotes.Name, "Arial");
    EXPECT_EQ(e.TypeDiag, 3);
    EXPECT_EQ(e.MargeGaucheLignes, 0);
    const TZoneImpression &i = c.ParamImp;
    EXPECT_DOUBLE_EQ(i.CoefPImp, 1.0);
    EXPECT_DOUBLE_EQ(i.Largeur_Prt, 10.0);
    EXPECT_EQ(i.GlobalProportions_Prt, 40);
    EXPECT_EQ(i.FontTitle_Prt.Size, 72);
    EXPECT_DOUBLE_EQ(i.MargeHautePart, 0.0);
    // Values in range are kept as they are.
    EXPECT_EQ(c.ParamEcran.EspPortees, 102);
}

TEST(Config, FirstStartWithOnlyGermanInstalled)
{
    cInstallationTemp inst;
    inst.Installer("Deutsch.pll");
    cFauxDialogues ui;
    ui.Reponse = "Deutsch";
    ASSERT_TRUE(ChargerConfig(&ui));
    ASSERT_NE(Config, nullptr);
    EXPECT_EQ(ui.NbChoix, 1);
    const std::vector<std::string> quatre = {"English", "Fran\347ais", "Deutsch", "Espa\xF1ol"};
    EXPECT_EQ(ui.ListeVue, quatre);
    EXPECT_EQ(Config->PatcheLangue, "Deutsch");
    EXPECT_EQ(Traduction("Dlg-Erreur"), "Fehler");
    EXPECT_EQ(Config->HelpFile, 3);
    EXPECT_EQ(FichierAideCourant(), inst.Chemin + "PL_de.hlp");
    // The first save creates the file.
    EXPECT_TRUE(EnregistrerConfig());
    EXPECT_EQ(Config, nullptr);
    cFichierIni ini;
    ASSERT_TRUE(ini.Charger(inst.Chemin + "Plec300.ini"));
    EXPECT_EQ(ini.LireChaine("Config", "PatcheLangue"), "Deutsch");
    EXPECT_EQ(ini.LireEntier("Config", "HelpFile", 0), 3);
}

TEST(Config, WelcomeChoiceWithoutItsPatchTakesAnInstalledOne)
{
    cInstallationTemp inst;
    inst.Installer("Deutsch.pll");
    cFauxDialogues ui;
    ui.Reponse = "English"; // the window's fallback, not installed here
    cConfig c;
    cFichierIni ini;
    ASSERT_TRUE(ChargerConfigDepuis(c, ini, &ui));
    EXPECT_EQ(c.PatcheLangue, "Deutsch");
    EXPECT_EQ(Traduction("Dlg-Erreur"), "Fehler");
}

TEST(Config, FifthLanguageGetsFrenchHelp)
{
    cInstallationTemp inst;
    inst.Installer("English.pll", "Italiano.pll");
    cFauxDialogues ui;
    ui.Reponse = "Italiano";
    cConfig c;
    cFichierIni ini;
    ASSERT_TRUE(ChargerConfigDepuis(c, ini, &ui));
    ASSERT_EQ(c.ListeLangues.size(), 5u);
    EXPECT_EQ(c.ListeLangues[4], "Italiano");
    EXPECT_EQ(c.PatcheLangue, "Italiano");
    EXPECT_EQ(c.HelpFile, 1);
    // A stored help language is kept.
    ini.ChargerTexte("[Config]\nPatcheLangue=Italiano\nHelpFile=2\n");
    ChargerConfigDepuis(c, ini, &ui);
    EXPECT_EQ(c.HelpFile, 2);
}

TEST(Config, LanguageMenu)
{
    cInstallationTemp inst;
    inst.Installer("English.pll");
    inst.Installer("Deutsch.pll");
    inst.Installer("English.pll", "Italiano.pll");
    cConfig c;
    cFichierIni ini;
    ini.ChargerTexte("[Config]\nPatcheLangue=Deutsch\n");
    ChargerConfigDepuis(c, ini, nullptr);
    const auto m = MenuLangues(c);
    ASSERT_EQ(m.size(), 5u);
    const bool actifs[] = {true, false, true, false, true};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(m[i].Langue, c.ListeLangues[i]);
        EXPECT_EQ(m[i].Actif, actifs[i]) << m[i].Langue;
        EXPECT_EQ(m[i].Coche, m[i].Langue == "Deutsch");
        EXPECT_EQ(m[i].SeparateurApres, i == 3);
    }
    // Only the four built-in languages: no separator at the end.
    c.ListeLangues.resize(4);
    EXPECT_FALSE(MenuLangues(c).back().SeparateurApres);
}

TEST(Config, HelpFileDerivation)
{
    struct Cas {
        int stocke;
        const char *langue;
        int attendu;
    } cas[] = {{0, "English", 2}, {0, "Deutsch", 3}, {0, "Fran\347ais", 1},
               {0, "Espa\xF1ol", 1}, {0, "english", 1}, {2, "Deutsch", 2}};
    for (const auto &c : cas)
        EXPECT_EQ(DeriverHelpFile(c.stocke, c.langue), c.attendu) << c.langue;
    EXPECT_EQ(NomFichierAide(1), "PL_fr.hlp");
    EXPECT_EQ(NomFichierAide(2), "PL_en.hlp");
    EXPECT_EQ(NomFichierAide(3), "PL_de.hlp");
}

TEST(Config, StoredLanguageWithoutItsFileOpensTheWelcome)
{
    cInstallationTemp inst;
    inst.Installer("English.pll");
    cFauxDialogues ui;
    ui.Reponse = "English";
    cFichierIni ini;
    ini.ChargerTexte("[Config]\nPatcheLangue=Klingon\n");
    cConfig c;
    ASSERT_TRUE(ChargerConfigDepuis(c, ini, &ui));
    EXPECT_EQ(ui.NbChoix, 1);
    EXPECT_EQ(c.PatcheLangue, "English");
}

TEST(Config, NoPatchAtAllStopsStartUp)
{
    cInstallationTemp inst;
    cFauxDialogues ui;
    cFichierIni ini;
    ini.ChargerTexte("[Config]\nNbColASCII=100\nFichier1=/nonexistent.pl3\n");
    cConfig c;
    EXPECT_FALSE(ChargerConfigDepuis(c, ini, &ui));
    EXPECT_EQ(ui.NbMessages, 1);
    EXPECT_EQ(ui.Message, "No language patch installed (files *.pll).\r\rPlease install at least "
                          "one patch to start correctly the software.");
    EXPECT_EQ(ui.NbChoix, 0);
    EXPECT_TRUE(c.ListeLangues.empty());
    EXPECT_EQ(c.NbColASCII, 100); // reading went on to the end
}

TEST(Config, MissingRecentFilesCloseUp)
{
    cInstallationTemp inst;
    inst.Installer("English.pll");
    const std::string a = inst.Ecrire("a.pl3", "x"), c3 = inst.Ecrire("c.pl3", "x"),
                      d = inst.Ecrire("d.pl3", "x");
    cFichierIni ini;
    ini.ChargerTexte("[Config]\nPatcheLangue=English\nFichier1=" + a + "\nFichier2=" +
                     inst.Chemin + "deleted.pl3\nFichier3=" + c3 + "\nFichier4=\nFichier5=" + d +
                     "\n");
    cConfig c;
    ASSERT_TRUE(ChargerConfigDepuis(c, ini, nullptr));
    EXPECT_EQ(c.Fichier[0], a);
    EXPECT_EQ(c.Fichier[1], c3);
    EXPECT_EQ(c.Fichier[2], d);
    EXPECT_EQ(c.Fichier[3], "");
    EXPECT_EQ(c.Fichier[4], "");
    const auto m = Lignes(TexteConfig(c));
    EXPECT_EQ(m.at("[Config]Fichier2"), c3);
    EXPECT_EQ(m.at("[Config]Fichier5"), "");
}

TEST(Config, DefaultHeaderIsCutAndCounted)
{
    cInstallationTemp inst;
    inst.Installer("English.pll");
    cFichierIni ini;
    ini.ChargerTexte("[Config]\nPatcheLangue=English\nDef_Info_Artiste=" + std::string(300, 'a') +
                     "\nDef_Info_NbLNotice=2\nDef_Info_Notice1=one\nDef_Info_Notice2=two\n"
                     "Def_Info_Notice3=ignored\n");
    cConfig c;
    ChargerConfigDepuis(c, ini, nullptr);
    EXPECT_EQ(c.DefInfo.Artiste.size(), 255u);
    EXPECT_EQ(c.DefInfo.Notice, (std::vector<std::string>{"one", "two"}));
    // A negative or absurd count loads nothing harmful.
    ini.ChargerTexte("[Config]\nPatcheLangue=English\nDef_Info_NbLNotice=-4\n");
    ChargerConfigDepuis(c, ini, nullptr);
    EXPECT_TRUE(c.DefInfo.Notice.empty());
}

// ---- Chord library ----

TEST(ChordsLib, EncodingOfACMajor)
{
    cDiagramme d;
    d.Diese = true;
    d.Add = false;
    const bool omis[7] = {false, false, false, true, true, true, true};
    for (int k = 0; k < 7; ++k)
        d.Omis[k] = omis[k];
    d.Fondamentale = 0;
    d.PremiereCase = 1;
    d.Basse = 0;
    const int cases[6] = {0, 1, 0, 2, 3, -1};
    for (int k = 0; k < 6; ++k)
        d.Cases[k] = cases[k];
    d.ChangerNom("C");
    EXPECT_EQ(CoderAccordBibliotheque(d), "ONNNNOOOO" "AAAAAAABA" "BBCBDEA" "C");

    cDiagramme lu;
    ASSERT_TRUE(DecoderAccordBibliotheque(CoderAccordBibliotheque(d), lu));
    EXPECT_EQ(CoderAccordBibliotheque(lu), CoderAccordBibliotheque(d));
}

TEST(ChordsLib, TwoBarresAndALongNameWrittenByHand)
{
    // Barres at fret 1 (strings 1..6) and fret 3 (strings 2..4); a 25-character name.
    const std::string v = std::string("NONNNNNNN") + "FAAAAAABC" + "BCDDCBB" + "BBG" + "DCE" +
                          "ABCDEFGHIJKLMNOPQRSTUVWXY";
    cDiagramme d;
    ASSERT_TRUE(DecoderAccordBibliotheque(v, d));
    EXPECT_FALSE(d.Diese);
    EXPECT_TRUE(d.Add);
    EXPECT_EQ(d.Fondamentale, 5);
    EXPECT_EQ(d.PremiereCase, 1);
    EXPECT_EQ(d.NbBarres, 2);
    EXPECT_EQ(d.Basse, 0);
    EXPECT_EQ(d.Cases[0], 1);
    EXPECT_EQ(d.Cases[2], 2);
    EXPECT_EQ(d.BarreCase[0], 1);
    EXPECT_EQ(d.BarreFin[0], 6);
    EXPECT_EQ(d.BarreCase[1], 3);
    EXPECT_EQ(d.BarreDebut[1], 2);
    EXPECT_EQ(d.BarreFin[1], 4);
    EXPECT_EQ(d.NomTexte(), "ABCDEFGHIJKLMNOPQRST");
}

TEST(ChordsLib, OnlyTheLetterOReadsAsTrue)
{
    cDiagramme d;
    ASSERT_TRUE(DecoderAccordBibliotheque("oY1NNNNNN" "AAAAAAABA" "BBBBBBB" "x", d));
    EXPECT_FALSE(d.Diese);
    EXPECT_FALSE(d.Add);
    for (bool o : d.Omis)
        EXPECT_FALSE(o);
}

TEST(ChordsLib, DamagedValuesAreRefused)
{
    const char *mauvais[] = {
        "ONNNNOOOO",                               // too short
        "ONNNNOOOO" "AAAAAAABC" "BBBBBBB",         // two barres announced, none there
        "ONNNNOOOO" "zAAAAAABA" "BBBBBBB" "C",     // root far beyond B
        "ONNNNOOOO" "AAAAAAABD" "BBBBBBB" "CCC",   // three barres
        "ONNNNOOOO" "AAAAAAABA" "B\x01" "BBBBB" "C", // string below "not played"
    };
    for (const char *v : mauvais) {
        cDiagramme d;
        d.Fondamentale = 7;
        EXPECT_FALSE(DecoderAccordBibliotheque(v, d)) << v;
        EXPECT_EQ(d.Fondamentale, 7);
    }
}

TEST(ChordsLib, KeysArePaddedToThreeDigits)
{
    EXPECT_EQ(CleAccordBibliotheque(1), "C001");
    EXPECT_EQ(CleAccordBibliotheque(10), "C010");
    EXPECT_EQ(CleAccordBibliotheque(100), "C100");
    EXPECT_EQ(CleAccordBibliotheque(1000), "C1000");
}

TEST(ChordsLib, LibraryEndsAtTheFirstMissingEntry)
{
    cInstallationTemp inst;
    inst.Installer("English.pll");
    const std::string c = "ONNNNOOOO" "AAAAAAABA" "BBCBDEA" "C";
    cFichierIni ini;
    ini.ChargerTexte("[Config]\nPatcheLangue=English\n[ChordsLib]\nTotal=3\nC001=" + c +
                     "\nC003=" + c + "\n");
    cConfig cfg;
    ChargerConfigDepuis(cfg, ini, nullptr);
    ASSERT_EQ(cfg.BibliothequeAccords.size(), 1u);
    cFichierIni sortie;
    sortie.ChargerTexte("[ChordsLib]\nTotal=3\nC001=x\nC002=y\nC003=z\n");
    EcrireConfig(cfg, sortie);
    EXPECT_EQ(sortie.LireEntier("ChordsLib", "Total", 0), 1);
    EXPECT_FALSE(sortie.CleExiste("ChordsLib", "C003")); // no stale entry survives
}

// ---- Locations ----

TEST(Emplacements, SettingsBesideAWritableProgram)
{
    cDossierTemp d;
    const std::string ancien = RepertoireProgramme();
    DefinirRepertoireProgramme(d.Chemin);
    EXPECT_EQ(CheminConfiguration(), d.Chemin + "Plec300.ini");
    DefinirRepertoireProgramme(ancien);
}

TEST(Emplacements, SettingsInTheUserFolderOtherwise)
{
    cDossierTemp xdg;
    const std::string ancien = RepertoireProgramme();
    const char *avant = std::getenv("XDG_CONFIG_HOME");
    const std::string sauve = avant ? avant : "";
    setenv("XDG_CONFIG_HOME", xdg.Chemin.c_str(), 1);
    DefinirRepertoireProgramme("/nonexistent/plectorium/bin");
    EXPECT_EQ(CheminConfiguration(), xdg.Chemin + "plectorium/Plec300.ini");
    EXPECT_TRUE(std::filesystem::is_directory(xdg.Chemin + "plectorium"));
    DefinirRepertoireProgramme(ancien);
    if (avant)
        setenv("XDG_CONFIG_HOME", sauve.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST(Emplacements, PatchesFoundInProgramThenDataFolders)
{
    cDossierTemp prog, donnees;
    donnees.Ecrire("English.pll", "DLG_000\n");
    donnees.Ecrire("Fran\xC3\xA7" "ais.pll", "DLG_000\n");
    prog.Ecrire("English.pll", "DLG_000\n");
    prog.Ecrire("notes.txt", "");
    DefinirDossiersDonnees({prog.Chemin, donnees.Chemin});
    EXPECT_EQ(CheminPatch("English"), prog.Chemin + "English.pll");
    EXPECT_EQ(CheminPatch("Fran\347ais"), donnees.Chemin + "Fran\xC3\xA7" "ais.pll");
    EXPECT_EQ(CheminPatch("Espa\xF1ol"), "");
    EXPECT_EQ(ListerFichiersDonnees(".pll").size(), 2u);
    DefinirDossiersDonnees({});
}

TEST(Emplacements, DevelopmentBuildFindsTheSourcePatches)
{
    // The tests run from the build tree inside the sources.
    EXPECT_FALSE(CheminPatch("English").empty());
    EXPECT_FALSE(CheminPatch("Deutsch").empty());
}

TEST(Config, ChangingToAPatchThatCannotBeReadKeepsThePrevious)
{
    cInstallationTemp inst;
    inst.Installer("English.pll");
    inst.Installer("Deutsch.pll");
    cConfig c;
    cFichierIni ini;
    ini.ChargerTexte("[Config]\nPatcheLangue=English\n");
    ChargerConfigDepuis(c, ini, nullptr);
    ASSERT_TRUE(ChangerLangue(c, "Deutsch"));
    EXPECT_EQ(c.PatcheLangue, "Deutsch");
    EXPECT_EQ(c.HelpFile, 3);
    EXPECT_EQ(Traduction("Dlg-Erreur"), "Fehler");
    std::filesystem::remove(inst.Chemin + "English.pll");
    EXPECT_FALSE(ChangerLangue(c, "English"));
    EXPECT_EQ(c.PatcheLangue, "Deutsch");
    EXPECT_EQ(c.HelpFile, 3);
    EXPECT_EQ(Traduction("Dlg-Erreur"), "Fehler");
}

} // namespace
