// Playback in the window. The layer's notifications arrive on its scheduler thread and are only
// posted here; nothing on the window thread ever waits for that thread.
#include "playback/ui/uLectureUI.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include <cstdio>

#include "app/uCommandes.h"
#include "app/ui/Main.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uTexteUI.h"
#include "model/uCodage.h"
#include "playback/uPeripheriques.h"

namespace {
TLecture *LectureCourante = nullptr;

// A command text of the patch (caption line), or the fallback.
QString TexteCommandePatch(const char *nom, const char *defaut, bool bulle = false)
{
    if (const rTexteCommande *t = TexteCommande(nom)) {
        const std::string s =
            TexteEntreGuillemets(t->Section, bulle ? t->LigneBulle : t->LigneLegende);
        if (!s.empty())
            return VersQt(s);
    }
    return QString::fromLatin1(defaut);
}

// The text with "%s" replaced by a name (the name put after a text without one).
std::string RemplacerS(std::string t, const std::string &nom)
{
    const auto i = t.find("%s");
    if (i != std::string::npos)
        t.replace(i, 2, nom);
    else
        t += " " + nom;
    return t;
}

// A tool button takes another command; the previous one is removed, or the button would
// offer both in a drop-down.
void ChangerCommande(QToolButton *b, QAction *a)
{
    if (!b || !a)
        return;
    for (QAction *x : b->actions())
        if (x != a)
            b->removeAction(x);
    b->setDefaultAction(a);
}

} // namespace

TLecture *TLecture::Instance() { return LectureCourante; }

TLecture::TLecture(TMainForm &f) : QObject(&f), F(f)
{
    setObjectName("Lecture");
    LectureCourante = this;
    auto biblio = std::make_unique<cBibliothequeMidi>(
        ListerPeripheriques(Config ? Config->SoundFont : std::string()));
    // From the scheduler thread: posted to this object, dropped if it is gone.
    QPointer<TLecture> moi(this);
    biblio->DefinirNotification([moi](int message, int sortie) {
        QMetaObject::invokeMethod(
            moi.data(),
            [moi, message, sortie] {
                if (moi && moi->Midi)
                    moi->Midi->Notification(message, sortie);
            },
            Qt::QueuedConnection);
    });
    Midi = std::make_unique<cMidi>(std::move(biblio), this);
    std::array<std::string, 4> sorties, patchs;
    std::array<bool, 4> limites{};
    if (Config)
        for (int n = 0; n < 4; ++n) {
            sorties[n] = Config->MidiOut[n];
            patchs[n] = Config->PatchInstr[n];
            limites[n] = Config->LimitBend[n];
        }
    Midi->Initialiser(sorties, patchs, limites, Traduction("Gene-AucunPort"),
                      Traduction("Gene-AucunPatch"), Traduction("Gene-FichierPatchNonTrouve"));
    if (Config)
        Midi->LireReglages(*Config);
    Midi->ChangerPartition(&F.Partition());

    MIDITimer.setTimerType(Qt::PreciseTimer);
    MIDITimer.setInterval(cMidi::IntervalleMs);
    AffichageTimer.setInterval(cMidi::IntervalleMs);
    connect(&MIDITimer, &QTimer::timeout, this, [this] { Midi->EnvoyerJusqua(); });
    connect(&AffichageTimer, &QTimer::timeout, this, [this] { Midi->SuivreCurseur(); });
    Reprise.setSingleShot(true);
    Reprise.setInterval(350);
    connect(&Reprise, &QTimer::timeout, this, [this] {
        if (Midi->Suspendu())
            Midi->Reprendre();
    });

    cDocument &d = F.Document();
    d.EnLecture = [this] { return Midi->EnLecture() || Midi->Suspendu(); };
    d.ArreterLecture = [this] { Arreter(); };
    d.EcouterAccord = [this](const cPiste &piste, const cAccord &accord) {
        if (Config)
            Midi->JouerPendantSaisie = Config->JouerPendantSaisie;
        Midi->EcouterAccord(piste, accord);
    };
    d.EcouterEditeur = [this](const cPiste &piste, const cAccord &accord) {
        Midi->JouerPendantSaisie = true;
        Midi->EcouterAccord(piste, accord);
        if (Config)
            Midi->JouerPendantSaisie = Config->JouerPendantSaisie;
    };
    d.Abonner(cDocument::eEvenement::AvantRemplacement, [this] {
        Arreter();
        Midi->ChangerPartition(nullptr);
    });
    d.Abonner(cDocument::eEvenement::ApresRemplacement, [this] {
        Midi->ChangerPartition(&F.Partition());
        ActualiserMarkers();
    });
    d.Abonner(cDocument::eEvenement::ApresEdition, [this] {
        ActualiserMarkers();
        // The tempo box changed the score's tempo: playback takes it at once.
        if (Midi->EnLecture() && Midi->Partition() && Midi->Partition()->Tempo != TempoVu)
            Midi->ChangerTempoPartition();
        TempoVu = F.Partition().Tempo;
    });
    // A move to another track while playing: the engine follows at once.
    d.Abonner(cDocument::eEvenement::ApresCommande, [this] { Midi->ChangerPiste(); });

    ConstruireBoutonVitesse();
    ConstruireMenusMarkers();
    Midi->Arreter(); // the tempo display
    // Once every subsystem has registered (the set-up window comes with the mixer).
    QTimer::singleShot(0, this, [this] {
        if (Config && Config->PremMidiSetup && ConfigurationMidi) {
            Config->PremMidiSetup = false;
            ConfigurationMidi();
        }
    });
}

