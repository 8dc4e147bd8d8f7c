// Byte-exact fixtures of the native file's layout: what the writer puts where, and what the
// reader makes of hand-built bytes.
#include <cstring>
#include <functional>

#include "fileio/Outils.h"
#include "support/Invariants.h"

namespace {

TEST(FichierOctets, NouvellePartitionOctetPourOctet)
{
    cPartition p;
    p.Nouveau();
    cListeAccordsImpression liste;
    const std::string attendu = rMorceaux().Assembler();
    EXPECT_EQ(Ecrire(p, liste), attendu);
    // The placeholder alone: B = 1, flag 0x40, state 0.
    EXPECT_EQ(attendu.substr(attendu.size() - 12, 8),
              cOctets().I32(1).U8s({0x40, 0, 0, 0}).o);
}

// The track measure record of measure 1, track 1 of a one-measure, one-track score.
std::string MesurePiste1(const std::string &f, std::size_t entetesMesures = 3)
{
    const std::size_t debut = DebutMesures + entetesMesures + 98;
    return f.substr(debut, f.size() - 4 - debut);
}

struct rCasMesurePiste {
    const char *Nom;
    int Cordes;
    std::function<void(cMesurePiste &)> Preparer;
    std::string Attendu;
};

cAccord &Normal(cMesurePiste &mp, int code = 0)
{
    cAccord &a = *mp.PremierAccord;
    a.Etat = 1;
    a.CodeDuree = static_cast<int8_t>(code);
    return a;
}

cNote &Note(cAccord &a, int corde, int fret)
{
    cNote &n = *a.Notes[corde];
    n.Type = 1;
    n.Case = static_cast<uint8_t>(fret);
    return n;
}

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

std::vector<rCasMesurePiste> CasMesurePiste()
{
    std::vector<rCasMesurePiste> cas;
    cas.push_back({"plain note: type and fret only", 6,
                   [](cMesurePiste &mp) { Note(Normal(mp), 1, 0); },
                   cOctets().I32(1).U8s({0x00, 0x00, 0x40, 0x20, 1, 0}).o});
    cas.push_back({"dotted beat: its notes mirror the dotted flag", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = Normal(mp, 1);
                       a.Pointe = true;
                       Note(a, 1, 5);
                   },
                   cOctets().I32(1).U8s({0x01, 0x01, 0x40, 0x22, 1, 5}).o});
    cas.push_back({"trailing placeholder is not written", 6,
                   [](cMesurePiste &mp) {
                       Note(Normal(mp), 2, 3);
                       mp.InsererAccordApres(mp.PremierAccord);
                   },
                   cOctets().I32(1).U8s({0x00, 0x00, 0x20, 0x20, 1, 3}).o});
    // A file may hold several (a damaged or foreign one): dropping only the last would lose
    // one more at every save, and a saved file would not read back to the same bytes.
    cas.push_back({"every trailing placeholder is left out", 6,
                   [](cMesurePiste &mp) {
                       Note(Normal(mp), 2, 3);
                       mp.InsererAccordApres(mp.PremierAccord);
                       mp.InsererAccordApres(mp.PremierAccord->Suivant);
                   },
                   cOctets().I32(1).U8s({0x00, 0x00, 0x20, 0x20, 1, 3}).o});
    cas.push_back({"placeholders alone: the first stays", 6,
                   [](cMesurePiste &mp) {
                       mp.InsererAccordApres(mp.PremierAccord);
                       mp.InsererAccordApres(mp.PremierAccord->Suivant);
                   },
                   cOctets().I32(1).U8s({0x40, 0, 0, 0}).o});
    cas.push_back({"a placeholder between notes is kept", 6,
                   [](cMesurePiste &mp) {
                       Note(Normal(mp), 2, 3);
                       mp.InsererAccordApres(mp.PremierAccord);
                       cAccord *c = mp.InsererAccordApres(mp.PremierAccord->Suivant);
                       c->Etat = 1;
                       c->Notes[1]->Type = 1;
                   },
                   cOctets()
                       .I32(3)
                       .U8s({0x00, 0x00, 0x20, 0x20, 1, 3})
                       .U8s({0x40, 0, 0, 0})
                       .U8s({0x00, 0x00, 0x40, 0x20, 1, 0})
                       .o});
    cas.push_back({"rest and tuplet", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = *mp.PremierAccord;
                       a.Etat = 2;
                       a.CodeDuree = 2;
                       a.Triolet = 3;
                   },
                   cOctets().I32(1).U8s({0x60, 2, 2}).I32(3).U8(0).o});
    cas.push_back({"text of exactly 50 characters: n = 51", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = Normal(mp);
                       a.Texte = new cTexte;
                       a.Texte->Texte = std::string(50, 't');
                       Note(a, 1, 1);
                   },
                   cOctets()
                       .I32(1)
                       .U8s({0x04, 0})
                       .I32(51)
                       .U8(50)
                       .Brut(std::string(50, 't'))
                       .U8s({0x40, 0x20, 1, 1})
                       .o});
    cas.push_back({"own duration with tuplet, then dynamic, then fret", 6,
                   [](cMesurePiste &mp) {
                       cNote &n = Note(Normal(mp), 3, 7);
                       n.DureePropre = true;
                       n.CodeDuree = 3;
                       n.Triolet = 5;
                       n.Nuance = 2;
                       n.Sugeree = true;
                   },
                   cOctets().I32(1).U8s({0, 0, 0x10, 0x35, 1, 3, 5, 2, 7}).o});
    cas.push_back({"dead and tied notes", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = Normal(mp);
                       Note(a, 1, 255).Type = 3;
                       Note(a, 2, 4).Type = 2;
                   },
                   cOctets().I32(1).U8s({0, 0, 0x60, 0x20, 3, 255, 0x20, 2, 4}).o});
    cas.push_back({"grace note on a string without a note", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = Normal(mp);
                       Note(a, 1, 2);
                       auto *g = new cEffet_Appogiature;
                       g->Case = 255;
                       g->Nuance = 4;
                       g->Transition = 2;
                       g->Duree = 1;
                       a.Notes[6]->EffetsCrees().Appogiature = g;
                   },
                   cOctets().I32(1).U8s({0, 0, 0x42, 0x20, 1, 2, 0x08, 0x10, 255, 4, 2, 1}).o});
    cas.push_back({"bend points with vibrato, and let ring", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = Normal(mp);
                       auto *b = new cEffet_Bend;
                       b->Type = 2;
                       b->Valeur = 75;
                       b->AjouterForme(0, 0);
                       b->AjouterForme(30, 75, 3);
                       Note(a, 1, 9).EffetsCrees().Bend = b;
                       Note(a, 2, 9).EffetsCrees().LetRing = true;
                   },
                   cOctets()
                       .I32(1)
                       .U8s({0, 0, 0x60, 0x28, 1, 9, 0x01, 2})
                       .I32(75)
                       .I32(2)
                       .I32(0)
                       .I32(0)
                       .U8(0)
                       .I32(30)
                       .I32(75)
                       .U8(3)
                       .U8s({0x28, 1, 9, 0x08})
                       .o});
    cas.push_back({"beat effects: flags, stroke, brush", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = Normal(mp);
                       cEffets_Accord &e = a.EffetsCrees();
                       e.Vibrato = true;
                       e.FadeIn = true;
                       e.Frappe = 1;
                       e.CoupVibrato = 25;
                       e.BrushDown = 4;
                       Note(a, 6, 0);
                   },
                   cOctets()
                       .I32(1)
                       .U8s({0x08, 0, 0x71, 1})
                       .I32(25)
                       .U8s({0, 4, 0x02, 0x20, 1, 0})
                       .o});
    cas.push_back({"mix table: transitions only for changed values", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = *mp.PremierAccord;
                       a.Etat = 2;
                       a.TableMix = new cTableMixEvent;
                       a.TableMix->Volume = 10;
                       a.TableMix->TransVolume = 2;
                       a.TableMix->TransBalance = 9; // not written: balance unchanged
                       a.TableMix->Tempo = 90;
                       a.TableMix->TransTempo = 1;
                   },
                   cOctets()
                       .I32(1)
                       .U8s({0x50, 2, 0, 0xFF, 10, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})
                       .I32(90)
                       .U8s({2, 1, 0})
                       .o});
    cas.push_back({"user chord, name only: short form, top fret 0", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = *mp.PremierAccord;
                       a.Etat = 2;
                       a.Diagramme = new cDiagramme;
                       a.Diagramme->ChangerNom("N.C.");
                   },
                   cOctets().I32(1).U8s({0x42, 2, 0, 0}).Texte("N.C.").I32(0).U8(0).o});
    cas.push_back({"user chord with frets: short form", 6,
                   [](cMesurePiste &mp) {
                       cAccord &a = *mp.PremierAccord;
                       a.Etat = 2;
                       a.Diagramme = new cDiagramme;
                       a.Diagramme->ChangerNom("X");
                       a.Diagramme->PremiereCase = 5;
                       a.Diagramme->Cases[0] = 5;
                       a.Diagramme->Cases[3] = 0;
                   },
                   cOctets()
                       .I32(1)
                       .U8s({0x42, 2, 0, 0})
                       .Texte("X")
                       .I32(5)
                       .I32(5)
                       .I32(-1)
                       .I32(-1)
                       .I32(0)
                       .I32(-1)
                       .I32(-1)
                       .U8(0)
                       .o});
    cas.push_back({"seven strings: string 7 is bit 0, string 1 bit 6", 7,
                   [](cMesurePiste &mp) {
                       cAccord &a = Normal(mp);
                       Note(a, 7, 0);
                       Note(a, 1, 1);
                   },
                   cOctets().I32(1).U8s({0, 0, 0x41, 0x20, 1, 1, 0x20, 1, 0}).o});
    return cas;
}

