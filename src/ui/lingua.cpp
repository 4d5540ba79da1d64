#include "ui/lingua.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QScreen>
#include <QTabWidget>
#include <QTranslator>
#include <QVariant>
#include <QWidget>

#include "core/interfaccia.h"
#include "settings/multiLanguage.h"
#include "ui/interfacciaQt.h"

namespace novanta::ui {

QString TestoFinestra(const QString& finestra, const QString& chiave) { return Q(TestoLingua(S(finestra), S(chiave))); }

namespace {

void impostaCaption(QObject* o, const QString& v) {
    if (auto* l = qobject_cast<QLabel*>(o))
        l->setText(v);
    else if (auto* b = qobject_cast<QAbstractButton*>(o))
        b->setText(v);
    else if (auto* g = qobject_cast<QGroupBox*>(o))
        g->setTitle(v);
    else if (auto* m = qobject_cast<QMenu*>(o))
        m->setTitle(v);
    else if (auto* a = qobject_cast<QAction*>(o))
        a->setText(v);
}

void impostaToolTip(QObject* o, const QString& v) {
    if (auto* w = qobject_cast<QWidget*>(o))
        w->setToolTip(v);
    else if (auto* a = qobject_cast<QAction*>(o))
        a->setToolTip(v);
}

// The window a control sits in: actions belong to the window of the widget that owns them, and
// a menu (a pop-up, a window of its own to Qt) to the window of its menu bar.
QWidget* finestraDi(QObject* o) {
    for (QObject* p = o; p; p = p->parent()) {
        if (qobject_cast<QMenu*>(p)) continue;
        if (auto* w = qobject_cast<QWidget*>(p)) return w->window();
    }
    return nullptr;
}

// Qt's own texts (the buttons of the message boxes, the file dialogs) in the chosen language.
QTranslator* traduzioneQt = nullptr;

}  // namespace

void ApplicaLingua(QWidget* finestra) {
    if (!finestra) return;
    const QString sezione = finestra->objectName();
    if (sezione.isEmpty()) return;
    auto leggi = [&](const QString& chiave) { return TestoFinestra(sezione, chiave); };

    if (const QString v = leggi(sezione + QStringLiteral(".Caption")); !v.isEmpty()) finestra->setWindowTitle(v);
    if (const QString v = leggi(sezione + QStringLiteral(".ToolTipText")); !v.isEmpty()) finestra->setToolTip(v);
    if (const QString v = leggi(sezione + QStringLiteral(".Tag")); !v.isEmpty()) finestra->setProperty("Tag", v);

    const auto controlli = finestra->findChildren<QObject*>();
    for (QObject* o : controlli) {
        const QString nome = o->objectName();
        if (nome.isEmpty() || nome.startsWith(QStringLiteral("qt_"))) continue;
        // A window opened from this one (and everything in it) has its own section.
        if (finestraDi(o) != finestra) continue;
        if (const QString v = leggi(nome + QStringLiteral(".Caption")); !v.isEmpty()) impostaCaption(o, v);
        if (const QString v = leggi(nome + QStringLiteral(".ToolTipText")); !v.isEmpty()) impostaToolTip(o, v);
        if (const QString v = leggi(nome + QStringLiteral(".Tag")); !v.isEmpty()) o->setProperty("Tag", v);
        if (auto* schede = qobject_cast<QTabWidget*>(o)) {
            for (int i = 0; i < schede->count(); ++i)
                schede->setTabText(i, leggi(nome + QStringLiteral(".TabCaption(%1)").arg(i)));
        }
    }
    UI().DoEvents();
}

void InstallaTraduzioniQt() {
    const QString codice = Q(CodiceLingua());
    if (traduzioneQt && traduzioneQt->property("codice").toString() == codice) return;
    if (traduzioneQt) {
        QCoreApplication::removeTranslator(traduzioneQt);
        delete traduzioneQt;
        traduzioneQt = nullptr;
    }
    auto* t = new QTranslator(QCoreApplication::instance());
    t->setProperty("codice", codice);
    // English is Qt's own language: an empty translator keeps it.
    if (codice != QStringLiteral("en"))
        (void)t->load(QStringLiteral("qtbase_") + codice, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QCoreApplication::installTranslator(t);
    traduzioneQt = t;
}

void ApplicaLinguaATutte() {
    InstallaTraduzioniQt();
    const auto finestre = QApplication::topLevelWidgets();
    for (QWidget* w : finestre) {
        if (!w->objectName().startsWith(QStringLiteral("frm")) || !w->property("ApplicaLingua").toBool()) continue;
        ApplicaLingua(w);
        // Texts a window builds at run time (counters, messages) follow the new language too.
        QEvent cambio(QEvent::LanguageChange);
        QCoreApplication::sendEvent(w, &cambio);
    }
}

void CentraForm(QWidget* finestra) {
    if (!finestra) return;
    QScreen* schermo = finestra->screen() ? finestra->screen() : QGuiApplication::primaryScreen();
    if (!schermo) return;
    const QRect area = schermo->availableGeometry();
    const QSize dim = finestra->frameGeometry().size().isValid() ? finestra->frameGeometry().size() : finestra->size();
    finestra->move(area.x() + (area.width() - dim.width()) / 2, area.y() + (area.height() - dim.height()) / 2);
}

}  // namespace novanta::ui
