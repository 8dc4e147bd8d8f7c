// FluidSynth behind the built-in synthesizer. Live, records are handed to FluidSynth's sequencer
// a little before they are due, stamped with their sample position: the audio thread plays them
// exactly there, whatever the scheduling of our own threads.
#include "playback/uSynthInterne.h"

#include "playback/uFluidSynth.h"

#include <alsa/asoundlib.h>

#include <cmath>
#include <mutex>
#include <sys/stat.h>

namespace {

// Only called once FluidSynth() has been found loaded: an open synthesizer implies it.
const rFluidSynth &Fs() { return *FluidSynth(); }

bool Existe(const std::string &c)
{
    struct stat s {};
    return !c.empty() && ::stat(c.c_str(), &s) == 0 && S_ISREG(s.st_mode);
}

void RienAlsa(const char *, int, const char *, int, const char *, ...) {}

fluid_settings_t *Reglages(int nbCanaux)
{
    fluid_settings_t *s = Fs().new_fluid_settings();
    Fs().fluid_settings_setnum(s, "synth.sample-rate", cSynthHorsLigne::Frequence);
    Fs().fluid_settings_setint(s, "synth.midi-channels", nbCanaux);
    Fs().fluid_settings_setnum(s, "synth.gain", 0.5);
    // Rendering on the caller's thread: no helper threads to wake.
    Fs().fluid_settings_setint(s, "synth.cpu-cores", 1);
    return s;
}

// One message on a synthesizer channel (already offset for its port).
void Appliquer(fluid_synth_t *s, int canal, const uint8_t *o, int n)
{
    const uint8_t d1 = n > 1 ? o[1] : 0, d2 = n > 2 ? o[2] : 0;
    switch (o[0] & 0xF0) {
    case 0x80:
        Fs().fluid_synth_noteoff(s, canal, d1);
        break;
    case 0x90:
        if (d2 == 0)
            Fs().fluid_synth_noteoff(s, canal, d1);
        else
            Fs().fluid_synth_noteon(s, canal, d1, d2);
        break;
    case 0xA0:
        Fs().fluid_synth_key_pressure(s, canal, d1, d2);
        break;
    case 0xB0:
        Fs().fluid_synth_cc(s, canal, d1, d2);
        break;
    case 0xC0:
        Fs().fluid_synth_program_change(s, canal, d1);
        break;
    case 0xD0:
        Fs().fluid_synth_channel_pressure(s, canal, d1);
        break;
    case 0xE0:
        Fs().fluid_synth_pitch_bend(s, canal, d1 | (d2 << 7));
        break;
    default:
        break;
    }
}

} // namespace

void TaireJournauxAudio()
{
    static std::once_flag fait;
    // FluidSynth's own printing is quieted when the library is loaded.
    std::call_once(fait, [] { snd_lib_error_set_handler(RienAlsa); });
}

std::string CheminSoundFont(const std::string &reglage)
{
    if (Existe(reglage))
        return reglage;
    // The fuller General MIDI set first when it is installed.
    for (const char *c : {"/usr/share/sounds/sf2/FluidR3_GM.sf2",
                          "/usr/share/sounds/sf2/TimGM6mb.sf2",
                          "/usr/share/sounds/sf2/default-GM.sf2",
                          "/usr/share/soundfonts/default.sf2"})
        if (Existe(c))
            return c;
    return {};
}

// ------------------------------------------------------------------ offline

struct cSynthHorsLigne::rImpl {
    fluid_settings_t *Reglages = nullptr;
    fluid_synth_t *Synth = nullptr;
    int NbPorts = 1;
};

cSynthHorsLigne::cSynthHorsLigne(const std::string &soundFont, int nbPorts) : I(new rImpl)
{
    TaireJournauxAudio();
    I->NbPorts = std::max(1, nbPorts);
    if (!FluidSynth())
        return;
    I->Reglages = Reglages(16 * I->NbPorts);
    I->Synth = Fs().new_fluid_synth(I->Reglages);
    if (!I->Synth || Fs().fluid_synth_sfload(I->Synth, soundFont.c_str(), 1) == FLUID_FAILED)
        return;
    for (int p = 0; p < I->NbPorts; ++p)
        Fs().fluid_synth_set_channel_type(I->Synth, p * 16 + 9, CHANNEL_TYPE_DRUM);
    Fs().fluid_synth_system_reset(I->Synth);
    Pret_ = true;
}

cSynthHorsLigne::~cSynthHorsLigne()
{
    if (I->Synth)
        Fs().delete_fluid_synth(I->Synth);
    if (I->Reglages)
        Fs().delete_fluid_settings(I->Reglages);
}

void cSynthHorsLigne::Envoyer(int port, const uint8_t *octets, int n)
{
    if (!Pret_ || port < 1 || port > I->NbPorts || n < 1)
        return;
    Appliquer(I->Synth, (port - 1) * 16 + (octets[0] & 15), octets, n);
}

void cSynthHorsLigne::Rendre(int frames, std::vector<int16_t> &sortie)
{
    if (frames <= 0)
        return;
    const std::size_t debut = sortie.size();
    sortie.resize(debut + 2 * std::size_t(frames));
    if (Pret_)
        Fs().fluid_synth_write_s16(I->Synth, frames, sortie.data() + debut, 0, 2,
                              sortie.data() + debut, 1, 2);
}

