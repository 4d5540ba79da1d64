#pragma once
#include <QString>

class QWidget;

namespace novanta::ui {

// Puts the texts of the current language on a window and its controls: the section named
// after the window's objectName holds "<window>.Caption|ToolTipText|Tag" and, for each
// control, "<objectName>.Caption|ToolTipText|Tag" (array members are named "name(index)").
// An empty or missing value leaves the property as it was; tab captions are always set.
void ApplicaLingua(QWidget* finestra);

// Loads Qt's own translations (message-box buttons, file dialogs) for the current language.
void InstallaTraduzioniQt();

// ApplicaLingua on every open window of the program, in the order the application lists them.
void ApplicaLinguaATutte();

// Centres a window on its screen.
void CentraForm(QWidget* finestra);

// A text of the current language's section for a window ("" when it has none).
QString TestoFinestra(const QString& finestra, const QString& chiave);

}  // namespace novanta::ui
