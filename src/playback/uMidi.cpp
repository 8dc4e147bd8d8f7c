// The playback engine. Times in the output queues are ticks on the playback clock: the music
// starts after the count-down bar, and bar n + 1 is generated when the cursor enters bar n.
#include "playback/uMidi.h"

#include <algorithm>
#include <cmath>

#include "config/uConfig.h"
#include "model/uDurees.h"

namespace {
bool EstNoteOuRoue(uint8_t statut)
{
    const uint8_t t = statut & 0xF0;
    return t == 0x80 || t == 0x90 || t == 0xE0;
}
} // namespace

cMidi::cMidi(std::unique_ptr<cBibliothequeMidi> bibliotheque, iInterfaceLecture *interface)
    : Gen(nullptr), Biblio(std::move(bibliotheque)), Interface(interface)
{
    for (int n = 1; n <= MaxPorts; ++n)
        Ports[n].NomPeripherique = TexteAucunPort;
}

cMidi::~cMidi()
{
    Interface = nullptr;
    if (Biblio) {
        Biblio->DefinirNotification(nullptr);
        if (Sync)
            Biblio->StopSync(Sync);
        for (int n = 1; n <= MaxPorts; ++n)
            if (Sorties[n])
                Biblio->CloseMidiOut(Sorties[n]);
    }
    Gen.LibererListes();
}

// ------------------------------------------------------------------ set-up

void cMidi::Initialiser(const std::array<std::string, 4> &midiOut,
                        const std::array<std::string, 4> &patchInstr,
                        const std::array<bool, 4> &limitBend, const std::string &aucunPort,
                        const std::string &aucunPatch, const std::string &patchNonTrouve)
{
    NomsPeripheriques.clear();
    for (int i = 0; i < Biblio->GetNumOutDevices(); ++i)
        NomsPeripheriques.push_back(Biblio->GetMidiOutDescription(i));
    NomsPatchs = ::NomsPatchs();
    TexteAucunPort = "-" + aucunPort + "-";
    for (int n = 1; n <= MaxPorts; ++n) {
        Ports[n].Peripherique = -1;
        Ports[n].NomPeripherique = TexteAucunPort;
        Ports[n].Patch.Nom.clear();
    }
    if (!NomsPeripheriques.empty()) {
        Ports[1].Peripherique = 0;
        Ports[1].NomPeripherique = NomsPeripheriques[0];
        const auto gm = std::find(NomsPatchs.begin(), NomsPatchs.end(), "General MIDI");
        if (gm != NomsPatchs.end())
            Ports[1].Patch.Nom = *gm;
        else if (!NomsPatchs.empty())
            Ports[1].Patch.Nom = NomsPatchs.front();
    }
    for (int n = 1; n <= MaxPorts; ++n) {
        const auto d = std::find(NomsPeripheriques.begin(), NomsPeripheriques.end(), midiOut[n - 1]);
        if (!midiOut[n - 1].empty() && d != NomsPeripheriques.end()) {
            Ports[n].Peripherique = static_cast<int>(d - NomsPeripheriques.begin());
            Ports[n].NomPeripherique = *d;
        }
        const auto p = std::find(NomsPatchs.begin(), NomsPatchs.end(), patchInstr[n - 1]);
        if (!patchInstr[n - 1].empty() && p != NomsPatchs.end())
            Ports[n].Patch.Nom = *p;
        Ports[n].Patch.Charger(aucunPatch, patchNonTrouve);
        Gen.Options.LimitBend[n] = limitBend[n - 1];
    }
    FacteurTempo = 0.5;
    FacteurActif = false;
    Gen.PisteMetronome.Muet = true;
}

void cMidi::LireReglages(const cConfig &c)
{
    Gen.Options.PlayRepeats = c.PlayRepeats;
    Gen.Options.PlayEffects = c.PlayEffects;
    Gen.Options.ExportRepeats = c.ExportRepeats;
    Gen.Options.ExportEffects = c.ExportEffects;
    Gen.Options.MetronomeVolume = c.MetronomeVolume;
    Gen.Options.DifferentMetronomeFirstSound = c.DifferentMetronomeFirstSound;
    for (int n = 1; n <= MaxPorts; ++n)
        Gen.Options.LimitBend[n] = c.LimitBend[n - 1];
    Metronome(c.Metronome);
    CountDown = c.CountDown;
    JouerPendantSaisie = c.JouerPendantSaisie;
}

