// Measure, marker, track and beat editing commands: each asks what its dialog needs, runs the
// operation of model/uEdition on the score and finishes the edit, all inside its handler.
#include <QAction>
#include <QCheckBox>
#include <QMenu>
#include <QTimer>
#include <memory>

#include "app/uCurseur.h"
#include "app/ui/DlgMarkers.h"
#include "app/ui/DlgMesures.h"
#include "app/ui/DlgPistes.h"
#include "app/ui/DlgTexte.h"
#include "app/ui/Main.h"
#include "app/ui/uDialogues.h"
#include "app/ui/uModules.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uTexteUI.h"
#include "config/uPatch.h"
#include "mixer/uCanaux.h"
#include "model/uEdition.h"

namespace {

// Returns whether playback was running.
bool ArreterLecture(TMainForm &f)
{
    cDocument &d = f.Document();
    if (!d.EnLecture())
        return false;
    d.ArreterLecture();
    return true;
}

void Erreur(const std::string &cle) { MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK); }

// A patch text with "%s" in it (the patch's own convention for dialog texts) filled in.
std::string AvecParametre(std::string texte, const std::string &p)
{
    const auto i = texte.find("%s");
    if (i != std::string::npos)
        texte.replace(i, 2, p);
    return texte;
}

void ActualiserCanauxEtMixer(TMainForm &f)
{
    if (iInterfacePartition *i = f.Partition().Interface) {
        i->ActualiserCanaux();
        i->ActualiserMixer();
    }
}

// A marker move pauses playback around it and plays on from the new place.
void AllerMarker(TMainForm &f, int mesure)
{
    if (mesure < 1)
        return;
    const bool lecture = ArreterLecture(f);
    QuitterPlaceholder(f.Partition());
    AllerMesure(f.Partition(), mesure);
    f.Actualiser(true);
    if (lecture)
        QTimer::singleShot(0, &f, [&f] { f.Executer("Lecture_JouerPosEC"); });
}

// The go-to-marker menu: one item per marker, or the disabled "(no marker defined)". Rebuilt
// only when the markers changed.
struct rMenuMarkers {
    int Demande = 0;           // the marker number the last item chose
    std::string Signature = "\x01"; // the names it was built from
};

void ReconstruireMenuMarkers(TMainForm &f, const std::shared_ptr<rMenuMarkers> &m)
{
    QMenu *menu = f.Menu("Menu_AllerMarker");
    if (!menu)
        return;
    const cPartition &p = f.Partition();
    std::string signature;
    for (const cMarker *k = p.PremierMarker; k; k = k->Suivant)
        signature += k->Nom + '\n';
    if (signature == m->Signature)
        return;
    m->Signature = signature;
    menu->clear();
    QAction *aucun = menu->addAction(TexteSection("MN300_000", 13, "(no marker defined)"));
    aucun->setObjectName("Marker_Aucun");
    aucun->setEnabled(false);
    aucun->setVisible(!p.PremierMarker);
    int n = 1;
    for (const cMarker *k = p.PremierMarker; k; k = k->Suivant, ++n) {
        QAction *a = menu->addAction(VersQt(k->Nom));
        a->setObjectName(QString("Marker_AllerA_%1").arg(n));
        QObject::connect(a, &QAction::triggered, &f, [&f, m, n] {
            m->Demande = n;
            f.Executer("Marker_AllerA");
        });
    }
}

// Sounds one open string of the tuning being edited, on the channels of the track.
void EcouterCorde(TMainForm &f, rSortiePiste s, const rProprietesPiste &v, int corde)
{
    cPiste piste;
    piste.Port = s.Port;
    piste.Canal = s.Canal;
    piste.CanalEffets = s.CanalEffets;
    piste.NbCordes = v.NbCordes;
    piste.Accordage = v.Accordage;
    piste.Capo = v.Capo;
    piste.Banjo5 = v.Banjo5;
    piste.DouzeCordes = v.DouzeCordes;
    cAccord a;
    a.CodeDuree = -2; // a whole note
    a.CalculerDuree();
    for (int i = 0; i < v.NbCordes; ++i)
        a.ViderNote(*a.InsererNoteApres(nullptr));
    if (corde < 1 || corde > a.NbNotes)
        return;
    a.Etat = 1;
    a.Notes[corde]->Type = 1;
    f.Document().EcouterAccord(piste, a);
}

