// Scores written and read as short text, for table tests: a measure is beats joined by ", ";
// a beat is a duration (w h q e s t x = whole .. sixty-fourth, "." dotted, digits a tuplet),
// then " r" for a rest or " _" for an empty beat, then notes "string:fret", "string:~" (tied)
// or "string:x" (dead). "q 3:2, q r, h. 1:0 2:1" is a measure.
#pragma once

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "model/uPartition.h"

namespace tab {

// Replaces the beats of a track measure with normal beats of the given duration codes, one note
// each (on string 1).
inline void Remplir(cMesurePiste *mp, std::initializer_list<int> codes)
{
    while (mp->NbAccords > 1)
        mp->SupprimerAccord(mp->DernierAccord());
    cAccord *a = mp->PremierAccord;
    bool premier = true;
    for (int c : codes) {
        if (!premier)
            a = mp->InsererAccordApres(a);
        premier = false;
        a->CodeDuree = static_cast<int8_t>(c);
        a->CalculerDuree();
        a->PropagerDuree();
        a->Etat = 1;
        a->Notes[1]->Type = 1;
    }
    mp->CalculerDuree();
}

inline int Code(char c)
{
    const std::string lettres = "whqestx";
    return static_cast<int>(lettres.find(c)) - 2;
}

inline void EcrireTemps(cAccord &a, const std::string &texte)
{
    std::istringstream in(texte);
    std::string duree;
    in >> duree;
    a.CodeDuree = static_cast<int8_t>(Code(duree[0]));
    std::size_t i = 1;
    a.Pointe = i < duree.size() && duree[i] == '.';
    if (a.Pointe)
        ++i;
    a.Triolet = i < duree.size() ? std::stoi(duree.substr(i)) : 1;
    a.CalculerDuree();
    a.Etat = 1;
    a.ViderNotes();
    std::string mot;
    while (in >> mot) {
        if (mot == "r") {
            a.Etat = 2;
            continue;
        }
        if (mot == "_") {
            a.Etat = 0;
            continue;
        }
        const auto deux = mot.find(':');
        cNote &n = *a.Notes[std::stoi(mot.substr(0, deux))];
        const std::string v = mot.substr(deux + 1);
        n.Type = v == "~" ? 2 : v == "x" ? 3 : 1;
        n.Case = n.Type == 1 ? static_cast<uint8_t>(std::stoi(v)) : 0;
    }
}

// Replaces the beats of a track measure.
inline void Ecrire(cMesurePiste &mp, const std::string &texte)
{
    mp.Vider();
    if (texte.empty())
        return;
    cAccord *a = nullptr;
    std::size_t debut = 0;
    while (debut <= texte.size()) {
        auto fin = texte.find(", ", debut);
        if (fin == std::string::npos)
            fin = texte.size();
        a = a ? mp.InsererAccordApres(a) : mp.PremierAccord;
        EcrireTemps(*a, texte.substr(debut, fin - debut));
        debut = fin + 2;
    }
    mp.CalculerDuree();
}

inline std::string LireTemps(const cAccord &a)
{
    std::string s(1, "whqestx"[a.CodeDuree + 2]);
    if (a.Pointe)
        s += '.';
    if (a.Triolet != 1)
        s += std::to_string(a.Triolet);
    if (a.Etat == 2)
        s += " r";
    if (a.Etat == 0)
        s += " _";
    for (const cNote *n = a.PremiereNote; n; n = n->Suivante) {
        if (n->Type == 0)
            continue;
        s += " " + std::to_string(n->Corde) + ":";
        s += n->Type == 2 ? "~" : n->Type == 3 ? "x" : std::to_string(n->Case);
    }
    return s;
}

inline std::string Lire(const cMesurePiste &mp)
{
    std::string s;
    for (const cAccord *a = mp.PremierAccord; a; a = a->Suivant)
        s += (s.empty() ? "" : ", ") + LireTemps(*a);
    return s;
}

// Every measure of a track, joined by " | ".
inline std::string LirePiste(const cPiste &p)
{
    std::string s;
    for (const cMesurePiste *mp = p.PremiereMesurePiste; mp; mp = mp->SuivanteDansPiste)
        s += (s.empty() ? "" : " | ") + Lire(*mp);
    return s;
}

// A score of `mesures` measures of num/den and one track, each measure written from `textes`.
inline void Construire(cPartition &p, const std::vector<std::string> &textes, int num = 4,
                       int den = 4)
{
    p.Nouveau();
    p.PremiereMesure->ChangerSignature(num, den);
    for (std::size_t k = 1; k < textes.size(); ++k)
        p.InsererMesureApres(nullptr);
    cMesurePiste *mp = p.PremierePiste->PremiereMesurePiste;
    for (const std::string &t : textes) {
        Ecrire(*mp, t);
        mp = mp->SuivanteDansPiste;
    }
}

} // namespace tab
