// The standard notation window's music: spelling in a key, positions, clicks.
#include <gtest/gtest.h>

#include "support/Invariants.h"
#include "support/Tablature.h"
#include "tools/uSolfege.h"

namespace {

TEST(Solfege, PitchesOnTheStaff)
{
    struct Cas {
        const char *nom;
        int hauteur, tonalite;
        int position, alteration;
    } cas[] = {
        // The open A string stands on the bass staff's top line, one octave above its sound.
        {"open A", 45, 0, 26, AltAucune},
        // G string fret 2 in the treble staff's second space.
        {"A3", 57, 0, 33, AltAucune},
        // The open high E in the treble staff's top space.
        {"open E", 64, 0, 37, AltAucune},
        // E major: D sharp is in the key, D natural needs its sign.
        {"D# in E major", 63, 4, 36, AltAucune},
        {"D in E major", 62, 4, 36, AltBecarre},
        // Keys 2..6 write C natural as B sharp, on the B below.
        {"C in D major", 60, 2, 34, AltDiese},
        {"C in F# major", 60, 6, 34, AltDiese},
        {"C in C# major", 60, 7, 34, AltAucune},
        // Flat keys: B flat is in F major; A flat needs a flat in it.
        {"Bb in F major", 58, -1, 34, AltAucune},
        {"Ab in F major", 56, -1, 33, AltBemol},
        // C flat major writes B as C flat, on the C above.
        {"B in Cb major", 59, -7, 35, AltAucune},
        {"C# in C major", 61, 0, 35, AltDiese},
    };
    for (const Cas &c : cas) {
        int alt = -1;
        EXPECT_EQ(PositionHauteur(c.hauteur, c.tonalite, alt), c.position) << c.nom;
        EXPECT_EQ(alt, c.alteration) << c.nom;
    }
}

TEST(Solfege, KeySignature)
{
    const char *noms[15] = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                            "G",  "D",  "A",  "E",  "B",  "F#", "C#"};
    for (int t = -7; t <= 7; ++t)
        EXPECT_STREQ(NomTonalite(t), noms[t + 7]);
    // A major: F#, C#, G# on the treble staff's top line, third space, the space above.
    EXPECT_EQ(PositionArmure(true, 3, 1), 38);
    EXPECT_EQ(PositionArmure(true, 3, 2), 35);
    EXPECT_EQ(PositionArmure(true, 3, 3), 39);
    EXPECT_EQ(PositionArmure(false, -2, 1), 20); // B flat on the bass staff's second line
    EXPECT_EQ(PositionArmure(false, -2, 2), 23);
    // What the key does to each step: D major sharpens F and C only.
    const int dMajeur[7] = {1, 0, 0, 1, 0, 0, 0};
    for (int e = 0; e < 7; ++e)
        EXPECT_EQ(AlterationArmure(e, 2), dMajeur[e]) << e;
    EXPECT_EQ(AlterationArmure(6, -1), -1);
    EXPECT_EQ(AlterationArmure(3, -7), -1);
    EXPECT_EQ(AlterationArmure(3, -6), 0);
}

TEST(Solfege, ClickedPitch)
{
    // Position 38 is F (written an octave up: F4 sounds).
    EXPECT_EQ(HauteurPosition(38, AltAucune, 0), 65);
    EXPECT_EQ(HauteurPosition(38, AltAucune, 1), 66) << "F sharp in G major";
    EXPECT_EQ(HauteurPosition(38, AltBecarre, 1), 65);
    EXPECT_EQ(HauteurPosition(38, AltDiese, 0), 66);
    EXPECT_EQ(HauteurPosition(38, AltBemol, 0), 64);
    EXPECT_EQ(HauteurPosition(26, AltAucune, 0), 45);
    EXPECT_EQ(PositionY(YPosition(26)), 26);
    EXPECT_EQ(PositionY(YPosition(26) + 1), 26);
    EXPECT_EQ(PositionY(YPosition(26) - 3), 27);
}