int cSynthHorsLigne::VoixActives() const
{
    return Pret_ ? Fs().fluid_synth_get_active_voice_count(I->Synth) : 0;
}

// ------------------------------------------------------------------ live

struct cSynthInterne::rImpl {
    fluid_settings_t *Reglages = nullptr;
    fluid_synth_t *Synth = nullptr;
    fluid_sequencer_t *Sequenceur = nullptr;
    fluid_seq_id_t Destination = -1;
    fluid_audio_driver_t *Pilote = nullptr;
    unsigned Base = 0; // sequencer time of the clock's start, in samples
};

cSynthInterne::cSynthInterne() : I(new rImpl) {}

cSynthInterne::~cSynthInterne()
{
    // The audio thread goes first: it drives the sequencer and the synthesizer.
    if (I->Pilote)
        Fs().delete_fluid_audio_driver(I->Pilote);
    if (I->Sequenceur)
        Fs().delete_fluid_sequencer(I->Sequenceur);
    if (I->Synth)
        Fs().delete_fluid_synth(I->Synth);
    if (I->Reglages)
        Fs().delete_fluid_settings(I->Reglages);
}

std::unique_ptr<cSynthInterne> cSynthInterne::Ouvrir(const std::string &soundFont, bool avecAudio,
                                                     std::string &erreur)
{
    TaireJournauxAudio();
    if (!FluidSynth()) {
        erreur = "cannot load the FluidSynth library";
        return nullptr;
    }
    std::unique_ptr<cSynthInterne> s(new cSynthInterne);
    rImpl &i = *s->I;
    i.Reglages = Reglages(16);
    i.Synth = Fs().new_fluid_synth(i.Reglages);
    if (!i.Synth || Fs().fluid_synth_sfload(i.Synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        erreur = "cannot load the SoundFont " + soundFont;
        return nullptr;
    }
    i.Sequenceur = Fs().new_fluid_sequencer2(0);
    i.Destination = Fs().fluid_sequencer_register_fluidsynth(i.Sequenceur, i.Synth);
    // One sequencer tick per sample.
    Fs().fluid_sequencer_set_time_scale(i.Sequenceur, cSynthHorsLigne::Frequence);
    if (avecAudio) {
        // The system's usual outputs in turn; each fails at once where it is absent.
        for (const char *pilote : {"pulseaudio", "pipewire", "alsa", "jack", "sdl2", "oss"}) {
            Fs().fluid_settings_setstr(i.Reglages, "audio.driver", pilote);
            if ((i.Pilote = Fs().new_fluid_audio_driver(i.Reglages, i.Synth)))
                break;
        }
        if (!i.Pilote) {
            erreur = "no audio output";
            return nullptr;
        }
    }
    return s;
}

bool cSynthInterne::Envoyer(const uint8_t *octets, int n, double)
{
    if (n >= 1)
        Appliquer(I->Synth, octets[0] & 15, octets, n);
    return true;
}

bool cSynthInterne::Programmer(const uint8_t *o, int n, double msEcheance)
{
    fluid_event_t *e = Fs().new_fluid_event();
    Fs().fluid_event_set_source(e, -1);
    Fs().fluid_event_set_dest(e, I->Destination);
    const int c = o[0] & 15;
    const uint8_t d1 = n > 1 ? o[1] : 0, d2 = n > 2 ? o[2] : 0;
    bool connu = true;
    switch (o[0] & 0xF0) {
    case 0x80:
        Fs().fluid_event_noteoff(e, c, d1);
        break;
    case 0x90:
        if (d2 == 0)
            Fs().fluid_event_noteoff(e, c, d1);
        else
            Fs().fluid_event_noteon(e, c, d1, d2);
        break;
    case 0xA0:
        Fs().fluid_event_key_pressure(e, c, d1, d2);
        break;
    case 0xB0:
        Fs().fluid_event_control_change(e, c, d1, d2);
        break;
    case 0xC0:
        Fs().fluid_event_program_change(e, c, d1);
        break;
    case 0xD0:
        Fs().fluid_event_channel_pressure(e, c, d1);
        break;
    case 0xE0:
        Fs().fluid_event_pitch_bend(e, c, d1 | (d2 << 7));
        break;
    default:
        connu = false;
    }
    if (connu) {
        const double ech = std::max(0.0, msEcheance) * cSynthHorsLigne::Frequence / 1000.0;
        Fs().fluid_sequencer_send_at(I->Sequenceur, e, I->Base + static_cast<unsigned>(std::lround(ech)),
                                1);
    }
    Fs().delete_fluid_event(e);
    return true;
}

void cSynthInterne::Demarrer() { I->Base = Fs().fluid_sequencer_get_tick(I->Sequenceur); }

void cSynthInterne::Arreter() { Fs().fluid_sequencer_remove_events(I->Sequenceur, -1, I->Destination, -1); }

void cSynthInterne::Rendre(int frames, std::vector<int16_t> &sortie)
{
    const std::size_t debut = sortie.size();
    sortie.resize(debut + 2 * std::size_t(frames));
    Fs().fluid_synth_write_s16(I->Synth, frames, sortie.data() + debut, 0, 2, sortie.data() + debut, 1,
                          2);
}

unsigned cSynthInterne::TempsEchantillons() const { return Fs().fluid_sequencer_get_tick(I->Sequenceur); }
