#include "app/ui/Main.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "app/uCommandes.h"
#include "app/uCurseur.h"
#include "app/uDocument.h"
#include "app/ui/uIconesOutils.h"
#include "app/ui/uModules.h"
#include "config/ui/uTexteUI.h"
#include "config/uConfig.h"
#include "config/uEmplacements.h"
#include "config/uIni.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "model/uCodage.h"

namespace {
QString Q(const std::string &s) { return VersQt(s); }
std::string T(const std::string &cle) { return Traduction(cle); }

struct rBarre {
    const char *Nom;
    const char *Commande; // its show/hide command
    std::vector<const char *> Actions;
};
const std::vector<rBarre> &Barres()
{
    static const std::vector<rBarre> b = {
        {"Toolbar_Fichier", "Affichage_ToolBar_Fichier",
         {"Fichier_Nouveau", "Fichier_Ouvrir", "Fichier_Enregistrer", "Fichier_Imprimer",
          "Edition_Couper", "Edition_Copier", "Edition_Coller"}},
        {"Toolbar_Mesure", "Affichage_ToolBar_Mesure",
         {"Bar_Insert", "Mesure_Signature", "Mesure_RenvDeb", "Mesure_RenvFin", "Mesure_Repet"}},
        {"Toolbar_Marker", "Affichage_ToolBar_Marker",
         {"Marker_Ajouter", "Marker_Liste", "Marker_AllerPrec", "Marker_AllerSuiv"}},
        {"Toolbar_Affichage", "Affichage_ToolBar_Affichage",
         {"Affichage_Vue_Multipiste", "Affichage_Scrolling_Vertical",
          "Affichage_Scrolling_Horizontal", "Affichage_MontrerLetRing",
          "Affichage_MontrerDynamique"}},
        {"Toolbar_Duration", "Affichage_ToolBar_Duration",
         {"Duree_Accord_Ronde", "Duree_Accord_Blanche", "Duree_Accord_Noire",
          "Duree_Accord_Croche", "Duree_Accord_DCroche", "Duree_Accord_TCroche",
          "Duree_Accord_QCroche", "Duree_Accord_Pointe", "Duree_Accord_Triolet_3",
          "Duree_Accord_Silence"}},
        {"Toolbar_NoteDuration", "Affichage_ToolBar_NoteDuration",
         {"Duree_Note_Noire", "Duree_Note_Pointe", "Duree_Note_XTuplet", "Duree_Note_Liee"}},
        {"Toolbar_Lecture", "Affichage_ToolBar_Lecture",
         {"Lecture_Debut", "Lecture_RetourRapide", "Lecture_PasAPas_Ar", "Lecture_JouerPosEC",
          "Lecture_Stop", "Lecture_PasAPas_Av", "Lecture_AvanceRapide", "Lecture_Fin",
          "Lecture_EnBoucle", "Lecture_Metronome", "Lecture_CountDown"}},
        {"Toolbar_Tempo", "Affichage_ToolBar_Tempo", {}},
        {"Toolbar_Effets", "Affichage_ToolBar_Effets",
         {"EffetNote_BendType", "EffetNote_HOPO", "EffetNote_PickSlide", "EffetNote_LetRing",
          "EffetNote_Sugeree", "EffetNote_Appogiature", "EffetNote_DeadNote",
          "EffetAccord_Vibrato", "EffetAccord_TremoloBar", "EffetAccord_HarmN",
          "EffetAccord_HarmA", "EffetAccord_FadeIn", "EffetAccord_Tapping", "EffetAccord_Slap",
          "EffetAccord_Pop", "EffetAccord_BrushUp", "EffetAccord_BrushDown",
          "EffetAccord_CoupVB", "Accord_Texte", "Accord_Diagramme"}},
        {"Toolbar_Dynamic", "Affichage_ToolBar_Dynamic",
         {"Dynamic_ppp", "Dynamic_pp", "Dynamic_p", "Dynamic_mp", "Dynamic_mf", "Dynamic_f",
          "Dynamic_ff", "Dynamic_fff", "Dynamic_Accord"}},
    };
    return b;
}

} // namespace