void cMidi::EcrireReglages(cConfig &c) const
{
    for (int n = 1; n <= MaxPorts; ++n) {
        c.MidiOut[n - 1] = Ports[n].Peripherique >= 0 ? Ports[n].NomPeripherique : std::string();
        c.PatchInstr[n - 1] = Ports[n].Patch.Nom;
        c.LimitBend[n - 1] = Gen.Options.LimitBend[n];
    }
}

void cMidi::ChangerPartition(cPartition *p)
{
    Arreter();
    Gen.LibererListes();
    MP = nullptr;
    Acc = nullptr;
    Gen.Partition = p;
    Gen.OrdreLecture.clear();
    if (p)
        TempoCourant = Gen.TempoCourant = p->Tempo;
}

void cMidi::ChoisirPeripherique(int port, int peripherique)
{
    if (port < 1 || port > MaxPorts)
        return;
    Arreter();
    if (Sorties[port]) {
        Biblio->CloseMidiOut(Sorties[port]);
        Sorties[port] = 0;
    }
    const bool valide = peripherique >= 0 && peripherique < int(NomsPeripheriques.size());
    Ports[port].Peripherique = valide ? peripherique : -1;
    Ports[port].NomPeripherique = valide ? NomsPeripheriques[peripherique] : TexteAucunPort;
    EchecPort[port] = false;
}

int cMidi::NbPistesPort(int port) const
{
    if (!Partition() || Ports[port].Peripherique < 0)
        return 0;
    int n = 0;
    for (const cPiste *t = Partition()->PremierePiste; t; t = t->Suivante)
        n += t->Port == port;
    return n;
}

bool cMidi::OuvrirPorts(bool explicite)
{
    if (!Sync)
        Sync = Biblio->OpenSync();
    bool un = false;
    for (int n = 1; n <= MaxPorts; ++n) {
        Gen.Piles[n].NbPistes = NbPistesPort(n);
        if (Sorties[n] && (Gen.Piles[n].NbPistes == 0 || !Biblio->Ouverte(Sorties[n]))) {
            Biblio->CloseMidiOut(Sorties[n]);
            Sorties[n] = 0;
        }
    }
    // A port that fails does not keep the others closed; previews do not retry it, so its
    // message comes once and not at every key.
    for (int n = 1; n <= MaxPorts; ++n) {
        if (Gen.Piles[n].NbPistes == 0 || Sorties[n]) {
            un = un || Sorties[n];
            continue;
        }
        if (EchecPort[n] && !explicite)
            continue;
        std::string erreur;
        Sorties[n] = Biblio->OpenMidiOut(Ports[n].Peripherique, Sync, n, erreur);
        if (Sorties[n]) {
            EchecPort[n] = false;
            un = true;
            continue;
        }
        // Only a play command says so: a preview at every key never brings up a message.
        EchecPort[n] = true;
        if (explicite && Interface)
            Interface->ErreurPeripherique(Ports[n].NomPeripherique);
    }
    for (int n = 1; n <= MaxPorts; ++n)
        Gen.Piles[n].Ouvert = Sorties[n] > 0;
    return un;
}

void cMidi::FermerPorts()
{
    Arreter();
    for (int n = 1; n <= MaxPorts; ++n) {
        if (Sorties[n])
            Biblio->CloseMidiOut(Sorties[n]);
        Sorties[n] = 0;
        Gen.Piles[n].Ouvert = false;
        EchecPort[n] = false;
    }
    if (Sync)
        Biblio->CloseSync(Sync);
    Sync = 0;
}

void cMidi::Envoyer(int port, const cPiste &, uint8_t statut, uint8_t d1, uint8_t d2)
{
    if (PortOuvert(port))
        Biblio->PutMidiOut(Sorties[port], {0, statut, d1, d2, 0});
}

// ------------------------------------------------------------------ tempo

void cMidi::DefinirTempo(double tempo)
{
    if (tempo <= 0)
        return;
    const double f = FacteurActif ? FacteurTempo : 1.0;
    if (!Sync)
        Sync = Biblio->OpenSync();
    Biblio->SetTempo(Sync, static_cast<int>(Arrondi(60000000.0 / tempo / f)));
    TempoEffectif_ = static_cast<int>(Arrondi(tempo * f));
    if (Interface)
        Interface->TempoAffiche(TempoEffectif_);
}

void cMidi::ChangerTempoPartition()
{
    if (!Partition() || ModeTrainer)
        return;
    TempoCourant = Partition()->Tempo;
    DefinirTempo(TempoCourant);
}

void cMidi::ChoisirFacteur(double facteur)
{
    FacteurTempo = facteur;
    FacteurActif = true;
    if (Partition())
        DefinirTempo(Lecture ? TempoCourant : Partition()->Tempo);
}

