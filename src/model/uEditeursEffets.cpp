#include "model/uEditeursEffets.h"

#include <algorithm>
#include <cstdlib>

#include "model/uConstantes.h"

// ---------------------------------------------------------------- bend

int cEditeurBend::IndexDe(int amplitude)
{
    const int i = 12 - static_cast<int>(Arrondi(amplitude / 25.0));
    return std::clamp(i, 0, NbAmplitudesBend - 1);
}

bool cEditeurBend::Charger(const cNote &n)
{
    Grille.fill({});
    const cEffet_Bend *b = n.Effets ? n.Effets->Bend : nullptr;
    if (!b) {
        IndexAmplitude = IndexAmplitudeFull;
        AppliquerPreset(1);
        return false;
    }
    // A file may hold anything: every value is brought inside what the grid and list show.
    Type = std::clamp<int>(b->Type, 0, 5);
    IndexAmplitude = IndexDe(b->Valeur);
    for (const cEffet_Forme *f = b->PremiereForme; f; f = f->Suivante) {
        rPointBend &g = Grille[std::clamp(f->Position, 0, NbPositionsBend - 1)];
        g.Hauteur = std::clamp(f->Hauteur, 0, 300);
        g.Vibrato = std::clamp<int>(f->Vibrato, 0, 3);
    }
    return true;
}

void cEditeurBend::AppliquerPreset(int type)
{
    Grille.fill({});
    Type = std::clamp(type, 0, 5);
    const int a = Amplitude();
    auto pose = [this](int p, int h) { Grille[p] = {h, 0}; };
    switch (Type) {
    case 1:
        pose(0, 0), pose(30, a), pose(60, a);
        break;
    case 2:
        pose(0, 0), pose(15, a), pose(30, a), pose(45, 0), pose(60, 0);
        break;
    case 3:
        pose(0, 0), pose(10, a), pose(20, a), pose(30, 0), pose(40, 0), pose(50, a), pose(60, a);
        break;
    case 4:
        pose(0, a), pose(60, a);
        break;
    case 5:
        pose(0, a), pose(20, a), pose(40, 0), pose(60, 0);
        break;
    default:
        break;
    }
}

void cEditeurBend::ChoisirAmplitude(int index)
{
    IndexAmplitude = std::clamp(index, 0, NbAmplitudesBend - 1);
    AppliquerPreset(Type);
}

void cEditeurBend::Effacer()
{
    Type = 0;
    Grille.fill({});
}

bool cEditeurBend::Clic(int x, int y, eBoutonSouris bouton)
{
    if (Type == 0)
        return false;
    int p = static_cast<int>(Arrondi((x - 10) / 5.0));
    if (p == -1)
        p = 0;
    else if (p == NbPositionsBend)
        p = NbPositionsBend - 1;
    if (p < 0 || p >= NbPositionsBend)
        return false;
    const int h = static_cast<int>(Arrondi((130 - y) / 10.0)) * 25;
    if (h < 0 || h > 300)
        return false;
    const bool droit = bouton == eBoutonSouris::Droit;
    rPointBend &g = Grille[p];
    const rPointBend avant = g;
    if (g.Hauteur >= 0) {
        // The first and last points can be moved but never removed.
        if (h != g.Hauteur || (p == 0 && !droit) || p == NbPositionsBend - 1) {
            g.Hauteur = h;
            if (droit && g.Vibrato == 0)
                g.Vibrato = 1;
        } else if (bouton == eBoutonSouris::Gauche) {
            g = {};
        } else {
            g.Vibrato = (g.Vibrato + 1) % 4;
        }
    } else {
        if (p < 2 || p > NbPositionsBend - 3 || Grille[p - 1].Hauteur >= 0 ||
            Grille[p + 1].Hauteur >= 0)
            return false;
        g = {h, droit ? 1 : 0};
    }
    return g.Hauteur != avant.Hauteur || g.Vibrato != avant.Vibrato;
}

int cEditeurBend::NbPoints() const
{
    return static_cast<int>(
        std::count_if(Grille.begin(), Grille.end(), [](const rPointBend &g) { return g.Hauteur >= 0; }));
}

