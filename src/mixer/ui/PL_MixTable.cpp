#include "mixer/ui/PL_MixTable.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include "config/ui/uTexteUI.h"
#include "model/uPartition.h"

namespace {
constexpr TMixList ColonnesValeurs[6] = {TMixList::mVolume, TMixList::mPan,    TMixList::mChorus,
                                         TMixList::mReverb, TMixList::mPhaser, TMixList::mTremolo};
constexpr int Espace = 2;

QString DeuxChiffres(int k) { return QString("%1").arg(k, 2, 10, QChar('0')); }
} // namespace

// ---------------------------------------------------------------- gauge

TPL_Jauge::TPL_Jauge(bool etendue, int minimum, QWidget *parent)
    : QWidget(parent), MinValue(minimum), EnLong(etendue)
{
    setFixedSize(etendue ? 67 : 21, 18);
    connect(&Repetition, &QTimer::timeout, this, [this] {
        Placer(PasJaugeCompacte(Pos, Haut));
        Repetition.setInterval(DelaiRepetitionJauge(++Pas));
    });
}

void TPL_Jauge::ChoisirPosition(int p)
{
    Pos = BornerJauge(p);
    update();
}

void TPL_Jauge::Placer(int p)
{
    p = BornerJauge(p);
    if (p == Pos)
        return;
    Pos = p;
    update();
    emit Change(Pos);
}

void TPL_Jauge::paintEvent(QPaintEvent *)
{
    QPainter g(this);
    const QPalette &pal = palette();
    const QString nombre = QString::number(ValeurAffichee(Pos, MinValue));
    QFont f = font();
    f.setPointSize(7);
    g.setFont(f);
    if (EnLong) {
        // The groove, the thumb at x = position + 9, the value at the right.
        g.setPen(pal.color(QPalette::Dark));
        g.drawLine(9, 9, 57, 9);
        g.setPen(pal.color(QPalette::Light));
        g.drawLine(9, 10, 57, 10);
        const int x = Pos + 9;
        g.setPen(pal.color(QPalette::Shadow));
        g.setBrush(isEnabled() ? QColor(70, 110, 190) : pal.color(QPalette::Mid));
        g.drawRect(x - 3, 3, 6, 12);
        g.setPen(pal.color(QPalette::WindowText));
        g.drawText(QRect(58, 0, 9, 18), Qt::AlignCenter, QString());
        setToolTip(nombre);
    } else {
        g.fillRect(rect(), pal.color(QPalette::Base));
        g.setPen(pal.color(QPalette::Mid));
        g.drawRect(rect().adjusted(0, 0, -1, -1));
        g.setPen(pal.color(QPalette::Text));
        g.drawText(rect(), Qt::AlignCenter, nombre);
    }
}

void TPL_Jauge::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    const QPoint p = e->position().toPoint();
    if (EnLong) {
        Placer(p.x() - 9);
        return;
    }
    Haut = p.y() < height() / 2;
    Pas = 0;
    Placer(PasJaugeCompacte(Pos, Haut));
    Repetition.start(DelaiRepetitionJauge(Pas));
}

void TPL_Jauge::mouseMoveEvent(QMouseEvent *e)
{
    if (EnLong && (e->buttons() & Qt::LeftButton) && isEnabled())
        Placer(e->position().toPoint().x() - 9);
}

void TPL_Jauge::mouseReleaseEvent(QMouseEvent *) { Repetition.stop(); }

// ---------------------------------------------------------------- toggle

TPL_MixCheckBox::TPL_MixCheckBox(const QString &lettre, const QColor &couleur, QWidget *parent)
    : QWidget(parent), Lettre(lettre), Couleur(couleur)
{
    setFixedSize(16, 16);
}

void TPL_MixCheckBox::ChoisirCoche(bool c)
{
    Etat = c;
    update();
}

