// The mix table, channels, ports, the mix table change of a beat, the MIDI set-up and the drum
// kit: the bottom panel and its commands.
#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QMenu>
#include <QScrollBar>
#include <QSplitter>
#include <QVBoxLayout>

#include "app/uCurseur.h"
#include "app/ui/Main.h"
#include "app/ui/uDialogues.h"
#include "app/ui/uModules.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "config/ui/uTexteUI.h"
#include "display/ui/uVueOrchestre.h"
#include "mixer/uBatterie.h"
#include "mixer/uCanaux.h"
#include "mixer/uEvenementMix.h"
#include "mixer/ui/DlgMixage.h"
#include "mixer/ui/PL_MixTable.h"
#include "mixer/ui/uPanneauMixage.h"
#include "model/uAccord.h"
#include "model/uMesurePiste.h"
#include "playback/ui/uLectureUI.h"

namespace {
constexpr const char *SectionMixT = "MIXT300_000";

std::string T(const std::string &cle) { return Traduction(cle); }

const std::vector<std::string> &InstrumentsPort(cMidi *m, int port)
{
    static const std::vector<std::string> vide;
    if (!m || port < 1 || port > MaxPorts)
        return vide;
    return m->Ports[port].Patch.Instruments;
}
} // namespace

TPanneauMixage *PanneauMixage(const TMainForm &f)
{
    return f.findChild<TPanneauMixage *>("PanneauMixage");
}

TPanneauMixage::TPanneauMixage(TMainForm &f) : QObject(&f), F(f)
{
    setObjectName("PanneauMixage");
    QWidget *panneau = F.PanneauBas();
    auto *h = new QHBoxLayout(panneau);
    h->setContentsMargins(0, 0, 0, 0);
    Division = new QSplitter(Qt::Horizontal, panneau);
    Division->setObjectName("RzSizePanel_Orchestre");
    h->addWidget(Division);

    auto *gauche = new QWidget(Division);
    gauche->setObjectName("Orchestre_Gauche");
    auto *v = new QVBoxLayout(gauche);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    MixTable = new TPL_MixTable(gauche);
    MixTable->TexteDrumKit = T("Gene-DrumKit");
    MixTable->Instruments = [this](int port) { return &InstrumentsPort(Moteur(), port); };
    std::vector<QString> legendes;
    for (int k = 1; k <= 10; ++k)
        legendes.push_back(TexteSection(SectionMixT, k, ""));
    MixTable->ChoisirLegendes(legendes);
    ScrollBar_Mix = new QScrollBar(Qt::Horizontal, gauche);
    ScrollBar_Mix->setObjectName("ScrollBar_Mix");
    ScrollBar_Mix->setRange(0, 10);
    ScrollBar_Mix->setPageStep(1);
    v->addWidget(MixTable, 1);
    v->addWidget(ScrollBar_Mix);
    Orchestre = new TVueOrchestre(F, Division);
    Division->addWidget(gauche);
    Division->addWidget(Orchestre);
    Division->setStretchFactor(1, 1);
    Division->setSizes({MixTable->LargeurTotale(), 400});

    connect(ScrollBar_Mix, &QScrollBar::valueChanged, MixTable, &TPL_MixTable::ChoisirPositionH);
    connect(MixTable, &TPL_MixTable::MixActionIntercepted, this,
            [this](QObject *, int n, TMixList qui, int quoi, int valeur) {
                Traiter(n, qui, quoi, valeur);
            });
    Orchestre->PremiereChangee = [this](int premiere) { MixTable->ChoisirPremiere(premiere); };
    Orchestre->MarkerChange = [] {
        if (TLecture *l = TLecture::Instance())
            l->ActualiserMarkers();
    };

    cDocument &d = F.Document();
    d.Abonner(cDocument::eEvenement::ApresRemplacement, [this] {
        MixTable->ChoisirPremiere(1);
        Orchestre->Reinitialiser();
        ActualiserTout();
    });
    d.Abonner(cDocument::eEvenement::ApresEdition, [this] { ActualiserTout(); });
    F.AjouterEtats([this](TMainForm &) { ActualiserCurseur(); });
    connect(F.Vue(), &TVuePartition::DoubleClic, this, [this] { F.Executer("Edition_Inserer_MixTableChange"); });
    ActualiserTout();
}

cMidi *TPanneauMixage::Moteur() const
{
    TLecture *l = TLecture::Instance();
    return l ? &l->Moteur() : nullptr;
}

void TPanneauMixage::Envoyer(const cPiste &t, const rMessageMix &m)
{
    if (cMidi *midi = Moteur())
        midi->EnvoyerMixDirect(t, m.Base, m.Donnee1, m.Donnee2);
}

