#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace novanta::ui {

class EtichettaURL;

// The notice of a newer version on the server, with the maker's address: the user carries on
// with this version (the default) or opens the download page.
class frmNewVersion : public QDialog {
public:
    explicit frmNewVersion(QWidget* parent = nullptr);

    QString localVersion;
    QString remoteVersion;

protected:
    void showEvent(QShowEvent* e) override;

private:
    QLabel* lblServer = nullptr;
    QLabel* lblLocale = nullptr;
    QLabel* lbLocalVersion = nullptr;
    QLabel* lbRemoteVersion = nullptr;
    EtichettaURL* lbURL = nullptr;
    QLabel* lblAvviso = nullptr;
    QPushButton* cmdScarica = nullptr;
    QPushButton* cmdContinua = nullptr;
};

}  // namespace novanta::ui
