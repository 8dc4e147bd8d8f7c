// MIDI event generation. The constants below are the program's sound: lead times of grace notes,
// vibrato periods and depths, slide and bend steps, the softening of legato notes.
#include "playback/uGeneration.h"

#include <algorithm>
#include <cmath>

#include "model/uDurees.h"

namespace {

int CanalValide(int canal) { return std::clamp(canal, 1, MaxCanaux); }
int PortValide(int port) { return std::clamp(port, 1, MaxPorts); }

constexpr uint8_t Controleurs[6] = {7, 10, 93, 91, 92, 95};

uint8_t Octet(double v) { return static_cast<uint8_t>(static_cast<int>(v)); }
uint8_t Roue(double v) { return static_cast<uint8_t>(std::clamp(v, 0.0, 127.0)); }

bool AvecPitch(const cAccord &a)
{
    for (int s = 1; s <= a.NbNotes; ++s) {
        const cNote *n = a.Notes[s];
        if (n && n->Effets && (n->Effets->Bend || n->Effets->Slide))
            return true;
    }
    return false;
}

// Fret after the banjo's short fifth string, which starts at the fifth fret.
int FretJoue(const cPiste &piste, int corde, int fret)
{
    return (piste.Banjo5 && corde == 5 && fret > 0) ? fret - 5 : fret;
}

} // namespace

uint8_t StatutCanal(uint8_t base, int canal)
{
    return static_cast<uint8_t>(base + CanalValide(canal) - 1);
}

uint8_t ValeurControleur(long v8)
{
    const long r = ((v8 % 256) + 256) % 256;
    return static_cast<uint8_t>(r == 128 ? 127 : r);
}

void OctetsTempo(double tempo, uint8_t &d1, uint8_t &d2, uint8_t &d3)
{
    double us = tempo > 0 ? std::trunc(60000000.0 / tempo) : 0xFFFFFF;
    us = std::clamp(us, 1.0, double(0xFFFFFF));
    const auto v = static_cast<uint32_t>(us);
    d1 = static_cast<uint8_t>(v >> 16);
    d2 = static_cast<uint8_t>(v >> 8);
    d3 = static_cast<uint8_t>(v);
}

cGenerateurMidi::cGenerateurMidi(cPartition *p) : Partition(p)
{
    PisteMetronome.Nom = "Metronome";
    PisteMetronome.Port = 1;
    PisteMetronome.Canal = 10;
    PisteMetronome.CanalEffets = 10;
    PisteMetronome.Percussions = true;
    PisteMetronome.Muet = true;
    if (p)
        TempoCourant = p->Tempo;
}

// ------------------------------------------------------------------ play order

void cGenerateurMidi::ConstruireOrdre(bool avecRepetitions)
{
    OrdreLecture.clear();
    const int nb = Partition ? Partition->NbMesures : 0;
    if (!avecRepetitions) {
        for (int b = 1; b <= nb && OrdreLecture.size() < MaxOrdre; ++b)
            OrdreLecture.push_back(b);
        return;
    }
    int b = 1, passe = 0, rep = 0, debut = 1;
    bool inclure = true, saute = false;
    // Every loop either appends or moves towards a bound; the step cap only guards against a
    // damaged header chain.
    long pas = 0;
    while (OrdreLecture.size() < MaxOrdre && b >= 1 && b <= nb && ++pas < 4000000) {
        const cMesure *m = Partition->MesureNumero(b);
        if (!m)
            break;
        if (m->RenvoiDebut) {
            debut = b;
            if (!saute)
                passe = 0;
            saute = false;
        }
        if (m->Repetition > 0 && !m->RenvoiDebut) {
            ++passe;
            if (passe > m->Repetition) {
                --passe;
                inclure = false;
            }
        }
        if (inclure)
            OrdreLecture.push_back(b);
        if (m->RenvoiFin > 0) {
            if (passe == 0) {
                ++rep;
                if (m->RenvoiFin >= rep) {
                    b = debut;
                    continue;
                }
                rep = 0;
            } else if (inclure) {
                b = debut;
                saute = true;
                continue;
            } else {
                inclure = true;
            }
        }
        ++b;
    }
}

