// Typing tablature: the keys of the score view, durations, dynamics, the on/off effects, the
// fret pop-up menu, undo and redo.
#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QInputDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QWidgetAction>

#include "config/ui/uTexteUI.h"
#include "app/uCurseur.h"
#include "app/uHistorique.h"
#include "app/uSaisie.h"
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "chords/uListeAccordsImpression.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/ui/DlgMyMsg.h"
#include "fileio/uFichierPLT.h"
#include "model/uEdition.h"

namespace {

int NuanceDefaut() { return Config ? Config->NuanceParDefaut : 6; }

const char *NomDuree(int code)
{
    static const char *const noms[] = {"Ronde", "Blanche", "Noire", "Croche",
                                       "DCroche", "TCroche", "QCroche"};
    return noms[std::clamp(code, -2, 4) + 2];
}

rPlaceCurseur Place(const rPosition &c) { return {c.NumMesure, c.NumPiste, c.NumTemps, c.NumCorde}; }

// Commands whose changes stay inside the cursor's track measure: their undo step is a copy of
// that measure, whatever the size of the score.
bool CommandeLocale(const std::string &nom)
{
    static const char *const prefixes[] = {"Duree_Accord_", "Duree_Note_", "EffetNote_",
                                           "EffetAccord_", "Dynamic_",    "Note_Move",
                                           "Saisie_",      "ValNote"};
    for (const char *x : prefixes)
        if (nom.rfind(x, 0) == 0)
            return true;
    return nom == "Beat_1" || nom == "Beat_Insert" || nom == "Beat_Delete" ||
           nom == "CopyBeatToTheEnd" || nom == "Beat_Link" || nom == "Accord_Texte";
}

// Cursor moves: they may only drop the placeholder beat they leave, or append a measure.
bool CommandeMouvement(const std::string &nom)
{
    static const char *const noms[] = {"Bar_First",       "Bar_Previous",     "Bar_Next",
                                       "Bar_Last",        "Bar_GoTo",         "Track_First",
                                       "Track_Previous",  "Track_Next",       "Track_Last",
                                       "Marker_AllerPrec", "Marker_AllerSuiv", "Marker_AllerA",
                                       "Lecture_Debut",   "Lecture_Fin"};
    for (const char *x : noms)
        if (nom == x)
            return true;
    return false;
}

// Commands that never change the score (New and Open replace it: the history starts again).
bool CommandeSansEdition(const std::string &nom)
{
    static const char *const prefixes[] = {"Affichage_", "Lecture_", "Aide_", "Options_",
                                           "Fichier_Enregistrer", "Fichier_Export_",
                                           "Fichier_Imp", "Fichier_Parcourir", "Fichier_Quitter",
                                           "Fichier_Nouveau", "Fichier_Ouvrir", "Edition_Copier",
                                           "Tools_Solfege", "Tools_PercussionAssistant"};
    for (const char *x : prefixes)
        if (nom.rfind(x, 0) == 0)
            return true;
    return false;
}

// What the typing module keeps between keys and commands.
struct rSaisie {
    TMainForm &F;
    cHistorique Historique;
    // The file image of the score as it is, for the steps that change more than one measure;
    // refreshed in the background a moment after the typing stops.
    std::string Courante;
    bool CouranteValide = false;
    QTimer TimerImage;
    // Taken before each command.
    rPlaceCurseur PlaceAvant;
    long long RevisionAvant = 0;
    int MesureAvant = 0, PisteAvant = 0, NbMesuresAvant = 0;
    std::unique_ptr<cMesurePiste> CopieAvant;
    bool Restauration = false;   // undo or redo is replacing the score
    bool SansHistorique = false; // a key move records its own change
    bool Remplacee = false;      // New, Open or an import replaced the score during a command
    QMenu *MenuCases = nullptr;

    explicit rSaisie(TMainForm &f) : F(f)
    {
        TimerImage.setSingleShot(true);
        TimerImage.setInterval(300);
        QObject::connect(&TimerImage, &QTimer::timeout, [this] { Synchroniser(); });
    }

