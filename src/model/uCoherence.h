// Structural checks of a score: chains, counts, index tables, beats and notes per string,
// markers. Tests run them after every operation; debug builds after every command.
#pragma once

#include <string>
#include <vector>

class cPartition;

// Every broken invariant, as a readable line; empty when the score is sound.
std::vector<std::string> ViolationsInvariants(const cPartition &p);