rSortiePiste SortieDe(const cPiste &t) { return {t.Port, t.Canal, t.CanalEffets}; }

// ---------------------------------------------------------------- measures

void Inserer(TMainForm &f)
{
    cPartition &p = f.Partition();
    if (p.NbMesures >= MaxMesures) {
        Erreur("Gene-MaxMesures");
        return;
    }
    ArreterLecture(f);
    QuitterPlaceholder(p);
    InsererMesure(p);
    f.FinEdition(true);
}

void Effacer(TMainForm &f)
{
    cPartition &p = f.Partition();
    TFPlageMesures d(TFPlageMesures::eGenre::Effacer, p.Curseur.NumMesure, p.NbMesures, &f);
    if (d.exec() != QDialog::Accepted)
        return;
    ArreterLecture(f);
    QuitterPlaceholder(p);
    EffacerMesures(p, d.De, d.A, d.ToutesPistes());
    f.FinEdition(true);
}

void Copier(TMainForm &f)
{
    cPartition &p = f.Partition();
    TFPlageMesures d(TFPlageMesures::eGenre::Copier, p.Curseur.NumMesure, p.NbMesures, &f);
    if (d.exec() != QDialog::Accepted)
        return;
    // The placeholder under the cursor is no part of the music.
    QuitterPlaceholder(p);
    CopierMesures(p, f.PressePapiers(), d.De, d.A, d.ToutesPistes());
    f.FinEdition(false);
}

void Couper(TMainForm &f)
{
    cPartition &p = f.Partition();
    TFPlageMesures d(TFPlageMesures::eGenre::Couper, p.Curseur.NumMesure, p.NbMesures, &f);
    if (d.exec() != QDialog::Accepted)
        return;
    ArreterLecture(f);
    QuitterPlaceholder(p);
    CouperMesures(p, f.PressePapiers(), d.De, d.A);
    f.FinEdition(true);
}

void Coller(TMainForm &f)
{
    cPartition &p = f.Partition();
    const cPartition &pp = f.PressePapiers();
    if (pp.NbMesures < 1)
        return;
    const std::string refus = VerifierCollage(p, pp);
    if (!refus.empty()) {
        Erreur(refus);
        return;
    }
    TFCollerMesures d(pp.NbMesures, pp.NbPistes == 1, &f);
    if (d.exec() != QDialog::Accepted)
        return;
    if (p.NbMesures + MesuresAjoutees(p, pp, d.Mode(), d.Fois) > MaxMesures) {
        Erreur("Gene-MaxMesures");
        return;
    }
    ArreterLecture(f);
    QuitterPlaceholder(p);
    const std::string cle = CollerMesures(p, pp, d.Mode(), d.Fois);
    if (!cle.empty()) {
        Erreur(cle);
        return;
    }
    f.FinEdition(true);
}

void Signature(TMainForm &f)
{
    cPartition &p = f.Partition();
    const cMesure *m = p.MesureNumero(p.Curseur.NumMesure);
    if (!m)
        return;
    TFSignature d(m->Numerateur, m->Denominateur, &f);
    if (d.exec() != QDialog::Accepted)
        return;
    ArreterLecture(f);
    ChangerSignature(p, d.Numerateur, d.Denominateur, d.JusquALaFin->isChecked());
    f.FinEdition(true);
}

void RenvoiFin(TMainForm &f)
{
    cPartition &p = f.Partition();
    if (PreparerRenvoiFin(p)) {
        TFRenvoiFin d(&f);
        if (d.exec() != QDialog::Accepted) {
            f.Actualiser(false); // the checked state follows the measure again
            return;
        }
        PoserRenvoiFin(p, d.Nombre);
    }
    f.FinEdition(true);
}

void Finale(TMainForm &f)
{
    cPartition &p = f.Partition();
    const cMesure *m = p.MesureNumero(p.Curseur.NumMesure);
    if (!m)
        return;
    if (m->Repetition > 0) {
        PoserFinale(p, 0);
    } else {
        TFFinale d(PremierNumeroFinale(p), &f);
        if (d.exec() != QDialog::Accepted) {
            f.Actualiser(false);
            return;
        }
        PoserFinale(p, d.Dernier);
    }
    f.FinEdition(true);
}

// ---------------------------------------------------------------- markers

