// Pictures of the tool buttons and of the editors' choices, painted as vectors on demand: note
// values, rests, dotted and tuplet signs, transport, effects as their tablature signs and
// dynamics. An icon is only drawn when a button first shows it, at the size asked, so it stays
// sharp at any screen scale. What was painted can be kept on disk for the next start.
#pragma once

#include <QIcon>
#include <string>

// The picture of a command of the table; a null icon when it has none.
QIcon IconeCommande(const std::string &nom);
// A note value by duration code (-2 whole .. 4 sixty-fourth, 5 hundred-twenty-eighth).
QIcon IconeValeurNote(int code);
// Whether a command has a picture.
bool AIcone(const std::string &nom);

// Keeps painted icons in the file `chemin` (empty: in memory only, the default) and loads what
// an earlier run kept there, if it came from this very build, Qt and palette.
void ActiverCacheIcones(const std::string &chemin);
// Writes the icons painted since, when there are new ones. False when the file could not be
// written (the icons are simply painted again next time).
bool EnregistrerCacheIcones();
// How many painted icons are at hand without painting.
std::size_t NbIconesEnCache();