void TPanneauMixage::ActualiserTout()
{
    const cPartition &p = F.Partition();
    if (p.EnDestruction)
        return;
    MixTable->RemplirTout(p);
    MixTable->ChoisirSelection(p.Curseur.NumPiste);
    MixTable->VisibleMix.erase(TMixList::mView);
    if (F.Vue()->Affichage.VueMultipiste)
        MixTable->VisibleMix.insert(TMixList::mView);
    MixTable->ChoisirPositionH(MixTable->PositionH);
    Orchestre->DessinerEntete();
    Orchestre->DessinerGrille();
    PisteVue = p.Curseur.NumPiste;
    MesureVue = p.Curseur.MesurePiste;
}

void TPanneauMixage::ActualiserCurseur()
{
    const cPartition &p = F.Partition();
    if (p.EnDestruction)
        return;
    cMidi *m = Moteur();
    const bool lecture = m && (m->EnLecture() || m->Suspendu());
    MixTable->CanChangePort(!lecture);
    const bool multi = F.Vue()->Affichage.VueMultipiste;
    if (multi != (MixTable->VisibleMix.count(TMixList::mView) != 0)) {
        ActualiserTout();
        return;
    }
    if (p.Curseur.NumPiste != PisteVue || p.Curseur.MesurePiste != MesureVue) {
        const int ancienne = PisteVue;
        MixTable->ChoisirSelection(p.Curseur.NumPiste);
        PisteVue = p.Curseur.NumPiste;
        MesureVue = p.Curseur.MesurePiste;
        if (lecture || ancienne != PisteVue) {
            Orchestre->DessinerGrille(0, lecture);
        } else {
            Orchestre->DessinerGrille(PisteVue, false);
        }
    }
    // The drum kit hides while playing and comes back after it on a drum track.
    if (lecture != LectureVue) {
        LectureVue = lecture;
        if (lecture && FenetreBatterie && FenetreBatterie->isVisible()) {
            FenetreBatterie->hide();
            BatterieCacheeParLecture = true;
        } else if (!lecture && BatterieCacheeParLecture) {
            BatterieCacheeParLecture = false;
            const cPiste *t = p.PisteNumero(p.Curseur.NumPiste);
            if (FenetreBatterie && t && t->Percussions)
                FenetreBatterie->show();
        }
    }
    if (QAction *a = F.Action("Tools_PercussionAssistant"))
        a->setChecked(FenetreBatterie && FenetreBatterie->isVisible());
}

// ---------------------------------------------------------------- strip events

void TPanneauMixage::Traiter(int numPiste, TMixList qui, int quoi, int valeur)
{
    cPartition &p = F.Partition();
    cPiste *t = p.PisteNumero(numPiste);
    if (!t)
        return;
    cMidi *m = Moteur();
    const bool multi = F.Vue()->Affichage.VueMultipiste;
    if (quoi == qmLigne) {
        if (numPiste != p.Curseur.NumPiste) {
            if (multi && !t->Visible)
                return;
            p.EffacerSelection();
            p.AttenteChiffre = false;
            DeplacerPiste(p, eMouvementPiste::Numero, multi, numPiste);
            F.Actualiser(true);
            if (m && m->EnLecture())
                m->ChangerPiste();
        } else if (!QApplication::activeModalWidget()) {
            F.Executer("Track_Properties");
        }
        return;
    }
    rMessageMix msg;
    switch (qui) {
    case TMixList::mView:
        t->Visible = valeur != 0 || numPiste == p.Curseur.NumPiste;
        MixTable->RemplirPiste(p, numPiste);
        F.Vue()->ActualiserTout();
        Orchestre->DessinerGrille();
        return;
    case TMixList::mSolo:
    case TMixList::mMute:
        if (qui == TMixList::mSolo)
            ChangerSolo(*t, valeur != 0);
        else
            ChangerMuet(*t, valeur != 0);
        if (m)
            m->ActualiserSolo();
        MixTable->RemplirPiste(p, numPiste);
        return;
    case TMixList::mPort:
    case TMixList::mChannel:
    case TMixList::mChannelE:
        if (quoi == qmClicGauche || quoi == qmClicDroit) {
            QMenu *menu = qui == TMixList::mPort ? MenuPort(numPiste)
                                                 : MenuCanal(numPiste, qui == TMixList::mChannelE);
            TPL_Mix1Piste *s = MixTable->Strip(numPiste);
            QWidget *cellule = !s ? nullptr
                               : qui == TMixList::mPort    ? static_cast<QWidget *>(s->Port)
                               : qui == TMixList::mChannel ? s->Canal
                                                           : s->CanalE;
            if (cellule)
                menu->popup(cellule->mapToGlobal(QPoint(0, cellule->height())));
            else
                menu->deleteLater();
        }
        return;
    case TMixList::mInstrument:
        if (quoi == qmValeur) {
            ChangerInstrument(p, *t, valeur, msg);
            Envoyer(*t, msg);
            p.MarquerModifie();
            MixTable->RemplirTout(p);
        } else if (quoi == qmClicGauche) {
            const cPatchInstrument *patch =
                m && t->Port >= 1 && t->Port <= MaxPorts ? &m->Ports[t->Port].Patch : nullptr;
            TFInstruments d(ListeInstruments(patch, t->Percussions, T("Gene-DrumKit")),
                            InstrumentDe(p, *t), &F);
            d.Appliquer = [this, numPiste](int instrument) {
                cPartition &q = F.Partition();
                if (cPiste *x = q.PisteNumero(numPiste)) {
                    rMessageMix mm;
                    ChangerInstrument(q, *x, instrument, mm);
                    Envoyer(*x, mm);
                    MixTable->RemplirTout(q);
                }
            };
            if (d.exec() == QDialog::Accepted)
                p.MarquerModifie();
        }
        return;
    default:
        if (quoi == qmValeur && ChangerValeurMix(p, *t, qui, valeur, msg)) {
            Envoyer(*t, msg);
            p.MarquerModifie();
            // Tracks that share the channel show the new value too.
            MixTable->RemplirTout(p);
        }
        return;
    }
}

