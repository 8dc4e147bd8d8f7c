// Editing operations at the cursor: measures, the clipboard, signatures, repeats, markers,
// tracks and beats, each checked against the model's invariants.
#include <gtest/gtest.h>

#include "model/uEdition.h"
#include "support/Invariants.h"

namespace {

// A score of `mesures` measures and `pistes` tracks; beat 1 of every track measure holds a
// note on string 1 whose fret tells where it was made: measure number + 40 × (track - 1).
std::unique_ptr<cPartition> Partition(int mesures, int pistes = 1)
{
    auto p = std::make_unique<cPartition>();
    p->Nouveau();
    for (int t = 2; t <= pistes; ++t)
        p->InsererPisteApres(nullptr);
    for (int m = 2; m <= mesures; ++m)
        p->InsererMesureApres(nullptr);
    for (int m = 1; m <= mesures; ++m)
        for (int t = 1; t <= pistes; ++t) {
            cAccord *a = p->MesurePisteDe(m, t)->PremierAccord;
            a->Etat = 1;
            a->Notes[1]->Type = 1;
            a->Notes[1]->Case = static_cast<uint8_t>(m + 40 * (t - 1));
        }
    return p;
}

// The marks of one track, measure by measure (0 for a measure without a note).
std::vector<int> Marques(const cPartition &p, int piste = 1)
{
    std::vector<int> r;
    for (const cMesurePiste *mp = p.PisteNumero(piste)->PremiereMesurePiste; mp;
         mp = mp->SuivanteDansPiste) {
        const cNote *n = mp->PremierAccord->Notes[1];
        r.push_back(n->Type == 1 ? n->Case : 0);
    }
    return r;
}

void Curseur(cPartition &p, int mesure, int piste = 1, int temps = 1)
{
    p.Curseur.NumMesure = mesure;
    p.Curseur.NumPiste = piste;
    p.Curseur.NumTemps = temps;
    p.PlacerCurseur(p.Curseur);
}

// ---------------------------------------------------------------- the clipboard

struct rCasCollage {
    const char *Nom;
    int Mesures;       // in the score
    int De, A;         // copied range
    int CurseurMesure; // where the paste happens
    eModeCollage Mode;
    int Fois;
    std::vector<int> Attendu; // marks of track 1 afterwards
};

class Collage : public ::testing::TestWithParam<rCasCollage> {};

TEST_P(Collage, SingleTrackAndWholeScoreGiveTheSameMeasures)
{
    const rCasCollage &c = GetParam();
    for (bool toutes : {false, true}) {
        SCOPED_TRACE(toutes ? "whole score" : "single track");
        auto p = Partition(c.Mesures, 2);
        cPartition pp;
        Curseur(*p, c.De, 1);
        CopierMesures(*p, pp, c.De, c.A, toutes);
        ASSERT_TRUE(ScoreCoherent(pp));
        EXPECT_EQ(pp.NbMesures, c.A - c.De + 1);
        EXPECT_EQ(pp.NbPistes, toutes ? 2 : 1);
        Curseur(*p, c.CurseurMesure, 1, 1);
        EXPECT_EQ(CollerMesures(*p, pp, c.Mode, c.Fois), "");
        EXPECT_TRUE(ScoreCoherent(*p));
        EXPECT_EQ(Marques(*p), c.Attendu);
        EXPECT_EQ(p->Curseur.NumTemps, 1);
        // Track 2 receives the clipboard only from a whole-score copy.
        const std::vector<int> m2 = Marques(*p, 2);
        for (std::size_t i = 0; i < c.Attendu.size(); ++i) {
            const int attendu2 = toutes ? (c.Attendu[i] ? c.Attendu[i] + 40 : 0)
                                        : -1;
            if (attendu2 >= 0) {
                EXPECT_EQ(m2[i], attendu2) << "measure " << i + 1;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Edition, Collage,
    ::testing::Values(
        // Three pastes of two measures at the second-to-last measure: four are appended.
        rCasCollage{"SelectionAppendsWhatIsMissing", 5, 1, 2, 4, eModeCollage::Selection, 3,
                    {1, 2, 3, 1, 2, 1, 2, 1, 2}},
        // Overwriting inside the score adds nothing.
        rCasCollage{"SelectionOverwrites", 5, 4, 5, 1, eModeCollage::Selection, 1,
                    {4, 5, 3, 4, 5}},
        // Before the cursor: the pasted bars push the rest right.
        rCasCollage{"BeforeInserts", 3, 3, 3, 2, eModeCollage::Avant, 2, {1, 3, 3, 2, 3}},
        rCasCollage{"BeforeTheFirstMeasure", 2, 2, 2, 1, eModeCollage::Avant, 1, {2, 1, 2}},
        // At the end, wherever the cursor is.
        rCasCollage{"AtTheEnd", 3, 1, 2, 2, eModeCollage::Fin, 2, {1, 2, 3, 1, 2, 1, 2}}),
    [](const auto &i) { return std::string(i.param.Nom); });

TEST(Collage, SignatureComesWithTheMeasureButNotRepeatsOrMarkers)
{
    auto p = Partition(3);
    cMesure *m1 = p->MesureNumero(1);
    m1->ChangerSignature(3, 8);
    m1->RenvoiDebut = true;
    m1->RenvoiFin = 2;
    p->AjouterMarker(m1, "Intro", 255);
    cPartition pp;
    CopierMesures(*p, pp, 1, 1, false);
    Curseur(*p, 3);
    ASSERT_EQ(CollerMesures(*p, pp, eModeCollage::Selection, 1), "");
    const cMesure *m3 = p->MesureNumero(3);
    EXPECT_EQ(m3->Numerateur, 3);
    EXPECT_EQ(m3->Denominateur, 8);
    EXPECT_EQ(m3->Longueur, 720);
    EXPECT_FALSE(m3->RenvoiDebut);
    EXPECT_EQ(m3->RenvoiFin, 0);
    EXPECT_EQ(m3->Marker, nullptr);
    EXPECT_EQ(p->NbMarkers, 1);
}

TEST(Collage, TracksThatDoNotFitAreRefusedAndNothingChanges)
{
    struct rCas {
        const char *Nom;
        bool Toutes;
        std::function<void(cPartition &)> Changer; // applied to the score after the copy
    };
    const rCas cas[] = {
        // A drum track receives no guitar bars.
        {"single track onto drums", false,
         [](cPartition &p) { p.PisteNumero(2)->Percussions = true; }},
        {"single track onto a bass", false,
         [](cPartition &p) {
             cPiste *t = p.PisteNumero(2);
             t->NbCordes = 4;
             t->ChangerNbCordes(6);
         }},
        // A whole-score paste checks every pair, not only the cursor's track.
        {"whole score, second track differs", true,
         [](cPartition &p) {
             cPiste *t = p.PisteNumero(2);
             t->NbCordes = 7;
             t->ChangerNbCordes(6);
         }},
    };
    for (const rCas &c : cas) {
        SCOPED_TRACE(c.Nom);
        auto p = Partition(3, 2);
        cPartition pp;
        Curseur(*p, 1, 1);
        CopierMesures(*p, pp, 1, 2, c.Toutes);
        c.Changer(*p);
        Curseur(*p, 1, c.Toutes ? 1 : 2);
        const std::vector<int> avant = Marques(*p, 2);
        EXPECT_EQ(VerifierCollage(*p, pp), "Paste-CollageImpNbCordesDiff");
        EXPECT_EQ(CollerMesures(*p, pp, eModeCollage::Avant, 1), "Paste-CollageImpNbCordesDiff");
        EXPECT_EQ(p->NbMesures, 3);
        EXPECT_EQ(Marques(*p, 2), avant);
        EXPECT_TRUE(ScoreCoherent(*p));
    }
}

TEST(Collage, WholeScoreOntoFewerOrMoreTracksGoesTrackByTrack)
{
    auto p = Partition(2, 3);
    cPartition pp;
    CopierMesures(*p, pp, 1, 1, true);
    p->SupprimerPiste(p->PisteNumero(3));
    Curseur(*p, 2);
    ASSERT_EQ(CollerMesures(*p, pp, eModeCollage::Selection, 1), "");
    EXPECT_EQ(Marques(*p, 1), (std::vector<int>{1, 1}));
    EXPECT_EQ(Marques(*p, 2), (std::vector<int>{41, 41}));
    p->InsererPisteApres(nullptr);
    p->InsererPisteApres(nullptr);
    ASSERT_EQ(CollerMesures(*p, pp, eModeCollage::Fin, 1), "");
    EXPECT_EQ(Marques(*p, 3), (std::vector<int>{0, 0, 81}));
    EXPECT_EQ(Marques(*p, 4), (std::vector<int>{0, 0, 0}));
    EXPECT_TRUE(ScoreCoherent(*p));
}

TEST(Collage, TheMeasureLimitIsCheckedBeforeAnythingChanges)
{
    auto p = Partition(1000);
    cPartition pp;
    CopierMesures(*p, pp, 1, 5, false);
    Curseur(*p, 990);
    const std::vector<int> avant = Marques(*p);
    // 990 + 5 × 7 - 1 = 1024 fits exactly; one more paste does not.
    EXPECT_EQ(MesuresAjoutees(*p, pp, eModeCollage::Selection, 7), 24);
    EXPECT_EQ(CollerMesures(*p, pp, eModeCollage::Selection, 8), "Gene-MaxMesures");
    EXPECT_EQ(p->NbMesures, 1000);
    EXPECT_EQ(Marques(*p), avant);
    EXPECT_EQ(CollerMesures(*p, pp, eModeCollage::Avant, 5), "Gene-MaxMesures");
    EXPECT_EQ(CollerMesures(*p, pp, eModeCollage::Selection, 7), "");
    EXPECT_EQ(p->NbMesures, MaxMesures);
    EXPECT_TRUE(ScoreCoherent(*p));
    // At the limit a plain insert is refused too.
    EXPECT_FALSE(InsererMesure(*p));
    EXPECT_EQ(p->NbMesures, MaxMesures);
    EXPECT_EQ(CollerMesures(*p, pp, eModeCollage::Fin, 1), "Gene-MaxMesures");
}

TEST(Collage, EmptyClipboardDoesNothing)
{
    auto p = Partition(2);
    cPartition pp;
    EXPECT_EQ(CollerMesures(*p, pp, eModeCollage::Fin, 3), "");
    EXPECT_EQ(p->NbMesures, 2);
}

TEST(Copie, CopyingAnotherTracksMeasureNeverChangesTheTargetsStringCount)
{
    auto p = Partition(2, 2);
    cPiste *sept = p->PisteNumero(2);
    sept->NbCordes = 7;
    sept->ChangerNbCordes(6);
    cAccord *a = p->MesurePisteDe(1, 2)->PremierAccord;
    a->Notes[7]->Type = 1; // only a note on the string the target lacks
    a->Notes[1]->Type = 0;
    p->MesurePisteDe(1, 2)->CopierVers(*p->MesurePisteDe(2, 1));
    EXPECT_EQ(p->PisteNumero(1)->NbCordes, 6);
    EXPECT_TRUE(ScoreCoherent(*p));
    // The copy lost its only note: a rest.
    EXPECT_EQ(p->MesurePisteDe(2, 1)->PremierAccord->Etat, 2);
}

TEST(Copie, ClipboardTracksTakeTheCopiedTracksShape)
{
    auto p = Partition(3, 2);
    cPiste *basse = p->PisteNumero(2);
    basse->NbCordes = 4;
    basse->Accordage = AccordageParDefaut(4);
    basse->ChangerNbCordes(6);
    basse->Percussions = true;
    cPartition pp;
    Curseur(*p, 1, 2);
    CopierMesures(*p, pp, 2, 3, false);
    ASSERT_EQ(pp.NbPistes, 1);
    EXPECT_EQ(pp.PremierePiste->NbCordes, 4);
    EXPECT_TRUE(pp.PremierePiste->Percussions);
    EXPECT_EQ(Marques(pp), (std::vector<int>{42, 43}));
    EXPECT_TRUE(ScoreCoherent(pp));
    // A second copy replaces the first entirely.
    CopierMesures(*p, pp, 1, 1, true);
    EXPECT_EQ(pp.NbPistes, 2);
    EXPECT_EQ(pp.NbMesures, 1);
    EXPECT_TRUE(ScoreCoherent(pp));
}

// ---------------------------------------------------------------- cut and clear

TEST(Couper, EveryMeasureLeavesOneFreshMeasure)
{
    auto p = Partition(4, 2);
    p->MesureNumero(1)->ChangerSignature(3, 4);
    p->AjouterMarker(p->MesureNumero(2), "A", 1);
    p->MesureNumero(1)->RenvoiDebut = true;
    cPartition pp;
    Curseur(*p, 3, 2);
    CouperMesures(*p, pp, 1, 4);
    EXPECT_TRUE(ScoreCoherent(*p));
    ASSERT_EQ(p->NbMesures, 1);
    const cMesure *m = p->PremiereMesure;
    EXPECT_EQ(m->Numerateur, 4);
    EXPECT_EQ(m->Denominateur, 4);
    EXPECT_FALSE(m->RenvoiDebut);
    EXPECT_EQ(p->NbMarkers, 0);
    EXPECT_EQ(Marques(*p), std::vector<int>{0});
    EXPECT_EQ(p->Curseur.NumMesure, 1);
    EXPECT_EQ(p->Curseur.NumPiste, 2);
    EXPECT_EQ(pp.NbMesures, 4);
    EXPECT_EQ(Marques(pp, 2), (std::vector<int>{41, 42, 43, 44}));
}

TEST(Couper, ARangeTakesItsMarkersAndTheCursorStaysInTheScore)
{
    auto p = Partition(5);
    p->AjouterMarker(p->MesureNumero(1), "A", 1);
    p->AjouterMarker(p->MesureNumero(4), "B", 1);
    p->AjouterMarker(p->MesureNumero(5), "C", 1);
    cPartition pp;
    Curseur(*p, 5);
    CouperMesures(*p, pp, 3, 4);
    EXPECT_TRUE(ScoreCoherent(*p));
    EXPECT_EQ(Marques(*p), (std::vector<int>{1, 2, 5}));
    EXPECT_EQ(p->NbMarkers, 2);
    EXPECT_EQ(p->PremierMarker->Suivant->Nom, "C");
    EXPECT_EQ(p->Curseur.NumMesure, 3) << "beyond the last: the last";
    EXPECT_EQ(pp.NbPistes, 1);
    EXPECT_EQ(pp.NbMarkers, 0) << "markers are not copied";
}

TEST(Effacer, CurrentTrackOrAllTracks)
{
    auto p = Partition(4, 2);
    p->MesureNumero(1)->ChangerSignature(6, 8);
    p->MesureNumero(2)->ChangerSignature(6, 8);
    p->MesureNumero(3)->ChangerSignature(2, 4);
    p->MesureNumero(3)->RenvoiFin = 3;
    p->AjouterMarker(p->MesureNumero(2), "A", 1);
    p->AjouterMarker(p->MesureNumero(3), "B", 1);
    Curseur(*p, 3, 2, 1);

    EffacerMesures(*p, 2, 3, false);
    EXPECT_TRUE(ScoreCoherent(*p));
    EXPECT_EQ(Marques(*p, 1), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Marques(*p, 2), (std::vector<int>{41, 0, 0, 44}));
    EXPECT_EQ(p->MesurePisteDe(2, 2)->PremierAccord->Etat, 0);
    EXPECT_EQ(p->MesureNumero(3)->RenvoiFin, 3) << "headers stay";
    EXPECT_EQ(p->NbMarkers, 2);

    EffacerMesures(*p, 3, 4, true);
    EXPECT_TRUE(ScoreCoherent(*p));
    EXPECT_EQ(Marques(*p, 1), (std::vector<int>{1, 2, 0, 0}));
    const cMesure *m3 = p->MesureNumero(3);
    EXPECT_EQ(m3->Numerateur, 6) << "the previous measure's signature";
    EXPECT_EQ(m3->Denominateur, 8);
    EXPECT_EQ(m3->RenvoiFin, 0);
    EXPECT_EQ(p->NbMarkers, 1);
    EXPECT_EQ(p->PremierMarker->Nom, "A");
    EXPECT_EQ(p->PremierMarker->Suivant, nullptr);
    EXPECT_EQ(p->Curseur.NumTemps, 1);
}

TEST(Plage, Validity)
{
    auto p = Partition(5);
    EXPECT_TRUE(PlageValide(*p, 1, 5));
    EXPECT_TRUE(PlageValide(*p, 3, 3));
    EXPECT_FALSE(PlageValide(*p, 0, 2));
    EXPECT_FALSE(PlageValide(*p, 3, 2));
    EXPECT_FALSE(PlageValide(*p, 4, 6));
}

TEST(InsererMesure, BeforeTheCursorWithThePreviousSignature)
{
    auto p = Partition(2);
    p->MesureNumero(1)->ChangerSignature(3, 4);
    p->MesureNumero(2)->ChangerSignature(3, 4);
    Curseur(*p, 1, 1, 1);
    // Before measure 1 there is no previous measure: 4/4.
    ASSERT_TRUE(InsererMesure(*p));
    EXPECT_EQ(p->MesureNumero(1)->Numerateur, 4);
    EXPECT_EQ(Marques(*p), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(p->Curseur.NumMesure, 1);
    Curseur(*p, 3);
    ASSERT_TRUE(InsererMesure(*p));
    EXPECT_EQ(p->MesureNumero(3)->Numerateur, 3);
    EXPECT_EQ(Marques(*p), (std::vector<int>{0, 1, 0, 2}));
    EXPECT_EQ(p->Curseur.MesurePiste, p->MesurePisteDe(3, 1));
    EXPECT_TRUE(ScoreCoherent(*p));
}

// ---------------------------------------------------------------- signatures and repeats

TEST(Signature, CursorMeasureOrUntilTheEnd)
{
    auto p = Partition(4);
    Curseur(*p, 2);
    ChangerSignature(*p, 7, 8, false);
    EXPECT_EQ(p->MesureNumero(2)->Longueur, 1680);
    EXPECT_EQ(p->MesureNumero(3)->Numerateur, 4);
    ChangerSignature(*p, 3, 4, true);
    for (int m : {2, 3, 4})
        EXPECT_EQ(p->MesureNumero(m)->Longueur, 1440) << m;
    EXPECT_EQ(p->MesureNumero(1)->Longueur, 1920);
    // Beats are left as they were.
    EXPECT_EQ(p->MesurePisteDe(3, 1)->NbAccords, 1);
    EXPECT_TRUE(SignatureValide(32, 1));
    EXPECT_TRUE(SignatureValide(1, 32));
    EXPECT_FALSE(SignatureValide(0, 4));
    EXPECT_FALSE(SignatureValide(33, 4));
    EXPECT_FALSE(SignatureValide(4, 3));
    EXPECT_FALSE(SignatureValide(4, 64));
}

TEST(Renvois, RepeatCloseBeforeASecondEndingTakesOneWithoutAsking)
{
    // |: 1 | 2 (ending 1) :| 3 (ending 2) |
    auto p = Partition(4);
    p->MesureNumero(1)->RenvoiDebut = true;
    p->MesureNumero(2)->Repetition = 1;
    p->MesureNumero(3)->Repetition = 2;
    Curseur(*p, 2);
    EXPECT_FALSE(PreparerRenvoiFin(*p));
    EXPECT_EQ(p->MesureNumero(2)->RenvoiFin, 1);
    // Again: removed.
    EXPECT_FALSE(PreparerRenvoiFin(*p));
    EXPECT_EQ(p->MesureNumero(2)->RenvoiFin, 0);
    // Before the first ending (measure 2 covers pass 1) the count is asked.
    Curseur(*p, 1);
    EXPECT_TRUE(PreparerRenvoiFin(*p));
    EXPECT_EQ(p->MesureNumero(1)->RenvoiFin, 0);
    PoserRenvoiFin(*p, 4);
    EXPECT_EQ(p->MesureNumero(1)->RenvoiFin, 4);
    // At the last measure there is no next one.
    Curseur(*p, 4);
    EXPECT_TRUE(PreparerRenvoiFin(*p));
    BasculerRenvoiDebut(*p);
    EXPECT_TRUE(p->MesureNumero(4)->RenvoiDebut);
    BasculerRenvoiDebut(*p);
    EXPECT_FALSE(p->MesureNumero(4)->RenvoiDebut);
}

TEST(Renvois, EndingNumbers)
{
    auto p = Partition(4);
    p->MesureNumero(1)->RenvoiDebut = true;
    p->MesureNumero(2)->Repetition = 2; // covers passes 1..2
    Curseur(*p, 3);
    EXPECT_EQ(PremierNumeroFinale(*p), 3);
    EXPECT_TRUE(FinaleValide(3, 3));
    EXPECT_TRUE(FinaleValide(3, 99));
    EXPECT_FALSE(FinaleValide(3, 2)) << "a last number below the first";
    EXPECT_FALSE(FinaleValide(1, 0));
    EXPECT_FALSE(FinaleValide(1, 100));
    PoserFinale(*p, 4);
    EXPECT_EQ(p->MesureNumero(3)->Repetition, 4);
    PoserFinale(*p, 0);
    EXPECT_EQ(p->MesureNumero(3)->Repetition, 0);
}

// ---------------------------------------------------------------- markers

TEST(Markers, ChainStaysInMeasureOrderAndMovesFollowIt)
{
    auto p = Partition(10);
    for (int m : {7, 2, 9, 4})
        p->AjouterMarker(p->MesureNumero(m), NomMarkerParDefaut(*p, "Section"), 255);
    EXPECT_TRUE(ScoreCoherent(*p));
    std::vector<std::pair<int, std::string>> chaine;
    for (const cMarker *k = p->PremierMarker; k; k = k->Suivant)
        chaine.emplace_back(k->Mesure->Index, k->Nom);
    EXPECT_EQ(chaine, (std::vector<std::pair<int, std::string>>{
                          {2, "Section 2"}, {4, "Section 4"}, {7, "Section 1"}, {9, "Section 3"}}));
    EXPECT_EQ(MesureMarkerNumero(*p, 1), 2);
    EXPECT_EQ(MesureMarkerNumero(*p, 3), 7);
    EXPECT_EQ(MesureMarkerNumero(*p, 5), 0);
    EXPECT_EQ(MesureMarkerNumero(*p, 0), 0);
    EXPECT_EQ(MesureMarkerPrecedent(*p, 7), 4);
    EXPECT_EQ(MesureMarkerPrecedent(*p, 2), 0);
    EXPECT_EQ(MesureMarkerSuivant(*p, 4), 7);
    EXPECT_EQ(MesureMarkerSuivant(*p, 9), 0);
    EXPECT_EQ(MesureMarkerSuivant(*p, 1), 2);

    p->SupprimerMarker(p->MesureNumero(4));
    p->SupprimerMarker(p->MesureNumero(2));
    p->AjouterMarker(p->MesureNumero(1), "Intro", 1);
    EXPECT_TRUE(ScoreCoherent(*p));
    EXPECT_EQ(p->PremierMarker->Nom, "Intro");
    EXPECT_EQ(MesureMarkerNumero(*p, 2), 7);
    EXPECT_EQ(p->NbMarkers, 3);
    EXPECT_EQ(NomMarkerParDefaut(*p, "Section"), "Section 4");

    Curseur(*p, 5, 1, 1);
    AllerMesure(*p, MesureMarkerSuivant(*p, 5));
    EXPECT_EQ(p->Curseur.NumMesure, 7);
    EXPECT_EQ(p->Curseur.NumTemps, 1);
    AllerMesure(*p, 0); // nothing there: the cursor stays
    EXPECT_EQ(p->Curseur.NumMesure, 7);
}

// ---------------------------------------------------------------- tracks

TEST(Pistes, AddAtEachPlaceWithItsShape)
{
    auto p = Partition(2, 2);
    Curseur(*p, 2, 2);
    struct rCas {
        ePlacePiste Place;
        int Numero; // the new track's number
    };
    for (const rCas c : {rCas{ePlacePiste::Premiere, 1}, rCas{ePlacePiste::Derniere, 3},
                         rCas{ePlacePiste::Avant, 2}, rCas{ePlacePiste::Apres, 3}}) {
        auto q = Partition(2, 2);
        Curseur(*q, 2, 2);
        rProprietesPiste v = ProprietesNouvellePiste(false, "Bass");
        v.NbCordes = 4;
        v.Accordage = AccordageParDefaut(4);
        cPiste *t = AjouterPiste(*q, c.Place, v, 3, 5, 6);
        ASSERT_NE(t, nullptr);
        EXPECT_TRUE(ScoreCoherent(*q));
        EXPECT_EQ(t->Index, c.Numero);
        EXPECT_EQ(q->Curseur.NumPiste, c.Numero);
        EXPECT_EQ(q->Curseur.NumMesure, 2);
        EXPECT_EQ(t->NbCordes, 4);
        EXPECT_EQ(t->Accordage[4], -1);
        EXPECT_EQ(t->Port, 3);
        EXPECT_EQ(t->Canal, 5);
        EXPECT_EQ(t->CanalEffets, 6);
        EXPECT_EQ(q->MesurePisteDe(1, c.Numero)->PremierAccord->NbNotes, 4);
        EXPECT_TRUE(t->EstVide());
    }
    rProprietesPiste d = ProprietesNouvellePiste(true, "Drums");
    d.NbCordes = 4; // ignored: drums have six strings tuned to 0
    cPiste *b = AjouterPiste(*p, ePlacePiste::Derniere, d, 1, 10, 10);
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->Percussions);
    EXPECT_EQ(b->NbCordes, 6);
    EXPECT_EQ(b->NbFrets, 87);
    EXPECT_EQ(b->Accordage[0], 0);
    EXPECT_EQ(b->Couleur, 0xFF0000);
    EXPECT_TRUE(ScoreCoherent(*p));
}

TEST(Pistes, LimitsOfAddAndDelete)
{
    auto p = Partition(1);
    EXPECT_FALSE(SupprimerPisteCurseur(*p)) << "the only track stays";
    EXPECT_EQ(p->NbPistes, 1);
    while (p->NbPistes < MaxPistes)
        ASSERT_NE(AjouterPiste(*p, ePlacePiste::Derniere, ProprietesNouvellePiste(false, "x"), 1,
                               1, 2),
                  nullptr);
    EXPECT_EQ(AjouterPiste(*p, ePlacePiste::Premiere, ProprietesNouvellePiste(false, "y"), 1, 1,
                           2),
              nullptr);
    EXPECT_EQ(p->NbPistes, MaxPistes);
    EXPECT_TRUE(ScoreCoherent(*p));
    // Deleting the last track moves the cursor to the previous one; another to the next.
    Curseur(*p, 1, MaxPistes);
    ASSERT_TRUE(SupprimerPisteCurseur(*p));
    EXPECT_EQ(p->Curseur.NumPiste, MaxPistes - 1);
    Curseur(*p, 1, 1);
    p->PisteNumero(2)->Nom = "second";
    ASSERT_TRUE(SupprimerPisteCurseur(*p));
    EXPECT_EQ(p->Curseur.NumPiste, 1);
    EXPECT_EQ(p->PisteNumero(1)->Nom, "second");
    EXPECT_TRUE(ScoreCoherent(*p));
}

TEST(Proprietes, TuningChangeAsksOnlyForATrackWithNotes)
{
    auto p = Partition(2, 2);
    p->MesurePisteDe(1, 2)->Vider();
    p->MesurePisteDe(2, 2)->Vider();
    rProprietesPiste v = ProprietesDe(*p->PisteNumero(2));
    v.Accordage[5] = 38; // drop D
    EXPECT_FALSE(QuestionTransposition(*p->PisteNumero(2), v));
    EXPECT_TRUE(QuestionTransposition(*p->PisteNumero(1), v));
    rProprietesPiste nom = ProprietesDe(*p->PisteNumero(1));
    nom.Nom = std::string(60, 'n');
    nom.Couleur = 0x123456;
    EXPECT_FALSE(QuestionTransposition(*p->PisteNumero(1), nom));
    AppliquerProprietes(*p, *p->PisteNumero(1), nom, false);
    EXPECT_EQ(p->PisteNumero(1)->Nom.size(), 40u);
    EXPECT_EQ(p->PisteNumero(1)->Couleur, 0x123456);
}

TEST(Proprietes, YesKeepsPitchesNoKeepsFrets)
{
    for (bool transposer : {true, false}) {
        auto p = Partition(1);
        cNote *n = p->MesurePisteDe(1, 1)->PremierAccord->Notes[1];
        n->Case = 5; // A4 on the E string
        rProprietesPiste v = ProprietesDe(*p->PremierePiste);
        v.Accordage[0] = 62; // D
        v.Capo = 1;
        AppliquerProprietes(*p, *p->PremierePiste, v, transposer);
        EXPECT_EQ(n->Case, transposer ? 6 : 5) << "64 + 5 = 62 + 1 + 6";
        EXPECT_EQ(p->PremierePiste->AccordageAvant[0], 64);
        EXPECT_EQ(p->PremierePiste->CapoAvant, 0);
    }
}

TEST(Proprietes, FewerStringsKeepTheCursorOnAString)
{
    auto p = Partition(1);
    Curseur(*p, 1);
    p->Curseur.NumCorde = 6;
    p->PlacerCurseur(p->Curseur);
    rProprietesPiste v = ProprietesDe(*p->PremierePiste);
    v.NbCordes = 4;
    v.Accordage = AccordageParDefaut(4);
    v.DouzeCordes = true; // only for six strings
    AppliquerProprietes(*p, *p->PremierePiste, v, false);
    EXPECT_TRUE(ScoreCoherent(*p));
    EXPECT_EQ(p->Curseur.NumCorde, 4);
    EXPECT_EQ(p->Curseur.Note, p->Curseur.Accord->Notes[4]);
    EXPECT_FALSE(p->PremierePiste->DouzeCordes);
    EXPECT_EQ(p->PremierePiste->Accordage[4], -1);
}

TEST(Proprietes, DrumTrackTakesNameAndColourOnly)
{
    auto p = Partition(1);
    cPiste *t = p->PremierePiste;
    t->Percussions = true;
    rProprietesPiste v = ProprietesDe(*t);
    v.Nom = "Kit";
    v.Couleur = 7;
    v.NbCordes = 4;
    EXPECT_FALSE(QuestionTransposition(*t, v));
    AppliquerProprietes(*p, *t, v, true);
    EXPECT_EQ(t->Nom, "Kit");
    EXPECT_EQ(t->Couleur, 7);
    EXPECT_EQ(t->NbCordes, 6);
}

// ---------------------------------------------------------------- beats

class Temps : public ::testing::Test {
protected:
    std::unique_ptr<cPartition> p = Partition(2);
    cMesurePiste *mp = nullptr;
    void SetUp() override
    {
        // Measure 1: an eighth-note triplet with a note, then a rest.
        mp = p->MesurePisteDe(1, 1);
        cAccord *a = mp->PremierAccord;
        a->CodeDuree = 1;
        a->Triolet = 3;
        a->Pointe = true;
        a->CalculerDuree();
        a->PropagerDuree();
        cAccord *r = mp->InsererAccordApres(a);
        r->Etat = 2;
        mp->CalculerDuree();
        Curseur(*p, 1, 1, 1);
    }
};

TEST_F(Temps, InsertPutsARestOfTheSameDurationBefore)
{
    const double avant = mp->DureeTotale;
    ASSERT_TRUE(InsererAccordCurseur(*p));
    EXPECT_TRUE(ScoreCoherent(*p));
    cAccord *r = mp->PremierAccord;
    EXPECT_EQ(r->Etat, 2);
    EXPECT_EQ(r->CodeDuree, 1);
    EXPECT_EQ(r->Triolet, 3);
    EXPECT_TRUE(r->Pointe);
    EXPECT_EQ(r->Notes[1]->DureeTicks, r->Duree);
    EXPECT_EQ(mp->DureeTotale, avant + r->Duree);
    EXPECT_EQ(p->Curseur.Accord, r);
    // Not on an empty beat.
    Curseur(*p, 2);
    mp = p->MesurePisteDe(2, 1);
    mp->PremierAccord->Etat = 0;
    mp->PremierAccord->Notes[1]->Type = 0;
    EXPECT_FALSE(InsererAccordCurseur(*p));
    EXPECT_EQ(mp->NbAccords, 1);
}

TEST_F(Temps, DeleteMovesOntoTheNextBeatAndEmptiesTheLast)
{
    cAccord *suivant = mp->PremierAccord->Suivant;
    ASSERT_TRUE(SupprimerAccordCurseur(*p));
    EXPECT_TRUE(ScoreCoherent(*p));
    EXPECT_EQ(mp->NbAccords, 1);
    EXPECT_EQ(p->Curseur.Accord, suivant);
    // The last beat is emptied, not deleted.
    ASSERT_TRUE(SupprimerAccordCurseur(*p));
    EXPECT_EQ(mp->NbAccords, 1);
    EXPECT_EQ(mp->PremierAccord->Etat, 0);
    EXPECT_TRUE(ScoreCoherent(*p));
}

TEST_F(Temps, CopyToTheEndIsDeepAndMovesRight)
{
    mp->PremierAccord->Texte = new cTexte;
    mp->PremierAccord->Texte->Texte = "riff";
    ASSERT_TRUE(CopierAccordALaFin(*p));
    EXPECT_TRUE(ScoreCoherent(*p));
    ASSERT_EQ(mp->NbAccords, 3);
    const cAccord *c = mp->DernierAccord();
    EXPECT_EQ(c->Notes[1]->Case, 1);
    EXPECT_EQ(c->Triolet, 3);
    ASSERT_NE(c->Texte, nullptr);
    EXPECT_NE(c->Texte, mp->PremierAccord->Texte);
    EXPECT_EQ(p->Curseur.NumTemps, 2);
}

TEST_F(Temps, LinkTiesEmptyStringsAfterPlayedOrTiedNotes)
{
    // Measure 1 ends with a rest: nothing to tie from it.
    Curseur(*p, 2);
    cAccord *b = p->MesurePisteDe(2, 1)->PremierAccord;
    b->Notes[1]->Type = 0;
    b->Etat = 0;
    EXPECT_FALSE(LierAccordCurseur(*p));
    EXPECT_EQ(b->Etat, 0);
    // After a beat with a played note on string 1, a tied one on 2 and a dead one on 3.
    cAccord *r = mp->DernierAccord();
    r->Etat = 1;
    r->Notes[1]->Type = 1;
    r->Notes[2]->Type = 2;
    r->Notes[3]->Type = 3;
    b->Notes[2]->Type = 0;
    b->Notes[1]->Nuance = 3;
    b->Notes[1]->EffetsCrees().LetRing = true;
    EXPECT_TRUE(LierAccordCurseur(*p));
    EXPECT_EQ(b->Etat, 1);
    EXPECT_EQ(b->Notes[1]->Type, 2);
    EXPECT_EQ(b->Notes[1]->Nuance, 6);
    EXPECT_EQ(b->Notes[1]->Effets, nullptr);
    EXPECT_EQ(b->Notes[2]->Type, 2);
    EXPECT_EQ(b->Notes[3]->Type, 0) << "a dead note does not ring on";
    EXPECT_TRUE(ScoreCoherent(*p));
    // The first beat of the score has nothing before it.
    Curseur(*p, 1);
    EXPECT_FALSE(LierAccordCurseur(*p));
}

TEST_F(Temps, TextIsCutAndAnEmptyOneRemoved)
{
    ChangerTexteAccord(*p, std::string(80, 't'));
    ASSERT_NE(mp->PremierAccord->Texte, nullptr);
    EXPECT_EQ(mp->PremierAccord->Texte->Texte.size(), 50u);
    ChangerTexteAccord(*p, "");
    EXPECT_EQ(mp->PremierAccord->Texte, nullptr);
}

// ---------------------------------------------------------------- tunings

TEST(Accordages, PresetsAndDefaults)
{
    const auto &t = PresetsAccordage();
    ASSERT_EQ(t.size(), 32u);
    // Stepping to 7 strings shows the 7-string guitar preset, to 5 the five-string bass.
    EXPECT_STREQ(t[PresetCorrespondant(7, AccordageParDefaut(7))].Nom,
                 "Guitar 7 strings : BEADGBE");
    EXPECT_STREQ(t[PresetCorrespondant(5, AccordageParDefaut(5))].Nom, "Bass 5 strings : BEADG");
    EXPECT_STREQ(t[PresetCorrespondant(6, AccordageParDefaut(6))].Nom,
                 "Guitar Standard : EADGBE");
    EXPECT_EQ(PresetCorrespondant(6, {64, 59, 55, 50, 45, 41, -1}), -1);
    EXPECT_EQ(CouleurParDefaut(5), 0x00FFFF);
    EXPECT_EQ(CouleurParDefaut(7), 255);
    int banjos = 0;
    for (const auto &x : t)
        banjos += PresetBanjo(x) ? 1 : 0;
    EXPECT_EQ(banjos, 5);
    EXPECT_EQ(NomHauteur(64), "E5");
    EXPECT_EQ(NomHauteur(61), "C#5");
    EXPECT_EQ(NomHauteur(0), "C0");
    EXPECT_EQ(NomHauteur(119), "B9");
}

} // namespace
