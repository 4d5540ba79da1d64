#include <QApplication>

#include "ui/avvio.h"
#include "ui/interfacciaQt.h"
#include "versione.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral(NOVANTA_TITOLO));
    QApplication::setApplicationVersion(QStringLiteral(NOVANTA_VERSIONE));
    QApplication::setDesktopFileName(QStringLiteral("io.github.novanta.Novanta"));
    novanta::ui::InterfacciaQt faccia;
    return novanta::ui::Avvio();
}
