#include "support/ui/FenetreTest.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include "chords/uListeAccordsImpression.h"
#include "config/uConfig.h"
#include "config/uEmplacements.h"
#include "config/ui/DlgMyMsg.h"
#include "config/ui/uTexteUI.h"
#include "fileio/uFichierPLT.h"

QApplication &Application()
{
    static int argc = 1;
    static char nom[] = "test_ui";
    static char *argv[] = {nom, nullptr};
    static QApplication *app = [] {
        auto *a = new QApplication(argc, argv);
        GarderFormatsNumeriques();
        return a;
    }();
    return *app;
}

namespace {
class cSansDialogue : public iDialoguesConfig {
public:
    void MessageAucunPatch(const std::string &) override {}
    std::string ChoisirLangue(const std::vector<std::string> &) override { return "English"; }
};

void Planifier(tReponse r, int reste)
{
    QTimer::singleShot(5, [r, reste] {
        if (r->Fini)
            return;
        auto *boite = qobject_cast<TFMyMsg *>(QApplication::activeModalWidget());
        if (!boite) {
            if (reste > 0)
                Planifier(r, reste - 1);
            return;
        }
        ++r->NbBoites;
        r->Fini = true;
        r->Texte = DepuisQt(boite->Texte()->text());
        QPushButton *b = r->Bouton == ResOui       ? boite->BoutonOui()
                         : r->Bouton == ResNon     ? boite->BoutonNon()
                         : r->Bouton == ResAnnuler ? boite->BoutonAnnuler()
                                                   : boite->BoutonOK();
        if (!b || !b->isVisible())
            b = boite->BoutonOK();
        b->click();
    });
}

void PlanifierDialogue(std::string classe, std::function<void(QWidget *)> action,
                       std::shared_ptr<bool> fait, int reste)
{
    QTimer::singleShot(5, [classe, action, fait, reste] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w || !w->inherits(classe.c_str())) {
            if (reste > 0)
                PlanifierDialogue(classe, action, fait, reste - 1);
            return;
        }
        *fait = true;
        action(w);
    });
}
} // namespace

tReponse Repondre(int bouton, int essais)
{
    auto r = std::make_shared<rReponse>();
    r->Bouton = bouton;
    Planifier(r, essais);
    return r;
}

tReponse Repondre() { return Repondre(ResOK); }

std::shared_ptr<bool> QuandDialogue(const char *classe, std::function<void(QWidget *)> action,
                                    int essais)
{
    auto fait = std::make_shared<bool>(false);
    PlanifierDialogue(classe, std::move(action), fait, essais);
    return fait;
}

std::string FenetreTest::Chemin(const char *nom) const
{
    return QDir(dossier.path()).filePath(nom).toStdString();
}

void FenetreTest::SetUp()
{
    Application();
    QFile ini(QDir(dossier.path()).filePath("Plec300.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Config]\r\nPatcheLangue=English\r\nHelpFile=2\r\nPremMidiSetup=0\r\n");
    ini.close();
    DefinirCheminConfiguration(Chemin("Plec300.ini"));
    DefinirDossiersDonnees({PLEC_DATA_DIR});
    cSansDialogue ui;
    ASSERT_TRUE(ChargerConfig(&ui));
    f = std::make_unique<TMainForm>();
    f->ChoisirFichier = [this](bool, const QString &p, const QString &) {
        ++nbDialogues;
        propose = p;
        return choix;
    };
    f->show();
    QApplication::processEvents();
}

void FenetreTest::TearDown()
{
    f.reset();
    delete Config;
    Config = nullptr;
    DefinirCheminConfiguration("");
    DefinirDossiersDonnees({});
}

std::string FenetreTest::Fichier(const char *nom, const char *titre)
{
    cPartition p;
    p.Nouveau();
    p.Informations->Titre = titre;
    std::string cle;
    const std::string c = Chemin(nom);
    EXPECT_TRUE(EnregistrerFichier(p, ListeAccordsImpression(), c, cle)) << cle;
    return c;
}

bool FenetreTest::Fermer()
{
    f->close();
    QApplication::processEvents();
    return !f->isVisible();
}
