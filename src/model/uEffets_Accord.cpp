#include "model/uEffets_Accord.h"

void cEffets_Accord::Exclure(eEffetAccord change)
{
    switch (change) {
    case eEffetAccord::BrushUp:
        BrushDown = 0;
        return;
    case eEffetAccord::BrushDown:
        BrushUp = 0;
        return;
    case eEffetAccord::CoupVibrato:
    case eEffetAccord::Vibrato:
    case eEffetAccord::TremoloBar:
    case eEffetAccord::HarmoniqueNaturelle:
    case eEffetAccord::HarmoniqueArtificielle:
    case eEffetAccord::FadeIn:
    case eEffetAccord::Frappe:
        break;
    }
    // The six single effects and the stroke of the vibrato exclude each other.
    if (change != eEffetAccord::Vibrato)
        Vibrato = false;
    if (change != eEffetAccord::TremoloBar)
        TremoloBar = false;
    if (change != eEffetAccord::HarmoniqueNaturelle)
        HarmoniqueNaturelle = false;
    if (change != eEffetAccord::HarmoniqueArtificielle)
        HarmoniqueArtificielle = false;
    if (change != eEffetAccord::FadeIn)
        FadeIn = false;
    if (change != eEffetAccord::Frappe)
        Frappe = 0;
    if (change != eEffetAccord::CoupVibrato)
        CoupVibrato = 0;
}

void cEffets_Accord::CopierVers(cEffets_Accord &c) const
{
    c.Vibrato = Vibrato;
    c.TremoloBar = TremoloBar;
    c.HarmoniqueNaturelle = HarmoniqueNaturelle;
    c.HarmoniqueArtificielle = HarmoniqueArtificielle;
    c.FadeIn = FadeIn;
    c.Frappe = Frappe;
    c.CoupVibrato = CoupVibrato;
    c.BrushUp = BrushUp;
    c.BrushDown = BrushDown;
}
