// Painting checks on small fixtures: what a fault would break, not pixel-perfect goldens.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>

#include "app/uDemo.h"
#include "display/ui/uDessinPartition.h"
#include "support/ui/FenetreTest.h"

namespace {

struct Fixture {
    cPartition p;
    TParamEcran param;
    cAffichage aff{&p, &param};
    rOptionsDessin options;
    QImage image;
    Fixture(int nbTemps = 4, int code = 0)
    {
        Application();
        p.Nouveau();
        p.InsererMesureApres(nullptr);
        for (int m = 1; m <= 2; ++m) {
            cMesurePiste *mp = p.MesurePisteDe(m, 1);
            cAccord *a = mp->PremierAccord;
            for (int i = 0; i < nbTemps; ++i) {
                if (i)
                    a = mp->InsererAccordApres(a);
                a->CodeDuree = static_cast<int8_t>(code);
                a->CalculerDuree();
                a->PropagerDuree();
                a->Etat = 1;
                a->Notes[2]->Type = 1;
                a->Notes[2]->Case = 7;
            }
            mp->CalculerDuree();
        }
        rPosition c;
        c.NumMesure = 2;
        p.PlacerCurseur(c); // the cursor out of measure 1
        aff.LargeurVue = 800;
        aff.CompterPistesVisibles();
        aff.ActualiserPiste();
    }
    void Dessiner()
    {
        image = QImage(aff.LargeurVue + 1, aff.HauteurRangee() + 1, QImage::Format_RGB32);
        cDessinPartition d(aff, options); // the painter reads the options it is given live
        d.DessinerRangee(image, p.PremiereMesure, nullptr, *p.PremierePiste, 0);
    }
    QRgb Pixel(int x, int y) const { return image.pixel(x, y) & 0xFFFFFF; }
    static QRgb Rgb(int c) { return CouleurQt(c).rgb() & 0xFFFFFF; }
    // Pixels of colour c in the rectangle [x1,x2) x [y1,y2).
    int Compter(int x1, int x2, int y1, int y2, QRgb c) const
    {
        int n = 0;
        for (int x = x1; x < x2; ++x)
            for (int y = y1; y < y2; ++y)
                n += Pixel(x, y) == c;
        return n;
    }
};

TEST(Dessin, StringLinesLieAtTheirY)
{
    Fixture f;
    f.Dessiner();
    const int y0 = f.aff.Y0(6);
    const QRgb lignes = Fixture::Rgb(f.param.ColLines);
    const int x = f.aff.LargeurVue - f.param.MargeDroiteLignes - 3; // past the last barline
    for (int s = 0; s < 6; ++s) {
        EXPECT_EQ(f.Pixel(x, y0 + s * f.param.EspLignes), lignes) << "string " << s + 1;
        EXPECT_NE(f.Pixel(x, y0 + s * f.param.EspLignes + 3), lignes);
    }
    EXPECT_NE(f.Pixel(f.param.MargeGaucheLignes - 3, y0), lignes) << "the left margin is blank";
}

TEST(Dessin, FretNumberDrawnAtItsBeat)
{
    Fixture f;
    f.Dessiner();
    const cMesurePiste *mp = f.p.MesurePisteDe(1, 1);
    const int y = f.aff.Y0(6) + f.param.EspLignes; // string 2
    const QRgb texte = Fixture::Rgb(f.param.FontNotes.Col);
    for (const cAccord *a = mp->PremierAccord; a; a = a->Suivant) {
        EXPECT_EQ(a->XAffiche, f.aff.XTemps(*mp->Mesure, *a));
        EXPECT_GT(f.Compter(a->XAffiche - 5, a->XAffiche + 5, y - 6, y + 6, texte), 4)
            << "a 7 at beat " << a->Index;
    }
    // Nothing as dark on string 5, where there is no note.
    const cAccord *a = mp->Accords[2];
    const int y5 = f.aff.Y0(6) + 4 * f.param.EspLignes;
    EXPECT_EQ(f.Compter(a->XAffiche + 2, a->XAffiche + 5, y5 - 3, y5 + 3, texte), 0);
}

TEST(Dessin, WrongMeasureInBadBarColourUnlessTheCursorIsIn)
{
    Fixture f(3); // three quarters in 4/4: both measures too short
    f.Dessiner();
    const QRgb mauvaise = Fixture::Rgb(f.param.ColBadBar);
    const cMesure *m1 = f.p.MesureNumero(1), *m2 = f.p.MesureNumero(2);
    const int y = f.aff.Y0(6) + 5;
    const int x1 = f.param.MargeGaucheLignes + static_cast<int>(m1->X);
    const int x2 = f.param.MargeGaucheLignes + static_cast<int>(m2->X);
    EXPECT_EQ(f.Pixel(x1, y), mauvaise) << "barline of the wrong measure";
    EXPECT_NE(f.Pixel(x2, y), mauvaise) << "the cursor's measure keeps its colours";
    f.aff.LectureEnCours = true;
    f.Dessiner();
    EXPECT_EQ(f.Pixel(x2, y), mauvaise) << "during playback it is marked too";
}

TEST(Dessin, RepeatSignsAndCount)
{
    Fixture f;
    cMesure *m1 = f.p.MesureNumero(1);
    m1->RenvoiDebut = true;
    m1->RenvoiFin = 3;
    f.aff.ActualiserPiste();
    f.Dessiner();
    const QRgb c = Fixture::Rgb(f.param.ColRythm);
    const int T = f.aff.Y0(6), U = T + 5 * f.param.EspLignes;
    const int mi = (T + U) / 2;
    const int fx = f.param.MargeGaucheLignes + static_cast<int>(m1->X);
    EXPECT_EQ(f.Pixel(fx + 8, mi - 5), c) << "upper dot of the repeat open";
    EXPECT_EQ(f.Pixel(fx + 8, mi + 5), c) << "lower dot";
    const int u = static_cast<int>(Arrondi(f.param.MargeGaucheLignes + m1->X + m1->LargeurFixe +
                                           m1->LargeurNaturelle * m1->Etirement));
    EXPECT_EQ(f.Pixel(u - 7, mi - 5), c) << "dot of the repeat close";
    EXPECT_EQ(f.Pixel(u - 2, mi), c) << "second bar of the close";
    EXPECT_GT(f.Compter(u - 9, u + 6, T - 12, T - 1, Fixture::Rgb(f.param.FontRenv.Col)), 3)
        << "the 3x count";
}

TEST(Dessin, EighthsAreBeamedQuartersNot)
{
    Fixture f(8, 1);
    f.Dessiner();
    const cMesurePiste *mp = f.p.MesurePisteDe(1, 1);
    const int B = f.param.EspPortees + 60 + 5 * f.param.EpCroches - 47;
    const QRgb c = Fixture::Rgb(f.param.ColRythm);
    const cAccord *a1 = mp->Accords[1], *a2 = mp->Accords[2], *a3 = mp->Accords[3];
    const int milieu12 = (a1->XAffiche + a2->XAffiche) / 2;
    const int milieu23 = (a2->XAffiche + a3->XAffiche) / 2;
    EXPECT_EQ(f.Pixel(milieu12, B), c) << "a beam joins beats 1 and 2";
    EXPECT_NE(f.Pixel(milieu23, B), c) << "beats 2 and 3 are in different quarter groups";
}

TEST(Dessin, DemoScoreRendersEveryLine)
{
    Application();
    cPartition p;
    ConstruireDemo(p);
    TParamEcran param;
    const QImage img = cDessinPartition::RendreVertical(p, param, 1200);
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.width(), 1200);
    EXPECT_GE(img.height(), param.EspPortees + 43);
    if (const char *sortie = std::getenv("PLEC_DEMO_PNG"))
        img.save(QString::fromLocal8Bit(sortie));
}

} // namespace

#include <QDir>
#include <QTemporaryDir>

#include "display/ui/uImagePartition.h"

namespace {
TEST(ImagePNG, WritesTheTrackAt1200PixelsAndReportsFailures)
{
    Application();
    cPartition p;
    ConstruireDemo(p);
    QTemporaryDir dossier;
    const std::string chemin = QDir(dossier.path()).filePath("demo.png").toStdString();
    std::string cle;
    ASSERT_TRUE(EcrireImagePNG(p, chemin, cle)) << cle;
    QImage relue(QString::fromStdString(chemin));
    EXPECT_EQ(relue.width(), 1200);
    EXPECT_GT(relue.height(), 100);
    EXPECT_FALSE(EcrireImagePNG(p, dossier.path().toStdString() + "/missing/x.png", cle));
    EXPECT_EQ(cle, "MidiExp-EcritureFichierImpossibleEnregAb");
}
} // namespace
