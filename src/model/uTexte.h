// A text attached to a beat.
#pragma once

#include <string>

class cTexte {
public:
    std::string Texte; // capacity CapTexte

    cTexte() = default;
    cTexte(const cTexte &) = delete;
    cTexte &operator=(const cTexte &) = delete;
    virtual ~cTexte() = default;
};
