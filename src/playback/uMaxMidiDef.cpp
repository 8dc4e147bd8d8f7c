// The MIDI library layer. The clock maps ticks to time through the tempo in force since the
// last tempo change; every deadline is computed from it at the moment of waiting, so a tempo
// change moves the records already queued. Devices are called without the lock held.
#include "playback/uMaxMidiDef.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <pthread.h>
#include <sched.h>

int LongueurMessage(uint8_t statut)
{
    switch (statut & 0xF0) {
    case 0xC0:
    case 0xD0:
        return 2;
    case 0x80:
    case 0x90:
    case 0xA0:
    case 0xB0:
    case 0xE0:
        return 3;
    default:
        return 1;
    }
}

bool MessageValide(uint8_t statut, uint8_t d1, uint8_t d2)
{
    if (statut < 0x80 || statut >= 0xF0)
        return false;
    const int n = LongueurMessage(statut);
    return d1 <= 127 && (n < 3 || d2 <= 127);
}

cBibliothequeMidi::cBibliothequeMidi(std::vector<rPeripherique> peripheriques,
                                     cHorlogeManuelle *manuelle)
    : Peripheriques(std::move(peripheriques)), Manuelle(manuelle)
{
    if (!Manuelle)
        Ordonnanceur = std::thread([this] { Boucle(); });
}

cBibliothequeMidi::~cBibliothequeMidi()
{
    {
        std::lock_guard<std::mutex> l(Verrou);
        Fin = true;
    }
    Reveil.notify_all();
    if (Ordonnanceur.joinable())
        Ordonnanceur.join();
    Sorties.clear();
}

std::string cBibliothequeMidi::GetMidiOutDescription(int index) const
{
    if (index < 0 || index >= GetNumOutDevices())
        return {};
    return Peripheriques[index].Nom.substr(0, 32);
}

