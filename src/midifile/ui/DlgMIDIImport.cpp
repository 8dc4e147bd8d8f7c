#include "midifile/ui/DlgMIDIImport.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/Main.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "midifile/uSMF.h"
#include "model/uPartition.h"
#include "playback/ui/uLectureUI.h"
#include "tools/ui/DlgAttenteJauge.h"

namespace {
QPointer<TFMIDIImport> FenetreCourante;

constexpr int Grilles[4] = {30, 60, 120, 240}; // sixteenth, eighth, quarter, half
constexpr const char *NomsP[4] = {"CQuantizeP16", "CQuantizeP8", "CQuantizeP4", "CQuantizeP2"};
constexpr const char *NomsD[4] = {"CQuantizeD16", "CQuantizeD8", "CQuantizeD4", "CQuantizeD2"};
constexpr int LargeurNormale = 502, HauteurNormale = 334;

struct rSablier {
    rSablier() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~rSablier() { QApplication::restoreOverrideCursor(); }
    rSablier(const rSablier &) = delete;
    rSablier &operator=(const rSablier &) = delete;
};

// The picture of a grid value: a note with 2, 1 or no flags, or a hollow half note.
QPixmap ImageNote(int k)
{
    QPixmap pm(18, 26);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor encre = QApplication::palette().color(QPalette::WindowText);
    p.setPen(QPen(encre, 1.4));
    p.setBrush(k == 3 ? Qt::NoBrush : QBrush(encre));
    p.save();
    p.translate(6, 20);
    p.rotate(-20);
    p.drawEllipse(QRectF(-4.5, -3, 9, 6));
    p.restore();
    p.drawLine(QPointF(10, 19), QPointF(10, 3));
    const int drapeaux = k == 0 ? 2 : (k == 1 ? 1 : 0);
    for (int d = 0; d < drapeaux; ++d) {
        QPainterPath c;
        c.moveTo(10, 3 + d * 5);
        c.cubicTo(12, 7 + d * 5, 17, 8 + d * 5, 14, 14 + d * 5);
        p.setBrush(Qt::NoBrush);
        p.drawPath(c);
    }
    return pm;
}

QGroupBox *GroupeGrille(QWidget *parent, const QString &titre, const char *const noms[4],
                        QRadioButton *boutons[4], int defaut)
{
    auto *g = new QGroupBox(titre, parent);
    auto *l = new QHBoxLayout(g);
    auto *groupe = new QButtonGroup(g);
    for (int k = 0; k < 4; ++k) {
        boutons[k] = new QRadioButton(g);
        boutons[k]->setObjectName(noms[k]);
        groupe->addButton(boutons[k]);
        auto *image = new QToolButton(g);
        image->setObjectName(QString(noms[k]) + "_Image");
        image->setAutoRaise(true);
        image->setIcon(QIcon(ImageNote(k)));
        image->setIconSize(QSize(18, 26));
        QRadioButton *b = boutons[k];
        QObject::connect(image, &QToolButton::clicked, b, [b] { b->setChecked(true); });
        l->addWidget(boutons[k]);
        l->addWidget(image);
    }
    boutons[defaut]->setChecked(true);
    return g;
}

int GrilleChoisie(QRadioButton *const boutons[4])
{
    for (int k = 0; k < 4; ++k)
        if (boutons[k]->isChecked())
            return Grilles[k];
    return 60;
}

QPushButton *Bouton(QWidget *parent, const char *nom, const char *texte, const char *aide = nullptr)
{
    auto *b = new QPushButton(QString::fromUtf8(texte), parent);
    b->setObjectName(nom);
    if (aide)
        b->setToolTip(QString::fromUtf8(aide));
    b->setAutoDefault(false);
    return b;
}

std::string Section(int ligne) { return TexteEntreGuillemets("DLG300_IMPM_000", ligne); }

std::string NomFichier(const std::string &chemin)
{
    const std::size_t barre = chemin.find_last_of("/\\");
    return barre == std::string::npos ? chemin : chemin.substr(barre + 1);
}
} // namespace

TFMIDIImport *TFMIDIImport::Instance() { return FenetreCourante.data(); }