void cMidi::BasculerFacteur(bool actif)
{
    FacteurActif = actif;
    if (Partition())
        DefinirTempo(Lecture ? TempoCourant : Partition()->Tempo);
}

// ------------------------------------------------------------------ playback

int cMidi::MesureA(int index) const
{
    if (index < 1 || index > int(Gen.OrdreLecture.size()))
        return 1;
    return Gen.OrdreLecture[index - 1];
}

cMesurePiste *cMidi::MesurePisteDe(int numMesure) const
{
    cPartition *p = Partition();
    return p ? p->MesurePisteDe(numMesure, p->Curseur.NumPiste) : nullptr;
}

void cMidi::Jouer(eModeJeu mode, int numMarker)
{
    cPartition *p = Partition();
    if (!p)
        return;
    if (Lecture || Pause)
        Arreter();
    rPosition c = p->Curseur;
    switch (mode) {
    case eModeJeu::Debut:
        c.NumMesure = 1;
        c.NumTemps = 1;
        break;
    case eModeJeu::Marker: {
        int k = 1;
        const cMarker *m = p->PremierMarker;
        while (m && k < numMarker) {
            m = m->Suivant;
            ++k;
        }
        if (!m || !m->Mesure)
            return;
        c.NumMesure = m->Mesure->Index;
        c.NumTemps = 1;
        MesureMarker = c.NumMesure;
        break;
    }
    case eModeJeu::MesureCourante:
        CurseurSauve = p->Curseur;
        c.NumTemps = 1;
        break;
    case eModeJeu::PositionCourante:
        break;
    }
    ModeMesure = mode == eModeJeu::MesureCourante;
    ModeMarker = mode == eModeJeu::Marker;
    ModeTrainer = false;
    p->PlacerCurseur(c);
    Demarrer();
}

void cMidi::JouerTrainer(int premiere, int derniere, int tempoDebut, int tempoFin, int pas)
{
    cPartition *p = Partition();
    if (!p)
        return;
    if (Lecture || Pause)
        Arreter();
    TrainerPremiere = premiere;
    TrainerDerniere = derniere;
    TrainerTempoDebut = tempoDebut;
    TrainerTempoFin = tempoFin;
    TrainerPas = tempoFin < tempoDebut ? -std::abs(pas) : std::abs(pas);
    TrainerTempo = tempoDebut;
    ModeMesure = ModeMarker = false;
    rPosition c = p->Curseur;
    c.NumMesure = premiere;
    c.NumTemps = 1;
    p->PlacerCurseur(c);
    p->EffacerSelection();
    ModeTrainer = true;
    Demarrer();
    TempoCourant = TrainerTempo;
    DefinirTempo(TrainerTempo);
}

void cMidi::GenererPourPorts(int numMesure, double de, double a)
{
    for (int n = 1; n <= MaxPorts; ++n)
        if (PortActif(n)) {
            Gen.GenererMesure(n, numMesure, de, a, false);
            Gen.Fusionner(n);
        }
}

void cMidi::Demarrer()
{
    cPartition &p = *Partition();
    if (!p.Curseur.MesurePiste || !p.Curseur.Accord)
        p.PlacerCurseur(p.Curseur);
    if (!p.Curseur.MesurePiste || !p.Curseur.Accord || !p.Curseur.MesurePiste->Mesure)
        return;

    Gen.ConstruireOrdre(Gen.Options.PlayRepeats);
    if (ModeMesure) {
        rPosition a = p.Curseur;
        a.NumTemps = 1;
        p.Selectionner(a, p.Curseur.MesurePiste->NbAccords);
    }
    if (Sync)
        Biblio->StopSync(Sync);
    Gen.LibererListes();
    OuvrirPorts(true);
    Gen.EnLecture = true;
    Gen.PreparerCanaux(*this);
    for (int n = 1; n <= MaxPorts; ++n)
        if (PortActif(n))
            Gen.CreerListes(n, n == 1);
    TempoCourant = Gen.TempoCourant = p.Tempo;
    EnvoyerMixAnterieurs();

    MP = p.Curseur.MesurePiste;
    Acc = p.Curseur.Accord;
    NumMesure = p.Curseur.NumMesure;
    NumTemps = p.Curseur.NumTemps;
    IndexOrdre = Gen.IndexOrdre(NumMesure);
    DebutTemps = 0;
    const double debutAccord = MP->TempsDepuisDebutMesure(Acc);
    FinMesure = MP->Mesure->Longueur - debutAccord;
    Lecture = true;
    Pause = false;
    if (Interface)
        Interface->LectureDemarree();

    for (int n = 1; n <= MaxPorts; ++n)
        Gen.Piles[n].Decalage = 0;
    LongueurCountDown = 0;
    if (CountDown && PortActif(1)) {
        Gen.GenererMesure(1, NumMesure, 0, MP->Mesure->Longueur, true);
        Gen.Fusionner(1);
        LongueurCountDown = MP->Mesure->Longueur;
    }
    CountDownActif = CountDown;
    for (int n = 1; n <= MaxPorts; ++n)
        if (PortActif(n)) {
            Gen.Piles[n].Decalage = Gen.Piles[1].Decalage;
            Gen.GenererMesure(n, NumMesure, debutAccord, MP->Mesure->Longueur, false);
            Gen.Fusionner(n);
        }

    ActualiserSolo();

    NbMesuresJouees = 0;
    if (Interface)
        Interface->CurseurSuivi(true);
    PreparerMesureSuivante();

    if (Interface)
        Interface->ActiverEnvoi(true);
    EnvoyerJusquaPosition(0);
    Biblio->StartSync(Sync);
    if (Interface)
        Interface->ActiverSuivi(true);
}