int cGenerateurMidi::IndexOrdre(int numMesure) const
{
    for (std::size_t i = 0; i < OrdreLecture.size(); ++i)
        if (OrdreLecture[i] == numMesure)
            return static_cast<int>(i) + 1;
    return 1;
}

// ------------------------------------------------------------------ channel setup

void cGenerateurMidi::PreparerCanauxPiste(const cPiste &piste, iSortieMidi &sortie,
                                          bool bendEtCentre, bool programmeEtMix) const
{
    const int port = piste.Port;
    const int c = CanalValide(piste.Canal), ce = CanalValide(piste.CanalEffets);
    const auto envoyer = [&](uint8_t base, uint8_t d1, uint8_t d2) {
        sortie.Envoyer(port, piste, StatutCanal(base, c), d1, d2);
        if (ce != c)
            sortie.Envoyer(port, piste, StatutCanal(base, ce), d1, d2);
    };
    if (bendEtCentre) {
        envoyer(0xB0, 100, 0);
        envoyer(0xB0, 101, 0);
        envoyer(0xB0, 6, LimitBendPort(port) ? 2 : 8);
        envoyer(0xE0, 0, 64);
    }
    if (programmeEtMix && Partition) {
        const rCanalMidi &cm = Partition->Canaux[PortValide(port)][c];
        // The drum channel has no program (-1): nothing valid to send.
        if (cm.Instrument >= 0)
            envoyer(0xC0, static_cast<uint8_t>(cm.Instrument), 0);
        const uint8_t valeurs[6] = {cm.Volume, cm.Balance, cm.Chorus,
                                    cm.Reverb, cm.Phaser,  cm.Tremolo};
        for (int i = 0; i < 6; ++i)
            envoyer(0xB0, Controleurs[i], ValeurControleur(8L * valeurs[i]));
    }
}

void cGenerateurMidi::PreparerCanaux(iSortieMidi &sortie)
{
    if (!Partition)
        return;
    for (const cPiste *p = Partition->PremierePiste; p; p = p->Suivante)
        PreparerCanauxPiste(*p, sortie, true, false);
    sortie.DefinirTempo(Partition->Tempo);
    TempoCourant = Partition->Tempo;
    ListeTempo.Vider();
    for (const cPiste *p = Partition->PremierePiste; p; p = p->Suivante)
        PreparerCanauxPiste(*p, sortie, false, true);
}

// ------------------------------------------------------------------ lists

void cGenerateurMidi::CreerListes(int port, bool avecMetronome)
{
    if (port < 1 || port > MaxPorts || !Partition)
        return;
    cPile &pile = Piles[port];
    pile.LibererListes();
    for (cPiste *p = Partition->PremierePiste; p; p = p->Suivante) {
        if (p->Port != port)
            continue;
        cBasePile *l = pile.AjouterListe(p);
        const rCanalMidi &cm = Partition->Canaux[port][CanalValide(p->Canal)];
        l->ValeursCourantes = {cm.Volume, cm.Balance, cm.Chorus, cm.Reverb, cm.Phaser, cm.Tremolo};
    }
    if (port == 1 && avecMetronome) {
        cBasePile *l = pile.AjouterListe(&PisteMetronome);
        l->ValeursCourantes = {16, 0, 0, 0, 0, 0};
    }
}

void cGenerateurMidi::LibererListes()
{
    for (cPile &p : Piles) {
        p.LibererListes();
        p.Sortie.Vider();
        p.Decalage = 0;
    }
    ListeTempo.Vider();
}

void cGenerateurMidi::FusionnerListe(int port, cBasePile &liste)
{
    if (port < 1 || port > MaxPorts)
        return;
    cMyHMidiOut &q = Piles[port].Sortie;
    while (cEvtPile *e = liste.Extraire()) {
        q.Inserer({liste.Piste, e->Temps, e->Statut, e->Donnee1, e->Donnee2, e->Donnee3});
        delete e;
    }
}