    std::string Image() const
    {
        std::string i;
        EcrireFichierMemoire(F.Partition(), ListeAccordsImpression(), i);
        return i;
    }
    void Synchroniser()
    {
        if (!CouranteValide) {
            Courante = Image();
            CouranteValide = true;
        }
    }
    void Perimer()
    {
        CouranteValide = false;
        TimerImage.start();
    }
    // Undo and redo follow the history at once: the refresh of an edit runs before its step is
    // recorded.
    void EtatsAnnulation()
    {
        if (QAction *a = F.Action("Edition_Annuler"))
            a->setEnabled(Historique.PeutAnnuler());
        if (QAction *a = F.Action("Edition_Retablir"))
            a->setEnabled(Historique.PeutRetablir());
    }
    void Recommencer()
    {
        Historique.Vider();
        CouranteValide = false;
        Synchroniser();
        EtatsAnnulation();
    }
    void Ecouter()
    {
        const cPartition &p = F.Partition();
        if (p.Curseur.Accord && p.Curseur.MesurePiste && p.Curseur.MesurePiste->Piste)
            F.Document().EcouterAccord(*p.Curseur.MesurePiste->Piste, *p.Curseur.Accord);
    }
    void ArreterLecture()
    {
        if (F.Document().EnLecture())
            F.Document().ArreterLecture();
    }

    // Before a change at the cursor: a copy of its track measure.
    void NoterMesure()
    {
        const cPartition &p = F.Partition();
        PlaceAvant = Place(p.Curseur);
        MesureAvant = p.Curseur.NumMesure;
        PisteAvant = p.Curseur.NumPiste;
        NbMesuresAvant = p.NbMesures;
        CopieAvant = p.Curseur.MesurePiste ? cHistorique::CopierMesure(*p.Curseur.MesurePiste)
                                           : nullptr;
    }
    // After it: the measure step, and the measure a move appended, tied to the next change
    // when `lie`.
    void EnregistrerMesure(bool lie, bool seulementSiNbAccords)
    {
        const cPartition &p = F.Partition();
        const cMesurePiste *mp = p.MesurePisteDe(MesureAvant, PisteAvant);
        if (!CopieAvant || !mp)
            return;
        const bool change = !seulementSiNbAccords || mp->NbAccords != CopieAvant->NbAccords;
        if (change)
            Historique.EnregistrerMesure(MesureAvant, PisteAvant, std::move(CopieAvant),
                                         cHistorique::CopierMesure(*mp), PlaceAvant, lie);
        const bool ajoutee = p.NbMesures == NbMesuresAvant + 1;
        if (ajoutee)
            Historique.EnregistrerMesureAjoutee(PlaceAvant, lie);
        if (change || ajoutee)
            Perimer();
        CopieAvant.reset();
        EtatsAnnulation();
    }

    void AvantCommande(const std::string &nom)
    {
        RevisionAvant = F.Document().Revision();
        if (CommandeLocale(nom) || CommandeMouvement(nom)) {
            NoterMesure();
            return;
        }
        PlaceAvant = Place(F.Partition().Curseur);
        if (!CommandeSansEdition(nom))
            Synchroniser();
    }
    void ApresCommande(const std::string &nom)
    {
        if (Restauration || nom == "Edition_Annuler" || nom == "Edition_Retablir")
            return;
        if (Remplacee) {
            Remplacee = false;
            Recommencer();
            return;
        }
        if (CommandeLocale(nom)) {
            if (F.Document().Revision() != RevisionAvant)
                EnregistrerMesure(false, false);
            CopieAvant.reset();
            return;
        }
        if (CommandeMouvement(nom)) {
            EnregistrerMesure(true, true);
            return;
        }
        if (CommandeSansEdition(nom) || F.Document().Revision() == RevisionAvant)
            return;
        Synchroniser(); // (valid since AvantCommande unless the command left the score alone)
        const std::string apres = Image();
        Historique.EnregistrerImages(Courante, apres, PlaceAvant);
        Courante = apres;
        CouranteValide = true;
        EtatsAnnulation();
    }
    // A change outside the commands (the tempo box, the mixer) is a step of its own when the
    // image from before it is at hand.
    void ApresEditionHorsCommande()
    {
        const std::string apres = Image();
        if (CouranteValide)
            Historique.EnregistrerImages(Courante, apres, Place(F.Partition().Curseur));
        Courante = apres;
        CouranteValide = true;
        EtatsAnnulation();
    }

