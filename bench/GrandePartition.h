// The large score every benchmark measures: measures x tracks x beats of sixteenths, a note on
// every string, built through the model operations.
#pragma once

#include "model/uPartition.h"

inline cPartition *ConstruireGrandePartition(int mesures = 1024, int pistes = 16, int temps = 16)
{
    auto *p = new cPartition;
    p->Nouveau();
    p->EnChargement = true;
    for (int t = 1; t < pistes; ++t)
        p->InsererPisteApres(nullptr);
    for (int m = 1; m < mesures; ++m)
        p->InsererMesureApres(nullptr);
    p->EnChargement = false;
    p->IndexerMesures();
    p->IndexerPistes();
    for (cPiste *piste = p->PremierePiste; piste; piste = piste->Suivante)
        for (cMesurePiste *mp = piste->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
            mp->SansIndex = true;
            cAccord *a = mp->PremierAccord;
            for (int b = 0; b < temps; ++b) {
                if (b > 0)
                    a = mp->InsererAccordApres(a);
                a->CodeDuree = 2;
                a->CalculerDuree();
                a->Etat = 1;
                int s = 0;
                for (cNote *n = a->PremiereNote; n; n = n->Suivante, ++s) {
                    n->Type = 1;
                    n->Case = static_cast<uint8_t>((b + s) % 12);
                }
                a->PropagerDuree();
            }
            mp->SansIndex = false;
            mp->IndexerAccords();
            mp->CalculerDuree();
        }
    return p;
}
