#pragma once
// "Why isn't my device found?": the search port, the adapters and where the last search went,
// the replies the system dropped, the firewall, and what to try next, in plain words.
#include <QDialog>

class QPlainTextEdit;

namespace varlo {
class SearchSession;
}

namespace varlo::ui {

class CDoctorDlg : public QDialog {
    Q_OBJECT
public:
    // lastSearch: the search whose requests to report, if one is at hand.
    explicit CDoctorDlg(const SearchSession* lastSearch = nullptr, QWidget* parent = nullptr);

    QString Text() const;

private:
    QPlainTextEdit* m_text = nullptr;
};

}  // namespace varlo::ui
