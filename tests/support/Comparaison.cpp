#include "support/Comparaison.h"

#include <sstream>

#include "chords/uListeAccordsImpression.h"
#include "model/uPartition.h"

namespace {
class cDiff {
public:
    std::vector<std::string> lignes;
    std::vector<std::string> lieu;

    template <class T> void Champ(const char *nom, const T &a, const T &b)
    {
        if (a == b)
            return;
        std::ostringstream o;
        for (const auto &l : lieu)
            o << l << " ";
        o << nom << ": " << Affiche(a) << " != " << Affiche(b);
        lignes.push_back(o.str());
    }
    void Note(const std::string &texte)
    {
        std::ostringstream o;
        for (const auto &l : lieu)
            o << l << " ";
        o << texte;
        lignes.push_back(o.str());
    }

private:
    template <class T> static std::string Affiche(const T &v)
    {
        std::ostringstream o;
        if constexpr (std::is_same_v<T, std::string>)
            o << '"' << v << '"';
        else if constexpr (sizeof(T) == 1)
            o << static_cast<int>(v);
        else
            o << v;
        return o.str();
    }
};

// Keeps a place name on the path for the lines written inside its scope.
class cLieu {
public:
    cLieu(cDiff &d, const std::string &l) : d_(d) { d_.lieu.push_back(l); }
    ~cLieu() { d_.lieu.pop_back(); }

private:
    cDiff &d_;
};

std::string N(const char *quoi, int i) { return std::string(quoi) + " " + std::to_string(i); }

void Diagrammes(cDiff &d, const rDiagramme &a, const rDiagramme &b)
{
    d.Champ("Diese", a.Diese, b.Diese);
    d.Champ("Fondamentale", a.Fondamentale, b.Fondamentale);
    d.Champ("TypeAccord", a.TypeAccord, b.TypeAccord);
    d.Champ("Extension", a.Extension, b.Extension);
    d.Champ("Basse", a.Basse, b.Basse);
    d.Champ("DimAug", a.DimAug, b.DimAug);
    d.Champ("Add", a.Add, b.Add);
    auto nom = [](const rDiagramme &x) {
        return std::string(x.Nom, x.NomLongueur > sizeof(x.Nom) ? sizeof(x.Nom) : x.NomLongueur);
    };
    d.Champ("Nom", nom(a), nom(b));
    d.Champ("Quinte", a.Quinte, b.Quinte);
    d.Champ("Neuvieme", a.Neuvieme, b.Neuvieme);
    d.Champ("Onzieme", a.Onzieme, b.Onzieme);
    d.Champ("PremiereCase", a.PremiereCase, b.PremiereCase);
    for (int i = 0; i < 6; ++i)
        d.Champ(("Cases[" + std::to_string(i) + "]").c_str(), a.Cases[i], b.Cases[i]);
    d.Champ("NbBarres", a.NbBarres, b.NbBarres);
    for (int i = 0; i < 2; ++i) {
        d.Champ("BarreCase", a.BarreCase[i], b.BarreCase[i]);
        d.Champ("BarreDebut", a.BarreDebut[i], b.BarreDebut[i]);
        d.Champ("BarreFin", a.BarreFin[i], b.BarreFin[i]);
    }
    for (int i = 0; i < 7; ++i)
        d.Champ(("Omis[" + std::to_string(i) + "]").c_str(), a.Omis[i], b.Omis[i]);
}

void EffetsNote(cDiff &d, const cEffets_Note *a, const cEffets_Note *b)
{
    if (!a || !b) {
        if (a != b)
            d.Note(std::string("note effects ") + (a ? "only on the left" : "only on the right"));
        return;
    }
    d.Champ("HammerPullOff", a->HammerPullOff, b->HammerPullOff);
    d.Champ("Slide", a->Slide, b->Slide);
    d.Champ("LetRing", a->LetRing, b->LetRing);
    if (!a->Bend || !b->Bend) {
        if (a->Bend != b->Bend)
            d.Note("bend on one side only");
    } else {
        cLieu l(d, "bend");
        d.Champ("Type", a->Bend->Type, b->Bend->Type);
        d.Champ("Valeur", a->Bend->Valeur, b->Bend->Valeur);
        d.Champ("points", a->Bend->NbFormes(), b->Bend->NbFormes());
        int i = 1;
        for (auto *x = a->Bend->PremiereForme, *y = b->Bend->PremiereForme; x && y;
             x = x->Suivante, y = y->Suivante, ++i) {
            cLieu lp(d, N("point", i));
            d.Champ("Position", x->Position, y->Position);
            d.Champ("Hauteur", x->Hauteur, y->Hauteur);
            d.Champ("Vibrato", x->Vibrato, y->Vibrato);
        }
    }
    if (!a->Appogiature || !b->Appogiature) {
        if (a->Appogiature != b->Appogiature)
            d.Note("grace note on one side only");
    } else {
        cLieu l(d, "grace");
        d.Champ("Case", a->Appogiature->Case, b->Appogiature->Case);
        d.Champ("Nuance", a->Appogiature->Nuance, b->Appogiature->Nuance);
        d.Champ("Transition", a->Appogiature->Transition, b->Appogiature->Transition);
        d.Champ("Duree", a->Appogiature->Duree, b->Appogiature->Duree);
    }
}

void Notes(cDiff &d, const cNote &a, const cNote &b)
{
    d.Champ("Type", a.Type, b.Type);
    d.Champ("DureePropre", a.DureePropre, b.DureePropre);
    d.Champ("CodeDuree", a.CodeDuree, b.CodeDuree);
    d.Champ("Pointe", a.Pointe, b.Pointe);
    d.Champ("Triolet", a.Triolet, b.Triolet);
    d.Champ("Sugeree", a.Sugeree, b.Sugeree);
    d.Champ("Nuance", a.Nuance, b.Nuance);
    d.Champ("Case", a.Case, b.Case);
    d.Champ("DureeTicks", a.DureeTicks, b.DureeTicks);
    d.Champ("Corde", a.Corde, b.Corde);
    EffetsNote(d, a.Effets, b.Effets);
}

void Accords(cDiff &d, const cAccord &a, const cAccord &b)
{
    d.Champ("Etat", a.Etat, b.Etat);
    d.Champ("CodeDuree", a.CodeDuree, b.CodeDuree);
    d.Champ("Pointe", a.Pointe, b.Pointe);
    d.Champ("Triolet", a.Triolet, b.Triolet);
    d.Champ("Duree", a.Duree, b.Duree);
    d.Champ("NbNotes", a.NbNotes, b.NbNotes);
    if (!a.Diagramme != !b.Diagramme) {
        d.Note("chord diagram on one side only");
    } else if (a.Diagramme) {
        cLieu l(d, "diagram");
        Diagrammes(d, *a.Diagramme, *b.Diagramme);
    }
    if (!a.Texte != !b.Texte)
        d.Note("text on one side only");
    else if (a.Texte)
        d.Champ("Texte", a.Texte->Texte, b.Texte->Texte);
    if (!a.Effets != !b.Effets) {
        d.Note("beat effects on one side only");
    } else if (a.Effets) {
        const cEffets_Accord &x = *a.Effets, &y = *b.Effets;
        d.Champ("Vibrato", x.Vibrato, y.Vibrato);
        d.Champ("TremoloBar", x.TremoloBar, y.TremoloBar);
        d.Champ("HarmoniqueNaturelle", x.HarmoniqueNaturelle, y.HarmoniqueNaturelle);
        d.Champ("HarmoniqueArtificielle", x.HarmoniqueArtificielle, y.HarmoniqueArtificielle);
        d.Champ("FadeIn", x.FadeIn, y.FadeIn);
        d.Champ("Frappe", x.Frappe, y.Frappe);
        d.Champ("CoupVibrato", x.CoupVibrato, y.CoupVibrato);
        d.Champ("BrushUp", x.BrushUp, y.BrushUp);
        d.Champ("BrushDown", x.BrushDown, y.BrushDown);
    }
    if (!a.TableMix != !b.TableMix) {
        d.Note("mix table change on one side only");
    } else if (a.TableMix) {
        cLieu l(d, "mix");
        const cTableMixEvent &x = *a.TableMix, &y = *b.TableMix;
        d.Champ("Instrument", x.Instrument, y.Instrument);
        d.Champ("Volume", x.Volume, y.Volume);
        d.Champ("Balance", x.Balance, y.Balance);
        d.Champ("Chorus", x.Chorus, y.Chorus);
        d.Champ("Reverb", x.Reverb, y.Reverb);
        d.Champ("Phaser", x.Phaser, y.Phaser);
        d.Champ("Tremolo", x.Tremolo, y.Tremolo);
        d.Champ("Tempo", x.Tempo, y.Tempo);
        d.Champ("TransVolume", x.TransVolume, y.TransVolume);
        d.Champ("TransBalance", x.TransBalance, y.TransBalance);
        d.Champ("TransChorus", x.TransChorus, y.TransChorus);
        d.Champ("TransReverb", x.TransReverb, y.TransReverb);
        d.Champ("TransPhaser", x.TransPhaser, y.TransPhaser);
        d.Champ("TransTremolo", x.TransTremolo, y.TransTremolo);
        d.Champ("TransTempo", x.TransTempo, y.TransTempo);
    }
    int s = 1;
    for (auto *x = a.PremiereNote, *y = b.PremiereNote; x && y;
         x = x->Suivante, y = y->Suivante, ++s) {
        cLieu l(d, N("string", s));
        Notes(d, *x, *y);
    }
}

void MesuresPistes(cDiff &d, const cMesurePiste &a, const cMesurePiste &b)
{
    d.Champ("NbAccords", a.NbAccords, b.NbAccords);
    d.Champ("DureeTotale", a.DureeTotale, b.DureeTotale);
    int i = 1;
    for (auto *x = a.PremierAccord, *y = b.PremierAccord; x && y;
         x = x->Suivant, y = y->Suivant, ++i) {
        cLieu l(d, N("beat", i));
        Accords(d, *x, *y);
    }
}

void Pistes(cDiff &d, const cPiste &a, const cPiste &b)
{
    d.Champ("Percussions", a.Percussions, b.Percussions);
    d.Champ("DouzeCordes", a.DouzeCordes, b.DouzeCordes);
    d.Champ("Banjo5", a.Banjo5, b.Banjo5);
    d.Champ("Nom", a.Nom, b.Nom);
    d.Champ("NbCordes", a.NbCordes, b.NbCordes);
    for (int s = 0; s < MaxCordes; ++s)
        d.Champ(("Accordage[" + std::to_string(s) + "]").c_str(), a.Accordage[s],
                b.Accordage[s]);
    d.Champ("Port", a.Port, b.Port);
    d.Champ("Canal", a.Canal, b.Canal);
    d.Champ("CanalEffets", a.CanalEffets, b.CanalEffets);
    d.Champ("NbFrets", a.NbFrets, b.NbFrets);
    d.Champ("Capo", a.Capo, b.Capo);
    d.Champ("Couleur", a.Couleur, b.Couleur);
}

void Mesures(cDiff &d, const cMesure &a, const cMesure &b)
{
    d.Champ("Numerateur", a.Numerateur, b.Numerateur);
    d.Champ("Denominateur", a.Denominateur, b.Denominateur);
    d.Champ("Longueur", a.Longueur, b.Longueur);
    d.Champ("RenvoiDebut", a.RenvoiDebut, b.RenvoiDebut);
    d.Champ("RenvoiFin", a.RenvoiFin, b.RenvoiFin);
    d.Champ("Repetition", a.Repetition, b.Repetition);
    if (!a.Marker != !b.Marker) {
        d.Note("marker on one side only");
    } else if (a.Marker) {
        d.Champ("marker Nom", a.Marker->Nom, b.Marker->Nom);
        d.Champ("marker Couleur", a.Marker->Couleur, b.Marker->Couleur);
    }
}
} // namespace

