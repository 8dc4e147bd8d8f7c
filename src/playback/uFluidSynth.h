// FluidSynth, loaded on first use rather than linked: it brings some thirty audio and codec
// libraries that cost every start of the editor time and memory, though most sessions play
// nothing. The calls keep their library names, through the table this returns.
#pragma once

#include <fluidsynth.h>

#define PLEC_FONCTIONS_FLUIDSYNTH(X)                                                             \
    X(new_fluid_settings)                                                                        \
    X(delete_fluid_settings)                                                                     \
    X(fluid_settings_setint)                                                                     \
    X(fluid_settings_setnum)                                                                     \
    X(fluid_settings_setstr)                                                                     \
    X(fluid_set_log_function)                                                                    \
    X(new_fluid_synth)                                                                           \
    X(delete_fluid_synth)                                                                        \
    X(fluid_synth_sfload)                                                                        \
    X(fluid_synth_set_channel_type)                                                              \
    X(fluid_synth_system_reset)                                                                  \
    X(fluid_synth_noteon)                                                                        \
    X(fluid_synth_noteoff)                                                                       \
    X(fluid_synth_key_pressure)                                                                  \
    X(fluid_synth_cc)                                                                            \
    X(fluid_synth_program_change)                                                                \
    X(fluid_synth_channel_pressure)                                                              \
    X(fluid_synth_pitch_bend)                                                                    \
    X(fluid_synth_write_s16)                                                                     \
    X(fluid_synth_get_active_voice_count)                                                        \
    X(new_fluid_audio_driver)                                                                    \
    X(delete_fluid_audio_driver)                                                                 \
    X(new_fluid_sequencer2)                                                                      \
    X(delete_fluid_sequencer)                                                                    \
    X(fluid_sequencer_register_fluidsynth)                                                       \
    X(fluid_sequencer_set_time_scale)                                                            \
    X(fluid_sequencer_get_tick)                                                                  \
    X(fluid_sequencer_send_at)                                                                   \
    X(fluid_sequencer_remove_events)                                                             \
    X(new_fluid_event)                                                                           \
    X(delete_fluid_event)                                                                        \
    X(fluid_event_set_source)                                                                    \
    X(fluid_event_set_dest)                                                                      \
    X(fluid_event_noteon)                                                                        \
    X(fluid_event_noteoff)                                                                       \
    X(fluid_event_key_pressure)                                                                  \
    X(fluid_event_control_change)                                                                \
    X(fluid_event_program_change)                                                                \
    X(fluid_event_channel_pressure)                                                              \
    X(fluid_event_pitch_bend)

struct rFluidSynth {
#define PLEC_DECLARER(f) decltype(&::f) f = nullptr;
    PLEC_FONCTIONS_FLUIDSYNTH(PLEC_DECLARER)
#undef PLEC_DECLARER
};

// The library's calls, loaded once (its own log printing silenced); null when the library
// cannot be loaded or lacks one of them: then there is no built-in synthesizer.
const rFluidSynth *FluidSynth();