void TPL_MixCheckBox::paintEvent(QPaintEvent *)
{
    QPainter g(this);
    const QRect r = rect().adjusted(1, 1, -2, -2);
    g.setPen(palette().color(QPalette::Dark));
    g.setBrush(Etat ? Couleur : palette().color(QPalette::Button));
    g.drawRect(r);
    QFont f = font();
    f.setPointSize(7);
    f.setBold(true);
    g.setFont(f);
    g.setPen(Etat ? QColor(Qt::white) : palette().color(QPalette::Mid));
    g.drawText(r, Qt::AlignCenter, Lettre);
}

void TPL_MixCheckBox::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    Etat = !Etat;
    update();
    emit Bascule(Etat);
}

// ---------------------------------------------------------------- strip

TPL_Mix1Piste::TPL_Mix1Piste(TPL_MixTable &table, QWidget *parent) : QWidget(parent), Table(table)
{
    setFixedHeight(TPL_MixTable::HauteurStrip);
    auto label = [this](const char *nom, Qt::Alignment a) {
        auto *l = new QLabel(this);
        l->setObjectName(nom);
        l->setAlignment(a | Qt::AlignVCenter);
        l->installEventFilter(this);
        return l;
    };
    Numero = label("Numero", Qt::AlignRight);
    Nom = label("Nom", Qt::AlignLeft);
    Port = label("Port", Qt::AlignCenter);
    Canal = label("Canal", Qt::AlignCenter);
    CanalE = label("CanalE", Qt::AlignCenter);
    Instrument = label("Instrument", Qt::AlignLeft);
    for (QLabel *l : {Port, Canal, CanalE, Instrument}) {
        l->setAutoFillBackground(true);
        l->setFrameShape(QFrame::StyledPanel);
        l->setFrameShadow(QFrame::Sunken);
    }
    View = new TPL_MixCheckBox("V", QColor(40, 130, 60), this);
    Solo = new TPL_MixCheckBox("S", QColor(200, 150, 0), this);
    Mute = new TPL_MixCheckBox("M", QColor(190, 40, 40), this);
    View->setObjectName("View");
    Solo->setObjectName("Solo");
    Mute->setObjectName("Mute");
    connect(View, &TPL_MixCheckBox::Bascule, this,
            [this](bool c) { Emettre(TMixList::mView, qmValeur, c); });
    connect(Solo, &TPL_MixCheckBox::Bascule, this,
            [this](bool c) { Emettre(TMixList::mSolo, qmValeur, c); });
    connect(Mute, &TPL_MixCheckBox::Bascule, this,
            [this](bool c) { Emettre(TMixList::mMute, qmValeur, c); });
    for (int i = 0; i < 6; ++i) {
        const TMixList c = ColonnesValeurs[i];
        Jauges[i] = new TPL_Jauge(Table.ExtendedViewJauges.count(c) != 0, 0, this);
        Jauges[i]->setObjectName(QString("Jauge%1").arg(i));
        connect(Jauges[i], &TPL_Jauge::Change, this,
                [this, c](int pos) { Emettre(c, qmValeur, pos); });
    }
    RepetitionInstrument.setInterval(200);
    connect(&RepetitionInstrument, &QTimer::timeout, this, [this] {
        const int v = std::clamp(V.Instrument + PasInstrument, 0, 127);
        if (v != V.Instrument)
            Emettre(TMixList::mInstrument, qmValeur, v);
    });
    Disposer();
}

void TPL_Mix1Piste::Emettre(TMixList qui, int quoi, int valeur)
{
    emit Table.MixActionIntercepted(this, V.NumPiste, qui, quoi, valeur);
}

void TPL_Mix1Piste::Remplir(const TPL_MixTable_Values_UnePiste &v, const std::string &instrument)
{
    V = v;
    Numero->setText(QString::number(v.NumPiste));
    Nom->setText(VersQt(v.Nom));
    Nom->setToolTip(VersQt(v.Nom));
    Port->setText(QString::number(v.Port));
    Canal->setText(DeuxChiffres(v.Canal));
    CanalE->setText(DeuxChiffres(v.CanalEffets));
    Instrument->setText(VersQt(instrument));
    Instrument->setToolTip(VersQt(instrument));
    View->ChoisirCoche(v.View);
    Solo->ChoisirCoche(v.Solo);
    Mute->ChoisirCoche(v.Mute);
    for (int i = 0; i < 6; ++i)
        Jauges[i]->ChoisirPosition(v.Jauges[i]);
    const bool port = Table.PeutChangerPort();
    Port->setEnabled(port);
    Canal->setEnabled(port);
    CanalE->setEnabled(port);
}