// Starting after bar 1: the instrument, mix values and tempo that the mix table changes met
// earlier in the play order have set are sent before the first note, so the music sounds as
// it would have had it played from the start.
void cMidi::EnvoyerMixAnterieurs()
{
    cPartition &p = *Partition();
    const int debut = Gen.IndexOrdre(p.Curseur.NumMesure);
    const cAccord *arret = p.Curseur.Accord;
    double tempo = -1;
    for (cPiste *t = p.PremierePiste; t; t = t->Suivante) {
        if (t->Port < 1 || t->Port > MaxPorts || !PortActif(t->Port))
            continue;
        cBasePile *l = Gen.Piles[t->Port].ListeDe(t);
        if (!l)
            continue;
        int instrument = -1;
        std::array<int, 6> valeurs{-1, -1, -1, -1, -1, -1};
        const auto lire = [&](const cMesurePiste *mp, const cAccord *fin) {
            for (const cAccord *a = mp ? mp->PremierAccord : nullptr; a && a != fin;
                 a = a->Suivant) {
                const cTableMixEvent *m = a->TableMix;
                if (!m)
                    continue;
                if (m->Instrument >= 0)
                    instrument = m->Instrument;
                const int8_t v[6] = {m->Volume, m->Balance, m->Chorus,
                                     m->Reverb, m->Phaser,  m->Tremolo};
                for (int i = 0; i < 6; ++i)
                    if (v[i] >= 0)
                        valeurs[i] = v[i];
                if (m->Tempo > 0)
                    tempo = m->Tempo;
            }
        };
        for (int k = 1; k < debut; ++k)
            lire(p.MesurePisteDe(MesureA(k), t->Index), nullptr);
        if (const cMesurePiste *mp = p.MesurePisteDe(p.Curseur.NumMesure, t->Index)) {
            // Up to the beat where playback starts, at the same time in the bar.
            const double x = p.Curseur.MesurePiste->TempsDepuisDebutMesure(arret);
            const cAccord *fin = mp->PremierAccord;
            for (double a = 0; fin && a < x; fin = fin->Suivant)
                a += fin->Duree;
            lire(mp, fin);
        }
        const auto envoyer = [&](uint8_t base, uint8_t d1, uint8_t d2) {
            Envoyer(t->Port, *t, StatutCanal(base, t->Canal), d1, d2);
            if (StatutCanal(base, t->CanalEffets) != StatutCanal(base, t->Canal))
                Envoyer(t->Port, *t, StatutCanal(base, t->CanalEffets), d1, d2);
        };
        if (instrument >= 0)
            envoyer(0xC0, static_cast<uint8_t>(instrument), 0);
        static constexpr uint8_t controleurs[6] = {7, 10, 93, 91, 92, 95};
        for (int i = 0; i < 6; ++i)
            if (valeurs[i] >= 0) {
                envoyer(0xB0, controleurs[i], ValeurControleur(8L * valeurs[i]));
                l->ValeursCourantes[i] = valeurs[i];
            }
    }
    if (tempo > 0 && !ModeTrainer) {
        TempoCourant = Gen.TempoCourant = tempo;
        DefinirTempo(tempo);
    }
}

