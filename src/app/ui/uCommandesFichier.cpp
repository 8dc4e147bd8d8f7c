// The document lifecycle: New, Open, Save, Save As, the save-changes prompt, recent files, the
// command line; the score's properties; help and about.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSignalBlocker>

#include <ctime>

#include "app/uDocument.h"
#include "app/ui/DlgAide.h"
#include "app/ui/DlgScoreInfo.h"
#include "app/ui/Main.h"
#include "app/ui/uModules.h"
#include "chords/uListeAccordsImpression.h"
#include "config/uConfig.h"
#include "config/uEmplacements.h"
#include "config/uPatch.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uTexteUI.h"
#include "fileio/uFichierPLT.h"

namespace {
std::string T(const std::string &cle) { return Traduction(cle); }
bool Existe(const std::string &chemin) { return QFileInfo::exists(CheminQt(chemin)); }

bool FinitPar(const std::string &s, const char *fin)
{
    const std::string f(fin);
    if (s.size() < f.size())
        return false;
    std::string e = s.substr(s.size() - f.size());
    for (char &c : e)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return e == f;
}
} // namespace

bool TMainForm::ConfirmerRemplacement(const std::string &chemin)
{
    return MyMsg(T("Dlg-Avertissement"),
                 RemplacerParam(T("Fichier-ExisteDeja"), NomFichierPourMessage(chemin)) + "\r\r" +
                     T("Fichier-Remplacer"),
                 MsgAvertissement, DefNon, BtOui | BtNon) == ResOui;
}

std::string TMainForm::ChoisirFichierExport(const std::string &propose, const QString &filtre)
{
    const QString choisi = ChoisirFichier(true, CheminQt(propose), filtre);
    if (choisi.isEmpty())
        return {};
    const std::string chemin = CheminDepuisQt(choisi);
    if (Existe(chemin) && !ConfirmerRemplacement(chemin))
        return {};
    return chemin;
}

bool TMainForm::Enregistrer(const std::string &chemin)
{
    std::string cle;
    if (!EnregistrerFichier(Doc.Partition(), ListeAccordsImpression(), chemin, cle)) {
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK);
        return false;
    }
    return true;
}

bool TMainForm::EnregistrerAvecDialogue(bool sousAutreNom)
{
    cPartition &p = Doc.Partition();
    QString propose;
    if (!p.Chemin.empty())
        propose = CheminQt(p.Chemin);
    else
        propose = VersQt(NomProposeDepuisTitre(p.Informations->Titre));
    const QString choisi = ChoisirFichier(true, propose, QString());
    if (choisi.isEmpty())
        return false;
    const std::string chemin = CheminDepuisQt(choisi);
    if ((!sousAutreNom || chemin != p.Chemin) && Existe(chemin) && !ConfirmerRemplacement(chemin))
        return false;
    const std::string ancienChemin = p.Chemin, ancienNom = p.NomFichier;
    p.Chemin = chemin;
    p.NomFichier = PartieNomFichier(chemin);
    if (!Enregistrer(chemin)) {
        p.Chemin = ancienChemin; // a failed save never leaves a new name on the score
        p.NomFichier = ancienNom;
        return false;
    }
    return true;
}

bool TMainForm::DemanderEnregistrement()
{
    cPartition &p = Doc.Partition();
    int reponse = ResNon;
    if (p.Modifie && !p.Vierge)
        reponse = MyMsg(T("Dlg-Confirmation"),
                        RemplacerParam(T("Fichier-EnregistrerModif"),
                                       NomPourQuestion(p, T("Fichier-SansNom"))),
                        MsgConfirmation, DefOui, BtOui | BtNon | BtAnnuler);
    if (reponse == ResAnnuler)
        return false;
    if (reponse == ResOui) {
        const bool ok = p.Chemin.empty() ? EnregistrerAvecDialogue(false) : Enregistrer(p.Chemin);
        if (!ok)
            return false;
        p.MarquerEnregistre();
    }
    if (!p.Chemin.empty()) {
        AjouterFichierRecent(Config->Fichier, p.Chemin, Existe(p.Chemin));
        AfficherFichiersRecents();
    }
    return true;
}

