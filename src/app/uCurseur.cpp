#include "app/uCurseur.h"

#include "model/uPartition.h"

bool QuitterPlaceholder(cPartition &p)
{
    rPosition c;
    p.PositionCurseur(c);
    if (!c.Accord || c.Accord->Etat != 0 || c.Accord == c.MesurePiste->PremierAccord)
        return false;
    // A text, diagram or mix change put on the placeholder would be lost with it.
    if (c.Accord->Texte || c.Accord->Diagramme || c.Accord->TableMix)
        return false;
    c.MesurePiste->SupprimerAccord(c.Accord);
    c.MesurePiste->CalculerDuree();
    c.NumTemps -= 1;
    p.PlacerCurseur(c);
    return true;
}

namespace {
void Terminer(cPartition &p, rPosition c)
{
    p.AttenteChiffre = false;
    p.EffacerSelection();
    p.PlacerCurseur(c);
}
} // namespace

void DeplacerMesure(cPartition &p, eMouvementMesure m)
{
    QuitterPlaceholder(p);
    rPosition c = p.Curseur;
    switch (m) {
    case eMouvementMesure::Premiere:
        c.NumMesure = 1;
        c.NumTemps = 1;
        break;
    case eMouvementMesure::Derniere:
        c.NumMesure = p.NbMesures;
        c.NumTemps = p.MesurePisteDe(c.NumMesure, c.NumPiste)->NbAccords;
        break;
    case eMouvementMesure::Precedente:
        if (c.NumMesure > 1) {
            --c.NumMesure;
            c.NumTemps = p.MesurePisteDe(c.NumMesure, c.NumPiste)->NbAccords;
        } else {
            c.NumTemps = 1;
        }
        break;
    case eMouvementMesure::Suivante:
        if (c.NumMesure >= p.NbMesures) {
            cMesure *nouvelle = p.InsererMesureApres(nullptr);
            if (!nouvelle)
                return; // the score is full
            p.ReinitialiserMesure(nouvelle);
        }
        ++c.NumMesure;
        c.NumTemps = 1;
        break;
    }
    Terminer(p, c);
}

bool DeplacerPiste(cPartition &p, eMouvementPiste m, bool multipiste, int numero)
{
    QuitterPlaceholder(p);
    rPosition c = p.Curseur;
    int cible = c.NumPiste;
    int sens = 1;
    switch (m) {
    case eMouvementPiste::Premiere:
        cible = 1;
        break;
    case eMouvementPiste::Precedente:
        cible = c.NumPiste - 1;
        sens = -1;
        break;
    case eMouvementPiste::Suivante:
        cible = c.NumPiste + 1;
        break;
    case eMouvementPiste::Derniere:
        cible = p.NbPistes;
        sens = -1;
        break;
    case eMouvementPiste::Numero:
        cible = numero;
        sens = numero < c.NumPiste ? -1 : 1;
        break;
    }
    if (cible < 1 || cible > p.NbPistes)
        return false;
    if (multipiste && !p.PisteNumero(cible)->Visible) {
        auto chercher = [&](int depart, int pas) {
            for (int t = depart; t >= 1 && t <= p.NbPistes; t += pas)
                if (p.PisteNumero(t)->Visible)
                    return t;
            return 0;
        };
        int t = chercher(cible, sens);
        if (!t)
            t = chercher(cible, -sens);
        if (t)
            cible = t;
        else
            p.PisteNumero(cible)->Visible = true;
    }
    const bool change = cible != c.NumPiste;
    c.NumPiste = cible;
    c.NumTemps = 1;
    Terminer(p, c);
    return change;
}
