// Chord diagram on a beat. Its data part is a fixed 124-byte record, stored verbatim in files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct rDiagramme {
    bool Diese;               // name with sharps (1) or flats (0)
    uint8_t Pad1[3];
    int32_t Fondamentale;     // root 0..11, 12 = "User"
    int32_t TypeAccord;       // 0..14
    int32_t Extension;        // 0 none, 1 "9", 2 "11", 3 "13"
    int32_t Basse;            // 0..11
    int32_t DimAug;           // 0 none, 1 "-", 2 "+"
    bool Add;
    uint8_t NomLongueur;      // length byte of Nom
    char Nom[20];
    uint8_t Pad2[2];
    int32_t Quinte;           // 0 none, 1 "/5-", 2 "/5+"
    int32_t Neuvieme;         // 0 none, 1 "/9-", 2 "/9+"
    int32_t Onzieme;          // 0 none, 1 "/11-", 2 "/11+"
    int32_t PremiereCase;     // fret at the top of the diagram
    int32_t Cases[6];         // per string 1..6, -1 = not played
    int32_t NbBarres;         // 0..2
    int32_t BarreCase[2];
    int32_t BarreDebut[2];
    int32_t BarreFin[2];
    bool Omis[7];             // degrees 1 3 5 7 9 11 13: 1 = omitted
    uint8_t Pad3;
};

static_assert(sizeof(bool) == 1);
static_assert(offsetof(rDiagramme, Fondamentale) == 4);
static_assert(offsetof(rDiagramme, TypeAccord) == 8);
static_assert(offsetof(rDiagramme, Extension) == 12);
static_assert(offsetof(rDiagramme, Basse) == 16);
static_assert(offsetof(rDiagramme, DimAug) == 20);
static_assert(offsetof(rDiagramme, Add) == 24);
static_assert(offsetof(rDiagramme, NomLongueur) == 25);
static_assert(offsetof(rDiagramme, Nom) == 26);
static_assert(offsetof(rDiagramme, Quinte) == 48);
static_assert(offsetof(rDiagramme, Neuvieme) == 52);
static_assert(offsetof(rDiagramme, Onzieme) == 56);
static_assert(offsetof(rDiagramme, PremiereCase) == 60);
static_assert(offsetof(rDiagramme, Cases) == 64);
static_assert(offsetof(rDiagramme, NbBarres) == 88);
static_assert(offsetof(rDiagramme, BarreCase) == 92);
static_assert(offsetof(rDiagramme, BarreDebut) == 100);
static_assert(offsetof(rDiagramme, BarreFin) == 108);
static_assert(offsetof(rDiagramme, Omis) == 116);
static_assert(sizeof(rDiagramme) == 124);

class cDiagramme : public rDiagramme {
public:
    cDiagramme();
    cDiagramme(const cDiagramme &) = delete;
    cDiagramme &operator=(const cDiagramme &) = delete;
    virtual ~cDiagramme() = default;

    std::string NomTexte() const;
    void ChangerNom(const std::string &nom); // cut to 20 characters
    void CopierVers(cDiagramme &c) const { static_cast<rDiagramme &>(c) = *this; }
    rDiagramme &Donnees() { return *this; }
    const rDiagramme &Donnees() const { return *this; }
};
