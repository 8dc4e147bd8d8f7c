// Pictures of the tool buttons and of the editors' choices, painted as vectors on demand: note
// values, rests, dotted and tuplet signs, transport, effects as their tablature signs and
// dynamics. An icon is only drawn when a button first shows it, at the size asked, so it stays
// sharp at any screen scale and costs nothing at start-up.
#pragma once

#include <QIcon>
#include <string>

// The picture of a command of the table; a null icon when it has none.
QIcon IconeCommande(const std::string &nom);
// A note value by duration code (-2 whole .. 4 sixty-fourth, 5 hundred-twenty-eighth).
QIcon IconeValeurNote(int code);
// Whether a command has a picture.
bool AIcone(const std::string &nom);