void cMidi::PreparerMesureSuivante()
{
    cPartition *p = Partition();
    if (!p)
        return;
    // The trainer always goes on: its range wraps even when it ends with the score.
    if (FinOrdre() && !(Boucle && !ModeTrainer) && !ModeTrainer)
        return;
    int mesure;
    const int suivante = MesureA(IndexOrdre + 1);
    const cMesure *ms = p->MesureNumero(suivante);
    if (ModeMesure) {
        // Without loop the bar plays once: nothing is generated after it.
        if (!Boucle)
            return;
        mesure = NumMesure;
    } else if (ModeTrainer && MesureA(IndexOrdre) >= TrainerDerniere) {
        mesure = TrainerPremiere;
    } else if (ModeMarker && Boucle && !ModeTrainer && !FinOrdre() && ms && ms->Marker) {
        mesure = MesureMarker;
    } else if (!FinOrdre()) {
        mesure = suivante;
    } else {
        mesure = ModeMarker ? MesureMarker : 1;
    }
    if (const cMesure *m = p->MesureNumero(mesure))
        GenererPourPorts(mesure, 0, m->Longueur);
}

bool cMidi::EstMuet(const cPiste *piste, double temps) const
{
    if (!piste)
        return false;
    const bool metronome = piste == &Gen.PisteMetronome;
    bool muet = piste->Muet;
    // The count-down clicks sound even with the metronome off.
    if (metronome && CountDownActif && temps < LongueurCountDown)
        muet = false;
    if (!muet && UnSolo && !piste->Solo && !metronome)
        muet = true;
    return muet;
}

void cMidi::EnvoyerJusqua()
{
    if (!Lecture || Pause)
        return;
    EnvoyerJusquaPosition(double(Biblio->GetPosition(Sync)));
}

void cMidi::EnvoyerJusquaPosition(double pos)
{
    // A quarter note ahead; never less than a quarter of a second, so that a late tick at a
    // fast tempo still finds its records in the layer.
    const double parMs = 480.0 * std::max(TempoEffectif_, 1) / 60000.0;
    const double avance = std::max(AvanceTicks, 250 * parMs);
    for (int n = 1; n <= MaxPorts; ++n) {
        if (!PortActif(n))
            continue;
        cMyHMidiOut &q = Gen.Piles[n].Sortie;
        while (!q.EstVide() && q.Premier().Temps <= pos + avance) {
            const cMyEvtMidiOut &e = q.Premier();
            if (!(EstMuet(e.Piste, e.Temps) && EstNoteOuRoue(e.Statut))) {
                const auto t = static_cast<int64_t>(Arrondi(e.Temps));
                // Records before time 0 go at 0; later deltas count from what was put, so
                // they do not shift the rest.
                const int64_t delta = std::max<int64_t>(t - q.DernierEnvoi, 0);
                Biblio->PutMidiOut(Sorties[n], {static_cast<int32_t>(delta), e.Statut, e.Donnee1,
                                                e.Donnee2, e.Donnee3});
                q.DernierEnvoi += delta;
            }
            q.RetirerPremier();
        }
    }
}

void cMidi::ToutEnvoyer(int port)
{
    cMyHMidiOut &q = Gen.Piles[port].Sortie;
    q.DernierEnvoi = 0;
    EnvoyerN(port, int(q.Evts.size()));
}

void cMidi::EnvoyerN(int port, int n)
{
    if (port < 1 || port > MaxPorts)
        return;
    cMyHMidiOut &q = Gen.Piles[port].Sortie;
    for (int k = 0; k < n && !q.EstVide(); ++k) {
        const cMyEvtMidiOut &e = q.Premier();
        if (Sorties[port]) {
            const auto t = static_cast<int64_t>(Arrondi(e.Temps));
            const int64_t delta = std::max<int64_t>(t - q.DernierEnvoi, 0);
            Biblio->PutMidiOut(Sorties[port], {static_cast<int32_t>(delta), e.Statut, e.Donnee1,
                                               e.Donnee2, e.Donnee3});
            q.DernierEnvoi += delta;
        }
        q.RetirerPremier();
    }
}

void cMidi::PlacerCurseurEdition()
{
    cPartition &p = *Partition();
    rPosition c = p.Curseur;
    c.NumMesure = NumMesure;
    c.NumTemps = NumTemps;
    p.PlacerCurseur(c);
}

