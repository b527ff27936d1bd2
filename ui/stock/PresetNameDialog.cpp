#include "ui/stock/PresetNameDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

CPresetNameDialog::CPresetNameDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Save Label Stock"));
    auto* form = new QFormLayout(this);

    m_pName = new QLineEdit(this);
    form->addRow(tr("&Name:"), m_pName);
    m_pDescription = new QLineEdit(this);
    m_pDescription->setPlaceholderText(tr("optional"));
    form->addRow(tr("&Description:"), m_pDescription);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    m_pOk->setEnabled(false);
    form->addRow(buttons);

    // The name's rules are checked when OK is pressed, where the refusal can say which applies.
    connect(m_pName, &QLineEdit::textChanged, this,
            [this](const QString& name) { m_pOk->setEnabled(!name.isEmpty()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CPresetNameDialog::Name() const {
    return m_pName->text();
}

QString CPresetNameDialog::Description() const {
    return m_pDescription->text();
}
