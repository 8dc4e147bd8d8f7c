#include "mixer/uCanaux.h"

#include <algorithm>

#include "model/uPartition.h"

namespace {
constexpr int CanalBatterie = 10;

bool Utilise(const cPartition &p, int port, int k, const cPiste *sauf)
{
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante)
        if (t != sauf && t->Port == port && (t->Canal == k || t->CanalEffets == k))
            return true;
    return false;
}
} // namespace

int PremierCanalLibre(const cPartition &p, int port, const cPiste *sauf)
{
    return SecondCanalLibre(p, port, 0, sauf);
}

int SecondCanalLibre(const cPartition &p, int port, int canal, const cPiste *sauf)
{
    for (int k = 1; k <= MaxCanaux; ++k)
        if (k != CanalBatterie && k != canal && !Utilise(p, port, k, sauf))
            return k;
    return -1;
}

void CanauxNouvellePiste(const cPartition &p, int port, bool batterie, const cPiste *courante,
                         int &canal, int &canalEffets)
{
    if (batterie) {
        canal = canalEffets = CanalBatterie;
        return;
    }
    canal = PremierCanalLibre(p, port);
    if (canal < 0) {
        canal = courante ? courante->Canal : 1;
        canalEffets = courante ? courante->CanalEffets : canal;
        return;
    }
    canalEffets = SecondCanalLibre(p, port, canal);
    if (canalEffets < 0)
        canalEffets = canal; // a lone free channel plays the effects too
}

// ---------------------------------------------------------------- channel menus

namespace {
bool CanalValide(int k) { return k >= 1 && k <= MaxCanaux; }

std::string AvecNom(std::string t, const std::string &nom)
{
    const auto i = t.find("%s");
    if (i != std::string::npos)
        t.replace(i, 2, nom);
    return t;
}

void CopierSon(const rCanalMidi &de, rCanalMidi &vers)
{
    vers.Instrument = de.Instrument;
    vers.Volume = de.Volume;
    vers.Balance = de.Balance;
    vers.Chorus = de.Chorus;
    vers.Reverb = de.Reverb;
    vers.Phaser = de.Phaser;
    vers.Tremolo = de.Tremolo;
}

rCanalMidi &Entree(cPartition &p, int port, int canal)
{
    return p.Canaux[std::clamp(port, 1, MaxPorts)][std::clamp(canal, 1, MaxCanaux)];
}

// Another drum track of the port already plays on channel 10 there.
bool BatterieSurPort(const cPartition &p, const cPiste &t, int port)
{
    for (const cPiste *u = p.PremierePiste; u; u = u->Suivante)
        if (u != &t && u->Percussions && u->Port == port)
            return true;
    return false;
}
} // namespace

rStatutCanaux StatutCanaux(const cPartition &p, const cPiste &t, int port)
{
    rStatutCanaux s;
    for (const cPiste *u = p.PremierePiste; u; u = u->Suivante) {
        if (u == &t || u->Percussions || u->Port != port)
            continue;
        if (CanalValide(u->Canal)) {
            s.Principal[u->Canal] = 1;
            s.NomPrincipal[u->Canal] = u->Nom;
            s.EffetsLie[u->Canal] = CanalValide(u->CanalEffets) ? u->CanalEffets : u->Canal;
            s.Effets[u->Canal] = 1;
            s.NomEffets[u->Canal] = u->Nom;
        }
        if (CanalValide(u->CanalEffets) && u->CanalEffets != u->Canal) {
            s.Principal[u->CanalEffets] = 2;
            s.NomPrincipal[u->CanalEffets] = u->Nom;
            s.Effets[u->CanalEffets] = 1;
            s.NomEffets[u->CanalEffets] = u->Nom;
        }
    }
    if (CanalValide(t.Canal))
        s.Effets[t.Canal] = 0;
    if (CanalValide(t.CanalEffets))
        s.Effets[t.CanalEffets] = 0;
    return s;
}

