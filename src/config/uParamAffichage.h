// The display and print parameter sets the layout and the renderers read, apart from the rest
// of the settings so that layout does not depend on the whole configuration.
#pragma once

#include <string>

// A font as the settings store it: five keys sharing a prefix.
struct TMyFont {
    std::string Name = "Arial";
    int Size = 8;
    bool Bold = false;
    bool Italic = false;
    int Col = 0; // 0x00BBGGRR

    bool operator==(const TMyFont &) const = default;
};

// Screen display parameters (section "ParamEcran" and its three user presets).
struct TParamEcran {
    int MargeGaucheLignes = 15, MargeDroiteLignes = 15;
    int EspLignes = 10;
    int EspPortees = 102;
    int EspDiagAc = 20;
    int EspNomAc = 18;
    int EspTexte = 31;
    int EpCroches = 2;
    TMyFont FontNotes{"Arial", 8, true, false, 0};
    TMyFont FontAcc{"Arial", 8, true, false, 0};
    TMyFont FontTxt{"Arial", 8, false, true, 0};
    TMyFont FontSign{"Arial", 12, true, false, 0};
    TMyFont FontNum{"Small Fonts", 7, false, false, 255};
    TMyFont FontRenv{"Arial", 9, true, true, 0};
    bool AffDiag = true, AffChordsName = true, AffTxt = true, AffEff = true, AffRyt = true,
         AffNum = true, AffListChord = true;
    int ColDiag = 0;
    int ColLines = 8421504;
    int ColRythm = 0;
    int ColEff = 0;
    int ColBackG = 16777215;
    int ColBadBar = 255;
    int ColSelect = 8421504;
    double CoefPImp = 1.5; // stored ×10 in the file
    int CoefEspAff = 5;
    int TypeDiag = 3;

    bool operator==(const TParamEcran &) const = default;
    // The defaults of a user preset: wider margins and black lines.
    static TParamEcran Preset();
};

// Print parameters (section "ParamImp" and its three user presets). Lengths in millimetres.
struct TZoneImpression {
    double MargeHautePart = 15, MargeBassePart = 10;
    double MargeGaucheLignes = 10, MargeDroiteLignes = 10;
    bool FullPage = true;
    double Largeur_Prt = 100, Hauteur_Prt = 100;
    bool Center_Prt = true;
    bool TracerCadre_Prt = true;
    int GlobalProportions_Prt = 0;
    int ChordSize_Prt = 0;
    int EspPortees_Prt = 0;
    int EspDiagAc_Prt = 0, EspNomAc_Prt = 0, EspTexte_Prt = 0;
    int Esp_Titre_Auteur_Prt = 0, Esp_Auteur_Tab_Prt = 0;
    int CoefEspAff_Prt = 5;
    double CoefPImp = 1.5; // stored ×10 in the file
    bool AffTitre_Prt = true, AffAuteur_Prt = true, AffComment_Prt = true,
         AffTriplet_Prt = true, AffNumP_Prt = true, AffNum_Prt = true, AffDiag_Prt = true,
         AffChordsName_Prt = true, AffListChord_Prt = true, AffTxt_Prt = true,
         AffEff_Prt = true, AffRyt_Prt = true;
    TMyFont FontTitle_Prt{"Arial", 20, true, false, 0};
    TMyFont FontAuteur_Prt{"Arial", 10, true, false, 0};
    TMyFont FontComment_Prt{"Arial", 10, false, true, 0};
    TMyFont FontNumPage_Prt{"Arial", 8, true, true, 0};
    TMyFont FontNotes_Prt{"Arial", 9, true, false, 0};
    TMyFont FontAcc_Prt{"Arial", 8, true, false, 0};
    TMyFont FontTxt_Prt{"Arial", 8, false, true, 0};
    TMyFont FontSign_Prt{"Arial", 12, true, false, 0};
    TMyFont FontAccDiag_Prt{"Arial", 7, false, false, 0};
    TMyFont FontRenv_Prt{"Arial", 9, true, true, 0};

    bool operator==(const TZoneImpression &) const = default;
};

// Brings every size, spacing and scale into a range the layout can work with (a settings file
// edited by hand must not make a size 0 or a scale negative). Colours and switches are kept.
void BornerParamEcran(TParamEcran &p);
void BornerParamImp(TZoneImpression &p);
void BornerPolice(TMyFont &f);

