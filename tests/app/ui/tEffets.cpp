// The effect editors through the real main window, offscreen: what OK, Clear and Cancel leave
// on the beat and whether the score is marked modified; the command states at the cursor; the
// tuplet tool button; the toolbar pictures.
#include <gtest/gtest.h>

#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <QPixmapCache>
#include <set>
#include <QToolBar>
#include <QToolButton>

#include "app/uCommandes.h"
#include "app/ui/DlgEffetBend.h"
#include "app/ui/DlgEffetBrush.h"
#include "app/ui/DlgEffetGraceNote.h"
#include "app/ui/uIconesOutils.h"
#include "config/ui/DlgMyMsg.h"
#include "config/uConfig.h"
#include "config/uPatch.h"
#include "playback/uPeripheriques.h"
#include "playback/ui/uLectureUI.h"
#include "support/ui/FenetreTest.h"

namespace {
// Every port records instead of sounding; set before the first window lists its devices.
const bool CaptureActive = [] {
    static const std::string chemin =
        (std::filesystem::temp_directory_path() / "plectorium-test-capture-effets.txt").string();
    setenv("PLECTORIUM_MIDI_CAPTURE", chemin.c_str(), 1);
    return true;
}();

// Messages recorded so far whose status byte (after the time and port) starts with `statut`.
int Messages(char statut)
{
    int n = 0;
    for (const std::string &l : JournalEnvironnement()->Lignes()) {
        const auto v = l.find(',', l.find(',') + 1);
        if (v != std::string::npos && v + 1 < l.size() && std::tolower(l[v + 1]) == statut)
            ++n;
    }
    return n;
}

QPushButton *Bouton(QWidget *w, const char *nom) { return w->findChild<QPushButton *>(nom); }
void Ok(QWidget *w) { Bouton(w, "OK")->click(); }
void Annuler(QWidget *w) { Bouton(w, "Cancel")->click(); }

class Effets : public FenetreTest {
protected:
    cPartition &P() { return f->Partition(); }
    // Beat 1 of measure 1 holds fret 5 on string 2 (dynamic mf), the cursor on it; the score
    // counts as saved.
    void SetUp() override
    {
        FenetreTest::SetUp();
        cAccord *a = P().MesurePisteDe(1, 1)->PremierAccord;
        a->Etat = 1;
        a->Notes[2]->Type = 1;
        a->Notes[2]->Case = 5;
        a->Notes[2]->Nuance = 5;
        P().Curseur.NumCorde = 2;
        P().PlacerCurseur(P().Curseur);
        P().Modifie = false;
        f->Actualiser(true);
    }

public:
    cAccord &A() { return *P().Curseur.Accord; }
    cNote &N() { return *P().Curseur.Note; }

protected:
    bool Avec(const char *commande, const char *classe, std::function<void(QWidget *)> action)
    {
        auto fait = QuandDialogue(classe, std::move(action));
        f->Executer(commande);
        QApplication::processEvents();
        return *fait;
    }
};
} // namespace

TEST_F(Effets, BendOkPutsTheDefaultBendAndClearThenOkRemovesIt)
{
    ASSERT_TRUE(Avec("EffetNote_BendType", "TFEffetBend", Ok));
    ASSERT_TRUE(N().Effets && N().Effets->Bend);
    EXPECT_EQ(N().Effets->Bend->Type, 1);
    EXPECT_EQ(N().Effets->Bend->Valeur, 100);
    EXPECT_EQ(N().Effets->Bend->NbFormes(), 3);
    EXPECT_TRUE(P().Modifie);
    EXPECT_TRUE(f->Action("EffetNote_BendType")->isChecked());

    P().Modifie = false;
    ASSERT_TRUE(Avec("EffetNote_BendType", "TFEffetBend", [](QWidget *w) {
        auto *d = static_cast<TFEffetBend *>(w);
        EXPECT_EQ(d->Editeur.Type, 1) << "opens on the note's bend";
        Bouton(w, "BT_Effacer")->click();
        Ok(w);
    }));
    EXPECT_EQ(N().Effets, nullptr);
    EXPECT_TRUE(P().Modifie);
    EXPECT_FALSE(f->Action("EffetNote_BendType")->isChecked());
}

