#include "tools/uTransposition.h"

#include "model/uPartition.h"

rResultatDoigte TransposerPiste(cPiste &piste, int demitons, const FnProgression &progression)
{
    rResultatDoigte r;
    if (!piste.Percussions) {
        int nbMesures = 0;
        for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
            ++nbMesures;
        rOptionsDoigte o;
        o.Decalage = demitons;
        o.Progression = progression;
        return PlacerDoigts(piste, 1, nbMesures, o);
    }
    for (cMesurePiste *mp = piste.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        for (cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
            if (a->Etat != 1)
                continue;
            for (cNote *n = a->PremiereNote; n; n = n->Suivante) {
                if (n->Type != 1)
                    continue;
                const int touche = n->Case + demitons;
                if (touche >= 0 && touche <= 127) {
                    n->Case = static_cast<uint8_t>(touche);
                } else {
                    a->ViderNote(*n);
                    ++r.NotesPerdues;
                }
            }
            if (!a->ActualiserEtat()) {
                a->Etat = 2;
                a->ViderNotes();
                a->LibererEffets();
                ++r.Silences;
            }
        }
    return r;
}

rResultatDoigte TransposerPistesFrettees(cPartition &p, int demitons)
{
    rResultatDoigte total;
    for (cPiste *t = p.PremierePiste; t; t = t->Suivante) {
        if (t->Percussions)
            continue;
        const rResultatDoigte r = TransposerPiste(*t, demitons);
        total.NotesPerdues += r.NotesPerdues;
        total.Silences += r.Silences;
    }
    return total;
}