TEST(FichierOctets, MesurePisteOctetPourOctet)
{
    for (const auto &c : CasMesurePiste()) {
        SCOPED_TRACE(c.Nom);
        cPartition p;
        p.Nouveau();
        cPiste *t = p.PremierePiste;
        t->NbCordes = c.Cordes;
        t->ChangerNbCordes(6);
        cMesurePiste &mp = *p.PremiereMesure->PremiereMesurePiste;
        c.Preparer(mp);
        Finir(mp);
        cListeAccordsImpression liste;
        const std::string f = Ecrire(p, liste);
        EXPECT_EQ(MesurePiste1(f), c.Attendu);
        cPartition q;
        std::string cle;
        ASSERT_TRUE(Lire(f, q, liste, cle)) << cle;
        EXPECT_TRUE(ScoreCoherent(q));
        EXPECT_EQ(Ecrire(q, liste), f);
    }
}

TEST(FichierOctets, DiagrammeFormeLongue)
{
    cPartition p;
    p.Nouveau();
    cAccord &a = *p.PremiereMesure->PremiereMesurePiste->PremierAccord;
    a.Etat = 2;
    a.Diagramme = new cDiagramme;
    cDiagramme &d = *a.Diagramme;
    d.Fondamentale = 9;
    d.TypeAccord = 3;
    d.ChangerNom("Am");
    d.Cases[0] = 0;
    // Memory garbage in pads and the name's tail must not reach the file.
    d.Pad1[1] = 0x55;
    d.Pad2[0] = 0x66;
    d.Pad3 = 0x77;
    d.Nom[10] = 'z';
    cListeAccordsImpression liste;
    const std::string f = Ecrire(p, liste);

    uint8_t b[124] = {};
    b[0] = 1;                           // sharps
    b[4] = 9;                           // root
    b[8] = 3;                           // type
    b[25] = 2;                          // name length
    b[26] = 'A';
    b[27] = 'm';
    b[60] = 1;                          // top fret
    for (int s = 1; s < 6; ++s)
        std::memset(b + 64 + 4 * s, 0xFF, 4); // frets -1; string 1 open
    std::memset(b + 116, 1, 7);         // every degree omitted
    const std::string attendu = cOctets()
                                    .I32(1)
                                    .U8s({0x42, 2, 0, 1})
                                    .Brut(std::string(reinterpret_cast<char *>(b), 124))
                                    .U8(0)
                                    .o;
    EXPECT_EQ(MesurePiste1(f), attendu);
}