TEST_F(Effets, BendPresetAndAmplitudeChosenInTheEditor)
{
    ASSERT_TRUE(Avec("EffetNote_BendType", "TFEffetBend", [](QWidget *w) {
        auto *d = static_cast<TFEffetBend *>(w);
        d->Presets->button(2)->click();                       // Bend/Release
        d->ValueList->setCurrentRow(10);                      // a semitone
        // A right click at position 20 (x 110), height 50 (y 110) adds a point with vibrato.
        QTest::mouseClick(d->Grille, Qt::RightButton, Qt::NoModifier, QPoint(110, 110));
        Ok(w);
    }));
    ASSERT_TRUE(N().Effets && N().Effets->Bend);
    const cEffet_Bend &b = *N().Effets->Bend;
    EXPECT_EQ(b.Type, 2);
    EXPECT_EQ(b.Valeur, 50);
    std::vector<std::tuple<int, int, int>> points;
    for (const cEffet_Forme *p = b.PremiereForme; p; p = p->Suivante)
        points.emplace_back(p->Position, p->Hauteur, p->Vibrato);
    EXPECT_EQ(points, (std::vector<std::tuple<int, int, int>>{
                          {0, 0, 0}, {15, 50, 0}, {20, 50, 1}, {30, 50, 0}, {45, 0, 0}, {60, 0, 0}}));
}

TEST_F(Effets, BendCancelLeavesTheNoteAndTheScoreUnchanged)
{
    ASSERT_TRUE(Avec("EffetNote_BendType", "TFEffetBend", Annuler));
    EXPECT_EQ(N().Effets, nullptr);
    EXPECT_FALSE(P().Modifie);
}

TEST_F(Effets, BendBeyondOneToneOnALimitedPortWarnsInsteadOfPlaying)
{
    cNote n;
    n.Type = 1;
    int joue = 0;
    TFEffetBend d(n, 480, [&](const cEffet_Bend &) { ++joue; }, true);
    d.Editeur.ChoisirAmplitude(4); // 2 tones
    tReponse r = Repondre();
    d.Ecouter();
    EXPECT_EQ(r->NbBoites, 1);
    EXPECT_EQ(joue, 0);
    r->Fini = true;
    d.Editeur.ChoisirAmplitude(IndexAmplitudeFull);
    d.Ecouter();
    EXPECT_EQ(joue, 1);
    EXPECT_EQ(d.LB_Duree->text(), "Note duration = 1.000");
}

TEST_F(Effets, GraceNoteRefusesAFretBeyondTheTrackAndCancelRemovesTheNewOne)
{
    P().PisteNumero(1)->NbFrets = 20;
    bool refuse = false;
    ASSERT_TRUE(Avec("EffetNote_Appogiature", "TFEffetGraceNote", [&](QWidget *w) {
        auto *d = static_cast<TFEffetGraceNote *>(w);
        d->BT_Ecouter->setChecked(false);
        EXPECT_EQ(d->Edit_Case->text(), "5");
        EXPECT_TRUE(d->Nuances->button(5)->isChecked());
        d->Edit_Case->setText("21");
        emit d->Edit_Case->textEdited("21");
        tReponse r = Repondre();
        d->accept();
        QApplication::processEvents();
        refuse = r->NbBoites == 1 && d->isVisible();
        r->Fini = true;
        EXPECT_EQ(N().Effets->Appogiature->Case, 21) << "written into the grace note at once";
        d->reject();
    }));
    EXPECT_TRUE(refuse);
    EXPECT_EQ(N().Effets, nullptr);
    EXPECT_FALSE(P().Modifie);
}

