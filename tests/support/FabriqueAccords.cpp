#include "support/FabriqueAccords.h"

namespace {
cAccord &Suivant(cMesurePiste &mp)
{
    cAccord *a = mp.DernierAccord();
    if (a->Etat != 0 || a->Effets || a->Diagramme)
        a = mp.InsererAccordApres(a);
    return *a;
}
} // namespace

cAccord &AjouterAccord(cMesurePiste &mp, int code, tNotes notes, bool pointe)
{
    cAccord &a = Suivant(mp);
    a.CodeDuree = static_cast<int8_t>(code);
    a.Pointe = pointe;
    a.Etat = 1;
    for (const auto &[corde, fret] : notes) {
        cNote &n = *a.Notes[corde];
        n.Type = fret < 0 ? 3 : 1;
        n.Case = static_cast<uint8_t>(fret < 0 ? 0 : fret);
    }
    a.CalculerDuree();
    a.PropagerDuree();
    mp.CalculerDuree();
    return a;
}

cAccord &AjouterSilence(cMesurePiste &mp, int code, bool pointe)
{
    cAccord &a = Suivant(mp);
    a.CodeDuree = static_cast<int8_t>(code);
    a.Pointe = pointe;
    a.Etat = 2;
    a.CalculerDuree();
    a.PropagerDuree();
    mp.CalculerDuree();
    return a;
}

cMesurePiste &MesureDe(cPartition &p, cPiste &t, int m)
{
    while (p.NbMesures < m)
        p.InsererMesureApres(p.DerniereMesure());
    cMesurePiste *mp = t.PremiereMesurePiste;
    for (int i = 1; i < m; ++i)
        mp = mp->SuivanteDansPiste;
    return *mp;
}