std::vector<std::string> DifferencesDiagrammes(const rDiagramme &a, const rDiagramme &b)
{
    cDiff d;
    Diagrammes(d, a, b);
    return d.lignes;
}

std::vector<std::string> DifferencesPartitions(const cPartition &a, const cPartition &b)
{
    cDiff d;
    const cInformations &x = *a.Informations, &y = *b.Informations;
    d.Champ("Titre", x.Titre, y.Titre);
    d.Champ("SousTitre", x.SousTitre, y.SousTitre);
    d.Champ("Artiste", x.Artiste, y.Artiste);
    d.Champ("Album", x.Album, y.Album);
    d.Champ("Auteur", x.Auteur, y.Auteur);
    d.Champ("Droits", x.Droits, y.Droits);
    d.Champ("Tab", x.Tab, y.Tab);
    d.Champ("Instructions", x.Instructions, y.Instructions);
    d.Champ("notice lines", x.Notice.size(), y.Notice.size());
    for (std::size_t i = 0; i < x.Notice.size() && i < y.Notice.size(); ++i)
        d.Champ(("Notice[" + std::to_string(i) + "]").c_str(), x.Notice[i], y.Notice[i]);
    d.Champ("TripletFeel", x.TripletFeel, y.TripletFeel);
    d.Champ("Tempo", a.Tempo, b.Tempo);
    d.Champ("Tonalite", a.Tonalite, b.Tonalite);
    for (int port = 1; port <= MaxPorts; ++port)
        for (int c = 1; c <= MaxCanaux; ++c) {
            cLieu l(d, "port " + std::to_string(port) + " channel " + std::to_string(c));
            const rCanalMidi &k = a.Canaux[port][c], &m = b.Canaux[port][c];
            d.Champ("Instrument", k.Instrument, m.Instrument);
            d.Champ("Volume", k.Volume, m.Volume);
            d.Champ("Balance", k.Balance, m.Balance);
            d.Champ("Chorus", k.Chorus, m.Chorus);
            d.Champ("Reverb", k.Reverb, m.Reverb);
            d.Champ("Phaser", k.Phaser, m.Phaser);
            d.Champ("Tremolo", k.Tremolo, m.Tremolo);
        }
    d.Champ("NbMesures", a.NbMesures, b.NbMesures);
    d.Champ("NbPistes", a.NbPistes, b.NbPistes);
    d.Champ("NbMarkers", a.NbMarkers, b.NbMarkers);
    int i = 1;
    for (auto *m = a.PremiereMesure, *n = b.PremiereMesure; m && n;
         m = m->Suivante, n = n->Suivante, ++i) {
        cLieu l(d, N("measure", i));
        Mesures(d, *m, *n);
    }
    i = 1;
    for (auto *t = a.PremierePiste, *u = b.PremierePiste; t && u;
         t = t->Suivante, u = u->Suivante, ++i) {
        cLieu l(d, N("track", i));
        Pistes(d, *t, *u);
        int j = 1;
        for (auto *mp = t->PremiereMesurePiste, *mq = u->PremiereMesurePiste; mp && mq;
             mp = mp->SuivanteDansPiste, mq = mq->SuivanteDansPiste, ++j) {
            cLieu lm(d, N("measure", j));
            MesuresPistes(d, *mp, *mq);
        }
    }
    return d.lignes;
}

std::vector<std::string> DifferencesListes(const cListeAccordsImpression &a,
                                           const cListeAccordsImpression &b)
{
    cDiff d;
    d.Champ("print chords", a.Nb(), b.Nb());
    for (int i = 1; i <= a.Nb() && i <= b.Nb(); ++i) {
        cLieu l(d, N("print chord", i));
        Diagrammes(d, a.Accord(i), b.Accord(i));
    }
    return d.lignes;
}

namespace {
::testing::AssertionResult Resultat(const std::vector<std::string> &v)
{
    if (v.empty())
        return ::testing::AssertionSuccess();
    auto r = ::testing::AssertionFailure();
    r << v.size() << " difference(s):";
    for (std::size_t i = 0; i < v.size() && i < 20; ++i)
        r << "\n  " << v[i];
    return r;
}
} // namespace

::testing::AssertionResult PartitionsEgales(const cPartition &a, const cPartition &b)
{
    return Resultat(DifferencesPartitions(a, b));
}

::testing::AssertionResult ListesEgales(const cListeAccordsImpression &a,
                                        const cListeAccordsImpression &b)
{
    return Resultat(DifferencesListes(a, b));
}