void TChampClavier::keyPressEvent(QKeyEvent *e)
{
    emit Touche(e->key(), e->modifiers(), e->text());
}

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    setObjectName("MainForm");
    RepertoireDepart = QDir::currentPath();
    Doc.ChoisirInterface(this);
    Doc.Partition().Nouveau();

    auto *centre = new QWidget(this);
    auto *disposition = new QHBoxLayout(centre);
    disposition->setContentsMargins(0, 0, 0, 0);
    RzSizePanel_H = new QSplitter(Qt::Vertical, centre);
    RzSizePanel_H->setObjectName("RzSizePanel_H");
    VuePartition = new TVuePartition(&Doc.Partition(), &Config->ParamEcran, RzSizePanel_H);
    VuePartition->Affichage.Traduire = [](const std::string &cle) { return Traduction(cle); };
    VuePartition->Affichage.TypeScrolling = Config->TypeScrolling;
    VuePartition->Options.ShowLetRingNotes = Config->ShowLetRingNotes;
    VuePartition->Options.ShowDynamic = Config->ShowDynamic;
    VuePartition->Options.NoteFollowingRectangle = Config->NoteFollowingRectangle;
    VuePartition->Options.NoteFollowingTriangle = Config->NoteFollowingTriangle;
    VuePartition->Options.NoteFollowingColor = Config->NoteFollowingColor;
    // Where the multitrack overview and the mixer will stand.
    RzPanel_Orchestre = new QWidget(RzSizePanel_H);
    RzPanel_Orchestre->setObjectName("RzPanel_Orchestre");
    RzPanel_Orchestre->setMinimumHeight(0);
    RzSizePanel_H->addWidget(VuePartition);
    RzSizePanel_H->addWidget(RzPanel_Orchestre);
    RzSizePanel_H->setStretchFactor(0, 1);
    RzSizePanel_H->setSizes({600, Config->RzSizePanel_H_Height});
    disposition->addWidget(RzSizePanel_H);
    Edit_Clavier = new TChampClavier(centre);
    Edit_Clavier->setObjectName("Edit_Clavier");
    Edit_Clavier->setGeometry(-500, 0, 10, 10);
    setCentralWidget(centre);

    // The view follows the one document: it lets go of a score before it is freed.
    Doc.Abonner(cDocument::eEvenement::AvantRemplacement, [this] {
        VuePartition->Affichage.MesureCurseurAffichee = nullptr;
        VuePartition->Affichage.Partition = nullptr;
    });
    Doc.Abonner(cDocument::eEvenement::ApresRemplacement, [this] {
        VuePartition->Affichage.Partition = &Doc.Partition();
        VuePartition->Affichage.BarreV.Position = 0;
        VuePartition->Affichage.BarreH.Position = 0;
    });

    // A copy of unsaved work beside the settings, every minute.
    Recuperation = std::make_unique<cRecuperation>(
        CheminDepuisQt(QFileInfo(CheminQt(CheminConfiguration())).absolutePath()),
        static_cast<int>(QCoreApplication::applicationPid()));
    TimerRecuperation = new QTimer(this);
    TimerRecuperation->setInterval(60 * 1000);
    connect(TimerRecuperation, &QTimer::timeout, this, [this] { EcrireRecuperation(); });
    TimerRecuperation->start();

    CreerActions();
    CreerMenus();
    CreerBarresOutils();
    CreerBarreEtat();
    EnregistrerGestionnaires();
    AppliquerTextesPrincipal();

    connect(Edit_Clavier, &TChampClavier::Touche, this, &TMainForm::ToucheAppuyee);
    connect(VuePartition, &TVuePartition::FocusDemande, this, [this] { Edit_Clavier->setFocus(); });
    connect(VuePartition, &TVuePartition::CurseurDeplace, this, [this] {
        ActualiserCommandes();
        ActualiserBarrePistes();
    });
    connect(VuePartition, &TVuePartition::BarreEtatChangee, this, [this](const rBarreEtat &e) {
        RzStatusPane_NumMesure->setText(QString::fromStdString(e.NumMesure));
        RzStatusPane_Duree->setText(QString::fromStdString(e.Duree));
        RzStatusPane_DureeEtat->setText(e.CleEtat.empty() ? QString() : Q(T(e.CleEtat)));
        RzStatusPane_DureeEtat->setStyleSheet(
            QString("color: %1;").arg(CouleurQt(e.Couleur).name()));
    });

    // Toolbar layout from the "ToolBars" section.
    DispositionParDefaut = saveState();
    cFichierIni ini;
    ini.Charger(CheminConfiguration());
    const std::string etat = ini.LireChaine("ToolBars", "State", "");
    if (!etat.empty())
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(etat)));
    for (const rBarre &b : Barres())
        if (QAction *a = Action(b.Commande))
            a->setChecked(findChild<QToolBar *>(b.Nom)->isVisibleTo(this) || !isVisible());
    resize(1280, 800);
    MettreAJourTitre();
}

TMainForm::~TMainForm()
{
    // The view goes with the window; the document is freed after it.
    Doc.ChoisirInterface(nullptr);
}

