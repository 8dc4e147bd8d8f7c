// midicsv, an independent Standard MIDI File reader, run on a file and its lines parsed.
#pragma once

#include <string>
#include <vector>

struct rLigneCsv {
    int Piste = 0; // 1 for the first track chunk
    long Temps = 0;
    std::string Type;                // "Note_on_c", "Tempo", "Title_t", ...
    std::vector<std::string> Champs; // the fields after the type, strings unquoted
};

bool MidiCsvDisponible();
// Every line of midicsv's output for the file; empty when it failed.
std::vector<rLigneCsv> MidiCsv(const std::string &chemin);
std::vector<rLigneCsv> Lignes(const std::vector<rLigneCsv> &v, int piste, const std::string &type);