TEST_F(Effets, GraceNoteOkKeepsTheChoicesAndClearRemovesIt)
{
    ASSERT_TRUE(Avec("EffetNote_Appogiature", "TFEffetGraceNote", [](QWidget *w) {
        auto *d = static_cast<TFEffetGraceNote *>(w);
        d->BT_Ecouter->setChecked(false);
        d->CB_Morte->click();
        d->Nuances->button(8)->click();
        d->Durees->button(3)->click();
        Ok(w);
    }));
    ASSERT_TRUE(N().Effets && N().Effets->Appogiature);
    EXPECT_EQ(N().Effets->Appogiature->Case, 255);
    EXPECT_EQ(N().Effets->Appogiature->Nuance, 8);
    EXPECT_EQ(N().Effets->Appogiature->Duree, 3);
    EXPECT_TRUE(P().Modifie);
    EXPECT_FALSE(Config->EcouterGraceNote) << "the listen state is kept";

    P().Modifie = false;
    ASSERT_TRUE(Avec("EffetNote_Appogiature", "TFEffetGraceNote",
                     [](QWidget *w) { Bouton(w, "BT_Effacer")->click(); }));
    EXPECT_EQ(N().Effets, nullptr);
    EXPECT_TRUE(P().Modifie);
}

TEST_F(Effets, CancelledBrushLeavesTheBeatUnchangedAndUnmodified)
{
    A().EffetsCrees().BrushDown = 2;
    ASSERT_TRUE(Avec("EffetAccord_BrushUp", "TFEffetBrush", [&](QWidget *w) {
        auto *d = static_cast<TFEffetBrush *>(w);
        d->BT_Ecouter->setChecked(false);
        d->Durees->button(5)->click();
        EXPECT_EQ(A().Effets->BrushUp, 5) << "on the beat while the editor is open";
        Annuler(w);
    }));
    ASSERT_NE(A().Effets, nullptr);
    EXPECT_EQ(A().Effets->BrushUp, 0);
    EXPECT_EQ(A().Effets->BrushDown, 2) << "the other brush is not cleared by a cancel";
    EXPECT_FALSE(P().Modifie);
}

TEST_F(Effets, BrushOkRemembersTheDurationAndTheCommandClearsItAgain)
{
    ASSERT_TRUE(Avec("EffetAccord_BrushDown", "TFEffetBrush", [](QWidget *w) {
        auto *d = static_cast<TFEffetBrush *>(w);
        d->BT_Ecouter->setChecked(false);
        d->Durees->button(6)->click();
        Ok(w);
    }));
    ASSERT_NE(A().Effets, nullptr);
    EXPECT_EQ(A().Effets->BrushDown, 6);
    EXPECT_EQ(Config->DerniereDureeBrush, 6);
    EXPECT_TRUE(f->Action("EffetAccord_BrushDown")->isChecked());
    // Set: the command clears it without an editor.
    f->Executer("EffetAccord_BrushDown");
    EXPECT_EQ(A().Effets, nullptr);
    // The next editor starts on the remembered duration.
    ASSERT_TRUE(Avec("EffetAccord_BrushUp", "TFEffetBrush", [](QWidget *w) {
        EXPECT_TRUE(static_cast<TFEffetBrush *>(w)->Durees->button(6)->isChecked());
        Annuler(w);
    }));
}

TEST_F(Effets, StrokeOfVibratoOpensOnOneRefusesZeroAndStoresHundredths)
{
    A().EffetsCrees().Vibrato = true; // beat effects without a stroke: the field shows 1, not 0
    ASSERT_TRUE(Avec("EffetAccord_CoupVB", "TFEffetCoupVB", [](QWidget *w) {
        auto *d = static_cast<TFEffetCoupVB *>(w);
        EXPECT_EQ(d->Edit_Valeur->text(), "1");
        d->Edit_Valeur->setText("0");
        d->accept();
        EXPECT_TRUE(d->isVisible()) << "0 is refused";
        d->Edit_Valeur->setText("2");
        d->BT_Haut->click();
        EXPECT_EQ(d->Edit_Valeur->text().replace(',', '.'), "2.5");
        Ok(w);
    }));
    ASSERT_NE(A().Effets, nullptr);
    EXPECT_EQ(A().Effets->CoupVibrato, 250);
    EXPECT_FALSE(A().Effets->Vibrato);
    EXPECT_TRUE(P().Modifie);
}

TEST_F(Effets, CancelledStrokeOfVibratoLeavesTheBeatUnchanged)
{
    A().EffetsCrees().TremoloBar = true;
    ASSERT_TRUE(Avec("EffetAccord_CoupVB", "TFEffetCoupVB", Annuler));
    ASSERT_NE(A().Effets, nullptr);
    EXPECT_TRUE(A().Effets->TremoloBar);
    EXPECT_EQ(A().Effets->CoupVibrato, 0);
    EXPECT_FALSE(P().Modifie);
}

