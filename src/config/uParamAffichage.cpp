#include "config/uParamAffichage.h"

#include <algorithm>

TParamEcran TParamEcran::Preset()
{
    TParamEcran p;
    p.MargeGaucheLignes = 38;
    p.MargeDroiteLignes = 38;
    p.ColLines = 0;
    return p;
}

void BornerPolice(TMyFont &f)
{
    if (f.Name.empty())
        f.Name = "Arial";
    f.Size = std::clamp(f.Size, 4, 72);
}

void BornerParamEcran(TParamEcran &p)
{
    for (int *marge : {&p.MargeGaucheLignes, &p.MargeDroiteLignes})
        *marge = std::clamp(*marge, 0, 400);
    p.EspLignes = std::clamp(p.EspLignes, 4, 40);
    p.EspPortees = std::clamp(p.EspPortees, 0, 600);
    for (int *e : {&p.EspDiagAc, &p.EspNomAc, &p.EspTexte})
        *e = std::clamp(*e, 0, 300);
    p.EpCroches = std::clamp(p.EpCroches, 1, 10);
    for (TMyFont *f : {&p.FontNotes, &p.FontAcc, &p.FontTxt, &p.FontSign, &p.FontNum, &p.FontRenv})
        BornerPolice(*f);
    p.CoefPImp = std::clamp(p.CoefPImp, 1.0, 2.0);
    p.CoefEspAff = std::clamp(p.CoefEspAff, 0, 10);
    p.TypeDiag = std::clamp(p.TypeDiag, 1, 3);
}

void BornerParamImp(TZoneImpression &p)
{
    for (double *marge :
         {&p.MargeHautePart, &p.MargeBassePart, &p.MargeGaucheLignes, &p.MargeDroiteLignes})
        *marge = std::clamp(*marge, 0.0, 100.0);
    p.Largeur_Prt = std::clamp(p.Largeur_Prt, 10.0, 1000.0);
    p.Hauteur_Prt = std::clamp(p.Hauteur_Prt, 10.0, 1000.0);
    for (int *v : {&p.GlobalProportions_Prt, &p.ChordSize_Prt, &p.EspPortees_Prt, &p.EspDiagAc_Prt,
                   &p.EspNomAc_Prt, &p.EspTexte_Prt, &p.Esp_Titre_Auteur_Prt,
                   &p.Esp_Auteur_Tab_Prt})
        *v = std::clamp(*v, -40, 40);
    p.CoefEspAff_Prt = std::clamp(p.CoefEspAff_Prt, 0, 10);
    p.CoefPImp = std::clamp(p.CoefPImp, 1.0, 2.0);
    for (TMyFont *f : {&p.FontTitle_Prt, &p.FontAuteur_Prt, &p.FontComment_Prt, &p.FontNumPage_Prt,
                       &p.FontNotes_Prt, &p.FontAcc_Prt, &p.FontTxt_Prt, &p.FontSign_Prt,
                       &p.FontAccDiag_Prt, &p.FontRenv_Prt})
        BornerPolice(*f);
}
