#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks for the name a label stock is saved under and an optional description. Keeps what was
// typed when it is shown again, so a refused name can be corrected rather than retyped.
class CPresetNameDialog : public QDialog {
    Q_OBJECT

public:
    explicit CPresetNameDialog(QWidget* parent = nullptr);

    QString Name() const;
    QString Description() const;

private:
    QLineEdit* m_pName;
    QLineEdit* m_pDescription;
    QPushButton* m_pOk;
};
