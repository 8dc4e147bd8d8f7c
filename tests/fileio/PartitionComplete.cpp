#include "fileio/PartitionComplete.h"

#include <string>

#include "chords/uListeAccordsImpression.h"
#include "model/uPartition.h"

namespace {
// Beat i (1-based) of a track measure, appended as needed.
cAccord &Temps(cMesurePiste &mp, int i)
{
    cAccord *a = mp.PremierAccord;
    for (int k = 1; k < i; ++k)
        a = a->Suivant ? a->Suivant : mp.InsererAccordApres(a);
    return *a;
}

// Durations of every beat and note from their symbolic fields, then the measure total.
void Finir(cMesurePiste &mp)
{
    for (cAccord *a = mp.PremierAccord; a; a = a->Suivant) {
        a->CalculerDuree();
        a->PropagerDuree();
        for (cNote *n = a->PremiereNote; n; n = n->Suivante)
            if (n->DureePropre)
                n->CalculerDuree();
    }
    mp.CalculerDuree();
}

cNote &Jouer(cAccord &a, int corde, int fret, uint8_t type = 1)
{
    a.Etat = 1;
    cNote &n = *a.Notes[corde];
    n.Type = type;
    n.Case = static_cast<uint8_t>(fret);
    return n;
}

void Frets(rDiagramme &d, std::initializer_list<int> cases)
{
    int i = 0;
    for (int c : cases)
        d.Cases[i++] = c;
}

std::string Repete(const std::string &motif, std::size_t n)
{
    std::string s;
    while (s.size() < n)
        s += motif;
    return s.substr(0, n);
}
} // namespace