void cGenerateurMidi::Fusionner(int port)
{
    if (port < 1 || port > MaxPorts)
        return;
    cPile &pile = Piles[port];
    for (;;) {
        cBasePile *choix = nullptr;
        for (cBasePile *l = pile.PremiereListe; l; l = l->Suivante)
            if (l->Premier && (!choix || l->Premier->Temps < choix->Premier->Temps))
                choix = l;
        if (!choix)
            break;
        cEvtPile *e = choix->Extraire();
        pile.Sortie.Inserer(
            {choix->Piste, e->Temps, e->Statut, e->Donnee1, e->Donnee2, e->Donnee3});
        delete e;
    }
}

// ------------------------------------------------------------------ bars

void cGenerateurMidi::GenererMesure(int port, int numMesure, double de, double a, bool sansNotes)
{
    if (port < 1 || port > MaxPorts || !Partition)
        return;
    cPile &pile = Piles[port];
    const cMesure *m = Partition->MesureNumero(numMesure);
    if (m) {
        cBasePile *suivante = pile.PremiereListe;
        for (cMesurePiste *mp = m->PremiereMesurePiste; mp; mp = mp->SuivanteDansMesure) {
            if (!mp->Piste || mp->Piste->Port != port)
                continue;
            cBasePile *l = suivante;
            while (l && l->Piste != mp->Piste)
                l = l->Suivante;
            if (!l)
                continue; // a track without a list (its port was not prepared) stays silent
            suivante = l->Suivante;
            if (sansNotes)
                continue;
            double debut = 0;
            for (cAccord *acc = mp->PremierAccord; acc && debut < a; acc = acc->Suivant) {
                if (debut >= de)
                    GenererTemps(*l, acc, debut - de + pile.Decalage, mp);
                debut += acc->Duree;
            }
        }
        cBasePile *lm = port == 1 ? pile.ListeDe(&PisteMetronome) : nullptr;
        if (lm && m->Numerateur > 0) {
            const int n = m->Numerateur;
            const double pas = Arrondi(m->Longueur / n);
            const double volume = std::clamp(Options.MetronomeVolume, 0, 16) / 16.0;
            for (int k = 0; k < n; ++k) {
                const double t = k * pas;
                if (t < de)
                    continue;
                const double vel =
                    Arrondi(((t == 0 && Options.DifferentMetronomeFirstSound) ? 127 : 90) * volume);
                const double temps = t - de + pile.Decalage;
                lm->Inserer(temps, 0x99, 37, Octet(vel));
                lm->Inserer(temps + 60, 0x89, 37, 50);
            }
        }
    }
    pile.Decalage += a - de;
}

// ------------------------------------------------------------------ mix table

void cGenerateurMidi::Controle(cBasePile &l, double temps, uint8_t base, uint8_t d1,
                               uint8_t d2) const
{
    const int c = CanalValide(l.Piste->Canal), ce = CanalValide(l.Piste->CanalEffets);
    l.Inserer(temps, StatutCanal(base, c), d1, d2);
    if (ce != c)
        l.Inserer(temps, StatutCanal(base, ce), d1, d2);
}

void cGenerateurMidi::Rampe(cBasePile &l, double base, uint8_t controleur, double c, double b,
                            double f) const
{
    const long n = static_cast<long>(Tronque(4 * f));
    const double pas = (b - c) / (n + 1);
    for (long k = 0; k <= n; ++k) {
        const long v = static_cast<long>(Arrondi(8 * (c + (k + 1) * pas)));
        Controle(l, base + Arrondi(120.0 * k), 0xB0, controleur, ValeurControleur(v));
    }
}

