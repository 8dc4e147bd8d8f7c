// Headless verbs: `--info FILE`, `--convert IN OUT` and the chord dictionary (`--chord-names`,
// `--chord-fingerings`). No display is needed for any.
#pragma once

#include <ostream>
#include <string>
#include <vector>

class cPartition;

// Reads a score from a file; on failure returns false with a message key.
using FnLirePartition = bool (*)(const std::string &chemin, cPartition &p, std::string &cle);
// Writes a score to a file; on failure returns false with a message key.
using FnEcrirePartition = bool (*)(cPartition &p, const std::string &chemin, std::string &cle);

struct rRouteLecture {
    const char *Extension; // lower case, with the dot
    FnLirePartition Lire;
};
struct rRouteEcriture {
    const char *Extension;
    FnEcrirePartition Ecrire;
};

// The routes, by file extension (the tables live in uLigneCommande.cpp).
const std::vector<rRouteLecture> &RoutesLecture();
const std::vector<rRouteEcriture> &RoutesEcriture();

// English text of a message key, for the command line's error lines.
std::string TexteAnglais(const std::string &cle);

// Options of `--convert` after IN and OUT: the track of single-track outputs (1-based) and the
// line width of text tablature.
struct rOptionsConversion {
    int Piste = 1;
    int Largeur = 80;
};
// The options of the conversion running now (the defaults outside one).
const rOptionsConversion &OptionsConversion();

// Runs a verb (args without the program name, first word starting with "--").
// Returns the exit code: 0 success, 2 failure (message key and text on `err`), 1 bad usage.
// `autres` adds the routes of the interface library (renderers that paint with Qt).
int ExecuterLigneCommande(const std::vector<std::string> &args, std::ostream &out,
                          std::ostream &err, const std::vector<rRouteEcriture> &autres = {});

// One JSON summary of a score, as `--info` prints it.
std::string ResumeJson(const cPartition &p);