std::unique_ptr<cEffet_Bend> cEditeurBend::Construire() const
{
    if (Type == 0)
        return nullptr;
    auto b = std::make_unique<cEffet_Bend>();
    b->Type = static_cast<uint8_t>(Type);
    b->Valeur = Amplitude();
    for (int p = 0; p < NbPositionsBend; ++p)
        if (Grille[p].Hauteur >= 0)
            b->AjouterForme(p, Grille[p].Hauteur, static_cast<uint8_t>(Grille[p].Vibrato));
    return b;
}

void cEditeurBend::Appliquer(cNote &n) const
{
    if (n.Effets)
        n.Effets->LibererBend();
    if (Type != 0) {
        cEffets_Note &e = n.EffetsCrees();
        e.Bend = Construire().release();
        e.Exclure(eEffetNoteExclusif::Bend);
    } else {
        n.LibererEffetsVides();
    }
}

int cEditeurBend::HauteurMaxAvantDernier() const
{
    int dernier = -1;
    for (int p = 0; p < NbPositionsBend; ++p)
        if (Grille[p].Hauteur >= 0)
            dernier = p;
    int m = 0;
    for (int p = 0; p < dernier; ++p)
        m = std::max(m, Grille[p].Hauteur);
    return m;
}

// ---------------------------------------------------------------- grace note

