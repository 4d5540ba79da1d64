#pragma once
#include <QWidget>

namespace novanta::ui {

// The splash window shown while the program starts: title and version.
class frmSplash : public QWidget {
public:
    explicit frmSplash(QWidget* parent = nullptr);
};

}  // namespace novanta::ui