void TPL_Mix1Piste::Disposer()
{
    auto placer = [this](QWidget *w, TMixList c, int dy = 0) {
        const int l = Table.LargeurColonne(c);
        w->setVisible(l > 0);
        if (l > 0)
            w->setGeometry(Table.XColonne(c), dy, l, TPL_MixTable::HauteurStrip - 2 - dy);
    };
    placer(Numero, TMixList::mNumPiste);
    placer(Nom, TMixList::mNomPiste);
    placer(Port, TMixList::mPort, 1);
    placer(Canal, TMixList::mChannel, 1);
    placer(CanalE, TMixList::mChannelE, 1);
    placer(Instrument, TMixList::mInstrument, 1);
    for (auto [w, c] : {std::pair<QWidget *, TMixList>{View, TMixList::mView},
                        {Solo, TMixList::mSolo}, {Mute, TMixList::mMute}}) {
        const int l = Table.LargeurColonne(c);
        w->setVisible(l > 0);
        if (l > 0)
            w->move(Table.XColonne(c), 1);
    }
    for (int i = 0; i < 6; ++i) {
        const int l = Table.LargeurColonne(ColonnesValeurs[i]);
        Jauges[i]->setVisible(l > 0);
        if (l > 0)
            Jauges[i]->move(Table.XColonne(ColonnesValeurs[i]), 0);
    }
    setMinimumWidth(Table.LargeurTotale());
}

void TPL_Mix1Piste::ChoisirSelection(bool s)
{
    if (s == Selection)
        return;
    Selection = s;
    update();
}

void TPL_Mix1Piste::paintEvent(QPaintEvent *)
{
    QPainter g(this);
    const QPalette &pal = palette();
    g.fillRect(rect(), Selection ? pal.color(QPalette::Highlight).lighter(170)
                                 : pal.color(QPalette::Button));
    // The same 3D lines as the overview's rows, so that both read as one table.
    g.setPen(pal.color(QPalette::Dark));
    g.drawLine(0, height() - 2, width(), height() - 2);
    g.setPen(pal.color(QPalette::Light));
    g.drawLine(0, height() - 1, width(), height() - 1);
}

bool TPL_Mix1Piste::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonRelease && o == Instrument) {
        RepetitionInstrument.stop();
        return false;
    }
    if (e->type() != QEvent::MouseButtonPress)
        return QWidget::eventFilter(o, e);
    auto *m = static_cast<QMouseEvent *>(e);
    const bool droit = m->button() == Qt::RightButton;
    if (o == Numero || o == Nom) {
        Emettre(o == Numero ? TMixList::mNumPiste : TMixList::mNomPiste, qmLigne, 0);
        return true;
    }
    const auto cellule = [&](TMixList c) {
        if (!static_cast<QWidget *>(o)->isEnabled())
            return true;
        Emettre(c, droit ? qmClicDroit : qmClicGauche, 0);
        return true;
    };
    if (o == Port)
        return cellule(TMixList::mPort);
    if (o == Canal)
        return cellule(TMixList::mChannel);
    if (o == CanalE)
        return cellule(TMixList::mChannelE);
    if (o == Instrument) {
        if (!droit)
            return cellule(TMixList::mInstrument);
        // A right click steps the instrument, up in the upper half, down in the lower one.
        PasInstrument = m->position().y() < Instrument->height() / 2 ? 1 : -1;
        const int v = std::clamp(V.Instrument + PasInstrument, 0, 127);
        if (v != V.Instrument)
            Emettre(TMixList::mInstrument, qmValeur, v);
        RepetitionInstrument.start();
        return true;
    }
    return QWidget::eventFilter(o, e);
}

