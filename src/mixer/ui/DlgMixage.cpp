#include "mixer/ui/DlgMixage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/ui/uDialogues.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uAppliquerTextesUI.h"
#include "config/ui/uTexteUI.h"
#include "config/uPatch.h"
#include "config/uTextesFenetres.h"
#include "mixer/uBatterie.h"
#include "mixer/uMixage.h"
#include "mixer/ui/PL_MixTable.h"
#include "playback/uMidi.h"

namespace {
constexpr const char *SectionInstr = "DLG_INSTR_000";
constexpr const char *SectionMix = "DLG_MIX_000";
constexpr const char *SectionSetup = "DLG300_MIDISETUP_000";
constexpr const char *SectionBatterie = "DLG300_PERCU_000";
} // namespace

// ---------------------------------------------------------------- instruments

TFInstruments::TFInstruments(const std::vector<std::string> &entrees, int courant, QWidget *parent)
    : QDialog(parent), Depart(courant)
{
    setObjectName("TFInstruments");
    Liste = new QListWidget(this);
    Liste->setObjectName("LB_Liste");
    for (const std::string &e : entrees)
        Liste->addItem(VersQt(e));
    if (courant >= 0 && courant < Liste->count())
        Liste->setCurrentRow(courant);
    connect(Liste, &QListWidget::itemClicked, this, [this] {
        if (Appliquer && Choisi() >= 0)
            Appliquer(Choisi());
    });
    connect(Liste, &QListWidget::itemDoubleClicked, this, [this] {
        if (Appliquer && Choisi() >= 0)
            Appliquer(Choisi());
        accept();
    });
    auto *v = new QVBoxLayout(this);
    auto *l = new QLabel(TexteSection(SectionInstr, 2, "Choose the instrument"), this);
    v->addWidget(l);
    v->addWidget(Liste);
    v->addWidget(BoutonsDialogue(this));
    AppliquerTextesFenetre(this, PositionsDialogue({}), true);
    setWindowTitle(TexteSection(SectionInstr, 1, "Instruments"));
    resize(320, 420);
    if (Liste->currentItem())
        Liste->scrollToItem(Liste->currentItem(), QAbstractItemView::PositionAtCenter);
}

int TFInstruments::Choisi() const { return Liste->currentRow(); }

void TFInstruments::reject()
{
    if (Appliquer && Choisi() != Depart)
        Appliquer(Depart);
    QDialog::reject();
}

// ---------------------------------------------------------------- mix table change