TLecture::~TLecture()
{
    if (LectureCourante == this)
        LectureCourante = nullptr;
    MIDITimer.stop();
    AffichageTimer.stop();
    // The layer's thread ends with the engine, before this object stops being one.
    Midi.reset();
}

QToolButton *TLecture::Bouton(const char *commande) const
{
    auto *barre = F.findChild<QToolBar *>("Toolbar_Lecture");
    QAction *a = F.Action(commande);
    return barre && a ? qobject_cast<QToolButton *>(barre->widgetForAction(a)) : nullptr;
}

void TLecture::ConstruireBoutonVitesse()
{
    auto *barre = F.findChild<QToolBar *>("Toolbar_Tempo");
    if (!barre)
        return;
    BoutonVitesse = new QToolButton(barre);
    BoutonVitesse->setObjectName("BT_Vitesse");
    BoutonVitesse->setCheckable(true);
    BoutonVitesse->setPopupMode(QToolButton::MenuButtonPopup);
    BoutonVitesse->setToolTip(TexteCommandePatch("Lecture_Vitesse", "Playback Speed", true));
    auto *menu = new QMenu(BoutonVitesse);
    menu->setObjectName("Menu_Vitesse");
    for (double f : {0.25, 0.50, 0.75, 1.25, 1.50, 1.75, 2.00}) {
        char texte[16];
        std::snprintf(texte, sizeof texte, "x %.2f ", f);
        menu->addAction(QString::fromLatin1(texte), this, [this, f] {
            Midi->ChoisirFacteur(f);
            char t[16];
            std::snprintf(t, sizeof t, "%.2f ", f);
            BoutonVitesse->setText(QString::fromLatin1(t));
            BoutonVitesse->setChecked(true);
        });
    }
    BoutonVitesse->setMenu(menu);
    char t[16];
    std::snprintf(t, sizeof t, "%.2f ", Midi->FacteurTempo);
    BoutonVitesse->setText(QString::fromLatin1(t));
    connect(BoutonVitesse, &QToolButton::clicked, this,
            [this](bool coche) { Midi->BasculerFacteur(coche); });
    barre->addWidget(BoutonVitesse);
}

