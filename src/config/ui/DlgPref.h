// The preferences window: the general settings, the screen display parameters and the print
// parameters, each page with its defaults and (display and printing) three user presets.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "config/uParamAffichage.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class TMainForm;

class TFPref : public QDialog {
    Q_OBJECT
public:
    enum { PageGeneral = 0, PageAffichage = 1, PageImpression = 2 };

    explicit TFPref(QWidget *parent = nullptr, bool depuisApercu = false);
    ~TFPref() override;

    // Choosers, replaceable by tests: false when cancelled.
    std::function<bool(TMyFont &, QWidget *)> ChoisirPolice;
    std::function<bool(int &couleur, QWidget *)> ChoisirCouleur;
    std::function<std::string(QWidget *)> ChoisirFichierWAV;
    // After the display parameters changed (Look, OK): re-lay out and redraw the score.
    std::function<void()> ApresAffichage;
    // "Preview": the print preview with the page applied.
    std::function<void(QWidget *)> OuvrirApercu;
    // The online check (the button of the general page); the button is disabled without one.
    std::function<void(QWidget *)> VerifierEnLigne;

    QTabWidget *Pages() const { return Onglets; }
    bool Modifie(int page) const { return Change[static_cast<std::size_t>(page)]; }
    // A control of the window by object name (the key it edits), or null.
    template <class T> T *Controle(const char *nom) const { return findChild<T *>(nom); }

    // The buttons' actions.
    void DefautGeneral();
    void DefautAffichage();
    void DefautImpression();
    void ChargerPresetAffichage(int k); // 0..2
    void EnregistrerPresetAffichage(int k);
    void ChargerPresetImpression(int k);
    void EnregistrerPresetImpression(int k);
    // "Look": applies the display page now. False (and ErreurSaisie) on a wrong field.
    bool Voir();
    // "Preview": applies the printing page and opens the preview (or closes with OK when the
    // window itself was opened from the preview).
    void Apercu();

    // Reads the display page into p, with the empty-field fallbacks; false with the wrong field
    // selected when a number lies outside its range.
    bool LireAffichage(TParamEcran &p, bool signaler = true);
    bool LireImpression(TZoneImpression &p, bool &blackBlocks, bool signaler = true);

public slots:
    void accept() override;
    void reject() override;

private:
    QTabWidget *Onglets = nullptr;
    std::array<bool, 3> Change{};
    bool DepuisApercu = false;
    bool Chargement = false;
    // What "Look" and "Preview" applied, to be undone by Cancel.
    TParamEcran EcranOuverture;
    TZoneImpression ImpOuverture;
    bool BlackBlocksOuverture = false;
    bool EcranApplique = false, ImpApplique = false;
    // Fonts and colours being edited, by key.
    std::map<std::string, TMyFont> Polices;
    std::map<std::string, int> Couleurs;

    QWidget *CreerGeneral();
    QWidget *CreerAffichage();
    QWidget *CreerImpression();
    void SuivreChangements(QWidget *page, int index);
    void ChargerGeneral();
    void ChargerAffichage(const TParamEcran &p);
    void ChargerImpression(const TZoneImpression &p, bool blackBlocks);
    void AppliquerGeneral();
    void AppliquerAffichage(const TParamEcran &p);
    void AppliquerImpression(const TZoneImpression &p, bool blackBlocks);
    void MontrerPolice(const std::string &cle);
    void MontrerCouleur(const std::string &cle);
    void ActualiserEtats();
    QWidget *BoutonPolice(QWidget *page, const std::string &cle, const QString &texte, int index);
    QWidget *BoutonCouleur(QWidget *page, const std::string &cle, const QString &texte);
};

// Opens the preferences on a page; true on OK. `parent` is the window above which it opens.
bool EditerPreferences(TMainForm &f, QWidget *parent, int page = TFPref::PageGeneral,
                       bool depuisApercu = false);
