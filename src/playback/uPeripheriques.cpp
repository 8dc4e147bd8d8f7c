// Output devices: the recording device, the RtMidi ports and the list the layer offers.
#include "playback/uPeripheriques.h"

#include <alsa/asoundlib.h>
#include <rtmidi/RtMidi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "fileio/uEcritureSure.h"
#include "playback/uSynthInterne.h"

// ------------------------------------------------------------------ recording device

void cJournalCapture::Ajouter(double ms, int port, const uint8_t *octets, int n)
{
    char tampon[64];
    int k = std::snprintf(tampon, sizeof tampon, "%.3f,%d", ms, port);
    for (int i = 0; i < n && k < int(sizeof tampon) - 4; ++i)
        k += std::snprintf(tampon + k, sizeof tampon - k, ",%02x", octets[i]);
    std::lock_guard<std::mutex> l(Verrou);
    Texte.emplace_back(tampon, k);
    Change = true;
}

std::vector<std::string> cJournalCapture::Lignes() const
{
    std::lock_guard<std::mutex> l(Verrou);
    return Texte;
}

void cJournalCapture::Vider()
{
    std::lock_guard<std::mutex> l(Verrou);
    Texte.clear();
    Change = true;
}

bool cJournalCapture::Ecrire()
{
    std::string tout;
    {
        std::lock_guard<std::mutex> l(Verrou);
        if (Chemin.empty() || !Change)
            return true;
        for (const std::string &s : Texte)
            (tout += s) += '\n';
        Change = false;
    }
    return EcrireFichierSur(Chemin, tout);
}

bool cPeripheriqueCapture::Envoyer(const uint8_t *octets, int n, double ms)
{
    if (Reste == 0)
        return false;
    if (Reste > 0)
        --Reste;
    Journal->Ajouter(ms, Port, octets, n);
    return true;
}

std::string CheminCaptureEnvironnement()
{
    const char *v = std::getenv("PLECTORIUM_MIDI_CAPTURE");
    return v ? std::string(v) : std::string();
}

std::shared_ptr<cJournalCapture> JournalEnvironnement()
{
    static std::shared_ptr<cJournalCapture> j = [] {
        const std::string c = CheminCaptureEnvironnement();
        return c.empty() ? nullptr : std::make_shared<cJournalCapture>(c);
    }();
    return j;
}

// ------------------------------------------------------------------ RtMidi ports

namespace {

class cPortRtMidi : public iPeripheriqueSortie {
public:
    cPortRtMidi(std::unique_ptr<RtMidiOut> s, std::shared_ptr<std::atomic<bool>> e)
        : Sortie(std::move(s)), Erreur(std::move(e))
    {
    }
    bool Envoyer(const uint8_t *octets, int n, double) override
    {
        try {
            Sortie->sendMessage(octets, static_cast<std::size_t>(n));
        } catch (const RtMidiError &) {
            return false;
        }
        return !Erreur->load();
    }

private:
    std::unique_ptr<RtMidiOut> Sortie;
    std::shared_ptr<std::atomic<bool>> Erreur;
};

void ErreurRtMidi(RtMidiError::Type type, const std::string &, void *donnees)
{
    if (type != RtMidiError::WARNING && type != RtMidiError::DEBUG_WARNING)
        static_cast<std::atomic<bool> *>(donnees)->store(true);
}

std::unique_ptr<iPeripheriqueSortie> OuvrirRtMidi(const std::string &nom, std::string &erreur)
{
    try {
        auto erreurs = std::make_shared<std::atomic<bool>>(false);
        auto s = std::make_unique<RtMidiOut>(RtMidi::UNSPECIFIED, "Plectorium");
        s->setErrorCallback(ErreurRtMidi, erreurs.get());
        // Ports are found by name: their numbers move when devices come and go.
        for (unsigned i = 0; i < s->getPortCount(); ++i)
            if (s->getPortName(i) == nom) {
                s->openPort(i, "Plectorium");
                if (erreurs->load() || !s->isPortOpen())
                    break;
                return std::make_unique<cPortRtMidi>(std::move(s), erreurs);
            }
        erreur = "port not found";
    } catch (const RtMidiError &e) {
        erreur = e.getMessage();
    }
    return nullptr;
}

} // namespace

// RtMidi prints its own error before throwing where no sequencer exists: ask ALSA first.
bool SequenceurPresent()
{
    snd_seq_t *seq = nullptr;
    if (snd_seq_open(&seq, "default", SND_SEQ_OPEN_OUTPUT, 0) < 0)
        return false;
    snd_seq_close(seq);
    return true;
}

std::vector<std::string> PortsRtMidi()
{
    std::vector<std::string> noms;
    TaireJournauxAudio();
    if (!SequenceurPresent())
        return noms;
    try {
        RtMidiOut s(RtMidi::UNSPECIFIED, "Plectorium");
        std::atomic<bool> erreur{false};
        s.setErrorCallback(ErreurRtMidi, &erreur);
        for (unsigned i = 0; i < s.getPortCount(); ++i)
            noms.push_back(s.getPortName(i));
    } catch (const RtMidiError &) {
        // No MIDI sequencer on this machine: simply no ports.
    }
    return noms;
}

std::vector<rPeripherique> ListerPeripheriques(const std::string &soundFontReglage)
{
    TaireJournauxAudio();
    std::vector<rPeripherique> v;
    const std::string sf = CheminSoundFont(soundFontReglage);
    if (!sf.empty())
        v.push_back({NomSynthInterne, [sf](int, std::string &erreur) {
                         return std::unique_ptr<iPeripheriqueSortie>(
                             cSynthInterne::Ouvrir(sf, true, erreur));
                     }});
    for (const std::string &nom : PortsRtMidi())
        v.push_back({nom, [nom](int, std::string &erreur) { return OuvrirRtMidi(nom, erreur); }});
    if (auto j = JournalEnvironnement()) {
        if (v.empty())
            v.push_back({"MIDI capture", nullptr});
        for (rPeripherique &p : v)
            p.Ouvrir = [j](int port, std::string &) {
                return std::unique_ptr<iPeripheriqueSortie>(
                    std::make_unique<cPeripheriqueCapture>(j, port));
            };
    }
    return v;
}