void Marker(TMainForm &f)
{
    cPartition &p = f.Partition();
    cMesure *m = p.MesureNumero(p.Curseur.NumMesure);
    if (!m)
        return;
    const bool edition = m->Marker != nullptr;
    TFMesureMarker d(p.Curseur.NumMesure, false, p.NbMesures,
                     edition ? m->Marker->Nom : NomMarkerDefaut(p),
                     edition ? m->Marker->Couleur : 255, edition, &f);
    if (d.exec() != QDialog::Accepted)
        return;
    p.AjouterMarker(m, d.Nom, d.Couleur);
    f.FinEdition(true);
}

void ListeMarkers(TMainForm &f)
{
    cPartition &p = f.Partition();
    TFListeMarkers d(p, p.Curseur.NumMesure, &f);
    d.exec();
    if (d.Modifie)
        f.FinEdition(true);
    AllerMarker(f, d.MesureAller);
}

// ---------------------------------------------------------------- tracks

void AjouterUnePiste(TMainForm &f)
{
    cPartition &p = f.Partition();
    if (p.NbPistes >= MaxPistes) {
        MyMsg(Traduction("Dlg-Erreur"), Traduction("Gene-MaxPistes") + " " + std::to_string(MaxPistes),
              MsgErreur, DefOK, BtOK);
        return;
    }
    ArreterLecture(f);
    TFAjoutPiste a(&f);
    if (a.exec() != QDialog::Accepted)
        return;
    const bool batterie = a.Batterie();
    const cPiste *courante = p.PisteNumero(p.Curseur.NumPiste);
    rSortiePiste s;
    s.Port = courante ? courante->Port : 1;
    CanauxNouvellePiste(p, s.Port, batterie, courante, s.Canal, s.CanalEffets);
    rProprietesPiste v = ProprietesNouvellePiste(
        batterie, batterie ? Traduction("Gene-Percussions")
                           : Traduction("Gene-Piste") + " " + std::to_string(p.NbPistes + 1));
    // The properties of the new track, without Cancel: it is added whatever they are.
    if (batterie) {
        TFProprietesBatterie d(v, s, false, &f);
        d.exec();
        v = d.Valeurs();
    } else {
        TFProprietesPiste d(v, s, false, &f);
        d.Ecouter = [&f, s](const rProprietesPiste &x, int corde) { EcouterCorde(f, s, x, corde); };
        d.exec();
        v = d.Valeurs();
    }
    QuitterPlaceholder(p);
    AjouterPiste(p, a.Place(), v, s.Port, s.Canal, s.CanalEffets);
    ActualiserCanauxEtMixer(f);
    f.FinEdition(true);
}

void SupprimerLaPiste(TMainForm &f)
{
    cPartition &p = f.Partition();
    if (p.NbPistes <= 1)
        return;
    const std::string question =
        AvecParametre(Traduction("Gene-ConfSupPiste"), std::to_string(p.Curseur.NumPiste));
    if (MyMsg(Traduction("Dlg-Confirmation"), question, MsgConfirmation, DefNon, BtOui | BtNon) !=
        ResOui)
        return;
    ArreterLecture(f);
    QuitterPlaceholder(p);
    SupprimerPisteCurseur(p);
    ActualiserCanauxEtMixer(f);
    f.FinEdition(true);
}

void Proprietes(TMainForm &f)
{
    cPartition &p = f.Partition();
    const int numero = p.Curseur.NumPiste;
    cPiste *t = p.PisteNumero(numero);
    if (!t)
        return;
    // The colour chosen shows on the track at once; Cancel brings the first one back.
    auto apercu = [&f, numero](int couleur) {
        if (cPiste *x = f.Partition().PisteNumero(numero)) {
            x->Couleur = couleur;
            f.Vue()->ActualiserTout();
        }
    };
    const rSortiePiste s = SortieDe(*t);
    rProprietesPiste v;
    bool ok = false;
    if (t->Percussions) {
        TFProprietesBatterie d(ProprietesDe(*t), s, true, &f);
        d.Apercu = apercu;
        ok = d.exec() == QDialog::Accepted;
        v = d.Valeurs();
    } else {
        TFProprietesPiste d(ProprietesDe(*t), s, true, &f);
        d.Apercu = apercu;
        d.Ecouter = [&f, s](const rProprietesPiste &x, int corde) { EcouterCorde(f, s, x, corde); };
        ok = d.exec() == QDialog::Accepted;
        v = d.Valeurs();
    }
    if (!ok) {
        f.Actualiser(true);
        return;
    }
    bool transposer = false;
    if (QuestionTransposition(*t, v)) {
        ArreterLecture(f);
        const QString q = TexteSection(
            "DLG_PROP_000", 24,
            "Do you want to transpose the notes so that they keep sounding the same?");
        transposer = MyMsg(Traduction("Dlg-Confirmation"), DepuisQt(q), MsgConfirmation, DefOui,
                           BtOui | BtNon) == ResOui;
    }
    AppliquerProprietes(p, *t, v, transposer);
    ActualiserCanauxEtMixer(f);
    f.FinEdition(true);
}