// ---------------------------------------------------------------- table

TPL_MixTable::TPL_MixTable(QWidget *parent) : QWidget(parent)
{
    setObjectName("PL_MixTable");
    VisibleMix = {TMixList::mNumPiste, TMixList::mSoloMute, TMixList::mNomPiste,
                  TMixList::mPort,     TMixList::mChannel,  TMixList::mChannelE,
                  TMixList::mInstrument, TMixList::mVolume, TMixList::mPan,
                  TMixList::mChorus,   TMixList::mReverb,   TMixList::mPhaser,
                  TMixList::mTremolo};
    ExtendedViewJauges = {TMixList::mInstrument, TMixList::mVolume, TMixList::mPan};
    Legendes = {"Volume", "Pan", "Chorus", "Reverb", "Phaser", "Tremolo", "Solo", "Mute",
                "Instrument", "Port and channels"};
    setMinimumWidth(LargeurTotale());
}

int TPL_MixTable::LargeurColonne(TMixList c) const
{
    auto montre = [this](TMixList x) { return VisibleMix.count(x) != 0; };
    bool visible = montre(c);
    if (c == TMixList::mSolo || c == TMixList::mMute)
        visible = visible || montre(TMixList::mSoloMute);
    if (c == TMixList::mSoloMute || c == TMixList::mMixLine)
        return 0;
    if (!visible || !ColonneVisible(c, PositionH))
        return 0;
    const bool etendue = ExtendedViewJauges.count(c) != 0;
    switch (c) {
    case TMixList::mNumPiste:
        return 24;
    case TMixList::mView:
    case TMixList::mSolo:
    case TMixList::mMute:
        return 16;
    case TMixList::mNomPiste:
        return 110;
    case TMixList::mPort:
        return 18;
    case TMixList::mChannel:
    case TMixList::mChannelE:
        return 22;
    case TMixList::mInstrument:
        return etendue ? 150 : 26;
    default:
        return etendue ? 67 : 21;
    }
}

int TPL_MixTable::XColonne(TMixList c) const
{
    int x = 2;
    for (int k = static_cast<int>(TMixList::mNumPiste); k < static_cast<int>(c); ++k) {
        const int l = LargeurColonne(static_cast<TMixList>(k));
        if (l > 0)
            x += l + Espace;
    }
    return x;
}

int TPL_MixTable::LargeurTotale() const { return XColonne(TMixList::mTremolo) + 67 + Espace; }

std::string TPL_MixTable::TexteInstrument(const TPL_MixTable_Values_UnePiste &v) const
{
    if (!ExtendedViewJauges.count(TMixList::mInstrument))
        return std::to_string(v.Instrument);
    if (v.Batterie)
        return std::to_string(v.Instrument) + " - " + TexteDrumKit + " " +
               std::to_string(v.Instrument);
    const std::vector<std::string> *l = Instruments ? Instruments(v.Port) : nullptr;
    if (l && v.Instrument >= 0 && v.Instrument < static_cast<int>(l->size()))
        return (*l)[v.Instrument];
    return std::to_string(v.Instrument);
}

TPL_Mix1Piste *TPL_MixTable::Strip(int numPiste) const
{
    return (numPiste >= 1 && numPiste <= NbStrips()) ? Strips[numPiste - 1] : nullptr;
}

void TPL_MixTable::RemplirTout(const cPartition &p)
{
    while (NbStrips() > p.NbPistes) {
        delete Strips.back();
        Strips.pop_back();
    }
    while (NbStrips() < p.NbPistes) {
        auto *s = new TPL_Mix1Piste(*this, this);
        s->setObjectName(QString("Strip%1").arg(NbStrips() + 1));
        Strips.push_back(s);
    }
    for (const cPiste *t = p.PremierePiste; t; t = t->Suivante)
        RemplirPiste(p, t->Index);
    Placer();
}