TFTableMixEvent::TFTableMixEvent(const rDialogueMix &d, const std::vector<std::string> &instruments,
                                 QWidget *parent)
    : QDialog(parent)
{
    setObjectName("TFTableMixEvent");
    const char *noms[NbParamsMix] = {"LB_Instrument", "LB_Volume", "LB_Balance", "LB_Chorus",
                                     "LB_Reverb",     "LB_Phaser", "LB_Tremolo", "LB_Tempo"};
    const char *textes[NbParamsMix] = {"Intrument", "Volume", "Pan",     "Chorus",
                                       "Reverb",    "Phaser", "Tremolo", "Tempo"};
    const std::vector<std::string> transitions = TextesTransitions(
        DepuisQt(TexteSection(SectionMix, 12, "Immediatly")),
        DepuisQt(TexteSection(SectionMix, 13, "1 beat")),
        DepuisQt(TexteSection(SectionMix, 14, "%s beats")));
    auto *grille = new QGridLayout;
    auto *titre = new QLabel(TexteSection(SectionMix, 10, "Transition (beats)"), this);
    titre->setObjectName("LB_Duree");
    grille->addWidget(titre, 0, 2);
    for (int i = 0; i < NbParamsMix; ++i) {
        Cases[i] = new QCheckBox(TexteSection(SectionMix, 2 + i, textes[i]), this);
        Cases[i]->setObjectName(noms[i]);
        Cases[i]->setChecked(d.Coche[i]);
        connect(Cases[i], &QCheckBox::toggled, this, [this] { Visibilites(); });
        grille->addWidget(Cases[i], i + 1, 0);
        if (i != pmInstrument) {
            Transitions[i] = new QComboBox(this);
            Transitions[i]->setObjectName(QString("CB_Transition%1").arg(i));
            for (const std::string &t : transitions)
                Transitions[i]->addItem(VersQt(t));
            Transitions[i]->setCurrentIndex(std::clamp(d.Transitions[i], 0, TransitionMax));
            grille->addWidget(Transitions[i], i + 1, 2);
        }
    }
    Instrument = new QComboBox(this);
    Instrument->setObjectName("CB_Instrument");
    for (const std::string &e : instruments)
        Instrument->addItem(VersQt(e));
    Instrument->setCurrentIndex(std::clamp(d.Instrument, 0, Instrument->count() - 1));
    grille->addWidget(Instrument, pmInstrument + 1, 1);
    for (int i = 0; i < 6; ++i) {
        Jauges[i] = new TPL_Jauge(true, i == 1 ? -24 : 0, this);
        Jauges[i]->setObjectName(QString("Jauge%1").arg(i));
        Jauges[i]->ChoisirPosition(d.Jauges[i]);
        grille->addWidget(Jauges[i], pmVolume + i + 1, 1);
    }
    Tempo = ChampNombre(this, 3, d.Tempo);
    Tempo->setObjectName("Edit_Tempo");
    TempoPlus = new QToolButton(this);
    TempoMoins = new QToolButton(this);
    TempoPlus->setArrowType(Qt::UpArrow);
    TempoMoins->setArrowType(Qt::DownArrow);
    auto *tempo = new QHBoxLayout;
    tempo->setSpacing(1);
    tempo->addWidget(Tempo);
    tempo->addWidget(TempoMoins);
    tempo->addWidget(TempoPlus);
    grille->addLayout(tempo, pmTempo + 1, 1);
    // Held arrows repeat: 300 ms, then every 100 ms, every 50 ms after 10, by 3 after 30.
    for (auto [b, sens] : {std::pair{TempoPlus, 1}, std::pair{TempoMoins, -1}}) {
        connect(b, &QToolButton::pressed, this, [this, s = sens] {
            Sens = s;
            NbRepetitions = 0;
            PasTempo(Sens);
            Repetition.start(DelaiRepetitionTempo(1));
        });
        connect(b, &QToolButton::released, this, [this] { Repetition.stop(); });
    }
    connect(&Repetition, &QTimer::timeout, this, [this] {
        ++NbRepetitions;
        PasTempo(Sens * PasRepetitionTempo(NbRepetitions));
        Repetition.setInterval(DelaiRepetitionTempo(NbRepetitions + 1));
    });
    auto *boutons = BoutonsDialogue(this);
    BoutonEffacer = boutons->addButton(QString::fromLatin1("Clear"), QDialogButtonBox::ResetRole);
    BoutonEffacer->setObjectName("Clear");
    connect(BoutonEffacer, &QPushButton::clicked, this, &TFTableMixEvent::Effacer);
    auto *v = new QVBoxLayout(this);
    v->addLayout(grille);
    v->addWidget(boutons);
    AppliquerTextesFenetre(this, PositionsDialogue({SectionMix}), true);
    setWindowTitle(TexteSection(SectionMix, 1, "Mix Table Change Event"));
    Visibilites();
}

void TFTableMixEvent::PasTempo(int pas)
{
    int t = 0;
    if (!LireNombre(Tempo, t))
        t = 0;
    Tempo->setText(QString::number(std::clamp(t + pas, 1, TempoMaxMix)));
}

void TFTableMixEvent::Visibilites()
{
    Instrument->setVisible(Cases[pmInstrument]->isChecked());
    for (int i = 0; i < 6; ++i)
        Jauges[i]->setVisible(Cases[pmVolume + i]->isChecked());
    const bool tempo = Cases[pmTempo]->isChecked();
    Tempo->setVisible(tempo);
    TempoPlus->setVisible(tempo);
    TempoMoins->setVisible(tempo);
    for (int i = 1; i < NbParamsMix; ++i)
        Transitions[i]->setVisible(Cases[i]->isChecked());
}

void TFTableMixEvent::Effacer()
{
    for (QCheckBox *c : Cases)
        c->setChecked(false);
}

rDialogueMix TFTableMixEvent::Valeurs() const
{
    rDialogueMix d;
    for (int i = 0; i < NbParamsMix; ++i) {
        d.Coche[i] = Cases[i]->isChecked();
        if (Transitions[i])
            d.Transitions[i] = Transitions[i]->currentIndex();
    }
    d.Instrument = std::max(0, Instrument->currentIndex());
    for (int i = 0; i < 6; ++i)
        d.Jauges[i] = Jauges[i]->Position();
    int t = 0;
    d.Tempo = LireNombre(Tempo, t) ? t : 0;
    return d;
}

