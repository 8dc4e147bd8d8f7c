#include "mixer/uCanaux.h"

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
