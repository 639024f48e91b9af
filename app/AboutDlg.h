#pragma once
// "About Varlo": the program's name, its version and where to read more about it.
#include <QDialog>

namespace varlo::ui {

class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kVersionMajor = 1;
    static constexpr int kVersionMinor = 6;
    static const char* const kHomePage;

    explicit CAboutDlg(QWidget* parent = nullptr);

    // "Varlo v1.06"
    static QString VersionText();
};

}  // namespace varlo::ui