void TFTableMixEvent::accept()
{
    if (Cases[pmTempo]->isChecked() && Valeurs().Tempo == 0) {
        ErreurSaisie(Tempo);
        return;
    }
    QDialog::accept();
}

// ---------------------------------------------------------------- MIDI set-up

TFMidiSetup::TFMidiSetup(cMidi &midi, const std::string &soundFont, QWidget *parent)
    : QDialog(parent), Midi(midi), PeripheriqueDepart(midi.Ports[1].Peripherique)
{
    setObjectName("TFMidiSetup");
    // Nothing plays and no port stays open while devices change.
    Midi.FermerPorts();
    const QString aucun = VersQt(Midi.TexteAucunPort);
    auto *info = new QLabel(
        TexteSection(SectionSetup, 7,
                     "Use the option \"Limit pitch variations\" if the bend or slide effects sound "
                     "wrong. Basic sound cards don't support pitch variations higher than 1 tone."),
        this);
    info->setObjectName("LB_Info");
    info->setWordWrap(true);
    auto *grille = new QGridLayout;
    auto entete = [&](const char *nom, int ligne, const char *defaut, int col) {
        auto *l = new QLabel(TexteSection(SectionSetup, ligne, defaut), this);
        l->setObjectName(nom);
        grille->addWidget(l, 0, col);
    };
    entete("LB_Port", 2, "Port", 0);
    entete("LB_Peripherique", 3, "Output device", 1);
    entete("LB_Patch", 4, "Instrument list", 2);
    for (int n = 1; n <= 4; ++n) {
        const int i = n - 1;
        grille->addWidget(new QLabel(QString::number(n), this), n, 0, Qt::AlignCenter);
        Peripheriques[i] = new QComboBox(this);
        Peripheriques[i]->setObjectName(QString("CB_Peripherique%1").arg(n));
        Peripheriques[i]->addItem(aucun);
        for (const std::string &d : Midi.NomsPeripheriques)
            Peripheriques[i]->addItem(QString::fromUtf8(d.c_str()));
        Peripheriques[i]->setCurrentIndex(
            std::clamp(Midi.Ports[n].Peripherique + 1, 0, Peripheriques[i]->count() - 1));
        Patchs[i] = new QComboBox(this);
        Patchs[i]->setObjectName(QString("CB_Patch%1").arg(n));
        Patchs[i]->addItem(aucun);
        int choisi = 0;
        for (std::size_t k = 0; k < Midi.NomsPatchs.size(); ++k) {
            Patchs[i]->addItem(VersQt(Midi.NomsPatchs[k]));
            if (Midi.NomsPatchs[k] == Midi.Ports[n].Patch.Nom)
                choisi = static_cast<int>(k) + 1;
        }
        Patchs[i]->setCurrentIndex(choisi);
        LimitBend[i] = new QCheckBox(TexteSection(SectionSetup, 5, "Limit pitch variations"), this);
        LimitBend[i]->setObjectName(QString("CB_LimitBend%1").arg(n));
        LimitBend[i]->setChecked(Midi.Gen.Options.LimitBend[n]);
        Tests[i] = new QPushButton(TexteSection(SectionSetup, 6, "Test"), this);
        Tests[i]->setObjectName(QString("BT_Tester%1").arg(n));
        Tests[i]->setAutoDefault(false);
        Tests[i]->setToolTip(TexteSection(SectionSetup, 9, "Play a sample with this output"));
        connect(Tests[i], &QPushButton::clicked, this, [this, n] { Tester(n); });
        grille->addWidget(Peripheriques[i], n, 1);
        grille->addWidget(Patchs[i], n, 2);
        grille->addWidget(LimitBend[i], n, 3);
        grille->addWidget(Tests[i], n, 4);
    }
    auto *sf = new QHBoxLayout;
    auto *lsf = new QLabel(TexteSection(SectionSetup, 10, "SoundFont of the built-in synthesizer"),
                           this);
    lsf->setObjectName("LB_SoundFont");
    SoundFont = new QLineEdit(QString::fromUtf8(soundFont.c_str()), this);
    SoundFont->setObjectName("Edit_SoundFont");
    SoundFont->setPlaceholderText(QStringLiteral("(default)"));
    auto *parcourir = new QPushButton(TexteSection(SectionSetup, 11, "Browse..."), this);
    parcourir->setObjectName("BT_Parcourir");
    parcourir->setAutoDefault(false);
    connect(parcourir, &QPushButton::clicked, this, [this] {
        const QString f = QFileDialog::getOpenFileName(this, QString(), SoundFont->text(),
                                                       "SoundFont (*.sf2 *.sf3)");
        if (!f.isEmpty())
            SoundFont->setText(f);
    });
    sf->addWidget(lsf);
    sf->addWidget(SoundFont, 1);
    sf->addWidget(parcourir);
    auto *v = new QVBoxLayout(this);
    v->addWidget(info);
    v->addLayout(grille);
    v->addLayout(sf);
    v->addWidget(BoutonsDialogue(this));
    AppliquerTextesFenetre(this, PositionsDialogue({SectionSetup}), true);
    setWindowTitle(TexteSection(SectionSetup, 1, "MIDI Setup"));
}