TEST_F(Effets, RestUnderTheCursorDisablesEffectsAndDynamicsButNotText)
{
    A().Etat = 2;
    A().ViderNotes();
    P().PlacerCurseur(P().Curseur);
    f->Actualiser(false);
    for (const char *n :
         {"EffetNote_BendType", "EffetNote_HOPO", "EffetNote_PickSlide", "EffetNote_LetRing",
          "EffetNote_Sugeree", "EffetAccord_Vibrato", "EffetAccord_TremoloBar",
          "EffetAccord_HarmN", "EffetAccord_HarmA", "EffetAccord_FadeIn", "EffetAccord_Tapping",
          "EffetAccord_Slap", "EffetAccord_Pop", "EffetNote_Appogiature", "EffetAccord_BrushUp",
          "EffetAccord_BrushDown", "EffetAccord_CoupVB", "Dynamic_ppp", "Dynamic_f",
          "Dynamic_fff", "Dynamic_SetDefault"})
        EXPECT_FALSE(f->Action(n)->isEnabled()) << n;
    EXPECT_TRUE(f->Action("Accord_Texte")->isEnabled());
    // The editors' shortcuts do nothing there either.
    auto fait = QuandDialogue("TFEffetBend", Annuler, 10);
    QTest::keyClick(f->ChampClavier(), Qt::Key_B);
    QTest::qWait(150); // the watch for the dialog runs out here, not in a later test
    EXPECT_FALSE(*fait);
}

TEST_F(Effets, TupletMenuChoiceBecomesTheToolButtonTuplet)
{
    auto *bouton = f->findChild<QToolButton *>("BT_Triolet");
    ASSERT_NE(bouton, nullptr);
    ASSERT_NE(bouton->menu(), nullptr) << "the tuplet type drop-down";
    EXPECT_EQ(bouton->defaultAction(), f->Action("Duree_Accord_Triolet_3"));
    f->Action("Duree_Accord_Triolet_5_2")->trigger();
    EXPECT_EQ(A().Triolet, 5);
    EXPECT_EQ(bouton->defaultAction(), f->Action("Duree_Accord_Triolet_5"));
    EXPECT_TRUE(bouton->isChecked());
    bouton->click(); // on a beat with a tuplet it toggles that tuplet off
    EXPECT_EQ(A().Triolet, 1);
    EXPECT_EQ(bouton->defaultAction(), f->Action("Duree_Accord_Triolet_5"));
    EXPECT_FALSE(bouton->isChecked());
    bouton->click(); // and a beat without one takes the last chosen
    EXPECT_EQ(A().Triolet, 5);
    EXPECT_EQ(A().Duree, 384);
}

TEST_F(Effets, NoteDurationButtonFollowsTheNote)
{
    auto *bouton = f->findChild<QToolButton *>("BT_DureeNote");
    ASSERT_NE(bouton, nullptr);
    N().CodeDuree = 2;
    f->Actualiser(false);
    EXPECT_EQ(bouton->defaultAction(), f->Action("Duree_Note_DCroche"));
    A().Etat = 2;
    A().ViderNotes();
    f->Actualiser(false);
    EXPECT_FALSE(bouton->isEnabled()) << "no note under the cursor";
}

TEST_F(Effets, EveryToolButtonHasAPictureAndItsCaptionAsTooltip)
{
    int boutons = 0;
    for (QToolBar *t : f->findChildren<QToolBar *>())
        for (QAction *a : t->actions()) {
            if (a->isSeparator() || !t->widgetForAction(a) ||
                !qobject_cast<QToolButton *>(t->widgetForAction(a)) || a->objectName().isEmpty())
                continue;
            const rCommande *c = Commande(a->objectName().toStdString());
            if (!c)
                continue;
            ++boutons;
            EXPECT_FALSE(a->icon().isNull()) << c->Nom;
            QString legende = a->text().remove('&');
            if (legende.endsWith("..."))
                legende.chop(3);
            EXPECT_TRUE(a->toolTip().startsWith(legende)) << c->Nom << " " << a->toolTip().toStdString();
        }
    EXPECT_GT(boutons, 60);
}