void TPanneauMixage::ApresChangementCanaux(bool modifie)
{
    if (!modifie) {
        ActualiserTout();
        return;
    }
    F.Partition().MarquerModifie();
    F.Document().Edite();
}

QMenu *TPanneauMixage::MenuPort(int numPiste)
{
    auto *menu = new QMenu(&F);
    menu->setObjectName("Menu_Port");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSection(TexteSection(SectionMixT, 11, "Port Selection"));
    const cPiste *t = F.Partition().PisteNumero(numPiste);
    cMidi *m = Moteur();
    for (int n = 1; n <= MaxPorts; ++n) {
        const std::string nom = m ? m->Ports[n].NomPeripherique : std::string();
        QAction *a = menu->addAction(QString::number(n) + " : " + QString::fromUtf8(nom.c_str()));
        a->setObjectName(QString("Port%1").arg(n));
        a->setCheckable(true);
        a->setChecked(t && t->Port == n);
        connect(a, &QAction::triggered, this, [this, numPiste, n] {
            cPartition &p = F.Partition();
            if (cPiste *x = p.PisteNumero(numPiste))
                ApresChangementCanaux(ChangerPort(p, *x, n));
        });
    }
    menu->addSeparator();
    QAction *config =
        menu->addAction(TexteSection(SectionMixT, 14, "Ports Configuration..."));
    config->setObjectName("PortsConfiguration");
    connect(config, &QAction::triggered, this, [this] { ConfigurationMidi(); },
            Qt::QueuedConnection);
    return menu;
}

QMenu *TPanneauMixage::MenuCanal(int numPiste, bool effets)
{
    auto *menu = new QMenu(&F);
    menu->setObjectName(effets ? "Menu_CanalEffets" : "Menu_Canal");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addSection(effets ? TexteSection(SectionMixT, 13, "Effect Channel Selection")
                            : TexteSection(SectionMixT, 12, "Main Channel Selection"));
    const cPartition &p = F.Partition();
    const cPiste *t = p.PisteNumero(numPiste);
    if (!t)
        return menu;
    const auto entrees = MenuCanaux(p, *t, effets, [](const std::string &c) { return T(c); });
    for (int k = 1; k <= static_cast<int>(entrees.size()); ++k) {
        const rEntreeCanal &e = entrees[k - 1];
        QAction *a = menu->addAction(VersQt(e.Texte));
        a->setObjectName(QString("Canal%1").arg(k));
        a->setCheckable(true);
        a->setChecked(e.Coche);
        a->setEnabled(e.Actif);
        connect(a, &QAction::triggered, this, [this, numPiste, k, effets] {
            cPartition &q = F.Partition();
            if (cPiste *x = q.PisteNumero(numPiste))
                ApresChangementCanaux(effets ? ChangerCanalEffets(q, *x, k) : ChangerCanal(q, *x, k));
        });
    }
    return menu;
}

// ---------------------------------------------------------------- commands

void TPanneauMixage::EvenementMix()
{
    cMidi *m = Moteur();
    if (m && (m->EnLecture() || m->Suspendu()))
        return;
    cPartition &p = F.Partition();
    cAccord *a = p.Curseur.Accord;
    const cPiste *t = p.PisteNumero(p.Curseur.NumPiste);
    if (!a || !t)
        return;
    const cPatchInstrument *patch =
        m && t->Port >= 1 && t->Port <= MaxPorts ? &m->Ports[t->Port].Patch : nullptr;
    TFTableMixEvent d(OuvrirDialogueMix(p, *t, a),
                      ListeInstruments(patch, t->Percussions, T("Gene-DrumKit")), &F);
    if (d.exec() != QDialog::Accepted) {
        F.Actualiser(false);
        return;
    }
    ConfirmerDialogueMix(*a, d.Valeurs());
    F.FinEdition(false);
}