void TPL_MixTable::RemplirPiste(const cPartition &p, int numPiste)
{
    TPL_Mix1Piste *s = Strip(numPiste);
    const cPiste *t = p.PisteNumero(numPiste);
    if (!s || !t)
        return;
    const TPL_MixTable_Values_UnePiste v = ValeursStrip(p, *t);
    s->Remplir(v, TexteInstrument(v));
    s->ChoisirSelection(numPiste == SelectedPiste);
}

void TPL_MixTable::ChoisirPremiere(int numPiste)
{
    PremNumPiste = std::max(1, numPiste);
    Placer();
}

void TPL_MixTable::ChoisirSelection(int numPiste)
{
    SelectedPiste = numPiste;
    for (int k = 1; k <= NbStrips(); ++k)
        Strips[k - 1]->ChoisirSelection(k == numPiste);
}

void TPL_MixTable::ChoisirPositionH(int p)
{
    PositionH = std::clamp(p, 0, 10);
    for (TPL_Mix1Piste *s : Strips)
        s->Disposer();
    update();
}

void TPL_MixTable::CanChangePort(bool peut)
{
    if (peut == PortActif)
        return;
    PortActif = peut;
    for (TPL_Mix1Piste *s : Strips)
        for (QLabel *l : {s->Port, s->Canal, s->CanalE})
            l->setEnabled(peut);
}

void TPL_MixTable::ChoisirLegendes(const std::vector<QString> &legendes)
{
    for (std::size_t i = 0; i < legendes.size() && i < Legendes.size(); ++i)
        if (!legendes[i].isEmpty())
            Legendes[i] = legendes[i];
    update();
}

void TPL_MixTable::Placer()
{
    for (int k = 1; k <= NbStrips(); ++k) {
        TPL_Mix1Piste *s = Strips[k - 1];
        const int y = HauteurEntete + (k - PremNumPiste) * HauteurStrip + 2;
        const bool montre = k >= PremNumPiste && y < height();
        s->setVisible(montre);
        if (montre)
            s->setGeometry(0, y, std::max(width(), LargeurTotale()), HauteurStrip);
    }
}

void TPL_MixTable::resizeEvent(QResizeEvent *) { Placer(); }

void TPL_MixTable::paintEvent(QPaintEvent *)
{
    QPainter g(this);
    const QPalette &pal = palette();
    g.fillRect(rect(), pal.color(QPalette::Button));
    QFont f = font();
    f.setPointSize(7);
    g.setFont(f);
    g.setPen(pal.color(QPalette::WindowText));
    auto legende = [&](TMixList c, const QString &t) {
        const int l = LargeurColonne(c);
        if (l > 0)
            g.drawText(QRect(XColonne(c) - 4, 0, l + 8, HauteurEntete), Qt::AlignCenter,
                       g.fontMetrics().elidedText(t, Qt::ElideRight, l + 8));
    };
    for (int i = 0; i < 6; ++i)
        legende(ColonnesValeurs[i], Legendes[i]);
    legende(TMixList::mSolo, Legendes[6].left(1));
    legende(TMixList::mMute, Legendes[7].left(1));
    legende(TMixList::mInstrument, Legendes[8]);
    const int xp = XColonne(TMixList::mPort);
    int lp = 0;
    for (TMixList c : {TMixList::mPort, TMixList::mChannel, TMixList::mChannelE})
        if (LargeurColonne(c) > 0)
            lp = XColonne(c) + LargeurColonne(c) - xp;
    if (lp > 0)
        g.drawText(QRect(xp, 0, lp, HauteurEntete), Qt::AlignCenter,
                   g.fontMetrics().elidedText(Legendes[9], Qt::ElideRight, lp));
    g.setPen(pal.color(QPalette::Dark));
    g.drawLine(0, HauteurEntete, width(), HauteurEntete);
    g.setPen(pal.color(QPalette::Light));
    g.drawLine(0, HauteurEntete + 1, width(), HauteurEntete + 1);
}