TFMIDIImport *TFMIDIImport::Ouvrir(TMainForm &f, const std::string &chemin)
{
    TFMIDIImport *w = FenetreCourante.data();
    const bool nouvelle = w == nullptr;
    if (nouvelle)
        w = new TFMIDIImport(f);
    std::string cle;
    int format = -1;
    if (!w->ChargerFichier(chemin, cle, &format)) {
        if (format >= 0)
            MyMsg(Traduction("Dlg-Erreur"),
                  RemplacerParam(RemplacerPourcentS(Section(2), 1), std::to_string(format)),
                  MsgErreur, DefOK, BtOK);
        else
            MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
        if (nouvelle)
            delete w;
        return nouvelle ? nullptr : w;
    }
    FenetreCourante = w;
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

TFMIDIImport::TFMIDIImport(TMainForm &f)
    : QDialog(&f, Qt::Tool | Qt::WindowStaysOnTopHint), F(f)
{
    setObjectName("TFMIDIImport");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *principal = new QVBoxLayout(this);
    principal->setContentsMargins(4, 4, 4, 4);
    Contenu = new QWidget(this);
    principal->addWidget(Contenu);
    BT_Expand = Bouton(this, "BT_Expand", "Show Window");
    BT_Expand->hide();
    principal->addWidget(BT_Expand);

    auto *cadre = new QHBoxLayout(Contenu);
    cadre->setContentsMargins(0, 0, 0, 0);

    // Left: the tracks.
    auto *gauche = new QVBoxLayout;
    auto *lb = new QLabel("MIDI tracks :", Contenu);
    lb->setObjectName("LB_Pistes");
    ListePistes = new QListWidget(Contenu);
    ListePistes->setObjectName("ListePistes");
    lb->setBuddy(ListePistes);
    gauche->addWidget(lb);
    gauche->addWidget(ListePistes, 1);
    auto *coches = new QHBoxLayout;
    QPushButton *tout = Bouton(Contenu, "BT_CheckAll", "All", "Select all tracks");
    QPushButton *rien = Bouton(Contenu, "BT_UnCkeckAll", "None", "Unselect all tracks");
    QPushButton *jouer = Bouton(Contenu, "BT_Play", "Play", "Play the selected tracks");
    QPushButton *stop = Bouton(Contenu, "BT_Stop", "Stop", "Stop");
    for (QPushButton *b : {tout, rien, jouer, stop})
        coches->addWidget(b);
    gauche->addLayout(coches);
    QPushButton *ouvrir = Bouton(Contenu, "BT_Ouvrir", "Open...", "Open another file...");
    gauche->addWidget(ouvrir);
    cadre->addLayout(gauche, 1);

    // Right: the imports and their options.
    auto *droite = new QVBoxLayout;
    QPushButton *rapide = Bouton(Contenu, "VT_QuickImport", "Import !");
    QFont gras = rapide->font();
    gras.setBold(true);
    rapide->setFont(gras);
    droite->addWidget(rapide);
    auto *etapes = new QHBoxLayout;
    QPushButton *e1 = Bouton(Contenu, "BT_TimeSignatureMap", "1", "Import Title and Time Signature Changes.");
    QPushButton *e2 = Bouton(Contenu, "BT_AddTrack", "2", "Add a Track in Plectorium...");
    QPushButton *e3 = Bouton(Contenu, "BT_Import", "3",
                             "Import the Selected Track(s) on the Current Track in Plectorium.");
    for (QPushButton *b : {e1, e2, e3})
        etapes->addWidget(b);
    droite->addLayout(etapes);
    droite->addWidget(GroupeGrille(Contenu, " Chord Position Round ", NomsP, PositionP, 1));
    droite->addWidget(GroupeGrille(Contenu, " Note Duration Round ", NomsD, DureeD, 1));
    CB_OptionsTranspose = new QCheckBox("Transpose to the lower octave", Contenu);
    CB_OptionsTranspose->setObjectName("CB_OptionsTranspose");
    CB_TwoChannels = new QCheckBox("Use 2 channels per track", Contenu);
    CB_TwoChannels->setObjectName("CB_TwoChannels");
    droite->addWidget(CB_OptionsTranspose);
    droite->addWidget(CB_TwoChannels);
    // Kept hidden: neither option does anything.
    auto *options = new QGroupBox(" Option ", Contenu);
    options->setObjectName("GB_Option");
    auto *lo = new QVBoxLayout(options);
    lo->addWidget(new QCheckBox("Place Notes out of tune", options));
    lo->addWidget(new QCheckBox("Import Lyrics as Texts", options));
    options->hide();
    droite->addWidget(options);
    droite->addStretch(1);
    auto *bas = new QHBoxLayout;
    QPushButton *reduire = Bouton(Contenu, "BT_Reduce", "Hide Window");
    QPushButton *fermer = Bouton(Contenu, "BT_Close", "&Close");
    bas->addWidget(reduire);
    bas->addStretch(1);
    bas->addWidget(fermer);
    droite->addLayout(bas);
    cadre->addLayout(droite);

    AppliquerTextesFenetre(this, PositionsDialogue({"DLG_IMPM_000", "DLG300_IMPM_000"}), true);

    connect(tout, &QPushButton::clicked, this, [this] { CocherTout(true); });
    connect(rien, &QPushButton::clicked, this, [this] { CocherTout(false); });
    connect(jouer, &QPushButton::clicked, this, [this] { Jouer(); });
    connect(stop, &QPushButton::clicked, this, [this] { Arreter(); });
    connect(ouvrir, &QPushButton::clicked, this, [this] { OuvrirAutre(); });
    connect(rapide, &QPushButton::clicked, this, [this] { ImportRapide(); });
    connect(e1, &QPushButton::clicked, this, [this] { Etape1(); });
    connect(e2, &QPushButton::clicked, this, [this] { Etape2(); });
    connect(e3, &QPushButton::clicked, this, [this] { Etape3(); });
    connect(reduire, &QPushButton::clicked, this, [this] { Reduire(); });
    connect(BT_Expand, &QPushButton::clicked, this, [this] { Agrandir(); });
    connect(fermer, &QPushButton::clicked, this, [this] { close(); });

    resize(LargeurNormale, HauteurNormale);
}

TFMIDIImport::~TFMIDIImport()
{
    if (FenetreCourante == this)
        FenetreCourante = nullptr;
}

std::string TFMIDIImport::TextePiste() const { return Traduction("Gene-Piste"); }

bool TFMIDIImport::ChargerFichier(const std::string &chemin, std::string &cle, int *formatInconnu)
{
    cLectureMIDI f;
    if (!f.Ouvrir(chemin, cle))
        return false;
    bool inconnu = false;
    std::vector<rEntreeMIDI> v = ListerEntreesMIDI(f, TextePiste(), &inconnu);
    if (inconnu) {
        if (formatInconnu)
            *formatInconnu = f.Format;
        cle = "MidiImp-FormatMIDINonReconnu";
        return false;
    }
    CheminFichier = chemin;
    ListeEntrees = std::move(v);
    Tempos.clear();
    ListePistes->clear();
    for (const rEntreeMIDI &e : ListeEntrees) {
        auto *item = new QListWidgetItem(VersQt(e.Nom), ListePistes);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    std::string prefixe = Section(1);
    if (prefixe.empty())
        prefixe = Traduction("Fichier-ImportMIDI");
    setWindowTitle(VersQt(prefixe) + " - " + QString::fromUtf8(chemin.c_str()));
    return true;
}

void TFMIDIImport::CocherTout(bool coche)
{
    for (int k = 0; k < ListePistes->count(); ++k)
        ListePistes->item(k)->setCheckState(coche ? Qt::Checked : Qt::Unchecked);
}

std::vector<int> TFMIDIImport::Cochees() const
{
    std::vector<int> v;
    for (int k = 0; k < ListePistes->count(); ++k)
        if (ListePistes->item(k)->checkState() == Qt::Checked)
            v.push_back(k);
    return v;
}

rOptionsImportMIDI TFMIDIImport::Options() const
{
    rOptionsImportMIDI o;
    o.GrilleP = GrilleChoisie(PositionP);
    o.GrilleD = GrilleChoisie(DureeD);
    o.Transposer = CB_OptionsTranspose->isChecked();
    o.DeuxCanaux = CB_TwoChannels->isChecked();
    return o;
}

bool TFMIDIImport::VerifierCochees()
{
    if (!Cochees().empty())
        return true;
    MyMsg(Traduction("Dlg-Erreur"), Section(3), MsgErreur, DefOK, BtOK);
    return false;
}

void TFMIDIImport::SignalerResultat()
{
    if (!Resultat.Cle.empty())
        MyMsgCle("Dlg-Erreur", Resultat.Cle, MsgErreur, DefOK, BtOK);
    else if (Resultat.MesuresMax)
        MyMsgCle("Dlg-Avertissement", CleMesuresMaxMIDI, MsgAvertissement, DefOK, BtOK,
                 std::to_string(MaxMesures));
}

void TFMIDIImport::Jouer()
{
    if (!VerifierCochees())
        return;
    TLecture *l = TLecture::Instance();
    if (!l)
        return;
    cLectureMIDI f;
    std::string cle;
    if (!f.Ouvrir(CheminFichier, cle))
        return;
    int tempo = 0;
    const std::vector<rEvtApercu> v = EvenementsApercu(f, ListeEntrees, Cochees(), tempo);
    std::vector<rEvtEchantillon> evts;
    evts.reserve(v.size());
    for (const rEvtApercu &e : v)
        evts.push_back({e.Temps, e.Statut, e.D1, e.D2});
    l->Moteur().JouerApercu(evts, tempo);
}

void TFMIDIImport::Arreter()
{
    if (TLecture *l = TLecture::Instance())
        l->Moteur().Arreter();
    if (F.Document().EnLecture())
        F.Document().ArreterLecture();
}

void TFMIDIImport::OuvrirAutre()
{
    if (!F.ChoisirFichier)
        return;
    const QString choisi = F.ChoisirFichier(false, QString(), QStringLiteral("MIDI (*.mid)"));
    if (choisi.isEmpty())
        return;
    Arreter();
    std::string cle;
    int format = -1;
    if (!ChargerFichier(CheminDepuisQt(choisi), cle, &format)) {
        if (format >= 0)
            MyMsg(Traduction("Dlg-Erreur"),
                  RemplacerParam(RemplacerPourcentS(Section(2), 1), std::to_string(format)),
                  MsgErreur, DefOK, BtOK);
        else
            MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
    }
}

bool TFMIDIImport::ImportRapide()
{
    if (!VerifierCochees())
        return false;
    Arreter();
    if (!F.DemanderEnregistrement())
        return false;
    cLectureMIDI f;
    std::string cle;
    if (!f.Ouvrir(CheminFichier, cle)) {
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
        return false;
    }
    auto p = std::make_unique<cPartition>();
    p->Interface = &F;
    p->Nouveau();
    p->Interface = nullptr;
    {
        rSablier s;
        TFAttenteJauge jauge(&F, Traduction("MidiImp-OptimisationPlacementDoigts"));
        rOptionsImportMIDI o = Options();
        o.Progression = [&jauge](int etape) { jauge.Avancer(etape); };
        Resultat = ImportRapideMIDI(*p, f, NomFichier(CheminFichier), ListeEntrees, Cochees(), o,
                                    TextePiste());
    }
    p->Vierge = false;
    p->Modifie = true;
    F.Document().Remplacer(std::move(p));
    F.ApresNouvellePartition();
    F.FinEdition(true);
    SignalerResultat();
    return true;
}

void TFMIDIImport::Etape1()
{
    Arreter();
    cLectureMIDI f;
    std::string cle;
    if (!f.Ouvrir(CheminFichier, cle)) {
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
        return;
    }
    cPartition &p = F.Partition();
    Tempos = ImporterEnteteMIDI(p, f, NomFichier(CheminFichier));
    F.FinEdition(true);
    F.MettreAJourTitre();
}

void TFMIDIImport::Etape2() { F.Executer("Track_Insert"); }

bool TFMIDIImport::Etape3()
{
    if (!VerifierCochees())
        return false;
    rSablier s;
    Arreter();
    cLectureMIDI f;
    std::string cle;
    if (!f.Ouvrir(CheminFichier, cle)) {
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
        return false;
    }
    cPartition &p = F.Partition();
    cPiste *piste = p.PisteNumero(p.Curseur.NumPiste);
    if (!piste)
        return false;
    {
        TFAttenteJauge jauge(&F, Traduction("MidiImp-OptimisationPlacementDoigts"));
        rOptionsImportMIDI o = Options();
        o.Progression = [&jauge](int etape) { jauge.Avancer(etape); };
        p.EnChargement = true;
        Resultat = ImporterPiste(p, *piste, f, ListeEntrees, Cochees(), o, Tempos, TextePiste());
        p.EnChargement = false;
    }
    p.IndexerMesures();
    F.FinEdition(true);
    CocherTout(false);
    SignalerResultat();
    return true;
}

void TFMIDIImport::Reduire()
{
    Contenu->hide();
    BT_Expand->show();
    setFixedSize(100, 30);
}

void TFMIDIImport::Agrandir()
{
    BT_Expand->hide();
    Contenu->show();
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(LargeurNormale, HauteurNormale);
}

void TFMIDIImport::closeEvent(QCloseEvent *e)
{
    Arreter();
    QDialog::closeEvent(e);
}
