// WAV rendering. Every port's events are generated for the whole play order first, then played
// into the synthesizer in time order, rendering the samples between two events.
#include "playback/uRenduWAV.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "config/uConfig.h"
#include "fileio/uEcritureSure.h"
#include "model/uDurees.h"
#include "model/uPartition.h"
#include "playback/uSynthInterne.h"

namespace {

struct rEvtRendu {
    double Temps; // ticks
    int Port;
    uint8_t Octets[3];
};

class cSortieRendu : public iSortieMidi {
public:
    std::vector<rEvtRendu> *Evts = nullptr;
    void Envoyer(int port, const cPiste &, uint8_t s, uint8_t d1, uint8_t d2) override
    {
        Evts->push_back({0, port, {s, d1, d2}});
    }
};

// Ticks to seconds through the tempo changes (tempo events of the generator, time-ordered).
class cCarteTempo {
public:
    cCarteTempo(double tempo, const cBasePile &liste)
    {
        Points.push_back({0, 0, 60.0 / std::max(tempo, 1.0) / 480.0});
        for (const cEvtPile *e = liste.Premier; e; e = e->Suivant) {
            const double us = e->Donnee1 * 65536.0 + e->Donnee2 * 256.0 + e->Donnee3;
            if (us <= 0)
                continue;
            const double t = std::max(e->Temps, Points.back().Ticks);
            Points.push_back({t, Secondes(t), us / 1e6 / 480.0});
        }
    }
    double Secondes(double ticks) const
    {
        auto i = std::upper_bound(Points.begin(), Points.end(), ticks,
                                  [](double t, const rPoint &p) { return t < p.Ticks; });
        const rPoint &p = i == Points.begin() ? Points.front() : *std::prev(i);
        return p.Secondes + (ticks - p.Ticks) * p.SecParTick;
    }

private:
    struct rPoint {
        double Ticks, Secondes, SecParTick;
    };
    std::vector<rPoint> Points;
};

void Entier(std::string &o, uint32_t v, int n)
{
    for (int i = 0; i < n; ++i)
        o += static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

bool RendreWAV(cPartition &p, const std::string &chemin, const rOptionsGeneration &options,
               const std::string &soundFont, std::string &cle, rRenduWAV *infos)
{
    if (soundFont.empty()) {
        cle = CleAucuneSoundFont;
        return false;
    }
    cSynthHorsLigne synth(soundFont, MaxPorts);
    if (!synth.Pret()) {
        cle = CleAucuneSoundFont;
        return false;
    }

    cGenerateurMidi g(&p);
    g.Options = options;
    g.EnLecture = true;
    g.ConstruireOrdre(options.PlayRepeats);
    std::vector<rEvtRendu> evts;
    cSortieRendu setup;
    setup.Evts = &evts;
    g.PreparerCanaux(setup);
    g.ListeTempo.Vider();
    g.TempoCourant = p.Tempo;

    bool unSolo = false;
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante)
        unSolo = unSolo || t->Solo;
    for (int port = 1; port <= MaxPorts; ++port) {
        bool utilise = false;
        for (const cPiste *t = p.PremierePiste; t && !utilise; t = t->Suivante)
            utilise = t->Port == port;
        if (!utilise)
            continue;
        g.CreerListes(port, false);
        g.Piles[port].Decalage = 0;
        for (int num : g.OrdreLecture)
            if (const cMesure *m = p.MesureNumero(num))
                g.GenererMesure(port, num, 0, m->Longueur, false);
        g.Fusionner(port);
        for (const cMyEvtMidiOut &e : g.Piles[port].Sortie.Evts) {
            const uint8_t type = e.Statut & 0xF0;
            const bool muet = e.Piste && (e.Piste->Muet || (unSolo && !e.Piste->Solo));
            if (muet && (type == 0x80 || type == 0x90 || type == 0xE0))
                continue;
            evts.push_back({std::max(e.Temps, 0.0), port, {e.Statut, e.Donnee1, e.Donnee2}});
        }
        g.Piles[port].Sortie.Vider();
    }
    std::stable_sort(evts.begin(), evts.end(),
                     [](const rEvtRendu &a, const rEvtRendu &b) { return a.Temps < b.Temps; });

    const cCarteTempo carte(p.Tempo, g.ListeTempo);
    const int f = cSynthHorsLigne::Frequence;
    std::vector<int16_t> echantillons;
    long rendus = 0;
    for (const rEvtRendu &e : evts) {
        // Bytes above 127 never reach the synthesizer, as they never reach a port.
        if (e.Octets[1] > 127 || e.Octets[2] > 127)
            continue;
        const long cible = std::lround(carte.Secondes(e.Temps) * f);
        if (cible > rendus) {
            synth.Rendre(int(cible - rendus), echantillons);
            rendus = cible;
        }
        synth.Envoyer(e.Port, e.Octets, 3);
    }
    const double musique = double(rendus) / f;
    // The release of the last notes, at most 15 s.
    const int bloc = 1024;
    for (int k = 0; k < 15 * f / bloc && synth.VoixActives() > 0; ++k) {
        synth.Rendre(bloc, echantillons);
        rendus += bloc;
    }
    if (infos) {
        infos->DureeMusique = musique;
        infos->DureeTotale = double(rendus) / f;
    }

    const uint32_t octets = static_cast<uint32_t>(echantillons.size() * 2);
    std::string entete = "RIFF";
    Entier(entete, 36 + octets, 4);
    entete += "WAVEfmt ";
    Entier(entete, 16, 4);
    Entier(entete, 1, 2); // PCM
    Entier(entete, 2, 2);
    Entier(entete, f, 4);
    Entier(entete, f * 4, 4);
    Entier(entete, 4, 2);
    Entier(entete, 16, 2);
    entete += "data";
    Entier(entete, octets, 4);
    cEcritureSure w(chemin);
    std::string donnees(reinterpret_cast<const char *>(echantillons.data()), octets);
    if (!w.Ouverte() || !w.Ecrire(entete) || !w.Ecrire(donnees) || !w.Valider()) {
        cle = CleEcritureAudioImpossible;
        return false;
    }
    return true;
}

bool EcrireFichierWAV(cPartition &p, const std::string &chemin, std::string &cle)
{
    rOptionsGeneration o;
    std::string sf;
    if (Config) {
        o.PlayRepeats = Config->PlayRepeats;
        o.PlayEffects = Config->PlayEffects;
        for (int n = 1; n <= MaxPorts; ++n)
            o.LimitBend[n] = Config->LimitBend[n - 1];
        sf = Config->SoundFont;
    }
    return RendreWAV(p, chemin, o, CheminSoundFont(sf), cle);
}