int64_t cBibliothequeMidi::Maintenant() const
{
    if (Manuelle)
        return Manuelle->Ns;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double cBibliothequeMidi::PositionA(int64_t ns) const
{
    if (!Demarree)
        return RefTicks;
    return RefTicks + double(ns - RefNs) / 1000.0 / UsParNoire * Resolution;
}

int64_t cBibliothequeMidi::EcheanceNs(double ticks) const
{
    return RefNs + static_cast<int64_t>(std::ceil((ticks - RefTicks) * UsParNoire * 1000.0 /
                                                  Resolution));
}

double cBibliothequeMidi::MsA(double ticks) const
{
    return double(EcheanceNs(ticks) - DebutNs) / 1e6;
}

int cBibliothequeMidi::OpenSync()
{
    std::lock_guard<std::mutex> l(Verrou);
    SyncOuverte = true;
    return 1;
}

void cBibliothequeMidi::CloseSync(int)
{
    StopSync(1);
    std::lock_guard<std::mutex> l(Verrou);
    SyncOuverte = false;
}

int cBibliothequeMidi::OpenMidiOut(int device, int, int port, std::string &erreur)
{
    if (device < 0 || device >= GetNumOutDevices() || !Peripheriques[device].Ouvrir) {
        erreur = "no such device";
        return 0;
    }
    // Opening may take time (a synthesizer loads its sounds): not under the lock.
    std::unique_ptr<iPeripheriqueSortie> p = Peripheriques[device].Ouvrir(port, erreur);
    if (!p)
        return 0;
    std::lock_guard<std::mutex> l(Verrou);
    const int h = ProchaineSortie++;
    cSortie &s = Sorties[h];
    s.Port = port;
    s.Peripherique = std::move(p);
    s.Verrou = std::make_shared<std::mutex>();
    if (Demarree)
        s.Peripherique->Demarrer();
    return h;
}

void cBibliothequeMidi::CloseMidiOut(int sortie)
{
    std::shared_ptr<iPeripheriqueSortie> p;
    {
        std::lock_guard<std::mutex> l(Verrou);
        auto i = Sorties.find(sortie);
        if (i == Sorties.end())
            return;
        p = std::move(i->second.Peripherique);
        Sorties.erase(i);
    }
    // The device goes with the last reference: here, or after a send in flight.
}

bool cBibliothequeMidi::PutMidiOut(int sortie, const rEvtMidiOut &r)
{
    if (!MessageValide(r.Statut, r.Donnee1, r.Donnee2))
        return false;
    {
        std::lock_guard<std::mutex> l(Verrou);
        auto i = Sorties.find(sortie);
        if (i == Sorties.end() || i->second.Perdue)
            return false;
        cSortie &s = i->second;
        s.TempsDernier += std::max<int32_t>(r.Delta, 0);
        rEnAttente e{s.TempsDernier, {r.Statut, r.Donnee1, r.Donnee2},
                     static_cast<uint8_t>(LongueurMessage(r.Statut))};
        s.File.push_back(e);
        if (s.File.size() >= SeuilPlusDeDonnees)
            s.DemandePlus = true;
    }
    Reveil.notify_all();
    return true;
}

bool cBibliothequeMidi::EnvoyerImmediat(int sortie, uint8_t statut, uint8_t d1, uint8_t d2)
{
    if (!MessageValide(statut, d1, d2))
        return false;
    std::shared_ptr<iPeripheriqueSortie> p;
    std::shared_ptr<std::mutex> v;
    double ms;
    {
        std::lock_guard<std::mutex> l(Verrou);
        auto i = Sorties.find(sortie);
        if (i == Sorties.end() || i->second.Perdue)
            return false;
        p = i->second.Peripherique;
        v = i->second.Verrou;
        ms = double(Maintenant() - DebutNs) / 1e6;
    }
    const uint8_t o[3] = {statut, d1, d2};
    bool ok;
    {
        std::lock_guard<std::mutex> lv(*v);
        ok = p->Envoyer(o, LongueurMessage(statut), ms);
    }
    if (!ok) {
        std::function<void(int, int)> n;
        {
            std::lock_guard<std::mutex> l(Verrou);
            auto i = Sorties.find(sortie);
            if (i != Sorties.end()) {
                i->second.Perdue = true;
                i->second.File.clear();
            }
            n = Notification;
        }
        if (n)
            n(NotifPeripheriquePerdu, sortie);
    }
    return ok;
}

void cBibliothequeMidi::SetTempo(int, int us)
{
    {
        std::lock_guard<std::mutex> l(Verrou);
        const int64_t t = Maintenant();
        RefTicks = PositionA(t);
        RefNs = t;
        UsParNoire = std::max(us, 1);
    }
    Reveil.notify_all();
}

void cBibliothequeMidi::StartSync(int)
{
    // Devices learn the start first, so nothing reaches them before they know time 0.
    std::vector<std::pair<std::shared_ptr<iPeripheriqueSortie>, std::shared_ptr<std::mutex>>> ps;
    {
        std::lock_guard<std::mutex> l(Verrou);
        for (auto &[h, s] : Sorties)
            ps.emplace_back(s.Peripherique, s.Verrou);
    }
    for (auto &[p, v] : ps)
        if (p) {
            std::lock_guard<std::mutex> lv(*v);
            p->Demarrer();
        }
    {
        std::lock_guard<std::mutex> l(Verrou);
        Demarree = true;
        DebutNs = RefNs = Maintenant();
        RefTicks = 0;
    }
    Reveil.notify_all();
}

void cBibliothequeMidi::StopSync(int)
{
    std::vector<std::pair<std::shared_ptr<iPeripheriqueSortie>, std::shared_ptr<std::mutex>>> ps;
    {
        std::lock_guard<std::mutex> l(Verrou);
        if (Demarree)
            RefTicks = PositionA(Maintenant());
        Demarree = false;
        for (auto &[h, s] : Sorties) {
            s.File.clear();
            s.TempsDernier = 0;
            s.AEnvoye = false;
            s.DemandePlus = false;
            ps.emplace_back(s.Peripherique, s.Verrou);
        }
    }
    for (auto &[p, v] : ps)
        if (p) {
            std::lock_guard<std::mutex> lv(*v);
            p->Arreter();
        }
    Reveil.notify_all();
}

bool cBibliothequeMidi::SyncDemarree() const
{
    std::lock_guard<std::mutex> l(Verrou);
    return Demarree;
}

int64_t cBibliothequeMidi::GetPosition(int) const
{
    return static_cast<int64_t>(std::floor(PositionExacte()));
}

double cBibliothequeMidi::PositionExacte() const
{
    std::lock_guard<std::mutex> l(Verrou);
    return PositionA(Maintenant());
}

double cBibliothequeMidi::MsDepuisDebut() const
{
    std::lock_guard<std::mutex> l(Verrou);
    return double(Maintenant() - DebutNs) / 1e6;
}

void cBibliothequeMidi::DefinirNotification(std::function<void(int, int)> fn)
{
    std::lock_guard<std::mutex> l(Verrou);
    Notification = std::move(fn);
}

void cBibliothequeMidi::DefinirMesure(std::function<void(double, double)> fn)
{
    std::lock_guard<std::mutex> l(Verrou);
    Mesure = std::move(fn);
}

std::size_t cBibliothequeMidi::EnAttente(int sortie) const
{
    std::lock_guard<std::mutex> l(Verrou);
    auto i = Sorties.find(sortie);
    return i == Sorties.end() ? 0 : i->second.File.size();
}

bool cBibliothequeMidi::Ouverte(int sortie) const
{
    std::lock_guard<std::mutex> l(Verrou);
    auto i = Sorties.find(sortie);
    return i != Sorties.end() && !i->second.Perdue;
}

int64_t cBibliothequeMidi::Collecter(int64_t ns, std::vector<rLot> &lot,
                                     std::vector<std::pair<int, int>> &avis)
{
    int64_t prochaine = -1;
    auto retenir = [&prochaine](int64_t t) {
        if (prochaine < 0 || t < prochaine)
            prochaine = t;
    };
    if (!Demarree)
        return -1;
    for (auto &[h, s] : Sorties) {
        if (s.Perdue || !s.Peripherique)
            continue;
        const double avanceMs = s.Peripherique->Avance();
        const int64_t avanceNs = static_cast<int64_t>(avanceMs * 1e6);
        while (!s.File.empty()) {
            const rEnAttente &e = s.File.front();
            const int64_t ech = EcheanceNs(e.Ticks);
            if (ech - avanceNs > ns) {
                retenir(ech - avanceNs);
                break;
            }
            lot.push_back({h, s.Peripherique, s.Verrou, e, MsA(e.Ticks), avanceMs > 0});
            s.File.pop_front();
            s.AEnvoye = true;
        }
        if (s.DemandePlus && s.File.size() < SeuilPlusDeDonnees) {
            s.DemandePlus = false;
            avis.emplace_back(NotifPlusDeDonnees, h);
        }
        if (s.File.empty() && s.AEnvoye) {
            s.AEnvoye = false;
            avis.emplace_back(NotifSortieTerminee, h);
        }
    }
    return prochaine;
}

void cBibliothequeMidi::Envoyer(std::vector<rLot> &lot, std::vector<std::pair<int, int>> &avis)
{
    // Records of several outputs due together go out in time order.
    std::stable_sort(lot.begin(), lot.end(),
                     [](const rLot &a, const rLot &b) { return a.MsEcheance < b.MsEcheance; });
    std::vector<int> perdues;
    std::function<void(double, double)> mesure;
    {
        std::lock_guard<std::mutex> l(Verrou);
        mesure = Mesure;
    }
    for (rLot &x : lot) {
        if (std::find(perdues.begin(), perdues.end(), x.Sortie) != perdues.end())
            continue;
        bool ok;
        const double ms = x.Programme ? x.MsEcheance : MsDepuisDebut();
        {
            std::lock_guard<std::mutex> lv(*x.Verrou);
            ok = x.Programme ? x.Peripherique->Programmer(x.E.Octets, x.E.N, ms)
                             : x.Peripherique->Envoyer(x.E.Octets, x.E.N, ms);
        }
        if (!ok)
            perdues.push_back(x.Sortie);
        else if (mesure && !x.Programme)
            mesure(x.MsEcheance, ms);
    }
    std::function<void(int, int)> n;
    {
        std::lock_guard<std::mutex> l(Verrou);
        for (int h : perdues) {
            auto i = Sorties.find(h);
            if (i == Sorties.end())
                continue;
            i->second.Perdue = true;
            i->second.File.clear();
            avis.emplace_back(NotifPeripheriquePerdu, h);
        }
        n = Notification;
    }
    if (n)
        for (auto [m, h] : avis)
            n(m, h);
    lot.clear();
    avis.clear();
}

void cBibliothequeMidi::AvancerJusqua(int64_t ns)
{
    if (!Manuelle)
        return;
    std::vector<rLot> lot;
    std::vector<std::pair<int, int>> avis;
    for (;;) {
        int64_t prochaine;
        {
            std::lock_guard<std::mutex> l(Verrou);
            prochaine = Collecter(Manuelle->Ns, lot, avis);
        }
        Envoyer(lot, avis);
        if (Manuelle->Ns >= ns && (prochaine < 0 || prochaine > ns))
            break;
        // Each record goes out exactly at its due time.
        Manuelle->Ns = (prochaine < 0 || prochaine > ns) ? ns : std::max(Manuelle->Ns, prochaine);
    }
}

void cBibliothequeMidi::Boucle()
{
    // Above ordinary threads where the system allows it (as a sound server's would be), so that
    // a busy machine does not delay the records; without the right, the normal priority stays.
    sched_param prio{};
    prio.sched_priority = std::max(1, sched_get_priority_min(SCHED_FIFO) + 10);
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &prio);

    // The thread sleeps until just before the deadline, then waits out the last stretch
    // awake: a sleep's wake-up comes late by the scheduler's latency, the spin does not.
    constexpr int64_t Eveil = 1'000'000; // ns
    std::vector<rLot> lot;
    std::vector<std::pair<int, int>> avis;
    std::unique_lock<std::mutex> l(Verrou);
    while (!Fin) {
        const int64_t prochaine = Collecter(Maintenant(), lot, avis);
        if (!lot.empty() || !avis.empty()) {
            l.unlock();
            Envoyer(lot, avis);
            l.lock();
            continue;
        }
        if (prochaine < 0) {
            Reveil.wait(l);
        } else if (prochaine - Maintenant() > Eveil) {
            const auto echeance =
                std::chrono::steady_clock::time_point(std::chrono::nanoseconds(prochaine - Eveil));
            Reveil.wait_until(l, echeance);
        } else {
            l.unlock();
            while (Maintenant() < prochaine)
                std::this_thread::yield();
            l.lock();
        }
    }
}