QAction *TMainForm::Action(const std::string &nom) const
{
    auto i = Actions.find(nom);
    return i == Actions.end() ? nullptr : i->second;
}

QMenu *TMainForm::Menu(const std::string &nom) const
{
    auto i = Menus.find(nom);
    return i == Menus.end() ? nullptr : i->second;
}

void TMainForm::CreerActions()
{
    std::map<std::string, QActionGroup *> groupes;
    for (const rCommande &c : TableCommandes()) {
        auto *a = new QAction(Q(c.Legende), this);
        a->setObjectName(c.Nom);
        a->setToolTip(Q(c.Bulle));
        a->setStatusTip(Q(c.Bulle));
        a->setCheckable(c.Cochable);
        if (*c.Raccourci) {
            a->setShortcut(QKeySequence(QString::fromLatin1(c.Raccourci)));
            a->setShortcutContext(Qt::WindowShortcut);
        }
        a->setEnabled(false); // until a handler is registered
        if (*c.Groupe) {
            QActionGroup *&g = groupes[c.Groupe];
            if (!g)
                g = new QActionGroup(this);
            a->setActionGroup(g);
        }
        const std::string nom = c.Nom;
        const int tag = c.Tag;
        connect(a, &QAction::triggered, this, [this, nom, tag] {
            auto i = Gestionnaires.find(nom);
            if (i == Gestionnaires.end())
                return;
            const FnCommande fn = i->second; // the handler may re-register itself
            Doc.DebutCommande(nom);
            fn(tag);
            Doc.FinCommande(nom);
        });
        addAction(a);
        Actions[c.Nom] = a;
    }
    Action("Edition_Annuler")->setVisible(false);
    Action("Edition_Retablir")->setVisible(false);
    Action("Bar_GoTo")->setVisible(false);
    Action("Duree_Accord_Noire")->setChecked(true);
    Action("Affichage_Scrolling_Vertical")->setChecked(true);
}