void ConstruirePartitionComplete(cPartition &p, cListeAccordsImpression &liste)
{
    p.Nouveau();
    cInformations &i = *p.Informations;
    i.Titre = "Complete \xE9t\xE9 score";
    i.SousTitre = "every field";
    i.Artiste = Repete("Artist ", 255);
    i.Album = "Album";
    i.Auteur = "Author";
    i.Droits = "(c) nobody";
    i.Tab = "Tabbed by a test";
    i.Instructions = "Play it \"loud\"";
    i.AjouterNotice("First notice line");
    i.AjouterNotice("");
    i.AjouterNotice(Repete("long line ", 255));
    i.TripletFeel = true;
    p.Tempo = 97;
    p.Tonalite = -3;
    p.Canaux[1][1] = rCanalMidi{30, 16, 0, 3, 4, 5, 6, {0, 0}};
    p.Canaux[2][5].Instrument = 0;
    p.Canaux[4][16] = rCanalMidi{127, 0, 16, 16, 16, 16, 16, {0, 0}};

    // Tracks: guitar, 7 strings, drums, twelve-string, banjo, 4-string bass.
    cPiste *guitare = p.PremierePiste;
    guitare->Nom = Repete("Lead guitar ", 40);
    guitare->Capo = 2;
    guitare->NbFrets = 22;
    guitare->Couleur = 0x00FF00;

    cPiste *sept = p.InsererPisteApres(guitare);
    sept->Nom = "Seven";
    sept->NbCordes = 7;
    sept->Accordage = {64, 59, 55, 50, 45, 40, 35};
    sept->Port = 2;
    sept->Canal = 3;
    sept->CanalEffets = 4;
    sept->ChangerNbCordes(6);

    cPiste *batterie = p.InsererPisteApres(sept);
    batterie->Nom = "Drums";
    batterie->Percussions = true;
    batterie->Canal = 10;
    batterie->CanalEffets = 10;
    batterie->Accordage = {0, 0, 0, 0, 0, 0, -1};
    batterie->NbFrets = 87;

    cPiste *douze = p.InsererPisteApres(batterie);
    douze->Nom = "Twelve";
    douze->DouzeCordes = true;
    douze->Port = 4;
    douze->Canal = 16;
    douze->CanalEffets = 15;

    cPiste *banjo = p.InsererPisteApres(douze);
    banjo->Nom = "Banjo";
    banjo->Banjo5 = true;
    banjo->NbCordes = 5;
    banjo->Accordage = {62, 59, 55, 50, 67, -1, -1};
    banjo->ChangerNbCordes(6);

    cPiste *basse = p.InsererPisteApres(banjo);
    basse->Nom = "";
    basse->NbCordes = 4;
    basse->Accordage = {43, 38, 33, 28, -1, -1, -1};
    basse->Couleur = 0x00FFFF;
    basse->ChangerNbCordes(6);

    // Measures: 3/4 with repeat open, 3/4 closing the repeat with an ending and a marker,
    // 6/8 with the second ending, 2/8, then an empty 4/4 measure.
    cMesure *m1 = p.PremiereMesure;
    m1->ChangerSignature(3, 4);
    m1->RenvoiDebut = true;
    cMesure *m2 = p.InsererMesureApres(m1);
    m2->RenvoiFin = 3;
    m2->Repetition = 1;
    p.AjouterMarker(m2, Repete("Verse ", 100), 0x0000FF);
    cMesure *m3 = p.InsererMesureApres(m2);
    m3->ChangerSignature(6, 8);
    m3->Repetition = 2;
    p.AjouterMarker(m3, "", 0);
    cMesure *m4 = p.InsererMesureApres(m3);
    m4->ChangerSignature(2, 8);
    m4->RenvoiDebut = true;
    m4->RenvoiFin = 1;
    cMesure *m5 = p.InsererMesureApres(m4);
    m5->ChangerSignature(4, 4);

    // Guitar, measure 1: every note field and effect.
    {
        cMesurePiste &mp = *p.MesurePisteDe(1, 1);
        cAccord &a1 = Temps(mp, 1);
        a1.CodeDuree = 1;
        a1.Pointe = true;
        Jouer(a1, 1, 0);                      // mirrors the beat's dotted flag
        Jouer(a1, 2, 12).Nuance = 1;          // ppp
        cNote &fantome = Jouer(a1, 3, 99);
        fantome.Sugeree = true;
        fantome.Nuance = 8;
        Jouer(a1, 4, 255, 3);                 // dead
        cNote &propre = Jouer(a1, 5, 7);
        propre.DureePropre = true;
        propre.CodeDuree = 3;
        propre.Pointe = false;
        propre.Triolet = 5;
        // Grace note on a string without a main note.
        cEffet_Appogiature *g = new cEffet_Appogiature;
        g->Case = 255;
        g->Nuance = 3;
        g->Transition = 3;
        g->Duree = 2;
        a1.Notes[6]->EffetsCrees().Appogiature = g;

        cAccord &a2 = Temps(mp, 2);
        a2.CodeDuree = 2;
        a2.Triolet = 3;
        cNote &bend = Jouer(a2, 1, 5);
        cEffet_Bend *b = new cEffet_Bend;
        b->Type = 3;
        b->Valeur = 150;
        b->AjouterForme(0, 0);
        b->AjouterForme(15, 150, 2);
        b->AjouterForme(30, 150, 3);
        b->AjouterForme(45, 0, 1);
        b->AjouterForme(60, 0);
        bend.EffetsCrees().Bend = b;
        Jouer(a2, 2, 3).EffetsCrees().HammerPullOff = true;
        Jouer(a2, 3, 4).EffetsCrees().Slide = true;
        cNote &lr = Jouer(a2, 4, 2);
        lr.EffetsCrees().LetRing = true;
        cEffet_Appogiature *g2 = new cEffet_Appogiature;
        g2->Case = 1;
        g2->Nuance = 6;
        g2->Transition = 1;
        g2->Duree = 3;
        lr.Effets->Appogiature = g2;
        Jouer(a2, 5, 0, 2); // tied
        a2.EffetsCrees().Vibrato = true;
        a2.Texte = new cTexte;
        a2.Texte->Texte = Repete("fifty ", 50);

        cAccord &a3 = Temps(mp, 3);
        a3.CodeDuree = 2;
        a3.Triolet = 3;
        a3.Etat = 0; // an empty beat inside the measure keeps its place

        cAccord &a4 = Temps(mp, 4);
        a4.CodeDuree = 2;
        a4.Triolet = 3;
        a4.Etat = 2; // rest
        a4.EffetsCrees().TremoloBar = true;

        cAccord &a5 = Temps(mp, 5);
        a5.CodeDuree = 1;
        Jouer(a5, 6, 3);
        cEffets_Accord &e5 = a5.EffetsCrees();
        e5.Frappe = 2;
        e5.CoupVibrato = 50;
        e5.BrushUp = 3;
        a5.TableMix = new cTableMixEvent;
        cTableMixEvent &t = *a5.TableMix;
        t.Instrument = 25;
        t.Volume = 10;
        t.TransVolume = 2;
        t.Balance = 0;
        t.TransBalance = 0;
        t.Chorus = 16;
        t.TransChorus = 1;
        t.Reverb = 3;
        t.TransReverb = 4;
        t.Phaser = 5;
        t.TransPhaser = 5;
        t.Tremolo = 6;
        t.TransTremolo = 6;
        t.Tempo = 140;
        t.TransTempo = 8;
        Finir(mp);
    }
    // Guitar, measure 2: chord diagrams of both forms, harmonics, brush down.
    {
        cMesurePiste &mp = *p.MesurePisteDe(2, 1);
        cAccord &a1 = Temps(mp, 1);
        a1.CodeDuree = 0;
        a1.Diagramme = new cDiagramme; // user chord: short form with frets
        a1.Diagramme->ChangerNom("Mine");
        a1.Diagramme->PremiereCase = 3;
        Frets(*a1.Diagramme, {3, 5, 5, 5, 3, -1});
        for (int s = 1; s <= 5; ++s)
            Jouer(a1, s, a1.Diagramme->Cases[s - 1]);
        a1.EffetsCrees().HarmoniqueNaturelle = true;
        a1.Effets->BrushDown = 6;

        cAccord &a2 = Temps(mp, 2);
        a2.CodeDuree = 0;
        a2.Diagramme = new cDiagramme; // name only
        a2.Diagramme->ChangerNom("N.C.");
        a2.Etat = 2;

        cAccord &a3 = Temps(mp, 3);
        a3.CodeDuree = 0;
        a3.Diagramme = new cDiagramme; // a named chord: long form
        cDiagramme &d = *a3.Diagramme;
        d.Diese = false;
        d.Fondamentale = 10;
        d.TypeAccord = 7;
        d.Extension = 1;
        d.Basse = 5;
        d.DimAug = 2;
        d.Add = true;
        d.ChangerNom("Bb7/9+");
        d.Quinte = 1;
        d.Neuvieme = 2;
        d.Onzieme = 1;
        d.PremiereCase = 6;
        Frets(d, {6, 6, 7, 6, 8, 6});
        d.NbBarres = 2;
        d.BarreCase[0] = 6;
        d.BarreDebut[0] = 1;
        d.BarreFin[0] = 6;
        d.BarreCase[1] = 8;
        d.BarreDebut[1] = 2;
        d.BarreFin[1] = 3;
        for (int k = 0; k < 7; ++k)
            d.Omis[k] = (k % 2) == 0;
        Jouer(a3, 1, 6);
        a3.EffetsCrees().HarmoniqueArtificielle = true;
        a3.Effets->FadeIn = true;
        Finir(mp);
    }
    // Guitar, measure 3: a user chord with a barre (kept whole), a mix change of the
    // instrument only, and a placeholder at the end that carries a text.
    {
        cMesurePiste &mp = *p.MesurePisteDe(3, 1);
        cAccord &a1 = Temps(mp, 1);
        a1.CodeDuree = -1;
        a1.Pointe = true;
        a1.Diagramme = new cDiagramme;
        cDiagramme &d = *a1.Diagramme;
        d.ChangerNom("Barred");
        Frets(d, {1, 1, 2, 3, 3, 1});
        d.NbBarres = 1;
        d.BarreCase[0] = 1;
        d.BarreDebut[0] = 1;
        d.BarreFin[0] = 6;
        for (int s = 1; s <= 6; ++s)
            Jouer(a1, s, d.Cases[s - 1]);
        a1.TableMix = new cTableMixEvent;
        a1.TableMix->Instrument = 0;
        cAccord &a2 = Temps(mp, 2);
        a2.CodeDuree = 4;
        a2.Etat = 0;
        a2.Texte = new cTexte;
        a2.Texte->Texte = "";
        Finir(mp);
    }
    // Guitar, measure 4: whole note, sixty-fourths and the remaining tuplets.
    {
        cMesurePiste &mp = *p.MesurePisteDe(4, 1);
        const int triolets[] = {1, 3, 5, 6, 7, 9, 10, 11, 12, 13};
        int k = 1;
        for (int tr : triolets) {
            cAccord &a = Temps(mp, k++);
            a.CodeDuree = 4;
            a.Triolet = tr;
            Jouer(a, 1 + k % 6, k);
        }
        cAccord &b = Temps(mp, k);
        b.CodeDuree = -2;
        Jouer(b, 6, 0);
        Finir(mp);
    }
    // Seven strings: notes on string 7 and string 1.
    {
        cMesurePiste &mp = *p.MesurePisteDe(1, 2);
        cAccord &a = Temps(mp, 1);
        a.CodeDuree = -1;
        a.Pointe = true;
        Jouer(a, 7, 0);
        Jouer(a, 1, 24);
        Finir(mp);
        cMesurePiste &mp2 = *p.MesurePisteDe(2, 2);
        cAccord &b = Temps(mp2, 1);
        b.Etat = 2;
        b.CodeDuree = -1;
        b.Pointe = true;
        Finir(mp2);
    }
    // Drums: percussion keys.
    {
        cMesurePiste &mp = *p.MesurePisteDe(1, 3);
        for (int k = 1; k <= 6; ++k) {
            cAccord &a = Temps(mp, k);
            a.CodeDuree = 1;
            Jouer(a, 1, 42);
            if (k % 2)
                Jouer(a, 5, 36).Nuance = 7;
            else
                Jouer(a, 4, 38);
        }
        Finir(mp);
    }
    // Twelve-string and banjo, one beat each; the bass keeps its placeholders.
    {
        cMesurePiste &mp = *p.MesurePisteDe(2, 4);
        cAccord &a = Temps(mp, 1);
        a.CodeDuree = -1;
        a.Pointe = true;
        Jouer(a, 6, 3);
        Jouer(a, 5, 2);
        Finir(mp);
        cMesurePiste &mb = *p.MesurePisteDe(3, 5);
        cAccord &b = Temps(mb, 1);
        b.CodeDuree = 1;
        Jouer(b, 5, 0);
        Jouer(b, 1, 2).EffetsCrees().Slide = true;
        Finir(mb);
    }

    // Print chords: all 50, of both forms.
    liste.Vider();
    for (int k = 0; k < cListeAccordsImpression::Max; ++k) {
        cDiagramme d;
        d.ChangerNom("Chord " + std::to_string(k));
        if (k % 3 == 0) {
            d.Fondamentale = k % 12;
            d.TypeAccord = k % 15;
            d.Basse = (k + 4) % 12;
            d.Omis[k % 7] = false;
        }
        if (k % 5 != 4) {
            d.PremiereCase = 1 + k % 9;
            Frets(d, {k % 4, -1, k % 6, 0, 2, -1});
        }
        liste.Ajouter(d.Donnees());
    }
}
