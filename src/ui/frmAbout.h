#pragma once
#include <QDialog>
#include <QLabel>

class QPushButton;

namespace novanta::ui {

// The maker's web page, shown by the about and new-version windows.
inline constexpr const char* INDIRIZZO_SITO = "https://novanta.example.org/";

// "Version 2.0.15": the program's major, minor and revision numbers without padding.
QString TestoVersione();

// A label that opens its caption as a web address when clicked.
class EtichettaURL : public QLabel {
public:
    EtichettaURL(const QString& indirizzo, QWidget* parent);
    std::function<void()> dopoClic;

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
};

// The about box: title, version, the maker's address. Keeps its design texts.
class frmAbout : public QDialog {
public:
    explicit frmAbout(QWidget* parent = nullptr);

private:
    QLabel* lblTitolo = nullptr;
    QLabel* lblVersione = nullptr;
    EtichettaURL* lbURL = nullptr;
    QPushButton* cmdOK = nullptr;
};

}  // namespace novanta::ui