std::string TFMidiSetup::SoundFontChoisie() const
{
    return SoundFont->text().trimmed().toUtf8().toStdString();
}

int TFMidiSetup::VerifierDoublons()
{
    std::array<int, 4> indices{};
    for (int i = 0; i < 4; ++i)
        indices[i] = Peripheriques[i]->currentIndex();
    const int port = PortPeripheriqueDouble(indices);
    if (port > 0) {
        MyMsg(Traduction("Dlg-Erreur"),
              DepuisQt(TexteSection(SectionSetup, 8,
                                    "The same output device is chosen for two ports.")),
              MsgErreur, DefOK, BtOK);
        Peripheriques[port - 1]->setFocus();
    }
    return port;
}

void TFMidiSetup::Tester(int port)
{
    if (VerifierDoublons() > 0)
        return;
    Teste = true;
    Midi.TesterSortie(Peripheriques[port - 1]->currentIndex() - 1);
}

void TFMidiSetup::accept()
{
    if (VerifierDoublons() > 0)
        return;
    Midi.FermerPorts();
    for (int n = 1; n <= 4; ++n) {
        const int i = n - 1;
        Midi.ChoisirPeripherique(n, Peripheriques[i]->currentIndex() - 1);
        const int k = Patchs[i]->currentIndex();
        Midi.Ports[n].Patch.Nom =
            k > 0 && k <= static_cast<int>(Midi.NomsPatchs.size()) ? Midi.NomsPatchs[k - 1] : "";
        Midi.Ports[n].Patch.Charger(Traduction("Gene-AucunPatch"),
                                    Traduction("Gene-FichierPatchNonTrouve"));
        Midi.Gen.Options.LimitBend[n] = LimitBend[i]->isChecked();
    }
    QDialog::accept();
}

void TFMidiSetup::reject()
{
    Midi.FermerPorts();
    if (Teste)
        Midi.ChoisirPeripherique(1, PeripheriqueDepart);
    QDialog::reject();
}

// ---------------------------------------------------------------- drum kit

TFBatterie::TFBatterie(QWidget *parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName("TFBatterie");
    setModal(false);
    Liste = new QListWidget(this);
    Liste->setObjectName("LB_Percussions");
    // Four columns: the list flows top to bottom and wraps.
    Liste->setFlow(QListView::TopToBottom);
    Liste->setWrapping(true);
    Liste->setResizeMode(QListView::Adjust);
    Liste->setUniformItemSizes(true);
    for (int k = PremiereCleBatterie; k <= DerniereCleBatterie; ++k) {
        auto *i = new QListWidgetItem(VersQt(EntreePercussion(k)), Liste);
        i->setData(Qt::UserRole, k);
    }
    connect(Liste, &QListWidget::itemClicked, this, [this](QListWidgetItem *i) {
        if (Jouer)
            Jouer(i->data(Qt::UserRole).toInt());
    });
    connect(Liste, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *i) {
        if (Saisir)
            Saisir(i->data(Qt::UserRole).toInt());
    });
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(4, 4, 4, 4);
    v->addWidget(Liste);
    setWindowTitle(TexteSection(SectionBatterie, 1, "Assistant percussions"));
    const int rangees = (DerniereCleBatterie - PremiereCleBatterie + 1 + 3) / 4;
    resize(4 * 150 + 20, rangees * Liste->sizeHintForRow(0) + 30);
}

void TFBatterie::keyPressEvent(QKeyEvent *e)
{
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && Liste->currentItem()) {
        if (Saisir)
            Saisir(Liste->currentItem()->data(Qt::UserRole).toInt());
        return;
    }
    QDialog::keyPressEvent(e);
}
