#pragma once
// The WEP sub-page of the wireless page: key length, default key, key type and four keys.
#include <QWidget>
#include <array>

class QComboBox;
class QLineEdit;

namespace varlo::serialserver {
class SerialServerConfig;
}

namespace varlo::ui {

class CWepSettings : public QWidget {
    Q_OBJECT
public:
    // The key-length rule renders from the wireless block the configuration last read or wrote.
    CWepSettings(QWidget* parent, serialserver::SerialServerConfig& config);

    void UpdateFromState();

    QComboBox* KeyLengthList() const { return m_cmbKeyLength; }
    QComboBox* DefaultKeyList() const { return m_cmbDefaultKey; }
    QComboBox* KeyTypeList() const { return m_cmbKeyType; }
    QLineEdit* KeyEdit(int i) const { return m_edtKeys.at(static_cast<std::size_t>(i)); }

private:
    void OnKeyLengthChanged(int index);
    void ShowKeys();

    serialserver::SerialServerConfig& m_config;
    QComboBox* m_cmbKeyLength = nullptr;
    QComboBox* m_cmbDefaultKey = nullptr;
    QComboBox* m_cmbKeyType = nullptr;
    std::array<QLineEdit*, 4> m_edtKeys{};
};

}  // namespace varlo::ui