void cGenerateurMidi::RampeTempo(double base, double c, double b, double f)
{
    uint8_t d1, d2, d3;
    if (f > 0) {
        const double pas = (b - c) / (4 * f);
        const long n = static_cast<long>(Arrondi(4 * f));
        for (long k = 1; k <= n; ++k) {
            OctetsTempo(Arrondi(c + k * pas), d1, d2, d3);
            ListeTempo.Inserer(base + Arrondi(120.0 * k), 0, d1, d2, d3);
        }
    } else {
        OctetsTempo(b, d1, d2, d3);
        ListeTempo.Inserer(base, 0, d1, d2, d3);
    }
    TempoCourant = b;
}

// ------------------------------------------------------------------ beats

void cGenerateurMidi::GenererTemps(cBasePile &L, cAccord *a, double x, cMesurePiste *mp)
{
    if (!a || !L.Piste)
        return;
    const cPiste &piste = *L.Piste;
    const bool lb = LimitBendPort(piste.Port);
    const bool effets = EnExport ? Options.ExportEffects : Options.PlayEffects;
    const int canal = CanalValide(piste.Canal), canalE = CanalValide(piste.CanalEffets);
    const auto roue = [&](double temps, double valeur) {
        L.Inserer(temps, StatutCanal(0xE0, canalE), 0, Roue(valeur));
    };

    // 1. Triplet feel: the off-beat eighth of a pair comes late, the on-beat one lasts longer.
    double delai = 0;
    bool pairePossible = false;
    if ((EnLecture || EnExport) && Partition && Partition->Informations &&
        Partition->Informations->TripletFeel && mp) {
        const double debut = Arrondi(mp->TempsDepuisDebutMesure(a));
        const bool sur480 = std::fmod(debut, 480.0) == 0, sur240 = std::fmod(debut, 240.0) == 0;
        if (a->Duree == 240 && a->Precedent && a->Precedent->Duree == 240 && !sur480 && sur240)
            delai = 80;
        pairePossible = a->Duree == 240 && a->Suivant && a->Suivant->Duree == 240 && sur480;
    }
    const auto extension = [&](const cNote &n) {
        return (pairePossible && n.DureeTicks == 240) ? 80.0 : 0.0;
    };

    // 2. Mix table change, whatever the effects setting.
    if (const cTableMixEvent *tm = a->TableMix) {
        const double base = Arrondi(x + delai);
        if (tm->Instrument >= 0)
            Controle(L, base, 0xC0, static_cast<uint8_t>(tm->Instrument), 0);
        const int8_t valeurs[6] = {tm->Volume, tm->Balance, tm->Chorus,
                                   tm->Reverb, tm->Phaser,  tm->Tremolo};
        const uint8_t transitions[6] = {tm->TransVolume, tm->TransBalance, tm->TransChorus,
                                        tm->TransReverb, tm->TransPhaser,  tm->TransTremolo};
        for (int i = 0; i < 6; ++i)
            if (valeurs[i] >= 0) {
                Rampe(L, base, Controleurs[i], L.ValeursCourantes[i], valeurs[i], transitions[i]);
                L.ValeursCourantes[i] = valeurs[i];
            }
        // A tempo of 0 has no length of quarter note: such a change is ignored.
        if (tm->Tempo > 0)
            RampeTempo(base, TempoCourant, tm->Tempo, tm->TransTempo);
    }

    // Longest sounding length of the beat's normal notes, with the pair extension.
    const auto longueurAccord = [&]() {
        double lmax = 0, e = 0;
        for (int s = 1; s <= a->NbNotes; ++s) {
            const cNote *n = a->Notes[s];
            if (!n || n->Type != 1)
                continue;
            const double d = DureeSonore(mp, a, s).Ticks;
            if (d > lmax) {
                lmax = d;
                e = extension(*n);
            }
        }
        return lmax + e;
    };

    // 3. Beat effects.
    int transposition = 0;
    bool harmoniqueNaturelle = false, versLeHaut = false, marque = false;
    double pasBrush = 0;
    if (const cEffets_Accord *E = a->Effets) {
        if (E->HarmoniqueArtificielle)
            transposition = 12;
        harmoniqueNaturelle = E->HarmoniqueNaturelle;
        if (E->FadeIn && effets)
            Rampe(L, Arrondi(x + delai), 7, 0, L.ValeursCourantes[mixVolume],
                  0.75 * a->Duree / 480.0);
        int choix = 0;
        if (E->BrushUp > 0) {
            choix = E->BrushUp;
            versLeHaut = true;
        } else if (E->BrushDown > 0) {
            choix = E->BrushDown;
        }
        if (choix > 0) {
            choix = std::min(choix, 6);
            const double etendue = std::min(480.0 / double(1 << (6 - choix)), 0.8 * a->Duree);
            pasBrush = etendue / std::max(piste.NbCordes, 1);
        }
        const bool sansPitch = !AvecPitch(*a);
        if (E->CoupVibrato > 0 && effets && sansPitch) {
            marque = true;
            if (!(lb && E->CoupVibrato > 100)) {
                const double T = longueurAccord();
                const double d = Tronque(T / 16);
                const double q = Arrondi(2.0 * E->CoupVibrato / 100);
                const double m = lb ? 4 : 1;
                const double profondeur = Arrondi(8 * q) * m;
                double t = x;
                for (int i = 1; i <= 4; ++i) {
                    t += d;
                    roue(t, std::max(Arrondi(64 - profondeur * i / 4), 0.0));
                }
                for (int i = 8; i >= 1; --i) {
                    t += (i == 1) ? 3 * d : d;
                    roue(t, Arrondi(64 - profondeur * i / 8));
                }
                roue(x + T, 64);
            }
        }
        if ((E->Vibrato || E->TremoloBar) && effets && sansPitch) {
            marque = true;
            const bool etroit = E->Vibrato;
            const double periode = etroit ? 80 : 100, amplitude = etroit ? 18 : 40;
            const double T = longueurAccord();
            double e = amplitude, dir = 1;
            for (double tau = periode; tau <= T; tau += periode) {
                e += amplitude * dir;
                if (etroit) {
                    if (e > amplitude) {
                        e = 0;
                        dir = -1;
                    } else if (e < 0) {
                        e = amplitude;
                        dir = 1;
                    }
                } else {
                    if (e > amplitude) {
                        e = -amplitude;
                        dir = -1;
                    } else if (e < -amplitude) {
                        e = amplitude;
                        dir = 1;
                    }
                }
                roue(x + tau + delai, 64 + Arrondi(e * (lb ? 64 : 16) / 100));
            }
            roue(x + T, 64);
        }
    }

    // 4. Notes, in brush order.
    if (a->Etat != 1)
        return;
    const int nb = std::min<int>(a->NbNotes, MaxCordes);
    double t = x;
    for (int i = 0; i < nb; ++i) {
        const int s = versLeHaut ? nb - i : i + 1;
        cNote *n = a->Notes[s];
        if (!n)
            continue;
        if (harmoniqueNaturelle) {
            switch (n->Case) {
            case 4:
            case 9:
            case 16:
                transposition = 28 - n->Case;
                break;
            case 5:
            case 24:
                transposition = 24 - n->Case;
                break;
            case 7:
            case 19:
                transposition = 19 - n->Case;
                break;
            case 12:
                transposition = 0;
                break;
            default:
                break;
            }
        }
        const int accordage = piste.AccordageCorde(s) + piste.Capo + transposition;
        const double e = extension(*n);
        rDureeSonore ds;
        if (n->Type == 1 || (n->Type <= 2 && n->Effets))
            ds = DureeSonore(mp, a, s);

        if (n->Type == 1) {
            const int cle = FretJoue(piste, s, n->Case) + accordage;
            const int ch = (ds.Pitch || marque) ? canalE : canal;
            double vel = 16.0 * n->Nuance - 1;
            if (L.Adoucir[s]) {
                vel = Arrondi(0.8 * vel);
                L.Adoucir[s] = false;
            }
            const bool douze = piste.DouzeCordes && s >= 3;
            L.Inserer(t + delai, StatutCanal(0x90, ch), Octet(cle), Octet(vel));
            if (douze)
                L.Inserer(t + delai + 4, StatutCanal(0x90, ch), Octet(cle + 12),
                          Octet(Arrondi(0.8 * vel)));
            const double fin = x + ds.Ticks + e + (n->DureeTicks < 240 ? delai : 0);
            L.Inserer(fin, StatutCanal(0x80, ch), Octet(cle), 80);
            if (douze)
                L.Inserer(fin, StatutCanal(0x80, ch), Octet(cle + 12), 80);
        }

        if (n->Type <= 2 && n->Effets) {
            const cEffets_Note &en = *n->Effets;
            if (const cEffet_Appogiature *g = en.Appogiature) {
                // Lead times outside the dialog's three choices take the nearest one.
                const int choixDuree = std::clamp<int>(g->Duree, 1, 3);
                const double avance = choixDuree == 1 ? 30 : choixDuree == 2 ? 60 : 120;
                const int fret = FretJoue(piste, s, g->Case == 255 ? 0 : g->Case);
                const int cle = fret + accordage;
                const double debut = t + delai - avance;
                L.Inserer(debut, StatutCanal(0x90, canal), Octet(cle),
                          Octet(16.0 * g->Nuance - 1));
                L.Inserer(fret < 0 ? debut + 20 : t + delai - 1, StatutCanal(0x80, canal),
                          Octet(cle), 80);
            }
            if (effets && en.Bend && !(lb && en.Bend->HauteurMax() > 100)) {
                const double Lg = ds.Ticks + e;
                const bool lissage = a->Effets && a->Effets->Vibrato;
                int osc = 1, dir = -1;
                double precedente = -1;
                for (double tau = 0; tau <= Lg;) {
                    const double pos = Lg > 0 ? Arrondi(tau / Lg * 60) : 0;
                    int v = 0;
                    const int h = en.Bend->HauteurA(pos, lissage, v);
                    int hp = h;
                    if (v > 0) {
                        hp = h + 10 * osc;
                        if (h == 0)
                            hp += 10;
                        if (lb && h == 100)
                            hp -= 10;
                        osc += dir;
                        if (osc != 0)
                            dir = -osc;
                    }
                    const double valeur =
                        std::clamp(64 + Arrondi(hp * (lb ? 64.0 : 16.0) / 100), 0.0, 127.0);
                    if (tau == 0 || valeur != precedente || v > 0)
                        roue(t + tau + delai, valeur);
                    precedente = valeur;
                    tau += 16.0 * (v + 1);
                }
                roue(t + Lg, 64);
            }
            if (effets && (en.HammerPullOff || en.Slide))
                L.Adoucir[s] = true;
            if (effets && en.Slide && ds.Accord && s <= ds.Accord->NbNotes &&
                ds.Accord->Notes[s]) {
                const double Lg = ds.Ticks + e;
                const int de = FretJoue(piste, s, n->Case);
                const int vers = FretJoue(piste, s, ds.Accord->Notes[s]->Case);
                const int sens = vers - de >= 0 ? 1 : -1;
                const int ecart = std::abs(vers - de);
                double pos, pas;
                if (ecart < 2) {
                    pos = 0.8 * Lg;
                    pas = 0.2 * Lg;
                } else {
                    pos = Lg / 2;
                    pas = (Lg / 2) / (ecart - 1);
                }
                const double m = lb ? 4 : 1;
                int demiTons = 0;
                while (pos < Lg && pas > 0) {
                    demiTons += sens;
                    roue(t + Arrondi(pos) + delai, Arrondi(Arrondi(8.0 * demiTons) * m + 64));
                    pos += pas;
                }
                roue(t + Arrondi(pos) + delai, 64);
            }
        }

        if (n->Type == 3) {
            const double debut = t + delai;
            L.Inserer(debut, StatutCanal(0x90, canal), Octet(accordage),
                      Octet(16.0 * n->Nuance - 1));
            L.Inserer(debut + 20, StatutCanal(0x80, canal), Octet(accordage), 80);
        }
        if (n->Type == 1 || n->Type == 3)
            t += pasBrush;
    }
}
