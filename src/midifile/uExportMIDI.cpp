// MIDI file export. The whole play order is generated into the track lists first; the conductor
// track then takes the signatures and the tempo changes, and each track its own merged events.
#include "midifile/uExportMIDI.h"

#include <algorithm>
#include <cmath>

#include "midifile/uSMF.h"
#include "model/uPartition.h"

namespace {

// Setup messages of one track go to its file track at delta 0.
class cSortieFichier : public iSortieMidi {
public:
    cSortieFichier(cFichierSMF *f, int piste) : Fichier(f), Piste(piste) {}
    void Envoyer(int, const cPiste &, uint8_t statut, uint8_t d1, uint8_t d2) override
    {
        rEvtMidi e;
        e.Statut = statut;
        e.Donnee1 = d1;
        e.Donnee2 = d2;
        WriteSMF(Fichier, Piste, e);
    }

private:
    cFichierSMF *Fichier;
    int Piste;
};

void EcrireTempo(cFichierSMF *f, double tempo, int32_t delta)
{
    uint8_t o[3];
    OctetsTempo(tempo, o[0], o[1], o[2]);
    WriteMetaEvent(f, 0, MetaTempo, o, 3, delta);
}

int32_t Delta(double v) { return static_cast<int32_t>(std::max(Arrondi(v), 0.0)); }

} // namespace

rNomExportMIDI NomExportMIDI(const cPartition &p)
{
    rNomExportMIDI r;
    if (!p.Chemin.empty()) {
        const auto barre = p.Chemin.find_last_of("/\\");
        r.Dossier = barre == std::string::npos ? std::string() : p.Chemin.substr(0, barre);
        std::string nom = barre == std::string::npos ? p.Chemin : p.Chemin.substr(barre + 1);
        nom = nom.substr(0, nom.size() >= 4 ? nom.size() - 4 : 0);
        r.Nom = nom + ".mid";
        return r;
    }
    const std::string titre = p.Informations ? p.Informations->Titre : std::string();
    if (titre.empty())
        return r;
    r.Nom = titre;
    for (char &c : r.Nom)
        if (c == '"' || c == '*' || c == '/' || c == ':' || c == '<' || c == '>' || c == '?' ||
            c == '\\' || c == '|')
            c = '_';
    r.Nom += ".mid";
    return r;
}

bool ExporterMIDI(cPartition &p, const std::string &chemin, const rOptionsGeneration &options,
                  std::string &cle)
{
    int format = 1, nbPistes = p.NbPistes + 1;
    cFichierSMF *f = OpenSMF(chemin, format, 'w', nbPistes, &cle);
    if (!f) {
        cle = CleEcritureMIDIImpossible;
        return false;
    }
    SetSMFResolution(f, 480);

    cGenerateurMidi g(&p);
    g.Options = options;
    g.EnExport = true;
    g.ConstruireOrdre(options.ExportRepeats);
    g.ListeTempo.Vider();
    g.TempoCourant = p.Tempo;

    // Every port with tracks is generated, open device or not: the file must not depend on the
    // hardware present. The metronome never reaches the file, so it is not generated.
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
    }

    // Conductor track.
    EcrireTempo(f, p.Tempo, 0);
    WriteMetaEvent(f, 0, MetaTexte, p.Informations ? p.Informations->Titre : std::string(), 0);
    double t = 0, dernier = 0;
    int numPrec = 0, denPrec = 0;
    for (int num : g.OrdreLecture) {
        const cMesure *m = p.MesureNumero(num);
        if (!m)
            continue;
        if (m->Numerateur != numPrec || m->Denominateur != denPrec) {
            const double den = std::max<int>(m->Denominateur, 1);
            const uint8_t signature[4] = {static_cast<uint8_t>(m->Numerateur),
                                          static_cast<uint8_t>(Arrondi(std::log2(den))), 24, 8};
            WriteMetaEvent(f, 0, MetaSignature, signature, 4, Delta(t - dernier));
            dernier = t;
            numPrec = m->Numerateur;
            denPrec = m->Denominateur;
        }
        t += m->Longueur;
        while (g.ListeTempo.Premier && g.ListeTempo.Premier->Temps < t) {
            cEvtPile *e = g.ListeTempo.Extraire();
            const uint8_t o[3] = {e->Donnee1, e->Donnee2, e->Donnee3};
            WriteMetaEvent(f, 0, MetaTempo, o, 3, Delta(e->Temps - dernier));
            dernier = std::max(dernier, e->Temps);
            delete e;
        }
    }

    // One file track per score track.
    bool unSolo = false;
    for (const cPiste *x = p.PremierePiste; x; x = x->Suivante)
        unSolo = unSolo || x->Solo;
    int k = 1;
    for (cPiste *piste = p.PremierePiste; piste; piste = piste->Suivante, ++k) {
        WriteMetaEvent(f, k, MetaTexte, piste->Nom, 0);
        cSortieFichier sortie(f, k);
        g.PreparerCanauxPiste(*piste, sortie, true, true);
        if (piste->Port < 1 || piste->Port > MaxPorts)
            continue;
        cBasePile *liste = g.Piles[piste->Port].ListeDe(piste);
        if (!liste)
            continue;
        g.FusionnerListe(piste->Port, *liste);
        cMyHMidiOut &q = g.Piles[piste->Port].Sortie;
        q.DernierEnvoi = 0;
        const bool muet = piste->Muet || (unSolo && !piste->Solo);
        while (!q.EstVide()) {
            const cMyEvtMidiOut &e = q.Premier();
            const uint8_t type = e.Statut & 0xF0;
            if (!(muet && (type == 0x90 || type == 0xE0 || type == 0xB0))) {
                // Times before 0 (grace notes of the first beat) are written at 0; the next
                // deltas count from what was written, so they do not shift the rest.
                const auto temps = static_cast<int64_t>(Arrondi(e.Temps));
                const int64_t delta = std::max<int64_t>(temps - q.DernierEnvoi, 0);
                rEvtMidi r;
                r.Delta = static_cast<int32_t>(std::min<int64_t>(delta, INT32_MAX));
                r.Statut = e.Statut;
                r.Donnee1 = e.Donnee1;
                r.Donnee2 = e.Donnee2;
                r.Donnee3 = e.Donnee3;
                if (WriteSMF(f, k, r))
                    q.DernierEnvoi += delta;
            }
            q.RetirerPremier();
        }
    }

    if (!CloseSMF(f)) {
        cle = CleEcritureMIDIImpossible;
        return false;
    }
    return true;
}

bool EcrireFichierMIDI(cPartition &p, const std::string &chemin, std::string &cle)
{
    return ExporterMIDI(p, chemin, rOptionsGeneration{}, cle);
}