namespace {
// The field's digits as a fret; what fails to convert counts as 0.
int ValeurChamp(const std::string &champ)
{
    if (champ.empty() || champ.size() > 2 ||
        !std::all_of(champ.begin(), champ.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    return std::atoi(champ.c_str());
}
} // namespace

cEditeurGraceNote::cEditeurGraceNote(cNote &n) : Note(n)
{
    cEffets_Note &e = n.EffetsCrees();
    if (e.Appogiature) {
        cEffet_Appogiature &g = *e.Appogiature;
        Sauvegarde.Case = g.Case;
        Sauvegarde.Nuance = g.Nuance;
        Sauvegarde.Transition = g.Transition;
        Sauvegarde.Duree = g.Duree;
        // Values from a file are brought inside the dialog's choices before they index them.
        if (g.Case != 255 && g.Case > 99)
            g.Case = 99;
        g.Nuance = static_cast<uint8_t>(std::clamp<int>(g.Nuance, 1, 8));
        g.Transition = static_cast<uint8_t>(std::clamp<int>(g.Transition, 0, 3));
        g.Duree = static_cast<uint8_t>(std::clamp<int>(g.Duree, 1, 3));
    } else {
        Cree = true;
        e.Appogiature = new cEffet_Appogiature;
        cEffet_Appogiature &g = *e.Appogiature;
        g.Case = static_cast<uint8_t>(std::min<int>(n.Case, 99));
        g.Nuance = static_cast<uint8_t>(std::clamp<int>(n.Nuance, 1, 8));
        g.Transition = 0;
        g.Duree = 2;
    }
}

std::string cEditeurGraceNote::TexteCase() const
{
    return Morte() ? std::string() : std::to_string(Note.Effets->Appogiature->Case);
}

void cEditeurGraceNote::ChoisirMorte(bool morte, const std::string &champ)
{
    Grace().Case = morte ? 255 : static_cast<uint8_t>(ValeurChamp(champ));
}

void cEditeurGraceNote::ChangerChamp(const std::string &champ) { ChoisirMorte(false, champ); }

void cEditeurGraceNote::ChoisirNuance(int nuance)
{
    Grace().Nuance = static_cast<uint8_t>(std::clamp(nuance, 1, 8));
}

void cEditeurGraceNote::ChoisirTransition(int transition)
{
    Grace().Transition = static_cast<uint8_t>(std::clamp(transition, 0, 3));
}

void cEditeurGraceNote::ChoisirDuree(int duree)
{
    Grace().Duree = static_cast<uint8_t>(std::clamp(duree, 1, 3));
}

bool cEditeurGraceNote::Valide(bool morte, const std::string &champ, int nbFrets)
{
    if (morte)
        return true;
    if (champ.empty())
        return false;
    return ValeurChamp(champ) <= nbFrets;
}

void cEditeurGraceNote::Effacer()
{
    if (Note.Effets)
        Note.Effets->LibererAppogiature();
    Note.LibererEffetsVides();
}

void cEditeurGraceNote::Annuler()
{
    if (Cree) {
        Effacer();
        return;
    }
    cEffet_Appogiature &g = Grace();
    g.Case = Sauvegarde.Case;
    g.Nuance = Sauvegarde.Nuance;
    g.Transition = Sauvegarde.Transition;
    g.Duree = Sauvegarde.Duree;
}

int PasCaseClavier(int valeur, int sens) { return std::clamp(valeur + sens, 0, 99); }

int PasCaseBouton(int valeur, int sens, int repetition)
{
    if (repetition >= 30)
        return std::clamp(valeur + 3 * sens, 3, 24);
    return std::clamp(valeur + sens, 0, 24);
}

int DelaiRepetitionCase(int repetition)
{
    if (repetition <= 0)
        return 300;
    return repetition < 10 ? 100 : 50;
}

// ---------------------------------------------------------------- brush

cEditeurBrush::cEditeurBrush(cAccord &a, bool haut, int derniereDuree)
    : Accord(a), Haut(haut), Choix(std::clamp(derniereDuree, 1, 6))
{
    AvaitEffets = a.Effets != nullptr;
    if (AvaitEffets)
        a.Effets->CopierVers(Sauvegarde);
    Choisir(Choix);
}

void cEditeurBrush::Choisir(int duree)
{
    Choix = std::clamp(duree, 1, 6);
    cEffets_Accord &e = Accord.EffetsCrees();
    (Haut ? e.BrushUp : e.BrushDown) = static_cast<int8_t>(Choix);
}

int cEditeurBrush::Valider()
{
    cEffets_Accord &e = Accord.EffetsCrees();
    e.Exclure(Haut ? eEffetAccord::BrushUp : eEffetAccord::BrushDown);
    Accord.LibererEffetsVides();
    return Choix;
}

void cEditeurBrush::Annuler()
{
    if (AvaitEffets)
        Sauvegarde.CopierVers(Accord.EffetsCrees());
    else
        Accord.LibererEffets();
}

// ---------------------------------------------------------------- stroke of the vibrato

double CoupVibratoInitial(const cAccord &a)
{
    // A beat without a stroke (or with one no OK could have stored) opens on 1, not on 0,
    // which OK would refuse.
    if (a.Effets && a.Effets->CoupVibrato > 0 && a.Effets->CoupVibrato <= 600)
        return a.Effets->CoupVibrato / 100.0;
    return 1;
}

std::string TexteCoupVibrato(double v, char separateur)
{
    const int c = static_cast<int>(Arrondi(v * 100));
    std::string t = std::to_string(c / 100);
    int reste = c % 100;
    if (reste != 0) {
        t += separateur;
        t += static_cast<char>('0' + reste / 10);
        if (reste % 10 != 0)
            t += static_cast<char>('0' + reste % 10);
    }
    return t;
}

double MonterCoupVibrato(double v) { return v >= 6 ? v : std::min(6.0, v + 0.5); }

double DescendreCoupVibrato(double v) { return v <= 0.5 ? v : std::max(0.5, v - 0.5); }

bool LireCoupVibrato(const std::string &texte, double &v)
{
    v = 0;
    std::string t;
    bool chiffre = false;
    int separateurs = 0;
    for (char c : texte) {
        if (c >= '0' && c <= '9') {
            chiffre = true;
            t += c;
        } else if (c == '.' || c == ',') {
            ++separateurs;
            t += '.';
        } else {
            return false;
        }
    }
    if (!chiffre || separateurs > 1)
        return false;
    v = std::strtod(t.c_str(), nullptr);
    return v > 0 && v <= 6;
}

void AppliquerCoupVibrato(cAccord &a, double v)
{
    cEffets_Accord &e = a.EffetsCrees();
    e.CoupVibrato = static_cast<int32_t>(Arrondi(v * 100));
    e.Exclure(eEffetAccord::CoupVibrato);
}

// ---------------------------------------------------------------- toggles without an editor

bool EffacerBrush(cAccord &a, bool haut)
{
    if (!a.Effets || (haut ? a.Effets->BrushUp : a.Effets->BrushDown) == 0)
        return false;
    (haut ? a.Effets->BrushUp : a.Effets->BrushDown) = 0;
    a.Effets->Exclure(haut ? eEffetAccord::BrushUp : eEffetAccord::BrushDown);
    a.LibererEffetsVides();
    return true;
}

bool EffacerCoupVibrato(cAccord &a)
{
    if (!a.Effets || a.Effets->CoupVibrato == 0)
        return false;
    a.Effets->CoupVibrato = 0;
    a.Effets->Exclure(eEffetAccord::CoupVibrato);
    a.LibererEffetsVides();
    return true;
}