TEST(Icones, PaintedAtAnySizeWithoutBlankPictures)
{
    Application();
    for (const char *n : {"Duree_Accord_Croche", "Duree_Accord_Silence", "Duree_Accord_Triolet_5",
                          "EffetNote_BendType", "EffetAccord_Vibrato", "Dynamic_mf",
                          "Lecture_JouerPosEC", "Mesure_RenvDeb", "Fichier_Nouveau",
                          "Fichier_Ouvrir", "Fichier_Enregistrer"}) {
        const QIcon i = IconeCommande(n);
        ASSERT_FALSE(i.isNull()) << n;
        // Logical sizes on screens of ratio 1, 1.5 and 2: drawn at the device size, not scaled.
        for (auto [logique, ratio] : {std::pair{16, 1.0}, std::pair{24, 1.0}, std::pair{16, 1.5},
                                      std::pair{32, 2.0}}) {
            const int cote = static_cast<int>(logique * ratio);
            const QImage im = i.pixmap(QSize(logique, logique), ratio).toImage();
            EXPECT_EQ(im.width(), cote) << n << " at " << logique << " x " << ratio;
            int encre = 0;
            for (int y = 0; y < im.height(); ++y)
                for (int x = 0; x < im.width(); ++x)
                    encre += qAlpha(im.pixel(x, y)) > 128;
            EXPECT_GT(encre, cote * cote / 60) << n << " at " << cote;
        }
    }
    EXPECT_TRUE(IconeCommande("Fichier_Quitter").isNull());
}