// ---------------------------------------------------------------- beats

void Texte(TMainForm &f)
{
    cPartition &p = f.Partition();
    const cAccord *a = p.Curseur.Accord;
    if (!a || a->Etat == 0)
        return;
    TFTexteAccord d(a->Texte ? a->Texte->Texte : std::string(), &f);
    if (d.exec() != QDialog::Accepted) {
        f.Actualiser(false);
        return;
    }
    ChangerTexteAccord(p, d.Texte);
    f.FinEdition(false);
}

} // namespace

void EnregistrerCommandesEdition(TMainForm &f)
{
    auto cmd = [&f](const char *nom, std::function<void()> fn) {
        f.EnregistrerCommande(nom, [fn](int) { fn(); });
    };
    cmd("Bar_Insert", [&f] { Inserer(f); });
    cmd("Bar_Clear", [&f] { Effacer(f); });
    cmd("Edition_Copier", [&f] { Copier(f); });
    cmd("Edition_Couper", [&f] { Couper(f); });
    cmd("Edition_Coller", [&f] { Coller(f); });
    cmd("Mesure_Signature", [&f] { Signature(f); });
    cmd("Mesure_RenvDeb", [&f] {
        BasculerRenvoiDebut(f.Partition());
        f.FinEdition(true);
    });
    cmd("Mesure_RenvFin", [&f] { RenvoiFin(f); });
    cmd("Mesure_Repet", [&f] { Finale(f); });

    cmd("Marker_Ajouter", [&f] { Marker(f); });
    cmd("Marker_Liste", [&f] { ListeMarkers(f); });
    cmd("Marker_AllerPrec", [&f] {
        const cPartition &p = f.Partition();
        AllerMarker(f, MesureMarkerPrecedent(p, p.Curseur.NumMesure));
    });
    cmd("Marker_AllerSuiv", [&f] {
        const cPartition &p = f.Partition();
        AllerMarker(f, MesureMarkerSuivant(p, p.Curseur.NumMesure));
    });
    auto menu = std::make_shared<rMenuMarkers>();
    cmd("Marker_AllerA", [&f, menu] {
        const int k = menu->Demande;
        menu->Demande = 0;
        AllerMarker(f, MesureMarkerNumero(f.Partition(), k));
    });
    // The menu follows every change of the markers: edits, New, Open, imports.
    auto reconstruire = [&f, menu] { ReconstruireMenuMarkers(f, menu); };
    f.Document().Abonner(cDocument::eEvenement::ApresEdition, reconstruire);
    f.Document().Abonner(cDocument::eEvenement::ApresRemplacement, reconstruire);
    reconstruire();

    cmd("Track_Insert", [&f] { AjouterUnePiste(f); });
    cmd("Track_Remove", [&f] { SupprimerLaPiste(f); });
    cmd("Track_Properties", [&f] { Proprietes(f); });

    auto accord = [&f](bool (*operation)(cPartition &)) {
        ArreterLecture(f);
        if (operation(f.Partition()))
            f.FinEdition(false);
    };
    cmd("Beat_Insert", [&f, accord] {
        if (f.Partition().Curseur.MesurePiste &&
            f.Partition().Curseur.MesurePiste->NbAccords >= MaxAccords) {
            Erreur("Gene-MaxAccords");
            return;
        }
        accord(InsererAccordCurseur);
    });
    cmd("Beat_Delete", [accord] { accord(SupprimerAccordCurseur); });
    cmd("CopyBeatToTheEnd", [&f, accord] {
        if (f.Partition().Curseur.MesurePiste &&
            f.Partition().Curseur.MesurePiste->NbAccords >= MaxAccords) {
            Erreur("Gene-MaxAccords");
            return;
        }
        accord(CopierAccordALaFin);
    });
    cmd("Beat_Link", [accord] { accord(LierAccordCurseur); });
    cmd("Accord_Texte", [&f] { Texte(f); });
}