void TMainForm::CreerMenus()
{
    auto menu = [this](QMenu *parent, const char *nom, std::initializer_list<const char *> items) {
        QMenu *m = parent ? parent->addMenu(QString::fromLatin1(nom)) : menuBar()->addMenu(nom);
        m->setObjectName(nom);
        m->menuAction()->setObjectName(nom);
        Menus[nom] = m;
        for (const char *i : items) {
            if (std::string(i) == "-")
                m->addSeparator();
            else if (QAction *a = Action(i))
                m->addAction(a);
        }
        return m;
    };
    QMenu *f = menu(nullptr, "Menu_Fichier",
                    {"Fichier_Nouveau", "Fichier_Ouvrir", "Fichier_Enregistrer",
                     "Fichier_EnregistrerSous", "-", "Fichier_Proprietes", "-"});
    menu(f, "Menu_Import", {"Fichier_Import_MIDI", "Fichier_Import_ASCII"});
    menu(f, "Menu_Export", {"Fichier_Export_MIDI", "Fichier_Export_PL220", "Fichier_Export_ASCII"});
    f->addSeparator();
    for (const char *n : {"Fichier_Imp_Config", "Fichier_Imp_Apercu", "Fichier_Imprimer"})
        f->addAction(Action(n));
    f->addSeparator();
    f->addAction(Action("Fichier_Parcourir"));
    SeparateurRecents = f->addSeparator();
    for (int k = 0; k < 5; ++k) {
        Recents[0][k] = f->addAction(QString());
        connect(Recents[0][k], &QAction::triggered, this, [this, k] { OuvrirFichierRecent(k + 1); });
    }
    f->addSeparator();
    f->addAction(Action("Fichier_Quitter"));
    // The drop-down of the Open tool button lists the same files.
    QMenu *recents = new QMenu(this);
    recents->setObjectName("Menu_Recents");
    Menus["Menu_Recents"] = recents;
    for (int k = 0; k < 5; ++k) {
        Recents[1][k] = recents->addAction(QString());
        connect(Recents[1][k], &QAction::triggered, this, [this, k] { OuvrirFichierRecent(k + 1); });
    }

    menu(nullptr, "Menu_Edition",
         {"Edition_Annuler", "Edition_Retablir", "-", "Edition_Couper", "Edition_Copier",
          "Edition_Coller", "-", "Edition_Inserer_MixTableChange"});
    menu(nullptr, "Menu_Mesure",
         {"Bar_Insert", "Bar_Clear", "-", "Bar_First", "Bar_Previous", "Bar_Next", "Bar_Last",
          "Bar_GoTo", "-", "Mesure_Signature", "Mesure_RenvDeb", "Mesure_RenvFin",
          "Mesure_Repet"});
    QMenu *b = menu(nullptr, "Menu_Accord",
                    {"Beat_Insert", "Beat_Delete", "CopyBeatToTheEnd", "Beat_Link", "-"});
    QMenu *da = menu(b, "Menu_DureeAccord",
                     {"Duree_Accord_Ronde", "Duree_Accord_Blanche", "Duree_Accord_Noire",
                      "Duree_Accord_Croche", "Duree_Accord_DCroche", "Duree_Accord_TCroche",
                      "Duree_Accord_QCroche", "-", "Duree_Accord_Pointe"});
    menu(da, "Menu_Triolet",
         {"Beat_1", "Duree_Accord_Triolet_3_2", "Duree_Accord_Triolet_5_2",
          "Duree_Accord_Triolet_6_2", "Duree_Accord_Triolet_7_2", "Duree_Accord_Triolet_9_2",
          "Duree_Accord_Triolet_10_2", "Duree_Accord_Triolet_11_2", "Duree_Accord_Triolet_12_2",
          "Duree_Accord_Triolet_13_2"});
    da->addAction(Action("Duree_Accord_Silence"));
    b->addSeparator();
    b->addAction(Action("Accord_Texte"));
    b->addAction(Action("Accord_Diagramme"));
    QMenu *n = menu(nullptr, "Menu_Note", {});
    menu(n, "Menu_DureeNote",
         {"Duree_Note_Ronde", "Duree_Note_Blanche", "Duree_Note_Noire", "Duree_Note_Croche",
          "Duree_Note_DCroche", "Duree_Note_TCroche", "Duree_Note_QCroche", "-",
          "Duree_Note_Pointe", "Duree_Note_XTuplet", "Duree_Note_Liee"});
    for (const char *x : {"Note_MoveUp", "Note_MoveDown", "EffetNote_DeadNote"})
        n->addAction(Action(x));
    n->addSeparator();
    for (const char *x : {"Dynamic_ppp", "Dynamic_pp", "Dynamic_p", "Dynamic_mp", "Dynamic_mf",
                          "Dynamic_f", "Dynamic_ff", "Dynamic_fff", "Dynamic_Accord",
                          "Dynamic_SetDefault"})
        n->addAction(Action(x));
    menu(nullptr, "Menu_Effets",
         {"EffetNote_BendType", "EffetNote_HOPO", "EffetNote_PickSlide", "EffetNote_LetRing",
          "EffetNote_Sugeree", "EffetNote_Appogiature", "-", "EffetAccord_Vibrato",
          "EffetAccord_TremoloBar", "EffetAccord_HarmN", "EffetAccord_HarmA",
          "EffetAccord_FadeIn", "EffetAccord_Tapping", "EffetAccord_Slap", "EffetAccord_Pop",
          "EffetAccord_BrushUp", "EffetAccord_BrushDown", "EffetAccord_CoupVB"});
    menu(nullptr, "Menu_Piste",
         {"Track_Properties", "Track_Insert", "Track_Remove", "-", "Track_First",
          "Track_Previous", "Track_Next", "Track_Last"});
    QMenu *mk = menu(nullptr, "Menu_Markers",
                     {"Marker_Ajouter", "Marker_Liste", "-", "Marker_AllerPrec",
                      "Marker_AllerSuiv"});
    menu(mk, "Menu_AllerMarker", {"Marker_AllerA"});
    QMenu *l = menu(nullptr, "Menu_Lecture",
                    {"Lecture_JouerPosEC", "Lecture_JouerDebut", "Lecture_JouerMesureEC"});
    menu(l, "Menu_JouerMarker", {});
    for (const char *x : {"-", "Lecture_Stop", "-", "Lecture_Debut", "Lecture_Fin",
                          "Lecture_PasAPas_Ar", "Lecture_PasAPas_Av", "Lecture_RetourRapide",
                          "Lecture_AvanceRapide", "-", "Lecture_EnBoucle", "Lecture_Metronome",
                          "Lecture_CountDown", "Lecture_JouerPendantSaisie"}) {
        if (std::string(x) == "-")
            l->addSeparator();
        else
            l->addAction(Action(x));
    }
    QMenu *v = menu(nullptr, "Menu_Affichage",
                    {"Affichage_Vue_Multipiste", "-", "Affichage_Scrolling_Vertical",
                     "Affichage_Scrolling_Horizontal", "-", "Affichage_Esp_Regulier",
                     "Affichage_Proportions_Strictes", "-", "Affichage_MontrerLetRing",
                     "Affichage_MontrerDynamique", "-", "Affichage_PermuterVue",
                     "Affichage_VueHMinMax", "Affichage_VueVMinMax", "-"});
    menu(v, "Menu_ToolBars",
         {"Affichage_ToolBar_Fichier", "Affichage_ToolBar_Mesure", "Affichage_ToolBar_Marker",
          "Affichage_ToolBar_Affichage", "Affichage_ToolBar_Duration",
          "Affichage_ToolBar_NoteDuration", "Affichage_ToolBar_Lecture",
          "Affichage_ToolBar_Tempo", "Affichage_ToolBar_Effets", "Affichage_ToolBar_Dynamic", "-",
          "Affichage_ToolBar_All", "Affichage_ToolBar_Aucune", "Affichage_ToolBar_PosParDefaut"});
    menu(nullptr, "Menu_Outils",
         {"Tools_Solfege", "Tools_PercussionAssistant", "-", "Tools_CheckBarDuration",
          "Tools_Transposer", "Tools_AssistantLetRing", "Tools_AssistantDynamic",
          "Tools_PlacementAuto", "Tools_Redecouper", "Tools_CompleterReduire", "-",
          "Tools_SpeedTrainer"});
    QMenu *o = menu(nullptr, "Menu_Options", {"Options_Preferences"});
    menu(o, "Menu_MIDI", {"Options_MidiSetup", "Options_Ports"});
    MenuLangue = menu(o, "Menu_Langue", {});
    QMenu *h = menu(nullptr, "Menu_Aide", {"Aide_Index"});
    menu(h, "Menu_LangueAide", {"Aide_English", "Aide_Francais", "Aide_Deutsch"});
    h->addSeparator();
    h->addAction(Action("Aide_APropos"));
    ConstruireMenuLangue();
    AfficherFichiersRecents();
}