void TLecture::ConstruireMenusMarkers()
{
    BoutonJouer = Bouton("Lecture_JouerPosEC");
    MenuBoutonJouer = new QMenu(&F);
    MenuBoutonJouer->setObjectName("Menu_BoutonJouer");
    if (BoutonJouer) {
        BoutonJouer->setMenu(MenuBoutonJouer);
        BoutonJouer->setPopupMode(QToolButton::MenuButtonPopup);
    }
    ActualiserMarkers();
}

void TLecture::ActualiserMarkers()
{
    const cPartition &p = F.Partition();
    std::string signature = Traduction("Gene-JouerDepuis");
    for (const cMarker *m = p.PremierMarker; m; m = m->Suivant)
        signature += '\n' + m->Nom;
    if (signature == SignatureMarkers)
        return;
    SignatureMarkers = signature;
    QMenu *sousMenu = F.Menu("Menu_JouerMarker");
    const QString aucun = TexteCommandePatch("Marker_Aucun", "(no marker defined)");
    if (sousMenu) {
        sousMenu->clear();
        int k = 1;
        for (const cMarker *m = p.PremierMarker; m; m = m->Suivant, ++k)
            sousMenu->addAction(VersQt(m->Nom), this, [this, k] { Jouer(eModeJeu::Marker, k); });
        QAction *a = sousMenu->addAction(aucun);
        a->setEnabled(false);
        a->setVisible(!p.PremierMarker);
    }
    if (MenuBoutonJouer) {
        MenuBoutonJouer->clear();
        for (const char *c : {"Lecture_JouerPosEC", "Lecture_JouerDebut", "Lecture_JouerMesureEC"})
            MenuBoutonJouer->addAction(F.Action(c));
        MenuBoutonJouer->addSeparator();
        int k = 1;
        for (const cMarker *m = p.PremierMarker; m; m = m->Suivant, ++k)
            MenuBoutonJouer->addAction(VersQt(RemplacerS(Traduction("Gene-JouerDepuis"), m->Nom)), this,
                                       [this, k] { Jouer(eModeJeu::Marker, k); });
        QAction *a = MenuBoutonJouer->addAction(aucun);
        a->setEnabled(false);
        a->setVisible(!p.PremierMarker);
    }
}

void TLecture::Jouer(eModeJeu mode, int marker, bool garderBouton)
{
    TempoVu = F.Partition().Tempo;
    if (!garderBouton) {
        if (mode == eModeJeu::PositionCourante)
            CommandeBouton = "Lecture_JouerPosEC";
        else if (mode == eModeJeu::Debut)
            CommandeBouton = "Lecture_JouerDebut";
        else if (mode == eModeJeu::MesureCourante)
            CommandeBouton = "Lecture_JouerMesureEC";
    }
    if (Config)
        Midi->LireReglages(*Config);
    // Playing is where a crash is most likely to meet unsaved work: keep a copy first.
    F.EcrireRecuperation();
    Midi->Jouer(mode, marker);
}

void TLecture::Arreter() { Midi->Arreter(); }

void TLecture::PasAPas(bool avant)
{
    cPartition &p = F.Partition();
    rPosition c = p.Curseur;
    if (!c.MesurePiste || !c.Accord)
        return;
    if (avant) {
        if (c.Accord->Suivant)
            ++c.NumTemps;
        else if (c.NumMesure < p.NbMesures) {
            ++c.NumMesure;
            c.NumTemps = 1;
        } else
            return;
    } else {
        if (c.NumTemps > 1)
            --c.NumTemps;
        else if (c.NumMesure > 1) {
            --c.NumMesure;
            const cMesurePiste *mp = p.MesurePisteDe(c.NumMesure, c.NumPiste);
            c.NumTemps = mp ? mp->NbAccords : 1;
        } else
            return;
    }
    const cAccord *avantAccord = p.Curseur.Accord;
    p.EffacerSelection();
    p.AttenteChiffre = false;
    p.PlacerCurseur(c);
    F.Actualiser(false);
    if (p.Curseur.Accord != avantAccord && p.Curseur.MesurePiste && p.Curseur.MesurePiste->Piste)
        F.Document().EcouterAccord(*p.Curseur.MesurePiste->Piste, *p.Curseur.Accord);
}

