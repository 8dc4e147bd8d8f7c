#include "model/uNote.h"

#include "model/uDurees.h"

void cNote::CalculerDuree() { DureeTicks = TicksDuree(CodeDuree, Pointe, Triolet, false); }

void cNote::DureeDepuisTicks(double ticks)
{
    DureeSymbolique(ticks, CodeDuree, Pointe);
    Triolet = 1;
}

cEffets_Note &cNote::EffetsCrees()
{
    if (!Effets)
        Effets = new cEffets_Note;
    return *Effets;
}

void cNote::LibererEffets()
{
    delete Effets;
    Effets = nullptr;
}

void cNote::LibererEffetsVides()
{
    if (Effets && Effets->EstVide())
        LibererEffets();
}
