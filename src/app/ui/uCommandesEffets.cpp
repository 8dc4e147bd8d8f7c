// The effect commands that open an editor (bend, grace note, the two brushes, the stroke of the
// vibrato), the tuplet commands with their tool button, and the tool buttons whose picture
// follows the cursor (tuplet, note duration).
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

#include <algorithm>
#include <memory>

#include "app/uCommandes.h"
#include "app/ui/DlgEffetBend.h"
#include "app/ui/DlgEffetBrush.h"
#include "app/ui/DlgEffetGraceNote.h"
#include "app/ui/Main.h"
#include "app/ui/uIconesOutils.h"
#include "app/ui/uModules.h"
#include "config/uConfig.h"
#include "model/uDurees.h"
#include "model/uPartition.h"

namespace {
// What the effect commands need at the cursor; null members when there is nothing there.
struct rCible {
    cMesurePiste *Mp = nullptr;
    cAccord *Accord = nullptr;
    cNote *Note = nullptr;
    cPiste *Piste = nullptr;
};

// Effect commands do nothing while playing or without a beat and note under the cursor.
rCible Cible(TMainForm &f)
{
    cPartition &p = f.Partition();
    rCible c;
    if (f.Document().EnLecture() || !p.Curseur.MesurePiste || !p.Curseur.Accord ||
        !p.Curseur.Note || !p.Curseur.MesurePiste->Piste)
        return c;
    c.Mp = p.Curseur.MesurePiste;
    c.Accord = p.Curseur.Accord;
    c.Note = p.Curseur.Note;
    c.Piste = c.Mp->Piste;
    return c;
}

// The end of an effect command: a change is laid out, refreshed and marked; otherwise only the
// view is refreshed. Then the beat is heard when "Play while Entering" is on.
void Terminer(TMainForm &f, bool change)
{
    if (change)
        f.FinEdition(false);
    else
        f.Actualiser(false);
    cPartition &p = f.Partition();
    if (p.Curseur.Accord && p.Curseur.MesurePiste && p.Curseur.MesurePiste->Piste)
        f.Document().EcouterAccord(*p.Curseur.MesurePiste->Piste, *p.Curseur.Accord);
}

std::function<void()> JouerAccord(TMainForm &f, const rCible &c)
{
    return [&f, c] { f.Document().EcouterEditeur(*c.Piste, *c.Accord); };
}

void Bend(TMainForm &f)
{
    const rCible c = Cible(f);
    if (!c.Note || c.Accord->Etat != 1 || c.Note->Type != 1)
        return;
    const double duree = DureeSonore(c.Mp, c.Accord, c.Note->Corde).Ticks;
    const int corde = c.Note->Corde;
    // The note alone, with the curve being edited, in a beat outside the score; it keeps the
    // length it sounds for in the score (ties included), over which the curve is spread.
    auto jouer = [&f, c, corde, duree](const cEffet_Bend &bend) {
        cAccord copie;
        c.Accord->CopierVers(copie);
        for (int s = 1; s <= copie.NbNotes && s <= MaxCordes; ++s)
            if (copie.Notes[s] && s != corde)
                copie.ViderNote(*copie.Notes[s]);
        if (cNote *n = corde >= 1 && corde <= MaxCordes ? copie.Notes[corde] : nullptr) {
            cEffets_Note &e = n->EffetsCrees();
            e.LibererBend();
            e.Bend = new cEffet_Bend;
            bend.CopierVers(*e.Bend);
            e.Exclure(eEffetNoteExclusif::Bend);
            if (duree > 0)
                n->DureeTicks = duree;
        }
        f.Document().EcouterEditeur(*c.Piste, copie);
    };
    const int port = std::clamp(c.Piste->Port, 1, NbPortsConfig);
    const bool limite = Config && Config->LimitBend[port - 1];
    TFEffetBend d(*c.Note, duree, jouer, limite, &f);
    Terminer(f, d.exec() == QDialog::Accepted);
}

void GraceNote(TMainForm &f)
{
    const rCible c = Cible(f);
    if (!c.Note || c.Accord->Etat != 1)
        return;
    TFEffetGraceNote d(*c.Note, c.Piste->NbFrets, Config ? Config->EcouterGraceNote : true,
                       JouerAccord(f, c), &f);
    const int r = d.exec();
    if (Config)
        Config->EcouterGraceNote = d.BT_Ecouter->isChecked();
    // A cancelled editor has put the note back as it was.
    Terminer(f, r == QDialog::Accepted || r == TFEffetGraceNote::Efface);
}

void Brush(TMainForm &f, bool haut)
{
    const rCible c = Cible(f);
    if (!c.Accord || c.Accord->Etat != 1)
        return;
    if (EffacerBrush(*c.Accord, haut)) {
        Terminer(f, true);
        return;
    }
    TFEffetBrush d(*c.Accord, haut, Config ? Config->DerniereDureeBrush : 3,
                   Config ? Config->EcouterBrush : true, JouerAccord(f, c), &f);
    const bool ok = d.exec() == QDialog::Accepted;
    if (Config) {
        Config->EcouterBrush = d.BT_Ecouter->isChecked();
        if (ok)
            Config->DerniereDureeBrush = d.DureeRetenue;
    }
    Terminer(f, ok);
}

void CoupVibrato(TMainForm &f)
{
    const rCible c = Cible(f);
    if (!c.Accord || c.Accord->Etat != 1)
        return;
    if (EffacerCoupVibrato(*c.Accord)) {
        Terminer(f, true);
        return;
    }
    TFEffetCoupVB d(*c.Accord, &f);
    Terminer(f, d.exec() == QDialog::Accepted);
}

// ---------------------------------------------------------------- tuplets

struct rEtatBoutons {
    int DernierTriolet = 3; // the tuplet last chosen from the tuplet menu
    std::string CommandeTriolet, CommandeDureeNote, IconeXTuplet;
};

void ChoisirTriolet(TMainForm &f, int code)
{
    cPartition &p = f.Partition();
    if (f.Document().EnLecture() || p.SelectionActive || !p.Curseur.Accord || !p.Curseur.MesurePiste)
        return;
    cAccord &b = *p.Curseur.Accord;
    b.Triolet = code;
    b.CalculerDuree();
    b.PropagerDuree();
    p.Curseur.MesurePiste->CalculerDuree();
    f.FinEdition(false);
}

const char *const CommandesTrioletMenu[] = {
    "Beat_1",                   "Duree_Accord_Triolet_3_2",  "Duree_Accord_Triolet_5_2",
    "Duree_Accord_Triolet_6_2", "Duree_Accord_Triolet_7_2",  "Duree_Accord_Triolet_9_2",
    "Duree_Accord_Triolet_10_2", "Duree_Accord_Triolet_11_2", "Duree_Accord_Triolet_12_2",
    "Duree_Accord_Triolet_13_2"};
const char *const CommandesTrioletBouton[] = {
    "Duree_Accord_Triolet_3",  "Duree_Accord_Triolet_5",  "Duree_Accord_Triolet_6",
    "Duree_Accord_Triolet_7",  "Duree_Accord_Triolet_9",  "Duree_Accord_Triolet_10",
    "Duree_Accord_Triolet_11", "Duree_Accord_Triolet_12", "Duree_Accord_Triolet_13"};

// A tool button takes another command: the previous one is removed or it would stay in the
// button's own list.
void ChangerCommande(QToolButton *b, QAction *a)
{
    if (!b || !a || b->defaultAction() == a)
        return;
    for (QAction *x : b->actions())
        if (x != a)
            b->removeAction(x);
    b->setDefaultAction(a);
}

// The tuplet button and the note duration button show the command that fits the cursor.
void ActualiserBoutons(TMainForm &f, rEtatBoutons &e)
{
    const cPartition &p = f.Partition();
    const cAccord *b = p.Curseur.Accord;
    const cNote *n = p.Curseur.Note;
    const std::string triolet = CommandeBoutonTriolet(b ? b->Triolet : 1, e.DernierTriolet);
    if (triolet != e.CommandeTriolet) {
        e.CommandeTriolet = triolet;
        ChangerCommande(f.findChild<QToolButton *>("BT_Triolet"), f.Action(triolet));
    }
    if (triolet != e.IconeXTuplet) {
        e.IconeXTuplet = triolet;
        if (QAction *x = f.Action("Duree_Note_XTuplet"))
            x->setIcon(IconeCommande(triolet));
    }
    const std::string note = CommandeBoutonDureeNote(n ? n->CodeDuree : 0);
    if (note != e.CommandeDureeNote) {
        e.CommandeDureeNote = note;
        ChangerCommande(f.findChild<QToolButton *>("BT_DureeNote"), f.Action(note));
    }
    if (f.Vue() && f.Vue()->Affichage.LectureEnCours)
        return;
    const bool noteDuree = n && n->Type != 0;
    if (QMenu *m = f.Menu("Menu_DureeNote"))
        m->setEnabled(noteDuree);
    if (auto *bt = f.findChild<QToolButton *>("BT_DureeNote"))
        bt->setEnabled(noteDuree);
}
} // namespace