    // Undo (true) or redo.
    void Restaurer(bool annuler)
    {
        cHistorique::rCible cible;
        cible.Partition = [this]() -> cPartition & { return F.Partition(); };
        cible.Remplacer = [this](const std::string &image) { return Remplacer(image); };
        rPlaceCurseur place;
        const bool ok = annuler ? Historique.Annuler(cible, place) : Historique.Retablir(cible, place);
        Perimer();
        if (!ok) {
            F.Actualiser(true);
            return;
        }
        cPartition &p = F.Partition();
        rPosition c;
        c.NumMesure = place.NumMesure;
        c.NumPiste = place.NumPiste;
        c.NumTemps = place.NumTemps;
        c.NumCorde = place.NumCorde;
        p.PlacerCurseur(c);
        F.FinEdition(true);
    }
    // The score read back from an image replaces the current one; the file it belongs to, the
    // mixer and view states of its tracks and the scroll positions stay.
    bool Remplacer(const std::string &image)
    {
        cPartition &ancienne = F.Partition();
        auto nouvelle = std::make_unique<cPartition>();
        cListeAccordsImpression liste;
        std::string cle;
        if (!LireFichierMemoire(reinterpret_cast<const uint8_t *>(image.data()), image.size(),
                                *nouvelle, liste, cle)) {
            MyMsg(Traduction("Dlg-Erreur"), Traduction(cle), 1, 2, 4);
            return false;
        }
        nouvelle->Chemin = ancienne.Chemin;
        nouvelle->NomFichier = ancienne.NomFichier;
        for (cPiste *t = nouvelle->PremierePiste; t; t = t->Suivante)
            if (const cPiste *a = ancienne.PisteNumero(t->Index)) {
                t->Solo = a->Solo;
                t->Muet = a->Muet;
                t->Visible = a->Visible;
            }
        const int defilV = F.Vue()->Affichage.BarreV.Position;
        const int defilH = F.Vue()->Affichage.BarreH.Position;
        Restauration = true;
        F.Document().Remplacer(std::move(nouvelle));
        Restauration = false;
        liste.CopierVers(ListeAccordsImpression());
        F.Vue()->Affichage.BarreV.Position = defilV;
        F.Vue()->Affichage.BarreH.Position = defilH;
        return true;
    }
};

// The fret items "0".."29" in three columns of ten, then the editing items.
QMenu *CreerMenuCases(TMainForm &f, const std::shared_ptr<rSaisie> &s)
{
    auto *menu = new QMenu(&f);
    menu->setObjectName("PopupMenu_Saisie");
    auto *grille = new QWidget(menu);
    auto *g = new QGridLayout(grille);
    g->setContentsMargins(2, 2, 2, 2);
    g->setSpacing(0);
    for (int v = 0; v < 30; ++v) {
        auto *a = new QAction(QString::number(v), menu);
        a->setObjectName(QString("ValNote_%1").arg(v, 2, 10, QChar('0')));
        QObject::connect(a, &QAction::triggered, &f, [&f, s, v] {
            s->ArreterLecture();
            cDocument &d = f.Document();
            d.DebutCommande("ValNote");
            const bool ok = PoserCase(f.Partition(), v, NuanceDefaut());
            if (ok) {
                f.FinEdition(false);
                s->Ecouter();
            }
            d.FinCommande("ValNote");
        });
        auto *b = new QToolButton(grille);
        b->setDefaultAction(a);
        b->setAutoRaise(true);
        b->setMinimumWidth(28);
        QObject::connect(b, &QToolButton::triggered, menu, &QMenu::close);
        g->addWidget(b, v % 10, v / 10);
    }
    auto *wa = new QWidgetAction(menu);
    wa->setDefaultWidget(grille);
    menu->addAction(wa);
    menu->addSeparator();
    for (const char *n : {"Edition_Couper", "Edition_Copier", "Edition_Coller", "-", "Bar_Insert",
                          "Bar_Clear", "-"}) {
        if (std::string(n) == "-")
            menu->addSeparator();
        else if (QAction *a = f.Action(n))
            menu->addAction(a);
    }
    // The marker item has a caption of its own here ("Insert a Marker...").
    auto *marqueur = new QAction(QStringLiteral("Insert a &Marker..."), &f);
    marqueur->setObjectName("Marker_AjouterPopup");
    QObject::connect(marqueur, &QAction::triggered, &f, [&f] { f.Executer("Marker_Ajouter"); });
    menu->addAction(marqueur);
    if (QAction *a = f.Action("Edition_Inserer_MixTableChange"))
        menu->addAction(a);
    return menu;
}

// Right button released over the score: the fret menu; double click: the mix table change.
class TFiltreVue : public QObject {
public:
    TFiltreVue(TMainForm &f, std::shared_ptr<rSaisie> s) : QObject(&f), F(f), S(std::move(s)) {}

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::MouseButtonRelease) {
            auto *me = static_cast<QMouseEvent *>(e);
            if (me->button() == Qt::RightButton && !F.Document().EnLecture()) {
                if (QAction *m = F.findChild<QAction *>("Marker_AjouterPopup"))
                    m->setEnabled(F.Action("Marker_Ajouter")->isEnabled());
                S->MenuCases->popup(static_cast<QWidget *>(o)->mapToGlobal(me->position().toPoint()));
                return true;
            }
        } else if (e->type() == QEvent::MouseButtonDblClick) {
            F.Executer("Edition_Inserer_MixTableChange");
            return true;
        }
        return false;
    }