void TMainForm::ConstruireMenuLangue()
{
    MenuLangue->clear();
    auto *groupe = new QActionGroup(MenuLangue);
    for (const rElementLangue &e : MenuLangues(*Config)) {
        QAction *a = MenuLangue->addAction(Q(e.Langue));
        a->setObjectName(Q("Langue_" + e.Langue));
        a->setCheckable(true);
        a->setChecked(e.Coche);
        a->setEnabled(e.Actif);
        a->setActionGroup(groupe);
        const std::string langue = e.Langue;
        connect(a, &QAction::triggered, this, [this, langue] { ChoisirLangue(langue); });
        if (e.SeparateurApres)
            MenuLangue->addSeparator();
    }
}

void TMainForm::CreerBarresOutils()
{
    // Pictures on the commands themselves: menus show them too. They are painted only when a
    // button or menu first shows them (all are our own: the desktop's icon theme costs a search
    // of its folders at start-up).
    for (const rCommande &c : TableCommandes())
        if (AIcone(c.Nom))
            Action(c.Nom)->setIcon(IconeCommande(c.Nom));
    for (const rBarre &b : Barres()) {
        QToolBar *t = new QToolBar(QString::fromLatin1(b.Nom + 8), this);
        t->setObjectName(b.Nom);
        t->setIconSize(QSize(18, 18));
        for (const char *n : b.Actions) {
            QAction *a = Action(n);
            t->addAction(a);
            auto *bouton = qobject_cast<QToolButton *>(t->widgetForAction(a));
            if (!bouton)
                continue;
            const std::string nom = n;
            if (nom == "Fichier_Ouvrir") {
                bouton->setMenu(Menu("Menu_Recents"));
                bouton->setPopupMode(QToolButton::MenuButtonPopup);
            } else if (nom == "Duree_Accord_Triolet_3") {
                // The tuplet button: the cursor beat's tuplet, the others in its drop-down.
                bouton->setObjectName("BT_Triolet");
                bouton->setMenu(Menu("Menu_Triolet"));
                bouton->setPopupMode(QToolButton::MenuButtonPopup);
            } else if (nom == "Duree_Note_Noire") {
                // The note duration button shows the cursor note's value.
                bouton->setObjectName("BT_DureeNote");
                auto *m = new QMenu(bouton);
                m->setObjectName("Menu_BoutonDureeNote");
                for (const char *d : {"Duree_Note_Ronde", "Duree_Note_Blanche", "Duree_Note_Noire",
                                      "Duree_Note_Croche", "Duree_Note_DCroche",
                                      "Duree_Note_TCroche", "Duree_Note_QCroche"})
                    m->addAction(Action(d));
                bouton->setMenu(m);
                bouton->setPopupMode(QToolButton::MenuButtonPopup);
            }
        }
        if (std::string(b.Nom) == "Toolbar_Tempo") {
            SpinEdit_Tempo = new QSpinBox(t);
            SpinEdit_Tempo->setObjectName("SpinEdit_Tempo");
            SpinEdit_Tempo->setRange(8, 300);
            SpinEdit_Tempo->setValue(Doc.Partition().Tempo);
            SpinEdit_Tempo->setPrefix(QStringLiteral("\u2669 = "));
            t->addWidget(SpinEdit_Tempo);
            // Typing only changes the box; Enter, leaving it or its arrows store the value.
            SpinEdit_Tempo->setKeyboardTracking(false);
            auto stocker = [this] {
                const int v = std::clamp(SpinEdit_Tempo->value(), 8, 300);
                if (v != Doc.Partition().Tempo) {
                    Doc.Partition().Tempo = v;
                    Doc.Partition().MarquerModifie();
                    Doc.Edite();
                }
            };
            connect(SpinEdit_Tempo, &QSpinBox::valueChanged, this, stocker);
            connect(SpinEdit_Tempo, &QSpinBox::editingFinished, this, [this, stocker] {
                stocker();
                Edit_Clavier->setFocus();
            });
        }
        BarresOutils.push_back(t);
        QAction *montrer = Action(b.Commande);
        montrer->setChecked(true);
        connect(t, &QToolBar::visibilityChanged, montrer, [montrer, t] {
            montrer->setChecked(t->isVisible());
        });
    }
    // Two rows that fit a 1280-pixel window: document, bars, markers, view, transport and
    // tempo above; durations, effects and dynamics below.
    for (const char *nom : {"Toolbar_Fichier", "Toolbar_Mesure", "Toolbar_Marker",
                            "Toolbar_Affichage", "Toolbar_Lecture", "Toolbar_Tempo", "",
                            "Toolbar_Duration", "Toolbar_NoteDuration", "Toolbar_Effets",
                            "Toolbar_Dynamic"}) {
        if (!*nom) {
            addToolBarBreak();
            continue;
        }
        for (QToolBar *t : BarresOutils)
            if (t->objectName() == QLatin1String(nom))
                addToolBar(Qt::TopToolBarArea, t);
    }
}