namespace {
std::string LireOctets(const std::string &chemin)
{
    std::ifstream f(chemin, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

void EcrireOctets(const std::string &chemin, const std::string &octets)
{
    std::ofstream(chemin, std::ios::binary | std::ios::trunc) << octets;
}

QImage Peinte(const char *nom)
{
    return IconeCommande(nom).pixmap(QSize(21, 21)).toImage().convertToFormat(
        QImage::Format_ARGB32_Premultiplied);
}
} // namespace

TEST(Icones, KeptOnDiskForTheNextStartAndIgnoredWhenNotWhole)
{
    Application();
    const std::filesystem::path dossier =
        std::filesystem::temp_directory_path() / ("plec-icones-" + std::to_string(::getpid()));
    std::filesystem::remove_all(dossier);
    const std::string chemin = (dossier / "cache" / "icones.cache").string();

    ActiverCacheIcones(chemin);
    QPixmapCache::clear();
    const QImage croche = Peinte("Duree_Accord_Croche"), mf = Peinte("Dynamic_mf");
    EXPECT_EQ(NbIconesEnCache(), 2u);
    ASSERT_TRUE(EnregistrerCacheIcones());
    const std::string bon = LireOctets(chemin);
    ASSERT_FALSE(bon.empty());

    // The next start finds both, pixel for pixel.
    ActiverCacheIcones(chemin);
    EXPECT_EQ(NbIconesEnCache(), 2u);
    QPixmapCache::clear();
    EXPECT_EQ(Peinte("Duree_Accord_Croche"), croche);
    EXPECT_EQ(Peinte("Dynamic_mf"), mf);

    // Layout: magic (6), stamp length (4), stamp, count (4), then the entries.
    uint32_t lEmpreinte = 0;
    std::memcpy(&lEmpreinte, bon.data() + 6, 4);
    const std::size_t compte = 10 + lEmpreinte, entree = compte + 4;
    auto avec = [&](std::size_t pos, const std::string &octets) {
        std::string s = bon;
        s.replace(pos, octets.size(), octets);
        return s;
    };
    const struct {
        const char *Nom;
        std::string Octets;
    } abimes[] = {
        {"empty", ""},
        {"magic only", bon.substr(0, 6)},
        {"cut in the middle", bon.substr(0, bon.size() / 2)},
        {"one byte short", bon.substr(0, bon.size() - 1)},
        {"one byte more", bon + "x"},
        {"other magic", avec(0, "PLIC9")},
        {"other build or palette", avec(10, "#")},
        {"stamp longer than the file", avec(6, std::string("\xff\xff\xff\x7f", 4))},
        {"absurd count", avec(compte, std::string("\xff\xff\xff\xff", 4))},
        {"absurd name length", avec(entree, std::string("\xff\xff\x00\x00", 4))},
    };
    for (const auto &a : abimes) {
        EcrireOctets(chemin, a.Octets);
        ActiverCacheIcones(chemin);
        EXPECT_EQ(NbIconesEnCache(), 0u) << a.Nom;
        QPixmapCache::clear();
        EXPECT_EQ(Peinte("Duree_Accord_Croche"), croche) << a.Nom << ": painted again";
    }

    // Another palette paints other pixels: the kept ones do not serve.
    EcrireOctets(chemin, bon);
    const QPalette avant = QGuiApplication::palette();
    QPalette autre = avant;
    autre.setColor(QPalette::ButtonText, Qt::red);
    QGuiApplication::setPalette(autre);
    ActiverCacheIcones(chemin);
    EXPECT_EQ(NbIconesEnCache(), 0u);
    QGuiApplication::setPalette(avant);

    // A cache that cannot be written is only a cache: the failure is reported, nothing else.
    std::filesystem::create_directories(dossier);
    EcrireOctets((dossier / "fichier").string(), "x");
    ActiverCacheIcones((dossier / "fichier" / "icones.cache").string());
    QPixmapCache::clear();
    Peinte("Duree_Accord_Croche");
    EXPECT_FALSE(EnregistrerCacheIcones());

    ActiverCacheIcones("");
    QPixmapCache::clear();
    std::filesystem::remove_all(dossier);
}

TEST_F(Effets, TempoBoxArrowsStoreTheTempoButShowingItIsNoEdit)
{
    QSpinBox *t = f->BoiteTempo();
    ASSERT_NE(t, nullptr);
    P().Tempo = 400; // beyond the box, as a damaged file could give it
    f->MettreAJourTitre();
    EXPECT_EQ(P().Tempo, 400);
    EXPECT_FALSE(P().Modifie);
    P().Tempo = 120;
    f->MettreAJourTitre();
    t->stepUp();
    EXPECT_EQ(P().Tempo, 121);
    EXPECT_TRUE(P().Modifie);
}

// A command that has a handler can be reached: from a menu, or from a tool button of its own.
TEST_F(Effets, EveryCommandWithAHandlerIsInAMenuOrOnAToolbar)
{
    std::set<QAction *> atteintes;
    std::function<void(QMenu *)> parcourir = [&](QMenu *m) {
        for (QAction *a : m->actions()) {
            atteintes.insert(a);
            if (a->menu())
                parcourir(a->menu());
        }
    };
    for (QMenu *m : f->findChildren<QMenu *>())
        parcourir(m);
    for (QToolBar *t : f->findChildren<QToolBar *>())
        for (QAction *a : t->actions())
            atteintes.insert(a);
    for (const rCommande &c : TableCommandes()) {
        if (!f->ACommande(c.Nom))
            continue;
        QAction *a = f->Action(c.Nom);
        const std::string nom = c.Nom;
        // The tuplet button takes each tuplet's command in turn.
        if (nom.rfind("Duree_Accord_Triolet_", 0) == 0 && nom.find("_2") == std::string::npos)
            continue;
        // Reached through the go-to-marker menu's items, one per marker.
        if (nom == "Marker_AllerA")
            continue;
        EXPECT_TRUE(atteintes.count(a) || !a->isVisible()) << c.Nom;
        if (*c.Raccourci) {
            EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(c.Raccourci))) << c.Nom;
            EXPECT_TRUE(f->actions().contains(a)) << c.Nom << ": its key works anywhere in the window";
        }
    }
}

