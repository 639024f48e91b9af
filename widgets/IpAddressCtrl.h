#pragma once
// An IPv4 address field: four octet boxes that type, paste and move like one field. A blank
// field reads 0.0.0.0; the value is host-order, first octet in the high byte, as the platform's
// address control reports it.
//
// Keyboard: a dot, a third digit or a value that cannot grow further moves on to the next
// octet with its text selected, so an address typed over a filled field replaces it octet by
// octet; Backspace at the start of an octet goes back; Home, End and the arrows cross octets;
// a pasted dotted address fills all four octets. An octet above 255 is refused as it is typed.
// The field is one Tab stop, entered at its first octet (which is also its focus proxy).
#include <QWidget>
#include <array>
#include <cstdint>

class QLineEdit;

namespace varlo::ui {

class COctetEdit;

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
    QLineEdit* OctetEdit(int i) const;

signals:
    // Any change of the shown address, by the operator or by the program (once per call of
    // SetAddress, SetOctets or ClearAddress).
    void addressChanged();
    // A change the operator made: typing, deleting, pasting, dropping.
    void addressEdited(uint32_t hostOrder);

protected:
    bool focusNextPrevChild(bool next) override;

private:
    friend class COctetEdit;

    // Moves the caret into octet i: its whole text selected, or the caret at its start or end.
    enum class Caret { SelectAll, Start, End };
    void EnterOctet(int i, Caret caret);
    // Moves on after octet i was completed by typing; a dot typed next is the separator the
    // operator meant for the octet already left, and is swallowed.
    void AdvanceFrom(int i);
    // A dotted address pasted or dropped into octet i; false when it is not one.
    bool PasteDotted(int i, const QString& text);
    void SetTexts(const std::array<QString, 4>& texts);
    void OnOctetEdited();

    std::array<COctetEdit*, 4> m_octets{};
    int m_nAdvancedInto = -1;  // the octet entered by moving on, until the next key
};

}  // namespace varlo::ui