TEST(FichierOctets, EntetesDeMesures)
{
    cPartition p;
    p.Nouveau();
    cMesure *m1 = p.PremiereMesure;
    m1->ChangerSignature(3, 4);
    cMesure *m2 = p.InsererMesureApres(m1); // 3/4 again: no signature bits
    m2->RenvoiDebut = true;
    m2->RenvoiFin = 3;
    m2->Repetition = 2;
    p.AjouterMarker(m2, "A", 0x0000FF);
    cMesure *m3 = p.InsererMesureApres(m2);
    m3->ChangerSignature(2, 4); // numerator only
    cMesure *m4 = p.InsererMesureApres(m3);
    m4->ChangerSignature(2, 8); // denominator only
    cListeAccordsImpression liste;
    const std::string f = Ecrire(p, liste);
    const std::string attendu = cOctets()
                                    .U8s({0x03, 3, 4})
                                    .U8s({0x3C, 3, 2})
                                    .Texte("A")
                                    .I32(255)
                                    .U8s({0x01, 2})
                                    .U8s({0x02, 8})
                                    .o;
    EXPECT_EQ(f.substr(DebutMesures, attendu.size()), attendu);

    cPartition q;
    std::string cle;
    ASSERT_TRUE(Lire(f, q, liste, cle)) << cle;
    ASSERT_EQ(q.NbMesures, 4);
    EXPECT_EQ(q.MesureNumero(2)->Numerateur, 3);
    EXPECT_EQ(q.MesureNumero(2)->Longueur, 1440);
    EXPECT_EQ(q.MesureNumero(4)->Numerateur, 2);
    EXPECT_EQ(q.MesureNumero(4)->Longueur, 480);
    ASSERT_NE(q.PremierMarker, nullptr);
    EXPECT_EQ(q.PremierMarker->Mesure, q.MesureNumero(2));
    EXPECT_EQ(q.NbMarkers, 1);
}