void cMidi::SuivreCurseur()
{
    cPartition *p = Partition();
    if (!Lecture || Pause || !p || !MP || !Acc)
        return;
    ChangerPiste();
    const double decalage = Arrondi(LongueurCountDown);
    const double pos = double(Biblio->GetPosition(Sync)) - decalage;

    if (cEvtPile *e = Gen.ListeTempo.Premier; e && e->Temps - decalage <= pos) {
        e = Gen.ListeTempo.Extraire();
        const double us = e->Donnee1 * 65536.0 + e->Donnee2 * 256.0 + e->Donnee3;
        delete e;
        if (!ModeTrainer && us > 0) {
            TempoCourant = Arrondi(60000000.0 / us);
            DefinirTempo(TempoCourant);
        }
    }
    if (pos >= FinMesure && ++NbMesuresJouees >= LimiteMesures && ModeNavigateur) {
        Arreter();
        if (Interface)
            Interface->LimiteNavigateur();
        return;
    }
    if (!(pos < FinMesure || Boucle || ModeTrainer || (!FinOrdre() && !ModeMesure))) {
        Arreter();
        return;
    }
    if (!(pos >= DebutTemps + Acc->Duree || pos >= FinMesure))
        return;
    bool nouvelle = false;
    if (Acc->Suivant && pos < FinMesure) {
        DebutTemps += Acc->Duree;
        Acc = Acc->Suivant;
        ++NumTemps;
    } else if (pos >= FinMesure && (!FinOrdre() || Boucle || ModeTrainer)) {
        nouvelle = true;
        DebutTemps = FinMesure;
        if (ModeMesure && Boucle && !ModeTrainer) {
            // the same bar again
        } else if (!FinOrdre() || ModeTrainer || (ModeMarker && Boucle)) {
            const int precedente = NumMesure;
            const cMesure *ms = p->MesureNumero(MesureA(IndexOrdre + 1));
            if (ModeTrainer && MesureA(IndexOrdre) >= TrainerDerniere) {
                IndexOrdre = Gen.IndexOrdre(TrainerPremiere);
                TrainerTempo += TrainerPas;
                if ((TrainerPas > 0 && TrainerTempo > TrainerTempoFin) ||
                    (TrainerPas < 0 && TrainerTempo < TrainerTempoFin))
                    TrainerTempo = TrainerTempoFin;
                TempoCourant = TrainerTempo;
                DefinirTempo(TrainerTempo);
            } else if (ModeMarker && Boucle && (FinOrdre() || (ms && ms->Marker))) {
                IndexOrdre = Gen.IndexOrdre(MesureMarker);
            } else {
                ++IndexOrdre;
            }
            NumMesure = MesureA(IndexOrdre);
            MP = (NumMesure == precedente + 1 && MP->SuivanteDansPiste) ? MP->SuivanteDansPiste
                                                                         : MesurePisteDe(NumMesure);
        } else {
            IndexOrdre = 1;
            NumMesure = MesureA(1);
            MP = MesurePisteDe(NumMesure);
            TempoCourant = p->Tempo;
            DefinirTempo(TempoCourant);
        }
        if (!MP || !MP->Mesure || !MP->PremierAccord) {
            Arreter();
            return;
        }
        FinMesure += MP->Mesure->Longueur;
        Acc = MP->PremierAccord;
        NumTemps = 1;
    }
    PlacerCurseurEdition();
    if (Interface)
        Interface->CurseurSuivi(nouvelle);
    if (nouvelle)
        PreparerMesureSuivante();
}

void cMidi::ChangerPiste()
{
    cPartition *p = Partition();
    if (!Lecture || !p || !MP || !Acc)
        return;
    cPiste *t = p->PisteNumero(p->Curseur.NumPiste);
    if (!t || MP->Piste == t)
        return;
    cMesurePiste *mp = p->MesurePisteDe(NumMesure, t->Index);
    if (!mp || !mp->PremierAccord)
        return;
    const double x = MP->TempsDepuisDebutMesure(Acc);
    const double debutMesure = DebutTemps - x;
    double a = 0;
    int n = 1;
    cAccord *b = mp->PremierAccord;
    while (b->Suivant && a + b->Duree <= x) {
        a += b->Duree;
        b = b->Suivant;
        ++n;
    }
    MP = mp;
    Acc = b;
    NumTemps = n;
    DebutTemps = debutMesure + a;
    PlacerCurseurEdition();
    if (Interface)
        Interface->CurseurSuivi(false);
}