void TMainForm::CreerBarreEtat()
{
    QStatusBar *s = statusBar();
    auto pane = [s](const char *nom, int largeur) {
        auto *l = new QLabel(s);
        l->setObjectName(nom);
        l->setMinimumWidth(largeur);
        l->setFrameShape(QFrame::Panel);
        l->setFrameShadow(QFrame::Sunken);
        s->addWidget(l);
        return l;
    };
    RzStatusPane_NumMesure = pane("RzStatusPane_NumMesure", 80);
    RzStatusPane_Duree = pane("RzStatusPane_Duree", 110);
    RzStatusPane_DureeEtat = pane("RzStatusPane_DureeEtat", 110);
    RzStatusPane_Titre = pane("RzStatusPane_Titre", 200);
    auto *droite = new QWidget(s);
    auto *h = new QHBoxLayout(droite);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(2);
    RzStatusPane_Piste = new QToolButton(droite);
    RzStatusPane_Piste->setObjectName("RzStatusPane_Piste");
    RzStatusPane_Piste->setAutoRaise(true);
    h->addWidget(RzStatusPane_Piste);
    BT_PistePrec = new QToolButton(droite);
    BT_PistePrec->setObjectName("BT_PistePrec");
    BT_PistePrec->setText("<");
    h->addWidget(BT_PistePrec);
    for (int k = 0; k < 8; ++k) {
        BT_Piste[k] = new QToolButton(droite);
        BT_Piste[k]->setObjectName(QString("BT_Piste%1").arg(k + 1));
        BT_Piste[k]->setText(QString::number(k + 1));
        BT_Piste[k]->setCheckable(true);
        h->addWidget(BT_Piste[k]);
        connect(BT_Piste[k], &QToolButton::clicked, this, [this, k] { AllerPiste(k + 1); });
    }
    BT_PisteSuiv = new QToolButton(droite);
    BT_PisteSuiv->setObjectName("BT_PisteSuiv");
    BT_PisteSuiv->setText(">");
    h->addWidget(BT_PisteSuiv);
    s->addPermanentWidget(droite);
    connect(BT_PistePrec, &QToolButton::clicked, this, [this] { Executer("Track_Previous"); });
    connect(BT_PisteSuiv, &QToolButton::clicked, this, [this] { Executer("Track_Next"); });
    connect(RzStatusPane_Piste, &QToolButton::clicked, this, [this] { Executer("Track_Properties"); });
}

