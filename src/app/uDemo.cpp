#include "app/uDemo.h"

#include <initializer_list>
#include <utility>

#include "model/uPartition.h"

namespace {
struct Temps {
    int code;
    std::initializer_list<std::pair<int, int>> notes; // (string, fret); empty = rest
    bool pointe = false;
    int triolet = 1;
};

// Fills a track measure with beats; returns them in order.
std::vector<cAccord *> Remplir(cMesurePiste *mp, std::initializer_list<Temps> temps)
{
    std::vector<cAccord *> v;
    cAccord *a = mp->PremierAccord;
    bool premier = true;
    for (const Temps &t : temps) {
        if (!premier)
            a = mp->InsererAccordApres(a);
        premier = false;
        a->CodeDuree = static_cast<int8_t>(t.code);
        a->Pointe = t.pointe;
        a->Triolet = t.triolet;
        a->CalculerDuree();
        a->ViderNotes();
        a->PropagerDuree();
        a->Etat = t.notes.size() ? 1 : 2;
        for (auto [corde, frette] : t.notes)
            if (corde >= 1 && corde <= a->NbNotes) {
                a->Notes[corde]->Type = 1;
                a->Notes[corde]->Case = static_cast<uint8_t>(frette);
            }
        v.push_back(a);
    }
    mp->CalculerDuree();
    return v;
}

cDiagramme *Diagramme(cAccord *a, const char *nom, std::initializer_list<int> cases, int root,
                      int type)
{
    auto *d = new cDiagramme;
    d->ChangerNom(nom);
    d->Fondamentale = root;
    d->TypeAccord = type;
    int k = 0;
    for (int c : cases)
        d->Cases[k++] = c;
    a->Diagramme = d;
    return d;
}
} // namespace