TEST_F(Effets, PlaybackSwitchesTheEditingCommandsOffAndTheCursorBringsThemBack)
{
    TLecture *l = TLecture::Instance();
    ASSERT_NE(l, nullptr);
    ASSERT_TRUE(f->Action("EffetNote_BendType")->isEnabled());
    l->LectureDemarree();
    for (const char *n : {"EffetNote_BendType", "EffetAccord_BrushUp", "EffetAccord_CoupVB",
                          "EffetNote_Appogiature", "Accord_Texte", "Duree_Accord_Triolet_3",
                          "Beat_1", "Edition_Couper", "Marker_Ajouter"})
        EXPECT_FALSE(f->Action(n)->isEnabled()) << n;
    EXPECT_FALSE(f->Menu("Menu_Effets")->isEnabled());
    EXPECT_FALSE(f->Menu("Menu_Triolet")->isEnabled());
    // A refresh while playing leaves them off.
    f->Actualiser(false);
    EXPECT_FALSE(f->Action("EffetNote_BendType")->isEnabled());
    EXPECT_FALSE(f->findChild<QToolButton *>("BT_Triolet")->isEnabled());
    l->LectureArretee();
    for (const char *n : {"EffetNote_BendType", "EffetAccord_BrushUp", "EffetAccord_CoupVB",
                          "EffetNote_Appogiature", "Accord_Texte", "Duree_Accord_Triolet_3",
                          "Beat_1", "Edition_Couper", "Marker_Ajouter"})
        EXPECT_TRUE(f->Action(n)->isEnabled()) << n;
    EXPECT_TRUE(f->Menu("Menu_Effets")->isEnabled());
}

TEST_F(Effets, ListenButtonsSoundWhateverThePlayWhileEnteringSetting)
{
    ASSERT_TRUE(CaptureActive);
    Config->JouerPendantSaisie = false;
    A().Notes[1]->Type = 1; // another note of the beat, not heard with the bend
    A().Notes[1]->Case = 3;
    JournalEnvironnement()->Vider();
    ASSERT_TRUE(Avec("EffetNote_BendType", "TFEffetBend", [](QWidget *w) {
        Bouton(w, "BT_Ecouter")->click();
        Annuler(w);
    }));
    // The note and the curve's pitch-wheel messages, spread over the note's length.
    for (int t = 0; t < 300 && (Messages('9') == 0 || Messages('e') < 3); ++t)
        QTest::qWait(10);
    EXPECT_EQ(Messages('9'), 1) << "the cursor note alone";
    EXPECT_GE(Messages('e'), 3);
    EXPECT_EQ(N().Effets, nullptr) << "the curve played was not left on the note";

    JournalEnvironnement()->Vider();
    Config->EcouterBrush = true;
    ASSERT_TRUE(Avec("EffetAccord_BrushUp", "TFEffetBrush", Annuler));
    // The brush spreads the two note-ons apart.
    for (int t = 0; t < 300 && Messages('9') < 2; ++t)
        QTest::qWait(10);
    EXPECT_EQ(Messages('9'), 2) << "the brush editor plays the whole beat when it appears";
}

TEST_F(Effets, EnterIsOkAndEscapeIsCancelInEveryEditor)
{
    Config->EcouterGraceNote = false;
    Config->EcouterBrush = false;
    struct {
        const char *Commande, *Dialogue;
        std::function<bool(Effets &)> Pose; // whether the effect is on the beat afterwards
    } cas[] = {
        {"EffetNote_BendType", "TFEffetBend",
         [](Effets &t) { return t.N().Effets && t.N().Effets->Bend; }},
        {"EffetNote_Appogiature", "TFEffetGraceNote",
         [](Effets &t) { return t.N().Effets && t.N().Effets->Appogiature; }},
        {"EffetAccord_BrushUp", "TFEffetBrush",
         [](Effets &t) { return t.A().Effets && t.A().Effets->BrushUp > 0; }},
        {"EffetAccord_CoupVB", "TFEffetCoupVB",
         [](Effets &t) { return t.A().Effets && t.A().Effets->CoupVibrato == 100; }},
    };
    for (auto &c : cas) {
        for (auto [touche, pose] : {std::pair{Qt::Key_Escape, false}, std::pair{Qt::Key_Return, true}}) {
            const Qt::Key k = touche;
            EXPECT_TRUE(Avec(c.Commande, c.Dialogue, [k](QWidget *w) {
                QTest::keyClick(w->focusWidget() ? w->focusWidget() : w, k);
                if (w->isVisible()) { // the key did not close it: fail, but do not hang
                    ADD_FAILURE() << "the key left the editor open";
                    static_cast<QDialog *>(w)->reject();
                }
            })) << c.Dialogue;
            EXPECT_EQ(c.Pose(*this), pose) << c.Dialogue << (pose ? " Enter" : " Escape");
        }
    }
}