void TMainForm::ActualiserBarrePistes()
{
    const cPartition &p = Doc.Partition();
    const cPiste *t = p.PisteNumero(p.Curseur.NumPiste);
    RzStatusPane_Piste->setText(t ? QString("%1 : %2").arg(t->Index).arg(Q(t->Nom)) : QString());
    for (int k = 0; k < 8; ++k) {
        BT_Piste[k]->setVisible(k < p.NbPistes);
        BT_Piste[k]->setChecked(k + 1 == p.Curseur.NumPiste);
    }
    BT_PistePrec->setEnabled(p.Curseur.NumPiste > 1);
    BT_PisteSuiv->setEnabled(p.Curseur.NumPiste < p.NbPistes);
    const cInformations &i = *p.Informations;
    const std::string qui = !i.Artiste.empty() ? i.Artiste : i.Auteur;
    RzStatusPane_Titre->setText(
        (i.Titre.empty() && qui.empty()) ? QString(" ") : Q(i.Titre + " - " + qui));
}

void TMainForm::EnregistrerCommande(const std::string &nom, FnCommande fn)
{
    Gestionnaires[nom] = std::move(fn);
    if (QAction *a = Action(nom))
        a->setEnabled(nom != "Fichier_Enregistrer" || Doc.Partition().Modifie);
}

void TMainForm::Executer(const std::string &nom)
{
    QAction *a = Action(nom);
    if (a && a->isEnabled())
        a->trigger();
}

void TMainForm::AjouterGestionnaireTouches(FnTouche fn) { GestionnairesTouches.push_back(std::move(fn)); }

void TMainForm::AjouterEtats(FnEtats fn) { Etats.push_back(std::move(fn)); }

void TMainForm::EnregistrerGestionnaires()
{
    EnregistrerCommandesFenetre();
    EnregistrerCommandesFichier(*this);
    EnregistrerCommandesCurseur(*this);
    EnregistrerCommandesEdition(*this);
    EnregistrerCommandesSaisie(*this);
    EnregistrerCommandesEffets(*this);
    EnregistrerCommandesAffichage(*this);
    EnregistrerCommandesImpression(*this);
    EnregistrerCommandesLecture(*this);
    EnregistrerCommandesMIDI(*this);
    EnregistrerCommandesConfig(*this);
    EnregistrerCommandesAccords(*this);
    EnregistrerCommandesASCII(*this);
    EnregistrerCommandesFichiersAnciens(*this);
    EnregistrerCommandesMixage(*this);
    EnregistrerCommandesOutils(*this);
}

// The window's own commands: its toolbars and the split pane.
void TMainForm::EnregistrerCommandesFenetre()
{
    auto cmd = [this](const char *nom, std::function<void()> f) {
        EnregistrerCommande(nom, [f](int) { f(); });
    };
    cmd("Affichage_PermuterVue", [this] {
        RzSizePanel_H->insertWidget(0, RzSizePanel_H->widget(1));
    });
    for (std::size_t k = 0; k < Barres().size(); ++k) {
        QToolBar *t = BarresOutils[k];
        const char *nom = Barres()[k].Commande;
        EnregistrerCommande(nom, [this, nom, t](int) { t->setVisible(Action(nom)->isChecked()); });
    }
    cmd("Affichage_ToolBar_All", [this] { for (QToolBar *t : BarresOutils) t->setVisible(true); });
    cmd("Affichage_ToolBar_Aucune", [this] { for (QToolBar *t : BarresOutils) t->setVisible(false); });
    cmd("Affichage_ToolBar_PosParDefaut", [this] {
        restoreState(DispositionParDefaut);
        for (QToolBar *t : BarresOutils)
            t->setVisible(true);
    });
}

void TMainForm::AppliquerTextesPrincipal()
{
    AppliquerTextesFenetre(this, PositionsPrincipal(), false);
    // Tool buttons show their picture with the caption as tooltip (the hint stays in the
    // status bar).
    for (const rCommande &c : TableCommandes())
        if (QAction *a = Action(c.Nom)) {
            QString legende = a->text();
            legende = SansAccelerateur(legende);
            if (legende.endsWith("..."))
                legende.chop(3);
            if (!a->shortcut().isEmpty())
                legende += " (" + a->shortcut().toString(QKeySequence::NativeText) + ")";
            a->setToolTip(legende);
        }
    // The status bar's arrows keep their faces; the patch gives their hints.
    BT_PistePrec->setToolTip(BT_PistePrec->text());
    BT_PisteSuiv->setToolTip(BT_PisteSuiv->text());
    BT_PistePrec->setText("<");
    BT_PisteSuiv->setText(">");
    AfficherFichiersRecents();
    MettreAJourTitre();
    ActualiserBarrePistes();
}

