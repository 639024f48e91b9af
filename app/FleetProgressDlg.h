#pragma once
// The progress of work on many devices: what is being done, how many devices are done, and
// Cancel. Cancel (or Esc, or closing the box) stops new devices from starting; the dialog stays
// until every started device has finished its writes and its finish command, and says so, so
// that no device is left written half-way and every device gets its line in the result pane.
#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace varlo::ui {

class CDeviceWorkRunner;

class CFleetProgressDlg : public QDialog {
    Q_OBJECT
public:
    // `what`: "Exporting", "Reading the devices for the preview", "Writing".
    CFleetProgressDlg(const QString& what, CDeviceWorkRunner* runner, QWidget* parent = nullptr);

    // Runs modally until the runner has finished; true when it was not cancelled.
    bool RunToEnd();

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void UpdateText();
    void OnCancel();

    QString m_what;
    CDeviceWorkRunner* m_runner;
    QLabel* m_text = nullptr;
    QProgressBar* m_bar = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_finished = false;
};

}  // namespace varlo::ui