void ConstruireDemo(cPartition &p)
{
    p.Nouveau();
    cInformations &i = *p.Informations;
    i.Titre = "Demo";
    i.SousTitre = "A tour of the tablature";
    i.Artiste = "Plectorium";
    i.Auteur = "Plectorium";
    p.Tempo = 96;
    while (p.NbMesures < 8)
        p.InsererMesureApres(nullptr);
    cPiste *guitare = p.PremierePiste;
    guitare->Nom = "Acoustic Guitar";
    cPiste *basse = p.InsererPisteApres(guitare);
    basse->Nom = "Bass";
    basse->NbCordes = 4;
    basse->Accordage = {43, 38, 33, 28, -1, -1, -1};
    basse->ChangerNbCordes(6);
    basse->Port = 1;
    basse->Canal = 3;
    basse->CanalEffets = 4;
    cPiste *batterie = p.InsererPisteApres(basse);
    batterie->Nom = "Drums";
    batterie->Percussions = true;
    batterie->Accordage = {0, 0, 0, 0, 0, 0, -1};
    batterie->NbFrets = 87;
    batterie->Canal = 10;
    batterie->CanalEffets = 10;
    batterie->Couleur = 0xFF0000;

    // Measure headers: a repeat over 2..4 with two endings, a 3/4 bar, a marker.
    cMesure *m2 = p.MesureNumero(2), *m4 = p.MesureNumero(4), *m5 = p.MesureNumero(5);
    m2->RenvoiDebut = true;
    m4->RenvoiFin = 1;
    m4->Repetition = 1;
    m5->Repetition = 2;
    p.MesureNumero(7)->ChangerSignature(3, 4);
    p.MesureNumero(8)->ChangerSignature(4, 4);
    p.AjouterMarker(p.MesureNumero(1), "Intro", 0x0000FF);
    p.AjouterMarker(m2, "Verse", 0x008000);

    auto mp = [&](int m, cPiste *t) { return p.MesurePisteDe(m, t->Index); };

    // Guitar.
    auto t1 = Remplir(mp(1, guitare), {{0, {{5, 0}, {4, 2}, {3, 2}, {2, 1}, {1, 0}}},
                                       {1, {{3, 2}}},
                                       {1, {{2, 1}}},
                                       {0, {{1, 0}}},
                                       {0, {{2, 3}}}});
    Diagramme(t1[0], "Am", {0, 1, 2, 2, 0, -1}, 9, 1);
    t1[1]->Texte = new cTexte;
    t1[1]->Texte->Texte = "let ring";
    t1[1]->Notes[3]->EffetsCrees().LetRing = true;
    auto t2 = Remplir(mp(2, guitare), {{1, {{3, 5}}},
                                       {1, {{3, 7}}},
                                       {2, {{2, 5}}},
                                       {2, {{2, 8}}},
                                       {1, {{2, 5}}},
                                       {0, {{1, 7}}},
                                       {0, {{1, 5}}}});
    t2[0]->Notes[3]->EffetsCrees().HammerPullOff = true;
    t2[2]->Notes[2]->EffetsCrees().Slide = true;
    auto &bend = *(t2[5]->Notes[1]->EffetsCrees().Bend = new cEffet_Bend);
    bend.Type = 1;
    bend.Valeur = 100;
    bend.AjouterForme(0, 0);
    bend.AjouterForme(30, 100);
    bend.AjouterForme(60, 100);
    t2[6]->EffetsCrees().Vibrato = true;
    auto t3 = Remplir(mp(3, guitare), {{1, {{1, 5}}, false, 3},
                                       {1, {{2, 8}}, false, 3},
                                       {1, {{2, 5}}, false, 3},
                                       {0, {{3, 7}}},
                                       {-1, {{3, 5}, {4, 7}}}});
    t3[4]->Notes[3]->Sugeree = true;
    auto t4 = Remplir(mp(4, guitare), {{0, {{6, 3}, {5, 2}, {4, 0}, {3, 0}, {2, 0}, {1, 3}}},
                                       {0, {{6, 3}, {5, 2}, {4, 0}, {3, 0}, {2, 0}, {1, 3}}},
                                       {-1, {}}});
    Diagramme(t4[0], "G", {3, 0, 0, 0, 2, 3}, 7, 0);
    t4[1]->EffetsCrees().BrushDown = 3;
    auto t5 = Remplir(mp(5, guitare), {{0, {{5, 3}, {4, 2}, {3, 0}, {2, 1}, {1, 0}}},
                                       {0, {{5, 3}}},
                                       {-1, {{5, 3}}}});
    Diagramme(t5[0], "C", {0, 1, 0, 2, 3, -1}, 0, 0);
    t5[1]->Notes[5]->Type = 3;
    t5[2]->Notes[5]->Type = 2;
    t5[2]->TableMix = new cTableMixEvent;
    t5[2]->TableMix->Tempo = 104;
    auto t6 = Remplir(mp(6, guitare), {{0, {{4, 7}}}, {0, {{4, 9}}}, {1, {{3, 7}}}, {1, {{3, 9}}},
                                       {0, {{2, 10}}}});
    t6[0]->Notes[4]->EffetsCrees().Appogiature = new cEffet_Appogiature;
    t6[0]->Notes[4]->Effets->Appogiature->Case = 5;
    t6[0]->Notes[4]->Effets->Appogiature->Duree = 1;
    t6[4]->EffetsCrees().HarmoniqueNaturelle = true;
    t6[4]->Notes[2]->Case = 12;
    Remplir(mp(7, guitare), {{0, {{3, 2}}, true}, {1, {{3, 4}}}, {0, {{2, 3}}}});
    auto t8 = Remplir(mp(8, guitare), {{-2, {{5, 0}, {4, 2}, {3, 2}, {2, 1}, {1, 0}}}});
    Diagramme(t8[0], "Am", {0, 1, 2, 2, 0, -1}, 9, 1);
    t8[0]->EffetsCrees().FadeIn = true;

    // Bass: roots.
    const int racines[8][2] = {{3, 0}, {3, 0}, {3, 0}, {4, 3}, {3, 3}, {2, 2}, {3, 0}, {3, 0}};
    for (int m = 1; m <= 8; ++m) {
        const int r = racines[m - 1][0], f = racines[m - 1][1];
        if (m == 7)
            Remplir(mp(m, basse), {{0, {{r, f}}}, {0, {{r, f + 2}}}, {0, {{r, f + 3}}}});
        else if (m == 8)
            Remplir(mp(m, basse), {{-2, {{r, f}}}});
        else
            Remplir(mp(m, basse), {{0, {{r, f}}}, {1, {{r, f}}}, {1, {{r, f + 2}}},
                                   {-1, {{r, f + 3}}}});
    }
    // Drums: bass drum (36), snare (38) and closed hi-hat (42).
    for (int m = 1; m <= 8; ++m) {
        if (m == 7) {
            Remplir(mp(m, batterie), {{0, {{1, 42}, {5, 36}}}, {0, {{1, 42}, {3, 38}}},
                                      {0, {{1, 42}, {3, 38}}}});
            continue;
        }
        Remplir(mp(m, batterie), {{1, {{1, 42}, {5, 36}}}, {1, {{1, 42}}},
                                  {1, {{1, 42}, {3, 38}}}, {1, {{1, 42}}},
                                  {1, {{1, 42}, {5, 36}}}, {1, {{1, 42}, {5, 36}}},
                                  {1, {{1, 42}, {3, 38}}}, {1, {{1, 42}}}});
    }
    rPosition debut;
    p.PlacerCurseur(debut);
    p.Modifie = false;
    p.Vierge = false;
}