void cMidi::Silencier()
{
    cPartition *p = Partition();
    for (int n = 1; n <= MaxPorts; ++n) {
        if (!Sorties[n])
            continue;
        std::array<bool, 17> canaux{};
        if (n == 1)
            canaux[10] = true; // the metronome
        for (const cPiste *t = p ? p->PremierePiste : nullptr; t; t = t->Suivante)
            if (t->Port == n) {
                canaux[std::clamp<int>(t->Canal, 1, 16)] = true;
                canaux[std::clamp<int>(t->CanalEffets, 1, 16)] = true;
            }
        for (int c = 1; c <= 16; ++c)
            if (canaux[c]) {
                Biblio->EnvoyerImmediat(Sorties[n], StatutCanal(0xB0, c), 123, 0);
                Biblio->EnvoyerImmediat(Sorties[n], StatutCanal(0xE0, c), 0, 64);
            }
    }
}

void cMidi::Arreter()
{
    const bool etait = Lecture || Pause;
    ApercuFlux = false;
    if (Sync)
        Biblio->StopSync(Sync);
    Silencier();
    if (etait) {
        Lecture = false;
        Pause = false;
        Gen.EnLecture = false;
        if (Interface) {
            Interface->ActiverEnvoi(false);
            Interface->ActiverSuivi(false);
        }
        if (ModeMesure && Partition()) {
            Partition()->PlacerCurseur(CurseurSauve);
            Partition()->EffacerSelection();
        }
        if (Interface)
            Interface->LectureArretee();
    }
    if (Partition() && !etait)
        TempoEffectif_ = static_cast<int>(
            Arrondi(Partition()->Tempo * (FacteurActif ? FacteurTempo : 1.0)));
    if (Interface)
        Interface->TempoAffiche(TempoEffectif_);
}

void cMidi::Suspendre()
{
    if (!Lecture)
        return;
    if (Sync)
        Biblio->StopSync(Sync);
    Silencier();
    Pause = true;
    if (Interface) {
        Interface->ActiverEnvoi(false);
        Interface->ActiverSuivi(false);
    }
}

void cMidi::Reprendre()
{
    if (!Pause)
        return;
    Pause = false;
    Lecture = false;
    if (Interface)
        Interface->LectureArretee();
    Jouer(eModeJeu::PositionCourante);
}

void cMidi::Notification(int message, int sortie)
{
    switch (message) {
    case NotifPlusDeDonnees:
        if (ApercuFlux)
            EnvoyerN(1, 250);
        break;
    case NotifSortieTerminee:
        // Nothing to do: stopping the clock here would drop the last note-offs that the
        // built-in synthesizer holds ahead of time, or those of a preview begun since the
        // message was posted. The next play or preview stops it.
        break;
    case NotifPeripheriquePerdu:
        for (int n = 1; n <= MaxPorts; ++n)
            if (Sorties[n] == sortie) {
                Biblio->CloseMidiOut(Sorties[n]);
                Sorties[n] = 0;
                Gen.Piles[n].Ouvert = false;
                EchecPort[n] = true;
                Arreter();
                if (Interface)
                    Interface->ErreurPeripherique(Ports[n].NomPeripherique);
            }
        break;
    default:
        break;
    }
}

void cMidi::EnvoyerMixDirect(const cPiste &piste, uint8_t base, uint8_t d1, uint8_t d2)
{
    if (!Lecture || piste.Port < 1 || piste.Port > MaxPorts)
        return;
    Envoyer(piste.Port, piste, StatutCanal(base, piste.Canal), d1, d2);
    if (StatutCanal(base, piste.CanalEffets) != StatutCanal(base, piste.Canal))
        Envoyer(piste.Port, piste, StatutCanal(base, piste.CanalEffets), d1, d2);
}

void cMidi::ActualiserSolo()
{
    const cPartition *p = Partition();
    UnSolo = false;
    if (!p)
        return;
    for (const cPiste *t = p->PremierePiste; t; t = t->Suivante)
        UnSolo = UnSolo || t->Solo;
    if (!Lecture)
        return;
    for (const cPiste *t = p->PremierePiste; t; t = t->Suivante)
        if (t->Muet || (UnSolo && !t->Solo))
            EnvoyerMixDirect(*t, 0xB0, 123, 0);
}

// ------------------------------------------------------------------ previews