std::vector<rEntreeCanal> MenuCanaux(const cPartition &p, const cPiste &t, bool effets,
                                     const std::function<std::string(const std::string &)> &traduire)
{
    const rStatutCanaux s = StatutCanaux(p, t, t.Port);
    std::vector<rEntreeCanal> v;
    for (int k = 1; k <= MaxCanaux; ++k) {
        rEntreeCanal e;
        std::string etat;
        if (k == CanalBatterie)
            etat = traduire("Gene-PisteBattUniquement");
        else if (!effets) {
            if (s.Principal[k] == 1)
                etat = AvecNom(traduire("Gene-LieAvec"), s.NomPrincipal[k]);
            else if (s.Principal[k] == 2)
                etat = AvecNom(traduire("Gene-R\xE9serv\xE9Par"), s.NomPrincipal[k]);
            else
                etat = traduire("Gene-Libre");
        } else {
            etat = s.Effets[k] ? AvecNom(traduire("Gene-R\xE9serv\xE9Par"), s.NomEffets[k])
                               : traduire("Gene-Libre");
        }
        e.Texte = (k < 10 ? "0" : "") + std::to_string(k) + " - " + etat;
        e.Actif = effets ? s.Effets[k] != 1 : s.Principal[k] != 2;
        if (t.Percussions ? k != CanalBatterie : k == CanalBatterie)
            e.Actif = false;
        e.Coche = k == (effets ? t.CanalEffets : t.Canal);
        v.push_back(std::move(e));
    }
    return v;
}

bool ChangerPort(cPartition &p, cPiste &t, int port)
{
    if (port < 1 || port > MaxPorts || port == t.Port)
        return false;
    const int ancien = std::clamp<int>(t.Port, 1, MaxPorts);
    const rCanalMidi son = Entree(p, ancien, t.Canal);
    t.Port = port;
    if (t.Percussions) {
        t.Canal = t.CanalEffets = CanalBatterie;
        // Channel 10 is shared by the port's drum tracks: it keeps the sound it has there.
        if (!BatterieSurPort(p, t, port))
            CopierSon(son, Entree(p, port, CanalBatterie));
        return true;
    }
    const rStatutCanaux s = StatutCanaux(p, t, port);
    const bool principalLibre = CanalValide(t.Canal) && t.Canal != CanalBatterie &&
                                s.Principal[t.Canal] == 0;
    const bool effetsLibre = CanalValide(t.CanalEffets) && t.CanalEffets != CanalBatterie &&
                             s.Principal[t.CanalEffets] == 0;
    if (principalLibre && effetsLibre) {
        CopierSon(son, Entree(p, port, t.Canal));
        CopierSon(son, Entree(p, port, t.CanalEffets));
        return true;
    }
    // A channel already taken there: copying would overwrite another track's sound, and
    // bending on another track's channel would bend its notes. A free pair takes the sound.
    const int k1 = PremierCanalLibre(p, port, &t);
    if (k1 > 0) {
        int k2 = SecondCanalLibre(p, port, k1, &t);
        if (k2 < 0)
            k2 = k1;
        t.Canal = k1;
        t.CanalEffets = k2;
        CopierSon(son, Entree(p, port, k1));
        CopierSon(son, Entree(p, port, k2));
        return true;
    }
    // No free channel left: share the channels of a track already there, sound included.
    if (CanalValide(t.Canal) && s.Principal[t.Canal] == 1) {
        t.CanalEffets = s.EffetsLie[t.Canal];
        return true;
    }
    for (const cPiste *u = p.PremierePiste; u; u = u->Suivante)
        if (u != &t && !u->Percussions && u->Port == port) {
            t.Canal = u->Canal;
            t.CanalEffets = u->CanalEffets;
            return true;
        }
    return true;
}

bool ChangerCanal(cPartition &p, cPiste &t, int k)
{
    if (!CanalValide(k) || (t.Percussions ? k != CanalBatterie : k == CanalBatterie))
        return false;
    const rStatutCanaux s = StatutCanaux(p, t, t.Port);
    if (s.Principal[k] == 2)
        return false;
    const int ancien = t.Canal;
    t.Canal = t.CanalEffets = k;
    if (t.Percussions)
        return ancien != k;
    if (s.Principal[k] == 0) {
        if (ancien != k)
            CopierSon(Entree(p, t.Port, ancien), Entree(p, t.Port, k));
    } else {
        t.CanalEffets = s.EffetsLie[k];
    }
    return true;
}

bool ChangerCanalEffets(cPartition &p, cPiste &t, int k, std::vector<cPiste *> *suiveuses)
{
    if (!CanalValide(k) || (t.Percussions ? k != CanalBatterie : k == CanalBatterie))
        return false;
    const rStatutCanaux s = StatutCanaux(p, t, t.Port);
    if (s.Effets[k] == 1)
        return false;
    t.CanalEffets = k;
    if (t.Percussions)
        return true;
    if (k != t.Canal)
        CopierSon(Entree(p, t.Port, t.Canal), Entree(p, t.Port, k));
    for (cPiste *u = p.PremierePiste; u; u = u->Suivante)
        if (u != &t && !u->Percussions && u->Port == t.Port && u->Canal == t.Canal) {
            u->CanalEffets = k;
            if (suiveuses)
                suiveuses->push_back(u);
        }
    return true;
}