void TPanneauMixage::ConfigurationMidi()
{
    cMidi *m = Moteur();
    if (!m)
        return;
    TFMidiSetup d(*m, Config ? Config->SoundFont : std::string(), &F);
    if (d.exec() == QDialog::Accepted && Config) {
        Config->SoundFont = d.SoundFontChoisie();
        m->EcrireReglages(*Config);
    }
    MixTable->RemplirTout(F.Partition());
    MixTable->ChoisirSelection(F.Partition().Curseur.NumPiste);
}

void TPanneauMixage::JouerPercussion(int cle)
{
    cMidi *m = Moteur();
    const cPartition &p = F.Partition();
    const cPiste *t = p.PisteNumero(p.Curseur.NumPiste);
    if (!m || !t)
        return;
    std::vector<rEvtEchantillon> evts;
    for (const rNoteEchantillon &e : EchantillonPercussion(t->Canal, cle))
        evts.push_back({e.Temps, e.Statut, e.Donnee1, e.Donnee2});
    m->JouerEchantillon(t->Port, evts, 120);
}

void TPanneauMixage::SaisirPercussion(int cle)
{
    cPartition &p = F.Partition();
    if (!::SaisirPercussion(p, cle))
        return;
    F.FinEdition(false);
    if (p.Curseur.MesurePiste && p.Curseur.MesurePiste->Piste && p.Curseur.Accord)
        F.Document().EcouterAccord(*p.Curseur.MesurePiste->Piste, *p.Curseur.Accord);
    F.activateWindow();
    F.ChampClavier()->setFocus();
}

void TPanneauMixage::BasculerBatterie(bool montrer)
{
    if (!FenetreBatterie) {
        FenetreBatterie = new TFBatterie(&F);
        FenetreBatterie->Jouer = [this](int cle) { JouerPercussion(cle); };
        FenetreBatterie->Saisir = [this](int cle) { SaisirPercussion(cle); };
        connect(FenetreBatterie, &QDialog::finished, this, [this] {
            if (QAction *a = F.Action("Tools_PercussionAssistant"))
                a->setChecked(false);
        });
    }
    BatterieCacheeParLecture = false;
    FenetreBatterie->setVisible(montrer);
}

void TPanneauMixage::BasculerHauteur()
{
    QSplitter *s = F.Separateur();
    QList<int> t = s->sizes();
    if (t.size() < 2)
        return;
    const int total = t[0] + t[1];
    if (t[1] > 0) {
        HauteurAvant = t[1];
        t[1] = 0;
    } else {
        t[1] = HauteurAvant > 0 ? HauteurAvant
                                : F.Vue()->Affichage.AjusterHauteurOrchestre(false);
    }
    t[0] = std::max(0, total - t[1]);
    s->setSizes(t);
}

void TPanneauMixage::BasculerLargeur()
{
    QList<int> t = Division->sizes();
    if (t.size() < 2)
        return;
    const int total = t[0] + t[1];
    if (t[0] > 0) {
        LargeursAvant = t;
        t = {0, total};
    } else {
        t = LargeursAvant.size() == 2 ? LargeursAvant
                                      : QList<int>{MixTable->LargeurTotale(),
                                                   std::max(0, total - MixTable->LargeurTotale())};
    }
    Division->setSizes(t);
}

void EnregistrerCommandesMixage(TMainForm &f)
{
    auto *panneau = new TPanneauMixage(f);
    auto cmd = [&f](const char *nom, std::function<void()> fn) {
        f.EnregistrerCommande(nom, [fn](int) { fn(); });
    };
    cmd("Edition_Inserer_MixTableChange", [panneau] { panneau->EvenementMix(); });
    cmd("Options_MidiSetup", [panneau] { panneau->ConfigurationMidi(); });
    cmd("Options_Ports", [panneau] { panneau->ConfigurationMidi(); });
    f.EnregistrerCommande("Tools_PercussionAssistant", [&f, panneau](int) {
        panneau->BasculerBatterie(f.Action("Tools_PercussionAssistant")->isChecked());
    });
    cmd("Affichage_VueHMinMax", [panneau] { panneau->BasculerHauteur(); });
    cmd("Affichage_VueVMinMax", [panneau] { panneau->BasculerLargeur(); });
    if (TLecture *l = TLecture::Instance())
        l->ConfigurationMidi = [panneau] { panneau->ConfigurationMidi(); };
}