TEST(Solfege, NotesOfABeat)
{
    cPartition p;
    // E4 and F4 a second apart, then G4: the F steps right, the G does not.
    tab::Construire(p, {"q 1:0 2:6 3:12, q 1:1 2:x 4:~"});
    const cPiste &t = *p.PremierePiste;
    const cAccord &a = *t.PremiereMesurePiste->PremierAccord;
    auto notes = NotesSolfege(t, a, 0);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].Hauteur, 64);
    EXPECT_EQ(notes[0].X, XNote);
    EXPECT_EQ(notes[1].Hauteur, 65);
    EXPECT_EQ(notes[1].X, XNoteDecalee);
    EXPECT_EQ(notes[2].Hauteur, 67);
    EXPECT_EQ(notes[2].X, XNote);
    // Dead and tied notes are not shown.
    EXPECT_EQ(NotesSolfege(t, *a.Suivant, 0).size(), 1u);
}

TEST(Solfege, Clicks)
{
    cPartition p;
    tab::Construire(p, {"q 2:5 4:~, q 1:0 2:1 3:0 4:2 5:3 6:0"});
    const cPiste &t = *p.PremierePiste;
    cAccord &a = *t.PremiereMesurePiste->PremierAccord;
    // On the E4 shown: delete it.
    rClicSolfege c = ClicSolfege(t, a, 0, 37, AltAucune);
    EXPECT_EQ(c.Action, rClicSolfege::eAction::Supprimer);
    EXPECT_EQ(c.Corde, 2);
    // G4 goes on the empty string that takes it lowest: string 1 fret 3 (string 2 holds a note,
    // string 4 a tie that is never overwritten).
    c = ClicSolfege(t, a, 0, 39, AltAucune);
    EXPECT_EQ(c.Action, rClicSolfege::eAction::Saisir);
    EXPECT_EQ(c.Corde, 1);
    EXPECT_EQ(c.Case, 3);
    // D3 would be the open fourth string, which holds the tie: fret 5 of string 5 instead.
    c = ClicSolfege(t, a, 0, 29, AltAucune);
    EXPECT_EQ(c.Corde, 5);
    EXPECT_EQ(c.Case, 5);
    // Every string holds a note: nothing.
    EXPECT_EQ(ClicSolfege(t, *a.Suivant, 0, 45, AltAucune).Action, rClicSolfege::eAction::Rien);
    // Below the lowest string: nothing.
    EXPECT_EQ(ClicSolfege(t, a, 0, 5, AltAucune).Action, rClicSolfege::eAction::Rien);
}

TEST(Solfege, ClickChangesTheCursorBeat)
{
    cPartition p;
    tab::Construire(p, {"q 2:5, q 3:2"});
    rPosition c;
    c.NumTemps = 1;
    p.PlacerCurseur(c);
    rClicSolfege clic;
    clic.Action = rClicSolfege::eAction::Saisir;
    clic.Corde = 1;
    clic.Case = 3;
    ASSERT_TRUE(AppliquerClicSolfege(p, clic, 4));
    EXPECT_EQ(tab::Lire(*p.PremierePiste->PremiereMesurePiste), "q 1:3 2:5, q 3:2");
    EXPECT_EQ(p.Curseur.NumCorde, 1);
    EXPECT_EQ(p.Curseur.Note->Nuance, 4);
    // Deleting both notes of beat 1: another beat follows, so it becomes a rest.
    clic.Action = rClicSolfege::eAction::Supprimer;
    AppliquerClicSolfege(p, clic, 6);
    clic.Corde = 2;
    AppliquerClicSolfege(p, clic, 6);
    EXPECT_EQ(tab::Lire(*p.PremierePiste->PremiereMesurePiste), "q r, q 3:2");
    // The last beat of its measure becomes empty instead.
    c.NumTemps = 2;
    p.PlacerCurseur(c);
    clic.Corde = 3;
    AppliquerClicSolfege(p, clic, 6);
    EXPECT_EQ(tab::Lire(*p.PremierePiste->PremiereMesurePiste), "q r, q _");
    // A rest takes a clicked note and becomes normal.
    c.NumTemps = 1;
    p.PlacerCurseur(c);
    clic.Action = rClicSolfege::eAction::Saisir;
    clic.Corde = 6;
    clic.Case = 0;
    AppliquerClicSolfege(p, clic, 6);
    EXPECT_EQ(tab::Lire(*p.PremierePiste->PremiereMesurePiste), "q 6:0, q _");
    EXPECT_TRUE(ScoreCoherent(p));
}

} // namespace