void TLecture::SautMesure(bool avant)
{
    cPartition &p = F.Partition();
    const bool joue = Midi->EnLecture() || Midi->Suspendu();
    if (avant && p.Curseur.NumMesure >= p.NbMesures)
        return;
    if (!avant && p.Curseur.NumMesure <= 1 && p.Curseur.NumTemps <= 1)
        return;
    if (joue && !Midi->Suspendu())
        Midi->Suspendre();
    rPosition c = p.Curseur;
    c.NumMesure = avant ? c.NumMesure + 1 : std::max(1, c.NumMesure - 1);
    c.NumTemps = 1;
    p.PlacerCurseur(c);
    F.Actualiser(false);
    if (joue)
        Reprise.start(); // restarted once the button has been released
}

void TLecture::ActiverEdition(bool actif)
{
    for (const rEtatCommande &e : EtatsEdition(actif))
        if (QAction *a = F.Action(e.Nom))
            a->setEnabled(e.Actif && F.ACommande(e.Nom));
    // The tuplet type drop-down goes with its menu.
    for (const char *m : {"Menu_Edition", "Menu_Note", "Menu_Effets", "Menu_Triolet"})
        if (QMenu *menu = F.Menu(m))
            menu->setEnabled(actif);
}

// ------------------------------------------------------------------ iInterfaceLecture

void TLecture::ActiverEnvoi(bool actif)
{
    if (actif)
        MIDITimer.start();
    else
        MIDITimer.stop();
}

void TLecture::ActiverSuivi(bool actif)
{
    if (actif)
        AffichageTimer.start();
    else
        AffichageTimer.stop();
}

void TLecture::LectureDemarree()
{
    F.Vue()->Affichage.LectureEnCours = true;
    ChangerCommande(BoutonJouer, F.Action("Lecture_Stop"));
    for (auto [pas, saut] : {std::pair{"Lecture_PasAPas_Ar", "Lecture_RetourRapide"},
                             std::pair{"Lecture_PasAPas_Av", "Lecture_AvanceRapide"}})
        if (QToolButton *b = Bouton(pas)) {
            ChangerCommande(b, F.Action(saut));
            b->setAutoRepeat(true);
            b->setAutoRepeatDelay(100);
            b->setAutoRepeatInterval(100);
        }
    ActiverEdition(false);
    TempoAffiche(Midi->TempoEffectif());
    F.Vue()->ActualiserTout();
}

void TLecture::LectureArretee()
{
    F.Vue()->Affichage.LectureEnCours = false;
    ChangerCommande(BoutonJouer, F.Action(CommandeBouton));
    for (const char *pas : {"Lecture_PasAPas_Ar", "Lecture_PasAPas_Av"})
        if (QToolButton *b = Bouton(pas)) {
            if (b->isDown())
                continue;
            ChangerCommande(b, F.Action(pas));
            b->setAutoRepeatDelay(300);
        }
    ActiverEdition(true);
    F.MettreAJourTitre();
    F.Actualiser(true);
}

void TLecture::CurseurSuivi(bool)
{
    // The old and the new measure are laid out again and the view follows the cursor; a full
    // relayout at every bar line would hold the window thread on long scores.
    F.Actualiser(false);
}

void TLecture::TempoAffiche(int tempoEffectif)
{
    if (!Midi || !(Midi->EnLecture() || Midi->Suspendu()))
        return;
    F.setWindowTitle(QString::fromUtf8(
        TitreFenetre(F.Partition(), Traduction("Fichier-SansNom"), true, tempoEffectif).c_str()));
}

void TLecture::ErreurPeripherique(const std::string &nom)
{
    const std::string texte =
        RemplacerS(Traduction("Gene-FermerAutreLogMIDI1"), Utf8VersWin1252(nom)) + "\r\r" +
        Traduction("Gene-FermerAutreLogMIDI2");
    MyMsg(Traduction("Dlg-Erreur"), texte, MsgErreur, DefOK, BtOK);
}