private:
    TMainForm &F;
    std::shared_ptr<rSaisie> S;
};

} // namespace

void EnregistrerCommandesSaisie(TMainForm &f)
{
    auto s = std::make_shared<rSaisie>(f);
    cDocument &d = f.Document();
    auto cmd = [&f](const char *nom, std::function<void(int)> fn) { f.EnregistrerCommande(nom, fn); };

    // An edit at the cursor: playback lets go of the beats first; the track measure is laid out
    // again when the score changed, and the commands' states follow in any case.
    auto editer = [&f, s](const std::function<bool(cPartition &)> &op, bool ecouter) {
        s->ArreterLecture();
        if (op(f.Partition())) {
            f.FinEdition(false);
            if (ecouter)
                s->Ecouter();
        } else {
            f.Actualiser(false);
        }
    };

    // ------------------------------------------------------------ beat durations
    // The tuplet last chosen from the tuplet menu, shared with the tuplet tool button.
    f.setProperty("DernierTriolet", 3);
    for (int code = -2; code <= 4; ++code)
        cmd((std::string("Duree_Accord_") + NomDuree(code)).c_str(), [&f, editer](int tag) {
            if (f.Partition().SelectionActive) {
                f.ActualiserCommandes();
                return;
            }
            editer([tag](cPartition &p) { return DureeAccord(p, tag); }, false);
        });
    cmd("Duree_Accord_Pointe", [&f, editer](int) {
        if (f.Partition().SelectionActive) {
            f.ActualiserCommandes();
            return;
        }
        editer(BasculerPointeAccord, false);
    });
    // The tuplet menu sets the tuplet and makes it the tool button's.
    for (const char *n : {"Beat_1", "Duree_Accord_Triolet_3_2", "Duree_Accord_Triolet_5_2",
                          "Duree_Accord_Triolet_6_2", "Duree_Accord_Triolet_7_2",
                          "Duree_Accord_Triolet_9_2", "Duree_Accord_Triolet_10_2",
                          "Duree_Accord_Triolet_11_2", "Duree_Accord_Triolet_12_2",
                          "Duree_Accord_Triolet_13_2"})
        cmd(n, [&f, editer](int tag) {
            if (f.Partition().SelectionActive) {
                f.ActualiserCommandes();
                return;
            }
            if (tag > 1)
                f.setProperty("DernierTriolet", tag); // the tuplet tool button's from now on
            editer([tag](cPartition &p) { return TrioletAccord(p, tag); }, false);
        });
    // The tuplet tool button: a beat with a tuplet loses it, a beat without one takes its tag.
    for (int t : {3, 5, 6, 7, 9, 10, 11, 12, 13})
        cmd(("Duree_Accord_Triolet_" + std::to_string(t)).c_str(), [&f, editer](int tag) {
            const cAccord *b = f.Partition().Curseur.Accord;
            if (!b || f.Partition().SelectionActive) {
                f.ActualiserCommandes();
                return;
            }
            const int nouveau = b->Triolet > 1 ? 1 : tag;
            editer([nouveau](cPartition &p) { return TrioletAccord(p, nouveau); }, false);
        });
    cmd("Duree_Accord_Silence", [editer](int) { editer(Silence, false); });

    // ------------------------------------------------------------ note durations
    for (int code = -2; code <= 4; ++code)
        cmd((std::string("Duree_Note_") + NomDuree(code)).c_str(), [editer](int tag) {
            editer([tag](cPartition &p) { return DureeNote(p, tag); }, false);
        });
    cmd("Duree_Note_Pointe", [editer](int) { editer(BasculerPointeNote, false); });
    cmd("Duree_Note_XTuplet", [editer](int) { editer(BasculerTrioletNote, false); });
    cmd("Duree_Note_Liee", [editer](int) { editer(Lier, false); });

    // ------------------------------------------------------------ notes, dynamics
    cmd("EffetNote_DeadNote", [editer](int) { editer(NoteMorte, true); });
    cmd("Note_MoveUp", [editer](int) { editer([](cPartition &p) { return DeplacerNote(p, true); }, false); });
    cmd("Note_MoveDown", [editer](int) { editer([](cPartition &p) { return DeplacerNote(p, false); }, false); });
    for (const char *n : {"Dynamic_ppp", "Dynamic_pp", "Dynamic_p", "Dynamic_mp", "Dynamic_mf",
                          "Dynamic_f", "Dynamic_ff", "Dynamic_fff"})
        cmd(n, [&f, editer](int tag) {
            const bool tout = f.Action("Dynamic_Accord") && f.Action("Dynamic_Accord")->isChecked();
            editer([tag, tout](cPartition &p) { return Nuance(p, tag, tout); }, false);
        });
    // Its checked state is all there is to it: the dynamic commands read it.
    cmd("Dynamic_Accord", [&f](int) { f.ActualiserCommandes(); });
    cmd("Dynamic_SetDefault", [&f](int) {
        const cNote *n = f.Partition().Curseur.Note;
        if (Config && n && (n->Type == 1 || n->Type == 3))
            Config->NuanceParDefaut = n->Nuance;
    });

    // ------------------------------------------------------------ on/off effects
    // (bend, grace note, brushes and the stroke of vibrato have editors of their own)
    for (const char *n : {"EffetNote_HOPO", "EffetNote_PickSlide", "EffetNote_LetRing",
                          "EffetNote_Sugeree", "EffetAccord_Vibrato", "EffetAccord_TremoloBar",
                          "EffetAccord_HarmN", "EffetAccord_HarmA", "EffetAccord_FadeIn",
                          "EffetAccord_Tapping", "EffetAccord_Slap", "EffetAccord_Pop"})
        cmd(n, [&f, s](int effet) {
            // Effects never change beats the playback engine holds.
            if (f.Document().EnLecture()) {
                f.ActualiserCommandes();
                return;
            }
            if (BasculerEffet(f.Partition(), effet, NuanceDefaut())) {
                f.FinEdition(false);
                s->Ecouter();
            } else {
                f.Actualiser(false);
            }
        });

    // ------------------------------------------------------------ go to bar
    cmd("Bar_GoTo", [&f](int) {
        cPartition &p = f.Partition();
        bool ok = false;
        // The command's own caption and hint, as the patch gives them.
        QAction *a = f.Action("Bar_GoTo");
        const int n = QInputDialog::getInt(&f, SansAccelerateur(a->text()), a->toolTip(),
                                           p.Curseur.NumMesure, 1, p.NbMesures, 1, &ok);
        if (!ok)
            return;
        QuitterPlaceholder(p);
        AllerMesure(p, n);
        f.Actualiser(true);
    });

    // ------------------------------------------------------------ undo, redo
    f.Action("Edition_Annuler")->setVisible(true);
    f.Action("Edition_Retablir")->setVisible(true);
    cmd("Edition_Annuler", [s](int) { s->Restaurer(true); });
    cmd("Edition_Retablir", [s](int) { s->Restaurer(false); });
    s->Recommencer();
    d.Abonner(cDocument::eEvenement::AvantCommande, [&f, s] {
        const std::string &nom = f.Document().CommandeEnCours();
        // A pending first digit lasts until the next key or command.
        if (nom != "Saisie_Chiffre")
            f.Partition().AttenteChiffre = false;
        s->AvantCommande(nom);
    });
    d.Abonner(cDocument::eEvenement::ApresCommande,
              [&f, s] { s->ApresCommande(f.Document().CommandeEnCours()); });
    d.Abonner(cDocument::eEvenement::ApresEdition, [&f, s] {
        if (s->Restauration || s->SansHistorique || !f.Document().CommandeEnCours().empty())
            return;
        s->ApresEditionHorsCommande();
    });
    d.Abonner(cDocument::eEvenement::ApresRemplacement, [&f, s] {
        if (s->Restauration)
            return;
        // New, Open and the imports start a new history; the print chords of an opened file
        // arrive after the replacement, so the image is taken again at the end of the command.
        s->Recommencer();
        s->Remplacee = !f.Document().CommandeEnCours().empty();
    });
    // A click on the score may drop the placeholder beat the cursor left.
    QObject::connect(f.Vue(), &TVuePartition::CurseurDeplace, &f, [s] { s->Perimer(); });
    f.AjouterEtats([s](TMainForm &) { s->EtatsAnnulation(); });

    // ------------------------------------------------------------ mouse
    // Built now so that the language patch names its items with the window's.
    s->MenuCases = CreerMenuCases(f, s);
    f.Vue()->PaintBox()->installEventFilter(new TFiltreVue(f, s));

    // ------------------------------------------------------------ keys
    f.AjouterGestionnaireTouches([&f, s](int k, Qt::KeyboardModifiers m, const QString &) {
        cPartition &p = f.Partition();
        cDocument &doc = f.Document();
        const bool pave = m.testFlag(Qt::KeypadModifier);
        const auto mods = m & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        const bool aucun = mods == Qt::NoModifier;
        const bool ctrl = mods == Qt::ControlModifier;

        // A key edit runs as a command of its own: undo sees it, playback stops first.
        auto edition = [&](const char *nom, const std::function<void()> &fn) {
            s->ArreterLecture();
            doc.DebutCommande(nom);
            fn();
            doc.FinCommande(nom);
        };
        // A move that drops the placeholder beat or appends a beat or a measure: its change is
        // undone together with the edit before it.
        auto changeParMouvement = [&](bool tout) {
            s->SansHistorique = true;
            f.FinEdition(tout);
            s->SansHistorique = false;
            s->EnregistrerMesure(true, true);
        };
        // Moves run during playback, unless they would drop or append a beat the engine may
        // hold: then playback stops first.
        auto avantMouvement = [&](bool peutAjouter) {
            const cAccord *b = p.Curseur.Accord;
            const cMesurePiste *mp = p.Curseur.MesurePiste;
            if (b && mp && ((b->Etat == 0 && b != mp->PremierAccord) || (peutAjouter && !b->Suivant)))
                s->ArreterLecture();
            s->NoterMesure();
        };
        auto deplacerTemps = [&](eMouvementTemps mv) {
            avantMouvement(mv == eMouvementTemps::Suivant);
            const eResultatMouvement r = DeplacerTemps(p, mv);
            switch (r) {
            case eResultatMouvement::Rien:
                return;
            case eResultatMouvement::Deplace:
                f.Actualiser(false);
                return;
            case eResultatMouvement::Modifie:
            case eResultatMouvement::MesureAjoutee:
                changeParMouvement(r == eResultatMouvement::MesureAjoutee);
                return;
            }
        };
        auto effacer = [&]() {
            if (EffacerNote(p)) {
                f.FinEdition(false);
                s->Ecouter();
            } else {
                f.Actualiser(false);
            }
        };

        if (k == Qt::Key_Shift || k == Qt::Key_Control || k == Qt::Key_Alt || k == Qt::Key_Meta ||
            k == Qt::Key_AltGr)
            return false; // a modifier on its own is not a key of the editor
        if (k < Qt::Key_0 || k > Qt::Key_9)
            p.AttenteChiffre = false;
        if (k >= Qt::Key_0 && k <= Qt::Key_9) {
            edition("Saisie_Chiffre", [&] {
                if (TaperChiffre(p, k - Qt::Key_0, NuanceDefaut())) {
                    // Not FinEdition: the pending second digit must survive.
                    p.PositionCurseur(p.Curseur);
                    f.Actualiser(false);
                    p.MarquerModifie();
                    doc.Edite();
                    s->Ecouter();
                } else {
                    QApplication::beep();
                }
            });
            return true;
        }
        switch (k) {
        case Qt::Key_Up:
        case Qt::Key_Down:
            if (!aucun)
                return false;
            DeplacerCorde(p, k == Qt::Key_Up ? eMouvementCorde::Haut : eMouvementCorde::Bas);
            f.Actualiser(false);
            return true;
        case Qt::Key_Home:
        case Qt::Key_End:
            if (ctrl) {
                avantMouvement(false);
                const bool supprime = QuitterPlaceholder(p);
                DeplacerMesure(p, k == Qt::Key_Home ? eMouvementMesure::Premiere
                                                    : eMouvementMesure::Derniere);
                if (supprime)
                    changeParMouvement(true);
                else
                    f.Actualiser(true);
                return true;
            }
            if (!aucun)
                return false;
            deplacerTemps(k == Qt::Key_Home ? eMouvementTemps::Premier : eMouvementTemps::Dernier);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (!aucun)
                return false;
            deplacerTemps(k == Qt::Key_Left ? eMouvementTemps::Precedent : eMouvementTemps::Suivant);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            deplacerTemps(eMouvementTemps::Suivant);
            return true;
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (!aucun)
                return false;
            if (QScrollBar *b = f.Vue()->BarreV())
                b->setValue(b->value() + (k == Qt::Key_PageUp ? -1 : 1));
            return true;
        case Qt::Key_Delete:
            if (!aucun)
                return false;
            edition("Saisie_Effacer", effacer);
            return true;
        case Qt::Key_Backspace:
            if (aucun) {
                edition("Saisie_Effacer", effacer);
            } else if (ctrl) {
                edition("Saisie_SupprimerAccord", [&] {
                    if (SupprimerAccordCurseur(p))
                        f.FinEdition(false);
                });
            } else {
                return false;
            }
            deplacerTemps(eMouvementTemps::Precedent);
            return true;
        default:
            break;
        }
        if (!pave || !(aucun || ctrl || mods == (Qt::ControlModifier | Qt::ShiftModifier)))
            return false;
        // The keypad: durations of the beat, or with Ctrl of the note.
        const char *genre = ctrl ? "Duree_Note_" : "Duree_Accord_";
        auto codeCoche = [&]() {
            for (int c = -2; c <= 4; ++c)
                if (QAction *a = f.Action(std::string(genre) + NomDuree(c)); a && a->isChecked())
                    return c;
            const cNote *n = p.Curseur.Note;
            const cAccord *b = p.Curseur.Accord;
            return ctrl ? (n ? n->CodeDuree : 0) : (b ? b->CodeDuree : 0);
        };
        switch (k) {
        case Qt::Key_Plus:
        case Qt::Key_Minus: {
            if (!aucun && !ctrl)
                return false;
            const int actuel = codeCoche();
            const int code = PasDuree(actuel, k == Qt::Key_Plus ? 1 : -1);
            if (code != actuel)
                f.Executer(std::string(genre) + NomDuree(code));
            return true;
        }
        case Qt::Key_Asterisk:
        case Qt::Key_Period:
        case Qt::Key_Comma: // the keypad's decimal key on some layouts
            if (!aucun && !ctrl)
                return false;
            f.Executer(std::string(genre) + "Pointe");
            return true;
        case Qt::Key_Slash: {
            if (ctrl) {
                f.Executer("Duree_Note_XTuplet");
                return true;
            }
            if (!aucun) { // Ctrl+Shift: the tuplet type drop-down
                if (QMenu *menu = f.Menu("Menu_Triolet"))
                    menu->popup(QCursor::pos());
                return true;
            }
            const cAccord *b = p.Curseur.Accord;
            if (!b)
                return true;
            const int t = b->Triolet > 1 ? b->Triolet : f.property("DernierTriolet").toInt();
            f.Executer("Duree_Accord_Triolet_" + std::to_string(t));
            return true;
        }
        default:
            return false;
        }
    });
}
