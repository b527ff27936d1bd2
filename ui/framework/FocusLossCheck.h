#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class CDialogControls;
class QWidget;

// Tells the dialog when an edit box has lost the focus, with the guards that check has always
// needed: nothing while the controls are read or written (whatever moves the focus then), nor
// while OK or Cancel closes the dialog, nor for a context menu taking the focus; one check at a
// time; and a press on a button that moved the focus away from a box whose check then spoke to
// the user goes no further. Watches every control of `controls`, which must outlive it.
class CFocusLossCheck : public QObject {
public:
    using Handler = std::function<void(int id)>;

    CFocusLossCheck(const CDialogControls& controls, Handler onFocusLost);

    // Marks a read or write of the controls for as long as it lives.
    class ExchangeScope {
    public:
        explicit ExchangeScope(CFocusLossCheck& check) : m_check(check) {
            m_check.m_bExchanging = true;
        }
        ~ExchangeScope() { m_check.m_bExchanging = false; }
        ExchangeScope(const ExchangeScope&) = delete;
        ExchangeScope& operator=(const ExchangeScope&) = delete;

    private:
        CFocusLossCheck& m_check;
    };

    // True while the controls are read or written: no notification of theirs counts then.
    bool Exchanging() const { return m_bExchanging; }
    // OK or Cancel is closing the dialog (true), or it opens again (false).
    void SetEnding(bool ending) { m_bEnding = ending; }
    // The dialog showed the user a message.
    void NoteMessage() { ++m_nMessagesShown; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void HandleFocusLost(int index, Qt::FocusReason reason);

    const CDialogControls& m_controls;
    Handler m_onFocusLost;
    bool m_bExchanging = false; // a read or write of the controls is under way
    bool m_bChecking = false;   // a check is running
    bool m_bEnding = false;     // OK or Cancel is closing the dialog
    int m_nMessagesShown = 0;
    QPointer<QWidget> m_pSwallowPress; // a button whose pending press a message interrupted
};
