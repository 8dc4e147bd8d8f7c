// The score's chains, limits, resets and copies.
#include <gtest/gtest.h>

#include "model/uPartition.h"
#include "support/Invariants.h"

namespace {

class FauxUI : public iInterfacePartition {
public:
    int affichage = 0, canaux = 0, mixer = 0, titre = 0;
    std::vector<bool> enregistrer;
    cInformations defaut;
    void ActualiserAffichage() override { ++affichage; }
    void EtatEnregistrer(bool actif) override { enregistrer.push_back(actif); }
    void ActualiserCanaux() override { ++canaux; }
    void ActualiserMixer() override { ++mixer; }
    void ActualiserTitre() override { ++titre; }
    const cInformations *InformationsParDefaut() override { return &defaut; }
    std::string NomPisteParDefaut(int n) override { return "Piste " + std::to_string(n); }
};

TEST(Nouveau, NewScoreState)
{
    FauxUI ui;
    ui.defaut.Titre = "default title";
    ui.defaut.SousTitre = "default subtitle";
    ui.defaut.Auteur = "Moi";
    ui.defaut.TripletFeel = true;
    ui.defaut.AjouterNotice("line");
    cPartition p;
    p.Interface = &ui;
    p.Chemin = "/tmp/x.pl3";
    p.Nouveau();
    EXPECT_TRUE(ScoreCoherent(p));
    EXPECT_TRUE(p.Modifie);
    EXPECT_TRUE(p.Vierge);
    EXPECT_TRUE(p.Chemin.empty());
    EXPECT_EQ(p.Informations->Titre, "");
    EXPECT_EQ(p.Informations->SousTitre, "");
    EXPECT_EQ(p.Informations->Auteur, "Moi");
    EXPECT_TRUE(p.Informations->TripletFeel);
    EXPECT_EQ(p.Informations->Notice.size(), 1u);
    EXPECT_EQ(p.Tempo, 120);
    EXPECT_EQ(p.Tonalite, 0);
    for (int port = 1; port <= 4; ++port)
        for (int c = 1; c <= 16; ++c) {
            EXPECT_EQ(p.Canaux[port][c].Instrument, c == 10 ? -1 : 24);
            EXPECT_EQ(p.Canaux[port][c].Volume, 13);
            EXPECT_EQ(p.Canaux[port][c].Balance, 8);
        }
    ASSERT_EQ(p.NbPistes, 1);
    ASSERT_EQ(p.NbMesures, 1);
    const cPiste *t = p.PremierePiste;
    EXPECT_EQ(t->Nom, "Piste 1");
    EXPECT_EQ(t->Port, 1);
    EXPECT_EQ(t->Canal, 1);
    EXPECT_EQ(t->CanalEffets, 2);
    EXPECT_EQ(t->NbCordes, 6);
    EXPECT_EQ(t->Accordage[0], 64);
    EXPECT_EQ(t->Accordage[5], 40);
    EXPECT_EQ(t->Accordage[6], -1);
    const cMesure *m = p.PremiereMesure;
    EXPECT_EQ(m->Numerateur, 4);
    EXPECT_EQ(m->Denominateur, 4);
    EXPECT_EQ(m->Longueur, 1920);
    const cAccord *a = m->PremiereMesurePiste->PremierAccord;
    EXPECT_EQ(a->Etat, 0);
    EXPECT_EQ(a->CodeDuree, 0);
    EXPECT_EQ(a->Duree, 480);
    EXPECT_EQ(p.Curseur.NumMesure, 1);
    EXPECT_EQ(p.Curseur.Accord, a);
    EXPECT_EQ(p.Curseur.Note, a->Notes[1]);
    EXPECT_FALSE(p.SelectionActive);
    EXPECT_EQ(ui.enregistrer, std::vector<bool>{true});
    EXPECT_EQ(ui.affichage, 1);
    EXPECT_EQ(ui.canaux, 1);
    EXPECT_EQ(ui.mixer, 1);
    EXPECT_EQ(ui.titre, 1);
}

TEST(Nouveau, RunsAgainOnAFullScore)
{
    cPartition p;
    p.Nouveau();
    for (int i = 0; i < 5; ++i) {
        p.InsererPisteApres(nullptr);
        p.InsererMesureApres(nullptr);
    }
    p.AjouterMarker(p.MesureNumero(3), "Verse", 255);
    p.Nouveau();
    EXPECT_TRUE(ScoreCoherent(p));
    EXPECT_EQ(p.NbPistes, 1);
    EXPECT_EQ(p.NbMesures, 1);
    EXPECT_EQ(p.NbMarkers, 0);
}

TEST(Modifie, MarquerModifieAndEnregistre)
{
    FauxUI ui;
    cPartition p;
    p.Interface = &ui;
    p.Nouveau();
    ui.enregistrer.clear();
    p.MarquerModifie(); // pristine -> modified, not pristine
    EXPECT_TRUE(p.Modifie);
    EXPECT_FALSE(p.Vierge);
    p.MarquerModifie(); // already modified: nothing
    EXPECT_EQ(ui.enregistrer, std::vector<bool>{true});
    p.MarquerEnregistre();
    EXPECT_FALSE(p.Modifie);
    EXPECT_EQ(ui.enregistrer.back(), false);
    p.MarquerModifie();
    EXPECT_TRUE(p.Modifie);
    EXPECT_EQ(ui.enregistrer.back(), true);
}

// Puts a recognisable fret in beat 1 string 1 of every track measure: 10 * track + measure.
void Marquer(cPartition &p)
{
    int t = 0;
    for (cPiste *x = p.PremierePiste; x; x = x->Suivante) {
        ++t;
        int m = 0;
        for (cMesurePiste *mp = x->PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste) {
            ++m;
            mp->PremierAccord->Notes[1]->Case = static_cast<uint8_t>(10 * t + m);
        }
    }
}

int Fret(const cPartition &p, int m, int t)
{
    return p.MesurePisteDe(m, t)->PremierAccord->Notes[1]->Case;
}

TEST(Chaines, InsertMeasuresAndTracksEverywhere)
{
    cPartition p;
    p.Nouveau();
    p.InsererPisteApres(nullptr);
    p.InsererMesureApres(nullptr);
    Marquer(p); // m1: 11 21, m2: 12 22
    cMesure *m = p.InsererMesureAvant(p.MesureNumero(1)); // new head
    EXPECT_EQ(p.PremiereMesure, m);
    p.InsererMesureApres(p.MesureNumero(2)); // between
    cPiste *t = p.InsererPisteAvant(p.PisteNumero(1)); // new head track
    EXPECT_EQ(p.PremierePiste, t);
    p.InsererPisteApres(p.PisteNumero(2)); // between
    EXPECT_TRUE(ScoreCoherent(p));
    ASSERT_EQ(p.NbMesures, 4);
    ASSERT_EQ(p.NbPistes, 4);
    // Old content moved with its measure and track.
    EXPECT_EQ(Fret(p, 2, 2), 11);
    EXPECT_EQ(Fret(p, 4, 2), 12);
    EXPECT_EQ(Fret(p, 2, 4), 21);
    EXPECT_EQ(Fret(p, 4, 4), 22);
    EXPECT_EQ(Fret(p, 1, 1), 0);
    EXPECT_EQ(Fret(p, 3, 3), 0);
    // Deleting them again restores the layout.
    EXPECT_TRUE(p.SupprimerPiste(p.PisteNumero(1)));
    EXPECT_TRUE(p.SupprimerPiste(p.PisteNumero(2)));
    EXPECT_TRUE(p.SupprimerMesure(p.MesureNumero(1)));
    EXPECT_TRUE(p.SupprimerMesure(p.MesureNumero(2)));
    EXPECT_TRUE(ScoreCoherent(p));
    EXPECT_EQ(Fret(p, 1, 1), 11);
    EXPECT_EQ(Fret(p, 2, 1), 12);
    EXPECT_EQ(Fret(p, 1, 2), 21);
    EXPECT_EQ(Fret(p, 2, 2), 22);
    // The last measure and the last track are never deleted by the model.
    EXPECT_TRUE(p.SupprimerMesure(p.DerniereMesure()));
    EXPECT_FALSE(p.SupprimerMesure(p.DerniereMesure()));
    EXPECT_TRUE(p.SupprimerPiste(p.DernierePiste()));
    EXPECT_FALSE(p.SupprimerPiste(p.DernierePiste()));
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(Chaines, NewMeasureTakesThePreviousSignature)
{
    cPartition p;
    p.Nouveau();
    p.PremiereMesure->ChangerSignature(6, 8);
    cMesure *m = p.InsererMesureApres(nullptr);
    EXPECT_EQ(m->Numerateur, 6);
    EXPECT_EQ(m->Denominateur, 8);
    EXPECT_EQ(m->Longueur, 1440);
    cMesure *head = p.InsererMesureAvant(p.PremiereMesure);
    EXPECT_EQ(head->Numerateur, 4);
}

TEST(Chaines, BulkLoadingDefersIndexing)
{
    cPartition p;
    p.Nouveau();
    p.EnChargement = true;
    for (int i = 0; i < 9; ++i)
        p.InsererMesureApres(nullptr);
    EXPECT_EQ(p.MesureNumero(10), p.DerniereMesure()) << "lookups walk the chain meanwhile";
    p.EnChargement = false;
    p.IndexerMesures();
    p.IndexerPistes();
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(Limites, InsertionsPastALimitAreRefused)
{
    cPartition p;
    p.Nouveau();
    p.EnChargement = true;
    while (p.NbMesures < MaxMesures)
        ASSERT_NE(p.InsererMesureApres(nullptr), nullptr);
    EXPECT_EQ(p.InsererMesureApres(nullptr), nullptr);
    EXPECT_EQ(p.InsererMesureAvant(p.PremiereMesure), nullptr);
    p.EnChargement = false;
    p.IndexerMesures();
    p.IndexerPistes();
    EXPECT_EQ(p.NbMesures, MaxMesures);
    EXPECT_TRUE(ScoreCoherent(p));

    cPartition q;
    q.Nouveau();
    while (q.NbPistes < MaxPistes)
        ASSERT_NE(q.InsererPisteApres(nullptr), nullptr);
    EXPECT_EQ(q.InsererPisteAvant(q.PremierePiste), nullptr);
    EXPECT_EQ(q.NbPistes, MaxPistes);
    EXPECT_TRUE(ScoreCoherent(q));

    cMesurePiste *mp = q.PremiereMesure->PremiereMesurePiste;
    while (mp->NbAccords < MaxAccords)
        ASSERT_NE(mp->InsererAccordApres(nullptr), nullptr);
    EXPECT_EQ(mp->InsererAccordAvant(mp->PremierAccord), nullptr);
    EXPECT_EQ(mp->NbAccords, MaxAccords);

    cAccord *a = mp->PremierAccord;
    while (a->NbNotes < MaxCordes)
        ASSERT_NE(a->InsererNoteApres(nullptr), nullptr);
    EXPECT_EQ(a->InsererNoteAvant(a->PremiereNote), nullptr);
    EXPECT_EQ(a->NbNotes, MaxCordes);
}

TEST(Accords, InsertDeleteAndIndex)
{
    cPartition p;
    p.Nouveau();
    p.InsererMesureApres(nullptr);
    cMesurePiste *mp1 = p.MesurePisteDe(1, 1);
    cAccord *a1 = mp1->PremierAccord;
    a1->CodeDuree = 1;
    a1->Pointe = true;
    a1->Triolet = 3;
    a1->CalculerDuree();
    cAccord *a2 = mp1->InsererAccordApres(a1);
    EXPECT_EQ(a2->CodeDuree, 1) << "a new beat takes the previous beat's duration";
    EXPECT_TRUE(a2->Pointe);
    EXPECT_EQ(a2->Triolet, 3);
    EXPECT_EQ(a2->Duree, a1->Duree);
    EXPECT_EQ(a2->Etat, 0);
    EXPECT_EQ(a2->NbNotes, 6);
    cAccord *a0 = mp1->InsererAccordAvant(a1);
    EXPECT_EQ(mp1->PremierAccord, a0) << "no predecessor: the new beat is the head";
    EXPECT_EQ(a0->CodeDuree, 0) << "the head of measure 1 has no previous beat: quarter";
    mp1->CalculerDuree();
    // The first beat of measure 2 starts from the last beat of measure 1.
    cMesurePiste *mp2 = p.MesurePisteDe(2, 1);
    mp2->ReinitialiserAccord(*mp2->PremierAccord, 6);
    EXPECT_EQ(mp2->PremierAccord->CodeDuree, 1);
    mp2->CalculerDuree();
    EXPECT_EQ(mp1->Accords[1], a0);
    EXPECT_EQ(mp1->Accords[3], a2);
    EXPECT_EQ(mp1->TempsDepuisDebutMesure(a2), 480 + a1->Duree);
    EXPECT_TRUE(mp1->SupprimerAccord(a1));
    EXPECT_TRUE(mp1->SupprimerAccord(a0));
    EXPECT_FALSE(mp1->SupprimerAccord(a2)) << "a track measure keeps one beat";
    mp1->CalculerDuree();
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(Accords, ContientNotesSansSonAPitch)
{
    cPartition p;
    p.Nouveau();
    cMesurePiste *mp = p.PremiereMesure->PremiereMesurePiste;
    cAccord *a = mp->PremierAccord;
    cAccord *b = mp->InsererAccordApres(a);
    EXPECT_FALSE(mp->ContientNotes());
    b->Etat = 1;
    b->Notes[2]->Type = 1;
    EXPECT_FALSE(mp->ContientNotes()) << "first beat empty";
    a->Etat = 2;
    EXPECT_TRUE(mp->ContientNotes());
    EXPECT_FALSE(b->SansSon());
    b->Notes[2]->Type = 2; // only a tied note
    EXPECT_TRUE(b->SansSon());
    EXPECT_FALSE(a->SansSon()) << "a rest is not a normal beat";
    EXPECT_FALSE(b->APitch());
    b->Notes[3]->Type = 1;
    b->Notes[3]->EffetsCrees().Slide = true;
    EXPECT_TRUE(b->APitch());
    b->Notes[3]->Effets->Slide = false;
    b->Notes[3]->Effets->Bend = new cEffet_Bend;
    EXPECT_TRUE(b->APitch());
    b->Notes[3]->Type = 3;
    EXPECT_FALSE(b->APitch()) << "only normal notes carry pitch";
}

// A beat with every attachment and rich notes, for copies.
void Garnir(cAccord &a)
{
    a.Etat = 1;
    a.CodeDuree = 2;
    a.Triolet = 5;
    a.CalculerDuree();
    a.PropagerDuree();
    a.Diagramme = new cDiagramme;
    a.Diagramme->ChangerNom("Am7");
    a.Diagramme->Cases[0] = 3;
    a.Texte = new cTexte;
    a.Texte->Texte = "intro";
    a.EffetsCrees().BrushUp = 4;
    a.TableMix = new cTableMixEvent;
    a.TableMix->Volume = 9;
    a.TableMix->TransVolume = 2;
    cNote &n = *a.Notes[2];
    n.Type = 1;
    n.Case = 7;
    n.Sugeree = true;
    n.Nuance = 3;
    auto &e = n.EffetsCrees();
    e.Bend = new cEffet_Bend;
    e.Bend->Type = 2;
    e.Bend->Valeur = 100;
    e.Bend->AjouterForme(0, 0);
    e.Bend->AjouterForme(30, 100, 2);
    e.Bend->AjouterForme(60, 0);
    e.Appogiature = new cEffet_Appogiature;
    e.Appogiature->Case = 5;
    e.Appogiature->Transition = 3;
}

TEST(Copies, CopierVersIsDeep)
{
    cPartition p;
    p.Nouveau();
    p.InsererMesureApres(nullptr);
    cMesurePiste *src = p.MesurePisteDe(1, 1);
    Garnir(*src->PremierAccord);
    src->InsererAccordApres(nullptr);
    src->CalculerDuree();
    cMesurePiste *dst = p.MesurePisteDe(2, 1);
    src->CopierVers(*dst);
    EXPECT_TRUE(ScoreCoherent(p));
    ASSERT_EQ(dst->NbAccords, 2);
    EXPECT_EQ(dst->DureeTotale, src->DureeTotale);
    cAccord *a = dst->PremierAccord;
    cAccord *o = src->PremierAccord;
    EXPECT_EQ(a->Triolet, 5);
    EXPECT_EQ(a->Duree, o->Duree);
    ASSERT_NE(a->Diagramme, nullptr);
    EXPECT_NE(a->Diagramme, o->Diagramme);
    EXPECT_EQ(a->Diagramme->NomTexte(), "Am7");
    EXPECT_EQ(a->Diagramme->Cases[0], 3);
    EXPECT_EQ(a->Texte->Texte, "intro");
    EXPECT_EQ(a->Effets->BrushUp, 4);
    EXPECT_EQ(a->TableMix->Volume, 9);
    EXPECT_EQ(a->TableMix->TransVolume, 2);
    const cNote &n = *a->Notes[2];
    EXPECT_EQ(n.Case, 7);
    EXPECT_TRUE(n.Sugeree);
    EXPECT_EQ(n.Nuance, 3);
    ASSERT_NE(n.Effets, nullptr);
    EXPECT_NE(n.Effets, o->Notes[2]->Effets);
    EXPECT_EQ(n.Effets->Bend->NbFormes(), 3);
    EXPECT_EQ(n.Effets->Bend->PremiereForme->Suivante->Vibrato, 2);
    EXPECT_EQ(n.Effets->Appogiature->Transition, 3);
    // Changing the copy leaves the original alone.
    n.Effets->Bend->PremiereForme->Hauteur = 50;
    EXPECT_EQ(o->Notes[2]->Effets->Bend->PremiereForme->Hauteur, 0);
}

TEST(Reinitialiser, MeasureAndTrack)
{
    FauxUI ui;
    cPartition p;
    p.Interface = &ui;
    p.Nouveau();
    p.InsererMesureApres(nullptr);
    p.InsererPisteApres(nullptr);
    cMesure *m1 = p.MesureNumero(1);
    cMesure *m2 = p.MesureNumero(2);
    m1->ChangerSignature(3, 4);
    m2->RenvoiDebut = true;
    m2->RenvoiFin = 2;
    m2->Repetition = 1;
    p.AjouterMarker(m2, "Solo", 0xFF);
    Garnir(*p.MesurePisteDe(2, 1)->PremierAccord);
    p.ReinitialiserMesure(m2);
    EXPECT_EQ(m2->Numerateur, 3) << "the previous measure's signature";
    EXPECT_EQ(m2->Longueur, 1440);
    EXPECT_FALSE(m2->RenvoiDebut);
    EXPECT_EQ(m2->RenvoiFin, 0);
    EXPECT_EQ(m2->Repetition, 0);
    EXPECT_EQ(m2->Marker, nullptr);
    EXPECT_EQ(p.NbMarkers, 0);
    EXPECT_EQ(p.MesurePisteDe(2, 1)->NbAccords, 1);
    EXPECT_EQ(p.MesurePisteDe(2, 1)->PremierAccord->Diagramme, nullptr);
    EXPECT_TRUE(ScoreCoherent(p));

    cPiste *t = p.PisteNumero(2);
    t->Nom = "Bass";
    t->NbCordes = 4;
    t->ChangerNbCordes(6);
    t->Port = 3;
    t->Canal = 5;
    t->Solo = true;
    t->Visible = false;
    t->DouzeCordes = true;
    Garnir(*p.MesurePisteDe(1, 2)->PremierAccord);
    p.ReinitialiserPiste(t, true);
    EXPECT_EQ(t->Nom, "Bass");
    EXPECT_EQ(t->NbCordes, 4);
    EXPECT_EQ(t->Port, 3);
    EXPECT_FALSE(t->Solo);
    EXPECT_TRUE(t->Visible);
    EXPECT_EQ(p.MesurePisteDe(1, 2)->PremierAccord->Etat, 0);
    EXPECT_TRUE(ScoreCoherent(p));
    p.ReinitialiserPiste(t, false);
    EXPECT_EQ(t->Nom, "Piste 2");
    EXPECT_EQ(t->NbCordes, 6);
    EXPECT_EQ(t->Port, 1);
    EXPECT_EQ(t->Canal, 0);
    EXPECT_EQ(t->Couleur, 255);
    EXPECT_FALSE(t->DouzeCordes);
    EXPECT_TRUE(ScoreCoherent(p)) << "beats rebuilt with the restored string count";
}

TEST(Markers, ChainFollowsMeasureOrder)
{
    cPartition p;
    p.Nouveau();
    for (int i = 0; i < 5; ++i)
        p.InsererMesureApres(nullptr);
    p.AjouterMarker(p.MesureNumero(4), "C", 1);
    p.AjouterMarker(p.MesureNumero(1), "A", 2);
    p.AjouterMarker(p.MesureNumero(2), "B", 3);
    p.AjouterMarker(p.MesureNumero(6), "D", 4);
    p.AjouterMarker(p.MesureNumero(2), "B2", 5); // renames, no second marker
    EXPECT_TRUE(ScoreCoherent(p));
    std::string noms;
    for (cMarker *k = p.PremierMarker; k; k = k->Suivant)
        noms += k->Nom + " ";
    EXPECT_EQ(noms, "A B2 C D ");
    EXPECT_EQ(p.NbMarkers, 4);
    p.AjouterMarker(p.MesureNumero(3), std::string(150, 'x'), 0);
    EXPECT_EQ(p.MesureNumero(3)->Marker->Nom.size(), 100u);
    p.SupprimerMesure(p.MesureNumero(4)); // frees its marker
    p.SupprimerMarker(p.MesureNumero(1));
    EXPECT_TRUE(ScoreCoherent(p));
    EXPECT_EQ(p.NbMarkers, 3);
    // A marker chain broken by hand is rebuilt from the measures.
    p.PremierMarker = nullptr;
    p.ReconstruireMarkers();
    EXPECT_TRUE(ScoreCoherent(p));
    p.SupprimerMarkers();
    EXPECT_EQ(p.NbMarkers, 0);
    EXPECT_TRUE(ScoreCoherent(p));
}

TEST(Repetitions, FirstNumberOfAnAlternateEnding)
{
    // Each case: per measure (open, close, ending), and the first number expected for each
    // measure that carries an ending.
    struct M {
        bool open;
        int close, ending;
        int premier; // expected, for measures with an ending
    };
    const std::vector<std::vector<M>> cas = {
        // |: a | [1 b :| [2 c |   -> 1, 2
        {{true, 0, 0, 0}, {false, 1, 1, 1}, {false, 0, 2, 2}},
        // |: a | [1-2 b :| [3 c |  -> 1, 3
        {{true, 0, 0, 0}, {false, 2, 2, 1}, {false, 0, 3, 3}},
        // |: a | [1 b | c :| [2 d  -> the walk from d starts at c (its close is ignored),
        //   passes b's ending: 2
        {{true, 0, 0, 0}, {false, 0, 1, 1}, {false, 1, 0, 0}, {false, 0, 2, 2}},
        // a :| b | [1 c : a close other than the start stops the walk: 1
        {{false, 1, 0, 0}, {false, 0, 0, 0}, {false, 0, 1, 1}},
        // the walk stops at a repeat open, even one carrying an ending: 1
        {{true, 0, 3, 1}, {false, 0, 4, 1}},
        // no previous ending at all: 1
        {{false, 0, 0, 0}, {false, 0, 0, 0}, {false, 0, 5, 1}},
    };
    for (std::size_t k = 0; k < cas.size(); ++k) {
        cPartition p;
        p.Nouveau();
        for (std::size_t i = 1; i < cas[k].size(); ++i)
            p.InsererMesureApres(nullptr);
        for (std::size_t i = 0; i < cas[k].size(); ++i) {
            cMesure *m = p.MesureNumero(static_cast<int>(i) + 1);
            m->RenvoiDebut = cas[k][i].open;
            m->RenvoiFin = static_cast<int8_t>(cas[k][i].close);
            m->Repetition = static_cast<int8_t>(cas[k][i].ending);
        }
        for (std::size_t i = 0; i < cas[k].size(); ++i)
            if (cas[k][i].ending) {
                EXPECT_EQ(p.MesureNumero(static_cast<int>(i) + 1)->PremierNumeroRepetition(),
                          cas[k][i].premier)
                    << "case " << k << " measure " << i + 1;
            }
    }
}

TEST(Curseur, PlacerAndPositionClampIntoTheScore)
{
    cPartition p;
    p.Nouveau();
    p.InsererMesureApres(nullptr);
    p.InsererPisteApres(nullptr);
    cMesurePiste *mp = p.MesurePisteDe(2, 2);
    mp->InsererAccordApres(nullptr);
    rPosition pos;
    pos.NumMesure = 2;
    pos.NumPiste = 2;
    pos.NumTemps = 2;
    pos.NumCorde = 6;
    p.PlacerCurseur(pos);
    EXPECT_EQ(p.Curseur.MesurePiste, mp);
    EXPECT_EQ(p.Curseur.Accord, mp->Accords[2]);
    EXPECT_EQ(p.Curseur.Note, mp->Accords[2]->Notes[6]);
    pos.NumMesure = 99;
    pos.NumTemps = 99;
    pos.NumCorde = 9;
    p.PlacerCurseur(pos);
    EXPECT_EQ(p.Curseur.NumMesure, 2);
    EXPECT_EQ(p.Curseur.NumTemps, 2);
    EXPECT_EQ(p.Curseur.NumCorde, 6);
    // After the cursor's beat is deleted, PositionCurseur resolves a valid position again.
    mp->SupprimerAccord(mp->Accords[2]);
    rPosition r;
    p.PositionCurseur(r);
    EXPECT_EQ(r.NumTemps, 1);
    EXPECT_EQ(r.Accord, mp->PremierAccord);
}

TEST(Selection, EndWalksAcrossMeasuresAndStopsAtTheLast)
{
    cPartition p;
    p.Nouveau();
    p.InsererMesureApres(nullptr);
    cMesurePiste *m1 = p.MesurePisteDe(1, 1);
    cMesurePiste *m2 = p.MesurePisteDe(2, 1);
    for (int i = 0; i < 3; ++i)
        m1->InsererAccordApres(nullptr);
    m2->InsererAccordApres(nullptr);
    m1->CalculerDuree();
    rPosition a;
    a.NumMesure = 1;
    a.NumTemps = 3;
    p.Selectionner(a, 4); // beats 1.3 1.4 2.1 2.2
    EXPECT_TRUE(p.SelectionActive);
    EXPECT_EQ(p.SelTempsDebut, 960);
    EXPECT_EQ(p.SelFinMesurePiste, m2);
    EXPECT_EQ(p.SelFinNumMesure, 2);
    EXPECT_EQ(p.SelFinNumTemps, 2);
    EXPECT_EQ(p.SelFinAccord, m2->Accords[2]);
    p.Selectionner(a, 50); // past the end: stops at the last beat of the last measure
    EXPECT_EQ(p.SelFinNumMesure, 2);
    EXPECT_EQ(p.SelFinNumTemps, 2);
    p.EffacerSelection();
    EXPECT_FALSE(p.SelectionActive);
}

TEST(Informations, CopyAndNoticeCut)
{
    cInformations a, b;
    a.Titre = "T";
    a.Droits = "(c)";
    a.AjouterNotice(std::string(300, 'n'));
    a.TripletFeel = true;
    a.CopierVers(b);
    EXPECT_EQ(b.Titre, "T");
    EXPECT_EQ(b.Droits, "(c)");
    ASSERT_EQ(b.Notice.size(), 1u);
    EXPECT_EQ(b.Notice[0].size(), 255u);
    EXPECT_TRUE(b.TripletFeel);
}

TEST(Diagramme, DefaultsAndName)
{
    cDiagramme d;
    EXPECT_TRUE(d.Diese);
    EXPECT_EQ(d.Fondamentale, 12);
    EXPECT_EQ(d.PremiereCase, 1);
    for (int c : d.Cases)
        EXPECT_EQ(c, -1);
    for (bool o : d.Omis)
        EXPECT_TRUE(o);
    EXPECT_EQ(d.NbBarres, 0);
    d.ChangerNom("A very long chord name indeed");
    EXPECT_EQ(d.NomTexte(), "A very long chord na");
    EXPECT_EQ(d.NomLongueur, 20);
    d.ChangerNom("E");
    EXPECT_EQ(d.NomTexte(), "E");
    EXPECT_EQ(d.Nom[1], 0) << "the unused tail is zero";
}

} // namespace