TEST(FichierOctets, EnregistrementDePiste)
{
    cPartition p;
    p.Nouveau();
    cPiste &t = *p.PremierePiste;
    t.Nom = "Bass";
    t.Percussions = true;
    t.Banjo5 = true;
    t.NbCordes = 4;
    t.Accordage = {43, 38, 33, 28, -1, -1, 99};
    t.Port = 3;
    t.Canal = 9;
    t.CanalEffets = 11;
    t.NbFrets = 20;
    t.Capo = 5;
    t.Couleur = 0x123456;
    t.ChangerNbCordes(6);
    cListeAccordsImpression liste;
    const std::string f = Ecrire(p, liste);
    cOctets attendu;
    attendu.U8(0x05).Fixe("Bass", 40).I32(4);
    for (int v : {43, 38, 33, 28, -1, -1, 99})
        attendu.I32(v);
    attendu.I32(3).I32(9).I32(11).I32(20).I32(5).I32(0x123456);
    ASSERT_EQ(attendu.o.size(), 98u);
    EXPECT_EQ(f.substr(DebutMesures + 3, 98), attendu.o);
}

TEST(FichierOctets, ListeAccordsEnFin)
{
    cPartition p;
    p.Nouveau();
    cListeAccordsImpression liste;
    cDiagramme c;
    c.ChangerNom("C");
    liste.Ajouter(c);
    const std::string f = Ecrire(p, liste);
    const std::string fin = cOctets().I32(1).U8(0).Texte("C").I32(0).o;
    EXPECT_EQ(f.substr(f.size() - fin.size()), fin);

    // A file that ends right after the track measures has an empty list.
    rMorceaux m;
    m.Fin.clear();
    cListeAccordsImpression relue;
    relue.Ajouter(c);
    cPartition q;
    std::string cle;
    ASSERT_TRUE(Lire(m.Assembler(), q, relue, cle)) << cle;
    EXPECT_EQ(relue.Nb(), 0);
}

TEST(FichierOctets, RemplissagesIgnoresEtReecritsAZero)
{
    rMorceaux m;
    // Channel table pads, the track name's tail, the header's filler.
    for (std::size_t k = 0; k < 64; ++k) {
        const std::size_t base = m.Infos.size() - 768 + 12 * k;
        m.Infos[base + 10] = 'p';
        m.Infos[base + 11] = 'q';
    }
    m.Pistes[1 + 1 + 7 + 3] = 'x';
    std::string f = m.Assembler();
    for (int k = 25; k < 31; ++k)
        f[k] = static_cast<char>(0xA0 + k);
    // A long-form diagram with garbage in its pads and name tail.
    uint8_t b[124] = {};
    b[4] = 2;
    b[25] = 1;
    b[26] = 'D';
    b[27] = '#';
    b[1] = b[2] = b[46] = b[123] = 0xEE;
    b[60] = 1;
    b[116] = 2; // a flag byte other than 0/1 counts as set
    cOctets fin;
    fin.I32(1).U8(1).Brut(std::string(reinterpret_cast<char *>(b), 124));
    f.resize(f.size() - 4);
    f += fin.o;

    cPartition q;
    cListeAccordsImpression liste;
    std::string cle;
    ASSERT_TRUE(Lire(f, q, liste, cle)) << cle;
    EXPECT_EQ(q.PremierePiste->Nom, "Track 1");
    ASSERT_EQ(liste.Nb(), 1);
    EXPECT_EQ(std::string(liste.Accord(1).Nom, liste.Accord(1).NomLongueur), "D");
    EXPECT_TRUE(liste.Accord(1).Omis[0]);

    std::string propre = rMorceaux().Assembler();
    propre.resize(propre.size() - 4);
    b[1] = b[2] = b[46] = b[123] = 0;
    b[27] = 0;
    b[116] = 1;
    propre += cOctets().I32(1).U8(1).Brut(std::string(reinterpret_cast<char *>(b), 124)).o;
    EXPECT_EQ(Ecrire(q, liste), propre);
}

TEST(FichierOctets, TripletFeelSeulementPourUn)
{
    for (int v : {0, 1, 2, 255}) {
        rMorceaux m;
        m.Infos[8 * 5 + 4] = static_cast<char>(v);
        cPartition q;
        cListeAccordsImpression liste;
        std::string cle;
        ASSERT_TRUE(Lire(m.Assembler(), q, liste, cle)) << cle;
        EXPECT_EQ(q.Informations->TripletFeel, v == 1) << v;
    }
}

} // namespace