void TMainForm::ApresNouvellePartition()
{
    rPosition debut;
    Doc.Partition().PlacerCurseur(debut);
    Actualiser(true);
    MettreAJourTitre();
}

void TMainForm::FichierNouveau()
{
    if (!DemanderEnregistrement())
        return;
    Doc.Nouvelle();
    ApresNouvellePartition();
    Executer("Fichier_Proprietes");
}

bool TMainForm::OuvrirChemin(const std::string &chemin)
{
    std::string cle;
    const bool ok = Doc.Ouvrir(
        chemin,
        [](const std::string &c, cPartition &p, cListeAccordsImpression &l, std::string &k) {
            return OuvrirFichier(p, l, c, k);
        },
        cle);
    if (!ok) {
        // The score on screen is the one the user had; nothing of the damaged file is kept.
        MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK, NomFichierPourMessage(chemin));
        return false;
    }
    cPartition &p = Doc.Partition();
    p.MarquerEnregistre();
    // An older file now carries a ".pl3" name that does not exist yet.
    if (FinitPar(chemin, ".plt")) {
        // The older file itself is what the recent list remembers.
        AjouterFichierRecent(Config->Fichier, chemin, true);
        AfficherFichiersRecents();
        p.Modifie = true;
        p.Vierge = false;
        EtatEnregistrer(true);
    }
    Config->Repertoire = CheminDepuisQt(QFileInfo(CheminQt(chemin)).absolutePath());
    ApresNouvellePartition();
    return true;
}

void TMainForm::FichierOuvrir()
{
    if (!DemanderEnregistrement())
        return;
    const QString choisi = ChoisirFichier(false, QString(), QString());
    if (!choisi.isEmpty())
        OuvrirChemin(CheminDepuisQt(choisi));
}

bool TMainForm::FichierEnregistrer()
{
    cPartition &p = Doc.Partition();
    const bool ok = p.Chemin.empty() ? EnregistrerAvecDialogue(false) : Enregistrer(p.Chemin);
    if (ok)
        p.MarquerEnregistre();
    return ok;
}

bool TMainForm::FichierEnregistrerSous()
{
    const bool ok = EnregistrerAvecDialogue(true);
    if (ok)
        Doc.Partition().MarquerEnregistre();
    return ok;
}

void TMainForm::AfficherFichiersRecents()
{
    bool un = false;
    for (int k = 0; k < 5; ++k) {
        const std::string &f = Config->Fichier[k];
        un = un || !f.empty();
        for (auto &menu : Recents) {
            if (!menu[k])
                continue;
            menu[k]->setText(QString::fromUtf8(LibelleFichierRecent(k + 1, f).c_str()));
            menu[k]->setVisible(!f.empty());
        }
    }
    if (SeparateurRecents)
        SeparateurRecents->setVisible(un);
}

void TMainForm::OuvrirFichierRecent(int k)
{
    const std::string chemin = Config->Fichier[k - 1];
    if (!Existe(chemin)) {
        MyMsgCle("Dlg-Erreur", "Fichier-Introuvable", MsgErreur, DefOK, BtOK,
                 NomFichierPourMessage(chemin));
        return; // the entry stays in the list
    }
    if (DemanderEnregistrement())
        OuvrirChemin(chemin);
}

void TMainForm::OuvrirLigneCommande(const std::vector<std::string> &args)
{
    if (args.empty())
        return;
    std::string chemin;
    for (const std::string &a : args)
        chemin += (chemin.empty() ? "" : " ") + a;
    // Relative to where the program was started, whatever directory it has moved to since.
    chemin = CheminDepuisQt(QDir(RepertoireDepart).absoluteFilePath(CheminQt(chemin)));
    if (!Existe(chemin)) {
        MyMsgCle("Dlg-Erreur", "Fichier-Introuvable", MsgErreur, DefOK, BtOK,
                 NomFichierPourMessage(chemin));
        return;
    }
    OuvrirChemin(chemin);
}

