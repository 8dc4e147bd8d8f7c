// The Tools menu's commands. Each stops playback, changes the cursor's track inside its
// handler (so that the command hooks see the whole change) and ends with a full redraw.
#include <QApplication>
#include <QPointer>

#include "app/uCurseur.h"
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/ui/DlgMyMsg.h"
#include "model/uDurees.h"
#include "model/uRedecoupage.h"
#include "tools/uAssistants.h"
#include "tools/uDoigte.h"
#include "tools/uTransposition.h"
#include "tools/ui/DlgAssistants.h"
#include "tools/ui/DlgAttenteJauge.h"
#include "tools/ui/DlgSolfege.h"
#include "tools/ui/DlgTransposition.h"

namespace {
void ArreterLecture(TMainForm &f)
{
    if (f.Document().EnLecture())
        f.Document().ArreterLecture();
}

// The hourglass while a tool works.
struct rSablier {
    rSablier() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~rSablier() { QApplication::restoreOverrideCursor(); }
    rSablier(const rSablier &) = delete;
    rSablier &operator=(const rSablier &) = delete;
};

// Leaves the placeholder beat and forgets the selection and the pending digit, as a cursor
// move does, before a tool rebuilds the track's beats.
cPiste *PreparerPiste(TMainForm &f)
{
    cPartition &p = f.Partition();
    QuitterPlaceholder(p);
    p.EffacerSelection();
    p.AttenteChiffre = false;
    return p.PisteNumero(p.Curseur.NumPiste);
}

void CurseurAuDebut(cPartition &p, bool mesure1)
{
    rPosition c = p.Curseur;
    if (mesure1)
        c.NumMesure = 1;
    c.NumTemps = 1;
    p.PlacerCurseur(c);
}

int NbMesuresPiste(const cPiste &t)
{
    int n = 0;
    for (const cMesurePiste *mp = t.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        ++n;
    return n;
}

void SignalerPertes(const rResultatDoigte &r)
{
    if (r.NotesPerdues > 0)
        MyMsgCle("Dlg-Attention", "AssFG-NotesPerdues", MsgAvertissement, DefOK, BtOK,
                 std::to_string(r.NotesPerdues));
}

void VerifierDureesMesures(TMainForm &f)
{
    cPartition &p = f.Partition();
    QuitterPlaceholder(p);
    const rMesureInvalide r = VerifierDurees(p);
    if (!r.MesurePiste) {
        f.Actualiser(true);
        MyMsgCle("Dlg-Information", "AssCD-VerificationTerminee", MsgInformation, DefOK, BtOK);
        return;
    }
    rPosition c;
    c.NumMesure = r.NumMesure;
    c.NumPiste = r.NumPiste;
    p.PlacerCurseur(c);
    f.Actualiser(true);
    ArreterLecture(f);
    MyMsgCle("Dlg-Attention", "AssCD-DureeInvalide", MsgAvertissement, DefOK, BtOK,
             std::to_string(r.NumMesure), std::to_string(r.NumPiste));
}

void CommandeRedecouper(TMainForm &f)
{
    ArreterLecture(f);
    const std::string question = PatchCourant().SectionExiste("DLG_ASS_CR_000")
                                     ? TexteEntreGuillemets("DLG_ASS_CR_000", 1)
                                     : std::string("[no translation]");
    if (MyMsg(Traduction("Dlg-Confirmation"), question, MsgConfirmation, DefOui,
              BtOui | BtNon) != ResOui)
        return;
    cPartition &p = f.Partition();
    std::string cle;
    bool fait;
    {
        rSablier s;
        cPiste *t = PreparerPiste(f);
        fait = t && Redecouper(p, *t, cle);
    }
    if (!fait) {
        f.Actualiser(true);
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
        return;
    }
    CurseurAuDebut(p, true);
    f.FinEdition(true);
}

void CompleterMesuresPiste(TMainForm &f)
{
    ArreterLecture(f);
    cPartition &p = f.Partition();
    std::string cle;
    bool fait;
    {
        rSablier s;
        cPiste *t = PreparerPiste(f);
        fait = t && CompleterMesures(*t, 1, p.NbMesures, cle);
    }
    if (!fait) {
        f.Actualiser(true);
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
        return;
    }
    CurseurAuDebut(p, false);
    f.FinEdition(true);
}

// The fingering and the transposition show their progress while they run.
FnProgression Progression(TFAttenteJauge &jauge)
{
    return [&jauge](int etape) { jauge.Avancer(etape); };
}

void CommandeTransposer(TMainForm &f)
{
    ArreterLecture(f);
    TFTransposition d(&f);
    if (d.exec() != QDialog::Accepted)
        return; // nothing changed, nothing marked
    cPartition &p = f.Partition();
    cPiste *t = p.PisteNumero(p.Curseur.NumPiste);
    if (!t)
        return;
    rResultatDoigte r;
    {
        rSablier s;
        TFAttenteJauge jauge(&f, Traduction("MidiImp-OptimisationPlacementDoigts"));
        r = TransposerPiste(*t, d.Demitons(), Progression(jauge));
    }
    f.FinEdition(true);
    SignalerPertes(r);
}

void PlacementAuto(TMainForm &f)
{
    ArreterLecture(f);
    cPartition &p = f.Partition();
    cPiste *t = p.PisteNumero(p.Curseur.NumPiste);
    if (!t)
        return;
    TFAssistantDoigte d(&f, NbMesuresPiste(*t), p.Curseur.NumMesure);
    if (d.exec() != QDialog::Accepted)
        return;
    rResultatDoigte r;
    {
        rSablier s;
        TFAttenteJauge jauge(&f, Traduction("MidiImp-OptimisationPlacementDoigts"));
        rOptionsDoigte o;
        o.Progression = Progression(jauge);
        r = PlacerDoigts(*t, d.Plage().Debut, d.Plage().Fin, o);
    }
    f.FinEdition(true);
    SignalerPertes(r);
}

void AssistantDynamic(TMainForm &f)
{
    ArreterLecture(f);
    cPartition &p = f.Partition();
    cPiste *t = p.PisteNumero(p.Curseur.NumPiste);
    if (!t)
        return;
    TFAssistantDynamic d(&f, *t, NbMesuresPiste(*t), Config ? Config->NuanceParDefaut : 6);
    if (d.exec() != QDialog::Accepted)
        return;
    {
        rSablier s;
        AppliquerNuances(*t, d.Plage().Debut, d.Plage().Fin, d.Nuances());
    }
    f.FinEdition(true);
}

void AssistantLetRing(TMainForm &f)
{
    ArreterLecture(f);
    cPartition &p = f.Partition();
    cPiste *t = p.PisteNumero(p.Curseur.NumPiste);
    if (!t)
        return;
    TFAssistantLetRing d(&f, *t, NbMesuresPiste(*t));
    if (d.exec() != QDialog::Accepted)
        return;
    {
        rSablier s;
        AppliquerLetRing(*t, d.Plage().Debut, d.Plage().Fin, d.Choix());
    }
    f.FinEdition(true);
}

// The notation window follows the cursor and the score while it is open.
void EnregistrerSolfege(TMainForm &f)
{
    auto fenetre = std::make_shared<QPointer<TFSolfege>>();
    auto rafraichir = [fenetre] {
        if (*fenetre)
            (*fenetre)->RafraichirPortee();
    };
    f.EnregistrerCommande("Tools_Solfege", [&f, fenetre](int) {
        QAction *a = f.Action("Tools_Solfege");
        if (a && a->isChecked()) {
            if (!*fenetre) {
                *fenetre = new TFSolfege(f);
                // Only the action is touched: the window also goes when the main window is
                // torn down, past the point where the main window may be called.
                QObject::connect(fenetre->data(), &QObject::destroyed, a,
                                 [action = QPointer<QAction>(a)] {
                                     if (action)
                                         action->setChecked(false);
                                 });
            }
            (*fenetre)->show();
            (*fenetre)->RafraichirPortee();
        } else if (*fenetre) {
            (*fenetre)->hide();
        }
    });
    f.Document().Abonner(cDocument::eEvenement::ApresEdition, rafraichir);
    f.Document().Abonner(cDocument::eEvenement::ApresRemplacement, rafraichir);
    QObject::connect(f.Vue(), &TVuePartition::CurseurDeplace, &f, rafraichir);
    // Every refresh after a cursor move ends with the command states.
    f.AjouterEtats([rafraichir](TMainForm &) { rafraichir(); });
}
} // namespace

void EnregistrerCommandesOutils(TMainForm &f)
{
    f.EnregistrerCommande("Tools_CheckBarDuration", [&f](int) { VerifierDureesMesures(f); });
    f.EnregistrerCommande("Tools_Redecouper", [&f](int) { CommandeRedecouper(f); });
    f.EnregistrerCommande("Tools_CompleterReduire", [&f](int) { CompleterMesuresPiste(f); });
    f.EnregistrerCommande("Tools_Transposer", [&f](int) { CommandeTransposer(f); });
    f.EnregistrerCommande("Tools_PlacementAuto", [&f](int) { PlacementAuto(f); });
    f.EnregistrerCommande("Tools_AssistantDynamic", [&f](int) { AssistantDynamic(f); });
    f.EnregistrerCommande("Tools_AssistantLetRing", [&f](int) { AssistantLetRing(f); });
    EnregistrerSolfege(f);
}
