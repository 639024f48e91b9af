#pragma once
// An IPv4 address field: four octet boxes. A blank field reads 0.0.0.0; the value is
// host-order, first octet in the high byte, as the platform's address control reports it.
#include <QWidget>
#include <array>
#include <cstdint>

class QLineEdit;

namespace varlo::ui {

class CIpAddressCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CIpAddressCtrl(QWidget* parent = nullptr);

    uint32_t GetAddress() const;
    void SetAddress(uint32_t hostOrder);
    std::array<uint8_t, 4> GetOctets() const;
    void SetOctets(const std::array<uint8_t, 4>& octets);
    void ClearAddress();
    bool IsBlank() const;
    // The text of one octet box (tests type into these as an operator would).
    QLineEdit* OctetEdit(int i) const { return m_octets[static_cast<std::size_t>(i)]; }

signals:
    void addressChanged();

private:
    std::array<QLineEdit*, 4> m_octets{};
};

}  // namespace varlo::ui