void TMainForm::MettreAJourTitre()
{
    setWindowTitle(QString::fromUtf8(TitreFenetre(Doc.Partition(), T("Fichier-SansNom")).c_str()));
    if (SpinEdit_Tempo) {
        // Showing the score's tempo is not an edit of it.
        const QSignalBlocker b(SpinEdit_Tempo);
        SpinEdit_Tempo->setValue(Doc.Partition().Tempo);
    }
}

void TMainForm::EcrireRecuperation()
{
    const cPartition &p = Doc.Partition();
    if (p.Modifie && !p.Vierge)
        Recuperation->Ecrire(p, ListeAccordsImpression());
}

bool TMainForm::ProposerRecuperation()
{
    for (const rRecuperation &r :
         RecuperationsAOffrir(CheminDepuisQt(QFileInfo(CheminQt(CheminConfiguration())).absolutePath()),
                              static_cast<int>(QCoreApplication::applicationPid()))) {
        char date[32];
        std::strftime(date, sizeof date, "%Y-%m-%d %H:%M", std::localtime(&r.Date));
        const std::string nom =
            r.Origine.empty() ? T("Fichier-SansNom") : NomFichierPourMessage(r.Origine);
        const int reponse =
            MyMsg(T("Dlg-Confirmation"), RemplacerParam(T("Fichier-Recuperation"), nom, date),
                  MsgConfirmation, DefOui, BtOui | BtNon);
        if (reponse != ResOui) {
            SupprimerRecuperation(r);
            continue;
        }
        std::string cle;
        if (!Doc.Ouvrir(
                r.Copie,
                [](const std::string &c, cPartition &p, cListeAccordsImpression &l,
                   std::string &k) { return OuvrirFichier(p, l, c, k); },
                cle)) {
            MyMsgCle("Dlg-Erreur", cle, MsgErreur, DefOK, BtOK, NomFichierPourMessage(r.Copie));
            SupprimerRecuperation(r);
            continue;
        }
        cPartition &p = Doc.Partition();
        p.Chemin = r.Origine;
        p.NomFichier = r.Origine.empty() ? std::string() : PartieNomFichier(r.Origine);
        p.Modifie = true;
        p.Vierge = false;
        EtatEnregistrer(true);
        // This instance keeps the work from now on; the old copy can go.
        EcrireRecuperation();
        SupprimerRecuperation(r);
        ApresNouvellePartition();
        return true;
    }
    return false;
}

void EnregistrerCommandesFichier(TMainForm &f)
{
    auto cmd = [&f](const char *nom, std::function<void()> fn) {
        f.EnregistrerCommande(nom, [fn](int) { fn(); });
    };
    cmd("Fichier_Nouveau", [&f] { f.FichierNouveau(); });
    cmd("Fichier_Ouvrir", [&f] { f.FichierOuvrir(); });
    cmd("Fichier_Enregistrer", [&f] { f.FichierEnregistrer(); });
    cmd("Fichier_EnregistrerSous", [&f] { f.FichierEnregistrerSous(); });
    cmd("Fichier_Quitter", [&f] { f.close(); });
    cmd("Fichier_Proprietes", [&f] {
        TFScoreInfo d(*f.Partition().Informations, Config->DefInfo, &f);
        if (d.exec() == QDialog::Accepted) {
            f.Partition().MarquerModifie();
            f.Document().Edite();
            f.ActualiserBarrePistes();
        }
    });
    cmd("Aide_Index", [&f] { TFAide::Montrer(&f, FichierAideCourant()); });
    cmd("Aide_APropos", [] {
        // The version, and who wrote the language patch in use.
        MyMsg("Plectorium", "Plectorium 3.0\r\r" + AuteurPatch(), MsgInformation, DefOK, BtOK);
    });
    for (const char *aide : {"Aide_English", "Aide_Francais", "Aide_Deutsch"})
        f.EnregistrerCommande(aide, [](int tag) {
            Config->HelpFile = tag;
            SelectionnerFichierAide(tag);
        });
    f.Action(Config->HelpFile == 1   ? "Aide_Francais"
             : Config->HelpFile == 3 ? "Aide_Deutsch"
                                     : "Aide_English")
        ->setChecked(true);
}