void EnregistrerCommandesEffets(TMainForm &f)
{
    f.EnregistrerCommande("EffetNote_BendType", [&f](int) { Bend(f); });
    f.EnregistrerCommande("EffetNote_Appogiature", [&f](int) { GraceNote(f); });
    f.EnregistrerCommande("EffetAccord_BrushUp", [&f](int) { Brush(f, true); });
    f.EnregistrerCommande("EffetAccord_BrushDown", [&f](int) { Brush(f, false); });
    f.EnregistrerCommande("EffetAccord_CoupVB", [&f](int) { CoupVibrato(f); });

    auto etat = std::make_shared<rEtatBoutons>();
    // Tuplets: kept when typing already registered them.
    for (const char *nom : CommandesTrioletMenu)
        if (!f.ACommande(nom))
            f.EnregistrerCommande(nom, [&f, etat](int tag) {
                if (tag > 1)
                    etat->DernierTriolet = tag;
                ChoisirTriolet(f, tag);
            });
    for (const char *nom : CommandesTrioletBouton)
        if (!f.ACommande(nom)) {
            const std::string n = nom;
            f.EnregistrerCommande(nom, [&f, n](int tag) {
                // The button went down (checked): its tuplet; up: none.
                QAction *a = f.Action(n);
                ChoisirTriolet(f, a && a->isChecked() ? tag : 1);
            });
        }
    f.AjouterEtats([etat](TMainForm &fen) { ActualiserBoutons(fen, *etat); });
}
