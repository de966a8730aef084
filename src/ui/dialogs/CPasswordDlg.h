#pragma once
// The password prompt shown when the congregation data carries a password
// (idd::kPassword): one masked entry box, OK, no cancel.

#include <QDialog>
#include <string>

#include "app/PasswordPrompt.h"

class QLineEdit;
class QLabel;

namespace varnok {

class CPasswordDlg : public QDialog {
    Q_OBJECT
public:
    // `expected`: the password in the edition's code page, in plain form.
    explicit CPasswordDlg(const std::string& expected, QWidget* parent = nullptr);

    bool success() const { return prompt_.success(); }
    bool wrongTry() const { return prompt_.wrongTry(); }

public slots:
    void accept() override;  // the OK action
    void reject() override;  // Esc or the close box: not passed

private:
    void OnTextChanged(const QString& text);
    void Apply(const PasswordPrompt::Reaction& reaction);
    void ShowWholePrompt();

    PasswordPrompt prompt_;
    QLabel* promptText_ = nullptr;
    QLineEdit* entry_ = nullptr;
};

}  // namespace varnok