void cMidi::EcouterAccord(const cPiste &pisteConst, const cAccord &accordConst)
{
    if (!JouerPendantSaisie || !Partition())
        return;
    auto &piste = const_cast<cPiste &>(pisteConst);
    auto &accord = const_cast<cAccord &>(accordConst);
    double delai = 0;
    for (int s = 1; s <= accord.NbNotes && s <= MaxCordes; ++s)
        if (accord.Notes[s] && accord.Notes[s]->Effets && accord.Notes[s]->Effets->Appogiature)
            delai = 120;
    Arreter();
    OuvrirPorts(false);
    Gen.LibererListes();
    Gen.EnLecture = false;
    Gen.PreparerCanaux(*this);
    const int port = piste.Port;
    if (!PortOuvert(port))
        return;
    // The track measure that holds the beat, for ties and let ring; a beat from elsewhere
    // plays alone in a measure of its own.
    cMesurePiste *mp = nullptr;
    for (cMesurePiste *m = piste.PremiereMesurePiste; m && !mp; m = m->SuivanteDansPiste)
        for (cAccord *a = m->PremierAccord; a; a = a->Suivant)
            if (a == &accord) {
                mp = m;
                break;
            }
    cMesure mesureSeule;
    cMesurePiste mpSeule;
    cAccord *joue = &accord;
    if (!mp) {
        mesureSeule.Longueur = std::max(accord.Duree, 1920.0);
        mpSeule.Mesure = &mesureSeule;
        mpSeule.Piste = &piste;
        joue = mpSeule.InsererAccordApres(nullptr);
        accord.CopierVers(*joue);
        mpSeule.CalculerDuree();
        mp = &mpSeule;
    }
    cBasePile liste;
    liste.Piste = &piste;
    const rCanalMidi &cm =
        Partition()->Canaux[std::clamp(port, 1, MaxPorts)][std::clamp<int>(piste.Canal, 1, 16)];
    liste.ValeursCourantes = {cm.Volume, cm.Balance, cm.Chorus, cm.Reverb, cm.Phaser, cm.Tremolo};
    Gen.GenererTemps(liste, joue, delai, mp);
    Gen.FusionnerListe(port, liste);
    Gen.ListeTempo.Vider();
    Biblio->StartSync(Sync);
    ToutEnvoyer(port);
}

void cMidi::JouerApercu(const std::vector<rEvtEchantillon> &evts, int tempo)
{
    if (!Partition())
        return;
    Arreter();
    OuvrirPorts(false);
    Gen.LibererListes();
    Gen.PreparerCanaux(*this);
    if (!PortOuvert(1))
        return;
    if (tempo > 0)
        DefinirTempo(tempo);
    cBasePile liste;
    for (const rEvtEchantillon &e : evts)
        liste.Inserer(e.Temps, e.Statut, e.Donnee1, e.Donnee2);
    Gen.FusionnerListe(1, liste);
    ApercuFlux = true;
    Biblio->StartSync(Sync);
    Gen.Piles[1].Sortie.DernierEnvoi = 0;
    EnvoyerN(1, 250);
}

void cMidi::JouerEchantillon(int port, const std::vector<rEvtEchantillon> &evts, int tempo)
{
    if (!Partition() || port < 1 || port > MaxPorts)
        return;
    Arreter();
    OuvrirPorts(false);
    Gen.LibererListes();
    Gen.PreparerCanaux(*this);
    if (!PortOuvert(port))
        return;
    if (tempo > 0)
        DefinirTempo(tempo);
    cBasePile liste;
    for (const rEvtEchantillon &e : evts)
        liste.Inserer(e.Temps, e.Statut, e.Donnee1, e.Donnee2);
    Gen.FusionnerListe(port, liste);
    Biblio->StartSync(Sync);
    ToutEnvoyer(port);
}

bool cMidi::TesterSortie(int peripherique)
{
    ChoisirPeripherique(1, peripherique);
    if (Ports[1].Peripherique < 0)
        return false;
    if (!Sync)
        Sync = Biblio->OpenSync();
    std::string erreur;
    Sorties[1] = Biblio->OpenMidiOut(Ports[1].Peripherique, Sync, 1, erreur);
    Gen.Piles[1].Ouvert = Sorties[1] > 0;
    if (!Sorties[1]) {
        EchecPort[1] = true;
        if (Interface)
            Interface->ErreurPeripherique(Ports[1].NomPeripherique);
        return false;
    }
    Gen.LibererListes();
    DefinirTempo(120.0);
    // A rising C major arpeggio on a piano, each note an eighth.
    cBasePile liste;
    liste.Inserer(0, 0xC0, 0, 0);
    liste.Inserer(0, 0xB0, 7, 110);
    const uint8_t cles[4] = {60, 64, 67, 72};
    for (int i = 0; i < 4; ++i) {
        liste.Inserer(240.0 * i, 0x90, cles[i], 100);
        liste.Inserer(240.0 * i + 230, 0x80, cles[i], 0);
    }
    Gen.FusionnerListe(1, liste);
    Biblio->StartSync(Sync);
    ToutEnvoyer(1);
    return true;
}