void TMainForm::ChoisirLangue(const std::string &langue)
{
    ChangerLangue(*Config, langue);
    AppliquerTextesPrincipal();
    ConstruireMenuLangue();
    VuePartition->ActualiserTout();
}

void TMainForm::showEvent(QShowEvent *e)
{
    QMainWindow::showEvent(e);
    if (!PremiereActivation)
        return;
    PremiereActivation = false;
    Edit_Clavier->setFocus();
    Action("Lecture_Metronome")->setChecked(Config->Metronome);
    Action("Lecture_CountDown")->setChecked(Config->CountDown);
    const QString dossier = CheminQt(Config->Repertoire);
    if (Config->Repertoire.empty() || !QDir::setCurrent(dossier))
        QDir::setCurrent(CheminQt(RepertoireProgramme()));
    VuePartition->ActualiserTout();
    ActualiserCommandes();
}

void TMainForm::ToucheAppuyee(int touche, Qt::KeyboardModifiers m, const QString &texte)
{
    // Enter and Escape from the tempo box only bring the focus back to the keyboard field.
    if ((touche == Qt::Key_Return || touche == Qt::Key_Enter || touche == Qt::Key_Escape) &&
        SpinEdit_Tempo->hasFocus()) {
        Edit_Clavier->setFocus();
        return;
    }
    for (auto i = GestionnairesTouches.rbegin(); i != GestionnairesTouches.rend(); ++i)
        if ((*i)(touche, m, texte))
            return;
}

// ------------------------------------------------------------ refreshes

void TMainForm::ActualiserAffichage()
{
    if (VuePartition)
        VuePartition->ActualiserTout();
}

void TMainForm::EtatEnregistrer(bool actif)
{
    // Saved (or freshly opened): the copy of unsaved work has nothing left to keep.
    if (!actif && Recuperation)
        Recuperation->Supprimer();
    if (QAction *a = Action("Fichier_Enregistrer"))
        a->setEnabled(actif && Gestionnaires.count("Fichier_Enregistrer"));
}

const cInformations *TMainForm::InformationsParDefaut() { return Config ? &Config->DefInfo : nullptr; }

std::string TMainForm::NomPisteParDefaut(int n) { return T("Gene-Piste") + " " + std::to_string(n); }

void TMainForm::Actualiser(bool tout)
{
    if (tout)
        VuePartition->ActualiserTout();
    else
        VuePartition->ActualiserMesure(Doc.Partition().Curseur.MesurePiste);
    ActualiserCommandes();
    ActualiserBarrePistes();
}

void TMainForm::FinEdition(bool tout)
{
    cPartition &p = Doc.Partition();
    p.EffacerSelection();
    p.AttenteChiffre = false;
    p.PositionCurseur(p.Curseur);
    Actualiser(tout);
    p.MarquerModifie();
    Doc.Edite();
}

void TMainForm::ActualiserCommandes()
{
    for (const rEtatCommande &e :
         EtatsCommandes(Doc.Partition(), VuePartition->Affichage.LectureEnCours,
                        Doc.PressePapiers().NbMesures > 0)) {
        QAction *a = Action(e.Nom);
        if (!a)
            continue;
        // A command whose operation is not built yet stays disabled.
        a->setEnabled(e.Actif && Gestionnaires.count(e.Nom));
        if (e.ACoche && a->isCheckable())
            a->setChecked(e.Coche);
    }
    for (const FnEtats &f : Etats)
        f(*this);
}



void TMainForm::AllerPiste(int numero)
{
    DeplacerPiste(Doc.Partition(), eMouvementPiste::Numero, VuePartition->Affichage.VueMultipiste,
                  numero);
    Actualiser(true);
}

void TMainForm::closeEvent(QCloseEvent *e)
{
    if (!DemanderEnregistrement()) {
        e->ignore();
        return;
    }
    Recuperation->Supprimer(); // a clean exit leaves nothing to recover
    e->accept();
}

void TMainForm::EnregistrerEtat()
{
    const QList<int> tailles = RzSizePanel_H->sizes();
    if (tailles.size() > 1)
        Config->RzSizePanel_H_Height = tailles[1];
    const std::string etat = saveState().toBase64().toStdString();
    EnregistrerConfig();
    cFichierIni ini;
    const std::string chemin = CheminConfiguration();
    ini.Charger(chemin);
    ini.EcrireChaine("ToolBars", "State", etat);
    ini.Enregistrer(chemin);
}

QString CheminQt(const std::string &chemin) { return QString::fromUtf8(chemin.c_str()); }

std::string CheminDepuisQt(const QString &chemin) { return chemin.toUtf8().toStdString(); }
